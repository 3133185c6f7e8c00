#include "catalogue/U_Type.h"

#include <algorithm>
#include <cstring>

catalogue::LabelString::LabelString(const std::string& text) {
  bytes_.fill(0);
  const std::size_t length = std::min<std::size_t>(text.size(), kStoredSize - 1);
  bytes_[0] = static_cast<unsigned char>(length);
  std::memcpy(bytes_.data() + 1, text.data(), length);
}

catalogue::LabelString catalogue::LabelString::FromStored(const unsigned char* stored) {
  catalogue::LabelString label;
  std::memcpy(label.bytes_.data(), stored, kStoredSize);
  return label;
}

std::string catalogue::LabelString::Text() const {
  return std::string(reinterpret_cast<const char*>(bytes_.data()) + 1, bytes_[0]);
}

bool catalogue::LabelString::operator==(const catalogue::LabelString& other) const {
  return bytes_[0] == other.bytes_[0] &&
         std::memcmp(bytes_.data() + 1, other.bytes_.data() + 1, bytes_[0]) == 0;
}

bool operator==(const TCdPack& a, const TCdPack& b) {
  return a.Standard == b.Standard && a.Specialty == b.Specialty && a.Selected == b.Selected && a.Labels == b.Labels;
}

bool operator==(const TCdSignFile& a, const TCdSignFile& b) {
  return a.Tag == b.Tag && a.Label == b.Label && a.Packs == b.Packs;
}
