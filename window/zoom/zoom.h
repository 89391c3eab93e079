// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The windows' zoom for projectors and the back of a classroom: its steps,
// a window's size at each, and which steps fit a space, in logical pixels at
// a screen's scale (1.5 on a laptop at 150 %). Each window passes its own
// size as designed at 100 %.

#include <array>
#include <cstddef>

namespace prism {

// In per cent: 100 is the window as designed.
inline constexpr std::array<int, 7> kZoomSteps = {100, 125, 150, 175, 200, 250, 300};

// A length in pixels at 100 %, at a zoom.
constexpr int Zoomed(int pixels, int zoom) { return pixels * zoom / 100; }

// A line one pixel wide at 100 %: whole pixels, at least one.
constexpr int LineWidth(int zoom) { return zoom < 200 ? 1 : Zoomed(1, zoom); }

struct PixelSize {
  int width = 0, height = 0;

  constexpr bool operator==(const PixelSize&) const = default;
};

// A window's inside, designed at 100 %, at a zoom step.
constexpr PixelSize ZoomedSize(PixelSize design, std::size_t step) {
  return {Zoomed(design.width, kZoomSteps[step]), Zoomed(design.height, kZoomSteps[step])};
}

// Whether a logical length fits a space, compared in device pixels. The
// window system sizes a window in device pixels, and may give one less than
// a fractional scale asks for (794 for 530 logical pixels at 150 %); the
// space's own logical length is rounded from its device pixels. So a length
// fits where, one device pixel less, it is within the space's device pixels
// before that rounding.
constexpr bool LengthFits(int length, int space, double scale) {
  const auto device_length = static_cast<int>(length * scale);
  const auto device_space = static_cast<int>(space * scale + scale / 2);
  return device_length - 1 <= device_space;
}

constexpr bool SizeFits(PixelSize size, PixelSize space, double scale = 1.0) {
  return LengthFits(size.width, space.width, scale) && LengthFits(size.height, space.height, scale);
}

// The largest step at which the window designed fits in the space, or 0
// where none does.
constexpr std::size_t LargestStepThatFits(PixelSize design, PixelSize space, double scale = 1.0) {
  std::size_t largest = 0;
  for (std::size_t step = 1; step < kZoomSteps.size(); ++step) {
    if (SizeFits(ZoomedSize(design, step), space, scale)) largest = step;
  }
  return largest;
}

constexpr bool ZoomStepsAreWellFormed() {
  if (kZoomSteps.front() != 100) return false;
  for (std::size_t step = 0; step < kZoomSteps.size(); ++step) {
    if (step > 0 && kZoomSteps[step] <= kZoomSteps[step - 1]) return false;
  }
  return true;
}
static_assert(ZoomStepsAreWellFormed());

// At the scales of the screens in use, each step's window fits itself as the
// window system sizes it, a device pixel short included, so that a step
// stays chosen once shown; and two pixels less no longer fit it. Asked of a
// window whose resize chooses its step.
constexpr bool StepBoundariesHold(PixelSize design) {
  for (double scale : {1.0, 1.25, 1.5, 1.75, 2.0}) {
    for (std::size_t step = 1; step < kZoomSteps.size(); ++step) {
      const PixelSize size = ZoomedSize(design, step);
      const auto shown = [scale](int length) {
        return static_cast<int>((static_cast<int>(length * scale) - 1) / scale + 0.5);
      };
      if (LargestStepThatFits(design, size, scale) != step ||
          LargestStepThatFits(design, {shown(size.width), shown(size.height)}, scale) != step ||
          LargestStepThatFits(design, {size.width - 2, size.height - 2}, scale) != step - 1) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace prism
