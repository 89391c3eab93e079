// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one typeface of the windows and their pages, at each zoom, and the
// program's texts as Qt takes them.

#include <QFont>
#include <QString>
#include <string_view>

#include "window/zoom/zoom.h"

namespace prism {

inline constexpr std::string_view kFontFamily = "Times New Roman";
inline constexpr int kFontPointSize = 12;

constexpr int FontPointSize(int zoom) { return kFontPointSize * zoom / 100; }

// The font grows by whole points at every step, so that its size is the
// same everywhere.
constexpr bool FontGrowsByWholePoints() {
  for (int zoom : kZoomSteps) {
    if (kFontPointSize * zoom % 100 != 0) return false;
  }
  return true;
}
static_assert(FontGrowsByWholePoints());

// The font at a zoom, whether its size is in points or in pixels.
QFont ZoomedFont(QFont font, int zoom);

// The family the window's text is drawn in: the window's font family where the
// system has it, else the family the system puts in its place.
QString WindowFontFamily();

// The window's font at a zoom, which every control takes.
QFont WindowFont(int zoom);

// A text of the program's tables, which are UTF-8.
QString Text(std::string_view utf8);

}  // namespace prism
