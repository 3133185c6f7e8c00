#include "engine/ProgressBars.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace engine {

namespace {

// The bars hold 32-bit figures; sizes are 64-bit.
std::int32_t ToBarFigure(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// A maximum below 0 is refused, as the page's bar refuses it; the position
// follows a lower maximum down.
void SetMax(BarFigures& bar, std::int64_t max) {
  if (max < 0) throw std::range_error("Property value out of range");
  bar.Max = ToBarFigure(max);
  bar.Position = std::min(bar.Position, bar.Max);
}

void SetPosition(BarFigures& bar, std::int64_t position) {
  bar.Position = std::clamp(ToBarFigure(position), 0, bar.Max);
}

}  // namespace

void ProgressBars::StartPass(std::int32_t packs) {
  SetMax(area_, std::int64_t{100} * packs);
  SetPosition(area_, 0);
  sink_.ShowAreaBar(area_);
}

void ProgressBars::FinishPack(std::int32_t packsDone) {
  SetPosition(area_, area_.Max);
  SetPosition(area_, std::int64_t{packsDone} * 100);
  sink_.ShowAreaBar(area_);
}

void ProgressBars::FinishPass() {
  SetPosition(area_, area_.Max);
  sink_.ShowAreaBar(area_);
}

void ProgressBars::StartFileProgress(std::int64_t packBytes) {
  SetPosition(file_, 0);
  SetMax(file_, packBytes / 1024);
  filesDone_ = file_.Position;
  sink_.ShowFileBar(file_);
}

std::int32_t ProgressBars::AreaShareStart() const { return area_.Position / 100 * 100; }

void ProgressBars::AdvanceProgress(std::int64_t fileBytes, std::int32_t areaStart) {
  ShowFilesDoneAnd(fileBytes, areaStart);
  filesDone_ = file_.Position;
}

void ProgressBars::ShowFileInCopy(std::int64_t copiedBytes, std::int32_t areaStart) {
  ShowFilesDoneAnd(copiedBytes, areaStart);
}

void ProgressBars::ShowFilesDoneAnd(std::int64_t fileBytes, std::int32_t areaStart) {
  SetPosition(file_, std::int64_t{filesDone_} + fileBytes / 1024);
  const std::int64_t share = file_.Max == 0 ? 100 : std::int64_t{file_.Position} * 100 / file_.Max;
  SetPosition(area_, areaStart + share);
  sink_.ShowFileBar(file_);
  sink_.ShowAreaBar(area_);
}

}  // namespace engine
