// Catalogue records and descriptor bytes that the catalogue tests share.
#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "catalogue/CatalogueFormat.h"
#include "catalogue/U_Type.h"

inline void PrintTo(const catalogue::LabelString& label, std::ostream* os) { *os << '"' << label.Text() << '"'; }

namespace samples {

inline TCdLabels Labels(const std::vector<std::string>& texts) { return TCdLabels(texts.begin(), texts.end()); }

inline TCdPack Pack(const std::string& standard, const std::string& specialty,
                    const std::vector<std::string>& labels, bool selected = false) {
  TCdPack pack;
  pack.Standard = standard;
  pack.Specialty = specialty;
  pack.Selected = selected;
  pack.Labels = Labels(labels);
  return pack;
}

// Tag 1, disc "CD2", three packs; 2 836 bytes on disc.
inline TCdSignFile Example() {
  TCdSignFile d;
  d.Tag = 1;
  d.Label = std::string("CD2");
  d.Packs = {Pack("国标", "土建", {"CD1", "CD2"}, true), Pack("浙江省标", "市政", {"CD1", "CD3"}),
             Pack("中南标", "结构", {})};
  return d;
}

// Where the fields of the example's bytes start.
constexpr std::size_t kPackCountAt = 257;
constexpr std::size_t kPack1At = 261;
constexpr std::size_t kPack1LabelCountAt = kPack1At + 513;
constexpr std::size_t kPack2At = kPack1At + 517 + 512;
constexpr std::size_t kPack3At = kPack2At + 517 + 512;
constexpr std::size_t kExampleSize = kPack3At + 517;

inline std::string WithInt32(std::string bytes, std::size_t at, std::int32_t value) {
  const auto raw = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((raw >> (8 * i)) & 0xFF);
  return bytes;
}

// A label string with length byte 3, "CD1" and 252 bytes that are carried
// but not part of the text.
inline catalogue::LabelString LabelWithCarriedBytes() {
  unsigned char stored[catalogue::LabelString::kStoredSize];
  stored[0] = 3;
  stored[1] = 'C';
  stored[2] = 'D';
  stored[3] = '1';
  for (std::size_t i = 4; i < sizeof stored; ++i) stored[i] = static_cast<unsigned char>(i * 7 + 1);
  return catalogue::LabelString::FromStored(stored);
}

// The example with one text replaced by stored bytes of its own (a text
// that catalogue::LabelString's constructor could not make, such as one holding NUL).
inline catalogue::LabelString RawLabel(const std::string& text) {
  unsigned char stored[catalogue::LabelString::kStoredSize] = {};
  stored[0] = static_cast<unsigned char>(text.size());
  std::copy(text.begin(), text.end(), stored + 1);
  return catalogue::LabelString::FromStored(stored);
}

struct MalformedDescriptor {
  const char* what;
  std::string bytes;
  std::size_t failOffset;  // where ParseCatalogue stops
};

inline std::string ExampleWithStandard(std::size_t pack, const catalogue::LabelString& standard) {
  TCdSignFile d = Example();
  d.Packs[pack].Standard = standard;
  return catalogue::SerializeCatalogue(d);
}

inline std::string ExampleWithSpecialty(std::size_t pack, const catalogue::LabelString& specialty) {
  TCdSignFile d = Example();
  d.Packs[pack].Specialty = specialty;
  return catalogue::SerializeCatalogue(d);
}

inline std::vector<MalformedDescriptor> MalformedDescriptors() {
  const std::string example = catalogue::SerializeCatalogue(Example());
  const std::size_t pack2SpecialtyAt = kPack2At + 256;
  return {
      {"empty file", "", 0},
      {"ends inside the label", example.substr(0, 100), 1},
      {"ends inside the pack count", example.substr(0, 259), kPackCountAt},
      {"ends inside the third pack", example.substr(0, kPack3At + 300), kPack3At + 256},
      {"ends inside the labels of the second pack", example.substr(0, kPack2At + 517 + 100), kPack2At + 513},
      {"negative pack count", WithInt32(example, kPackCountAt, -1), kPackCountAt},
      {"two billion packs in a few bytes", WithInt32(example.substr(0, 270), kPackCountAt, 0x7FFFFFFF),
       kPackCountAt},
      {"one pack more than the file holds", WithInt32(example, kPackCountAt, 4), kExampleSize},
      {"negative label count", WithInt32(example, kPack1LabelCountAt, -2), kPack1LabelCountAt},
      {"label count beyond the file", WithInt32(example, kPack1LabelCountAt, 0x10000000), kPack1LabelCountAt},
      {"standard \"..\"", ExampleWithStandard(1, std::string("..")), kPack2At},
      {"standard \".\"", ExampleWithStandard(2, std::string(".")), kPack3At},
      {"specialty leaving the folder", ExampleWithSpecialty(1, std::string("..\\..\\Windows")), pack2SpecialtyAt},
      {"specialty with \"/\"", ExampleWithSpecialty(1, std::string("a/b")), pack2SpecialtyAt},
      {"standard with a drive", ExampleWithStandard(0, std::string("C:")), kPack1At},
      {"standard with NUL", ExampleWithStandard(0, RawLabel(std::string("a\0b", 3))), kPack1At},
      {"specialty with a wildcard", ExampleWithSpecialty(1, std::string("市政*")), pack2SpecialtyAt},
      {"standard ending in a lead byte", ExampleWithStandard(1, std::string("国\xB1")), kPack2At},
  };
}

}  // namespace samples
