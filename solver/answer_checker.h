// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A pupil's answer to a task about the box, checked as a teacher checks it:
// read in any form a pupil writes ("27", "27 см³", "4,17", "4.17", "25/6",
// "4 1/6"); right where it is the value or its rounding to the places asked
// for; almost right where it is rounded otherwise, told how to round; a
// wrong unit named; a wrong value matched against the answers of the
// mistakes pupils make with the task, the likely one named without giving
// the answer.

#include <array>
#include <string>
#include <string_view>

#include "solver/box_quantities.h"
#include "solver/exact_number.h"
#include "solver/field_number.h"
#include "solver/length_unit.h"

namespace prism {

// What a task asks, and of which box.
struct ExpectedAnswer {
  BoxQuantity quantity;
  std::array<ExactNumber, 3> edges;      // a, b, c in the task's unit
  LengthUnit unit = LengthUnit::kNone;   // the task's unit of length
  int decimals = 2;                      // the places a decimal is rounded to
};

enum class Verdict {
  kRight,
  kRounding,    // the value, rounded otherwise than asked
  kWrongUnit,   // a unit of another measure
  kMistake,     // the answer of a known mistake
  kWrong,
  kUnreadable,  // no number a pupil writes
};

struct AnswerCheck {
  Verdict verdict = Verdict::kUnreadable;
  std::string said;  // what the pupil is told
};

// The value asked for, exactly, from the box's edges.
ExactNumber AnswerValue(BoxQuantity quantity, const std::array<ExactNumber, 3>& edges);

AnswerCheck CheckAnswer(std::string_view answer, const ExpectedAnswer& expected,
                        const NumberFormat& format = {});

}  // namespace prism
