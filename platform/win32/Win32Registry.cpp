// Registry: reading one string value under HKEY_LOCAL_MACHINE.
#include <vector>

#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Platform.h"

namespace platform {

RegistryRead Win32Platform::ReadMachineString(const std::string& key, const std::string& value,
                                              std::string& result) {
  result.clear();
  // Full access rights, as the installer has always asked for: a key that is
  // missing or refuses them is treated alike. The application is a 32-bit
  // program and registers in the 32-bit view, which a 64-bit build must read
  // too (for a 32-bit program that view is the default).
  win32::RegistryKey opened;
  if (opened.Open(HKEY_LOCAL_MACHINE, key.c_str(), KEY_ALL_ACCESS | KEY_WOW64_32KEY) != ERROR_SUCCESS)
    return RegistryRead::KeyMissing;

  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(opened.Get(), value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return RegistryRead::ValueMissing;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return RegistryRead::NotAString;

  // The value may have grown since the first query: read again into a buffer
  // of the size the system then asks for. One extra zero ends any text.
  std::vector<char> data(size + 1, '\0');
  DWORD length = size;
  LONG status;
  while ((status = ::RegQueryValueExA(opened.Get(), value.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &length)) == ERROR_MORE_DATA)
    data.assign(length + 1, '\0');
  if (status != ERROR_SUCCESS) return RegistryRead::ValueMissing;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return RegistryRead::NotAString;
  // The text ends at its first zero, whether or not the stored data has one.
  result = data.data();
  return RegistryRead::Ok;
}

}  // namespace platform
