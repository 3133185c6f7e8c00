// The port through which the installation engine meets whoever runs it: it
// reports the progress of a run as plain figures and texts, asks its two
// questions, and lets pending events be handled during a copy. The wizard
// implements it on its progress page (wizard/ProgressPageSink.h); the
// engine's tests record what it reports.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace engine {

// What a progress bar shows: a range from 0 to Max, and a Position within it.
struct BarFigures {
  std::int32_t Max = 0;
  std::int32_t Position = 0;
  bool operator==(const BarFigures& other) const { return Max == other.Max && Position == other.Position; }
  bool operator!=(const BarFigures& other) const { return !(*this == other); }
};

// The answers to a copy that failed.
enum class CopyFailureAnswer {
  Abort,   // stop the pack copy, and with it the run
  Retry,   // try the same copy again
  Ignore,  // go on without it
};

// What became of one file of a pack.
enum class FileOutcome {
  Copied,        // copied into place
  AlreadyThere,  // in place from an earlier run, not copied again
  LeftOut,       // its copy failed and the answer was Ignore
  Aborted,       // its copy failed and the answer was Abort
};

class InstallSink {
 public:
  virtual ~InstallSink() = default;

  // A run starts: going back is no longer offered, nor moving on.
  virtual void RunStarted() = 0;
  // The run is over, however it ended (also by an error): moving on is
  // offered, cancelling no longer. copyFailed when it ended because a pack's
  // copy failed or was cancelled.
  virtual void RunEnded(bool copyFailed) = 0;

  // The pack being installed and how it went (above the area bar).
  virtual void ShowPackStatus(const std::string& text) = 0;
  // The file being copied, or how the pack's copy ended (under the file bar).
  virtual void ShowFileStatus(const std::string& text) = 0;
  // The area bar: 100 for every selected pack of the pass.
  virtual void ShowAreaBar(const BarFigures& figures) = 0;
  // The file bar: the current pack's size in whole KiB.
  virtual void ShowFileBar(const BarFigures& figures) = 0;

  // One file of a pack is done with: targetPath is where it belongs, size
  // its size on the disc. A file whose copy is cancelled is not reported.
  // Only a log needs this; the window shows the file status instead.
  virtual void FileDone(const std::string& /*targetPath*/, std::int64_t /*size*/, FileOutcome /*outcome*/) {}

  // A copy failed; text says what (a file, the disk is full, ...).
  virtual CopyFailureAnswer AskAboutFailedCopy(const std::string& text) = 0;
  // Asks for one of the discs labels names, proposing presetPath; returns
  // the folder confirmed for it (ending with "\"), or "" when the user
  // cancelled.
  virtual std::string AskForNextDisc(const std::string& presetPath, const std::vector<std::string>& labels) = 0;

  // Handles every pending event of the user interface; called after every
  // file, and about every 30 ms inside a file's copy and while folders are
  // listed (engine/EventPacer.h), so that the window answers and a cancel
  // request can come in while a copy runs.
  virtual void HandlePendingEvents() = 0;
};

}  // namespace engine
