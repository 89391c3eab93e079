// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// School tasks about the box and the cube, as a textbook words them, with
// nice numbers: drawn backwards from whole or short edges, each solved by
// the engine before it is given, so that its answer is whole or has at most
// two decimals. By kind and grade; the same seed gives the same tasks on
// every computer.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "solver/answer_checker.h"
#include "solver/box_engine.h"

namespace prism {

struct Task {
  std::string_view kind;           // "Куб: ръб от пълната повърхнина"
  int grade = 5;                   // the first grade it is for
  std::string text;                // the word problem
  std::vector<std::string> items;  // its data in the notation, what is sought last
  ExpectedAnswer expected;         // what the answer is checked against
  ProblemSolution solution;        // the engine's, for hints and the key
};

// The number of kinds of task.
std::size_t TaskKindCount();

// A task of that kind for that grade, from the seed; nullopt where the kind
// is for a later grade.
std::optional<Task> MakeTask(std::size_t kind, int grade, std::uint64_t seed);

// count tasks for the grade, the kinds given (every kind where none is) in
// turn, from the seed.
std::vector<Task> MakeTasks(int grade, std::size_t count, std::uint64_t seed,
                            const std::vector<std::size_t>& kinds = {});

// A worksheet for a class: the tasks numbered ("1. …"), each with room to
// work under it, then on a page of its own "Отговори" and a key line per
// task, its data in the notation and its answer, which `--solve` checks:
// "1. a = 7 см; b = 37 см; c = 3 см; V = ? → V = 777 см³".
std::vector<std::string> WorksheetLines(const std::vector<Task>& tasks);

}  // namespace prism
