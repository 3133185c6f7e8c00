// Lists written as one text with a separator character, as /COMPONENTS
// ("国标\土建,浙江省标\市政") and /DISCS ("CD2=F:\;CD3=G:\") take them.
#pragma once
#include <string>
#include <vector>

namespace deploy {

// The items between the separators, whole characters only; an empty text
// gives no item, and every separator gives one more item (empty ones too, so
// that the caller can refuse them).
std::vector<std::string> SplitList(const std::string& list, char separator);
std::string JoinList(const std::vector<std::string>& items, char separator);

}  // namespace deploy
