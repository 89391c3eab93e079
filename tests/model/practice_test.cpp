// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/model/practice.h"

#include <gtest/gtest.h>

#include <string>

namespace prism {
namespace {

// The value of the task as a pupil writes it.
std::string RightAnswer(const Practice& practice) {
  const ExactNumber value = AnswerValue(practice.task().expected.quantity, practice.task().expected.edges);
  return RoundedToDecimals(value, TerminatingDecimals(value).value_or(2))->fixed;
}

// A pupil's session: a wrong answer, hints step by step, a right answer, a
// task whose whole solution was shown first, and the score over the last
// ten tasks, which one slip lowers by one and does not reset.
TEST(Practice, HintsStepByStepAndAScoreOverTheLastTen) {
  Practice practice(5, 0, 1);
  EXPECT_EQ(practice.ScoreText(), "");
  EXPECT_EQ(practice.task().kind, "Обем от трите ръба");
  EXPECT_EQ(practice.Answer("1").verdict, Verdict::kWrong);
  EXPECT_TRUE(practice.ShownSolution().empty());
  practice.Hint();
  ASSERT_EQ(practice.ShownSolution().size(), 1u);
  EXPECT_TRUE(practice.ShownSolution().front().starts_with("B = a·b")) << practice.ShownSolution().front();
  practice.Hint();
  EXPECT_EQ(practice.ShownSolution().size(), 2u);
  EXPECT_FALSE(practice.WholeSolutionShown());
  EXPECT_EQ(practice.Answer(RightAnswer(practice)).verdict, Verdict::kRight) << "hints do not take a task away";
  EXPECT_EQ(practice.ScoreText(), "Резултат: 1 от 1");
  EXPECT_EQ(practice.Answer(RightAnswer(practice)).verdict, Verdict::kRight);
  EXPECT_EQ(practice.finished(), 1u) << "a task counts once";

  // The whole solution, then the answer: checked, not counted.
  practice.Next();
  for (int i = 0; i < 20 && !practice.WholeSolutionShown(); ++i) practice.Hint();
  EXPECT_TRUE(practice.WholeSolutionShown()) << "the hints end in the whole solution";
  EXPECT_EQ(practice.ShownSolution(), practice.task().solution.worked.lines);
  const AnswerCheck late = practice.Answer(RightAnswer(practice));
  EXPECT_EQ(late.verdict, Verdict::kRight);
  EXPECT_TRUE(late.said.ends_with("не се брои.")) << late.said;
  practice.Next();
  EXPECT_EQ(practice.ScoreText(), "Резултат: 1 от 2");

  // Ten solved, then one left: nine of the last ten, not a streak of 0.
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(practice.Answer(RightAnswer(practice)).verdict, Verdict::kRight) << practice.task().text;
    practice.Next();
  }
  EXPECT_EQ(practice.ScoreText(), "Резултат: 10 от последните 10");
  practice.Next();
  EXPECT_EQ(practice.ScoreText(), "Резултат: 9 от последните 10");

  // One kind chosen: every task of it.
  Practice cubes(5, 4, 3);
  for (int i = 0; i < 5; ++i, cubes.Next()) EXPECT_EQ(cubes.task().kind, "Куб: ръб от пълната повърхнина");
  // A kind for a later grade: the kinds in turn instead.
  Practice later(5, TaskKindCount() - 1, 3);
  EXPECT_EQ(later.task().grade, 5);
}

}  // namespace
}  // namespace prism
