// The disc set of the install-run tests: "国标"/"土建" on CD1 and CD2,
// "浙江省标"/"市政" on CD1 and CD3, with the files of each disc.
#pragma once
#include <map>
#include <string>

#include "catalogue/CatalogueFormat.h"
#include "platform/fake/FakePlatform.h"

namespace samples {

inline TCdSignFile DiscSetCatalogue(const std::string& label) {
  TCdSignFile descriptor;
  descriptor.Tag = 1;
  descriptor.Label = label;
  const auto pack = [](const std::string& standard, const std::string& specialty,
                       const std::string& first, const std::string& second) {
    return TCdPack{standard, specialty, false, {catalogue::LabelString(first), catalogue::LabelString(second)}};
  };
  descriptor.Packs = {pack("国标", "土建", "CD1", "CD2"), pack("浙江省标", "市政", "CD1", "CD3")};
  return descriptor;
}

// Files of each disc below MatterLib\, with their contents.
inline const std::map<std::string, std::map<std::string, std::string>>& DiscSetFiles() {
  static const std::map<std::string, std::map<std::string, std::string>> files = {
      {"CD1", {{"国标\\土建\\墙体.dwg", std::string(1500, 'a')}, {"浙江省标\\市政\\道路.dwg", "road"}}},
      {"CD2", {{"国标\\土建\\门窗\\门.dwg", std::string(3000, 'd')}}},
      {"CD3", {{"浙江省标\\市政\\桥梁.dwg", "bridge"}}},
  };
  return files;
}

// Puts the disc labelled label at root (a drive's "G:\\", say), replacing
// what was there; its descriptor names it descriptorLabel (by default its
// own label).
inline void PutDisc(platform::FakePlatform& machine, const std::string& root, const std::string& label,
                    const std::string& descriptorLabel = "") {
  machine.Remove(root);
  machine.AddFile(root + "CDFile.Dat",
                  catalogue::SerializeCatalogue(DiscSetCatalogue(descriptorLabel.empty() ? label : descriptorLabel)));
  for (const auto& [path, contents] : DiscSetFiles().at(label)) machine.AddFile(root + "MatterLib\\" + path, contents);
}

// Puts the disc labelled label into drive E:.
inline void InsertDisc(platform::FakePlatform& machine, const std::string& label,
                       const std::string& descriptorLabel = "") {
  PutDisc(machine, "E:\\", label, descriptorLabel);
}

}  // namespace samples
