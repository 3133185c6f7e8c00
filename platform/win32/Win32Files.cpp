// Files and folders: listing, attributes, move, delete, open (the copy is in
// Win32Copy.cpp).
#include <utility>

#include "platform/win32/SystemMessage.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Platform.h"

namespace platform {

namespace {

// ReadFile and WriteFile move at most a DWORD of bytes per call.
constexpr std::size_t kMaxTransfer = 0x40000000;

class Win32File final : public File {
 public:
  explicit Win32File(win32::FileHandle handle) : handle_(std::move(handle)) {}

  bool Read(void* buffer, std::size_t count) override {
    auto* bytes = static_cast<char*>(buffer);
    while (count > 0) {
      DWORD done = 0;
      const DWORD chunk = static_cast<DWORD>(count < kMaxTransfer ? count : kMaxTransfer);
      // Zero bytes read without an error is the end of the file.
      if (!::ReadFile(handle_.Get(), bytes, chunk, &done, nullptr) || done == 0) return false;
      bytes += done;
      count -= done;
    }
    return true;
  }

  bool Write(const void* buffer, std::size_t count) override {
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
      DWORD done = 0;
      const DWORD chunk = static_cast<DWORD>(count < kMaxTransfer ? count : kMaxTransfer);
      if (!::WriteFile(handle_.Get(), bytes, chunk, &done, nullptr) || done == 0) return false;
      bytes += done;
      count -= done;
    }
    return true;
  }

  std::int64_t Size() override {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(handle_.Get(), &size)) throw Error(win32::SystemErrorMessage(::GetLastError()));
    return size.QuadPart;
  }

  bool Seek(std::int64_t offset) override {
    LARGE_INTEGER position;
    position.QuadPart = offset;
    return ::SetFilePointerEx(handle_.Get(), position, nullptr, FILE_BEGIN) != 0;
  }

 private:
  win32::FileHandle handle_;
};

// The open file, or Error naming the path and the system's reason.
std::unique_ptr<File> OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  win32::FileHandle handle(::CreateFileA(path.c_str(), access, share, nullptr, disposition,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.IsOpen()) {
    const DWORD code = ::GetLastError();
    throw OpenError(access & GENERIC_WRITE, path, win32::SystemErrorMessage(code));
  }
  return std::make_unique<Win32File>(std::move(handle));
}

}  // namespace

std::vector<FindEntry> Win32Platform::ListFolder(const std::string& pattern) {
  std::vector<FindEntry> entries;
  WIN32_FIND_DATAA data;
  win32::FindHandle find(::FindFirstFileA(pattern.c_str(), &data));
  if (!find.IsOpen()) return entries;
  do {
    FindEntry entry;
    entry.Name = data.cFileName;
    entry.Attributes = data.dwFileAttributes;
    entry.Size = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                           data.nFileSizeLow);
    entries.push_back(std::move(entry));
  } while (::FindNextFileA(find.Get(), &data));
  return entries;
}

std::uint32_t Win32Platform::GetAttributes(const std::string& path) {
  return ::GetFileAttributesA(path.c_str());
}

bool Win32Platform::SetAttributes(const std::string& path, std::uint32_t attributes) {
  return ::SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool Win32Platform::CreateFolder(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32Platform::RenameFile(const std::string& source, const std::string& target) {
  return ::MoveFileA(source.c_str(), target.c_str()) != FALSE;
}

bool Win32Platform::RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

std::unique_ptr<File> Win32Platform::OpenRead(const std::string& path) {
  return OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

std::unique_ptr<File> Win32Platform::OpenWrite(const std::string& path) {
  return OpenFile(path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
}

}  // namespace platform
