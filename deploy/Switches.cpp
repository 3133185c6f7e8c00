#include "deploy/Switches.h"

#include <set>
#include <stdexcept>

#include "deploy/DiscMap.h"
#include "text/AnsiText.h"

namespace deploy {

namespace {

enum class Takes { Nothing, Value, OptionalValue };

// Stores one switch in options; false with error for a value it refuses.
using Apply = bool (*)(DeployOptions& options, const std::string& value, std::string& error);

struct SwitchRule {
  const char* name;  // in upper case, without "/"
  Takes takes;
  Apply apply;
};

// A switch that sets a flag.
template <bool DeployOptions::*flag>
bool SetFlag(DeployOptions& options, const std::string&, std::string&) {
  options.*flag = true;
  return true;
}

// A switch whose value is kept as given.
template <std::optional<std::string> DeployOptions::*field>
bool StoreValue(DeployOptions& options, const std::string& value, std::string&) {
  options.*field = value;
  return true;
}

bool SetSilent(DeployOptions& options, const std::string&, std::string&) {
  if (options.Mode != InstallMode::VerySilent) options.Mode = InstallMode::Silent;
  return true;
}

bool SetVerySilent(DeployOptions& options, const std::string&, std::string&) {
  options.Mode = InstallMode::VerySilent;
  return true;
}

bool StoreDiscMap(DeployOptions& options, const std::string& value, std::string& error) {
  std::vector<DiscLocation> map;
  if (!ParseDiscMap(value, map, error)) return false;
  options.Discs = std::move(map);
  return true;
}

bool StoreDiscSetFolder(DeployOptions& options, const std::string& value, std::string&) {
  options.DiscSetFolder = text::IncludeTrailingBackslash(value);
  return true;
}

bool StoreLog(DeployOptions& options, const std::string& value, std::string&) {
  options.Log = true;
  options.LogFile = value;
  return true;
}

const SwitchRule kSwitchRules[] = {
    {"SILENT", Takes::Nothing, SetSilent},
    {"VERYSILENT", Takes::Nothing, SetVerySilent},
    {"SUPPRESSMSGBOXES", Takes::Nothing, SetFlag<&DeployOptions::SuppressMessageBoxes>},
    {"DIR", Takes::Value, StoreValue<&DeployOptions::Dir>},
    {"COMPONENTS", Takes::Value, StoreValue<&DeployOptions::Components>},
    {"DISCS", Takes::Value, StoreDiscMap},
    {"SOURCE", Takes::Value, StoreDiscSetFolder},
    {"LOG", Takes::OptionalValue, StoreLog},
    {"SAVEINF", Takes::Value, StoreValue<&DeployOptions::SaveInf>},
    {"LOADINF", Takes::Value, StoreValue<&DeployOptions::LoadInf>},
    {"STATUS", Takes::Nothing, SetFlag<&DeployOptions::Status>},
    {"?", Takes::Nothing, SetFlag<&DeployOptions::Help>},
};

const SwitchRule* FindRule(const std::string& upperName) {
  for (const SwitchRule& rule : kSwitchRules)
    if (upperName == rule.name) return &rule;
  return nullptr;
}

bool IsSwitch(const std::string& argument) { return !argument.empty() && argument[0] == '/'; }

// Reads one "/NAME" or "/NAME=value" argument into options.
bool ApplySwitch(const std::string& argument, std::set<std::string>& seen, DeployOptions& options,
                 std::string& error) {
  const std::size_t equals = text::FindWholeChar(argument, '=');
  const bool hasValue = equals != std::string::npos;
  const std::string given = argument.substr(0, equals);  // "/name" as written
  const std::string name = text::UpperAscii(given.substr(1));
  const std::string value = hasValue ? argument.substr(equals + 1) : std::string();

  const SwitchRule* rule = FindRule(name);
  if (!rule) {
    error = "未知的命令行开关：" + given + "。";
    return false;
  }
  if (!seen.insert(name).second) {
    error = "命令行开关 /" + name + " 出现了两次。";
    return false;
  }
  if (rule->takes == Takes::Nothing && hasValue) {
    error = "命令行开关 /" + name + " 不带值：" + argument + "。";
    return false;
  }
  if ((rule->takes == Takes::Value && value.empty()) || (rule->takes == Takes::OptionalValue && hasValue && value.empty())) {
    error = "命令行开关 /" + name + " 缺少值，应写作 /" + name + "=值。";
    return false;
  }
  return rule->apply(options, value, error);
}

std::string Quoted(const std::string& argument) {
  if (argument.find('"') != std::string::npos)
    throw std::invalid_argument("a switch holding a double quote cannot be passed on: " + argument);
  return "\"" + argument + "\"";
}

}  // namespace

bool ParseSwitches(const std::vector<std::string>& arguments, DeployOptions& options, std::string& error) {
  DeployOptions parsed;
  std::set<std::string> seen;
  std::size_t positional = 0;
  for (const std::string& argument : arguments) {
    if (IsSwitch(argument)) {
      if (!ApplySwitch(argument, seen, parsed, error)) return false;
    } else if (!seen.empty()) {
      error = "命令行开关之后多出了参数：" + argument + "。";
      return false;
    } else if (positional < 2) {
      (positional++ == 0 ? parsed.Argument1 : parsed.Argument2) = argument;
    }
  }
  options = std::move(parsed);
  return true;
}

bool IsChoiceSwitch(const std::string& name) {
  const std::string upperName = text::UpperAscii(name);
  return upperName == "DIR" || upperName == "COMPONENTS" || upperName == "DISCS" || upperName == "SOURCE";
}

bool ParseChoice(const std::string& name, const std::string& value, DeployOptions& options, std::string& error) {
  if (!IsChoiceSwitch(name)) {
    error = "未知的选项：" + name + "。";
    return false;
  }
  return FindRule(text::UpperAscii(name))->apply(options, value, error);
}

std::string ForwardedSwitches(const DeployOptions& o) {
  std::vector<std::string> switches;
  if (o.Mode == InstallMode::Silent) switches.push_back("/SILENT");
  if (o.Mode == InstallMode::VerySilent) switches.push_back("/VERYSILENT");
  if (o.SuppressMessageBoxes) switches.push_back("/SUPPRESSMSGBOXES");
  if (o.Dir) switches.push_back("/DIR=" + *o.Dir);
  if (o.Components) switches.push_back("/COMPONENTS=" + *o.Components);
  if (o.Discs) switches.push_back("/DISCS=" + DiscMapText(*o.Discs));
  if (o.DiscSetFolder) switches.push_back("/SOURCE=" + *o.DiscSetFolder);
  if (o.Log) switches.push_back(o.LogFile.empty() ? "/LOG" : "/LOG=" + o.LogFile);
  if (o.SaveInf) switches.push_back("/SAVEINF=" + *o.SaveInf);
  if (o.LoadInf) switches.push_back("/LOADINF=" + *o.LoadInf);
  if (o.Status) switches.push_back("/STATUS");
  if (o.Help) switches.push_back("/?");

  std::string text;
  for (const std::string& s : switches) text += (text.empty() ? "" : " ") + Quoted(s);
  return text;
}

}  // namespace deploy
