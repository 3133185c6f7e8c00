// cdtool: authoring tool for the disc sets of the material library.
#include <clocale>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/cdtool/Charset.h"
#include "tools/cdtool/CommandLine.h"
#include "tools/cdtool/Commands.h"
#include "tools/cdtool/Console.h"
#include "tools/cdtool/Problems.h"

namespace {

const char* const kHelp =
    "Usage: cdtool COMMAND [ARGUMENTS]\n"
    "\n"
    "Authoring tool for the disc sets of the material library.\n"
    "\n"
    "Commands:\n"
    "  inspect FILE [--json]          show a CDFile.Dat or an Install.Dat\n"
    "  build LIBRARY OUT --capacity SIZE [--label-prefix CD] [--tag N]\n"
    "        [--setup PATH] [--iso]   lay a library out on a set of discs\n"
    "  verify DISC...                 check a disc set as the installer reads it\n"
    "\n"
    "'cdtool COMMAND --help' tells more. Exit status: 0 success, 1 a problem\n"
    "found, 2 bad usage.\n";

int Run(const std::vector<std::string>& args) {
  using namespace cdtool;
  const std::string command = args.empty() ? "" : args[0];
  try {
    const std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (command == "inspect") return RunInspect(rest);
    if (command == "build") return RunBuild(rest);
    if (command == "verify") return RunVerify(rest);
    if (command == "--help" || command == "-h" || command == "help") {
      PrintOut(kHelp);
      return kExitOk;
    }
    PrintError(command.empty() ? std::string("cdtool: no command given\n")
                               : "cdtool: unknown command '" + command + "'\n");
    PrintError(kHelp);
    return kExitUsage;
  } catch (const UsageError& error) {
    PrintError("cdtool " + command + ": " + error.what() + "\nTry 'cdtool " + command + " --help'.\n");
    return kExitUsage;
  } catch (const std::filesystem::filesystem_error& error) {
    // A failure while writing or listing, such as a full disk.
    std::string where = ShowPath(error.path1());
    PrintError("cdtool: " + (where.empty() ? "" : where + ": ") + error.code().message() + "\n");
    return kExitProblem;
  } catch (const std::exception& error) {
    PrintError(std::string("cdtool: ") + error.what() + "\n");
    return kExitProblem;
  }
}

}  // namespace

#ifdef _WIN32
// Wide arguments keep every character of a name, whatever the code page.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(cdtool::WideToUtf8(argv[i]));
  return Run(args);
}
#else
int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "");  // the terminal's character set, for the output
  return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
