// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The whole solution of a box problem, written as a Bulgarian textbook lays
// one out: what is given, what is sought, each step with its formula, the
// same with the numbers put in and its result, the answer, and what a pupil
// is asked next. Or, where the data describe no box, why.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "solver/field_number.h"
#include "solver/length_unit.h"
#include "solver/solution_style.h"
#include "solver/quantities.h"
#include "solver/solver.h"

namespace prism {

// The headings a solution's parts start with, in their order: a line is the
// heading alone, or the heading and its text (what is sought; the answer
// where there is no box). What is sought has a plural of its own.
enum class SolutionPart { kGiven, kSought, kSteps, kAnswer, kMore, kCount };

struct SolutionHeading {
  SolutionPart part;
  std::string_view text;
};

inline constexpr std::array<SolutionHeading, 6> kSolutionHeadings = {{
    {SolutionPart::kGiven, "Дадено:"},
    {SolutionPart::kSought, "Търси се:"},
    {SolutionPart::kSought, "Търсят се:"},
    {SolutionPart::kSteps, "Решение:"},
    {SolutionPart::kAnswer, "Отговор:"},
    {SolutionPart::kMore, "Допълнително:"},
}};

// Every part has a heading, the first of its row its usual one.
constexpr bool SolutionHeadingsAreWellFormed() {
  for (std::size_t part = 0; part < static_cast<std::size_t>(SolutionPart::kCount); ++part) {
    bool found = false;
    for (const SolutionHeading& heading : kSolutionHeadings) {
      found = found || heading.part == static_cast<SolutionPart>(part);
    }
    if (!found) return false;
  }
  return true;
}
static_assert(SolutionHeadingsAreWellFormed());

constexpr std::string_view Heading(SolutionPart part) {
  for (const SolutionHeading& heading : kSolutionHeadings) {
    if (heading.part == part) return heading.text;
  }
  return {};
}

// "Търси се: V", "Търсят се: b и c".
constexpr std::string_view SoughtHeading(std::size_t count) {
  return count > 1 ? kSolutionHeadings[2].text : kSolutionHeadings[1].text;
}

// The heading the line starts, where it starts one.
constexpr std::optional<SolutionHeading> HeadingOf(std::string_view line) {
  for (const SolutionHeading& heading : kSolutionHeadings) {
    if (line == heading.text ||
        (line.starts_with(heading.text) && line.substr(heading.text.size()).starts_with(' '))) {
      return heading;
    }
  }
  return std::nullopt;
}

// A line of its own that starts a new page where the text is printed.
inline constexpr std::string_view kPageBreak = "\f";

// "a", "a и b", "a, b и c": as a sentence lists them.
std::string JoinedWithAnd(const std::vector<std::string_view>& names);

struct WorkedSolution {
  std::vector<std::string> lines;
  // The data describe a box; its five values are then in values, as the
  // fields show them.
  bool box = false;
  PrismValues values;
  // Where box: the edges a, b and c as a drawing labels them ("a = 3",
  // "c = 25/6").
  std::array<std::string, 3> edge_labels;
  // Where box: the edges' values with their unit, as a net's faces name
  // their sides ("3 см", "25/6 см"); and the unit.
  std::array<std::string, 3> edge_values;
  LengthUnit unit = LengthUnit::kNone;
};

// The solution of the row from the texts of its three given quantities (the
// other two texts are not read). nullopt for no row, or where a given text is
// no positive number alone: the window and the command line say why.
std::optional<WorkedSolution> SolveWorked(int row, const FieldTexts& texts,
                                          const NumberFormat& format = {},
                                          LengthUnit unit = LengthUnit::kNone,
                                          SolutionStyle style = {});

// The same from what Solve gave for the row and texts, which it does not
// solve again: nullopt for no row or a rejected press.
std::optional<WorkedSolution> SolveWorked(int row, const FieldTexts& texts,
                                          const SolveResult& solved, const NumberFormat& format,
                                          LengthUnit unit, SolutionStyle style = {});

// Three given quantities read from a command line ("a=3", "V=50", any order).
struct SolveRequest {
  int row = -1;
  FieldTexts texts;
};

// What is wrong with an argument, in English with "%1" for its detail: the
// command line says it in the user's language, these texts its sources.
enum class ArgumentFault { kOneMore, kNoEquals, kNoQuantity, kTwice, kNotPositive, kTooLarge, kTooSmall, kTooFew };

inline constexpr std::array<std::string_view, 8> kArgumentFaultTexts = {
    "one more than the three quantities a box is given by",
    "write a quantity as letter=value, as in a=3",
    "no quantity of that name (a, b, c, S or V)",
    "%1 is given twice",
    "'%1' is not a positive number",
    "'%1' is too large for the computer",
    "'%1' is too close to zero for the computer",
    "three quantities are needed (as in a=3 b=4 V=50), %1 given",
};

// The argument that is wrong ("" for the count), what is wrong with it, and
// the detail its text names: the letter, the value or the count.
struct ArgumentError {
  std::string argument;
  ArgumentFault fault;
  std::string detail;
};

// The English text of the fault, its detail put in.
std::string ArgumentFaultMessage(const ArgumentError& error);

// The row and texts of three distinct quantities, each "letter=value" with a
// positive number alone in the format; else the first argument at fault.
std::variant<SolveRequest, ArgumentError> ReadGivenQuantities(
    const std::vector<std::string>& arguments, const NumberFormat& format = {});

}  // namespace prism
