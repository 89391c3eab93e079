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

std::string ArgumentFaultMessage(const ArgumentError& error) {
  std::string text(kArgumentFaultTexts[static_cast<std::size_t>(error.fault)]);
  if (const std::size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, error.detail);
  return text;
}

std::variant<SolveRequest, ArgumentError> ReadGivenQuantities(
    const std::vector<std::string>& arguments, const NumberFormat& format) {
  SolveRequest request;
  KnownMarks marks{};
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (i == 3) return ArgumentError{argument, ArgumentFault::kOneMore, ""};
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) return ArgumentError{argument, ArgumentFault::kNoEquals, ""};
    const std::string_view letter = std::string_view(argument).substr(0, equals);
    std::optional<Quantity> quantity;
    for (Quantity q : kAllQuantities) {
      if (QuantityCaption(q) == letter) quantity = q;
    }
    if (!quantity) return ArgumentError{argument, ArgumentFault::kNoQuantity, ""};
    if (marks[Index(*quantity)] == 1) return ArgumentError{argument, ArgumentFault::kTwice, std::string(letter)};
    marks[Index(*quantity)] = 1;
    request.texts[Index(*quantity)] = argument.substr(equals + 1);
    KnownMarks just_this{};
    just_this[Index(*quantity)] = 1;
    if (const std::optional<InvalidKnown> invalid = FirstInvalidKnown(request.texts, just_this, format)) {
      // What the window's hints say, for the same values.
      const ArgumentFault fault = invalid->why == Invalidity::kTooLarge   ? ArgumentFault::kTooLarge
                                  : invalid->why == Invalidity::kTooSmall ? ArgumentFault::kTooSmall
                                                                          : ArgumentFault::kNotPositive;
      return ArgumentError{argument, fault, argument.substr(equals + 1)};
    }
  }
  if (arguments.size() < 3) return ArgumentError{"", ArgumentFault::kTooFew, std::to_string(arguments.size())};
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
