#include "deploy/DiscMap.h"

#include "deploy/ListText.h"
#include "text/AnsiText.h"

namespace deploy {

bool ParseDiscMap(const std::string& text, std::vector<DiscLocation>& map, std::string& error) {
  std::vector<DiscLocation> parsed;
  for (const std::string& entry : SplitList(text, ';')) {
    // A label never holds "=", a folder may.
    const std::size_t equals = text::FindWholeChar(entry, '=');
    const std::string label = equals == std::string::npos ? std::string() : text::Trim(entry.substr(0, equals));
    const std::string folder = equals == std::string::npos ? std::string() : text::Trim(entry.substr(equals + 1));
    if (label.empty() || folder.empty()) {
      error = "/DISCS 的条目“" + entry + "”应写作 光盘标签=文件夹，例如 CD2=F:\\。";
      return false;
    }
    parsed.push_back({label, text::IncludeTrailingBackslash(folder)});
  }
  map = std::move(parsed);
  return true;
}

std::string DiscMapText(const std::vector<DiscLocation>& map) {
  std::vector<std::string> entries;
  for (const DiscLocation& location : map) entries.push_back(location.Label + "=" + location.Folder);
  return JoinList(entries, ';');
}

}  // namespace deploy
