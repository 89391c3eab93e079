// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a worked solution is written for its reader: for the pupil's grade
// (the ways of solving and the numbers taught by then) and rounded as the
// pupil rounds. The window's fields are not touched by either.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "solver/field_number.h"

namespace prism {

struct SolutionStyle {
  // 5 and 6: a sum and a product solved as a sum and a difference, no
  // negative number, no diagonal (Pythagoras' theorem comes in grade 7);
  // 7: the quadratic equation with its discriminant, the diagonal.
  int grade = 5;
  // The places an approximate value is rounded to; 7 is the fields'.
  int decimals = 2;
};

struct GradeChoice {
  int grade;
  std::string_view caption;
};

inline constexpr std::array<GradeChoice, 3> kGrades = {{{5, "5"}, {6, "6"}, {7, "7"}}};

struct RoundingChoice {
  int decimals;
  std::string_view caption;  // as the solution window lists it
};

inline constexpr std::array<RoundingChoice, 4> kRoundings = {{
    {1, "0,1"},
    {2, "0,01"},
    {3, "0,001"},
    {kDecimals, "7 знака"},
}};

inline constexpr std::string_view kGradeCaption = "Клас:";
inline constexpr std::string_view kRoundingCaption = "Закръгляне:";

// The choices' places in their lists, as the window keeps them.
constexpr std::optional<std::size_t> GradeIndex(int grade) {
  for (std::size_t i = 0; i < kGrades.size(); ++i) {
    if (kGrades[i].grade == grade) return i;
  }
  return std::nullopt;
}

constexpr std::optional<std::size_t> RoundingIndex(int decimals) {
  for (std::size_t i = 0; i < kRoundings.size(); ++i) {
    if (kRoundings[i].decimals == decimals) return i;
  }
  return std::nullopt;
}

// The default style is one of the choices, each choice once.
constexpr bool StyleChoicesAreWellFormed() {
  if (!GradeIndex(SolutionStyle{}.grade) || !RoundingIndex(SolutionStyle{}.decimals)) return false;
  for (std::size_t i = 0; i < kRoundings.size(); ++i) {
    if (RoundingIndex(kRoundings[i].decimals) != i || kRoundings[i].decimals > kDecimals) return false;
  }
  for (std::size_t i = 0; i < kGrades.size(); ++i) {
    if (GradeIndex(kGrades[i].grade) != i) return false;
  }
  return true;
}
static_assert(StyleChoicesAreWellFormed());

}  // namespace prism
