// The Win32 platform's drives, registry, locale, clock and version, and the
// process's error mode, on the real system.
#include <gtest/gtest.h>

#include "platform/win32/ProcessErrorMode.h"
#include "platform/win32/Win32Platform.h"
#include <windows.h>
#include "text/AnsiText.h"

namespace {

using platform::RegistryRead;

TEST(PlatformDrivesTest, ReportsTypeAndSpaceOfTheSystemDrive) {
  platform::Win32Platform system;
  EXPECT_EQ(system.DriveTypeOf("C:\\"), platform::kDriveFixed);
  platform::DiskSpace space;
  ASSERT_TRUE(system.DiskSpaceOf("C:\\", space));
  EXPECT_GT(space.SectorsPerCluster, 0u);
  EXPECT_GT(space.BytesPerSector, 0u);
  EXPECT_GT(space.TotalClusters, 0u);
  EXPECT_LE(space.FreeClusters, space.TotalClusters);
}

TEST(PlatformDrivesTest, AnUnmappedDriveHasNoRootAndNoSpace) {
  platform::Win32Platform system;
  // The first letter from the end that names no drive.
  std::string root = "Y:\\";
  while (root[0] > 'D' && ::GetLogicalDrives() & (1u << (root[0] - 'A'))) --root[0];
  ASSERT_GT(root[0], 'D') << "every drive letter is in use";
  EXPECT_EQ(system.DriveTypeOf(root), platform::kDriveNoRootDir);
  platform::DiskSpace space;
  EXPECT_FALSE(system.DiskSpaceOf(root, space));
}

// A key of its own under HKEY_LOCAL_MACHINE\SOFTWARE (the 32-bit view, where
// the application registers), deleted afterwards.
class PlatformRegistryTest : public testing::Test {
 protected:
  static constexpr const char* kKey = "SOFTWARE\\TavrinPlatformTest";

  void SetUp() override {
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_32KEY, 0);
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                                &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    ::RegCloseKey(key_);
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_32KEY, 0);
  }
  void Set(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(::RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }
  RegistryRead Read(const std::string& key, const std::string& value, std::string& result) {
    return system.ReadMachineString(key, value, result);
  }

  platform::Win32Platform system;
  HKEY key_ = nullptr;
};

