// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/written_value.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace prism {

namespace {

// Significant digits of a small value written with a power of ten.
constexpr int kSignificantDigits = 7;

// d,ddd·10^exponent from its digits (the first not 0), trailing zeros dropped.
std::string PowerOfTenText(std::string digits, std::int64_t exponent, bool negative,
                           const NumberFormat& format) {
  digits.erase(std::max<std::size_t>(1, digits.find_last_not_of('0') + 1));
  // Appended, never a text put before another: GCC 12 at -O3 warns wrongly
  // (-Wrestrict) on that form.
  std::string plain(1, digits.front());
  if (digits.size() > 1) {
    plain += '.';
    plain.append(digits, 1);
  }
  return FormatDecimalText(plain, negative, format) + PowerOfTen(exponent);
}

// Whether a nonzero value lies below 10^-digits in magnitude.
bool Below(const ExactNumber& value, int digits) {
  const std::optional<RoundedDecimal> rounded = RoundedToDecimals(value, digits);
  return rounded && rounded->fixed.find_first_not_of("0.") == std::string::npos &&
         Sign(value).value_or(0) != 0;
}

}  // namespace

WrittenValue Written(const DerivedValue& value, int decimals, const NumberFormat& format) {
  WrittenValue written;
  const std::optional<int> places = TerminatingDecimals(value.exact);
  if (places && *places <= decimals) {
    const std::optional<RoundedDecimal> decimal = RoundedToDecimals(value.exact, *places);
    written.negative = decimal->negative;
    if (*places > kDecimals && Below(value.exact, kDecimals)) {
      const std::string_view fraction = std::string_view(decimal->fixed).substr(2);
      const std::size_t first = fraction.find_first_not_of('0');
      written.text = PowerOfTenText(std::string(fraction.substr(first)),
                                    -static_cast<std::int64_t>(first) - 1, decimal->negative,
                                    format);
      written.power_of_ten = true;
    } else {
      written.text = FormatDecimalText(decimal->fixed, decimal->negative, format);
    }
    return written;
  }
  if (std::optional<std::string> text = ExactText(value.exact, format)) {
    written.text = std::move(*text);
    written.negative = written.text.starts_with('-');
    written.fraction_or_root = true;
    written.sum = !written.text.starts_with('(') && written.text.find(' ') != std::string::npos;
    return written;
  }
  return ApproximateText(value, format);
}

WrittenValue ApproximateText(const DerivedValue& value, const NumberFormat& format) {
  WrittenValue written;
  written.approximate = true;
  if (Below(value.exact, kSmallValueDigits)) {
    if (const std::optional<RoundedSignificant> small =
            RoundedToSignificant(value.exact, kSignificantDigits)) {
      written.text = PowerOfTenText(small->digits, small->exponent, small->negative, format);
      written.negative = small->negative;
      written.approximate = !small->exact;
      written.power_of_ten = true;
      return written;
    }
  }
  written.text = FieldText(value.value, value.exact, format);
  written.negative = written.text.starts_with('-');
  return written;
}

WrittenValue RoundedText(const DerivedValue& value, int decimals, const NumberFormat& format) {
  if (decimals >= kDecimals || Below(value.exact, decimals)) return ApproximateText(value, format);
  const std::optional<RoundedDecimal> rounded = RoundedToDecimals(value.exact, decimals);
  if (!rounded) return ApproximateText(value, format);
  WrittenValue written;
  written.text = FormatDecimalText(rounded->fixed, rounded->negative, format);
  written.negative = rounded->negative;
  written.approximate = TerminatingDecimals(value.exact).value_or(decimals + 1) > decimals;
  return written;
}

std::string FieldText(double value, const ExactNumber& exact, const NumberFormat& format) {
  const std::optional<RoundedDecimal> rounded = RoundedToDecimals(exact, kDecimals);
  if (!rounded) return FormatFieldNumber(value, format);
  return FormatDecimalText(rounded->fixed, rounded->negative, format);
}

bool Bracketed(const WrittenValue& value, std::string_view before, std::string_view after) {
  const bool operand = before.ends_with("/") || before.ends_with(": ") || before.ends_with("√") ||
                       after.starts_with("·") || after.starts_with("/") || after.starts_with("²");
  return value.negative || ((value.fraction_or_root || value.power_of_ten) && operand) ||
         ((value.sum || value.power_of_ten) && (before.ends_with("·") || after.starts_with(" :")));
}

std::pair<std::string, bool> Substituted(std::string_view expression,
                                         const std::function<std::optional<PutIn>(char)>& lookup,
                                         const NumberFormat& format) {
  std::string out;
  bool approximate = false;
  for (std::size_t i = 0; i < expression.size(); ++i) {
    const char ch = expression[i];
    const std::optional<PutIn> put_in = lookup(ch);
    if (!put_in) {
      out += ch;
      continue;
    }
    WrittenValue written = Written(put_in->value, put_in->decimals, format);
    if (written.approximate) written = RoundedText(put_in->value, put_in->rounded_decimals, format);
    approximate = approximate || written.approximate;
    out += Bracketed(written, out, expression.substr(i + 1)) ? "(" + written.text + ")"
                                                              : written.text;
  }
  return {out, approximate};
}

std::string Minus(std::string number) {
  for (std::size_t at = number.find('-'); at != std::string::npos; at = number.find('-', at)) {
    number.replace(at, 1, "−");
  }
  return number;
}

}  // namespace prism
