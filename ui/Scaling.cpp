#include "ui/Scaling.h"

#include <cstdint>
#include <cstdlib>

namespace ui {

namespace {

// value * numerator / denominator, to the nearest integer, halves away from zero.
int MulDivRounded(int value, int numerator, int denominator) {
  const std::int64_t product = std::int64_t{std::abs(value)} * numerator;
  const auto magnitude = static_cast<int>((product + denominator / 2) / denominator);
  return value < 0 ? -magnitude : magnitude;
}

}  // namespace

int ScaleToDpi(int value, int dpi) { return MulDivRounded(value, dpi, kDefaultDpi); }

int UnscaleFromDpi(int value, int dpi) { return MulDivRounded(value, kDefaultDpi, dpi); }

int UnscaleLengthFromDpi(int value, int dpi) {
  return static_cast<int>((std::int64_t{value} * kDefaultDpi + dpi - 1) / dpi);
}

Rect ScaleToDpi(const Rect& rect, int dpi) {
  return {ScaleToDpi(rect.Left, dpi), ScaleToDpi(rect.Top, dpi), ScaleToDpi(rect.Right, dpi),
          ScaleToDpi(rect.Bottom, dpi)};
}

Rect UnscaleFromDpi(const Rect& rect, int dpi) {
  return {UnscaleFromDpi(rect.Left, dpi), UnscaleFromDpi(rect.Top, dpi), UnscaleFromDpi(rect.Right, dpi),
          UnscaleFromDpi(rect.Bottom, dpi)};
}

Point ScaleToDpi(Point point, int dpi) { return {ScaleToDpi(point.X, dpi), ScaleToDpi(point.Y, dpi)}; }

Point UnscaleFromDpi(Point point, int dpi) { return {UnscaleFromDpi(point.X, dpi), UnscaleFromDpi(point.Y, dpi)}; }

Size ScaleToDpi(Size size, int dpi) { return {ScaleToDpi(size.Width, dpi), ScaleToDpi(size.Height, dpi)}; }

int PictureScaleForDpi(int dpi) {
  const int percent = MulDivRounded(dpi, 100, kDefaultDpi);
  if (percent <= 125) return 100;
  if (percent <= 175) return 150;
  return 200;
}

}  // namespace ui