TEST_F(PlatformRegistryTest, ReadsStringValuesAsStored) {
  const std::string text = "D:\\素材库\\";
  Set("Text", REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
  Set("Expandable", REG_EXPAND_SZ, "%TEMP%\\x", 9);
  Set("Unterminated", REG_SZ, "abc", 3);
  Set("Empty", REG_SZ, "", 1);

  const std::pair<const char*, std::string> cases[] = {
      {"Text", text}, {"Expandable", "%TEMP%\\x"}, {"Unterminated", "abc"}, {"Empty", ""}};
  for (const auto& [name, expected] : cases) {
    std::string result = "stale";
    EXPECT_EQ(Read(kKey, name, result), RegistryRead::Ok) << name;
    EXPECT_EQ(result, expected) << name;
  }
  std::string result;
  EXPECT_EQ(Read(std::string(kKey) + "\\", "Text", result), RegistryRead::Ok) << "a final backslash is fine";
}

TEST_F(PlatformRegistryTest, TellsMissingKeyMissingValueAndOtherTypesApart) {
  const DWORD number = 7;
  Set("Number", REG_DWORD, &number, sizeof number);
  Set("Bytes", REG_BINARY, "ab", 2);

  std::string result = "stale";
  EXPECT_EQ(Read(kKey, "Number", result), RegistryRead::NotAString);
  EXPECT_EQ(result, "");
  EXPECT_EQ(Read(kKey, "Bytes", result), RegistryRead::NotAString);
  EXPECT_EQ(Read(kKey, "Absent", result), RegistryRead::ValueMissing);
  EXPECT_EQ(Read(std::string(kKey) + "\\Absent", "Text", result), RegistryRead::KeyMissing);
}

TEST(PlatformLocaleTest, ComparesIgnoringLetterCase) {
  platform::Win32Platform system;
  EXPECT_EQ(system.CompareTextNoCase("cd1", "CD1"), 0);
  EXPECT_EQ(system.CompareTextNoCase("国标 Disc", "国标 DISC"), 0);
  EXPECT_EQ(system.CompareTextNoCase("", ""), 0);
  EXPECT_LT(system.CompareTextNoCase("CD1", "cd2"), 0);
  EXPECT_GT(system.CompareTextNoCase("cd2", "CD1"), 0);
  EXPECT_LT(system.CompareTextNoCase("", "a"), 0);
  EXPECT_NE(system.CompareTextNoCase("CD1", "CD1 "), 0);
}

TEST(PlatformLocaleTest, ConvertsToTheAnsiCodePageOnlyWhatItCanShow) {
  platform::Win32Platform system;
  std::string ansi = "before";
  ASSERT_TRUE(system.WideToAnsi(u"国标 Disc.dwg", ansi));
  EXPECT_EQ(ansi, "国标 Disc.dwg");
  ASSERT_TRUE(system.WideToAnsi(u"", ansi));
  EXPECT_EQ(ansi, "");
  // No "?" and no look-alike: a Runic letter, and an "A" with a ring, which
  // a best-fit conversion would make a plain "A".
  ansi = "before";
  EXPECT_FALSE(system.WideToAnsi(u"图\u16A0.dwg", ansi));
  EXPECT_FALSE(system.WideToAnsi(u"\u00C5.dwg", ansi));
  EXPECT_EQ(ansi, "before");
}

TEST(PlatformLocaleTest, DecimalSeparatorFollowsTheUsersSetting) {
  platform::Win32Platform system;
  char original[8] = {};
  ASSERT_GT(::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, original, sizeof original), 0);
  ASSERT_TRUE(::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ","));
  const char changed = system.DecimalSeparator();
  ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, original);
  EXPECT_EQ(changed, ',');
  EXPECT_EQ(system.DecimalSeparator(), original[0]);
}

TEST(PlatformLocaleTest, LeadBytesAreThoseOfTheSystemCodePage) {
  // The tests run in code page 936 (GBK).
  ASSERT_EQ(::GetACP(), 936u);
  platform::Win32Platform system;
  EXPECT_EQ(system.AnsiLeadBytes(), text::LeadBytes::Gbk());
}

TEST(ProcessErrorModeTest, CriticalErrorsFailSilentlyAndEarlierBitsStay) {
  const UINT before = ::SetErrorMode(SEM_NOGPFAULTERRORBOX);
  platform::win32::FailCriticalErrorsSilently();
  const UINT after = ::SetErrorMode(before);
  EXPECT_EQ(after, UINT{SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX});
}

TEST(PlatformLocaleTest, ConvertsAnsiTextToUtf8) {
  platform::Win32Platform system;
  // The tests run with code page 936 (GBK) as the ANSI code page.
  ASSERT_EQ(::GetACP(), 936u);
  EXPECT_EQ(system.AnsiToUtf8("D:\\国标\\土建 a.pak"), u8"D:\\国标\\土建 a.pak");
  EXPECT_EQ(system.AnsiToUtf8(""), "");
}

TEST(PlatformSystemTest, TellsTheLocalTimeAndTheWindowsVersion) {
  platform::Win32Platform system;
  SYSTEMTIME before;
  ::GetLocalTime(&before);
  const platform::LocalTime now = system.Now();
  EXPECT_EQ(now.Year, before.wYear);
  EXPECT_GE(now.Month, 1);
  EXPECT_LE(now.Month, 12);
  EXPECT_LT(now.Milliseconds, 1000);
  EXPECT_EQ(system.WindowsVersion().rfind("Windows ", 0), 0u) << system.WindowsVersion();
}

}  // namespace
