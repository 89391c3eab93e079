// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The number formats every fuzz target runs under: the plain one, the common
// regional ones, Indian grouping and separators of several bytes, the no-break space of
// an 8-bit locale among them.

#include <array>
#include <cstddef>

#include "solver/field_number.h"

namespace prism::fuzz {

inline const std::array<NumberFormat, 8>& Formats() {
  static const std::array<NumberFormat, 8> formats = {{
      {},
      {".", ",", {3, 3}},
      {",", ".", {3, 3}},
      {",", "", {3, 3}},
      {".", ",", {3, 2}},
      {",", "\u202F", {3}},
      {".", "\u2019", {3}},
      {",", "\u00A0", {3}},
  }};
  return formats;
}

inline const NumberFormat& FormatFor(unsigned char selector) {
  return Formats()[selector % Formats().size()];
}

}  // namespace prism::fuzz
