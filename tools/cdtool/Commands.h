// The commands of cdtool. Each takes the arguments after its name (UTF-8),
// prints its own --help, and returns the exit status: kExitOk, kExitProblem
// (Problems.h), or throws UsageError (CommandLine.h) for bad usage.
#pragma once
#include <string>
#include <vector>

namespace cdtool {

int RunInspect(const std::vector<std::string>& args);
int RunBuild(const std::vector<std::string>& args);
int RunVerify(const std::vector<std::string>& args);

}  // namespace cdtool
