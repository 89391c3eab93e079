// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether a shown decimal is its exact value's rounding, decided by exact
// comparison with the bounds of the rounding: no second road to the digits.

#include <string>

#include "solver/exact_number.h"

namespace prism::testing {

// A shown decimal x with k places ("-12.3400000", the plain format) is the
// value rounded half away from zero where
// |x| − ½·10⁻ᵏ ≤ |value| < |x| + ½·10⁻ᵏ and x has the value's sign or is 0.
inline bool IsRoundingOf(const std::string& shown, const ExactNumber& value) {
  const ExactNumber x = ExactNumber::FromText(shown, {});
  if (!x.has_value() || !value.has_value()) return false;
  const std::size_t point = shown.find('.');
  const std::size_t places = point == std::string::npos ? 0 : shown.size() - point - 1;
  const ExactNumber half = ExactNumber::FromText("5e-" + std::to_string(places + 1), {});
  const auto magnitude = [](const ExactNumber& n) { return Sign(n) < 0 ? ExactNumber(0) - n : n; };
  const ExactNumber v = magnitude(value), shown_magnitude = magnitude(x);
  return Sign(v - (shown_magnitude - half)) >= 0 && Sign(shown_magnitude + half - v) > 0 &&
         (Sign(x) == 0 || Sign(x) == Sign(value));
}

}  // namespace prism::testing
