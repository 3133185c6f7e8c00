// libFuzzer target for the two catalogue readers: the same bytes are read as
// a disc descriptor and as a pending-disc file, on the in-memory machine, and
// what the readers promise is checked on every input.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "catalogue/CatalogueFormat.h"
#include "catalogue/DiscDescriptor.h"
#include "text/FolderName.h"
#include "catalogue/PendingLabels.h"
#include "platform/fake/FakePlatform.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

const char* const kStandard = "std";
const char* const kSpecialty = "specialty";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  platform::FakePlatform machine;
  machine.AddDrive('C');
  machine.AddFile("C:\\disc\\CDFile.Dat", bytes);
  machine.AddFile(std::string("C:\\lib\\") + kStandard + "\\" + kSpecialty + "\\Install.Dat", bytes);

  catalogue::InstallerState state;
  state.SetSourceRoot("C:\\disc\\");
  state.TargetMatterLib = "C:\\lib\\";
  TCdPack before;
  before.Standard = std::string(kStandard);
  before.Specialty = std::string(kSpecialty);
  before.Labels = {std::string("before")};
  state.DiscLabel = std::string("before");
  state.Packs = {before};

  const catalogue::CatalogueRead result = catalogue::ReadCatalogue(state, machine);
  // The descriptor always exists here.
  Check(result != catalogue::CatalogueRead::Missing);
  if (result == catalogue::CatalogueRead::Loaded) {
    // Every folder name is safe, and what was read writes back and reads again the same.
    TCdSignFile read;
    read.Label = state.DiscLabel;
    read.Packs = state.Packs;
    for (const TCdPack& pack : read.Packs)
      Check(text::IsSafeFolderName(pack.Standard.Text()) && text::IsSafeFolderName(pack.Specialty.Text()));
    TCdSignFile again;
    std::size_t failOffset = 0;
    Check(catalogue::ParseCatalogue(catalogue::SerializeCatalogue(read), again, failOffset) && again == read);
  } else {
    Check(state.DiscLabel == catalogue::LabelString(std::string("before")) && state.Packs == TCdPacks{before});
  }

  try {
    catalogue::ReadDiscLabel(state, machine);
    Check(size >= catalogue::kDescriptorHeadSize);
  } catch (const std::runtime_error&) {
    Check(size < catalogue::kDescriptorHeadSize);
  }

  // The file's labels when it reads whole, else the catalogue's for the pack.
  TCdLabels fromFile;
  std::size_t failOffset = 0;
  const bool fileReads = catalogue::ParsePendingLabels(bytes, fromFile, failOffset);
  TCdLabels fallback;
  for (const TCdPack& pack : state.Packs)
    if (pack.Standard.Text() == kStandard && pack.Specialty.Text() == kSpecialty) {
      fallback = pack.Labels;
      break;
    }
  Check(catalogue::LoadPendingLabels(state, machine, kStandard, kSpecialty).Labels ==
        (fileReads ? fromFile : fallback));
  return 0;
}
