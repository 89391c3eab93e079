// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/solver.h"

#include <cmath>
#include <limits>

#ifdef __FAST_MATH__
#error "The solver must be built without fast-math: its results depend on exact IEEE rounding."
#endif

static_assert(std::numeric_limits<double>::is_iec559, "The solver needs IEEE double arithmetic.");

namespace prism {
namespace {

// Each formula is written with exactly the grouping that fixes its rounding;
// rearranging any of them changes the last bit of some results.
using Formula = double (*)(const PrismValues&);

constexpr Quantity a = Quantity::kA;
constexpr Quantity b = Quantity::kB;
constexpr Quantity c = Quantity::kC;
constexpr Quantity S = Quantity::kS;
constexpr Quantity V = Quantity::kV;

double SurfaceFromSides(const PrismValues& v) { return 2.0 * ((v[a] * v[c]) + (v[b] * v[c])); }
double VolumeFromSides(const PrismValues& v) { return (v[a] * v[b]) * v[c]; }
double HeightFromSurface(const PrismValues& v) { return v[S] / ((2.0 * v[a]) + (2.0 * v[b])); }
double HeightFromVolume(const PrismValues& v) { return v[V] / (v[a] * v[b]); }
double SideBFromSurfaceAndVolume(const PrismValues& v) {
  return ((2.0 * v[V]) * v[a]) / ((v[a] * v[S]) - (2.0 * v[V]));
}
double SideBFromSurface(const PrismValues& v) { return (v[S] / (2.0 * v[c])) - v[a]; }
double SideBFromVolume(const PrismValues& v) { return v[V] / (v[a] * v[c]); }
double SideAFromSurface(const PrismValues& v) { return (v[S] / (2.0 * v[c])) - v[b]; }
double SideAFromVolume(const PrismValues& v) { return v[V] / (v[b] * v[c]); }
double SideAFromSurfaceAndVolume(const PrismValues& v) {
  return ((2.0 * v[V]) * v[b]) / ((v[b] * v[S]) - (2.0 * v[V]));
}
// a and b are the roots of x² − t·x + V/c with t = a + b = S/(2c); a is the smaller.
double SmallerSideFromHeight(const PrismValues& v) {
  const double t = v[S] / (2.0 * v[c]);
  return (t - std::sqrt((t * t) - ((4.0 * v[V]) / v[c]))) / 2.0;
}

// The formulas of each row, for its two computed quantities in the table's
// order; the second may use the first.
struct RowFormulas {
  Formula first;
  Formula second;
};

constexpr std::array<RowFormulas, kCombinationCount> kRowFormulas = {{
    {SurfaceFromSides, VolumeFromSides},                // a, b, c -> S, V
    {HeightFromSurface, VolumeFromSides},               // a, b, S -> c, V
    {HeightFromVolume, SurfaceFromSides},               // a, b, V -> c, S
    {SideBFromSurfaceAndVolume, HeightFromVolume},      // a, S, V -> b, c
    {SideBFromSurface, VolumeFromSides},                // a, c, S -> b, V
    {SideBFromVolume, SurfaceFromSides},                // a, c, V -> b, S
    {SideAFromSurface, VolumeFromSides},                // b, c, S -> a, V
    {SideAFromVolume, SurfaceFromSides},                // b, c, V -> a, S
    {SideAFromSurfaceAndVolume, HeightFromVolume},      // b, S, V -> a, c
    {SmallerSideFromHeight, SideBFromVolume},           // c, S, V -> a, b
}};

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
    const double x = ParseFieldNumber(texts[Index(q)], format);
    // A value beyond the range of a double reads as infinity: no box has it.
    if (IsMarked(marks, q) && !(x > 0.0 && std::isfinite(x)) && !first) first = q;
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
  result.values[combination->computed[0]] = formulas.first(result.values);
  result.values[combination->computed[1]] = formulas.second(result.values);
  result.outcome = AllFinite(result.values) ? SolveOutcome::kSolved : SolveOutcome::kNoFiniteResult;
  return result;
}

}  // namespace prism
