// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/answer_checker.h"

#include <gtest/gtest.h>

#include <string>

namespace prism {
namespace {

// Each answer as a pupil writes it to a task about one box, and what the
// checker makes of it: every form of a right answer, the roundings, the
// units, and each mistake of the tables.
TEST(CheckAnswer, ReadsEveryFormAndNamesTheMistake) {
  const std::array<ExactNumber, 3> box = {ExactNumber(3), ExactNumber(4), ExactNumber(Rational(25, 6))};
  const std::array<ExactNumber, 3> cube = {ExactNumber(3), ExactNumber(3), ExactNumber(3)};
  const std::array<ExactNumber, 3> whole = {ExactNumber(3), ExactNumber(4), ExactNumber(5)};
  struct Case {
    BoxQuantity asked;
    const std::array<ExactNumber, 3>* edges;
    const char* answer;
    Verdict verdict;
    const char* said = nullptr;  // where it matters
  };
  const Case cases[] = {
      // c = 25/6 = 4 1/6 ≈ 4,17: every right form.
      {BoxQuantity::kC, &box, "25/6", Verdict::kRight},
      {BoxQuantity::kC, &box, "4 1/6", Verdict::kRight},
      {BoxQuantity::kC, &box, "4,17", Verdict::kRight},
      {BoxQuantity::kC, &box, "4.17 см", Verdict::kRight},
      {BoxQuantity::kC, &box, " 4,17см ", Verdict::kRight},
      {BoxQuantity::kC, &box, "41,7 мм", Verdict::kRight},
      {BoxQuantity::kC, &box, "50/12", Verdict::kRight},
      // Digits grouped as Bulgarian writes them, and a mixed number beside.
      {BoxQuantity::kV, &whole, "60 000 мм³", Verdict::kRight},
      {BoxQuantity::kV, &whole, "60\u00A0000 мм³", Verdict::kRight},
      // Rounded otherwise: how to round, not wrong.
      {BoxQuantity::kC, &box, "4,2", Verdict::kRounding, "Почти: закръглете до стотни."},
      {BoxQuantity::kC, &box, "4,167", Verdict::kRounding, "Почти: закръглете до стотни."},
      {BoxQuantity::kC, &box, "4,16", Verdict::kRounding},
      // A unit of another measure.
      {BoxQuantity::kC, &box, "4,17 см²", Verdict::kWrongUnit,
       "Дължината се мери в линейни единици, например в см."},
      {BoxQuantity::kV, &whole, "60 см²", Verdict::kWrongUnit,
       "Обемът се мери в кубични единици, например в см³, или в литри."},
      {BoxQuantity::kS, &whole, "70 см³", Verdict::kWrongUnit},
      // A volume in litres is a volume.
      {BoxQuantity::kV, &whole, "0,06 л", Verdict::kRight},
      {BoxQuantity::kV, &whole, "60 мл", Verdict::kRight},
      {BoxQuantity::kV, &whole, "60", Verdict::kRight},
      // The mistakes, each named.
      {BoxQuantity::kS1, &whole, "70", Verdict::kMistake, "Това е околната повърхнина; пълната включва и двете основи."},
      {BoxQuantity::kS, &whole, "94", Verdict::kMistake, "Това е пълната повърхнина; околната е без двете основи."},
      {BoxQuantity::kS1, &whole, "47", Verdict::kMistake,
       "Всяка стена е преброена по веднъж, а срещуположните стени са по две."},
      {BoxQuantity::kS, &whole, "35", Verdict::kMistake,
       "Всяка стена е преброена по веднъж, а срещуположните стени са по две."},
      {BoxQuantity::kL, &whole, "24", Verdict::kMistake, "Ръбовете са 12, а не 6: всеки от a, b и c се среща по 4 пъти."},
      {BoxQuantity::kL, &whole, "12", Verdict::kMistake, "Това е сборът на три ръба; всеки от тях се среща по 4 пъти."},
      {BoxQuantity::kV, &box, "12 см³", Verdict::kMistake,
       "Това е лицето на основата; обемът е лицето на основата, умножено по височината."},
      {BoxQuantity::kA, &cube, "9", Verdict::kMistake,
       "Това е лицето на една стена; ръбът е числото, което, умножено по себе си, дава това лице."},
      {BoxQuantity::kBase, &whole, "14", Verdict::kMistake, "Това е периметърът на основата; лицето ѝ е a·b."},
      {BoxQuantity::kP, &whole, "7", Verdict::kMistake, "Това е половината от периметъра: страните на основата са четири."},
      // 9 for the cube's volume is both a + b + c and the base's area: the
      // first of the table is named.
      {BoxQuantity::kV, &cube, "9", Verdict::kMistake, "Това е сборът a + b + c; обемът е произведението a·b·c."},
      {BoxQuantity::kV, &box, "67/6", Verdict::kMistake, "Това е сборът a + b + c; обемът е произведението a·b·c."},
      // Units not turned into the task's.
      {BoxQuantity::kC, &whole, "50", Verdict::kMistake, "Мерните единици не са превърнати: 1 дм = 10 см, 1 см = 10 мм."},
      {BoxQuantity::kS, &whole, "7000", Verdict::kMistake,
       "Квадратните единици не са превърнати: 1 дм² = 100 см², 1 м² = 100 дм²."},
      {BoxQuantity::kV, &whole, "0,06", Verdict::kMistake, "Кубичните единици не са превърнати: 1 дм³ = 1000 см³ = 1 л."},
      {BoxQuantity::kV, &whole, "600", Verdict::kMistake, "Обемът се превръща с 1000, а не с 10: 1 дм³ = 1000 см³."},
      // Wrong, and what is no number.
      {BoxQuantity::kV, &whole, "61", Verdict::kWrong},
      {BoxQuantity::kV, &whole, "шейсет", Verdict::kUnreadable},
      {BoxQuantity::kV, &whole, "60 кг", Verdict::kUnreadable},
      {BoxQuantity::kV, &whole, "6/0", Verdict::kUnreadable},
      {BoxQuantity::kV, &whole, "", Verdict::kUnreadable},
  };
  for (const Case& c : cases) {
    const ExpectedAnswer expected{c.asked, *c.edges, LengthUnit::kCentimetre, 2};
    const AnswerCheck check = CheckAnswer(c.answer, expected);
    EXPECT_EQ(check.verdict, c.verdict) << "„" << c.answer << "“ for " << Info(c.asked).name << ": " << check.said;
    if (c.said != nullptr) {
      EXPECT_EQ(check.said, c.said) << c.answer;
    }
    // Never the answer itself in what a wrong one is told.
    if (c.verdict != Verdict::kRight) {
      EXPECT_EQ(check.said.find("4,17"), std::string::npos) << c.answer;
    }
  }
  // The places the task asks for decide: to tenths, 4,2 is right.
  EXPECT_EQ(CheckAnswer("4,2", {BoxQuantity::kC, box, LengthUnit::kCentimetre, 1}).verdict, Verdict::kRight);
  // The user's decimal separator, whatever it is.
  EXPECT_EQ(CheckAnswer("4٫17", {BoxQuantity::kC, box, LengthUnit::kCentimetre, 2}, {"٫", "", {}}).verdict,
            Verdict::kRight);
}

}  // namespace
}  // namespace prism
