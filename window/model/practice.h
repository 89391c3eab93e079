// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Practice with school tasks: one task at a time, the pupil's answer
// checked, the solution's steps given one at a time as hints or all at
// once, and a score over the last ten tasks that one slip does not reset.
// An answer given after the whole solution was shown is checked but not
// counted.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "solver/answer_checker.h"
#include "solver/tasks.h"

namespace prism {

inline constexpr std::size_t kScoredTasks = 10;

class Practice {
 public:
  // Tasks for the grade, of one kind or of every kind in turn, from the seed.
  Practice(int grade, std::optional<std::size_t> kind, std::uint64_t seed);

  const Task& task() const { return task_; }

  // The answer checked; a right one finishes the task, counted as solved
  // unless the whole solution was shown first.
  AnswerCheck Answer(std::string_view text, const NumberFormat& format = {});

  // One more step of the solution, while there is one; all of it after.
  void Hint();
  void ShowSolution();
  // The solution's lines the pupil has been shown.
  std::vector<std::string> ShownSolution() const;
  bool WholeSolutionShown() const { return whole_shown_; }

  // The next task; one left unsolved counts as not solved.
  void Next();

  // "Резултат: 7 от последните 10", "Резултат: 2 от 3"; "" before any.
  std::string ScoreText() const;
  std::size_t solved_of_last() const;
  std::size_t finished() const { return last_.size(); }

 private:
  void Make();
  void Finish(bool solved);
  std::vector<std::string> Steps() const;

  int grade_;
  std::optional<std::size_t> kind_;
  std::uint64_t seed_;
  std::size_t made_ = 0;
  Task task_;
  std::size_t hints_ = 0;
  bool whole_shown_ = false;
  bool finished_ = false;
  std::deque<bool> last_;  // the last tasks, solved or not, oldest first
};

}  // namespace prism
