// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Values as a pupil writes them in a worked formula: exactly where that is
// short, else as the field shows them, with brackets where a neighbour would
// split them.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "solver/exact_number.h"
#include "solver/field_number.h"

namespace prism {

// A value as the doubles give it and exactly.
struct DerivedValue {
  double value = 0.0;
  ExactNumber exact;
};

// A value as a worked formula writes it.
struct WrittenValue {
  std::string text;
  bool approximate = false;       // the field's rounding of a value with no short exact text
  bool fraction_or_root = false;  // "25/6", "3√2", "(5 − √5)/2", "2 − √3"
  bool sum = false;               // unbracketed: "2 − √3"
  bool power_of_ten = false;      // "2,5·10⁻⁹"
  bool negative = false;
};

// Every digit of a given value.
inline constexpr int kGivenDecimals = kMaxRoundedDecimals;

// Below this magnitude a value that is not written exactly keeps its
// significant digits with a power of ten: seven decimals would leave it
// fewer than five, or none.
inline constexpr int kSmallValueDigits = 3;  // 10^-3

// A value is written exactly: a decimal that ends within the given places
// (every given value; a computed one within seven), else a short fraction or
// root; else approximately (see ApproximateText). An exact decimal below
// 10^-7 is written with a power of ten ("1,25·10⁻⁹"), never as 0.
WrittenValue Written(const DerivedValue& value, int decimals, const NumberFormat& format);

// A value rounded for a worked formula: as its field shows it, or, below
// 10^-3 and not 0, to seven significant digits with a power of ten
// ("2,334407·10⁻⁷"), so that it never reads as 0 or loses its digits.
// approximate where the text is not the value exactly.
WrittenValue ApproximateText(const DerivedValue& value, const NumberFormat& format);

// A value rounded to the places the pupil rounds to, half away from zero;
// where that would read as 0 or the places are the fields', as
// ApproximateText writes it. approximate where the text is not the value.
WrittenValue RoundedText(const DerivedValue& value, int decimals, const NumberFormat& format);

// The text of a value's field: its exact value rounded to seven decimals,
// half away from zero, where that is known; else the double's, as
// FormatFieldNumber writes it.
std::string FieldText(double value, const ExactNumber& exact, const NumberFormat& format = {});

// Brackets keep a value whole where its neighbours would split it as the
// pupil reads: a negative value anywhere; a fraction or root after "/", ":"
// or "√" or before "·", "/" or "²" ("10/(((5 − √5)/2)·2)", "60 : (25/6)");
// a sum after "·" or before ":" too ("(2 − √3)·1" after "1/(", "2·(2 − √3)",
// "(2 − √3) : 2"); a value with a power of ten wherever a fraction is, and
// after "·" ("2·(2,5·10⁻⁹)", "(2,5·10⁻⁹)²").
bool Bracketed(const WrittenValue& value, std::string_view before, std::string_view after);

// A textbook's minus sign in a number: the fields' texts have a hyphen.
std::string Minus(std::string number);

// A value to put in for a letter of an expression, with the decimals it is
// written to.
struct PutIn {
  DerivedValue value;
  int decimals;
  // Where the value has no short exact text: the places it is rounded to.
  int rounded_decimals = kDecimals;
};

// The expression with each letter the lookup knows replaced by its written
// value, bracketed where needed, and whether any of them is approximate.
// Every other character stays.
std::pair<std::string, bool> Substituted(std::string_view expression,
                                         const std::function<std::optional<PutIn>(char)>& lookup,
                                         const NumberFormat& format);

}  // namespace prism
