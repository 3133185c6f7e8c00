#include "startup/Arguments.h"

#include <utility>

#include "deploy/Switches.h"
#include "text/AnsiText.h"

namespace startup {

namespace {
bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

std::vector<std::string> SplitArguments(const std::string& commandLine) {
  // The system's command line is a zero-terminated text.
  const std::string line = commandLine.substr(0, commandLine.find('\0'));
  const std::size_t end = line.size();
  std::vector<std::string> arguments;
  std::size_t i = 0;
  for (;;) {
    // Separators and empty pairs of quotes before an argument give nothing.
    for (;;) {
      while (i < end && IsSeparator(line[i])) ++i;
      if (i + 1 < end && line[i] == '"' && line[i + 1] == '"')
        i += 2;
      else
        break;
    }
    if (i >= end) return arguments;
    // GBK's second bytes are never a quote or a separator, so bytes will do.
    std::string argument;
    bool quoted = false;
    for (; i < end && (quoted || !IsSeparator(line[i])); ++i) {
      if (line[i] == '"')
        quoted = !quoted;
      else
        argument += line[i];
    }
    arguments.push_back(std::move(argument));
  }
}

std::string ParamStr(const std::string& commandLine, std::size_t index) {
  const std::vector<std::string> arguments = SplitArguments(commandLine);
  return index < arguments.size() ? arguments[index] : std::string();
}

std::string BuildRelaunchParameters(const std::string& argument1, const std::string& argument2) {
  return "\"" + argument1 + "\" \"" + argument2 + "\"";
}

bool ReadSwitches(const std::string& commandLine, deploy::DeployOptions& options, std::string& error) {
  std::vector<std::string> arguments = SplitArguments(commandLine);
  if (!arguments.empty()) arguments.erase(arguments.begin());
  return deploy::ParseSwitches(arguments, options, error);
}

bool AsksForSilence(const std::string& commandLine) {
  const std::vector<std::string> arguments = SplitArguments(commandLine);
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string name = text::UpperAscii(arguments[i]);
    if (name == "/SILENT" || name == "/VERYSILENT") return true;
  }
  return false;
}

}  // namespace startup
