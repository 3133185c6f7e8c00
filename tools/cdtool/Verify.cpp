// cdtool verify: checks a disc set the way the installer will read it.
#include <algorithm>
#include <map>
#include <set>
#include <system_error>
#include <utility>

#include "catalogue/CatalogueFormat.h"
#include "text/AnsiText.h"
#include "tools/cdtool/Charset.h"
#include "tools/cdtool/CommandLine.h"
#include "tools/cdtool/Commands.h"
#include "tools/cdtool/Console.h"
#include "tools/cdtool/DiscFiles.h"
#include "tools/cdtool/Problems.h"

namespace cdtool {

namespace fs = std::filesystem;

namespace {

const char* const kHelp =
    "Usage: cdtool verify DISC...\n"
    "\n"
    "Checks a whole set of disc folders as the installer will read them:\n"
    "  - every DISC/CDFile.Dat exists and parses;\n"
    "  - all of them hold the same catalogue (standards, specialties and disc\n"
    "    labels of the packs, in order), with no pack listed twice;\n"
    "  - the discs' labels differ, even in letter case, each is a label the\n"
    "    catalogue lists, and each label the catalogue lists is on a disc;\n"
    "  - every pack that the catalogue lists for a disc's label has its folder\n"
    "    DISC/MatterLib/<standard>/<specialty>/ on that disc, and no other pack\n"
    "    folder is there.\n"
    "\n"
    "Exit status: 0 the set is sound, 1 problems found (each named with its\n"
    "file), 2 bad usage.\n";

using PackKey = std::pair<std::string, std::string>;  // GBK standard and specialty

struct Disc {
  fs::path folder;
  fs::path descriptorFile;
  bool labelRead = false;  // the first 257 bytes, all that the installer reads of a later disc
  bool parsed = false;
  TCdSignFile descriptor;
};

std::string ShowPack(const TCdPack& pack) { return ShowGbk(pack.Standard.Text()) + "/" + ShowGbk(pack.Specialty.Text()); }

std::string ShowLabels(const TCdLabels& labels) {
  std::string out;
  for (const catalogue::LabelString& label : labels) out += (out.empty() ? "" : ", ") + ShowGbk(label.Text());
  return out.empty() ? "no disc" : out;
}

// What the installer takes from a catalogue: the packs' names and labels in
// order (the Selected flags are set afresh by every run, the tag is dropped).
bool SamePack(const TCdPack& a, const TCdPack& b) {
  return a.Standard == b.Standard && a.Specialty == b.Specialty && a.Labels == b.Labels;
}

bool Lists(const TCdLabels& labels, const catalogue::LabelString& label) {
  return std::find(labels.begin(), labels.end(), label) != labels.end();
}

class SetVerifier {
 public:
  explicit SetVerifier(Problems& problems) : problems_(problems) {}

  void Read(const fs::path& folder) {
    Disc disc;
    disc.folder = folder;
    disc.descriptorFile = folder / kDescriptorFileName;
    std::error_code error;
    std::string bytes;
    std::size_t failOffset = 0;
    if (!fs::is_directory(folder, error)) {
      problems_.Add(folder, "no such folder");
    } else if (!fs::exists(disc.descriptorFile, error)) {
      problems_.Add(disc.descriptorFile, "missing; the installer cannot read this disc");
    } else if (!ReadFileBytes(disc.descriptorFile, bytes)) {
      problems_.Add(disc.descriptorFile, "cannot be read");
    } else {
      disc.labelRead = catalogue::ParseDiscLabel(bytes, disc.descriptor.Label);
      disc.parsed = catalogue::ParseCatalogue(bytes, disc.descriptor, failOffset);
      if (!disc.parsed)
        problems_.Add(disc.descriptorFile, "malformed disc descriptor: reading failed at offset " +
                                               std::to_string(failOffset) + " (the file has " +
                                               std::to_string(bytes.size()) + " bytes)");
    }
    discs_.push_back(std::move(disc));
  }

