// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/page/box_net.h"

#include <gtest/gtest.h>

#include <cmath>

namespace prism {
namespace {

// The net of a box: its faces a × b × c in a strip and the two bases, seven
// glue tabs on the edges that are glued, the outline a closed line through
// them, and every part within its size.
TEST(NetOfBox, FacesTabsAndLines) {
  struct Case {
    double a, b, c, tab;
    double width, height;  // of the whole
  };
  const Case cases[] = {
      {3, 4, 5, 0.8, 14.8, 13},     // 3 × 4 × 5 cm, tabs of 8 mm
      {30, 40, 50, 0.8, 140.8, 130},
      {2, 0.5, 3, 0.8, 5.8, 4.6},   // b shorter than a tab: the tabs stand out further
      {1, 1, 1, 0, 4, 3},
  };
  for (const Case& c : cases) {
    const std::optional<BoxNet> net = NetOfBox(c.a, c.b, c.c, c.tab);
    ASSERT_TRUE(net.has_value());
    EXPECT_NEAR(net->width, c.width, 1e-9) << c.a;
    EXPECT_NEAR(net->height, c.height, 1e-9) << c.a;
    ASSERT_EQ(net->faces.size(), 6u);
    double side_widths = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(net->faces[i].face, NetFace::kSide);
      EXPECT_EQ(net->faces[i].height, c.c);
      side_widths += net->faces[i].width;
    }
    EXPECT_DOUBLE_EQ(side_widths, 2 * (c.a + c.b));
    for (std::size_t i = 4; i < 6; ++i) {
      EXPECT_EQ(net->faces[i].face, NetFace::kBase);
      EXPECT_EQ(net->faces[i].width, c.a);
      EXPECT_EQ(net->faces[i].height, c.b);
    }
    // Faces are the box's: lateral surface and both bases add up.
    double area = 0;
    for (const NetFaceRect& face : net->faces) area += face.width * face.height;
    EXPECT_DOUBLE_EQ(area, 2 * c.c * (c.a + c.b) + 2 * c.a * c.b);
    EXPECT_EQ(net->tabs.size(), 7u);
    EXPECT_EQ(net->fold_lines.size(), 3u + 2u + 7u);
    // The outline closes, and nothing stands outside the whole.
    ASSERT_FALSE(net->cut_lines.empty());
    EXPECT_EQ(net->cut_lines.front().from, net->cut_lines.back().to);
    for (std::size_t i = 1; i < net->cut_lines.size(); ++i) {
      EXPECT_EQ(net->cut_lines[i - 1].to, net->cut_lines[i].from);
    }
    for (const NetSegment& line : net->cut_lines) {
      for (const NetPoint& p : {line.from, line.to}) {
        EXPECT_GE(p.x, -1e-9);
        EXPECT_GE(p.y, -1e-9);
        EXPECT_LE(p.x, net->width + 1e-9);
        EXPECT_LE(p.y, net->height + 1e-9);
      }
    }
  }
  EXPECT_FALSE(NetOfBox(0, 1, 1, 1).has_value());
}

// The scale on A4 less 20 mm margins (170 × 257 mm), with tabs of 8 mm.
TEST(ChooseNetScale, TrueSizeWhereItFitsElseTheLargestThatDoes) {
  struct Case {
    double a, b, c;
    double mm_per_unit;  // 0: no unit
    bool true_size;
    long long denominator;
    bool turned;
  };
  const Case cases[] = {
      {3, 4, 5, 10, true, 1, false},        // 3 × 4 × 5 cm at 1:1
      {3, 4, 5, 1, true, 1, false},         // in mm
      {8, 2, 5, 10, true, 1, true},         // 1:1 only turned
      {10, 2, 15, 10, true, 2, false},      // too long either way: 1:2
      {30, 40, 50, 10, true, 10, false},    // 1:10
      {2, 1, 1, 1000, true, 50, false},     // metres: 1:50
      {1, 1, 1, 100, true, 2, true},        // a cube of 1 dm: 208 × 150 mm at 1:2, turned
      {3, 4, 5, 0, false, 1, true},         // no unit: as large as fits, turned
  };
  for (const Case& c : cases) {
    const std::optional<NetScale> scale =
        ChooseNetScale(c.a, c.b, c.c, c.mm_per_unit, 170, 257, 8);
    ASSERT_TRUE(scale.has_value());
    EXPECT_EQ(scale->true_size, c.true_size) << c.a << ' ' << c.b << ' ' << c.c;
    EXPECT_EQ(scale->turned, c.turned) << c.a << ' ' << c.b << ' ' << c.c;
    if (c.true_size) {
      EXPECT_EQ(scale->denominator, c.denominator) << c.a << ' ' << c.b << ' ' << c.c;
    }
    // It fits, the way round it is drawn.
    const NetPaper paper = NetPaperSize(c.a, c.b, c.c, scale->mm_per_unit, 8);
    const double across = scale->turned ? paper.height : paper.width;
    const double down = scale->turned ? paper.width : paper.height;
    EXPECT_LE(across, 170 + 1e-9);
    EXPECT_LE(down, 257 + 1e-9);
    if (!c.true_size) {
      EXPECT_GT(std::max(across / 170, down / 257), 0.999) << "as large as fits";
    }
  }
  EXPECT_EQ(NetScaleText({true, 20, false, 0.5}), "Мащаб 1:20");
}

}  // namespace
}  // namespace prism
