#include "engine/PackProgress.h"

#include <algorithm>
#include <limits>

namespace engine {

namespace {

// The bars hold 32-bit figures; sizes are 64-bit.
std::int32_t ToBarFigure(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

void SetPosition(ui::TProgressBar& bar, std::int64_t position) {
  const std::int32_t figure = std::clamp(ToBarFigure(position), bar.Min(), bar.Max());
  if (figure != bar.Position()) bar.SetPosition(figure);
}

}  // namespace

void ShowStatus(TInstallView& view, const std::string& status) {
  if (view.FileStatusLabel().Caption() != status) view.FileStatusLabel().SetCaption(status);
}

void StartFileProgress(TInstallView& view, std::int64_t packBytes) {
  ui::TProgressBar& bar = view.FileProgressBar();
  bar.SetPosition(0);
  bar.SetMax(ToBarFigure(packBytes / 1024));
}

std::int32_t AreaShareStart(TInstallView& view) { return view.AreaProgressBar().Position() / 100 * 100; }

void AdvanceProgress(TInstallView& view, std::int64_t fileBytes, std::int32_t areaStart) {
  ui::TProgressBar& file = view.FileProgressBar();
  SetPosition(file, std::int64_t{file.Position()} + fileBytes / 1024);
  const std::int64_t share = file.Max() == 0 ? 100 : std::int64_t{file.Position()} * 100 / file.Max();
  SetPosition(view.AreaProgressBar(), areaStart + share);
}

}  // namespace engine
