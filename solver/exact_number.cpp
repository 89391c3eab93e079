// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/exact_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <utility>

namespace prism {
namespace {

namespace mp = boost::multiprecision;

// Digits of a number the exact values are made for at most: far beyond what
// a double's range lets a field or the command line give, and short enough
// that no text makes a step take long.
constexpr std::int64_t kMaxTextDigits = 100'000;

// 10^n; the powers a field's rounding and typed text take, kept made.
BigInteger TenToThe(std::int64_t n) {
  static const std::array<BigInteger, 41> kMade = [] {
    std::array<BigInteger, 41> powers;
    BigInteger power = 1;
    for (BigInteger& each : powers) {
      each = power;
      power *= 10;
    }
    return powers;
  }();
  if (n >= 0 && n < static_cast<std::int64_t>(kMade.size())) return kMade[static_cast<std::size_t>(n)];
  return mp::pow(BigInteger(10), static_cast<unsigned>(n));
}

// Rounds towards minus infinity, where the integers' division rounds towards zero.
BigInteger FloorDivide(const BigInteger& numerator, const BigInteger& denominator) {
  BigInteger quotient, remainder;
  mp::divide_qr(numerator, denominator, quotient, remainder);
  if (remainder != 0 && ((numerator < 0) != (denominator < 0))) --quotient;
  return quotient;
}

bool IsSquare(const BigInteger& m, BigInteger* root) {
  *root = mp::sqrt(m);
  return *root * *root == m;
}

// The primes trial division takes out squares of: each p with p³ below ten
// million, so that every radicand short enough to be shown (below 10^7)
// comes out square-free. A longer one may keep a square factor of a larger
// prime; it is still no square, and so still a root.
constexpr std::array<unsigned, 47> kSmallPrimes = {
    2,   3,   5,   7,   11,  13,  17,  19,  23,  29,  31,  37,  41,  43,  47,  53,
    59,  61,  67,  71,  73,  79,  83,  89,  97,  101, 103, 107, 109, 113, 127, 131,
    137, 139, 149, 151, 157, 163, 167, 173, 179, 181, 191, 193, 197, 199, 211};
static_assert(kSmallPrimes.back() * kSmallPrimes.back() * kSmallPrimes.back() < 10'000'000);
static_assert(223 * 223 * 223 > 10'000'000, "the next prime is not needed");

// Takes the small primes out of m, each p^k as p^(k/2) into s and, where k
// is odd, p into f; stops where p³ exceeds what is left, and returns it.
template <typename Integer>
Integer TakeSmallPrimes(Integer m, BigInteger* s, BigInteger* f) {
  for (const unsigned p : kSmallPrimes) {
    if (Integer(p) * p * p > m) break;
    // Most primes do not divide m: one remainder tells.
    if (m % p != 0) continue;
    unsigned times = 0;
    do {
      m /= p;
      ++times;
    } while (m % p == 0);
    for (unsigned pair = 0; pair < times / 2; ++pair) *s *= p;
    if (times % 2 == 1) *f *= p;
  }
  return m;
}

// m = s²·f with f no perfect square, or f = 1. What trial division leaves
// has no prime factor up to the cube root of it, so at most two, and is a
// square or square-free.
void SplitSquare(const BigInteger& m, BigInteger* s, BigInteger* f) {
  *s = 1;
  *f = 1;
  // In 64 bits where m fits them: a radicand of typed values mostly does.
  const BigInteger rest = m <= std::numeric_limits<std::uint64_t>::max()
                              ? BigInteger(TakeSmallPrimes(m.convert_to<std::uint64_t>(), s, f))
                              : TakeSmallPrimes(m, s, f);
  BigInteger root;
  if (IsSquare(rest, &root)) {
    *s *= root;
  } else {
    *f *= rest;
  }
}

// Integers of a fraction or root shown in a text have at most this many digits.
constexpr int kMaxShownDigits = 7;

bool Short(const BigInteger& n) {
  static const BigInteger limit = TenToThe(kMaxShownDigits);
  return mp::abs(n) < limit;
}

// Whether the denominator divides 10^7: the decimals end within seven places.
bool EndsWithinSevenDecimals(const BigInteger& denominator) {
  static const BigInteger seven = TenToThe(kDecimals);
  return seven % denominator == 0;
}

// Written out in full, never with an exponent.
std::string Integer(const BigInteger& n, const NumberFormat& format) {
  return FormatDecimalText(mp::abs(n).str(), n < 0, format);
}

// The number as (p + q·√d)/r over the least common denominator of its two
// parts, r > 0; q = 0 for a fraction.
struct OverCommonDenominator {
  BigInteger p;
  BigInteger q;
  BigInteger r = 1;
};

OverCommonDenominator CommonDenominatorForm(const ExactNumber& number) {
  const Rational& x = number.rational_part();
  const Rational& y = number.root_factor();
  OverCommonDenominator form;
  if (number.IsRational()) {
    form.p = mp::numerator(x);
    form.r = mp::denominator(x);
    return form;
  }
  form.r = mp::lcm(mp::denominator(x), mp::denominator(y));
  form.p = mp::numerator(x) * (form.r / mp::denominator(x));
  form.q = mp::numerator(y) * (form.r / mp::denominator(y));
  return form;
}

// The largest double, exactly.
const BigInteger& LargestDouble() {
  static const BigInteger largest = [] {
    BigInteger mantissa = (BigInteger(1) << 53) - 1;
    return BigInteger(mantissa << (std::numeric_limits<double>::max_exponent - 53));
  }();
  return largest;
}

}  // namespace

ExactNumber::ExactNumber(int whole) : has_value_(true), x_(whole) {}

ExactNumber::ExactNumber(Rational value) : has_value_(true), x_(std::move(value)) {}

ExactNumber::ExactNumber(Rational x, Rational y, BigInteger d)
    : has_value_(true), x_(std::move(x)), y_(std::move(y)), d_(std::move(d)) {
  if (y_.is_zero()) d_ = 1;
}

ExactNumber ExactNumber::FromText(std::string_view text, const NumberFormat& format) {
  const std::optional<WrittenDecimal> decimal = ReadWrittenDecimal(text, format);
  if (!decimal) return {};
  const auto digit_count = static_cast<std::int64_t>(decimal->digits.size());
  if (digit_count > kMaxTextDigits || decimal->exponent > kMaxTextDigits ||
      decimal->exponent < -kMaxTextDigits) {
    return {};
  }
  if (digit_count == 0) return ExactNumber(0);
  // Read through 64 bits where they hold the digits: parsing a decimal
  // text into a big integer costs more than the rest of a solve.
  BigInteger digits;
  if (digit_count <= 19) {
    std::uint64_t small = 0;
    std::from_chars(decimal->digits.data(), decimal->digits.data() + decimal->digits.size(), small);
    digits = small;
  } else {
    digits = BigInteger(decimal->digits);
  }
  if (decimal->negative) digits = -digits;
  if (decimal->exponent >= 0) return ExactNumber(Rational(digits * TenToThe(decimal->exponent)));
  return ExactNumber(Rational(digits, TenToThe(-decimal->exponent)));
}

double ExactNumber::ToDouble() const {
  if (!has_value_) return std::nan("");
  // Twenty significant digits, which from_chars rounds to the nearest double.
  constexpr int kDigits = 20;
  std::string text;
  if (const std::optional<RoundedSignificant> small = RoundedToSignificant(*this, kDigits)) {
    text = (small->negative ? "-0." : "0.") + small->digits + "e" +
           std::to_string(small->exponent + 1);
  } else if (const std::optional<RoundedDecimal> large = RoundedToDecimals(*this, kDigits)) {
    text = (large->negative ? "-" : "") + large->fixed;
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    return Sign(*this).value_or(0) * std::numeric_limits<double>::infinity();
  }
  return value;
}

bool ExactNumber::OverSharedRadicand(const ExactNumber& a, const ExactNumber& b, Rational* y,
                                     BigInteger* d) {
  *y = b.y_;
  *d = a.IsRational() ? b.d_ : a.d_;
  if (a.IsRational() || b.IsRational() || a.d_ == b.d_) return true;
  // √d2 = √(d1·d2)/d1 · √d1, where d1·d2 is a square.
  BigInteger root;
  if (!IsSquare(a.d_ * b.d_, &root)) return false;
  *y = b.y_ * Rational(root, a.d_);
  return true;
}

ExactNumber operator+(const ExactNumber& a, const ExactNumber& b) {
  Rational y;
  BigInteger d;
  if (!a.has_value() || !b.has_value() || !ExactNumber::OverSharedRadicand(a, b, &y, &d)) {
    return {};
  }
  if (b.IsRational()) return ExactNumber(a.x_ + b.x_, a.y_, a.d_);
  return ExactNumber(a.x_ + b.x_, a.y_ + y, d);
}

ExactNumber operator-(const ExactNumber& a, const ExactNumber& b) {
  if (!b.has_value()) return {};
  return a + ExactNumber(-b.x_, -b.y_, b.d_);
}

ExactNumber operator*(const ExactNumber& a, const ExactNumber& b) {
  Rational y;
  BigInteger d;
  if (!a.has_value() || !b.has_value() || !ExactNumber::OverSharedRadicand(a, b, &y, &d)) {
    return {};
  }
  if (b.IsRational()) return ExactNumber(a.x_ * b.x_, a.y_ * b.x_, a.d_);
  if (a.IsRational()) return ExactNumber(a.x_ * b.x_, a.x_ * y, d);
  // (x1 + y1√d)(x2 + y2√d) = x1·x2 + y1·y2·d + (x1·y2 + y1·x2)√d
  return ExactNumber(a.x_ * b.x_ + a.y_ * y * Rational(d), a.x_ * y + a.y_ * b.x_, d);
}

ExactNumber operator/(const ExactNumber& a, const ExactNumber& b) {
  if (!a.has_value() || !b.has_value()) return {};
  if (b.IsRational()) {
    if (b.x_.is_zero()) return {};
    return ExactNumber(a.x_ / b.x_, a.y_ / b.x_, a.d_);
  }
  // 1/b = b̄ / (b·b̄), with b̄ = x − y√d and b·b̄ = x² − y²·d rational, and
  // not 0, as d is no square.
  const Rational norm = b.x_ * b.x_ - b.y_ * b.y_ * Rational(b.d_);
  return a * ExactNumber(b.x_ / norm, -b.y_ / norm, b.d_);
}

ExactNumber Sqrt(const ExactNumber& a) {
  if (!a.has_value() || !a.IsRational() || a.x_.sign() < 0) return {};
  // √(n/q) = √(n·q)/q, with the square taken out of n·q.
  const BigInteger& q = mp::denominator(a.x_);
  BigInteger s, f;
  SplitSquare(mp::numerator(a.x_) * q, &s, &f);
  const Rational root(s, q);
  if (f == 1) return ExactNumber(root);
  return ExactNumber(Rational(0), root, f);
}

namespace {

// The whole cube root of m ≥ 0 where m is a cube; nullopt where it is not.
// Newton's steps from above, as for Boost's integer square root, which has
// no cube-root sibling.
std::optional<BigInteger> WholeCubeRoot(const BigInteger& m) {
  if (m.is_zero()) return BigInteger(0);
  BigInteger x = BigInteger(1) << (mp::msb(m) / 3 + 1);
  for (;;) {
    const BigInteger next = (2 * x + m / (x * x)) / 3;
    if (next >= x) break;
    x = next;
  }
  if (x * x * x != m) return std::nullopt;
  return x;
}

}  // namespace

ExactNumber CubeRoot(const ExactNumber& a) {
  if (!a.has_value() || !a.IsRational()) return {};
  const int sign = a.x_.sign();
  const std::optional<BigInteger> n = WholeCubeRoot(mp::abs(mp::numerator(a.x_)));
  const std::optional<BigInteger> q = WholeCubeRoot(mp::denominator(a.x_));
  if (!n || !q) return {};
  return ExactNumber(Rational(sign < 0 ? BigInteger(-*n) : *n, *q));
}

std::optional<int> Sign(const ExactNumber& number) {
  if (!number.has_value()) return std::nullopt;
  const int x = number.rational_part().sign();
  const int y = number.root_factor().sign();
  if (y == 0 || x == 0 || x == y) return x != 0 ? x : y;
  // Opposite signs: the larger square wins; x² = y²·d never, d is no square.
  const Rational& rx = number.rational_part();
  const Rational& ry = number.root_factor();
  return rx * rx > ry * ry * Rational(number.radicand()) ? x : y;
}

// 2^bits bounds the magnitude of a nonzero fraction from above: its
// numerator's bits less its denominator's, and one.
std::int64_t BitsAbove(const Rational& x) {
  return static_cast<std::int64_t>(mp::msb(mp::abs(mp::numerator(x)))) -
         static_cast<std::int64_t>(mp::msb(mp::denominator(x))) + 1;
}

bool WithinDoubleRange(const ExactNumber& number) {
  if (!number.has_value()) return false;
  // Far below the largest double by the bits alone, as nearly every value
  // is: |x| + |y|·√d < 2^(bits of x) + 2^(bits of y + half the bits of d + 1).
  std::int64_t bits = number.rational_part().is_zero() ? 0 : BitsAbove(number.rational_part());
  if (!number.IsRational()) {
    const std::int64_t root_bits = BitsAbove(number.root_factor()) +
                                   static_cast<std::int64_t>(mp::msb(number.radicand())) / 2 + 1;
    bits = std::max(bits, root_bits);
  }
  if (bits + 1 < std::numeric_limits<double>::max_exponent) return true;
  const ExactNumber largest{Rational(LargestDouble())};
  return Sign(number - largest) <= 0 && Sign(number + largest) >= 0;
}

std::optional<RoundedDecimal> RoundedToDecimals(const ExactNumber& number, int decimals) {
  if (!number.has_value() || decimals < 0 || decimals > kMaxRoundedDecimals) return std::nullopt;
  const OverCommonDenominator form = CommonDenominatorForm(number);
  const BigInteger scale = TenToThe(decimals);
  RoundedDecimal rounded;
  BigInteger whole;
  if (form.q == 0) {
    const BigInteger a = form.p * scale;
    const BigInteger magnitude = mp::abs(a);
    whole = (2 * magnitude + form.r) / (2 * form.r);
    rounded.exact = magnitude % form.r == 0;
    rounded.negative = a < 0;
  } else {
    // Twice the value·10^decimals is (A + B·√d)/r. B·√d is ±√m with m = B²·d
    // no square, strictly between two whole numbers h and h + 1: so A + B·√d
    // lies strictly between T and T + 1, its floor over r is T's, and the
    // nearest whole number to half of it is that floor plus one, halved.
    const BigInteger a = 2 * form.p * scale;
    const BigInteger b = 2 * form.q * scale;
    const BigInteger h = mp::sqrt(b * b * number.radicand());
    const BigInteger t = b > 0 ? a + h : a - h - 1;
    const BigInteger nearest = FloorDivide(FloorDivide(t, form.r) + 1, 2);
    whole = mp::abs(nearest);
    rounded.negative = nearest < 0;
  }
  std::string digits = whole.str();
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

std::optional<RoundedSignificant> RoundedToSignificant(const ExactNumber& number, int digits) {
  if (digits < 1 || digits > 40) return std::nullopt;
  const std::optional<int> sign = Sign(number);
  if (!sign || *sign == 0) return std::nullopt;
  const ExactNumber one(1);
  if (Sign(number - one) >= 0 || Sign(number + one) <= 0) return std::nullopt;
  // Where the first significant digit stands, p places after the point:
  // first found roughly, by roundings to more and more decimals (a carry may
  // put it one place early), then decided exactly against 10^-(p+1).
  int decimals = digits;
  std::size_t first = std::string_view::npos;
  while (first == std::string_view::npos) {
    const std::optional<RoundedDecimal> rounded = RoundedToDecimals(number, decimals);
    if (!rounded) return std::nullopt;
    first = rounded->fixed[0] != '0' ? 0 : rounded->fixed.find_first_not_of('0', 2);
    if (first != std::string_view::npos) {
      first = first == 0 ? 0 : first - 2;
    } else if (decimals == kMaxRoundedDecimals) {
      return std::nullopt;
    } else {
      decimals = std::min(kMaxRoundedDecimals, 2 * decimals);
    }
  }
  const ExactNumber magnitude = *sign < 0 ? ExactNumber(0) - number : number;
  const auto p = static_cast<std::int64_t>(first) +
                 (Sign(magnitude - ExactNumber(Rational(1, TenToThe(static_cast<std::int64_t>(first) + 1)))) < 0 ? 1 : 0);
  if (p + digits > kMaxRoundedDecimals) return std::nullopt;
  // Rounded once, at the last digit asked for.
  const std::optional<RoundedDecimal> rounded =
      RoundedToDecimals(number, static_cast<int>(p) + digits);
  RoundedSignificant result;
  result.negative = rounded->negative;
  result.exact = rounded->exact;
  const std::string_view fraction = std::string_view(rounded->fixed).substr(2);
  if (rounded->fixed[0] != '0' || fraction[static_cast<std::size_t>(p)] == '0' ||
      (p > 0 && fraction[static_cast<std::size_t>(p) - 1] != '0')) {
    // Rounded up to the next power of ten.
    result.digits = "1" + std::string(static_cast<std::size_t>(digits) - 1, '0');
    result.exponent = -p;
  } else {
    result.digits = std::string(fraction.substr(static_cast<std::size_t>(p)));
    result.exponent = -p - 1;
  }
  return result;
}

std::optional<int> TerminatingDecimals(const ExactNumber& number) {
  if (!number.has_value() || !number.IsRational()) return std::nullopt;
  // 1/(2^i·5^j) ends after max(i, j) decimals; any other prime never ends.
  BigInteger rest = mp::denominator(number.rational_part());
  const auto twos = static_cast<int>(mp::lsb(rest));
  rest >>= twos;
  int fives = 0;
  while (rest % 5 == 0) {
    rest /= 5;
    ++fives;
  }
  if (rest != 1) return std::nullopt;
  return std::max(twos, fives);
}

std::optional<std::string> ExactText(const ExactNumber& number, const NumberFormat& format) {
  if (!number.has_value()) return std::nullopt;
  const Rational& x = number.rational_part();
  if (number.IsRational()) {
    if (EndsWithinSevenDecimals(mp::denominator(x)) || !Short(mp::numerator(x)) ||
        !Short(mp::denominator(x))) {
      return std::nullopt;
    }
    return Integer(mp::numerator(x), format) + "/" + Integer(mp::denominator(x), format);
  }
  // (p ± q√d)/r over the least common denominator.
  const OverCommonDenominator form = CommonDenominatorForm(number);
  if (!Short(form.p) || !Short(form.q) || !Short(form.r) || !Short(number.radicand())) {
    return std::nullopt;
  }
  const BigInteger q = mp::abs(form.q);
  // Written from the left only: GCC 12 at -O3 takes a text put before
  // another for an overlapping copy.
  const bool sum_over_r = form.p != 0 && form.r != 1;
  std::string text = sum_over_r ? "(" : "";
  if (form.p != 0) {
    text += Integer(form.p, format);
    text += form.q < 0 ? " − " : " + ";
  } else if (form.q < 0) {
    text += '-';
  }
  if (q != 1) text += Integer(q, format);
  text += "√";
  text += Integer(number.radicand(), format);
  if (sum_over_r) text += ')';
  if (form.r != 1) {
    text += '/';
    text += Integer(form.r, format);
  }
  return text;
}

}  // namespace prism
