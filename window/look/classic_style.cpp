// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/look/classic_style.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>
#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include "window/look/colours.h"

namespace prism {
namespace {

// Where the frame's caption starts, from the frame's left edge, in pixels.
constexpr int kCaptionIndent = 8;
// Blank on either side of the caption, breaking the frame's top line.
constexpr int kCaptionPadding = 2;

void DrawDottedRect(QPainter* painter, const QRect& rect, const QColor& colour) {
  painter->save();
  QPen pen(colour, 1, Qt::DotLine);
  painter->setPen(pen);
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(rect.adjusted(0, 0, -1, -1));
  painter->restore();
}

// A ring of lines each as wide as the zoom makes a pixel, the top and left
// in one colour, the bottom and right in another, as qDrawWinShades draws it
// one pixel wide.
void DrawRing(QPainter* painter, const QRect& rect, const QColor& top_left,
              const QColor& bottom_right, int width) {
  const QRect r = rect;
  painter->fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), bottom_right);
  painter->fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), bottom_right);
  painter->fillRect(QRect(r.left(), r.top(), r.width() - width, width), top_left);
  painter->fillRect(QRect(r.left(), r.top(), width, r.height() - width), top_left);
}

void DrawButtonPanel(const QStyleOption* option, QPainter* painter, int zoom) {
  const bool sunken = (option->state & (QStyle::State_Sunken | QStyle::State_On)) != 0;
  const QBrush face = option->palette.brush(QPalette::Button);
  const int width = LineWidth(zoom);
  if (width == 1) {
    qDrawWinButton(painter, option->rect, option->palette, sunken, &face);
  } else {
    // The bevel as wide as the zoom makes it: an outer and an inner ring.
    const QPalette& p = option->palette;
    const QRect outer = option->rect;
    const QRect inner = outer.adjusted(width, width, -width, -width);
    painter->fillRect(inner.adjusted(width, width, -width, -width), face);
    DrawRing(painter, outer, sunken ? p.shadow().color() : p.light().color(),
             sunken ? p.light().color() : p.shadow().color(), width);
    DrawRing(painter, inner, sunken ? p.dark().color() : p.button().color(),
             sunken ? p.button().color() : p.dark().color(), width);
  }
  if (option->state & QStyle::State_HasFocus) {
    // The focused button is ringed in black, as on the classic desktop.
    painter->save();
    painter->setPen(QPen(Qt::black, width));
    const int half = width / 2;
    painter->drawRect(option->rect.adjusted(half, half, -half - 1, -half - 1));
    painter->restore();
  }
}

// Fusion draws a scroll bar's arrows at a size from the screen's dots per
// inch, which it reads from the option's font metrics: those of a device
// with the zoom's.
QFontMetrics ZoomedMetrics(const QStyleOption* option, const QWidget* widget, int zoom) {
  QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
  const qreal dpi = option->fontMetrics.fontDpi() * zoom / 100;
  const int dots_per_metre = qRound(dpi / 0.0254);
  device.setDotsPerMeterX(dots_per_metre);
  device.setDotsPerMeterY(dots_per_metre);
  return QFontMetrics(widget != nullptr ? widget->font() : QFont(), &device);
}

// The sizes that grow with the zoom; the rest follow the font.
constexpr std::array kZoomedMetrics = {
    QStyle::PM_IndicatorWidth,       QStyle::PM_IndicatorHeight,
    QStyle::PM_CheckBoxLabelSpacing, QStyle::PM_ScrollBarExtent,
    QStyle::PM_ScrollBarSliderMin,   QStyle::PM_DefaultFrameWidth,
    QStyle::PM_FocusFrameHMargin,    QStyle::PM_FocusFrameVMargin,
    QStyle::PM_ButtonMargin,         QStyle::PM_ButtonShiftHorizontal,
    QStyle::PM_ButtonShiftVertical,
};

void DrawGroupBox(const QStyleOptionGroupBox* group, QPainter* painter, const QStyle* style,
                  const QWidget* widget, int zoom) {
  const QFontMetrics metrics = widget != nullptr ? widget->fontMetrics() : group->fontMetrics;
  const int caption_height = metrics.height();
  // An etched line: dark, with a light line inside it.
  const QRect frame = group->rect.adjusted(0, caption_height / 2, 0, 0);
  qDrawShadeRect(painter, frame, group->palette, true, LineWidth(zoom), 0);
  if (group->text.isEmpty()) return;
  const int caption_width =
      metrics.horizontalAdvance(group->text) + 2 * Zoomed(kCaptionPadding, zoom);
  const QRect caption(group->rect.left() + Zoomed(kCaptionIndent, zoom), group->rect.top(),
                      caption_width, caption_height);
  painter->fillRect(caption, group->palette.brush(QPalette::Window));
  style->drawItemText(painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, group->palette,
                      (group->state & QStyle::State_Enabled) != 0, group->text,
                      QPalette::WindowText);
}

