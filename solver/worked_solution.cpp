// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/worked_solution.h"

#include <utility>

#include "solver/box_engine.h"

namespace prism {

std::string JoinedWithAnd(const std::vector<std::string_view>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " и " : ", ";
    text += names[i];
  }
  return text;
}

std::variant<SolveRequest, ArgumentError> ReadGivenQuantities(
    const std::vector<std::string>& arguments, const NumberFormat& format) {
  SolveRequest request;
  KnownMarks marks{};
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (i == 3) return ArgumentError{argument, "one more than the three quantities a box is given by"};
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) {
      return ArgumentError{argument, "write a quantity as letter=value, as in a=3"};
    }
    const std::string_view letter = std::string_view(argument).substr(0, equals);
    std::optional<Quantity> quantity;
    for (Quantity q : kAllQuantities) {
      if (QuantityCaption(q) == letter) quantity = q;
    }
    if (!quantity) return ArgumentError{argument, "no quantity of that name (a, b, c, S or V)"};
    if (marks[Index(*quantity)] == 1) {
      return ArgumentError{argument, std::string(letter) + " is given twice"};
    }
    marks[Index(*quantity)] = 1;
    request.texts[Index(*quantity)] = argument.substr(equals + 1);
    KnownMarks just_this{};
    just_this[Index(*quantity)] = 1;
    if (const std::optional<InvalidKnown> invalid = FirstInvalidKnown(request.texts, just_this, format)) {
      // What the window's hints say, for the same values.
      const char* why = invalid->why == Invalidity::kTooLarge   ? "is too large for the computer"
                        : invalid->why == Invalidity::kTooSmall ? "is too close to zero for the computer"
                                                                : "is not a positive number";
      std::string message(1, '\'');
      message += std::string_view(argument).substr(equals + 1);
      message += "' ";
      message += why;
      return ArgumentError{argument, message};
    }
  }
  if (arguments.size() < 3) {
    return ArgumentError{"", "three quantities are needed (as in a=3 b=4 V=50), " +
                                 std::to_string(arguments.size()) + " given"};
  }
  for (std::size_t row = 0; row < kCombinationCount; ++row) {
    bool all = true;
    for (Quantity q : kCombinationTable[row].known) all = all && marks[Index(q)] == 1;
    if (all) request.row = static_cast<int>(row);
  }
  return request;
}

std::optional<WorkedSolution> SolveWorked(int row, const FieldTexts& texts,
                                          const NumberFormat& format, LengthUnit unit,
                                          SolutionStyle style) {
  const Combination* combination = FindCombination(row);
  if (combination == nullptr) return std::nullopt;
  KnownMarks marks{};
  for (Quantity q : combination->known) marks[Index(q)] = 1;
  return SolveWorked(row, texts, Solve(row, texts, marks, format), format, unit, style);
}

std::optional<WorkedSolution> SolveWorked(int row, const FieldTexts& texts,
                                          const SolveResult& solved, const NumberFormat& format,
                                          LengthUnit unit, SolutionStyle style) {
  const Combination* combination = FindCombination(row);
  if (combination == nullptr || solved.outcome == SolveOutcome::kRejected) return std::nullopt;
  // The row is a problem like any other: its three values given as typed,
  // its two sought, and the total surface and the diagonal besides.
  Problem problem;
  for (Quantity q : combination->known) {
    const std::string& text = texts[Index(q)];
    Amount amount{solved.exact[q], TypedNumberText(text, format).value_or(text), std::nullopt};
    problem.given.push_back({ToBoxQuantity(q), {std::move(amount)}, std::string(QuantityCaption(q)) + " = " + text});
  }
  for (Quantity q : combination->computed) problem.sought.push_back(ToBoxQuantity(q));
  problem.also = {BoxQuantity::kS1, BoxQuantity::kD};
  ProblemSolution solution = SolveProblem(problem, format, unit, style);
  // The exact values the fields show are the engine's; where the fields'
  // doubles have no finite result the engine has said why.
  solution.worked.box = solution.worked.box && solved.outcome == SolveOutcome::kSolved;
  if (solution.outcome == ProblemOutcome::kMissing) solution.worked.lines.push_back(solution.missing);
  return std::move(solution.worked);
}

}  // namespace prism
