// The installer state that the wizard window owns and the catalogue files and
// the engine read and write.
#pragma once
#include <string>
#include <vector>

#include "catalogue/U_Type.h"

namespace catalogue {

struct InstallerState {
  std::string SourceRoot;       // folder of the disc being read, ends with "\"
  std::string SourceMatterLib;  // SourceRoot + "MatterLib\"
  std::string TargetDir;        // application folder + "DLL\VEXA\"
  std::string TargetMatterLib;  // TargetDir + "MatterLib\"
  catalogue::LabelString DiscLabel;       // label of the disc being read
  TCdPacks Packs;               // the catalogue
  std::vector<std::string> NeededLabels;  // disc labels still to be read
  bool InstallOk = true;
  bool CancelRequested = false;

  void SetSourceRoot(const std::string& root) {
    SourceRoot = root;
    SourceMatterLib = root + "MatterLib\\";
  }
};

}  // namespace catalogue
