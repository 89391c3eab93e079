// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Validates the given values of a box and computes the two missing ones.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "solver/exact_number.h"
#include "solver/field_number.h"
#include "solver/quantities.h"
#include "solver/written_value.h"

namespace prism {

// The texts of the five value fields and the states of their check boxes,
// indexed by Quantity. A mark counts as set only when it is exactly 1.
using FieldTexts = std::array<std::string, kQuantityCount>;
using KnownMarks = std::array<int, kQuantityCount>;

enum class SolveOutcome {
  kRejected,  // a marked field holds no positive finite number alone, or no such row
  // The exact values divide by zero, take the root of a negative number, or
  // leave the range of a double.
  kNoFiniteResult,
  kSolved,
};

// The five quantities exactly, by Quantity.
struct ExactPrismValues {
  std::array<ExactNumber, kQuantityCount> values;

  ExactNumber& operator[](Quantity q) { return values[Index(q)]; }
  const ExactNumber& operator[](Quantity q) const { return values[Index(q)]; }
};

struct SolveResult {
  SolveOutcome outcome = SolveOutcome::kRejected;
  // The doubles of the row's formulas, bit for bit, where they are finite;
  // where the doubles overflow or divide by a zero that the exact values do
  // not, the exact value's nearest double.
  PrismValues values;
  // The given values as the exact decimals their texts are, and the computed
  // ones from them by the same formulas: what every field shows and every
  // decision is made on. Where the outcome is kSolved, each has a value
  // within the range of a double.
  ExactPrismValues exact;
};

// Why a given value is refused.
enum class Invalidity {
  kNotPositive,  // no number alone, or one not above 0
  kTooLarge,     // positive, beyond the range of a double ("1e999")
  kTooSmall,     // positive, so close to 0 that a double holds no such value ("1e-999", "1e-310")
};

struct InvalidKnown {
  Quantity quantity;
  Invalidity why;

  bool operator==(const InvalidKnown&) const = default;
};

// The first marked field, in quantity order, that does not hold a finite
// number greater than 0 and nothing after it but blanks, and why; nullopt
// when there is none.
std::optional<InvalidKnown> FirstInvalidKnown(const FieldTexts& texts, const KnownMarks& marks,
                                              const NumberFormat& format = {});

// True when every marked field holds a finite number greater than 0 and
// nothing after it but blanks, one a double holds to its full precision
// (no subnormal: "1e-310" is too close to 0).
bool ValidateKnown(const FieldTexts& texts, const KnownMarks& marks,
                   const NumberFormat& format = {});

// Reads the row's three known values and computes the other two with the row's
// formulas, in doubles and exactly. values and exact hold all five whenever
// the outcome is not kRejected. The exact values decide: an exact zero
// divisor, a negative radicand or a value beyond a double leaves no finite
// result; a radicand the doubles make negative though it is not gives
// a = b = t/2 in the doubles.
SolveResult Solve(int row, const FieldTexts& texts, const KnownMarks& marks,
                  const NumberFormat& format = {});

// The texts of the formulas Solve computes the row with, in the order it
// applies them, each "name = expression": the same operations in the same
// grouping, with "·", "/", "√", "²" and parentheses, the usual precedence and
// each level read from the left. Row 9 starts with its helper t = S/(2·c).
// Empty for no row.
std::vector<std::string_view> RowFormulaTexts(int row);

// The row's given values as the exact decimals their texts are ("2,5", "1e2"
// and "4.1666667" all are), and its computed values from them by the same
// formulas in fractions and roots, as Solve gives them. Each has no value
// where a step leaves none (see ExactNumber).
ExactPrismValues ExactValues(int row, const FieldTexts& texts, const NumberFormat& format = {});

// How the row computed q from the five values Solve gave: for each formula
// behind q (for row 9's a, the helper t first) the formula, the same with the
// values put in, then its result, one line each. Each value is written
// exactly where it can be: a decimal (a given one with every digit, a
// computed one where it ends within seven places), else a short fraction or
// root (25/6, (5 − √5)/2), a result then followed by " ≈ " and its field's
// text. A value with neither is its field's text, and its line says " ≈ ".
// Never an exponent; brackets where a neighbour would split a value.
// Numbers are in the format's separators. Empty where q is no computed
// quantity of the row.
std::vector<std::string> Derivation(int row, Quantity q, const PrismValues& values,
                                    const NumberFormat& format = {},
                                    const ExactPrismValues& exact = {});

}  // namespace prism
