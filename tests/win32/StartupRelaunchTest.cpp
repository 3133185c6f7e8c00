// The start-up's self-recognition on the real system: the relaunched copy
// knows its folder to be the temporary folder however the system spells it.
#include <gtest/gtest.h>

#include "platform/win32/Win32Platform.h"
#include <windows.h>
#include "startup/Startup.h"
#include "text/AnsiText.h"

namespace {

TEST(StartupRelaunchTest, TempFolderSpeltOtherwiseIsRecognised) {
  platform::Win32Platform system;
  const std::string temp = system.TempPath();
  char shortName[MAX_PATH];
  const DWORD length = ::GetShortPathNameA(temp.c_str(), shortName, sizeof shortName);
  ASSERT_GT(length, 0u);
  ASSERT_LT(length, sizeof shortName);

  EXPECT_TRUE(startup::IsRelaunchedCopy(system, std::string(shortName, length), temp));
  EXPECT_TRUE(startup::IsRelaunchedCopy(system, text::UpperAscii(temp), temp));
  EXPECT_TRUE(startup::IsRelaunchedCopy(system, text::LowerAscii(temp), temp));
  EXPECT_FALSE(startup::IsRelaunchedCopy(system, text::ExtractFilePath(system.ModulePath()) + "x\\", temp));
}

}  // namespace
