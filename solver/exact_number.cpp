// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/exact_number.h"

#include <array>
#include <cmath>
#include <limits>
#include <numeric>

namespace prism {
namespace {

using Int = std::int64_t;
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

// Each step is checked, and the lowest 64-bit value is kept out, so that
// negation, gcd and abs never overflow.
bool Multiply(Int a, Int b, Int* out) {
  return !__builtin_mul_overflow(a, b, out) && *out != std::numeric_limits<Int>::min();
}
bool Add(Int a, Int b, Int* out) {
  return !__builtin_add_overflow(a, b, out) && *out != std::numeric_limits<Int>::min();
}

std::optional<Fraction> Reduced(Int numerator, Int denominator) {
  if (denominator == 0) return std::nullopt;
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  const Int g = std::gcd(numerator, denominator);
  return Fraction{numerator / g, denominator / g};
}

std::optional<Fraction> Sum(const Fraction& a, const Fraction& b) {
  const Int g = std::gcd(a.denominator, b.denominator);
  Int left = 0, right = 0, numerator = 0, denominator = 0;
  if (!Multiply(a.numerator, b.denominator / g, &left) ||
      !Multiply(b.numerator, a.denominator / g, &right) || !Add(left, right, &numerator) ||
      !Multiply(a.denominator / g, b.denominator, &denominator)) {
    return std::nullopt;
  }
  return Reduced(numerator, denominator);
}

std::optional<Fraction> Product(const Fraction& a, const Fraction& b) {
  // Cross-cancelled first, so that only what the result needs must fit.
  const Int g1 = std::gcd(a.numerator, b.denominator);
  const Int g2 = std::gcd(b.numerator, a.denominator);
  Int numerator = 0, denominator = 0;
  if (!Multiply(a.numerator / g1, b.numerator / g2, &numerator) ||
      !Multiply(a.denominator / g2, b.denominator / g1, &denominator)) {
    return std::nullopt;
  }
  return Reduced(numerator, denominator);
}

std::optional<Fraction> Product(const std::optional<Fraction>& a, const std::optional<Fraction>& b) {
  if (!a || !b) return std::nullopt;
  return Product(*a, *b);
}
std::optional<Fraction> Sum(const std::optional<Fraction>& a, const std::optional<Fraction>& b) {
  if (!a || !b) return std::nullopt;
  return Sum(*a, *b);
}

Fraction Negated(const Fraction& a) { return {-a.numerator, a.denominator}; }

// The root both numbers may carry: 1 where neither has one, 0 where they
// carry different ones.
Int SharedRadicand(const ExactNumber& a, const ExactNumber& b) {
  if (a.IsRational()) return b.radicand();
  if (b.IsRational() || a.radicand() == b.radicand()) return a.radicand();
  return 0;
}

Int SquareRootFloor(Int m) {
  auto r = static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(m)));
  const auto n = static_cast<std::uint64_t>(m);
  while (r * r > n) --r;
  while ((r + 1) * (r + 1) <= n) ++r;
  return static_cast<Int>(r);
}

// m = s²·f with f square-free. Trial division stops where p³ exceeds what is
// left: that has no prime factor up to p, so at most two, and is a square or
// square-free.
void SplitSquare(Int m, Int* s, Int* f) {
  *s = 1;
  *f = 1;
  for (Int p = 2; p <= m / p / p; p += p == 2 ? 1 : 2) {
    while (m % (p * p) == 0) {
      m /= p * p;
      *s *= p;
    }
    if (m % p == 0) {
      m /= p;
      *f *= p;
    }
  }
  const Int r = SquareRootFloor(m);
  if (r * r == m) {
    *s *= r;
  } else {
    *f *= m;
  }
}

// 10^0 to 10^18, all that 64 bits hold.
constexpr std::array<Int, 19> kPowersOfTen = [] {
  std::array<Int, 19> powers{};
  Int power = 1;
  for (Int& each : powers) {
    each = power;
    if (&each != &powers.back()) power *= 10;
  }
  return powers;
}();
static_assert(kPowersOfTen[18] == 1'000'000'000'000'000'000);

