// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/solver.h"

#include <cmath>
#include <limits>
#include <optional>

#ifdef __FAST_MATH__
#error "The solver must be built without fast-math: its results depend on exact IEEE rounding."
#endif

static_assert(std::numeric_limits<double>::is_iec559, "The solver needs IEEE double arithmetic.");

namespace prism {
namespace {

constexpr Quantity a = Quantity::kA;
constexpr Quantity b = Quantity::kB;
constexpr Quantity c = Quantity::kC;
constexpr Quantity S = Quantity::kS;
constexpr Quantity V = Quantity::kV;

double Sqrt(double x) { return std::sqrt(x); }

// Each formula is written once, for the doubles the fields show and for the
// exact values of the derivation, with exactly the grouping that fixes its
// rounding: rearranging any of them changes the last bit of some results.
// The constants are whole numbers, 2.0 and 4.0 for the doubles.
constexpr auto SurfaceFromSides = [](const auto& v) { return 2 * ((v[a] * v[c]) + (v[b] * v[c])); };
constexpr auto VolumeFromSides = [](const auto& v) { return (v[a] * v[b]) * v[c]; };
constexpr auto HeightFromSurface = [](const auto& v) { return v[S] / ((2 * v[a]) + (2 * v[b])); };
constexpr auto HeightFromVolume = [](const auto& v) { return v[V] / (v[a] * v[b]); };
constexpr auto SideBFromSurfaceAndVolume = [](const auto& v) {
  return ((2 * v[V]) * v[a]) / ((v[a] * v[S]) - (2 * v[V]));
};
constexpr auto SideBFromSurface = [](const auto& v) { return (v[S] / (2 * v[c])) - v[a]; };
constexpr auto SideBFromVolume = [](const auto& v) { return v[V] / (v[a] * v[c]); };
constexpr auto SideAFromSurface = [](const auto& v) { return (v[S] / (2 * v[c])) - v[b]; };
constexpr auto SideAFromVolume = [](const auto& v) { return v[V] / (v[b] * v[c]); };
constexpr auto SideAFromSurfaceAndVolume = [](const auto& v) {
  return ((2 * v[V]) * v[b]) / ((v[b] * v[S]) - (2 * v[V]));
};
// t = a + b = S/(2c): a and b are the roots of x² − t·x + V/c.
constexpr auto HalfPerimeter = [](const auto& v) { return v[S] / (2 * v[c]); };
// a is the smaller root.
constexpr auto SmallerSideFromHeight = [](const auto& v) {
  const auto t = HalfPerimeter(v);
  return (t - Sqrt((t * t) - ((4 * v[V]) / v[c]))) / 2;
};

// A formula with its text, as a pupil writes it: the same operations in the
// same grouping, with the usual precedence (² before · and /, those before +
// and −, each level from the left). Only the letters a, b, c, S, V and t stand
// for values.
struct WrittenFormula {
  double (*compute)(const PrismValues&);
  ExactNumber (*exact)(const ExactPrismValues&);
  std::string_view text;

