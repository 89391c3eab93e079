// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The box drawn to its numbers, as a textbook's oblique view: the front face
// a wide and c tall, the depth b receding up and to the right at 45° at half
// its length. Where the longest edge is more than twenty times the shortest,
// the short edges are drawn at a twentieth of the longest, and the drawing
// says it is not to scale.

#include <algorithm>
#include <cmath>
#include <optional>

namespace prism {

inline constexpr double kSketchDepthFactor = 0.5;    // of b, along the 45° line
inline constexpr double kSketchLongestRatio = 20.0;  // beyond it, not to scale

struct BoxSketch {
  // In the drawing's units, to fit the space asked for.
  double front_width = 0;   // a
  double front_height = 0;  // c
  double depth = 0;         // the receding offset of b, right and up alike
  bool to_scale = true;
};

// The sketch of the box whose edges fit width x height; nullopt where an
// edge is not a positive finite number, or there is no space.
inline std::optional<BoxSketch> SketchBox(double a, double b, double c, double width,
                                          double height) {
  for (double edge : {a, b, c}) {
    if (!(edge > 0) || !std::isfinite(edge)) return std::nullopt;
  }
  if (!(width > 0) || !(height > 0)) return std::nullopt;
  const double longest = std::max({a, b, c});
  const double shortest_drawn = longest / kSketchLongestRatio;
  BoxSketch sketch;
  sketch.to_scale = std::min({a, b, c}) >= shortest_drawn;
  a = std::max(a, shortest_drawn);
  b = std::max(b, shortest_drawn);
  c = std::max(c, shortest_drawn);
  const double depth = b * kSketchDepthFactor / std::sqrt(2.0);
  const double scale = std::min(width / (a + depth), height / (c + depth));
  sketch.front_width = a * scale;
  sketch.front_height = c * scale;
  sketch.depth = depth * scale;
  return sketch;
}

}  // namespace prism
