// The operating-system services the installer depends on, behind one
// interface: the Win32 implementation makes the real calls, the fake one is an
// in-memory machine for tests. All paths and texts are ANSI (GBK) bytes.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/LeadBytes.h"

namespace platform {

// Raised where a failure is not an expected result and goes to the
// application's top-level error report (a file that cannot be opened, ...).
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The error of an open that failed: the file and the system's reason.
Error OpenError(bool forWriting, const std::string& path, const std::string& reason);

enum Attribute : std::uint32_t {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faDirectory = 0x10,
  faArchive = 0x20,
  faReparsePoint = 0x400,  // a junction or symbolic link
};
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFFu;

// One entry of a folder listing, as FindFirstFile reports it: the long name,
// the raw attribute bits and the size (64 bits; its low 32 bits are what the
// 32-bit listing of older code reports).
struct FindEntry {
  std::string Name;
  std::uint32_t Attributes = 0;
  std::int64_t Size = 0;
};

enum DriveType { kDriveUnknown = 0, kDriveNoRootDir = 1, kDriveRemovable = 2, kDriveFixed = 3,
                 kDriveRemote = 4, kDriveCdRom = 5, kDriveRamDisk = 6 };

struct DiskSpace {
  std::uint32_t SectorsPerCluster = 0;
  std::uint32_t BytesPerSector = 0;
  std::uint32_t FreeClusters = 0;
  std::uint32_t TotalClusters = 0;
};

enum class RegistryRead { Ok, KeyMissing, ValueMissing, NotAString };

// A moment of the local clock, as GetLocalTime tells it.
struct LocalTime {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Milliseconds = 0;
};

// An open file; closed when the object goes.
class File {
 public:
  virtual ~File() = default;
  // Reads exactly count bytes; false on a short read or an error.
  virtual bool Read(void* buffer, std::size_t count) = 0;
  // Writes exactly count bytes; false when not all could be written.
  virtual bool Write(const void* buffer, std::size_t count) = 0;
  virtual std::int64_t Size() = 0;
  // Moves the read position to offset bytes from the start; false when the
  // system refuses.
  virtual bool Seek(std::int64_t offset) = 0;
};

// Reported by a copy on the thread that called it, at its start and after
// every piece it wrote: the bytes copied so far and the file's size. Returning
// false cancels the copy: what it wrote is removed and the copy fails.
using CopyProgress = std::function<bool(std::int64_t copiedBytes, std::int64_t totalBytes)>;

class Platform {
 public:
  virtual ~Platform() = default;

  // --- process and start-up
  virtual std::string TempPath() = 0;     // GetTempPathA, ends with "\"
  virtual std::string ModulePath() = 0;   // full path of the running executable
  virtual std::string CommandLine() = 0;  // the raw command line
  // True when both folders name the same folder on disc, however spelt
  // (letter case, short or long names).
  virtual bool SameFolder(const std::string& a, const std::string& b) = 0;
  // ShellExecute "open" with a normally shown window; false when it failed.
  virtual bool ShellOpen(const std::string& file, const std::string& parameters) = 0;
  // Takes the name for this process until it ends (a named mutex); false
  // when another process holds it already.
  virtual bool ClaimInstance(const std::string& name) = 0;
  // True when a process holds the name.
  virtual bool InstanceRunning(const std::string& name) = 0;
  // Brings the top-level window with this caption (and the dialog it shows,
  // if any) to the front; false when there is no such window.
  virtual bool BringWindowToFront(const std::string& caption) = 0;

  // --- files and folders
  // Every entry of pattern (folder + "*.*"), "." and ".." included, in the
  // system's order. Empty when the folder is missing or cannot be read.
  virtual std::vector<FindEntry> ListFolder(const std::string& pattern) = 0;
  virtual std::uint32_t GetAttributes(const std::string& path) = 0;  // kInvalidAttributes when absent
  virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
  virtual bool CreateFolder(const std::string& path) = 0;
  // CopyFileA: replaces an existing target unless failIfExists or the target
  // is read-only or hidden; the copy takes the source's attributes. With
  // progress, the copy reports to it as it goes (CopyFileExA) and stops
  // when it returns false.
  virtual bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists,
                        const CopyProgress& progress = nullptr) = 0;
  // Renames a file within one volume, failing when the target exists.
  virtual bool RenameFile(const std::string& source, const std::string& target) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Open for reading (read-only access) or create-or-truncate for writing;
  // a failure raises Error with the system's reason.
  virtual std::unique_ptr<File> OpenRead(const std::string& path) = 0;
  virtual std::unique_ptr<File> OpenWrite(const std::string& path) = 0;

  // --- drives
  virtual int DriveTypeOf(const std::string& root) = 0;  // root such as "E:\"
  virtual bool DiskSpaceOf(const std::string& root, DiskSpace& space) = 0;

  // --- registry (HKEY_LOCAL_MACHINE)
  virtual RegistryRead ReadMachineString(const std::string& key, const std::string& value,
                                         std::string& result) = 0;

  // --- locale
  // Case-insensitive comparison by the user's locale: <0, 0 or >0.
  virtual int CompareTextNoCase(const std::string& a, const std::string& b) = 0;
  virtual char DecimalSeparator() = 0;
  // Which bytes lead a double-byte character in the system's ANSI code page.
  virtual text::LeadBytes AnsiLeadBytes() = 0;
  // A text in the ANSI code page as UTF-8; bytes that form no character of
  // the code page are replaced, never dropped.
  virtual std::string AnsiToUtf8(const std::string& ansi) = 0;

  // --- system
  virtual LocalTime Now() = 0;
  // A clock for measuring intervals, in milliseconds from an arbitrary start;
  // it never goes back, whatever happens to the local clock.
  virtual std::int64_t SteadyMilliseconds() = 0;
  // The running Windows, such as "Windows 10.0 build 19045".
  virtual std::string WindowsVersion() = 0;
  // The ANSI code page's form of a UTF-16 text; false when some character
  // has none there (never a look-alike or a "?" in its place).
  virtual bool WideToAnsi(const std::u16string& wide, std::string& ansi) = 0;
};

// Installs the code page's lead bytes of the platform the program runs on
// for the text helpers; set once at start-up (or by a test), nullptr for GBK.
void SetCurrent(Platform* platform);

// Portable conveniences over the interface.
bool FileExists(Platform& p, const std::string& path);       // exists and is not a folder
bool DirectoryExists(Platform& p, const std::string& path);  // exists and is a folder
// Creates path and any missing parents; true when the folder exists afterwards.
bool ForceDirectories(Platform& p, const std::string& path);
// The whole contents of a file. A file that cannot be opened raises Error; a
// read that fails gives false.
bool ReadWholeFile(Platform& p, const std::string& path, std::string& contents);
// Creates (or truncates) a file and writes contents. A file that cannot be
// created raises Error; when a write fails the file is closed and deleted, so
// that no partial file is left, and the result is false.
bool WriteWholeFile(Platform& p, const std::string& path, const std::string& contents);

}  // namespace platform
