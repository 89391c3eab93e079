// SPDX-License-Identifier: GPL-3.0-or-later
// One press of the calculate button without the window: solve a row and
// write the five values as field texts.

#include <benchmark/benchmark.h>

#include "solver/box_engine.h"
#include "solver/field_number.h"
#include "solver/notation.h"
#include "solver/solver.h"
#include "solver/worked_solution.h"

namespace prism {
namespace {

struct Press {
  int row;
  FieldTexts texts;
};

// A typical row; the rows whose divisor or radicand is a difference, away
// from zero and at it (a square base, where the exact values decide).
constexpr std::array<Press, 4> kPresses = {{
    {4, {"3.25", "", "5", "70.5", ""}},
    {3, {"3.25", "", "", "70.5", "60.2"}},
    {9, {"", "", "5", "70.5", "60.2"}},
    {9, {"", "", "1", "2.8", "0.49"}},
}};

KnownMarks MarksOf(const FieldTexts& texts) {
  KnownMarks marks{};
  for (std::size_t i = 0; i < texts.size(); ++i) marks[i] = texts[i].empty() ? 0 : 1;
  return marks;
}

// The doubles, written as the doubles round.
void SolveAndFormat(benchmark::State& state, const NumberFormat& format) {
  const Press& press = kPresses[static_cast<std::size_t>(state.range(0))];
  const KnownMarks marks = MarksOf(press.texts);
  for (auto _ : state) {
    const SolveResult result = Solve(press.row, press.texts, marks, format);
    for (double value : result.values.values) {
      std::string text = FormatFieldNumber(value, format);
      benchmark::DoNotOptimize(text);
    }
  }
}

// What the window does: the doubles and the exact values, and the fields
// written from the exact values.
void SolveExactly(benchmark::State& state) {
  const Press& press = kPresses[static_cast<std::size_t>(state.range(0))];
  const KnownMarks marks = MarksOf(press.texts);
  for (auto _ : state) {
    const SolveResult result = Solve(press.row, press.texts, marks);
    for (Quantity q : kAllQuantities) {
      std::string text = FieldText(result.values[q], result.exact[q]);
      benchmark::DoNotOptimize(text);
    }
  }
}

void BM_SolveAndFormatPlain(benchmark::State& state) { SolveAndFormat(state, NumberFormat{}); }
void BM_SolveAndFormatGrouped(benchmark::State& state) {
  SolveAndFormat(state, NumberFormat{",", ".", {3, 3}});
}

BENCHMARK(BM_SolveAndFormatPlain)->DenseRange(0, kPresses.size() - 1);
BENCHMARK(BM_SolveAndFormatGrouped)->Arg(0);
BENCHMARK(SolveExactly)->DenseRange(0, kPresses.size() - 1);

// The worked solution of a press, every line with its numbers: what F2 and
// the command line write.
void BM_SolveWorked(benchmark::State& state) {
  const Press& press = kPresses[static_cast<std::size_t>(state.range(0))];
  for (auto _ : state) {
    std::optional<WorkedSolution> solution = SolveWorked(press.row, press.texts);
    benchmark::DoNotOptimize(solution);
  }
}
BENCHMARK(BM_SolveWorked)->DenseRange(0, kPresses.size() - 1);

// A problem as the pupil writes it, read and solved with its whole text:
// what the window "Задача" does at each keystroke. A step at a time; the
// cube's root; a quadratic in one edge; two edges by a resultant; the cubic.
constexpr std::array<std::string_view, 5> kProblems = {
    "a = 3 дм; b = 2 дм 5 см; c = 2 дм; V = ?",
    "куб; S₁ = 54 см²; V = ?",
    "c = 5 см; S = 70 см²; V = 60 см³",
    "a = 3; S = 70; V = 60",
    "L = 48; S1 = 94; V = 60",
};

void BM_SolveProblem(benchmark::State& state) {
  const std::string_view text = kProblems[static_cast<std::size_t>(state.range(0))];
  for (auto _ : state) {
    const auto read = ReadProblemText(text);
    ProblemSolution solution = SolveProblem(std::get<Problem>(read));
    benchmark::DoNotOptimize(solution);
  }
}
BENCHMARK(BM_SolveProblem)->DenseRange(0, kProblems.size() - 1);

}  // namespace
}  // namespace prism
