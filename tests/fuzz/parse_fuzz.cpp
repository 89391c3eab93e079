// SPDX-License-Identifier: GPL-3.0-or-later
// Reading field text: never crashes, never NaN, and under the plain format
// agrees bit for bit with a second, deliberately simple reader.

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "solver/field_number.h"
#include "tests/fuzz/formats.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The plain reading, straight from its description: drop blanks, tabs, line
// feeds and no-break spaces; sign, digits, one ".", digits; an exponent only
// with digits.
double SlowRead(std::string_view input) {
  std::string s;
  for (std::size_t i = 0; i < input.size(); ++i) {
    bool blank = false;
    for (std::string_view space : {" ", "\t", "\n", "\u00A0", "\u2007", "\u2009", "\u202F"}) {
      if (input.substr(i).starts_with(space)) {
        i += space.size() - 1;
        blank = true;
        break;
      }
    }
    if (!blank) s += input[i];
  }
  std::size_t i = 0;
  std::string token;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') token += '-';
    ++i;
  }
  bool any_digit = false;
  while (i < s.size() && IsDigit(s[i])) token += s[i++], any_digit = true;
  if (i < s.size() && s[i] == '.') {
    token += s[i++];
    while (i < s.size() && IsDigit(s[i])) token += s[i++], any_digit = true;
  }
  if (!any_digit) return 0.0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) exponent += s[j++];
      token += exponent;
    }
  }
  if (token.front() == '.' || token.starts_with("-.")) token.insert(token.find('.'), "0");
  double value = 0.0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Only which way it left the range is needed; the C library says, and
    // this program never sets a locale, so it reads "." here.
    value = std::strtod(token.c_str(), nullptr);
  } else if (error != std::errc() || end != token.data() + token.size()) {
    std::abort();
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const prism::NumberFormat& format : prism::fuzz::Formats()) {
    if (std::isnan(prism::ParseFieldNumber(text, format))) std::abort();
  }
  const double fast = prism::ParseFieldNumber(text);
  const double slow = SlowRead(text);
  if (std::bit_cast<std::uint64_t>(fast) != std::bit_cast<std::uint64_t>(slow)) std::abort();
  return 0;
}
