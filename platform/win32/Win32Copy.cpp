// The copy of a file: CopyFileA, or, when the caller follows its progress, a
// copy piece by piece with the same outcome. (CopyFileExA's progress routine
// would do on Windows, but Wine never calls it.)
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Platform.h"

namespace platform {

namespace {

// Small enough that a piece read from a CD-ROM (about 7 MB/s) takes some
// 35 ms, large enough that a hard disk's copy is not slowed down.
constexpr DWORD kPieceBytes = 256 * 1024;

// The attributes a copy takes over from its source.
constexpr DWORD kCopiedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The target of a copy under way: removed unless the copy was completed.
class CopyTarget {
 public:
  // Opens the target as CopyFileA would write it; false when it may not be
  // written (it exists and failIfExists, or it is read-only or hidden).
  bool Open(const std::string& path, bool failIfExists) {
    // Opened without truncating, so that a target that must stay is kept
    // whole; asking for its attributes first would cost a search of the
    // folder for every new file under Wine.
    win32::FileHandle handle(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                           failIfExists ? CREATE_NEW : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.IsOpen()) return false;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
      const DWORD existing = ::GetFileAttributesA(path.c_str());
      if (existing == INVALID_FILE_ATTRIBUTES || (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) ||
          !::SetEndOfFile(handle.Get()))
        return false;
    }
    path_ = path;
    handle_ = std::move(handle);
    return true;
  }
  ~CopyTarget() {
    if (!handle_.IsOpen()) return;
    handle_.Close();
    ::DeleteFileA(path_.c_str());
  }

  bool Write(const char* bytes, DWORD count) {
    DWORD done = 0;
    return ::WriteFile(handle_.Get(), bytes, count, &done, nullptr) && done == count;
  }
  // Gives the file the source's time of last change and attributes; a
  // file that cannot take them is removed.
  bool Complete(const FILETIME& lastWrite, DWORD sourceAttributes) {
    ::SetFileTime(handle_.Get(), nullptr, nullptr, &lastWrite);
    handle_.Close();
    const DWORD attributes = sourceAttributes & kCopiedAttributes;
    if (::SetFileAttributesA(path_.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL)) return true;
    ::DeleteFileA(path_.c_str());
    return false;
  }

 private:
  std::string path_;
  win32::FileHandle handle_;
};

// CopyFileA's rules, reporting to progress before the first piece and after
// every one.
bool CopyInPieces(const std::string& source, const std::string& target, bool failIfExists,
                  const CopyProgress& progress) {
  win32::FileHandle from(::CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  // (GetFileInformationByHandle would tell all three, but under Wine it
  // costs more than the copy of a small file: docs/copy-benchmark.md.)
  LARGE_INTEGER size;
  FILETIME lastWrite;
  const DWORD attributes = ::GetFileAttributesA(source.c_str());
  if (!from.IsOpen() || !::GetFileSizeEx(from.Get(), &size) || !::GetFileTime(from.Get(), nullptr, nullptr, &lastWrite) ||
      attributes == INVALID_FILE_ATTRIBUTES)
    return false;
  CopyTarget to;
  if (!to.Open(target, failIfExists)) return false;

  const std::int64_t total = size.QuadPart;
  std::vector<char> piece(static_cast<std::size_t>(std::clamp<std::int64_t>(total, 1, kPieceBytes)));
  std::int64_t copied = 0;
  if (!progress(copied, total)) return false;
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(from.Get(), piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr)) return false;
    if (read == 0) break;  // the end of the file
    if (!to.Write(piece.data(), read)) return false;
    copied += read;
    if (!progress(copied, total)) return false;
  }
  return to.Complete(lastWrite, attributes);
}

}  // namespace

bool Win32Platform::CopyFileTo(const std::string& source, const std::string& target, bool failIfExists,
                             const CopyProgress& progress) {
  if (!progress) return ::CopyFileA(source.c_str(), target.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
  return CopyInPieces(source, target, failIfExists, progress);
}

}  // namespace platform