// Each of the window's colour roles with Qt's, checked to stand at its own
// place so that the lookup below is by role, not by position.
constexpr std::pair<ColourRole, QPalette::ColorRole> kQtRoles[] = {
    {ColourRole::kWindow, QPalette::Window},
    {ColourRole::kWindowText, QPalette::WindowText},
    {ColourRole::kBase, QPalette::Base},
    {ColourRole::kAlternateBase, QPalette::AlternateBase},
    {ColourRole::kText, QPalette::Text},
    {ColourRole::kBrightText, QPalette::BrightText},
    {ColourRole::kButton, QPalette::Button},
    {ColourRole::kButtonText, QPalette::ButtonText},
    {ColourRole::kLight, QPalette::Light},
    {ColourRole::kMidlight, QPalette::Midlight},
    {ColourRole::kMid, QPalette::Mid},
    {ColourRole::kDark, QPalette::Dark},
    {ColourRole::kShadow, QPalette::Shadow},
    {ColourRole::kHighlight, QPalette::Highlight},
    {ColourRole::kHighlightedText, QPalette::HighlightedText},
    {ColourRole::kLink, QPalette::Link},
    {ColourRole::kLinkVisited, QPalette::LinkVisited},
    {ColourRole::kToolTipBase, QPalette::ToolTipBase},
    {ColourRole::kToolTipText, QPalette::ToolTipText},
};

constexpr bool QtRolesInPlace() {
  if (std::size(kQtRoles) != kPaletteColours.size()) return false;
  for (std::size_t i = 0; i < std::size(kQtRoles); ++i) {
    if (static_cast<std::size_t>(kQtRoles[i].first) != i) return false;
  }
  return true;
}
static_assert(QtRolesInPlace());

QPalette::ColorRole ToQtRole(ColourRole role) {
  return kQtRoles[static_cast<std::size_t>(role)].second;
}

}  // namespace

QPalette ClassicPalette() {
  QPalette palette;
  for (const RoleColours& colours : kPaletteColours) {
    const QPalette::ColorRole role = ToQtRole(colours.role);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      palette.setColor(group, role, ToQColor(colours.enabled));
    }
    palette.setColor(QPalette::Disabled, role, ToQColor(colours.disabled));
  }
  return palette;
}

void PaintBackground(QWidget* widget, StoredColour colour) {
  QPalette palette = widget->palette();
  palette.setColor(widget->backgroundRole(), ToQColor(colour));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

ClassicStyle::ClassicStyle(int zoom)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), zoom_(zoom) {}

int ClassicStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
  const int size = QProxyStyle::pixelMetric(metric, option, widget);
  if (zoom_ == 100) return size;
  // Fusion's own sizes follow the option's dots per inch: those of a scroll
  // bar being drawn are already the zoom's.
  if (option != nullptr && zoomed_dpi_ > 0 && option->fontMetrics.fontDpi() == zoomed_dpi_) {
    return size;
  }
  const bool zoomed =
      std::find(kZoomedMetrics.begin(), kZoomedMetrics.end(), metric) != kZoomedMetrics.end();
  return zoomed ? Zoomed(size, zoom_) : size;
}

void ClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  switch (element) {
    case PE_PanelButtonCommand:
      DrawButtonPanel(option, painter, zoom_);
      return;
    case PE_Frame:
    case PE_FrameLineEdit: {
      // One pixel's line a pixel wider for each pixel of the zoom, from the
      // outside in, so that the innermost's shading stays inside.
      QStyleOption inset(*option);
      for (int i = 0; i < LineWidth(zoom_); ++i) {
        inset.rect = option->rect.adjusted(i, i, -i, -i);
        QProxyStyle::drawPrimitive(element, &inset, painter, widget);
      }
      return;
    }
    case PE_FrameFocusRect:
      // On the selection's navy as on white: the highlighted text's colour.
      DrawDottedRect(painter, option->rect,
                     (option->state & State_Selected) ? option->palette.color(QPalette::HighlightedText)
                                                      : option->palette.color(QPalette::Text));
      return;
    default:
      QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
}

void ClassicStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
  if (element != CE_ItemViewItem || item == nullptr || !(item->state & State_Selected) ||
      (item->state & State_HasFocus)) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  // The selected entry of a list without the focus: the focus must be plainly
  // visible by the difference.
  QStyleOptionViewItem quiet(*item);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    quiet.palette.setColor(group, QPalette::Highlight, ToQColor(kUnfocusedSelectionColour));
    quiet.palette.setColor(group, QPalette::HighlightedText, ToQColor(kBlack));
  }
  QProxyStyle::drawControl(element, &quiet, painter, widget);
}

void ClassicStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
  const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control == CC_GroupBox && group != nullptr) {
    DrawGroupBox(group, painter, this, widget, zoom_);
    return;
  }
  const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
  if (control == CC_ScrollBar && bar != nullptr && zoom_ != 100) {
    QStyleOptionSlider zoomed(*bar);
    zoomed.fontMetrics = ZoomedMetrics(option, widget, zoom_);
    zoomed_dpi_ = zoomed.fontMetrics.fontDpi();
    QProxyStyle::drawComplexControl(control, &zoomed, painter, widget);
    zoomed_dpi_ = 0;
    return;
  }
  QProxyStyle::drawComplexControl(control, option, painter, widget);
}

}  // namespace prism