  void CheckCatalogues() {
    const Disc* reference = nullptr;
    for (const Disc& disc : discs_) {
      if (!disc.parsed) continue;
      if (!reference) {
        reference = &disc;
        CheckPacksUnique(disc);
      } else {
        CheckSameCatalogue(disc, *reference);
      }
    }
    reference_ = reference;
  }

  void CheckLabels() {
    for (std::size_t i = 0; i < discs_.size(); ++i) {
      const Disc& disc = discs_[i];
      if (!disc.labelRead) continue;
      const std::string label = disc.descriptor.Label.Text();
      for (std::size_t j = 0; j < i; ++j) {
        if (discs_[j].labelRead && text::UpperAscii(discs_[j].descriptor.Label.Text()) == text::UpperAscii(label)) {
          problems_.Add(disc.descriptorFile, "label " + ShowGbk(label) + " is also the label of " +
                                                 ShowPath(discs_[j].folder) +
                                                 " (the installer tells discs apart regardless of letter case)");
          break;
        }
      }
      if (!reference_) continue;
      // The installer copies from a disc only what the pending labels list,
      // and compares them with the disc's label exactly.
      bool listed = false;
      for (const TCdPack& pack : reference_->descriptor.Packs) listed = listed || Lists(pack.Labels, disc.descriptor.Label);
      if (!listed)
        problems_.Add(disc.descriptorFile, "label " + ShowGbk(label) +
                                               " is listed for no pack of the catalogue; the installer copies nothing"
                                               " from this disc");
    }
    if (!reference_) return;
    // A label no disc carries makes the installer ask for a disc that does not exist.
    std::set<std::string> reported;
    for (const TCdPack& pack : reference_->descriptor.Packs) {
      for (const catalogue::LabelString& label : pack.Labels) {
        const bool carried = std::any_of(discs_.begin(), discs_.end(), [&](const Disc& disc) {
          return disc.labelRead && disc.descriptor.Label == label;
        });
        if (!carried && reported.insert(label.Text()).second)
          problems_.Add(reference_->descriptorFile, "the catalogue lists disc " + ShowGbk(label.Text()) + " (for " +
                                                        ShowPack(pack) + "), but no disc of the set has that label");
      }
    }
  }

  // A disc whose own descriptor is broken still serves as a later disc, of
  // which the installer reads only the label: its folders are checked
  // against the catalogue of the others.
  void CheckPackFolders() {
    for (const Disc& disc : discs_) {
      if (disc.parsed)
        CheckPackFolders(disc, disc.descriptor.Packs);
      else if (disc.labelRead && reference_)
        CheckPackFolders(disc, reference_->descriptor.Packs);
    }
  }

  std::string Summary() const {
    std::string labels;
    for (const Disc& disc : discs_) labels += (labels.empty() ? "" : ", ") + ShowGbk(disc.descriptor.Label.Text());
    return std::to_string(discs_.size()) + " discs (" + labels + ") with one catalogue of " +
           std::to_string(reference_ ? reference_->descriptor.Packs.size() : 0) +
           " packs, every pack folder on the discs the catalogue lists for it\n";
  }

 private:
  void CheckPacksUnique(const Disc& disc) {
    std::set<PackKey> seen;
    for (const TCdPack& pack : disc.descriptor.Packs)
      if (!seen.insert({pack.Standard.Text(), pack.Specialty.Text()}).second)
        problems_.Add(disc.descriptorFile, "pack " + ShowPack(pack) +
                                               " is listed twice; the installer would only ever use the first");
  }

