// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window "Задача": a problem as the pupil writes it, an item a line or
// between ";", and what shows under it as it is typed: its worked solution
// where the text reads as a whole, else the one line that says what is wrong
// and where, or what is missing.

#include <optional>
#include <string_view>

#include "solver/field_number.h"
#include "solver/length_unit.h"
#include "window/model/window_model.h"

namespace prism {

// The window's name, its key, and its text box's.
inline constexpr std::string_view kProblemTitle = "Задача";
inline constexpr std::string_view kProblemKey = "F3";
inline constexpr std::string_view kProblemTextName = "Условие";

// What the window shows while nothing is written.
inline constexpr std::string_view kProblemPrompt =
    "Напишете данните на задачата, всяко на нов ред или разделени с „;“, "
    "например: куб; S₁ = 54 см²; V = ?";

// The solution of the text, its lengths in the unit given (else the
// problem's own), or what to do.
ShownSolution WrittenProblemSolution(std::string_view text, const NumberFormat& format,
                                     std::optional<LengthUnit> unit, SolutionStyle style = {});

}  // namespace prism
