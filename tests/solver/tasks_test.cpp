// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/tasks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <variant>
#include <string>

namespace prism {
namespace {

// Every kind, for every grade it is for, over many seeds: a word problem
// with no place left unfilled, nice numbers (whole in grade 5), solved by
// the engine to the value it was drawn from, that value's text checked
// right and the engine's answer line too; the same seed the same task.
TEST(Tasks, EveryKindIsSolvedToANiceAnswerTheCheckerTakes) {
  ASSERT_GE(TaskKindCount(), 12u);
  for (int grade : {5, 6, 7}) {
    std::set<std::string_view> kinds;
    for (std::size_t kind = 0; kind < TaskKindCount(); ++kind) {
      std::set<std::string> texts;
      for (std::uint64_t seed = 1; seed <= 25; ++seed) {
        const std::optional<Task> task = MakeTask(kind, grade, seed);
        if (!task) {
          ASSERT_EQ(seed, 1u) << "a kind is for a grade or not: kind " << kind << ", grade " << grade;
          break;
        }
        SCOPED_TRACE(task->text);
        kinds.insert(task->kind);
        texts.insert(task->text);
        EXPECT_LE(task->grade, grade);
        EXPECT_EQ(task->text.find('{'), std::string::npos);
        EXPECT_EQ(task->solution.outcome, ProblemOutcome::kSolved);
        const ExactNumber answer = AnswerValue(task->expected.quantity, task->expected.edges);
        EXPECT_LE(TerminatingDecimals(answer).value_or(99), 2);
        if (grade == 5) {
          for (const ExactNumber& edge : task->expected.edges) EXPECT_EQ(TerminatingDecimals(edge), std::optional<int>(0));
        }
        // The value as a pupil writes it, and the engine's answer line.
        const std::optional<RoundedDecimal> exact = RoundedToDecimals(answer, TerminatingDecimals(answer).value_or(0));
        ASSERT_TRUE(exact.has_value());
        EXPECT_EQ(CheckAnswer(exact->fixed, task->expected).verdict, Verdict::kRight) << exact->fixed;
        const std::string& last = task->solution.worked.lines.back();
        const std::string value = last.substr(last.find(" = ") + 3);
        EXPECT_EQ(CheckAnswer(value.substr(0, value.find(" = ")), task->expected).verdict, Verdict::kRight) << last;
        // The same seed, the same task.
        EXPECT_EQ(MakeTask(kind, grade, seed)->text, task->text);
      }
      if (!texts.empty()) {
        EXPECT_GE(texts.size(), 10u) << "variants of kind " << kind;
      }
    }
    EXPECT_GE(kinds.size(), grade == 5 ? 12u : TaskKindCount() - (grade == 6 ? 2 : 0));
  }
  // A worksheet: the tasks numbered, the key on a page of its own, and each
  // key line's data, solved again, giving its answer.
  const std::vector<Task> twelve = MakeTasks(6, 12, 2);
  const std::vector<std::string> sheet = WorksheetLines(twelve);
  const auto key = std::find(sheet.begin(), sheet.end(), "Отговори");
  ASSERT_NE(key, sheet.end());
  EXPECT_EQ(*(key - 1), kPageBreak);
  ASSERT_EQ(sheet.end() - key, 13);
  for (std::size_t i = 0; i < twelve.size(); ++i) {
    const std::string number = std::to_string(i + 1) + ". ";
    EXPECT_NE(std::find(sheet.begin(), key, number + twelve[i].text), key) << number;
    const std::string& line = key[static_cast<std::ptrdiff_t>(i) + 1];
    ASSERT_TRUE(line.starts_with(number)) << line;
    const std::size_t arrow = line.find(" → ");
    ASSERT_NE(arrow, std::string::npos) << line;
    std::vector<std::string> items;
    for (std::size_t start = number.size(), end; start < arrow; start = end + 2) {
      end = std::min(line.find("; ", start), arrow);
      items.push_back(line.substr(start, end - start));
    }
    const auto read = ReadProblem(items);
    ASSERT_TRUE(std::holds_alternative<Problem>(read)) << line;
    const ProblemSolution again = SolveProblem(std::get<Problem>(read), {}, twelve[i].expected.unit);
    EXPECT_EQ(line.substr(arrow + std::string_view(" → ").size()), again.worked.lines.back()) << line;
  }
  // A class's set: the kinds in turn.
  const std::vector<Task> set = MakeTasks(5, 20, 7);
  ASSERT_EQ(set.size(), 20u);
  EXPECT_NE(set[0].kind, set[1].kind);
  EXPECT_EQ(MakeTasks(5, 20, 7)[19].text, set[19].text);
}

}  // namespace
}  // namespace prism
