// cdtool build: lays a library out on a set of disc folders (and images).
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <system_error>

#include "catalogue/CatalogueFormat.h"
#include "text/FolderName.h"
#include "text/AnsiText.h"
#include "tools/cdtool/Charset.h"
#include "tools/cdtool/CommandLine.h"
#include "tools/cdtool/Commands.h"
#include "tools/cdtool/Console.h"
#include "tools/cdtool/DiscFiles.h"
#include "tools/cdtool/DiscLayout.h"
#include "tools/cdtool/IsoImage.h"
#include "tools/cdtool/Library.h"
#include "tools/cdtool/Problems.h"

namespace cdtool {

namespace fs = std::filesystem;

namespace {

const char* const kHelp =
    "Usage: cdtool build LIBRARY OUT --capacity SIZE [--label-prefix CD] [--tag N]\n"
    "                    [--setup PATH] [--iso]\n"
    "\n"
    "Lays the packs of LIBRARY (folders <standard>/<specialty>/ with the pack's\n"
    "files) out on discs OUT/CD1, OUT/CD2, ... Standards, specialties and the\n"
    "files of a pack are taken in the byte order of their UTF-8 names; the discs\n"
    "are filled one after the other, and a file that no longer fits starts the\n"
    "next disc, so a pack may span several discs (files are never split). Every\n"
    "disc gets MatterLib/<standard>/<specialty>/ with its share of the files and\n"
    "a CDFile.Dat with its own label and the whole catalogue, listing for each\n"
    "pack the discs that hold its files. Names are written in GBK into CDFile.Dat.\n"
    "\n"
    "  --capacity SIZE     bytes a disc holds: digits with an optional K, M or G\n"
    "                      (powers of 1024); counts the bytes of the files,\n"
    "                      CDFile.Dat and the installer, not the file system's\n"
    "                      own overhead, so leave a margin (680M for a 700M CD)\n"
    "  --label-prefix TEXT disc labels are TEXT1, TEXT2, ... (default CD)\n"
    "  --tag N             the tag byte of CDFile.Dat, 0 to 255 (default 0)\n"
    "  --setup PATH        copy this installer into the root of every disc\n"
    "  --iso               also write OUT/<label>.iso per disc with Joliet names\n"
    "                      and the label as volume label (runs xorriso)\n"
    "\n"
    "OUT must be new or empty. Exit status: 0 built, 1 a problem with the\n"
    "library (each named: a file larger than a disc, a name with no GBK form or\n"
    "one the installer refuses), 2 bad usage.\n";

struct BuildOptions {
  fs::path library, out, setup;
  std::uint64_t capacity = 0;
  std::string labelPrefix = "CD";  // UTF-8
  std::string labelPrefixGbk = "CD";
  std::uint8_t tag = 0;
  bool iso = false;
};

BuildOptions ReadOptions(const CommandLine& line) {
  line.ExpectPositional(2, 2);
  BuildOptions options;
  options.library = fs::u8path(line.Positional()[0]);
  options.out = fs::u8path(line.Positional()[1]);
  const std::optional<std::string> capacity = line.Value("--capacity");
  if (!capacity) throw UsageError("--capacity is required");
  options.capacity = ParseSize(*capacity, "--capacity");
  if (const auto tag = line.Value("--tag")) options.tag = static_cast<std::uint8_t>(ParseNumber(*tag, 255, "--tag"));
  if (const auto setup = line.Value("--setup")) options.setup = fs::u8path(*setup);
  if (const auto prefix = line.Value("--label-prefix")) {
    options.labelPrefix = *prefix;
    // A label names a disc folder in OUT and is compared by the installer;
    // with the longest number it must still fit a label string.
    if (!Utf8ToGbk(*prefix, options.labelPrefixGbk) || !text::IsSafeFolderName(options.labelPrefixGbk + "1") ||
        options.labelPrefixGbk.size() > 200)
      throw UsageError("--label-prefix: '" + *prefix + "' cannot start a disc label (it must be written in GBK and"
                       " make a valid folder name of at most 200 bytes)");
  }
  options.iso = line.Has("--iso");
#ifdef _WIN32
  if (options.iso) throw UsageError("--iso: images are written by xorriso, which only the Linux build runs");
#else
  if (options.iso && options.labelPrefix.size() + 3 > kLongestVolumeLabel)
    throw UsageError("--label-prefix: a volume label holds at most " + std::to_string(kLongestVolumeLabel) +
                     " bytes, too few for '" + options.labelPrefix + "' and a disc number");
#endif
  return options;
}

// Problems with OUT and the installer copy, before anything is written.
void CheckTargets(const BuildOptions& options, Problems& problems) {
  std::error_code error;
  if (fs::exists(options.out, error)) {
    if (!fs::is_directory(options.out, error))
      problems.Add(options.out, "is a file; OUT must be a new or empty folder");
    else if (!fs::is_empty(options.out, error))
      problems.Add(options.out, "is not empty; give a new or empty folder so that no disc of an earlier set stays");
  }
  std::error_code libraryError, outError;
  const fs::path library = fs::weakly_canonical(options.library, libraryError);
  const fs::path out = fs::weakly_canonical(options.out, outError);
  if (!libraryError && !outError &&
      std::mismatch(library.begin(), library.end(), out.begin(), out.end()).first == library.end())
    problems.Add(options.out, "lies inside the library " + ShowPath(options.library));
  if (options.setup.empty()) return;
  if (!fs::is_regular_file(options.setup, error)) {
    problems.Add(options.setup, "no such file (the installer to copy onto every disc)");
    return;
  }
  const std::string name = text::UpperAscii(options.setup.filename().u8string());
  if (name == text::UpperAscii(kDescriptorFileName) || name == text::UpperAscii(kMatterLibFolderName))
    problems.Add(options.setup, "the installer's name is taken by the disc's own files");
}

class DiscSetBuilder {
 public:
  DiscSetBuilder(const BuildOptions& options, std::vector<LibraryPack> packs)
      : options_(options), packs_(std::move(packs)) {}

