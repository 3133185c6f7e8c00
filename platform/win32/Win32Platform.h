// The platform on the real system: each operation is the Win32 A call that
// the interface names, one source file per concept (Win32Files.cpp,
// Win32Copy.cpp, Win32Drives.cpp, Win32Registry.cpp, Win32Locale.cpp,
// Win32Process.cpp, Win32System.cpp).
#pragma once
#include "platform/Platform.h"

namespace platform {

class Win32Platform final : public Platform {
 public:
  // --- process and start-up (Win32Process.cpp)
  std::string TempPath() override;
  std::string ModulePath() override;
  std::string CommandLine() override;
  bool SameFolder(const std::string& a, const std::string& b) override;
  bool ShellOpen(const std::string& file, const std::string& parameters) override;
  bool ClaimInstance(const std::string& name) override;
  bool InstanceRunning(const std::string& name) override;
  bool BringWindowToFront(const std::string& caption) override;

  // --- files and folders (Win32Files.cpp; CopyFileTo in Win32Copy.cpp)
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

  // --- drives (Win32Drives.cpp)
  int DriveTypeOf(const std::string& root) override;
  bool DiskSpaceOf(const std::string& root, DiskSpace& space) override;

  // --- registry (Win32Registry.cpp)
  RegistryRead ReadMachineString(const std::string& key, const std::string& value,
                                 std::string& result) override;

  // --- locale (Win32Locale.cpp)
  int CompareTextNoCase(const std::string& a, const std::string& b) override;
  char DecimalSeparator() override;
  text::LeadBytes AnsiLeadBytes() override;
  std::string AnsiToUtf8(const std::string& ansi) override;

  // --- system (Win32System.cpp)
  LocalTime Now() override;
  std::int64_t SteadyMilliseconds() override;
  std::string WindowsVersion() override;
  bool WideToAnsi(const std::u16string& wide, std::string& ansi) override;
};

}  // namespace platform
