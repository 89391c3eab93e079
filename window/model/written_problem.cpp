// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/model/written_problem.h"

#include "solver/box_engine.h"
#include "solver/notation.h"

namespace prism {

ShownSolution WrittenProblemSolution(std::string_view text, const NumberFormat& format,
                                     std::optional<LengthUnit> unit, SolutionStyle style) {
  if (text.find_first_not_of(" \t\r\n;") == std::string_view::npos) {
    return SolutionPrompt{std::string(kProblemPrompt), false};
  }
  const auto read = ReadProblemText(text, format);
  if (const auto* error = std::get_if<NotationError>(&read)) {
    return SolutionPrompt{"Ред " + std::to_string(error->line) + ": " + error->message, true};
  }
  ProblemSolution solved = SolveProblem(std::get<Problem>(read), format, unit, style);
  if (solved.outcome == ProblemOutcome::kMissing) return SolutionPrompt{solved.missing, true};
  return std::move(solved.worked);
}

}  // namespace prism
