// The fonts that measuring text needs, made once for each font and scale:
// making a GDI font costs as much as copying a small file, and the status
// label under the file bar is measured for every file copied.
#pragma once
#include <vector>

#include "ui/win32/GdiObjects.h"

namespace ui::win32 {

class FontCache {
 public:
  // The font in the size of dpi; it lives as long as the cache.
  HFONT Get(const Font& font, int dpi);

 private:
  struct Entry {
    Font font;
    int dpi;
    FontHandle handle;
  };
  std::vector<Entry> entries_;  // a handful: the fonts of the program's labels
};

}  // namespace ui::win32
