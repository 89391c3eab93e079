// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/model/practice.h"

#include <algorithm>

#include "solver/worked_solution.h"

namespace prism {

Practice::Practice(int grade, std::optional<std::size_t> kind, std::uint64_t seed)
    : grade_(grade), kind_(kind), seed_(seed) {
  Make();
}

void Practice::Make() {
  // The kinds in turn, or the one chosen; a kind for a later grade is
  // passed over.
  for (;; ++made_) {
    const std::size_t kind = kind_.value_or(made_ % TaskKindCount());
    if (std::optional<Task> task = MakeTask(kind, grade_, seed_ + made_ / TaskKindCount())) {
      task_ = std::move(*task);
      ++made_;
      break;
    }
    if (kind_) {
      // A chosen kind not for this grade: the first kind instead.
      kind_.reset();
    }
  }
  hints_ = 0;
  whole_shown_ = false;
  finished_ = false;
}

AnswerCheck Practice::Answer(std::string_view text, const NumberFormat& format) {
  AnswerCheck check = CheckAnswer(text, task_.expected, format);
  if (whole_shown_ && check.verdict != Verdict::kUnreadable) {
    check.said += " Решението беше показано, затова този отговор не се брои.";
    return check;
  }
  if (check.verdict == Verdict::kRight && !finished_) Finish(true);
  return check;
}

void Practice::Finish(bool solved) {
  finished_ = true;
  last_.push_back(solved);
  if (last_.size() > kScoredTasks) last_.pop_front();
}

std::vector<std::string> Practice::Steps() const {
  const std::vector<std::string>& lines = task_.solution.worked.lines;
  const auto start = std::find(lines.begin(), lines.end(), Heading(SolutionPart::kSteps));
  const auto answer = std::find(lines.begin(), lines.end(), Heading(SolutionPart::kAnswer));
  if (start == lines.end()) return {};
  return {start + 1, answer};
}

void Practice::Hint() {
  const std::size_t steps = Steps().size();
  if (hints_ < steps) {
    ++hints_;
  } else {
    ShowSolution();
  }
}

void Practice::ShowSolution() { whole_shown_ = true; }

std::vector<std::string> Practice::ShownSolution() const {
  if (whole_shown_) return task_.solution.worked.lines;
  const std::vector<std::string> steps = Steps();
  return {steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(std::min(hints_, steps.size()))};
}

void Practice::Next() {
  if (!finished_) Finish(false);
  Make();
}

std::size_t Practice::solved_of_last() const {
  return static_cast<std::size_t>(std::count(last_.begin(), last_.end(), true));
}

std::string Practice::ScoreText() const {
  if (last_.empty()) return "";
  const std::string of = last_.size() < kScoredTasks ? " от " : " от последните ";
  return "Резултат: " + std::to_string(solved_of_last()) + of + std::to_string(last_.size());
}

}  // namespace prism
