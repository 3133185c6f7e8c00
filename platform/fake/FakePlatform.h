// An in-memory machine for tests: drives with volumes, folders and files with
// attributes and contents, registry values, and hooks that make copies, opens
// and writes fail the way a real machine's do (full disk, locked file, a
// process killed in the middle of a copy).
//
// Rules it follows, as Windows does:
// - Paths are compared without regard to ASCII letter case, "/" counts as "\",
//   repeated and trailing "\" are ignored, "." and ".." are resolved, and a
//   relative path starts at CurrentFolder(). "C:\a\" and "c:\A" are the same
//   folder. "\" is recognised only as a whole character, never as the second
//   byte of a double-byte character. A name holding *?"<>|, ":" or a byte
//   below 32, and a path (or listing pattern) longer than 259 characters
//   once made absolute, are invalid: operations on them fail, opens raise.
// - Attribute bits are only stored: a folder carrying the reparse-point bit
//   is a plain folder here, and a test decides what listing it shows.
// - ListFolder reports "." and ".." first for a sub-folder (not for a drive
//   root), then the entries in creation order. A file that is truncated keeps
//   its place; a file that is deleted and made again goes to the end.
// - Every file holds whole clusters of its volume. Program operations
//   (CopyFileTo, writes through OpenWrite, RemoveFile) take and give back free
//   clusters; a copy or write that needs more than is free fails like a full
//   disk. The set-up helpers (AddFile) take what the file needs as far as it
//   is free, so that a disc described as full keeps its files.
// - A CD-ROM volume is read-only for the program: nothing on it can be
//   created, written, deleted or changed except through the set-up helpers.
// - RenameFile renames files only, within one drive.
// - A copy with progress writes its target piece by piece (SetCopySteps),
//   reporting before the first piece and after every one; a cancel removes
//   the target. The steady clock stands still unless a test or a copy step
//   moves it.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace platform {

class FakePlatform : public Platform {
 public:
  // Thrown by a copy armed with KillDuringCopy. It derives from nothing, so
  // no handler of the program catches it: the test does, as if the process had
  // died, and then looks at what was left on the disk.
  struct ProcessKilled {
    std::string target;
  };

  struct ShellCall {
    std::string file;
    std::string parameters;
  };

  // 8 sectors of 512 bytes per cluster, 4 GiB free of 8 GiB.
  static DiskSpace DefaultSpace();

  // --- set-up (a mistake here throws std::logic_error)
  // letter such as 'C' or 'e'.
  void AddDrive(char letter, int driveType = kDriveFixed, const DiskSpace& space = DefaultSpace());
  // The volume's figures, to read or to change (for example to free space).
  DiskSpace& Space(char letter);
  // Both create the missing parent folders; an existing entry is replaced.
  void AddFolder(const std::string& path, std::uint32_t attributes = faDirectory);
  void AddFile(const std::string& path, const std::string& contents = std::string(),
               std::uint32_t attributes = faArchive);
  // Removes a file or a folder with everything below it, without any check
  // (swapping a disc, for example). False when there was nothing.
  bool Remove(const std::string& path);
  bool Exists(const std::string& path) const;
  // The contents of a file; throws std::logic_error when there is no such file.
  std::string ReadContents(const std::string& path) const;

  void SetTempPath(const std::string& path) { tempPath_ = path; }
  void SetModulePath(const std::string& path) { modulePath_ = path; }
  void SetCommandLine(const std::string& commandLine) { commandLine_ = commandLine; }
  void SetCurrentFolder(const std::string& folder) { currentFolder_ = folder; }
  const std::string& CurrentFolder() const { return currentFolder_; }
  void SetDecimalSeparator(char separator) { decimalSeparator_ = separator; }
  // The lead bytes of the machine's ANSI code page (GBK unless set); its own
  // paths are read by them too.
  void SetLeadBytes(const text::LeadBytes& rule) { leadBytes_ = rule; }
  void SetNow(const LocalTime& now) { now_ = now; }
  void AdvanceClock(std::int64_t milliseconds) { steadyMilliseconds_ += milliseconds; }
  // A copy with progress writes pieces of `bytes` bytes (64 KiB unless
  // set), each taking `milliseconds` on the steady clock (0 unless set).
  void SetCopySteps(std::size_t bytes, std::int64_t milliseconds);
  void SetWindowsVersion(const std::string& version) { windowsVersion_ = version; }
  // The machine's ANSI code page knows ASCII and the characters added here:
  // each UTF-16 unit of wide pairs with the next whole character of ansi
  // (one byte, or a lead byte and its second byte).
  void AddAnsiCharacters(const std::u16string& wide, const std::string& ansi);
  // A value in HKEY_LOCAL_MACHINE (its key is created with it); isString
  // false stands for any value type that is not a string.
  void SetMachineValue(const std::string& key, const std::string& value, const std::string& data,
                       bool isString = true);
  void AddMachineKey(const std::string& key);

