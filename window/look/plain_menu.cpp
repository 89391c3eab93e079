// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/look/plain_menu.h"

#include <QAction>
#include <QMenu>

#include "window/look/classic_style.h"
#include "window/look/fonts.h"

namespace prism {

int StyleZoom(const QWidget* control) {
  const auto* style = dynamic_cast<const ClassicStyle*>(control->style());
  return style != nullptr ? style->zoom() : 100;
}

void ShowPlainMenu(const QWidget* owner, QMenu* menu, const QPoint& global_position, int zoom) {
  QList<QMenu*> menus = menu->findChildren<QMenu*>();
  menus.prepend(menu);
  for (QMenu* each : menus) {
    each->setPalette(owner->window()->palette());
    if (zoom != 100) each->setFont(ZoomedFont(each->font(), zoom));
    for (QAction* action : each->actions()) action->setIconVisibleInMenu(false);
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(global_position);
}

}  // namespace prism
