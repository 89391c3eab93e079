// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/solver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

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
// The divisor of rows 3 and 8: a·S − 2·V and b·S − 2·V, in two parts.
constexpr auto SurfaceTimesA = [](const auto& v) { return v[a] * v[S]; };
constexpr auto SurfaceTimesB = [](const auto& v) { return v[b] * v[S]; };
constexpr auto TwiceVolume = [](const auto& v) { return 2 * v[V]; };
constexpr auto SideBFromSurfaceAndVolume = [](const auto& v) {
  return (TwiceVolume(v) * v[a]) / (SurfaceTimesA(v) - TwiceVolume(v));
};
constexpr auto SideBFromSurface = [](const auto& v) { return (v[S] / (2 * v[c])) - v[a]; };
constexpr auto SideBFromVolume = [](const auto& v) { return v[V] / (v[a] * v[c]); };
constexpr auto SideAFromSurface = [](const auto& v) { return (v[S] / (2 * v[c])) - v[b]; };
constexpr auto SideAFromVolume = [](const auto& v) { return v[V] / (v[b] * v[c]); };
constexpr auto SideAFromSurfaceAndVolume = [](const auto& v) {
  return (TwiceVolume(v) * v[b]) / (SurfaceTimesB(v) - TwiceVolume(v));
};
// t = a + b = S/(2c): a and b are the roots of x² − t·x + V/c.
constexpr auto HalfPerimeter = [](const auto& v) { return v[S] / (2 * v[c]); };
// The radicand t² − 4·V/c, in two parts.
constexpr auto HalfPerimeterSquared = [](const auto& v) {
  const auto t = HalfPerimeter(v);
  return t * t;
};
constexpr auto FourVolumesOverHeight = [](const auto& v) { return (4 * v[V]) / v[c]; };
// a is the smaller root.
constexpr auto SmallerSideFromHeight = [](const auto& v) {
  return (HalfPerimeter(v) - Sqrt(HalfPerimeterSquared(v) - FourVolumesOverHeight(v))) / 2;
};
// The same where the radicand is 0: a = b = t/2, as (t − 0)/2 rounds.
constexpr auto HalfOfHalfPerimeter = [](const auto& v) { return HalfPerimeter(v) / 2; };

// A formula computed both ways: in doubles and exactly.
struct Formula {
  double (*compute)(const PrismValues&);
  ExactNumber (*exact)(const ExactPrismValues&);

  constexpr Formula(auto formula) : compute(formula), exact(formula) {}
};

// A radicand (row 9) whose sign the doubles may miss by a rounding: where
// they make it negative though its exact value is not, the first result is
// at_zero, its value where the radicand is 0.
struct Edge {
  Formula minuend;
  Formula subtrahend;
  Formula at_zero;
};

// A formula with its text, as a pupil writes it: the same operations in the
// same grouping, with the usual precedence (² before · and /, those before +
// and −, each level from the left). Only the letters a, b, c, S, V and t stand
// for values.
struct WrittenFormula : Formula {
  std::string_view text;

  constexpr WrittenFormula(auto formula, std::string_view formula_text)
      : Formula(formula), text(formula_text) {}
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
  std::optional<Edge> edge;
};

