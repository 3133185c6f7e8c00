// The figures of the two progress bars of an install run and their
// arithmetic: the area bar gives every selected pack a share of 100, the file
// bar counts the current pack's KiB. Every change is reported to the sink.
// Like the page's bars, a bar keeps its position within its range.
#pragma once
#include <cstdint>

#include "engine/InstallSink.h"

namespace engine {

class ProgressBars {
 public:
  explicit ProgressBars(InstallSink& sink) : sink_(sink) {}

  const BarFigures& Area() const { return area_; }
  const BarFigures& File() const { return file_; }

  // A pass over packs packs: the area bar scaled to 100 per pack and empty.
  void StartPass(std::int32_t packs);
  // The pack that makes packsDone packs done: its share is filled (the bar
  // is set to its maximum, then to packsDone × 100).
  void FinishPack(std::int32_t packsDone);
  // The pass is over: the area bar full.
  void FinishPass();

  // Empties the file bar and scales it to the pack's size in whole KiB.
  void StartFileProgress(std::int64_t packBytes);
  // Where the current pack's share of the area bar starts: the area bar's
  // position rounded down to a multiple of 100.
  std::int32_t AreaShareStart() const;
  // Adds a file's whole KiB to the file bar and sets the area bar to
  // areaStart + the file bar's fill in percent (the whole share when the
  // file bar's maximum is 0).
  void AdvanceProgress(std::int64_t fileBytes, std::int32_t areaStart);
  // While a file copies: both bars as AdvanceProgress would set them for
  // the copiedBytes written so far. The next AdvanceProgress counts from
  // where the bars stood before the file, as if this had not been shown.
  void ShowFileInCopy(std::int64_t copiedBytes, std::int32_t areaStart);

 private:
  // Sets both bars for fileBytes more than the files done, and reports them.
  void ShowFilesDoneAnd(std::int64_t fileBytes, std::int32_t areaStart);

  InstallSink& sink_;
  BarFigures area_;
  BarFigures file_;
  // The file bar's position after the last file done.
  std::int32_t filesDone_ = 0;
};

}  // namespace engine
