// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The context menus of the windows' controls, in the windows' look.

class QMenu;
class QPoint;
class QWidget;

namespace prism {

// Shows a control's standard context menu in the colours of the window it
// belongs to and without the desktop theme's icons: a menu is a window of its
// own, and would take the theme's look. As large as the window is zoomed.
void ShowPlainMenu(const QWidget* owner, QMenu* menu, const QPoint& global_position, int zoom);

// The zoom a control is drawn at: its style's, 100 where it has no classic one.
int StyleZoom(const QWidget* control);

}  // namespace prism
