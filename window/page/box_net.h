// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The net of a box (its развивка), to cut out and fold, with no window
// system behind it: the four side faces in a strip, the base below the
// first and the top above it, glue tabs on the edges that are glued, and
// the scale it is printed at.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace prism {

struct NetPoint {
  double x = 0, y = 0;  // y grows downwards, as on paper

  bool operator==(const NetPoint&) const = default;
};

struct NetSegment {
  NetPoint from, to;
};

enum class NetFace { kSide, kBase };

// A face of the net: its rectangle and what it is.
struct NetFaceRect {
  NetFace face;
  NetPoint top_left;
  double width = 0, height = 0;  // in the box's unit
  int across = 0, down = 0;      // which of a (0), b (1), c (2) its sides are
};

struct BoxNet {
  std::vector<NetFaceRect> faces;      // the four sides, then the base and the top
  std::vector<NetSegment> fold_lines;  // dashed: where two faces or a face and a tab meet
  std::vector<NetSegment> cut_lines;   // solid: the outline, tabs included
  std::vector<std::array<NetPoint, 4>> tabs;
  double width = 0, height = 0;        // of the whole, tabs included
};

// The net of the box a × b × c, in the box's unit, with glue tabs tab deep
// (in the same unit; narrower where an edge is short for it). nullopt where
// an edge is not a positive finite number.
std::optional<BoxNet> NetOfBox(double a, double b, double c, double tab);

// How a net is printed: at 1:denominator where the box has a unit, else
// to fit; and whether it is turned a quarter to fit.
struct NetScale {
  bool true_size = false;    // a unit is set: the net is 1:denominator
  long long denominator = 1;  // 1, 2, 5, 10, 20, 50, 100, 200, …
  bool turned = false;       // drawn a quarter turned
  double mm_per_unit = 1.0;  // on paper, for a unit of the box
};

// The paper the net of a × b × c takes at mm_per_unit, with its glue tabs
// tab_mm deep on paper: the strip's length and a tab across; the strip's
// height, and the base and top or the tabs that stand out further, down.
struct NetPaper {
  double width = 0, height = 0;
};
NetPaper NetPaperSize(double a, double b, double c, double mm_per_unit, double tab_mm);

// The scale of the net of a × b × c, in a unit millimetres_per_unit long (0
// for no unit), on a printable space of space_width × space_height mm: 1:1
// where it fits either way round (turned only where it must be), else the
// largest of 1:2, 1:5, 1:10, 1:20, 1:50, … that fits; with no unit, as large
// as fits. nullopt where an edge is no positive finite number or nothing fits.
std::optional<NetScale> ChooseNetScale(double a, double b, double c,
                                       double millimetres_per_unit, double space_width,
                                       double space_height, double tab_mm);

// "Мащаб 1:5".
std::string NetScaleText(const NetScale& scale);

}  // namespace prism
