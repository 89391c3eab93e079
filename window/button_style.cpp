#include "window/button_style.h"

#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

namespace prism {

void ButtonStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
  if (element != PE_PanelButtonCommand) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  const bool sunken = (option->state & (State_Sunken | State_On)) != 0;
  const QBrush face = option->palette.brush(QPalette::Button);
  qDrawWinButton(painter, option->rect, option->palette, sunken, &face);
  if (option->state & State_HasFocus) {
    // The focused button is ringed in black, as on the classic desktop.
    painter->save();
    painter->setPen(Qt::black);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
  }
}

}  // namespace prism
