// Thin owners of the system's handles: each closes its handle when it goes,
// so an error that leaves a function still releases what it opened.
#pragma once
#include <utility>

#include <windows.h>

namespace platform::win32 {

// A search started by FindFirstFileA; closed with FindClose.
class FindHandle {
 public:
  FindHandle() = default;
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() { Close(); }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  void Close() {
    if (IsOpen()) ::FindClose(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// A file or folder opened by CreateFileA; closed with CloseHandle.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  void Close() {
    if (IsOpen()) ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// An open registry key; closed with RegCloseKey.
class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // RegOpenKeyExA; the result is the system's error code.
  LONG Open(HKEY parent, const char* subKey, REGSAM access) {
    Close();
    HKEY key = nullptr;
    const LONG result = ::RegOpenKeyExA(parent, subKey, 0, access, &key);
    if (result == ERROR_SUCCESS) key_ = key;
    return result;
  }
  bool IsOpen() const { return key_ != nullptr; }
  HKEY Get() const { return key_; }
  void Close() {
    if (key_) ::RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
};

}  // namespace platform::win32