constexpr std::array<RowFormulas, kCombinationCount> kRowFormulas = {{
    {kSurface, kVolume, {}, {}},                                                         // a, b, c
    {{HeightFromSurface, "c = S/(2·a + 2·b)"}, kVolume, {}, {}},                         // a, b, S
    {kHeightFromVolume, kSurface, {}, {}},                                               // a, b, V
    {{SideBFromSurfaceAndVolume, "b = 2·V·a/(a·S − 2·V)"}, kHeightFromVolume, {}, {}},  // a, S, V
    {{SideBFromSurface, "b = S/(2·c) − a"}, kVolume, {}, {}},                            // a, c, S
    {{SideBFromVolume, "b = V/(a·c)"}, kSurface, {}, {}},                                // a, c, V
    {{SideAFromSurface, "a = S/(2·c) − b"}, kVolume, {}, {}},                            // b, c, S
    {{SideAFromVolume, "a = V/(b·c)"}, kSurface, {}, {}},                                // b, c, V
    {{SideAFromSurfaceAndVolume, "a = 2·V·b/(b·S − 2·V)"}, kHeightFromVolume, {}, {}},  // b, S, V
    {{SmallerSideFromHeight, "a = (t − √(t² − 4·V/c))/2"},                           // c, S, V
     {SideBFromVolume, "b = V/(a·c)"},
     WrittenFormula{HalfPerimeter, "t = S/(2·c)"},
     Edge{HalfPerimeterSquared, FourVolumesOverHeight, HalfOfHalfPerimeter}},
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

// The right-hand side with each letter replaced by its value, and whether
// any of them is approximate.
std::pair<std::string, bool> SubstitutedRow(std::string_view expression, const PrismValues& values,
                                            const ExactPrismValues& exact, int row,
                                            const DerivedValue& t, const NumberFormat& format) {
  return Substituted(
      expression,
      [&](char ch) -> std::optional<PutIn> {
        if (ch == 't') return PutIn{t, kDecimals};
        const std::optional<Quantity> letter = LetterQuantity(ch);
        if (!letter) return std::nullopt;
        return PutIn{{values[*letter], exact[*letter]},
                     IsKnown(row, *letter) ? kGivenDecimals : kDecimals};
      },
      format);
}

bool IsMarked(const KnownMarks& marks, Quantity q) { return marks[Index(q)] == 1; }

// The known values exactly, as their texts are written.
ExactPrismValues ExactKnown(const Combination& combination, const FieldTexts& texts,
                            const NumberFormat& format) {
  ExactPrismValues exact;
  for (Quantity q : combination.known) exact[q] = ExactNumber::FromText(texts[Index(q)], format);
  return exact;
}

ExactPrismValues ExactOfRow(const Combination& combination, const RowFormulas& formulas,
                            const FieldTexts& texts, const NumberFormat& format) {
  ExactPrismValues exact = ExactKnown(combination, texts, format);
  exact[combination.computed[0]] = formulas.first.exact(exact);
  exact[combination.computed[1]] = formulas.second.exact(exact);
  return exact;
}

// What the exact values decide: no finite result where a computed value has
// none or lies beyond a double. The doubles follow them where they went
// astray: a radicand they make negative though it is not gives the first
// result at its zero, and a value they leave infinite or undefined though it
// is not is the exact value's nearest double.
SolveOutcome Decide(const Combination& combination, const RowFormulas& formulas,
                    const ExactPrismValues& exact, PrismValues& values) {
  for (Quantity q : combination.computed) {
    if (!WithinDoubleRange(exact[q])) return SolveOutcome::kNoFiniteResult;
  }
  // A known value read from a field its mark does not validate may be
  // anything the doubles hold no value for.
  for (Quantity q : combination.known) {
    if (!std::isfinite(values[q]) || !exact[q].has_value()) return SolveOutcome::kNoFiniteResult;
  }
  if (formulas.edge) {
    const Edge& edge = *formulas.edge;
    if (edge.minuend.compute(values) - edge.subtrahend.compute(values) < 0.0) {
      values[combination.computed[0]] = edge.at_zero.compute(values);
      values[combination.computed[1]] = formulas.second.compute(values);
    }
  }
  for (Quantity q : combination.computed) {
    if (!std::isfinite(values[q])) values[q] = exact[q].ToDouble();
  }
  return SolveOutcome::kSolved;
}

}  // namespace

std::optional<InvalidKnown> FirstInvalidKnown(const FieldTexts& texts, const KnownMarks& marks,
                                              const NumberFormat& format) {
  for (Quantity q : kAllQuantities) {
    if (!IsMarked(marks, q)) continue;
    // Text after the number ("2,5" under a "." format, "3abc", "1/2") would
    // leave a value other than the one the pupil meant: refused, never cut.
    const std::string& text = texts[Index(q)];
    const std::optional<double> x = ParseWholeFieldNumber(text, format);
    if (!x || *x < 0.0 || std::signbit(*x)) return InvalidKnown{q, Invalidity::kNotPositive};
    // A positive number beyond the range of a double reads as infinity or 0.
    if (std::isinf(*x)) return InvalidKnown{q, Invalidity::kTooLarge};
    // A subnormal double keeps fewer digits than it shows: the computer holds
    // no such value.
    if (*x > 0.0 && *x < std::numeric_limits<double>::min()) {
      return InvalidKnown{q, Invalidity::kTooSmall};
    }
    if (*x == 0.0) {
      const std::optional<WrittenDecimal> decimal = ReadWrittenDecimal(text, format);
      const bool positive = decimal && !decimal->digits.empty();
      return InvalidKnown{q, positive ? Invalidity::kTooSmall : Invalidity::kNotPositive};
    }
  }
  return std::nullopt;
}

bool ValidateKnown(const FieldTexts& texts, const KnownMarks& marks, const NumberFormat& format) {
  return !FirstInvalidKnown(texts, marks, format).has_value();
}

SolveResult Solve(int row, const FieldTexts& texts, const KnownMarks& marks,
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
  result.exact = ExactOfRow(*combination, formulas, texts, format);
  result.outcome = Decide(*combination, formulas, result.exact, result.values);
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
  const Combination* combination = FindCombination(row);
  if (combination == nullptr) return {};
  return ExactOfRow(*combination, kRowFormulas[static_cast<std::size_t>(row)], texts, format);
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
    const auto [substituted, approximate] =
        SubstitutedRow(RightHandSide(text), values, exact, row, t, format);
    lines.push_back(name + (approximate ? " ≈ " : " = ") + substituted);
    const WrittenValue written = Written(result, kDecimals, format);
    if (written.approximate) {
      lines.push_back(name + " ≈ " + written.text);
    } else if (written.fraction_or_root) {
      lines.push_back(name + " = " + written.text + " ≈ " +
                      FieldText(result.value, result.exact, format));
    } else {
      lines.push_back(name + " = " + written.text);
    }
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
