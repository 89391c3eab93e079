// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/field_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace prism {
namespace {

// Longest fixed text of a double with seven decimals: sign, 309 digits, point, decimals.
constexpr std::size_t kFixedBufferSize = 1 + 309 + 1 + kDecimals + 16;

// Exponents are cut to this many digits before conversion: any exponent that
// long already puts every text of practical length beyond the range.
constexpr std::size_t kMaxExponentDigits = 9;

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What reading skips wherever it stands: the blank, tab and line feed, and the
// no-break spaces that regional settings group digits with and that a pasted
// "1 000" may hold (U+00A0, U+2007 figure, U+2009 thin, U+202F narrow), in UTF-8.
constexpr std::array<std::string_view, 7> kBlanks = {
    " ", "\t", "\n", "\u00A0", "\u2007", "\u2009", "\u202F"};

// Every blank starts with one of these bytes.
constexpr std::string_view kBlankStarts = " \t\n\xC2\xE2";

// The bytes of the blank the text starts with; 0 where it starts with none.
std::size_t BlankLength(std::string_view text) {
  for (std::string_view blank : kBlanks) {
    if (text.starts_with(blank)) return blank.size();
  }
  return 0;
}

std::string WithoutBlanks(std::string_view text) {
  if (text.find_first_of(kBlankStarts) == std::string_view::npos) return std::string(text);
  std::string compact;
  compact.reserve(text.size());
  while (!text.empty()) {
    const std::size_t blank = BlankLength(text);
    if (blank == 0) compact += text.front();
    text.remove_prefix(std::max<std::size_t>(blank, 1));
  }
  return compact;
}

// The separator both writers put before the decimals; a format without one
// writes ".".
std::string_view WrittenDecimalSeparator(const NumberFormat& format) {
  return format.decimal_separator.empty() ? std::string_view(".") : format.decimal_separator;
}

bool Groups(const NumberFormat& format) {
  return !format.group_separator.empty() && !format.group_sizes.empty() &&
         format.group_sizes.front() > 0;
}

// The integer digits as FormatFieldNumber writes them: groups counted from the
// right, the last size repeating, a size of 0 or less taking all that is left.
std::string GroupDigits(std::string_view digits, const NumberFormat& format) {
  if (!Groups(format) || digits.size() < format.group_from_digits) return std::string(digits);
  std::vector<std::string_view> groups;
  std::size_t remaining = digits.size();
  for (std::size_t i = 0; remaining > 0; ++i) {
    const int size = format.group_sizes[std::min(i, format.group_sizes.size() - 1)];
    const std::size_t take =
        size <= 0 ? remaining : std::min(remaining, static_cast<std::size_t>(size));
    remaining -= take;
    groups.push_back(digits.substr(remaining, take));
  }
  std::string out;
  for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
    if (!out.empty()) out += format.group_separator;
    out += *it;
  }
  return out;
}

