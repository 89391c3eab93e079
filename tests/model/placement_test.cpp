// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/model/placement.h"

#include <gtest/gtest.h>

namespace prism {
namespace {

// The solution window (560 × 640 inside) opened beside the main window
// (483 × 449 with its frame) on the screens classrooms have, under a window
// manager with a 24-pixel title bar.
TEST(PlaceBeside, OpensWhollyOnTheScreenBesideOrCoveringLeast) {
  constexpr FrameMargins kMargins{1, 24, 1, 1};
  constexpr int kGap = 8;
  struct Case {
    const char* screen;
    ScreenRect space;
    ScreenRect main;
    Placement expected;
    int wanted_width = 560, wanted_height = 640;  // the inside at the zoom step
  };
  const Case cases[] = {
      {"1920×1080, room on the right", {0, 0, 1920, 1080}, {100, 100, 483, 449},
       {{591, 100, 562, 665}, 560, 640}},
      // Neither side has room: the right edge covers 120 columns of it, the
      // left 121; level, and so high that the whole frame stays on screen.
      {"1366×768, the main window in the middle", {0, 0, 1366, 768}, {441, 160, 483, 449},
       {{804, 103, 562, 665}, 560, 640}},
      {"1366×768 less a panel, the main window at the left", {0, 0, 1366, 740},
       {0, 0, 483, 449}, {{491, 0, 562, 665}, 560, 640}},
      {"1280×1024, the main window at the right", {0, 0, 1280, 1024}, {790, 50, 483, 449},
       {{220, 50, 562, 665}, 560, 640}},
      {"a second screen left of the first", {-1920, 0, 1920, 1080}, {-600, 200, 483, 449},
       {{-1170, 200, 562, 665}, 560, 640}},
      // Too low for the design: the inside takes the room there is.
      {"1024×600 less a panel", {0, 0, 1024, 576}, {0, 0, 483, 449},
       {{462, 0, 562, 576}, 560, 551}},
      {"2560×1600 at 200 %", {0, 0, 2560, 1560}, {200, 100, 963, 873},
       {{1171, 100, 1122, 1305}, 1120, 1280}, 1120, 1280},
  };
  for (const Case& c : cases) {
    const Placement placed =
        PlaceBeside(c.main, c.space, c.wanted_width, c.wanted_height, kMargins, kGap);
    EXPECT_EQ(placed, c.expected) << c.screen << ": at " << placed.frame.x << ", "
                                  << placed.frame.y << ", " << placed.frame.width << " × "
                                  << placed.frame.height;
    EXPECT_EQ(OverlapArea(placed.frame, c.space),
              placed.frame.width * placed.frame.height)
        << c.screen << ": wholly on the screen";
  }
  // Whatever the screen and wherever the main window stands, the window is
  // wholly on the screen, and covers none of the main window where a side
  // has room for it.
  for (int width = 300; width <= 2600; width += 230) {
    for (int x = -200; x <= width; x += 97) {
      const ScreenRect space{0, 0, width, 700};
      const ScreenRect main{x, 50, 483, 449};
      const Placement placed = PlaceBeside(main, space, 560, 640, kMargins, kGap);
      EXPECT_EQ(OverlapArea(placed.frame, space), placed.frame.width * placed.frame.height)
          << width << ", " << x;
      const bool room = main.right() + kGap + 562 <= width || main.x - kGap - 562 >= 0;
      if (room) {
        EXPECT_EQ(OverlapArea(placed.frame, main), 0) << width << ", " << x;
      }
    }
  }
}

}  // namespace
}  // namespace prism
