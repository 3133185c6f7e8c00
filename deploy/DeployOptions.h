// What the command line of an unattended install asks for, in one plain
// value. With no switch every field keeps its default and the program takes
// the wizard's road exactly as without this layer.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace deploy {

enum class InstallMode {
  Interactive,  // the wizard, page by page
  Silent,       // /SILENT: only the progress page; the disc prompt when a disc cannot be found
  VerySilent,   // /VERYSILENT: no window and no question; a disc not found stays pending
};

// One entry of /DISCS: where the disc with this label is.
struct DiscLocation {
  std::string Label;
  std::string Folder;  // a drive root, a folder holding CDFile.Dat or an .iso image; ends with "\"
};
bool operator==(const DiscLocation& a, const DiscLocation& b);

struct DeployOptions {
  // The two positional arguments of the relaunch (before any switch).
  std::string Argument1;  // target hint: an application folder, or "!"
  std::string Argument2;  // source folder: where the first launch ran from

  InstallMode Mode = InstallMode::Interactive;
  bool SuppressMessageBoxes = false;                 // /SUPPRESSMSGBOXES
  std::optional<std::string> Dir;                    // /DIR: the application folder
  std::optional<std::string> Components;             // /COMPONENTS, resolved against the catalogue later
  std::optional<std::vector<DiscLocation>> Discs;    // /DISCS
  std::optional<std::string> DiscSetFolder;          // /SOURCE, ends with "\"
  bool Log = false;                                  // /LOG
  std::string LogFile;                               // /LOG=file; "" for the default name
  std::optional<std::string> SaveInf;                // /SAVEINF
  std::optional<std::string> LoadInf;                // /LOADINF
  bool Status = false;                               // /STATUS
  bool Help = false;                                 // /?

  // Every question gets its default answer: /SUPPRESSMSGBOXES, and always
  // under /VERYSILENT.
  bool QuestionsSuppressed() const { return SuppressMessageBoxes || Mode == InstallMode::VerySilent; }
};
bool operator==(const DeployOptions& a, const DeployOptions& b);
inline bool operator!=(const DeployOptions& a, const DeployOptions& b) { return !(a == b); }

}  // namespace deploy