// 10^n for n from 0 to 18; callers keep n in that range.
Int Pow10(int n) { return kPowersOfTen.at(static_cast<std::size_t>(n)); }

// Integers of a fraction or root shown in a text have at most this many digits.
constexpr int kMaxShownDigits = 7;
constexpr int kMaxDigits = 18;  // what always fits in 64 bits
static_assert(kMaxDigits + 1 == kPowersOfTen.size());

bool Short(Int n) { return n > -Pow10(kMaxShownDigits) && n < Pow10(kMaxShownDigits); }

// Whether the denominator divides 10^7: the decimals end within seven places.
bool EndsWithinSevenDecimals(Int denominator) { return Pow10(kDecimals) % denominator == 0; }

// Written out in full, never with an exponent.
std::string Integer(Int n, const NumberFormat& format) {
  const std::string digits = std::to_string(n);
  return FormatDecimalText(n < 0 ? digits.substr(1) : digits, n < 0, format);
}

// The number as (p + q·√d)/r over the least common denominator of its two
// parts, r > 0; q = 0 for a fraction.
struct OverCommonDenominator {
  Int p = 0;
  Int q = 0;
  Int r = 1;
};

std::optional<OverCommonDenominator> CommonDenominatorForm(const ExactNumber& number) {
  const Fraction& x = number.rational_part();
  const Fraction& y = number.root_factor();
  OverCommonDenominator form;
  if (!Multiply(x.denominator / std::gcd(x.denominator, y.denominator), y.denominator, &form.r) ||
      !Multiply(x.numerator, form.r / x.denominator, &form.p) ||
      !Multiply(y.numerator, form.r / y.denominator, &form.q)) {
    return std::nullopt;
  }
  return form;
}

template <typename T>
T Magnitude(T n) { return n < 0 ? -n : n; }

template <typename T>
int SignOf(T n) { return (n > 0) - (n < 0); }

// Rounds towards minus infinity, where C++ rounds towards zero.
Int128 FloorDivide(Int128 numerator, Int128 denominator) {
  const Int128 quotient = numerator / denominator;
  return quotient * denominator != numerator && (numerator < 0) != (denominator < 0) ? quotient - 1
                                                                                     : quotient;
}

UInt128 SquareRootFloor(UInt128 m) {
  auto r = static_cast<UInt128>(std::sqrt(static_cast<long double>(m)));
  while (r * r > m) --r;
  while ((r + 1) * (r + 1) <= m) ++r;
  return r;
}

// q²·d·scale², where it stays below 2^125 so that four times it fits.
std::optional<UInt128> ScaledRootSquare(Int q, Int d, Int128 scale) {
  UInt128 scaled = 0, square = 0, m = 0;
  if (__builtin_mul_overflow(static_cast<UInt128>(Magnitude(q)), static_cast<UInt128>(scale),
                             &scaled) ||
      __builtin_mul_overflow(scaled, scaled, &square) ||
      __builtin_mul_overflow(square, static_cast<UInt128>(d), &m) || (m >> 125) != 0) {
    return std::nullopt;
  }
  return m;
}

std::string DecimalDigits(UInt128 n) {
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(n % 10)));
    n /= 10;
  } while (n != 0);
  return digits;
}

}  // namespace

ExactNumber::ExactNumber(int whole) : has_value_(true), x_{whole, 1} {}

ExactNumber ExactNumber::Of(const std::optional<Fraction>& x, const std::optional<Fraction>& y,
                           std::int64_t d) {
  if (!x || !y) return {};
  return ExactNumber(*x, *y, d);
}

ExactNumber::ExactNumber(Fraction x, Fraction y, std::int64_t d)
    : has_value_(true), x_(x), y_(y), d_(y.numerator == 0 ? 1 : d) {
  if (y_.numerator == 0) y_ = {};
}

