// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numbers as a pupil writes them exactly: a fraction, or a fraction with a
// square root in it, where the decimals never end. Their integers have no
// size limit, so that every value the fields and the command line take has
// its exact value, however many digits it needs.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Boost's integers are header-only: the static Windows program takes them in
// as the Debian one does, with no library of their own to build.
#include <boost/multiprecision/cpp_int.hpp>

#include "solver/field_number.h"

namespace prism {

// Without expression templates: each operation gives a number, which the
// formulas' generic code and the standard algorithms take as it is.
using BigInteger = boost::multiprecision::number<boost::multiprecision::cpp_int_backend<>,
                                                 boost::multiprecision::et_off>;
using Rational = boost::multiprecision::number<boost::multiprecision::cpp_rational_backend,
                                               boost::multiprecision::et_off>;

// x + y·√d with x and y fractions and d > 1 no perfect square (d = 1 where
// y = 0), or no value: where a step divides by zero, takes the root of a
// negative number or of a root, or mixes two roots that are no rational
// multiples of each other. It never gives a wrong value.
class ExactNumber {
 public:
  ExactNumber() = default;  // no value
  ExactNumber(int whole);   // NOLINT: the formulas' constants 2 and 4
  explicit ExactNumber(Rational value);
  // The decimal a value field's text is written as; no value where it is no
  // number alone, or one of more than a hundred thousand digits.
  static ExactNumber FromText(std::string_view text, const NumberFormat& format);

  bool has_value() const { return has_value_; }
  const Rational& rational_part() const { return x_; }
  const Rational& root_factor() const { return y_; }
  const BigInteger& radicand() const { return d_; }
  // Asked of the number, not by comparing with 0: Boost makes a fraction of
  // the 0 first, at the cost of a division.
  bool IsRational() const { return y_.is_zero(); }
  // The double nearest the value (within a unit of its last place); NaN
  // for no value, an infinity beyond the doubles' range.
  double ToDouble() const;

  friend ExactNumber operator+(const ExactNumber& a, const ExactNumber& b);
  friend ExactNumber operator-(const ExactNumber& a, const ExactNumber& b);
  friend ExactNumber operator*(const ExactNumber& a, const ExactNumber& b);
  friend ExactNumber operator/(const ExactNumber& a, const ExactNumber& b);
  friend ExactNumber Sqrt(const ExactNumber& a);
  // The cube root where it is a fraction (∛(27/8) = 3/2, ∛(−8) = −2); no
  // value where it is not, or a has a root in it.
  friend ExactNumber CubeRoot(const ExactNumber& a);

 private:
  ExactNumber(Rational x, Rational y, BigInteger d);
  // b's root written over a's radicand where the two are rational multiples
  // of each other; false where they are not.
  static bool OverSharedRadicand(const ExactNumber& a, const ExactNumber& b, Rational* y,
                                 BigInteger* d);

  bool has_value_ = false;
  Rational x_;
  Rational y_;
  BigInteger d_ = 1;
};

// -1, 0 or 1 as the number is below, at or above zero; nullopt where it has
// no value.
std::optional<int> Sign(const ExactNumber& number);

// Whether the number has a value a double can hold without overflowing:
// its magnitude is at most the largest double.
bool WithinDoubleRange(const ExactNumber& number);

// The most decimals a rounding is asked for.
inline constexpr int kMaxRoundedDecimals = 100'000;

// A number rounded to a count of decimals, half away from zero.
struct RoundedDecimal {
  std::string fixed;      // the magnitude with exactly that many decimals: "1234.5000000"
  bool negative = false;  // below zero, and not rounded to zero
  bool exact = false;     // the number is exactly this decimal
};

// The number rounded to 0 to kMaxRoundedDecimals decimals; nullopt where
// it has no value. A root is never halfway, so only a fraction can be
// rounded away from zero.
std::optional<RoundedDecimal> RoundedToDecimals(const ExactNumber& number, int decimals);

// A number rounded to a count of significant digits, half away from zero:
// digits[0].digits[1…] × 10^exponent.
struct RoundedSignificant {
  std::string digits;  // exactly as many as asked for, the first not 0
  std::int64_t exponent = 0;
  bool negative = false;
  bool exact = false;  // the number is exactly this
};

// The number, of magnitude below 1, to 1 to 40 significant digits; nullopt
// where it has no value, is 0, is 1 or more in magnitude, or lies beyond
// kMaxRoundedDecimals.
std::optional<RoundedSignificant> RoundedToSignificant(const ExactNumber& number, int digits);

// How many decimals the number has where they end: 0 for a whole number,
// 2 for 1/4; nullopt where it has no value or its decimals never end.
std::optional<int> TerminatingDecimals(const ExactNumber& number);

// The number as a pupil writes it where its decimals never end and it is
// short enough to read: "25/6", "-5/3", "(5 − √5)/2", "3√2", with every
// integer written in the format (at most seven digits each). nullopt where
// it has no value, is whole or a decimal that ends within seven places, or
// is longer.
std::optional<std::string> ExactText(const ExactNumber& number, const NumberFormat& format);

}  // namespace prism
