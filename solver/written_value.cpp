// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/written_value.h"

namespace prism {

WrittenValue Written(const DerivedValue& value, int decimals, const NumberFormat& format) {
  WrittenValue written;
  const std::optional<RoundedDecimal> decimal = RoundedToDecimals(value.exact, decimals);
  if (decimal && decimal->exact) {
    std::string plain = decimal->fixed;
    if (plain.find('.') != std::string::npos) {
      plain.erase(plain.find_last_not_of('0') + 1);
      if (plain.back() == '.') plain.pop_back();
    }
    written.text = FormatDecimalText(plain, decimal->negative, format);
    written.negative = decimal->negative;
    return written;
  }
  if (std::optional<std::string> text = ExactText(value.exact, format)) {
    written.text = std::move(*text);
    written.negative = written.text.starts_with('-');
    written.fraction_or_root = true;
    written.sum = !written.text.starts_with('(') && written.text.find(' ') != std::string::npos;
    return written;
  }
  written.text = FieldText(value.value, value.exact, format);
  written.approximate = true;
  written.negative = written.text.starts_with('-');
  return written;
}

std::string FieldText(double value, const ExactNumber& exact, const NumberFormat& format) {
  const std::optional<RoundedDecimal> rounded = RoundedToDecimals(exact, kDecimals);
  if (!rounded) return FormatFieldNumber(value, format);
  return FormatDecimalText(rounded->fixed, rounded->negative, format);
}

bool Bracketed(const WrittenValue& value, std::string_view before, std::string_view after) {
  const bool operand = before.ends_with("/") || before.ends_with("√") ||
                       after.starts_with("·") || after.starts_with("/") || after.starts_with("²");
  return value.negative || (value.fraction_or_root && operand) ||
         (value.sum && before.ends_with("·"));
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
    const WrittenValue written = Written(put_in->value, put_in->decimals, format);
    approximate = approximate || written.approximate;
    out += Bracketed(written, out, expression.substr(i + 1)) ? "(" + written.text + ")"
                                                              : written.text;
  }
  return {out, approximate};
}

}  // namespace prism