ExactNumber ExactNumber::FromText(std::string_view text, const NumberFormat& format) {
  const std::optional<WrittenDecimal> decimal = ReadWrittenDecimal(text, format);
  if (!decimal || decimal->digits.size() > kMaxDigits) return {};
  if (decimal->exponent > kMaxDigits || decimal->exponent < -kMaxDigits) return {};
  Int digits = 0;
  for (char digit : decimal->digits) digits = digits * 10 + (digit - '0');
  if (decimal->negative) digits = -digits;
  const int exponent = static_cast<int>(decimal->exponent);
  Int numerator = digits;
  if (exponent > 0 && !Multiply(digits, Pow10(exponent), &numerator)) return {};
  return Of(Reduced(numerator, Pow10(exponent < 0 ? -exponent : 0)), Fraction{}, 1);
}

double ExactNumber::ToDouble() const {
  if (!has_value_) return std::nan("");
  const auto value = [](const Fraction& f) {
    return static_cast<double>(f.numerator) / static_cast<double>(f.denominator);
  };
  return value(x_) + value(y_) * std::sqrt(static_cast<double>(d_));
}

ExactNumber operator+(const ExactNumber& a, const ExactNumber& b) {
  const Int d = SharedRadicand(a, b);
  if (!a.has_value() || !b.has_value() || d == 0) return {};
  return ExactNumber::Of(Sum(a.x_, b.x_), Sum(a.y_, b.y_), d);
}

ExactNumber operator-(const ExactNumber& a, const ExactNumber& b) {
  if (!b.has_value()) return {};
  return a + ExactNumber(Negated(b.x_), Negated(b.y_), b.d_);
}

ExactNumber operator*(const ExactNumber& a, const ExactNumber& b) {
  const Int d = SharedRadicand(a, b);
  if (!a.has_value() || !b.has_value() || d == 0) return {};
  // (x1 + y1√d)(x2 + y2√d) = x1·x2 + y1·y2·d + (x1·y2 + y1·x2)√d
  const std::optional<Fraction> roots = Product(Product(a.y_, b.y_), Fraction{d, 1});
  return ExactNumber::Of(Sum(Product(a.x_, b.x_), roots), Sum(Product(a.x_, b.y_), Product(a.y_, b.x_)), d);
}

ExactNumber operator/(const ExactNumber& a, const ExactNumber& b) {
  if (!b.has_value()) return {};
  // a/b = a·b̄ / (b·b̄), with b̄ = x − y√d and b·b̄ = x² − y²·d rational.
  const ExactNumber conjugate(b.x_, Negated(b.y_), b.d_);
  const ExactNumber norm = b * conjugate;
  if (!norm.has_value() || norm.x_.numerator == 0) return {};
  const std::optional<Fraction> inverse = Reduced(norm.x_.denominator, norm.x_.numerator);
  if (!inverse) return {};
  return a * conjugate * ExactNumber(*inverse, Fraction{}, 1);
}

ExactNumber Sqrt(const ExactNumber& a) {
  if (!a.has_value() || !a.IsRational() || a.x_.numerator < 0) return {};
  // √(n/q) = √(n·q)/q, with the square taken out of n·q.
  Int m = 0, s = 1, f = 1;
  if (!Multiply(a.x_.numerator, a.x_.denominator, &m)) return {};
  if (m == 0) return ExactNumber(Fraction{}, Fraction{}, 1);
  SplitSquare(m, &s, &f);
  const std::optional<Fraction> root = Reduced(s, a.x_.denominator);
  if (f == 1) return ExactNumber::Of(root, Fraction{}, 1);
  return ExactNumber::Of(Fraction{}, root, f);
}

