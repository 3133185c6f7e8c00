#include "text/FolderName.h"

#include <cstring>

#include "text/AnsiText.h"

namespace text {

namespace {

// The second byte of a GBK character; a lead byte followed by anything else is
// no character, and Windows would read the byte after it on its own.
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

bool IsDeviceName(const std::string& name) {
  // The device is the part before the first dot, without trailing blanks.
  std::string base = text::UpperAscii(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

bool IsSafeFolderName(const std::string& name) {
  if (name.empty()) return true;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (text::IsLeadByte(c)) {
      // A lead byte at the end would take the "\" after the name as its second byte.
      if (i + 1 == name.size() || !IsTrailByte(static_cast<unsigned char>(name[i + 1]))) return false;
      ++i;
    } else if (c < 32 || std::strchr("\\/:*?\"<>|", c)) {
      return false;
    }
  }
  // Covers "." and "..": Windows drops trailing dots and blanks.
  if (name.back() == '.' || name.back() == ' ') return false;
  return !IsDeviceName(name);
}

}  // namespace text
