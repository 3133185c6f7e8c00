// Writes one disc's CDFile.Dat for the end-to-end disc set, whose packs are
// spread over the discs in a way the consecutive layout of cdtool cannot give.
// A Windows console program, run under Wine in code page 936: its ANSI
// arguments arrive as the GBK bytes the installer reads.
//
// Usage: WriteDescriptor OUT_FILE DISC_LABEL STANDARD/SPECIALTY=LABEL,LABEL... ...
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/CatalogueFormat.h"

namespace {

// Splits text at every separator byte. '/', '=' and ',' are ASCII bytes that
// never occur inside a GBK character, so splitting the bytes is safe.
std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == separator)
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

bool ParsePack(const std::string& argument, TCdPack& pack) {
  const std::vector<std::string> sides = Split(argument, '=');
  if (sides.size() != 2) return false;
  const std::vector<std::string> names = Split(sides[0], '/');
  if (names.size() != 2 || names[0].empty() || names[1].empty()) return false;
  pack.Standard = names[0];
  pack.Specialty = names[1];
  for (const std::string& label : Split(sides[1], ','))
    if (!label.empty()) pack.Labels.emplace_back(label);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: WriteDescriptor OUT_FILE DISC_LABEL STANDARD/SPECIALTY=LABEL,... ...\n");
    return 2;
  }
  TCdSignFile descriptor;
  descriptor.Label = std::string(argv[2]);
  for (int i = 3; i < argc; ++i) {
    TCdPack pack;
    if (!ParsePack(argv[i], pack)) {
      std::fprintf(stderr, "WriteDescriptor: bad pack argument %d\n", i);
      return 2;
    }
    descriptor.Packs.push_back(pack);
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << catalogue::SerializeCatalogue(descriptor);
  out.close();
  if (!out) {
    std::fprintf(stderr, "WriteDescriptor: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
