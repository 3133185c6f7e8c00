#include "deploy/ListText.h"

#include "text/AnsiText.h"

namespace deploy {

std::vector<std::string> SplitList(const std::string& list, char separator) {
  std::vector<std::string> items;
  if (list.empty()) return items;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text::FindWholeChar(list, separator, start);
    items.push_back(list.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return items;
    start = end + 1;
  }
}

std::string JoinList(const std::vector<std::string>& items, char separator) {
  std::string list;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) list += separator;
    list += items[i];
  }
  return list;
}

}  // namespace deploy
