#include "tools/cdtool/CommandLine.h"

#include <cctype>
#include <limits>

namespace cdtool {

CommandLine::CommandLine(const std::vector<std::string>& args, const std::vector<OptionSpec>& options) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      positional_.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      help_ = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionSpec* known = nullptr;
    for (const OptionSpec& option : options)
      if (option.name == name) known = &option;
    if (!known) throw UsageError("unknown option " + name);
    if (!known->takesValue) {
      if (equals != std::string::npos) throw UsageError(name + " takes no value");
      values_[name] = "";
    } else if (equals != std::string::npos) {
      values_[name] = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      values_[name] = args[++i];
    } else {
      throw UsageError(name + " needs a value");
    }
  }
}

std::optional<std::string> CommandLine::Value(const std::string& option) const {
  const auto found = values_.find(option);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

void CommandLine::ExpectPositional(std::size_t min, std::size_t max) const {
  if (positional_.size() < min) throw UsageError("missing arguments");
  if (positional_.size() > max) throw UsageError("too many arguments: " + positional_[max]);
}

namespace {

// Digits only, without overflow; false for anything else.
bool ParseDigits(const std::string& digits, std::uint64_t& value) {
  if (digits.empty()) return false;
  value = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    const unsigned digit = static_cast<unsigned>(c - '0');
    if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return false;
    value = value * 10 + digit;
  }
  return true;
}

}  // namespace

std::uint64_t ParseSize(const std::string& text, const std::string& option) {
  std::string digits = text;
  if (!digits.empty() && (digits.back() == 'B' || digits.back() == 'b') && digits.size() >= 2 &&
      !std::isdigit(static_cast<unsigned char>(digits[digits.size() - 2])))
    digits.pop_back();  // "700MB" reads as "700M"
  int shift = 0;
  if (!digits.empty()) {
    switch (std::toupper(static_cast<unsigned char>(digits.back()))) {
      case 'K': shift = 10; break;
      case 'M': shift = 20; break;
      case 'G': shift = 30; break;
      default: break;
    }
    if (shift) digits.pop_back();
  }
  std::uint64_t value = 0;
  if (!ParseDigits(digits, value) || value == 0 || value > (std::numeric_limits<std::uint64_t>::max() >> shift))
    throw UsageError(option + ": '" + text + "' is no size; give bytes, or a number with K, M or G");
  return value << shift;
}

unsigned ParseNumber(const std::string& text, unsigned max, const std::string& option) {
  std::uint64_t value = 0;
  if (!ParseDigits(text, value) || value > max)
    throw UsageError(option + ": '" + text + "' is no number from 0 to " + std::to_string(max));
  return static_cast<unsigned>(value);
}

}  // namespace cdtool