  const std::vector<ShellCall>& ShellCalls() const { return shellCalls_; }
  void SetShellOpenResult(bool result) { shellOpenResult_ = result; }

  // Another process holds the instance name and shows a window with caption.
  void AddRunningInstance(const std::string& name, const std::string& caption);
  // The captions of the windows brought to the front, in order.
  const std::vector<std::string>& WindowsBroughtToFront() const { return windowsBroughtToFront_; }

  // --- failure injection
  static constexpr int kAlways = -1;
  // The next `times` copies whose source or target is path fail (kAlways:
  // every one), changing nothing.
  void FailCopy(const std::string& path, int times = kAlways);
  // OpenRead and OpenWrite of path raise Error.
  void FailOpen(const std::string& path);
  // Files opened with OpenWrite at path accept `bytes` bytes in all; the write
  // that would go beyond writes what fits and returns false.
  void FailWriteAfter(const std::string& path, std::size_t bytes);
  // The next copy whose source or target is path writes the first `bytes`
  // bytes of the source to the target and throws ProcessKilled.
  void KillDuringCopy(const std::string& path, std::size_t bytes);
  // When true, a copy that runs out of space leaves the part that fitted as
  // the target, as a copy that filled the disk would; by default it leaves
  // the target as it was.
  void SetKeepPartialCopies(bool keep) { keepPartialCopies_ = keep; }
  // Run at the start of every CopyFileTo, before anything is checked.
  std::function<void(const std::string& source, const std::string& target)> BeforeCopy;
  // Run on the result of every ListFolder: it may add entries the fake
  // cannot hold (a name with "\" in it) or show another folder's entries (a
  // junction that leads back up).
  std::function<void(const std::string& pattern, std::vector<FindEntry>& entries)> AfterList;

  // --- Platform
  std::string TempPath() override { return tempPath_; }
  std::string ModulePath() override { return modulePath_; }
  std::string CommandLine() override { return commandLine_; }
  bool SameFolder(const std::string& a, const std::string& b) override;
  bool ShellOpen(const std::string& file, const std::string& parameters) override;
  bool ClaimInstance(const std::string& name) override;
  bool InstanceRunning(const std::string& name) override;
  bool BringWindowToFront(const std::string& caption) override;

