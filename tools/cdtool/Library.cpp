#include "tools/cdtool/Library.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "text/FolderName.h"
#include "catalogue/U_Type.h"
#include "text/AnsiText.h"
#include "tools/cdtool/Charset.h"

namespace cdtool {

namespace fs = std::filesystem;

namespace {

// The installer's progress counts sizes as signed 32-bit numbers.
constexpr std::uintmax_t kLargestFile = 0x7FFFFFFF;

enum class NameRole { PackFolder, Content };

class LibraryScanner {
 public:
  explicit LibraryScanner(Problems& problems) : problems_(problems) {}

  std::vector<LibraryPack> Scan(const fs::path& library) {
    std::vector<LibraryPack> packs;
    std::error_code error;
    if (!fs::is_directory(library, error)) {
      problems_.Add(library, "no such folder");
      return packs;
    }
    for (const fs::directory_entry& standard : SortedEntries(library)) {
      std::string standardGbk;
      if (!CheckFolderEntry(standard, standardGbk)) continue;
      const std::vector<fs::directory_entry> specialties = SortedEntries(standard.path());
      if (specialties.empty()) problems_.Warn(standard.path(), "is empty; it is left out");
      for (const fs::directory_entry& specialty : specialties) {
        LibraryPack pack;
        if (!CheckFolderEntry(specialty, pack.specialtyGbk)) continue;
        pack.source = specialty.path();
        pack.standard = standard.path().filename();
        pack.specialty = specialty.path().filename();
        pack.standardGbk = standardGbk;
        CollectItems(pack.source, fs::path(), {fs::canonical(pack.source, error)}, pack.items);
        packs.push_back(std::move(pack));
      }
    }
    if (packs.empty() && problems_.Count() == 0)
      problems_.Add(library, "holds no <standard>/<specialty> folder, so there is nothing to put on discs");
    return packs;
  }

 private:
  // A folder's entries sorted by their UTF-8 names, with names differing only
  // in letter case reported: Windows would keep one of them.
  std::vector<fs::directory_entry> SortedEntries(const fs::path& folder) {
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
      entries.push_back(*it);
    if (error) problems_.Add(folder, "cannot be listed: " + error.message());
    std::sort(entries.begin(), entries.end(), [](const fs::directory_entry& a, const fs::directory_entry& b) {
      return a.path().filename().u8string() < b.path().filename().u8string();
    });
    std::map<std::string, fs::path> byFoldedName;
    for (const fs::directory_entry& entry : entries) {
      const auto known = byFoldedName.emplace(text::UpperAscii(entry.path().filename().u8string()), entry.path());
      if (!known.second)
        problems_.Add(entry.path(), "differs from " + ShowPath(known.first->second.filename()) +
                                        " only in letter case; Windows keeps one of them");
    }
    return entries;
  }

  // A standard or specialty: a folder with a name the installer takes.
  bool CheckFolderEntry(const fs::directory_entry& entry, std::string& gbk) {
    std::error_code error;
    if (!fs::is_directory(entry.path(), error)) {
      problems_.Add(entry.path(), "is not a folder; the library holds <standard>/<specialty>/ folders only");
      return false;
    }
    return CheckName(entry.path(), NameRole::PackFolder, gbk);
  }

  bool CheckName(const fs::path& path, NameRole role, std::string& gbk) {
    if (!NameToGbk(path, gbk)) {
      problems_.Add(path, "the name cannot be written in GBK, the only encoding the installer reads");
      return false;
    }
    if (role == NameRole::PackFolder && gbk.size() >= catalogue::LabelString::kStoredSize) {
      problems_.Add(path, "the name takes " + std::to_string(gbk.size()) +
                              " bytes in GBK; CDFile.Dat holds at most " +
                              std::to_string(catalogue::LabelString::kStoredSize - 1));
      return false;
    }
    if (!text::IsSafeFolderName(gbk)) {
      problems_.Add(path, std::string(role == NameRole::PackFolder ? "the installer refuses this name"
                                                                   : "Windows cannot hold this name") +
                              " (a device name such as CON or AUX, a trailing dot or blank, or one of"
                              " \\ / : * ? \" < > | or a control character)");
      return false;
    }
    return true;
  }

  // Adds the items below folder, depth first; ancestors are the canonical
  // folders on the way down, so that a link back up is caught.
  void CollectItems(const fs::path& folder, const fs::path& relative, std::vector<fs::path> ancestors,
                    std::vector<PackItem>& items) {
    const std::vector<fs::directory_entry> entries = SortedEntries(folder);
    if (entries.empty() && !relative.empty()) items.push_back({relative, 0, true});
    for (const fs::directory_entry& entry : entries) {
      std::string gbk;
      if (!CheckName(entry.path(), NameRole::Content, gbk)) continue;
      const fs::path itemPath = relative / entry.path().filename();
      std::error_code error;
      if (fs::is_directory(entry.path(), error)) {
        const fs::path canonical = fs::canonical(entry.path(), error);
        if (std::find(ancestors.begin(), ancestors.end(), canonical) != ancestors.end()) {
          problems_.Add(entry.path(), "links back to a folder that holds it");
          continue;
        }
        std::vector<fs::path> below = ancestors;
        below.push_back(canonical);
        CollectItems(entry.path(), itemPath, below, items);
      } else if (fs::is_regular_file(entry.path(), error)) {
        const std::uintmax_t size = fs::file_size(entry.path(), error);
        if (error) {
          problems_.Add(entry.path(), "cannot be read: " + error.message());
        } else if (size > kLargestFile) {
          problems_.Add(entry.path(), std::to_string(size) + " bytes; the installer handles files below 2 GiB only");
        } else {
          items.push_back({itemPath, size, false});
        }
      } else {
        problems_.Add(entry.path(), "is neither a file nor a folder");
      }
    }
  }

  Problems& problems_;
};

}  // namespace

std::vector<LibraryPack> ScanLibrary(const fs::path& library, Problems& problems) {
  return LibraryScanner(problems).Scan(library);
}

}  // namespace cdtool
