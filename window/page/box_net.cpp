// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/page/box_net.h"

#include <algorithm>
#include <cmath>

namespace prism {
namespace {

bool IsEdge(double x) { return x > 0 && std::isfinite(x); }

// A trapezoid on the edge from → to, standing out to its left as one walks
// the outline clockwise, depth deep, its sides at 45° and never meeting.
std::array<NetPoint, 4> Tab(NetPoint from, NetPoint to, double depth) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  const double length = std::hypot(dx, dy);
  const double ux = dx / length, uy = dy / length;
  // Outwards: the edge turned a quarter to the left, on paper (y down).
  const double nx = uy, ny = -ux;
  const double deep = std::min(depth, length / 2 * 0.9);
  return {{from,
           {from.x + nx * deep + ux * deep, from.y + ny * deep + uy * deep},
           {to.x + nx * deep - ux * deep, to.y + ny * deep - uy * deep},
           to}};
}

}  // namespace

std::optional<BoxNet> NetOfBox(double a, double b, double c, double tab) {
  if (!IsEdge(a) || !IsEdge(b) || !IsEdge(c) || !(tab >= 0)) return std::nullopt;
  BoxNet net;
  // The strip: a, b, a, b wide and c tall, b below its top edge for the top.
  const double strip_top = std::max(b, tab);
  const std::array<double, 4> widths = {a, b, a, b};
  double x = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    net.faces.push_back({NetFace::kSide, {x, strip_top}, widths[i], c, i % 2 == 0 ? 0 : 1, 2});
    x += widths[i];
  }
  const double strip_right = x, strip_bottom = strip_top + c;
  net.faces.push_back({NetFace::kBase, {0, strip_bottom}, a, b, 0, 1});
  net.faces.push_back({NetFace::kBase, {0, strip_top - b}, a, b, 0, 1});

  // Folds: between the side faces, and where the base and the top meet the
  // first of them.
  for (std::size_t i = 1; i < 4; ++i) {
    const double at = net.faces[i].top_left.x;
    net.fold_lines.push_back({{at, strip_top}, {at, strip_bottom}});
  }
  net.fold_lines.push_back({{0, strip_top}, {a, strip_top}});
  net.fold_lines.push_back({{0, strip_bottom}, {a, strip_bottom}});

  // Tabs, glued under the edge they meet: at the strip's end, and above and
  // below the second, third and fourth side faces, whose edges meet the
  // base's and the top's free ones. Each edge walked clockwise.
  const auto tabbed = [&](NetPoint from, NetPoint to) {
    net.tabs.push_back(Tab(from, to, tab));
    net.fold_lines.push_back({from, to});
  };
  tabbed({strip_right, strip_top}, {strip_right, strip_bottom});
  for (std::size_t i = 1; i < 4; ++i) {
    const double left = net.faces[i].top_left.x, right = left + net.faces[i].width;
    tabbed({left, strip_top}, {right, strip_top});
    tabbed({right, strip_bottom}, {left, strip_bottom});
  }

  // The outline, clockwise from the top's top-left corner: the top, the
  // strip's top edge with its tabs, the strip's end with its tab, its bottom
  // edge with its tabs, the base, and up the strip's first edge.
  std::vector<NetPoint> outline = {{0, strip_top - b}, {a, strip_top - b}, {a, strip_top}};
  for (std::size_t i = 1; i < 4; ++i) {
    const auto& t = net.tabs[1 + 2 * (i - 1)];
    outline.insert(outline.end(), {t[1], t[2], t[3]});
  }
  const auto& end = net.tabs[0];
  outline.insert(outline.end(), {end[1], end[2], end[3]});
  for (std::size_t i = 3; i >= 1; --i) {
    const auto& t = net.tabs[2 + 2 * (i - 1)];
    outline.insert(outline.end(), {t[1], t[2], t[3]});
  }
  outline.insert(outline.end(), {{a, strip_bottom + b}, {0, strip_bottom + b}, {0, strip_top - b}});
  for (std::size_t i = 1; i < outline.size(); ++i) {
    net.cut_lines.push_back({outline[i - 1], outline[i]});
  }
  net.width = strip_right + std::min(tab, c / 2 * 0.9);
  net.height = strip_top + c + std::max(b, tab);
  return net;
}

NetPaper NetPaperSize(double a, double b, double c, double mm_per_unit, double tab_mm) {
  return {2 * (a + b) * mm_per_unit + tab_mm, c * mm_per_unit + 2 * std::max(b * mm_per_unit, tab_mm)};
}

std::optional<NetScale> ChooseNetScale(double a, double b, double c,
                                       double millimetres_per_unit, double space_width,
                                       double space_height, double tab_mm) {
  if (!IsEdge(a) || !IsEdge(b) || !IsEdge(c)) return std::nullopt;
  const auto fits = [&](double mm_per_unit, bool turned) {
    const NetPaper paper = NetPaperSize(a, b, c, mm_per_unit, tab_mm);
    return turned ? paper.height <= space_width && paper.width <= space_height
                  : paper.width <= space_width && paper.height <= space_height;
  };
  NetScale scale;
  if (millimetres_per_unit > 0) {
    scale.true_size = true;
    // 1, 2, 5, 10, 20, 50, …: the first that fits, upright before turned.
    for (long long power = 1; power <= 1'000'000'000'000LL; power *= 10) {
      for (const long long step : {1LL, 2LL, 5LL}) {
        scale.denominator = power * step;
        scale.mm_per_unit = millimetres_per_unit / static_cast<double>(scale.denominator);
        for (const bool turned : {false, true}) {
          if (fits(scale.mm_per_unit, turned)) {
            scale.turned = turned;
            return scale;
          }
        }
      }
    }
    return std::nullopt;
  }
  // As large as fits: the width and the height each bound it, the tabs'
  // depth on paper apart; the way round that allows the larger wins.
  const auto largest = [&](double across, double down) {
    const double by_width = (across - tab_mm) / (2 * (a + b));
    const double by_height = std::min(down / (c + 2 * b), (down - 2 * tab_mm) / c);
    return std::min(by_width, by_height);
  };
  const double upright = largest(space_width, space_height);
  const double turned = largest(space_height, space_width);
  scale.turned = turned > upright;
  scale.mm_per_unit = std::max(upright, turned);
  if (!(scale.mm_per_unit > 0)) return std::nullopt;
  return scale;
}

std::string NetScaleText(const NetScale& scale) {
  return "Мащаб 1:" + std::to_string(scale.denominator);
}

}  // namespace prism
