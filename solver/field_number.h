// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Conversions between the text of a value field and a double.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace prism {

// The decimals a value field shows.
inline constexpr int kDecimals = 7;

// How numbers are written: the decimal separator and the digit grouping of the
// integer part. group_sizes counts from the decimal point outwards and its last
// size repeats (a size of 0 or less ends the grouping); an empty separator or
// empty sizes means no grouping. The default is the plain form: "." and no
// grouping.
struct NumberFormat {
  std::string decimal_separator = ".";
  std::string group_separator;
  std::vector<int> group_sizes;
  // An integer part of fewer digits stays whole, as Bulgarian writes "1500"
  // beside "60 000".
  std::size_t group_from_digits = 0;
};

// Reads the number at the start of the text. Blanks, tabs, line feeds and the
// no-break spaces U+00A0, U+2007, U+2009 and U+202F are skipped wherever they
// stand; "." is always a decimal point. Text that does
// not start with a number reads as 0. A number beyond the range of a double
// reads as plus or minus infinity, one below it as a signed zero; the result is
// never NaN.
//
// So that every text FormatFieldNumber writes reads back as the value it shows,
// the format's own decimal separator also counts as the decimal point, and
// group separators in an integer part grouped exactly as FormatFieldNumber
// would group it are skipped. Otherwise a group separator ends the number (or,
// where it is ".", is the decimal point). Under the plain format "3,5" reads
// as 3.
double ParseFieldNumber(std::string_view text, const NumberFormat& format = {});

// The number, read as ParseFieldNumber reads it, where the text holds one and
// nothing after it but blanks: "2,5" under the plain format, "3abc" or "1/2"
// hold more than a number and give nullopt, as does a text with no number.
std::optional<double> ParseWholeFieldNumber(std::string_view text,
                                            const NumberFormat& format = {});

// A number as its text writes it: the digits, and the power of ten they are
// multiplied by ("2,5" under a "," format is 25 × 10^-1, "1e2" 1 × 10^2).
struct WrittenDecimal {
  bool negative = false;
  std::string digits;  // without leading zeros; empty for zero
  std::int64_t exponent = 0;
};

// The decimal the text holds, where ParseWholeFieldNumber reads a number
// from it and its exponent fits in nine digits; else nullopt.
std::optional<WrittenDecimal> ReadWrittenDecimal(std::string_view text,
                                                 const NumberFormat& format = {});

// The number of a text that holds one alone as the user typed it, every
// digit kept, in the format's separators and grouping: "2.50" under a ","
// format is "2,50", "007" is "7", "1e-300" is "1·10⁻³⁰⁰". nullopt where the
// text holds no number alone.
std::optional<std::string> TypedNumberText(std::string_view text,
                                           const NumberFormat& format = {});

// "·10" and the exponent in superscript digits: "·10⁻⁷".
std::string PowerOfTen(std::int64_t exponent);

// Writes the value rounded to exactly seven decimals (a value exactly halfway
// away from zero, as taught at school: 0.00390625 is 0.0039063) with the
// format's separators, "-" before negatives and always a leading zero. A value
// that rounds to zero carries no sign. A value that is not finite has no field
// text and is written as the empty text.
std::string FormatFieldNumber(double value, const NumberFormat& format = {});

// Writes a plain decimal ("1234.5": digits with at most one "." and nothing
// else) with the format's separators, its integer part grouped, and "-"
// before it where negative is set.
std::string FormatDecimalText(std::string_view plain, bool negative,
                              const NumberFormat& format = {});

}  // namespace prism
