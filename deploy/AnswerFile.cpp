#include "deploy/AnswerFile.h"

#include <set>

#include "deploy/DiscMap.h"
#include "deploy/ListText.h"
#include "deploy/Switches.h"
#include "text/AnsiText.h"

namespace deploy {

namespace {

const char kSection[] = "SETUP";

// A value without the one pair of double quotes it may stand in.
std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
  return value;
}

std::string LineError(std::size_t number, const std::string& what) {
  return "应答文件第 " + std::to_string(number) + " 行：" + what;
}

}  // namespace

std::string AnswerFileText(const DeployOptions& answers) {
  std::string text = "[Setup]\r\n";
  if (answers.Dir) text += "Dir=" + *answers.Dir + "\r\n";
  if (answers.Components) text += "Components=" + *answers.Components + "\r\n";
  if (answers.Discs) text += "Discs=" + DiscMapText(*answers.Discs) + "\r\n";
  if (answers.DiscSetFolder) text += "Source=" + *answers.DiscSetFolder + "\r\n";
  return text;
}

bool ParseAnswerFile(const std::string& text, DeployOptions& answers, std::string& error) {
  DeployOptions parsed;
  std::set<std::string> seen;
  bool inSetup = false;
  std::size_t number = 0;
  for (const std::string& raw : SplitList(text, '\n')) {
    ++number;
    const std::string line = text::Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      inSetup = text::UpperAscii(text::Trim(line.substr(1, line.size() - 2))) == kSection;
      continue;
    }
    const std::size_t equals = text::FindWholeChar(line, '=');
    if (equals == std::string::npos) {
      error = LineError(number, "应写作 名称=值：" + line);
      return false;
    }
    if (!inSetup) continue;
    const std::string key = text::Trim(line.substr(0, equals));
    const std::string value = Unquoted(text::Trim(line.substr(equals + 1)));
    if (!IsChoiceSwitch(key)) {
      error = LineError(number, "未知的名称：" + key + "。");
      return false;
    }
    if (!seen.insert(text::UpperAscii(key)).second) {
      error = LineError(number, key + " 出现了两次。");
      return false;
    }
    std::string choiceError;
    if (!value.empty() && !ParseChoice(key, value, parsed, choiceError)) {
      error = LineError(number, choiceError);
      return false;
    }
  }
  answers.Dir = parsed.Dir;
  answers.Components = parsed.Components;
  answers.Discs = parsed.Discs;
  answers.DiscSetFolder = parsed.DiscSetFolder;
  return true;
}

bool SaveAnswerFile(platform::Platform& platform, const std::string& path, const DeployOptions& answers,
                    std::string& error) {
  try {
    if (platform::WriteWholeFile(platform, path, AnswerFileText(answers))) return true;
    error = "无法写入应答文件：" + path;
  } catch (const platform::Error& e) {
    error = e.what();
  }
  return false;
}

bool LoadAnswerFile(platform::Platform& platform, const std::string& path, DeployOptions& answers,
                    std::string& error) {
  if (!platform::FileExists(platform, path)) {
    error = "应答文件不存在：" + path;
    return false;
  }
  std::string text;
  try {
    if (!platform::ReadWholeFile(platform, path, text)) {
      error = "无法读取应答文件：" + path;
      return false;
    }
  } catch (const platform::Error& e) {
    error = e.what();
    return false;
  }
  return ParseAnswerFile(text, answers, error);
}

void ApplyAnswers(DeployOptions& options, const DeployOptions& answers) {
  if (!options.Dir) options.Dir = answers.Dir;
  if (!options.Components) options.Components = answers.Components;
  if (!options.Discs) options.Discs = answers.Discs;
  if (!options.DiscSetFolder) options.DiscSetFolder = answers.DiscSetFolder;
}

}  // namespace deploy
