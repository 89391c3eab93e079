// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Any school problem about the box, solved as a pupil solves it: from the
// box's relations, P = 2·(a + b), B = a·b, S = P·c, S₁ = S + 2·B, V = B·c,
// d² = a² + b² + c², L = 4·(a + b + c), and the edges the problem links,
// one step at a time, each solving a relation for the one value it does
// not know; where that stops, an equation in one edge (a sum and a product
// give a quadratic, a sum, the pairwise products and the product a cubic).
// Exactly, in fractions and square roots; every value given checked.

#include <array>
#include <optional>
#include <string>

#include "solver/field_number.h"
#include "solver/length_unit.h"
#include "solver/notation.h"
#include "solver/solution_style.h"
#include "solver/worked_solution.h"

namespace prism {

enum class ProblemOutcome {
  kSolved,         // what is sought is found, and every value given agrees
  kNoBox,          // the data describe no box: the text says why
  kContradiction,  // a value given disagrees with the others: the text says which
  kMissing,        // the data do not fix what is sought: missing says what to add
};

struct ProblemSolution {
  ProblemOutcome outcome = ProblemOutcome::kMissing;
  WorkedSolution worked;  // the whole text; a box where all three edges are found
  std::string missing;    // "Липсва още една величина, например c."
  // Every quantity found or given, in the problem's unit; no value where
  // it is not known. Where approximate, an edge is a root found to the
  // doubles' precision, and so is what follows from it.
  std::array<ExactNumber, kBoxQuantityCount> values;
  bool approximate = false;
};

// The problem solved, its lengths in the unit given, else in the unit of
// its first length, else of its first value.
ProblemSolution SolveProblem(const Problem& problem, const NumberFormat& format = {},
                             std::optional<LengthUnit> unit = std::nullopt, SolutionStyle style = {});

}  // namespace prism
