// SPDX-License-Identifier: GPL-3.0-or-later
// Writing and reading back: any double under any format reads back as the
// value of its seven-decimal text, and no text shows "inf", "nan" or a signed
// zero.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "solver/field_number.h"
#include "tests/fuzz/formats.h"
#include "tests/seven_decimals.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  double x;
  std::memcpy(&x, data, sizeof x);
  const prism::NumberFormat& format = prism::fuzz::FormatFor(data[8]);

  const std::string text = prism::FormatFieldNumber(x, format);
  for (const char* never : {"inf", "nan", "-0.0000000", "-0,0000000"}) {
    if (text.find(never) != std::string::npos) std::abort();
  }
  if (!std::isfinite(x)) {
    if (!text.empty()) std::abort();
    return 0;
  }
  // The value the field shows, through the C library (this program never
  // sets a locale, so "%.7f" writes and strtod reads ".").
  if (prism::ParseFieldNumber(text, format) != prism::testing::SevenDecimalValue(x)) std::abort();
  return 0;
}
