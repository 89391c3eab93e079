// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/model/placement.h"

#include <algorithm>
#include <array>

namespace prism {

int OverlapArea(const ScreenRect& a, const ScreenRect& b) {
  const int width = std::min(a.right(), b.right()) - std::max(a.x, b.x);
  const int height = std::min(a.bottom(), b.bottom()) - std::max(a.y, b.y);
  return width > 0 && height > 0 ? width * height : 0;
}

Placement PlaceBeside(const ScreenRect& main_frame, const ScreenRect& space, int client_width,
                      int client_height, const FrameMargins& margins, int gap) {
  const int across = margins.left + margins.right, down = margins.top + margins.bottom;
  Placement placement;
  placement.client_width = std::max(0, std::min(client_width, space.width - across));
  placement.client_height = std::max(0, std::min(client_height, space.height - down));
  const int width = placement.client_width + across, height = placement.client_height + down;
  const auto within = [](int at, int from, int room, int size) {
    return std::clamp(at, from, std::max(from, from + room - size));
  };
  const int level = within(main_frame.y, space.y, space.height, height);
  const int right = main_frame.right() + gap, left = main_frame.x - gap - width;
  if (right + width <= space.right()) {
    placement.frame = {right, level, width, height};
  } else if (left >= space.x) {
    placement.frame = {left, level, width, height};
  } else {
    // The screen's right and left edges, level with the main window or at
    // the space's top or bottom: the least covered wins, the first of equals.
    const std::array<int, 2> xs = {space.right() - width, space.x};
    const std::array<int, 3> ys = {level, space.y, space.bottom() - height};
    int least = -1;
    for (const int x : xs) {
      for (const int y : ys) {
        const ScreenRect frame{within(x, space.x, space.width, width),
                               within(y, space.y, space.height, height), width, height};
        const int covered = OverlapArea(frame, main_frame);
        if (least < 0 || covered < least) {
          least = covered;
          placement.frame = frame;
        }
      }
    }
  }
  return placement;
}

}  // namespace prism
