// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Draws the controls the way the classic desktop did, whatever the platform's
// style: a push button as a flat face in its palette's button colour inside a
// raised bevel, sunken while pressed; a frame as an etched line with its
// caption on the top line; a selected list entry in the selection colour while
// the list has the focus, in a quieter one otherwise, with a dotted focus
// rectangle. Everything else as Fusion draws it. The
// platform styles shade or ignore these colours, and a style sheet would cost
// a style-sheet engine at every start.
// At a zoom, the sizes the style gives (check boxes, scroll bars, frames,
// margins) grow with it, and so do the lines of frames, fields and buttons
// and the scroll bars' arrows.

#include <QColor>
#include <QPalette>
#include <QProxyStyle>

#include "window/look/colours.h"
#include "window/zoom/zoom.h"

namespace prism {

inline QColor ToQColor(StoredColour colour) {
  return QColor(colour.red(), colour.green(), colour.blue());
}

// Every colour the window paints, fixed: the desktop's theme, a dark palette
// or another style must not turn the texts pale on the window's light colours.
QPalette ClassicPalette();

// Fills the control with its back colour, in the palette role its kind paints
// its face with (a check box's is Button, not Window).
void PaintBackground(QWidget* widget, StoredColour colour);

class ClassicStyle : public QProxyStyle {
 public:
  // Over Fusion, whatever style the user asked for: it fills every control
  // in its palette's colours, which some platform styles ignore.
  explicit ClassicStyle(int zoom = 100);

  int zoom() const { return zoom_; }

  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget = nullptr) const override;

 private:
  int zoom_;
  // While a scroll bar is drawn: the dots per inch its option carries.
  mutable qreal zoomed_dpi_ = 0;
};

}  // namespace prism
