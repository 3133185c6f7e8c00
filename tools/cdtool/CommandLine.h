// The arguments of one cdtool command: positional arguments and --options,
// all as UTF-8 texts, and the parsers of option values.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cdtool {

// The command line does not say what to do; the tool ends with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OptionSpec {
  std::string name;  // with its dashes, e.g. "--capacity"
  bool takesValue;
};

class CommandLine {
 public:
  // args: what follows the command's name. "--name value" and "--name=value"
  // both give a value; "--" ends the options. Throws UsageError for an option
  // that is not in `options` (apart from --help and -h) or lacks its value.
  CommandLine(const std::vector<std::string>& args, const std::vector<OptionSpec>& options);

  bool HelpRequested() const { return help_; }
  bool Has(const std::string& option) const { return values_.count(option) != 0; }
  std::optional<std::string> Value(const std::string& option) const;
  const std::vector<std::string>& Positional() const { return positional_; }

  // Throws UsageError unless there are between min and max positional arguments.
  void ExpectPositional(std::size_t min, std::size_t max) const;

 private:
  bool help_ = false;
  std::map<std::string, std::string> values_;
  std::vector<std::string> positional_;
};

// A size in bytes: digits with an optional suffix K, M or G (powers of 1024,
// either letter case, an optional trailing B as in "700MB"). Throws
// UsageError naming `option` for anything else, zero or an overflow.
std::uint64_t ParseSize(const std::string& text, const std::string& option);
// A whole number from 0 to max; throws UsageError naming `option` otherwise.
unsigned ParseNumber(const std::string& text, unsigned max, const std::string& option);

}  // namespace cdtool
