// /? names every switch the parser takes and every exit code.
#include <gtest/gtest.h>

#include <cstring>

#include "deploy/ExitCodes.h"
#include "deploy/HelpText.h"
#include "deploy/Switches.h"

namespace {

TEST(HelpTextTest, NamesEverySwitchAndEveryExitCode) {
  const std::string help = deploy::HelpText();
  const char* const switches[] = {"/SILENT", "/VERYSILENT", "/SUPPRESSMSGBOXES", "/DIR=", "/COMPONENTS=", "/DISCS=",
                                  "/SOURCE=", "/LOG",        "/SAVEINF=",         "/LOADINF=", "/STATUS", "/?"};
  for (const char* name : switches) {
    SCOPED_TRACE(name);
    deploy::DeployOptions options;
    std::string error;
    // A value that every switch taking one accepts.
    const std::string argument = std::string(name) + (name[std::strlen(name) - 1] == '=' ? "CD2=F:\\" : "");
    EXPECT_TRUE(deploy::ParseSwitches({argument}, options, error)) << error;
    EXPECT_NE(help.find(name), std::string::npos);
  }
  for (int code : {deploy::kExitComplete, deploy::kExitCouldNotStart, deploy::kExitCancelledBeforeCopy,
                   deploy::kExitFatalError, deploy::kExitStoppedDuringCopy, deploy::kExitDiscsPending})
    EXPECT_NE(help.find("\r\n" + std::to_string(code) + "\t"), std::string::npos) << code;
}

}  // namespace
