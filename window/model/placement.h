// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a window opens beside the main window, with no window system behind
// it: wholly on the main window's screen, beside it where either side has
// room, else where it covers least of it.

namespace prism {

// A rectangle in the screens' coordinates, in pixels.
struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;

  constexpr int right() const { return x + width; }    // one past the last column
  constexpr int bottom() const { return y + height; }  // one past the last row
  constexpr bool operator==(const ScreenRect&) const = default;
};

// What the window system adds around a window's inside: title bar and borders.
struct FrameMargins {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Where the window opens: its frame, and its inside's size, no larger than
// the space leaves (the inside's text then scrolls).
struct Placement {
  ScreenRect frame;
  int client_width = 0, client_height = 0;

  bool operator==(const Placement&) const = default;
};

// The pixels two rectangles share.
int OverlapArea(const ScreenRect& a, const ScreenRect& b);

// A window of the inside size wanted, opened beside main_frame within space
// (the screen's room for windows): right of it where that side has room,
// else left of it, gap pixels apart and level with its top; where neither
// side has room, at the place of the screen's edges that covers the least
// of it, right and level first. Never beyond the space.
Placement PlaceBeside(const ScreenRect& main_frame, const ScreenRect& space, int client_width,
                      int client_height, const FrameMargins& margins, int gap);

}  // namespace prism