  std::vector<FindEntry> ListFolder(const std::string& pattern) override;
  std::uint32_t GetAttributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
  bool CreateFolder(const std::string& path) override;
  bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists,
                const CopyProgress& progress = nullptr) override;
  bool RenameFile(const std::string& source, const std::string& target) override;
  bool RemoveFile(const std::string& path) override;
  std::unique_ptr<File> OpenRead(const std::string& path) override;
  std::unique_ptr<File> OpenWrite(const std::string& path) override;

  int DriveTypeOf(const std::string& root) override;
  bool DiskSpaceOf(const std::string& root, DiskSpace& space) override;

  RegistryRead ReadMachineString(const std::string& key, const std::string& value,
                                 std::string& result) override;

  int CompareTextNoCase(const std::string& a, const std::string& b) override;
  char DecimalSeparator() override { return decimalSeparator_; }
  text::LeadBytes AnsiLeadBytes() override { return leadBytes_; }
  std::string AnsiToUtf8(const std::string& ansi) override;

  LocalTime Now() override { return now_; }
  std::int64_t SteadyMilliseconds() override { return steadyMilliseconds_; }
  std::string WindowsVersion() override { return windowsVersion_; }
  bool WideToAnsi(const std::u16string& wide, std::string& ansi) override;

 private:
  struct Volume {
    int type = kDriveFixed;
    DiskSpace space;
  };
  struct Node {
    std::string name;    // as it was created
    std::string parent;  // key of the folder that holds it
    bool folder = false;
    std::uint32_t attributes = 0;
    std::string contents;
    char drive = 0;
    std::uint32_t clusters = 0;  // clusters it holds on its volume
    std::uint64_t order = 0;     // creation order, for listings
  };
  // A path resolved to its drive and its names, and the key that identifies
  // it: "C:" for the root, "C:\NAME\..." with the names in upper case.
  struct Resolved {
    bool valid = false;
    char drive = 0;
    std::vector<std::string> names;
    std::string key;
    std::string parentKey;
  };
  class FakeFile;

  Resolved Resolve(const std::string& path) const;
  // As Resolve, for the set-up helpers: a path that is not valid or not on a
  // drive of this machine is the test's mistake.
  Resolved ResolveForSetUp(const std::string& path) const;
  Node* Find(const std::string& key) const;
  bool IsFolderKey(const std::string& key) const;
  // The volume, when the program may create r there: r's folder exists and
  // the volume is not a CD-ROM.
  Volume* WritableParent(const Resolved& r);
  Volume* WritableVolumeOf(const Node& node);
  // Bytes a file may hold when it keeps its own clusters and takes the free ones.
  std::uint64_t Room(const Volume& v, const Node* file) const;
  // Gives the file the clusters for newSize bytes, taking them from or giving
  // them back to the volume; false (and no change) when too few are free.
  bool Charge(Volume& v, Node& file, std::uint64_t newSize);
  void StoreContents(Volume& v, Node& file, std::string contents);
  // Writes contents into the file at key piece by piece, reporting to
  // progress; false when progress cancelled (the file is then removed). Stops
  // early, with true, where the volume is full.
  bool WriteInSteps(Volume& v, const std::string& key, const std::string& contents, const CopyProgress& progress);
  void AddParentFolders(const Resolved& r);
  // Adds an entry (replacing nothing: the caller made sure there is none).
  Node& Put(const Resolved& r, bool folder, std::uint32_t attributes);
  void Erase(const std::string& key);
  static bool Consume(std::map<std::string, int>& counts, const std::string& key);

  std::map<char, Volume> volumes_;
  std::map<std::string, std::shared_ptr<Node>> nodes_;
  struct RegistryValue {
    std::string data;
    bool isString = true;
  };
  std::set<std::string> registryKeys_;  // in upper case, without outer "\"
  std::map<std::pair<std::string, std::string>, RegistryValue> registryValues_;
  std::uint64_t nextOrder_ = 0;

  std::string tempPath_ = "C:\\TEMP\\";
  std::string modulePath_ = "E:\\Setup.exe";
  std::string commandLine_ = "\"E:\\Setup.exe\"";
  std::string currentFolder_ = "C:\\";
  char decimalSeparator_ = '.';
  text::LeadBytes leadBytes_ = text::LeadBytes::Gbk();
  LocalTime now_ = {2024, 3, 9, 8, 5, 7, 42};
  std::int64_t steadyMilliseconds_ = 0;
  std::size_t copyStepBytes_ = 64 * 1024;
  std::int64_t copyStepMilliseconds_ = 0;
  std::string windowsVersion_ = "Windows 10.0 build 19045";
  std::map<char16_t, std::string> ansiCharacters_;
  std::vector<ShellCall> shellCalls_;
  bool shellOpenResult_ = true;
  std::set<std::string> instances_;  // names held by this or another process
  std::set<std::string> windows_;    // captions of other processes' windows
  std::vector<std::string> windowsBroughtToFront_;

  std::map<std::string, int> failingCopies_;  // key -> remaining (kAlways: every time)
  std::set<std::string> failingOpens_;
  std::map<std::string, std::size_t> writeLimits_;
  std::map<std::string, std::size_t> killedCopies_;
  bool keepPartialCopies_ = false;
};

}  // namespace platform
