// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numbers as a pupil writes them exactly: a fraction, or a fraction with a
// square root in it, where the decimals never end.

#include <cstdint>
#include <optional>
#include <string>

#include "solver/field_number.h"

namespace prism {

// p/q in lowest terms, q > 0: only ExactNumber makes one.
struct Fraction {
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;

  bool operator==(const Fraction&) const = default;
};

// x + y·√d with x and y fractions and d square-free (d = 1 where y = 0), or
// no value. Every step works on 64-bit integers and leaves no value where a
// number would need more, where it divides by zero, and where it takes the
// root of a negative number, of a root, or mixes two different roots: it
// never gives a wrong value.
class ExactNumber {
 public:
  ExactNumber() = default;  // no value
  ExactNumber(int whole);   // NOLINT: the formulas' constants 2 and 4
  // The decimal a value field's text is written as; no value where it is no
  // number alone or too long for 64 bits.
  static ExactNumber FromText(std::string_view text, const NumberFormat& format);

  bool has_value() const { return has_value_; }
  const Fraction& rational_part() const { return x_; }
  const Fraction& root_factor() const { return y_; }
  std::int64_t radicand() const { return d_; }
  bool IsRational() const { return y_.numerator == 0; }
  double ToDouble() const;

  friend ExactNumber operator+(const ExactNumber& a, const ExactNumber& b);
  friend ExactNumber operator-(const ExactNumber& a, const ExactNumber& b);
  friend ExactNumber operator*(const ExactNumber& a, const ExactNumber& b);
  friend ExactNumber operator/(const ExactNumber& a, const ExactNumber& b);
  friend ExactNumber Sqrt(const ExactNumber& a);

 private:
  // x + y·√d, each fraction in lowest terms with a positive denominator, d
  // square-free where y is not 0: only the arithmetic below makes them.
  ExactNumber(Fraction x, Fraction y, std::int64_t d);
  // The number of two parts where both are known; no value where one is not.
  static ExactNumber Of(const std::optional<Fraction>& x, const std::optional<Fraction>& y,
                        std::int64_t d);

  bool has_value_ = false;
  Fraction x_;
  Fraction y_;
  std::int64_t d_ = 1;
};

// -1, 0 or 1 as the number is below, at or above zero; nullopt where it has
// no value or the comparison would need more than 128 bits.
std::optional<int> Sign(const ExactNumber& number);

// A number rounded to a count of decimals, half away from zero.
struct RoundedDecimal {
  std::string fixed;      // the magnitude with exactly that many decimals: "1234.5000000"
  bool negative = false;  // below zero, and not rounded to zero
  bool exact = false;     // the number is exactly this decimal
};

// The number rounded to 0 to 18 decimals; nullopt where it has no value or
// the rounding would need more than 128 bits. A root is never halfway, so
// only a fraction can be rounded away from zero.
std::optional<RoundedDecimal> RoundedToDecimals(const ExactNumber& number, int decimals);

// The number as a pupil writes it where its decimals never end and it is
// short enough to read: "25/6", "-5/3", "(5 − √5)/2", "3√2", with every
// integer written in the format (at most seven digits each). nullopt where
// it has no value, is whole or a decimal that ends within seven places, or
// is longer.
std::optional<std::string> ExactText(const ExactNumber& number, const NumberFormat& format);

}  // namespace prism
