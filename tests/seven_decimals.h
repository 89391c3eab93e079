// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The number a field shows for a double, by a road of its own through the C
// library: what the tests and the fuzz targets compare the field writer with.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace prism::testing {

// Whether x lies exactly halfway between two seven-decimal values: its exact
// decimal expansion, which the C library writes in full, has a 5 in the
// eighth place and nothing after it.
inline bool IsSevenDecimalTie(double x) {
  char text[1500];
  std::snprintf(text, sizeof text, "%.1100f", x);
  const std::string_view written = text;
  // The decimal point is the C locale's, which a test may have changed.
  const std::string_view tail = written.substr(written.find_first_not_of("-0123456789") + 8);
  return tail.front() == '5' && tail.find_first_not_of('0', 1) == std::string_view::npos;
}

// The value of the seven-decimal text of x, through the C library under the
// "C" locale: an independent road to the number the field shows. The C
// library keeps a tie even; the field rounds it away from zero: the tie's
// eight-decimal text, which is exact, less its final 5 and one up in its
// seventh decimal.
inline double SevenDecimalValue(double x) {
  char text[400];
  if (!IsSevenDecimalTie(x)) {
    std::snprintf(text, sizeof text, "%.7f", x);
    return std::strtod(text, nullptr);
  }
  std::snprintf(text, sizeof text, "%.8f", x);
  std::string up(text, std::string_view(text).size() - 1);
  // A tie is an odd number of 256ths, whose decimals end in 25 or 75: the
  // seventh is 2 or 7, and one up carries nowhere.
  ++up.back();
  return std::strtod(up.c_str(), nullptr);
}

}  // namespace prism::testing