// A cursor over the text with its blanks already removed.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  std::size_t position() const { return pos_; }
  void Reset(std::size_t pos) { pos_ = pos; }
  bool AtDigit() const { return pos_ < text_.size() && IsDigit(text_[pos_]); }
  bool At(std::string_view token) const {
    return !token.empty() && text_.substr(pos_).starts_with(token);
  }

  bool Take(std::string_view token) {
    if (!At(token)) return false;
    pos_ += token.size();
    return true;
  }
  bool TakeAnyOf(std::string_view chars, char* taken) {
    if (pos_ >= text_.size() || chars.find(text_[pos_]) == std::string_view::npos) return false;
    *taken = text_[pos_++];
    return true;
  }
  std::string_view TakeDigits() {
    const std::size_t start = pos_;
    while (AtDigit()) ++pos_;
    return text_.substr(start, pos_ - start);
  }
  std::string_view Since(std::size_t start) const { return text_.substr(start, pos_ - start); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The integer digits. Group separators are part of the integer only where the
// whole run of digits and separators is exactly the integer part
// FormatFieldNumber writes: grouped as GroupDigits groups it, and without a
// leading zero, which the writer never puts before a separator. Otherwise the
// integer ends at the first separator.
std::string ReadIntegerDigits(Scanner& scan, const NumberFormat& format) {
  const std::size_t start = scan.position();
  std::string digits(scan.TakeDigits());
  if (digits.empty() || !Groups(format)) return digits;

  const std::size_t first_group_end = scan.position();
  std::string grouped = digits;
  bool separated = false;
  for (;;) {
    const std::size_t before = scan.position();
    if (!scan.Take(format.group_separator) || !scan.AtDigit()) {
      scan.Reset(before);
      break;
    }
    grouped += scan.TakeDigits();
    separated = true;
  }
  if (separated && digits.front() != '0') {
    std::string plain;
    std::copy_if(grouped.begin(), grouped.end(), std::back_inserter(plain), IsDigit);
    if (GroupDigits(plain, format) == scan.Since(start)) return plain;
  }
  scan.Reset(first_group_end);
  return digits;
}

struct NumberToken {
  bool negative = false;
  std::string integer_digits;
  std::string fraction_digits;
  bool exponent_negative = false;
  std::string exponent_digits;
  std::size_t end = 0;  // where the number ends in the text without blanks

  bool HasDigits() const { return !integer_digits.empty() || !fraction_digits.empty(); }
};

NumberToken ScanNumber(std::string_view text, const NumberFormat& format) {
  NumberToken token;
  Scanner scan(text);
  char sign = 0;
  if (scan.TakeAnyOf("+-", &sign)) token.negative = sign == '-';
  token.integer_digits = ReadIntegerDigits(scan, format);
  if (scan.Take(".") || scan.Take(format.decimal_separator)) {
    token.fraction_digits = scan.TakeDigits();
  }
  token.end = scan.position();
  if (!token.HasDigits()) return token;

  // An exponent counts only with at least one digit; "2e" reads as 2.
  const std::size_t before_exponent = scan.position();
  char letter = 0;
  if (scan.TakeAnyOf("eE", &letter)) {
    char exponent_sign = 0;
    if (scan.TakeAnyOf("+-", &exponent_sign)) token.exponent_negative = exponent_sign == '-';
    token.exponent_digits = scan.TakeDigits();
    if (token.exponent_digits.empty()) {
      token.exponent_negative = false;
      scan.Reset(before_exponent);
    }
  }
  token.end = scan.position();
  return token;
}

std::string WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string() : std::string(digits.substr(first));
}

// Decimal exponent of the leading non-zero digit; only its sign matters here,
// to tell an overflow from an underflow.
std::int64_t LeadingDigitExponent(const NumberToken& token, std::string_view exponent) {
  std::int64_t e = 0;
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), e);
  if (token.exponent_negative) e = -e;
  const std::string integer = WithoutLeadingZeros(token.integer_digits);
  if (!integer.empty()) return e + static_cast<std::int64_t>(integer.size()) - 1;
  const std::size_t zeros = token.fraction_digits.find_first_not_of('0');
  return e - static_cast<std::int64_t>(zeros) - 1;
}

double Convert(const NumberToken& token) {
  std::string exponent = WithoutLeadingZeros(token.exponent_digits);
  if (exponent.size() > kMaxExponentDigits) exponent.assign(kMaxExponentDigits, '9');

  std::string text = token.integer_digits.empty() ? "0" : token.integer_digits;
  if (!token.fraction_digits.empty()) text += "." + token.fraction_digits;
  if (!exponent.empty()) text += (token.exponent_negative ? "e-" : "e") + exponent;

  // from_chars reads the same way under every locale and rounds correctly;
  // the C library's readers follow the locale the program runs under.
  double magnitude = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    magnitude = LeadingDigitExponent(token, exponent) > 0
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
  }
  return token.negative ? -magnitude : magnitude;
}

// The fixed text of a magnitude with seven decimals, a value exactly halfway
// between two of them rounded up, as pupils are taught; to_chars would keep it
// even. Such a value is an odd multiple of 5^7 / 2^8, so an odd number of
// 256ths: its text with eight decimals is exact and ends in 25 or 75, so the
// seventh decimal is 2 or 7, and one up carries nowhere.
std::string SevenDecimals(double magnitude) {
  char buffer[kFixedBufferSize];
  // From 2^45 on, doubles are whole 128ths: no tie. Below, counting 256ths
  // is exact and fits 64 bits.
  const double in_256ths = magnitude * 256.0;
  const auto whole_256ths = static_cast<std::int64_t>(magnitude < 0x1p45 ? in_256ths : 0.0);
  if (static_cast<double>(whole_256ths) == in_256ths && whole_256ths % 2 == 1) {
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                            std::chars_format::fixed, kDecimals + 1);
    if (error == std::errc()) {
      std::string text(buffer, end - 1);
      ++text.back();
      return text;
    }
  }
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                          std::chars_format::fixed, kDecimals);
  if (error != std::errc()) return {};
  return std::string(buffer, end);
}

}  // namespace

