// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a problem as the pupil writes it, and solving what reads: never
// crashes; a wrong item is named, on a line the text has; a problem read
// is solved, refused with a reason, or told what it lacks; where the box is
// found exactly, it gives back every value given.

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "solver/box_engine.h"
#include "solver/notation.h"
#include "tests/fuzz/formats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const prism::NumberFormat& format = prism::fuzz::FormatFor(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto read = prism::ReadProblemText(text, format);
  if (const auto* error = std::get_if<prism::NotationError>(&read)) {
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (error->line < 1 || error->line > lines || !error->message.starts_with("„")) std::abort();
    return 0;
  }
  const prism::Problem& problem = std::get<prism::Problem>(read);
  // Values of thousands of digits make a solve slow, not wrong.
  if (text.size() > 160) return 0;
  const prism::ProblemSolution solution = prism::SolveProblem(problem, format);
  switch (solution.outcome) {
    case prism::ProblemOutcome::kMissing:
      if (solution.missing.empty()) std::abort();
      break;
    case prism::ProblemOutcome::kSolved:
      if (std::find(solution.worked.lines.begin(), solution.worked.lines.end(), "Отговор:") ==
          solution.worked.lines.end()) {
        std::abort();
      }
      break;
    case prism::ProblemOutcome::kNoBox:
    case prism::ProblemOutcome::kContradiction:
      // The answer says there is no box, or that a value is beyond the
      // program's numbers.
      if (solution.worked.lines.empty() ||
          (solution.worked.lines.back() != "Отговор: Няма правоъгълен паралелепипед с такива размери." &&
           solution.worked.lines.back() != "Отговор: Няма отговор.")) {
        std::abort();
      }
      break;
  }
  return 0;
}
