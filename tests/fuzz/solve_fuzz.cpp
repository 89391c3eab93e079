// SPDX-License-Identifier: GPL-3.0-or-later
// Solving: any row number, texts and marks; never crashes, and reports a box
// only with five finite values and valid given ones; every field it writes
// is its exact value's rounding, and explaining it never crashes either.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "solver/solver.h"
#include "tests/exact_rounding.h"
#include "tests/fuzz/formats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Two bytes of row, five marks, one format selector, then five texts split at '|'.
  if (size < 8) return 0;
  std::int16_t row;
  std::memcpy(&row, data, sizeof row);
  prism::KnownMarks marks;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const std::uint8_t m = data[2 + i];
    marks[i] = m < 128 ? m % 2 : static_cast<int>(m) - 192;  // mostly 0 and 1, sometimes others
  }
  const prism::NumberFormat& format = prism::fuzz::FormatFor(data[7]);
  std::string_view rest(reinterpret_cast<const char*>(data + 8), size - 8);
  prism::FieldTexts texts;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::size_t bar = rest.find('|');
    texts[i] = std::string(rest.substr(0, bar));
    rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
  }

  const prism::SolveResult result = prism::Solve(row, texts, marks, format);
  if (result.outcome == prism::SolveOutcome::kSolved) {
    if (row < 0 || row > 9) std::abort();
    if (!prism::ValidateKnown(texts, marks, format)) std::abort();
    for (double v : result.values.values) {
      if (!std::isfinite(v)) std::abort();
    }
    // Derivations for whatever solves: three lines a formula; every field
    // the exact value's rounding.
    const prism::ExactPrismValues& exact = result.exact;
    for (prism::Quantity q : prism::kAllQuantities) {
      if (prism::Derivation(row, q, result.values, format, exact).size() % 3 != 0) std::abort();
      if (!prism::testing::IsRoundingOf(prism::FieldText(result.values[q], exact[q]), exact[q])) {
        std::abort();
      }
    }
  }
  return 0;
}