std::optional<int> Sign(const ExactNumber& number) {
  if (!number.has_value()) return std::nullopt;
  const std::optional<OverCommonDenominator> form = CommonDenominatorForm(number);
  if (!form) return std::nullopt;
  if (form->q == 0 || form->p == 0 || SignOf(form->p) == SignOf(form->q)) {
    return form->q == 0 ? SignOf(form->p) : form->p == 0 ? SignOf(form->q) : SignOf(form->p);
  }
  // Opposite signs: the larger square wins; p² = q²·d never, d is no square.
  const auto square = [](Int n) { return static_cast<UInt128>(Magnitude(n)) * Magnitude(n); };
  UInt128 roots = 0;
  if (__builtin_mul_overflow(square(form->q), static_cast<UInt128>(number.radicand()), &roots)) {
    return std::nullopt;
  }
  return square(form->p) > roots ? SignOf(form->p) : SignOf(form->q);
}

std::optional<RoundedDecimal> RoundedToDecimals(const ExactNumber& number, int decimals) {
  if (!number.has_value() || decimals < 0 || decimals > kMaxDigits) return std::nullopt;
  const std::optional<OverCommonDenominator> form = CommonDenominatorForm(number);
  if (!form) return std::nullopt;
  // value·10^decimals = (a + q·10^decimals·√d)/r; each product stays below 2^125.
  const Int128 scale = Pow10(decimals);
  const Int128 a = Int128{form->p} * scale;
  const Int128 r = form->r;
  RoundedDecimal rounded;
  UInt128 whole = 0;
  if (form->q == 0) {
    whole = static_cast<UInt128>((2 * Magnitude(a) + r) / (2 * r));
    rounded.exact = Magnitude(a) % r == 0;
    rounded.negative = a < 0;
  } else {
    const std::optional<UInt128> m = ScaledRootSquare(form->q, number.radicand(), scale);
    if (!m) return std::nullopt;
    // 2·√m lies strictly between h and h + 1, so twice the numerator
    // strictly between low and low + 1: no whole number of halves between.
    const auto h = static_cast<Int128>(SquareRootFloor(4 * *m));
    const Int128 low = form->q > 0 ? 2 * a + h : 2 * a - h - 1;
    const Int128 nearest = FloorDivide(2 * low + 1 + 2 * r, 4 * r);
    whole = static_cast<UInt128>(Magnitude(nearest));
    rounded.negative = low < 0;
  }
  std::string digits = DecimalDigits(whole);
  const auto width = static_cast<std::size_t>(decimals) + 1;
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  rounded.fixed = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
  if (decimals > 0) {
    rounded.fixed += '.';
    rounded.fixed += digits.substr(digits.size() - static_cast<std::size_t>(decimals));
  }
  rounded.negative = rounded.negative && whole != 0;
  return rounded;
}

std::optional<std::string> ExactText(const ExactNumber& number, const NumberFormat& format) {
  if (!number.has_value()) return std::nullopt;
  const Fraction& x = number.rational_part();
  const Fraction& y = number.root_factor();
  if (number.IsRational()) {
    if (EndsWithinSevenDecimals(x.denominator) || !Short(x.numerator) || !Short(x.denominator)) {
      return std::nullopt;
    }
    return Integer(x.numerator, format) + "/" + Integer(x.denominator, format);
  }
  // (p ± q√d)/r over the least common denominator.
  const std::optional<OverCommonDenominator> form = CommonDenominatorForm(number);
  if (!form || !Short(form->p) || !Short(form->q) || !Short(form->r) ||
      !Short(number.radicand())) {
    return std::nullopt;
  }
  const Int p = form->p, q = Magnitude(form->q), r = form->r;
  // Written from the left only: GCC 12 at -O3 takes a text put before
  // another for an overlapping copy.
  const bool sum_over_r = p != 0 && r != 1;
  std::string text = sum_over_r ? "(" : "";
  if (p != 0) {
    text += Integer(p, format);
    text += y.numerator < 0 ? " − " : " + ";
  } else if (y.numerator < 0) {
    text += '-';
  }
  if (q != 1) text += Integer(q, format);
  text += "√";
  text += Integer(number.radicand(), format);
  if (sum_over_r) text += ')';
  if (r != 1) {
    text += '/';
    text += Integer(r, format);
  }
  return text;
}

}  // namespace prism