  // Chooses the layout; false (with problems added) when some file cannot
  // fit on any disc.
  bool Plan(Problems& problems) {
    std::vector<std::vector<std::uintmax_t>> sizes;
    for (const LibraryPack& pack : packs_) {
      sizes.emplace_back();
      for (const PackItem& item : pack.items) sizes.back().push_back(item.size);
    }
    std::error_code error;
    setupSize_ = options_.setup.empty() ? 0 : fs::file_size(options_.setup, error);
    // Every disc keeps room for its CDFile.Dat and the installer. The
    // descriptor grows by a label for each further disc of a pack, and the
    // layout depends on the room left: start from one disc per pack and lay
    // out again until the reserve covers the descriptor. The reserve only
    // grows and is bounded by one label per item, so this ends.
    layout_.packDiscs.assign(packs_.size(), {0});
    reserve_ = setupSize_ + DescriptorSize();
    for (;;) {
      if (reserve_ >= options_.capacity) {
        problems.Add(options_.out, "a disc of " + std::to_string(options_.capacity) + " bytes has no room for files: " +
                                       ReserveText() + " take " + std::to_string(reserve_));
        return false;
      }
      const std::uintmax_t room = options_.capacity - reserve_;
      bool fits = true;
      for (std::size_t p = 0; p < packs_.size(); ++p)
        for (const PackItem& item : packs_[p].items)
          if (item.size > room) {
            problems.Add(packs_[p].source / item.relative,
                         std::to_string(item.size) + " bytes, larger than a disc: capacity " +
                             std::to_string(options_.capacity) + " bytes less " + std::to_string(reserve_) +
                             " kept for " + ReserveText());
            fits = false;
          }
      if (!fits) return false;
      layout_ = LayOutDiscs(sizes, room);
      const std::uintmax_t needed = setupSize_ + DescriptorSize();
      if (needed <= reserve_) return true;
      reserve_ = needed;
    }
  }

  void WriteDiscs() const {
    for (std::size_t disc = 0; disc < layout_.discBytes.size(); ++disc) {
      const fs::path root = DiscFolder(disc);
      const fs::path matterLib = root / kMatterLibFolderName;
      fs::create_directories(matterLib);
      for (std::size_t p = 0; p < packs_.size(); ++p) {
        const LibraryPack& pack = packs_[p];
        const fs::path packFolder = matterLib / pack.standard / pack.specialty;
        const std::vector<std::size_t>& discs = layout_.packDiscs[p];
        if (std::find(discs.begin(), discs.end(), disc) != discs.end()) fs::create_directories(packFolder);
        for (std::size_t i = 0; i < pack.items.size(); ++i)
          if (layout_.itemDisc[p][i] == disc) CopyItem(pack.source / pack.items[i].relative, packFolder, pack.items[i]);
      }
      TCdSignFile descriptor = Catalogue();
      descriptor.Label = LabelGbk(disc);
      WriteFileBytes(root / kDescriptorFileName, catalogue::SerializeCatalogue(descriptor));
      if (!options_.setup.empty()) fs::copy_file(options_.setup, root / options_.setup.filename());
    }
  }

#ifndef _WIN32
  bool WriteImages(Problems& problems) const {
    for (std::size_t disc = 0; disc < layout_.discBytes.size(); ++disc) {
      const fs::path image = options_.out / (Label(disc) + ".iso");
      std::string error;
      if (!WriteIsoImage(DiscFolder(disc), image, Label(disc), error)) {
        problems.Add(image, error);
        return false;
      }
    }
    return true;
  }
#endif

