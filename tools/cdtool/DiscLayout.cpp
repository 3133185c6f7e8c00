#include "tools/cdtool/DiscLayout.h"

namespace cdtool {

DiscLayout LayOutDiscs(const std::vector<std::vector<std::uintmax_t>>& itemSizes, std::uintmax_t room) {
  DiscLayout layout;
  layout.discBytes.push_back(0);
  for (const std::vector<std::uintmax_t>& sizes : itemSizes) {
    std::vector<std::size_t> discs;
    std::vector<std::size_t> packDiscs;
    for (std::uintmax_t size : sizes) {
      if (size > room - layout.discBytes.back()) layout.discBytes.push_back(0);
      layout.discBytes.back() += size;
      const std::size_t disc = layout.discBytes.size() - 1;
      discs.push_back(disc);
      if (packDiscs.empty() || packDiscs.back() != disc) packDiscs.push_back(disc);
    }
    if (packDiscs.empty()) packDiscs.push_back(layout.discBytes.size() - 1);
    layout.itemDisc.push_back(std::move(discs));
    layout.packDiscs.push_back(std::move(packDiscs));
  }
  return layout;
}

}  // namespace cdtool
