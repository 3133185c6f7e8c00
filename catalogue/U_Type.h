// The catalogue records: label strings, packs, the disc descriptor and the
// pending labels of one pack. Texts are ANSI (GBK) bytes.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace catalogue {

// A length-prefixed text stored in exactly 256 bytes: one length byte L and
// the text; only the first L bytes after the length byte are meaningful, the
// rest is carried along but ignored when comparing.
class LabelString {
 public:
  static constexpr std::size_t kStoredSize = 256;
  LabelString() { bytes_.fill(0); }
  LabelString(const std::string& text);  // NOLINT: labels are made from texts everywhere
  // Takes the 256 stored bytes as they are.
  static LabelString FromStored(const unsigned char* stored);

  std::string Text() const;
  std::uint8_t Length() const { return bytes_[0]; }
  const std::array<unsigned char, kStoredSize>& Stored() const { return bytes_; }

  bool operator==(const LabelString& other) const;
  bool operator!=(const LabelString& other) const { return !(*this == other); }

 private:
  std::array<unsigned char, kStoredSize> bytes_;
};

}  // namespace catalogue

using TCdLabels = std::vector<catalogue::LabelString>;

struct TCdPack {
  catalogue::LabelString Standard;
  catalogue::LabelString Specialty;
  bool Selected = false;
  TCdLabels Labels;
};

using TCdPacks = std::vector<TCdPack>;

struct TCdSignFile {
  std::uint8_t Tag = 0;
  catalogue::LabelString Label;
  TCdPacks Packs;
};

struct TInstallStep {
  TCdLabels Labels;
};

bool operator==(const TCdPack& a, const TCdPack& b);
inline bool operator!=(const TCdPack& a, const TCdPack& b) { return !(a == b); }
bool operator==(const TCdSignFile& a, const TCdSignFile& b);
inline bool operator!=(const TCdSignFile& a, const TCdSignFile& b) { return !(a == b); }
