// Byte-string helpers: a double-byte character whose second byte looks like
// "\", ":", "." or a letter must never be taken apart.
#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "text/AnsiText.h"

namespace {

// A GBK character whose second byte is "\" (0x5C), and one whose second byte
// is "a" (0x61).
const std::string kBackslashTrail = "\x95\x5C";
const std::string kLetterTrail = "\x95\x61";

TEST(AnsiText, PathSplitTreatsSeparatorsOnlyAsWholeCharacters) {
  const struct {
    std::string path, folder, name, ext;
  } cases[] = {
      {"E:\\Setup.exe", "E:\\", "Setup.exe", ".exe"},
      {"E:\\a\\" + kBackslashTrail + ".pak", "E:\\a\\", kBackslashTrail + ".pak", ".pak"},
      {"E:\\" + kBackslashTrail + "x", "E:\\", kBackslashTrail + "x", ""},
      {"C:name.PAK", "C:", "name.PAK", ".PAK"},
      {"a.b\\c", "a.b\\", "c", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(text::ExtractFilePath(c.path), c.folder);
    EXPECT_EQ(text::ExtractFileName(c.path), c.name);
    EXPECT_EQ(text::ExtractFileExt(c.path), c.ext);
  }
}

TEST(AnsiText, PathSplitFollowsTheLeadBytesOfTheCodePage) {
  const text::LeadBytes gbk = text::LeadBytes::Gbk(), singleByte = text::LeadBytes::SingleByte();
  // "é" in code page 1252 is the byte 0xE9, a lead byte in GBK.
  const struct {
    const char* codePage;
    const text::LeadBytes& lead;
    std::string path, folder, name;
    bool endsWithBackslash;
  } cases[] = {
      {"1252", singleByte, "D:\\Caf\xE9\\Setup.exe", "D:\\Caf\xE9\\", "Setup.exe", false},
      {"936", gbk, "D:\\Caf\xE9\\Setup.exe", "D:\\", "Caf\xE9\\Setup.exe", false},
      {"1252", singleByte, "D:\\Caf\xE9\\", "D:\\Caf\xE9\\", "", true},
      {"936", gbk, "D:\\Caf\xE9\\", "D:\\", "Caf\xE9\\", false},
      {"1252", singleByte, "E:\\" + kBackslashTrail + "x", "E:\\\x95\\", "x", false},
      {"936", gbk, "E:\\" + kBackslashTrail + "x", "E:\\", kBackslashTrail + "x", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.codePage) + ": " + c.path);
    EXPECT_EQ(text::ExtractFilePath(c.path, c.lead), c.folder);
    EXPECT_EQ(text::ExtractFileName(c.path, c.lead), c.name);
    EXPECT_EQ(text::EndsWithBackslash(c.path, c.lead), c.endsWithBackslash);
    EXPECT_EQ(text::IncludeTrailingBackslash(c.path, c.lead), c.endsWithBackslash ? c.path : c.path + "\\");
  }
}

TEST(AnsiText, ThePlatformInstallsTheLeadBytesOfItsCodePage) {
  platform::FakePlatform machine;
  machine.SetLeadBytes(text::LeadBytes::SingleByte());
  platform::SetCurrent(&machine);
  const std::string split = text::ExtractFilePath("D:\\Caf\xE9\\Setup.exe");
  platform::SetCurrent(nullptr);
  EXPECT_EQ(split, "D:\\Caf\xE9\\");
  EXPECT_EQ(text::ExtractFilePath("D:\\Caf\xE9\\Setup.exe"), "D:\\") << "GBK again without a platform";
}

TEST(AnsiText, FindWholeCharSkipsSecondBytes) {
  const std::string s = kBackslashTrail + "\\a\\";  // a "\" as second byte at 1, whole ones at 2 and 4
  EXPECT_EQ(text::FindWholeChar(s, '\\'), 2u);
  EXPECT_EQ(text::FindWholeChar(s, '\\', 3), 4u);
  EXPECT_EQ(text::FindWholeChar(s, '\\', 5), std::string::npos);
  EXPECT_EQ(text::FindWholeChar(kBackslashTrail, '\\'), std::string::npos);
  EXPECT_EQ(text::FindWholeChar("", ','), std::string::npos);
}

TEST(AnsiText, TrailingBackslashIsAddedUnlessAWholeOneEndsThePath) {
  EXPECT_EQ(text::IncludeTrailingBackslash("D:\\App"), "D:\\App\\");
  EXPECT_EQ(text::IncludeTrailingBackslash("D:\\App\\"), "D:\\App\\");
  EXPECT_EQ(text::IncludeTrailingBackslash("D:\\" + kBackslashTrail), "D:\\" + kBackslashTrail + "\\");
  EXPECT_EQ(text::IncludeTrailingBackslash(""), "\\");
}

TEST(AnsiText, CaseChangesTouchOnlyAsciiLetters) {
  EXPECT_EQ(text::UpperAscii("d:\\app" + kLetterTrail + "z"), "D:\\APP" + kLetterTrail + "Z");
  EXPECT_EQ(text::LowerAscii("SETUP" + std::string("\x95\x41") + "X"), "setup\x95\x41x");
}

TEST(AnsiText, TrimQuoteAndFixedNumbers) {
  EXPECT_EQ(text::Trim(" \t c:\\ \r\n"), "c:\\");
  EXPECT_EQ(text::QuotedName("a.dwg"), "'a.dwg'");
  EXPECT_EQ(text::QuotedName("it's"), "'it''s'");
  EXPECT_EQ(text::FormatFixed2(1024.0, ','), "1024,00");
  EXPECT_EQ(text::FormatFixed2(12.345678, '.'), "12.35");
  EXPECT_EQ(text::FormatFixed2(0.0, '.'), "0.00");
}

}  // namespace