double ParseFieldNumber(std::string_view text, const NumberFormat& format) {
  const NumberToken token = ScanNumber(WithoutBlanks(text), format);
  if (!token.HasDigits()) return 0.0;
  return Convert(token);
}

namespace {

// The number token of a text that holds one number alone and nothing else
// but blanks.
std::optional<NumberToken> WholeNumberToken(std::string_view text, const NumberFormat& format) {
  const std::string compact = WithoutBlanks(text);
  NumberToken token = ScanNumber(compact, format);
  if (!token.HasDigits() || token.end != compact.size()) return std::nullopt;
  return token;
}

}  // namespace

std::optional<double> ParseWholeFieldNumber(std::string_view text, const NumberFormat& format) {
  const std::optional<NumberToken> token = WholeNumberToken(text, format);
  if (!token) return std::nullopt;
  return Convert(*token);
}

std::optional<WrittenDecimal> ReadWrittenDecimal(std::string_view text,
                                                 const NumberFormat& format) {
  const std::optional<NumberToken> token = WholeNumberToken(text, format);
  if (!token) return std::nullopt;
  const std::string exponent = WithoutLeadingZeros(token->exponent_digits);
  if (exponent.size() > kMaxExponentDigits) return std::nullopt;
  WrittenDecimal decimal{token->negative,
                         WithoutLeadingZeros(token->integer_digits + token->fraction_digits)};
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), decimal.exponent);
  if (token->exponent_negative) decimal.exponent = -decimal.exponent;
  decimal.exponent -= static_cast<std::int64_t>(token->fraction_digits.size());
  return decimal;
}

std::string PowerOfTen(std::int64_t exponent) {
  // Superscript digits 0 to 9, and the superscript minus.
  static constexpr std::array<std::string_view, 10> kSuperscripts = {
      "⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string text = "·10";
  if (exponent < 0) text += "⁻";
  for (char digit : std::to_string(exponent < 0 ? -exponent : exponent)) {
    text += kSuperscripts[static_cast<std::size_t>(digit - '0')];
  }
  return text;
}

std::optional<std::string> TypedNumberText(std::string_view text, const NumberFormat& format) {
  const std::optional<NumberToken> token = WholeNumberToken(text, format);
  if (!token) return std::nullopt;
  // Built by appending only: GCC 12 at -O3 takes an assignment to a string
  // that may be empty for an overlapping copy.
  const std::string integer = WithoutLeadingZeros(token->integer_digits);
  std::string plain(integer.empty() ? std::string_view("0") : std::string_view(integer));
  if (!token->fraction_digits.empty()) {
    plain += '.';
    plain += token->fraction_digits;
  }
  std::string written = FormatDecimalText(plain, token->negative, format);
  const std::string exponent = WithoutLeadingZeros(token->exponent_digits);
  if (!exponent.empty()) {
    if (exponent.size() > kMaxExponentDigits) return std::nullopt;
    std::int64_t e = 0;
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), e);
    written += PowerOfTen(token->exponent_negative ? -e : e);
  }
  return written;
}

std::string FormatFieldNumber(double value, const NumberFormat& format) {
  if (!std::isfinite(value)) return {};
  const std::string fixed = SevenDecimals(std::fabs(value));
  if (fixed.empty()) return {};
  const bool rounds_to_zero = fixed.find_first_not_of("0.") == std::string::npos;
  return FormatDecimalText(fixed, std::signbit(value) && !rounds_to_zero, format);
}

std::string FormatDecimalText(std::string_view plain, bool negative, const NumberFormat& format) {
  const std::size_t point = plain.find('.');
  std::string out = negative ? "-" : "";
  out += GroupDigits(plain.substr(0, point), format);
  if (point == std::string_view::npos) return out;
  out += WrittenDecimalSeparator(format);
  out += plain.substr(point + 1);
  return out;
}

}  // namespace prism
