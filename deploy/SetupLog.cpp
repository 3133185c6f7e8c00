#include "deploy/SetupLog.h"

#include <cstdio>

#include "deploy/ListText.h"

namespace deploy {

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

std::string Timestamp(const platform::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.Year, t.Month, t.Day, t.Hour, t.Minute,
                t.Second, t.Milliseconds);
  return text;
}

std::string Bytes(std::int64_t size) { return " (" + std::to_string(size) + " bytes)"; }

std::string Labels(const std::vector<std::string>& labels) { return JoinList(labels, ','); }

std::string Labels(const TCdLabels& labels) {
  std::vector<std::string> texts;
  for (const catalogue::LabelString& label : labels) texts.push_back(label.Text());
  return Labels(texts);
}

// The names of the dialog results.
std::string AnswerName(int answer) {
  static const char* const kNames[] = {"None", "OK",     "Cancel", "Abort",   "Retry",    "Ignore",
                                       "Yes",  "No",     "All",    "NoToAll", "YesToAll"};
  if (answer >= 0 && answer < static_cast<int>(sizeof kNames / sizeof kNames[0])) return kNames[answer];
  return std::to_string(answer);
}

}  // namespace

std::string DefaultLogPath(platform::Platform& platform) {
  const platform::LocalTime today = platform.Now();
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", today.Year, today.Month, today.Day);
  for (int number = 1; number <= 999; ++number) {
    char name[64];
    std::snprintf(name, sizeof name, "Setup Log %s #%03d.txt", date, number);
    const std::string path = platform.TempPath() + name;
    if (platform.GetAttributes(path) == platform::kInvalidAttributes) return path;
  }
  return std::string();
}

SetupLog::SetupLog(platform::Platform& platform, const std::string& path)
    : platform_(&platform), file_(platform.OpenWrite(path)) {
  file_->Write(kByteOrderMark, sizeof kByteOrderMark - 1);
}

void SetupLog::Line(const std::string& event) {
  if (!file_) return;
  std::string line = Timestamp(platform_->Now()) + "   " + event;
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  line = platform_->AnsiToUtf8(line) + "\r\n";
  // A log that cannot be written any more must not stop the install.
  file_->Write(line.data(), line.size());
}

void SetupLog::SetupVersion(const std::string& version) { Line("Setup version: " + version); }

void SetupLog::CommandLine(const std::string& commandLine) { Line("Command line: " + commandLine); }

void SetupLog::WindowsVersion() {
  if (file_) Line("Windows version: " + platform_->WindowsVersion());
}

void SetupLog::Folders(const catalogue::InstallerState& state) {
  Line("Source folder: " + state.SourceRoot);
  Line("Target folder: " + state.TargetDir);
  Line("Material library: " + state.TargetMatterLib);
}

void SetupLog::Catalogue(const catalogue::InstallerState& state) {
  Line("Catalogue read from disc " + state.DiscLabel.Text() + ": " + std::to_string(state.Packs.size()) + " packs");
  for (const TCdPack& pack : state.Packs) {
    const std::string name = "Pack " + pack.Standard.Text() + "\\" + pack.Specialty.Text();
    Line(pack.Labels.empty() ? name + " on no disc" : name + " on discs " + Labels(pack.Labels));
  }
}

void SetupLog::Components(const std::vector<ChosenSpecialty>& chosen) {
  Line("Components: " + (chosen.empty() ? std::string("none") : ComponentsText(chosen)));
}

void SetupLog::NeededDiscs(const std::vector<std::string>& labels) {
  Line("Discs needed: " + (labels.empty() ? std::string("none") : Labels(labels)));
}

void SetupLog::DiscRead(const std::string& label, const std::string& folder) {
  Line("Disc " + label + " read from " + folder);
}

void SetupLog::DiscNotFound(const std::vector<std::string>& labels) {
  Line("No disc found for " + Labels(labels) + "; left pending");
}

void SetupLog::FileCopied(const std::string& path, std::int64_t size) { Line("Copied: " + path + Bytes(size)); }

void SetupLog::FileSkipped(const std::string& path, std::int64_t size) {
  Line("Skipped, already there: " + path + Bytes(size));
}

void SetupLog::FileFailed(const std::string& path, std::int64_t size, const std::string& reason) {
  Line("Failed: " + path + Bytes(size) + ": " + reason);
}

void SetupLog::PackPending(const std::string& standard, const std::string& specialty,
                           const std::vector<std::string>& labels) {
  const std::string pack = "Pack " + standard + "\\" + specialty;
  Line(labels.empty() ? pack + " complete" : pack + " still needs discs " + Labels(labels));
}

void SetupLog::PackPending(const PendingPack& pack) {
  if (pack.Unreadable)
    Line("Pack " + pack.Standard + "\\" + pack.Specialty + " has an unreadable Install.Dat: its discs are needed again");
  else
    PackPending(pack.Standard, pack.Specialty, pack.Labels);
}

void SetupLog::Question(const std::string& question, int answer, bool byDefault) {
  Line("Question: " + question + " | Answer: " + AnswerName(answer) + (byDefault ? " (by default)" : ""));
}

void SetupLog::Error(const std::string& message) { Line("Error: " + message); }

void SetupLog::ExitCode(int code) { Line("Exit code: " + std::to_string(code)); }

}  // namespace deploy
