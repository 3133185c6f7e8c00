#include "ui/win32/FontCache.h"

namespace ui::win32 {

HFONT FontCache::Get(const Font& font, int dpi) {
  // The colour plays no part in a GDI font.
  for (const Entry& entry : entries_)
    if (entry.dpi == dpi && entry.font.Name == font.Name && entry.font.Height == font.Height &&
        entry.font.Bold == font.Bold)
      return entry.handle.get();
  entries_.push_back({font, dpi, MakeFont(font, dpi)});
  return entries_.back().handle.get();
}

}  // namespace ui::win32