  void CheckSameCatalogue(const Disc& disc, const Disc& reference) {
    const TCdPacks& mine = disc.descriptor.Packs;
    const TCdPacks& theirs = reference.descriptor.Packs;
    for (std::size_t i = 0; i < std::min(mine.size(), theirs.size()); ++i) {
      if (SamePack(mine[i], theirs[i])) continue;
      problems_.Add(disc.descriptorFile, "its catalogue differs from " + ShowPath(reference.descriptorFile) +
                                             ": pack " + std::to_string(i + 1) + " is " + ShowPack(mine[i]) + " on " +
                                             ShowLabels(mine[i].Labels) + " here, " + ShowPack(theirs[i]) + " on " +
                                             ShowLabels(theirs[i].Labels) + " there");
      return;
    }
    if (mine.size() != theirs.size())
      problems_.Add(disc.descriptorFile, "its catalogue differs from " + ShowPath(reference.descriptorFile) + ": " +
                                             std::to_string(mine.size()) + " packs here, " +
                                             std::to_string(theirs.size()) + " there");
  }

  // The pack folders on the disc, by their names in GBK.
  std::map<PackKey, fs::path> PackFoldersOn(const Disc& disc) {
    std::map<PackKey, fs::path> found;
    const fs::path matterLib = disc.folder / kMatterLibFolderName;
    std::error_code error;
    if (!fs::is_directory(matterLib, error)) return found;
    for (const fs::directory_entry& standard : fs::directory_iterator(matterLib)) {
      std::string standardGbk;
      if (!fs::is_directory(standard.path(), error) || !GbkName(standard.path(), standardGbk)) continue;
      for (const fs::directory_entry& specialty : fs::directory_iterator(standard.path())) {
        std::string specialtyGbk;
        if (fs::is_directory(specialty.path(), error) && GbkName(specialty.path(), specialtyGbk))
          found.emplace(PackKey{standardGbk, specialtyGbk}, specialty.path());
      }
    }
    return found;
  }

  bool GbkName(const fs::path& path, std::string& gbk) {
    if (NameToGbk(path, gbk)) return true;
    problems_.Add(path, "the name cannot be written in GBK; the installer cannot read it");
    return false;
  }

  void CheckPackFolders(const Disc& disc, const TCdPacks& packs) {
    const std::map<PackKey, fs::path> present = PackFoldersOn(disc);
    const catalogue::LabelString& label = disc.descriptor.Label;
    std::set<PackKey> known;
    for (const TCdPack& pack : packs) {
      const PackKey key{pack.Standard.Text(), pack.Specialty.Text()};
      if (!known.insert(key).second) continue;  // listed twice, reported already
      const auto folder = present.find(key);
      const bool promised = Lists(pack.Labels, label);
      if (promised && folder == present.end()) {
        problems_.Add(disc.folder / kMatterLibFolderName / fs::u8path(ShowPack(pack)),
                      "missing; the catalogue lists this disc (" + ShowGbk(label.Text()) + ") for the pack");
      } else if (!promised && folder != present.end()) {
        problems_.Add(folder->second, "a pack folder on " + ShowGbk(label.Text()) +
                                          ", but the catalogue lists the pack on " + ShowLabels(pack.Labels) +
                                          " only; the installer never copies it from here");
      }
    }
    for (const auto& folder : present)
      if (!known.count(folder.first))
        problems_.Add(folder.second, "not a pack of the catalogue; the installer never copies it");
  }

  Problems& problems_;
  std::vector<Disc> discs_;
  const Disc* reference_ = nullptr;
};

}  // namespace

int RunVerify(const std::vector<std::string>& args) {
  const CommandLine line(args, {});
  if (line.HelpRequested()) {
    PrintOut(kHelp);
    return kExitOk;
  }
  line.ExpectPositional(1, static_cast<std::size_t>(-1));
  Problems problems;
  SetVerifier verifier(problems);
  for (const std::string& disc : line.Positional()) verifier.Read(fs::u8path(disc));
  verifier.CheckCatalogues();
  verifier.CheckLabels();
  verifier.CheckPackFolders();
  if (problems.Count()) {
    PrintError("cdtool: " + std::to_string(problems.Count()) + " problems found\n");
    return problems.ExitStatus();
  }
  PrintOut(verifier.Summary());
  return kExitOk;
}

}  // namespace cdtool
