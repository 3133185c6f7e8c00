// Where every item of every pack goes: the discs are filled one after the
// other in library order, and an item that no longer fits on the current
// disc starts the next one. Items are never split, so a pack may span
// several discs, always consecutive ones.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace cdtool {

struct DiscLayout {
  std::vector<std::vector<std::size_t>> itemDisc;   // [pack][item]: the disc (0-based) holding the item
  std::vector<std::vector<std::size_t>> packDiscs;  // [pack]: the discs holding its items, ascending
  std::vector<std::uintmax_t> discBytes;            // [disc]: bytes of the items on it
};

// itemSizes[pack][item] in bytes, each at most room (the bytes a disc has for
// items). A pack without items is put on the disc being filled when its turn
// comes, so that its folder exists somewhere. There is always one disc at least.
DiscLayout LayOutDiscs(const std::vector<std::vector<std::uintmax_t>>& itemSizes, std::uintmax_t room);

}  // namespace cdtool
