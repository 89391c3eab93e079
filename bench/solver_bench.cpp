// SPDX-License-Identifier: GPL-3.0-or-later
// One press of the calculate button without the window: solve a typical row
// and write the five values as field texts.

#include <benchmark/benchmark.h>

#include "solver/field_number.h"
#include "solver/solver.h"

namespace prism {
namespace {

void SolveAndFormat(benchmark::State& state, const NumberFormat& format) {
  const FieldTexts texts = {"3.25", "", "5", "70.5", ""};
  const KnownMarks marks = {1, 0, 1, 1, 0};
  for (auto _ : state) {
    const SolveResult result = Solve(4, texts, marks, format);
    for (double value : result.values.values) {
      std::string text = FormatFieldNumber(value, format);
      benchmark::DoNotOptimize(text);
    }
  }
}

void BM_SolveAndFormatPlain(benchmark::State& state) { SolveAndFormat(state, NumberFormat{}); }
void BM_SolveAndFormatGrouped(benchmark::State& state) {
  SolveAndFormat(state, NumberFormat{",", ".", {3, 3}});
}

BENCHMARK(BM_SolveAndFormatPlain);
BENCHMARK(BM_SolveAndFormatGrouped);

}  // namespace
}  // namespace prism