  constexpr WrittenFormula(auto formula, std::string_view formula_text)
      : compute(formula), exact(formula), text(formula_text) {}
};

constexpr WrittenFormula kSurface{SurfaceFromSides, "S = 2·(a·c + b·c)"};
constexpr WrittenFormula kVolume{VolumeFromSides, "V = a·b·c"};
constexpr WrittenFormula kHeightFromVolume{HeightFromVolume, "c = V/(a·b)"};

// The formulas of each row, for its two computed quantities in the table's
// order; the second may use the first. Row 9 computes the helper t first.
struct RowFormulas {
  WrittenFormula first;
  WrittenFormula second;
  std::optional<WrittenFormula> helper;
};

constexpr std::array<RowFormulas, kCombinationCount> kRowFormulas = {{
    {kSurface, kVolume, {}},                                                         // a, b, c
    {{HeightFromSurface, "c = S/(2·a + 2·b)"}, kVolume, {}},                         // a, b, S
    {kHeightFromVolume, kSurface, {}},                                               // a, b, V
    {{SideBFromSurfaceAndVolume, "b = 2·V·a/(a·S − 2·V)"}, kHeightFromVolume, {}},   // a, S, V
    {{SideBFromSurface, "b = S/(2·c) − a"}, kVolume, {}},                            // a, c, S
    {{SideBFromVolume, "b = V/(a·c)"}, kSurface, {}},                                // a, c, V
    {{SideAFromSurface, "a = S/(2·c) − b"}, kVolume, {}},                            // b, c, S
    {{SideAFromVolume, "a = V/(b·c)"}, kSurface, {}},                                // b, c, V
    {{SideAFromSurfaceAndVolume, "a = 2·V·b/(b·S − 2·V)"}, kHeightFromVolume, {}},   // b, S, V
    {{SmallerSideFromHeight, "a = (t − √(t² − 4·V/c))/2"},                           // c, S, V
     {SideBFromVolume, "b = V/(a·c)"},
     WrittenFormula{HalfPerimeter, "t = S/(2·c)"}},
}};

// The name of a formula's text, before " = ", and its right-hand side.
constexpr std::string_view Name(std::string_view text) { return text.substr(0, text.find(" = ")); }
constexpr std::string_view RightHandSide(std::string_view text) {
  return text.substr(text.find(" = ") + 3);
}

// Each row's formulas compute the quantities the combination table says the
// row computes, in its order.
constexpr bool FormulasMatchTheTable() {
  for (std::size_t row = 0; row < kCombinationCount; ++row) {
    const Combination& combination = kCombinationTable[row];
    const RowFormulas& formulas = kRowFormulas[row];
    if (Name(formulas.first.text) != QuantityCaption(combination.computed[0]) ||
        Name(formulas.second.text) != QuantityCaption(combination.computed[1]) ||
        (formulas.helper && Name(formulas.helper->text) != "t")) {
      return false;
    }
  }
  return true;
}
static_assert(FormulasMatchTheTable());

// The quantity a letter of a formula stands for; nullopt for any other character.
std::optional<Quantity> LetterQuantity(char letter) {
  for (Quantity q : kAllQuantities) {
    if (QuantityCaption(q) == std::string_view(&letter, 1)) return q;
  }
  return std::nullopt;
}

// A result: the exact value and then the decimal as the field shows it, where
// the exact value is shown; else as short as it reads back.
std::string ShownResult(double value, const ExactNumber& exact, const NumberFormat& format) {
  const std::optional<std::string> exact_text = ExactText(exact, format);
  if (!exact_text) return FormatShortNumber(value, format);
  return *exact_text + " ≈ " + FormatFieldNumber(value, format);
}

// A value of a derivation, as the doubles give it and exactly.
struct DerivedValue {
  double value;
  ExactNumber exact;
};

// The right-hand side with each letter replaced by its value. A negative
// value stands in parentheses, and so does a fraction or root after "/" or
// before "²", where the reading from the left would split it.
std::string Substituted(std::string_view expression, const PrismValues& values,
                        const ExactPrismValues& exact, const DerivedValue& t,
                        const NumberFormat& format) {
  std::string out;
  for (std::size_t i = 0; i < expression.size(); ++i) {
    const char ch = expression[i];
    const std::optional<Quantity> letter = LetterQuantity(ch);
    if (!letter && ch != 't') {
      out += ch;
      continue;
    }
    const DerivedValue value = letter ? DerivedValue{values[*letter], exact[*letter]} : t;
    const std::optional<std::string> exact_text = ExactText(value.exact, format);
    const std::string number = exact_text.value_or(FormatShortNumber(value.value, format));
    const bool split = exact_text && (out.ends_with('/') || expression.substr(i + 1).starts_with("²"));
    out += value.value < 0.0 || split ? "(" + number + ")" : number;
  }
  return out;
}

bool IsMarked(const KnownMarks& marks, Quantity q) { return marks[Index(q)] == 1; }

bool AllFinite(const PrismValues& values) {
  for (double x : values.values) {
    if (!std::isfinite(x)) return false;
  }
  return true;
}

}  // namespace

std::optional<Quantity> FirstInvalidKnown(const FieldTexts& texts, const KnownMarks& marks,
                                          const NumberFormat& format) {
  std::optional<Quantity> first;
  for (Quantity q : kAllQuantities) {
    // Text after the number ("2,5" under a "." format, "3abc", "1/2") would
    // leave a value other than the one the pupil meant: refused, never cut.
    const std::optional<double> x = ParseWholeFieldNumber(texts[Index(q)], format);
    // A value beyond the range of a double reads as infinity: no box has it.
    const bool valid = x && *x > 0.0 && std::isfinite(*x);
    if (IsMarked(marks, q) && !valid && !first) first = q;
  }
  return first;
}

bool ValidateKnown(const FieldTexts& texts, const KnownMarks& marks, const NumberFormat& format) {
  return !FirstInvalidKnown(texts, marks, format).has_value();
}

SolveResult Solve(std::int16_t row, const FieldTexts& texts, const KnownMarks& marks,
                  const NumberFormat& format) {
  const Combination* combination = FindCombination(row);
  if (combination == nullptr || !ValidateKnown(texts, marks, format)) return {};

  SolveResult result;
  for (Quantity q : combination->known) {
    result.values[q] = ParseFieldNumber(texts[Index(q)], format);
  }
  const RowFormulas& formulas = kRowFormulas[static_cast<std::size_t>(row)];
  result.values[combination->computed[0]] = formulas.first.compute(result.values);
  result.values[combination->computed[1]] = formulas.second.compute(result.values);
  result.outcome = AllFinite(result.values) ? SolveOutcome::kSolved : SolveOutcome::kNoFiniteResult;
  return result;
}

std::vector<std::string_view> RowFormulaTexts(int row) {
  if (FindCombination(row) == nullptr) return {};
  const RowFormulas& formulas = kRowFormulas[static_cast<std::size_t>(row)];
  std::vector<std::string_view> texts;
  if (formulas.helper) texts.push_back(formulas.helper->text);
  texts.push_back(formulas.first.text);
  texts.push_back(formulas.second.text);
  return texts;
}

ExactPrismValues ExactValues(int row, const FieldTexts& texts, const NumberFormat& format) {
  ExactPrismValues exact;
  const Combination* combination = FindCombination(row);
  if (combination == nullptr) return exact;
  for (Quantity q : combination->known) {
    exact[q] = ExactNumber::FromText(texts[Index(q)], format);
  }
  const RowFormulas& formulas = kRowFormulas[static_cast<std::size_t>(row)];
  exact[combination->computed[0]] = formulas.first.exact(exact);
  exact[combination->computed[1]] = formulas.second.exact(exact);
  return exact;
}

std::vector<std::string> Derivation(int row, Quantity q, const PrismValues& values,
                                    const NumberFormat& format, const ExactPrismValues& exact) {
  const Combination* combination = FindCombination(row);
  if (combination == nullptr) return {};
  const RowFormulas& formulas = kRowFormulas[static_cast<std::size_t>(row)];
  const DerivedValue t = formulas.helper ? DerivedValue{formulas.helper->compute(values),
                                                        formulas.helper->exact(exact)}
                                         : DerivedValue{0.0, {}};
  std::vector<std::string> lines;
  const auto derive = [&](std::string_view text, const DerivedValue& result) {
    const std::string name(Name(text));
    lines.emplace_back(text);
    lines.push_back(name + " = " + Substituted(RightHandSide(text), values, exact, t, format));
    lines.push_back(name + " = " + ShownResult(result.value, result.exact, format));
  };
  if (q == combination->computed[0]) {
    if (formulas.helper) derive(formulas.helper->text, t);
    derive(formulas.first.text, {values[q], exact[q]});
  } else if (q == combination->computed[1]) {
    derive(formulas.second.text, {values[q], exact[q]});
  }
  return lines;
}

}  // namespace prism
