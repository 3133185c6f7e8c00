// The log of an install (/LOG): a UTF-8 text file with a byte-order mark,
// one line per event, each line "YYYY-MM-DD HH:MM:SS.mmm   event". Every
// line is written to the file the moment it happens, so that a run that is
// killed leaves a log up to its last event. The installer's texts are ANSI
// (GBK) bytes; the platform converts each line to UTF-8.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/InstallerState.h"
#include "deploy/ComponentSelection.h"
#include "deploy/LibraryStatus.h"
#include "platform/Platform.h"

namespace deploy {

// The default log of /LOG: TEMP + "Setup Log YYYY-MM-DD #NNN.txt" with
// today's date and the first number from 001 that names no file or folder
// yet. "" when all 999 are taken.
std::string DefaultLogPath(platform::Platform& platform);

class SetupLog {
 public:
  // A log that writes nothing: the run has no /LOG.
  SetupLog() = default;
  // Creates (or truncates) the file at path and writes the byte-order mark;
  // a file that cannot be created raises platform::Error.
  SetupLog(platform::Platform& platform, const std::string& path);

  bool IsOpen() const { return file_ != nullptr; }

  // --- the start
  void SetupVersion(const std::string& version);
  void CommandLine(const std::string& commandLine);
  void WindowsVersion();
  // The source, application and material-library folders of state.
  void Folders(const catalogue::InstallerState& state);
  // The disc label and every pack of the catalogue, with its disc labels.
  void Catalogue(const catalogue::InstallerState& state);
  void Components(const std::vector<ChosenSpecialty>& chosen);
  void NeededDiscs(const std::vector<std::string>& labels);

  // --- the run
  void DiscRead(const std::string& label, const std::string& folder);
  void DiscNotFound(const std::vector<std::string>& labels);
  void FileCopied(const std::string& path, std::int64_t size);
  void FileSkipped(const std::string& path, std::int64_t size);  // already there
  void FileFailed(const std::string& path, std::int64_t size, const std::string& reason);
  // The labels a pack still waits for after a pass; none: the pack is complete.
  void PackPending(const std::string& standard, const std::string& specialty, const std::vector<std::string>& labels);
  // A pack of the installed library that waits for discs (/STATUS).
  void PackPending(const PendingPack& pack);
  // A question and its answer (a dialog result, 1 OK to 10 YesToAll);
  // byDefault when nobody was asked.
  void Question(const std::string& question, int answer, bool byDefault);
  void Error(const std::string& message);

  // --- the end: the last line of a run
  void ExitCode(int code);

  // One line with any text: control characters (line breaks included)
  // become blanks, so that every event stays one line.
  void Line(const std::string& event);

 private:
  platform::Platform* platform_ = nullptr;
  std::unique_ptr<platform::File> file_;
};

}  // namespace deploy
