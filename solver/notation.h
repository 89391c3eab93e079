// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A box problem as a pupil writes its data in the notebook, one item at a
// time: "a = 3 см", "S₁ = 54 см²", "b = 2 дм 5 см", "V = 2 л", "b = 2a",
// "c = b − 1", "куб", "V = ?". The command line takes each argument as an
// item; the window takes a text whose items stand on lines or between ";".
// A wrong item is named with what is wrong in it, never read as something
// else.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "solver/box_quantities.h"
#include "solver/exact_number.h"
#include "solver/field_number.h"
#include "solver/length_unit.h"

namespace prism {

// A unit a value is written with: a length unit to a power, or a litre
// (a cubic decimetre) or a millilitre (a cubic centimetre).
struct ValueUnit {
  LengthUnit length = LengthUnit::kNone;
  Measure measure = Measure::kLength;
  std::string_view written;  // "см²", "л"

  bool operator==(const ValueUnit&) const = default;
};

// The unit written at the start of the text, the longest that fits ("мл",
// not "м"), and how many bytes it takes; nullopt where none starts it.
std::optional<std::pair<ValueUnit, std::size_t>> UnitAtStart(std::string_view text);

// A number with its unit, where one is written.
struct Amount {
  ExactNumber number;
  std::string typed;  // the number as typed, in the user's format: "2,5"
  std::optional<ValueUnit> unit;
};

// A given value: one amount, or a length as a sum of two ("2 дм 5 см").
struct GivenValue {
  BoxQuantity quantity;
  std::vector<Amount> parts;
  std::string item;  // as written
};

// An edge given by another: edge = factor·from + offset, the offset signed.
struct EdgeLink {
  BoxQuantity edge;
  BoxQuantity from;
  Rational factor;
  std::optional<Amount> offset;
  bool offset_negative = false;
  std::string item;
};

enum class Shape { kAny, kSquareBase, kCube };

struct Problem {
  std::vector<GivenValue> given;
  std::vector<EdgeLink> links;
  Shape shape = Shape::kAny;
  std::vector<BoxQuantity> sought;  // empty: every quantity
  // Where something is sought: what the solution shows besides, under
  // "Още:", with the steps to it that the answer did not take.
  std::vector<BoxQuantity> also;
};

// What is wrong, and in which of the window's lines (1 on), 0 where the
// items are no text's lines.
struct NotationError {
  std::string message;
  std::size_t line = 0;

  bool operator==(const NotationError&) const = default;
};

// The words of the shapes, and the command line's options for them.
inline constexpr std::string_view kCubeWord = "куб";
inline constexpr std::string_view kSquareBaseWords = "квадратна основа";

// The items, one a string; numbers in the format or with ".".
std::variant<Problem, NotationError> ReadProblem(std::span<const std::string> items,
                                                 const NumberFormat& format = {});

// A text whose items stand on lines or between ";"; an error names its line.
std::variant<Problem, NotationError> ReadProblemText(std::string_view text,
                                                     const NumberFormat& format = {});

}  // namespace prism