  std::string Table() const {
    std::size_t labelWidth = 4;
    for (std::size_t disc = 0; disc < layout_.discBytes.size(); ++disc)
      labelWidth = std::max(labelWidth, Label(disc).size());
    std::ostringstream out;
    char row[160];
    std::snprintf(row, sizeof row, "%-*s %6s %12s %7s  %s\n", static_cast<int>(labelWidth), "Disc", "Files", "Bytes",
                  "Fill", "Packs");
    out << row;
    const std::uintmax_t descriptorSize = DescriptorSize();
    for (std::size_t disc = 0; disc < layout_.discBytes.size(); ++disc) {
      std::size_t files = 0;
      std::string packs;
      for (std::size_t p = 0; p < packs_.size(); ++p) {
        const std::vector<std::size_t>& discs = layout_.packDiscs[p];
        const auto at = std::find(discs.begin(), discs.end(), disc);
        if (at == discs.end()) continue;
        for (std::size_t i = 0; i < packs_[p].items.size(); ++i)
          if (layout_.itemDisc[p][i] == disc && !packs_[p].items[i].folder) ++files;
        packs += (packs.empty() ? "" : ", ") + ShowPath(packs_[p].standard / packs_[p].specialty);
        if (discs.size() > 1)
          packs += " (" + std::to_string(at - discs.begin() + 1) + " of " + std::to_string(discs.size()) + ")";
      }
      const std::uintmax_t bytes = layout_.discBytes[disc] + descriptorSize + setupSize_;
      const double fill = 100.0 * static_cast<double>(bytes) / static_cast<double>(options_.capacity);
      std::snprintf(row, sizeof row, "%-*s %6zu %12ju %6.1f%%  ", static_cast<int>(labelWidth), Label(disc).c_str(),
                    files, bytes, fill);
      out << row << packs << "\n";
    }
    out << layout_.discBytes.size() << " discs of " << options_.capacity << " bytes in " << ShowPath(options_.out)
        << "; every disc keeps " << descriptorSize << " bytes for " << kDescriptorFileName;
    if (setupSize_) out << " and " << setupSize_ << " for " << ShowPath(options_.setup.filename());
    out << "\n";
    return out.str();
  }

 private:
  std::string Label(std::size_t disc) const { return options_.labelPrefix + std::to_string(disc + 1); }
  std::string LabelGbk(std::size_t disc) const { return options_.labelPrefixGbk + std::to_string(disc + 1); }
  fs::path DiscFolder(std::size_t disc) const { return options_.out / fs::u8path(Label(disc)); }

  std::string ReserveText() const {
    return std::string(kDescriptorFileName) + (setupSize_ ? " and " + ShowPath(options_.setup.filename()) : "");
  }

  // The catalogue of the current layout; the disc's own label is left empty.
  TCdSignFile Catalogue() const {
    TCdSignFile descriptor;
    descriptor.Tag = options_.tag;
    for (std::size_t p = 0; p < packs_.size(); ++p) {
      TCdPack pack;
      pack.Standard = packs_[p].standardGbk;
      pack.Specialty = packs_[p].specialtyGbk;
      for (std::size_t disc : layout_.packDiscs[p]) pack.Labels.push_back(LabelGbk(disc));
      descriptor.Packs.push_back(std::move(pack));
    }
    return descriptor;
  }

  std::uintmax_t DescriptorSize() const { return catalogue::SerializeCatalogue(Catalogue()).size(); }

  static void CopyItem(const fs::path& source, const fs::path& packFolder, const PackItem& item) {
    const fs::path target = packFolder / item.relative;
    if (item.folder) {
      fs::create_directories(target);
      return;
    }
    fs::create_directories(target.parent_path());
    fs::copy_file(source, target);
    // Keep the time stamp where the system lets us (a read-only copy may refuse).
    std::error_code ignored;
    fs::last_write_time(target, fs::last_write_time(source, ignored), ignored);
  }

  const BuildOptions& options_;
  const std::vector<LibraryPack> packs_;
  DiscLayout layout_;
  std::uintmax_t setupSize_ = 0;
  std::uintmax_t reserve_ = 0;
};

}  // namespace

int RunBuild(const std::vector<std::string>& args) {
  const CommandLine line(args, {{"--capacity", true},
                                {"--label-prefix", true},
                                {"--tag", true},
                                {"--setup", true},
                                {"--iso", false}});
  if (line.HelpRequested()) {
    PrintOut(kHelp);
    return kExitOk;
  }
  const BuildOptions options = ReadOptions(line);
  Problems problems;
  CheckTargets(options, problems);
  std::vector<LibraryPack> packs = ScanLibrary(options.library, problems);
  if (problems.Count()) return problems.ExitStatus();

  DiscSetBuilder builder(options, std::move(packs));
  if (!builder.Plan(problems)) return problems.ExitStatus();
  builder.WriteDiscs();
#ifndef _WIN32
  if (options.iso && !builder.WriteImages(problems)) return problems.ExitStatus();
#endif
  PrintOut(builder.Table());
  return kExitOk;
}

}  // namespace cdtool
