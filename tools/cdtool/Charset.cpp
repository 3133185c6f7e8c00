#include "tools/cdtool/Charset.h"

#include <cstdio>

#include "text/AnsiText.h"

namespace cdtool {

bool Utf8ToGbk(const std::string& utf8, std::string& gbk) { return ConvertText(utf8, Charset::Utf8, Charset::Gbk, gbk); }

bool NameToGbk(const std::filesystem::path& path, std::string& gbk) {
  return Utf8ToGbk(path.filename().u8string(), gbk);
}

std::string ShowGbk(const std::string& gbk) {
  std::string shown;
  if (ConvertText(gbk, Charset::Gbk, Charset::Utf8, shown)) return shown;
  // Character by character, so that one bad byte does not hide the rest.
  shown.clear();
  for (std::size_t i = 0; i < gbk.size();) {
    const unsigned char c = static_cast<unsigned char>(gbk[i]);
    const std::size_t length = text::IsLeadByte(c) && i + 1 < gbk.size() ? 2 : 1;
    std::string character;
    if (ConvertText(gbk.substr(i, length), Charset::Gbk, Charset::Utf8, character)) {
      shown += character;
      i += length;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      shown += escaped;
      ++i;
    }
  }
  return shown;
}

}  // namespace cdtool
