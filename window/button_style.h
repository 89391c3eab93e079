#pragma once

// Draws a push button as a flat face in its palette's button colour inside a
// classic raised bevel, sunken while pressed; everything else as the
// application's style does. The platform styles shade or ignore the colour,
// and a style sheet would cost a style-sheet engine at every start.

#include <QProxyStyle>

namespace prism {

class ButtonStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace prism
