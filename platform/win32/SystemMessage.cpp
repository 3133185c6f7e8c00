#include "platform/win32/SystemMessage.h"

namespace platform::win32 {

std::string SystemErrorMessage(DWORD code) {
  char* buffer = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string message(buffer ? buffer : "", length);
  if (buffer) ::LocalFree(buffer);
  // Only single-byte characters are removed: none of them can be the second
  // byte of a double-byte character.
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                              message.back() == '.' || message.back() == ' '))
    message.pop_back();
  return message;
}

}  // namespace platform::win32
