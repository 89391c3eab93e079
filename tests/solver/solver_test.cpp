// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/solver.h"
#include "solver/worked_solution.h"
#include "tests/exact_rounding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <sstream>
#include <variant>
#include <random>
#include <regex>
#include <utility>
#include <vector>
#include <string>

namespace prism {
namespace {

// Field texts with the row's known fields filled in ascending quantity order
// and the row's marks set, as the window hands them over.
struct Input {
  FieldTexts texts;
  KnownMarks marks{};
};

Input ForRow(int row, std::initializer_list<const char*> known_texts) {
  Input input;
  auto text = known_texts.begin();
  for (Quantity q : kCombinationTable[static_cast<std::size_t>(row)].known) {
    input.texts[Index(q)] = *text++;
    input.marks[Index(q)] = 1;
  }
  return input;
}

using PrismFields = std::array<std::string, kQuantityCount>;

struct WorkedCase {
  int row;
  std::initializer_list<const char*> known;
  PrismValues expected;  // a, b, c, S, V
};

// The solution written for grade 7 and rounded as the fields are: the
// texts that do not change with the pupil's grade.
constexpr SolutionStyle kAsTheFields{7, kDecimals};

TEST(Solve, EveryRowSolvesTheWorkedBox) {
  const WorkedCase cases[] = {
      {0, {"3", "4", "5"}, {{3, 4, 5, 70, 60}}},
      {1, {"3", "4", "70"}, {{3, 4, 5, 70, 60}}},
      {2, {"3", "4", "60"}, {{3, 4, 5, 70, 60}}},
      {3, {"3", "70", "60"}, {{3, 4, 5, 70, 60}}},
      {4, {"3", "5", "70"}, {{3, 4, 5, 70, 60}}},
      {5, {"3", "5", "60"}, {{3, 4, 5, 70, 60}}},
      {6, {"4", "5", "70"}, {{3, 4, 5, 70, 60}}},
      {7, {"4", "5", "60"}, {{3, 4, 5, 70, 60}}},
      {8, {"4", "70", "60"}, {{3, 4, 5, 70, 60}}},
      {9, {"5", "70", "60"}, {{3, 4, 5, 70, 60}}},
      // Zero radicand: a square base, also where the doubles make it negative.
      {9, {"1", "4", "1"}, {{1, 1, 1, 4, 1}}},
      {9, {"1", "2.8", "0.49"}, {{0.7, 0.49 / 0.7, 1, 2.8, 0.49}}},
      // Results are not validated: a negative side and volume are shown.
      {4, {"10", "1", "4"}, {{10, -8, 1, 4, -80}}},
      {3, {"1", "1", "1"}, {{1, -2, -0.5, 1, 1}}},
      // Blanks, no-break spaces among them, around and inside a number.
      {0, {" 3 ", "4\u00A0", "\u202F5\t"}, {{3, 4, 5, 70, 60}}},
  };
  for (const WorkedCase& c : cases) {
    const Input input = ForRow(c.row, c.known);
    const SolveResult result = Solve(c.row, input.texts, input.marks);
    ASSERT_EQ(result.outcome, SolveOutcome::kSolved) << "row " << c.row;
    for (Quantity q : kAllQuantities) {
      EXPECT_EQ(result.values[q], c.expected[q]) << "row " << c.row << ' ' << QuantityCaption(q);
    }
  }
}

// Expected bits computed apart from this program, with exact fractions rounded
// to the nearest double after every operation of the row's formula. The
// alternative column is what the same formula gives with another grouping, so
// each case fails if the grouping is changed.
struct BitCase {
  int row;
  std::initializer_list<const char*> known;
  Quantity first;
  double first_bits;
  Quantity second;
  double second_bits;
  double regrouped_first_bits;
};

TEST(Solve, GroupingFixesTheLastBit) {
  const BitCase cases[] = {
      // S = 2((ac)+(bc)); (2c)(a+b) gives ...0bp-3.
      {0, {"0.1", "0.2", "0.3"}, Quantity::kS, 0x1.70a3d70a3d70ap-3, Quantity::kV,
       0x1.89374bc6a7efbp-8, 0x1.70a3d70a3d70bp-3},
      {0, {"0.1", "0.2", "0.7"}, Quantity::kS, 0x1.ae147ae147ae0p-2, Quantity::kV,
       0x1.cac083126e97ap-7, 0x1.ae147ae147ae2p-2},
      // c = V/(ab); (V/a)/b gives exactly 10.
      {2, {"0.1", "0.1", "0.1"}, Quantity::kC, 0x1.3ffffffffffffp+3, Quantity::kS,
       0x1.fffffffffffffp+1, 0x1.4000000000000p+3},
      // b = ((2V)a)/((aS)-(2V)); (2V)(a/((aS)-(2V))) gives ...14p-3.
      {3, {"0.1", "3.3", "0.1"}, Quantity::kB, 0x1.3b13b13b13b15p-3, Quantity::kC,
       0x1.9fffffffffffep+2, 0x1.3b13b13b13b14p-3},
      {3, {"0.1", "7.1", "0.1"}, Quantity::kB, 0x1.4141414141415p-5, Quantity::kC,
       0x1.97fffffffffffp+4, 0x1.4141414141414p-5},
  };
  for (const BitCase& c : cases) {
    const Input input = ForRow(c.row, c.known);
    const SolveResult result = Solve(c.row, input.texts, input.marks);
    ASSERT_EQ(result.outcome, SolveOutcome::kSolved);
    EXPECT_EQ(result.values[c.first], c.first_bits) << "row " << c.row;
    EXPECT_EQ(result.values[c.second], c.second_bits) << "row " << c.row;
    EXPECT_NE(result.values[c.first], c.regrouped_first_bits);
  }
}

TEST(Solve, RejectsMarkedFieldsThatAreNoPositiveFiniteNumber) {
  for (const char* bad : {"0", "-2", "abc", " ", "", "-", "0.0000000", "1e999", "1e-999", "-1e999",
                          "3,5", "12abc", "2e"}) {
    for (Quantity q : {Quantity::kA, Quantity::kB, Quantity::kC}) {
      Input input = ForRow(0, {"3", "4", "5"});
      input.texts[Index(q)] = bad;
      EXPECT_FALSE(ValidateKnown(input.texts, input.marks)) << '"' << bad << '"';
      EXPECT_EQ(Solve(0, input.texts, input.marks).outcome, SolveOutcome::kRejected)
          << '"' << bad << "\" in " << QuantityCaption(q);
    }
  }
}

TEST(Solve, IgnoresUnmarkedFields) {
  Input input = ForRow(0, {"3", "4", "5"});
  input.texts[Index(Quantity::kS)] = "abc";
  input.texts[Index(Quantity::kV)] = "1e999";
  EXPECT_TRUE(ValidateKnown(input.texts, input.marks));
  const SolveResult result = Solve(0, input.texts, input.marks);
  ASSERT_EQ(result.outcome, SolveOutcome::kSolved);
  EXPECT_EQ(result.values[Quantity::kS], 70.0);
}

TEST(Solve, MarkCountsOnlyWhenExactlyOne) {
  Input input = ForRow(0, {"3", "4", "5"});
  input.texts[Index(Quantity::kS)] = "abc";
  for (int mark : {0, 2, -1, 255}) {
    input.marks[Index(Quantity::kS)] = mark;
    EXPECT_TRUE(ValidateKnown(input.texts, input.marks)) << mark;
  }
  input.marks[Index(Quantity::kS)] = 1;
  EXPECT_FALSE(ValidateKnown(input.texts, input.marks));
}

TEST(Solve, RejectsRowsOutsideTheTable) {
  const Input input = ForRow(0, {"3", "4", "5"});
  for (int row : {-32768, -1, 10, 32767}) {
    EXPECT_EQ(Solve(row, input.texts, input.marks).outcome,
              SolveOutcome::kRejected)
        << row;
  }
}

TEST(Solve, ReportsWhenTheFormulasHaveNoFiniteResult) {
  struct Case {
    int row;
    std::initializer_list<const char*> known;
    const char* why;
  };
  const Case cases[] = {
      {3, {"1", "2", "1"}, "a*S = 2*V divides by zero"},
      // Exactly a*S = 2*V, which the doubles miss: 0.7*2.8 - 2*0.98 = 2^-52.
      {3, {"0.7", "2.8", "0.98"}, "a*S = 2*V exactly"},
      {8, {"0.7", "2.8", "0.98"}, "b*S = 2*V exactly"},
      // The exact radicand is -4e-15, which the doubles make 0.
      {9, {"1", "9.4", "5.522500000000001"}, "exactly negative radicand"},
      {8, {"1", "2", "1"}, "b*S = 2*V divides by zero"},
      {9, {"1", "2", "1"}, "negative radicand"},
      {0, {"1e200", "1e200", "1e200"}, "overflow"},
      {2, {"1e-200", "1e-200", "1"}, "a*b underflows to zero"},
      {5, {"1e-200", "1e-200", "1"}, "a*c underflows to zero"},
      {7, {"1e-200", "1e-200", "1"}, "b*c underflows to zero"},
  };
  for (const Case& c : cases) {
    const Input input = ForRow(c.row, c.known);
    const SolveResult result = Solve(c.row, input.texts, input.marks);
    EXPECT_EQ(result.outcome, SolveOutcome::kNoFiniteResult) << c.why;
  }
  // A known field left unmarked is not validated: the doubles have no value
  // for "-1e1616", though the exact values make a box of sorts of it.
  Input unmarked = ForRow(2, {"-2200", "-1e1616", "1"});
  unmarked.marks = {0, 0, 0, 0, 1};
  EXPECT_EQ(Solve(2, unmarked.texts, unmarked.marks).outcome, SolveOutcome::kNoFiniteResult);
}

// Where the doubles cancel, overflow or divide by a zero the exact values do
// not, the fields still show the box the values describe: its exact values'
// roundings, and the doubles behind them are finite.
TEST(Solve, ShowsTheExactBoxWhereTheDoublesFail) {
  struct Case {
    int row;
    std::initializer_list<const char*> known;
    PrismFields fields;  // a, b, c, S, V as the fields show them
  };
  const Case cases[] = {
      // The doubles' t − √(t² − 4·V/c) cancels for a thin side.
      {9, {"0.5", "1234567", "0.12345"},
       {"0.0000002", "1234566.9999998", "0.5000000", "1234567.0000000", "0.1234500"}},
      {9, {"8.51", "6626499", "1"},
       {"0.0000003", "389336.0164509", "8.5100000", "6626499.0000000", "1.0000000"}},
      // The doubles' a is 0, and b = V/(a·c) infinite.
      {9, {"1", "2000000000", "1"},
       {"0.0000000", "1000000000.0000000", "1.0000000", "2000000000.0000000", "1.0000000"}},
      {9, {"1", "2", "1e-300"}, {"0.0000000", "1.0000000", "1.0000000", "2.0000000", "0.0000000"}},
      // The doubles' radicand rounds to 0, the exact one is 8.1·10⁻¹³.
      {9, {"14", "26432.0000252", "3118976.0059472"},
       {"472.0000000", "472.0000009", "14.0000000", "26432.0000252", "3118976.0059472"}},
      // 2·a + 2·b overflows; c = 2.5·10⁻³⁰⁹ and V do not.
      {1, {"1e308", "1e308", "1"},
       {"1" + std::string(308, '0') + ".0000000", "1" + std::string(308, '0') + ".0000000",
        "0.0000000", "1.0000000", "25" + std::string(306, '0') + ".0000000"}},
      // Large values: every digit exact, never a double's.
      {0, {"1e15", "1e15", "1e15"},
       {"1000000000000000.0000000", "1000000000000000.0000000", "1000000000000000.0000000",
        "4" + std::string(30, '0') + ".0000000", "1" + std::string(45, '0') + ".0000000"}},
      // Near a·S = 2·V.
      {3, {"1", "2.0000002", "1"},
       {"1.0000000", "10000000.0000000", "0.0000001", "2.0000002", "1.0000000"}},
  };
  for (const Case& c : cases) {
    const Input input = ForRow(c.row, c.known);
    const SolveResult result = Solve(c.row, input.texts, input.marks);
    ASSERT_EQ(result.outcome, SolveOutcome::kSolved) << "row " << c.row << ' ' << *c.known.begin();
    for (Quantity q : kAllQuantities) {
      EXPECT_TRUE(std::isfinite(result.values[q]));
      EXPECT_EQ(FieldText(result.values[q], result.exact[q]), c.fields[Index(q)])
          << "row " << c.row << ' ' << QuantityCaption(q);
    }
  }
}

TEST(Solve, ReadsTheRegionalDecimalSeparator) {
  const NumberFormat bulgarian{",", "", {3, 3}};
  const Input input = ForRow(0, {"2,5000000", "4", "1.5"});
  const SolveResult result = Solve(0, input.texts, input.marks, bulgarian);
  ASSERT_EQ(result.outcome, SolveOutcome::kSolved);
  EXPECT_EQ(result.values[Quantity::kA], 2.5);
  EXPECT_EQ(result.values[Quantity::kV], 15.0);
}

}  // namespace
}  // namespace prism

namespace prism {
namespace {

// Reads a formula's right-hand side as a pupil does: ² before · and /, those
// before + and −, each level from the left, √ of what follows it; letters are
// the values given.
class PupilReading {
 public:
  PupilReading(std::string_view text, const std::map<char, double>& values)
      : rest_(text), values_(values) {}

  double Value() {
    const double x = Sum();
    EXPECT_TRUE(rest_.empty()) << "left unread: " << rest_;
    return x;
  }

 private:
  bool Take(std::string_view token) {
    if (!rest_.starts_with(token)) return false;
    rest_.remove_prefix(token.size());
    return true;
  }
  double Sum() {
    double x = Product();
    for (;;) {
      if (Take(" + ")) x = x + Product();
      else if (Take(" − ")) x = x - Product();
      else return x;
    }
  }
  double Product() {
    double x = Square();
    for (;;) {
      if (Take("·")) x = x * Square();
      else if (Take("/")) x = x / Square();
      else return x;
    }
  }
  double Square() {
    double x = Atom();
    while (Take("²")) x = x * x;
    return x;
  }
  double Atom() {
    if (Take("(")) {
      const double x = Sum();
      EXPECT_TRUE(Take(")")) << "unclosed at " << rest_;
      return x;
    }
    if (Take("√")) return std::sqrt(Atom());
    if (rest_.empty()) return std::nan("");
    const char first = rest_.front();
    rest_.remove_prefix(1);
    if (first >= '0' && first <= '9') return first - '0';
    return values_.at(first);
  }

  std::string_view rest_;
  const std::map<char, double>& values_;
};

std::string Shortest(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", x);
  return text;
}

// Each formula text, read as a pupil reads it, gives exactly the bits Solve
// computes: a text that is not its formula fails here.
TEST(RowFormulaTexts, ReadAsWrittenGiveTheSolversBits) {
  std::mt19937_64 random(1208);
  std::uniform_real_distribution<double> side(0.1, 1000.0);
  for (int row = 0; row < 10; ++row) {
    const std::vector<std::string_view> texts = RowFormulaTexts(row);
    ASSERT_EQ(texts.size(), row == 9 ? 3u : 2u) << "row " << row;
    for (int box = 0; box < 2000; ++box) {
      double x = side(random), y = side(random);
      const double height = side(random);
      if (x > y) std::swap(x, y);  // row 9 takes the smaller root as a
      const PrismValues given{{x, y, height, 2 * height * (x + y), x * y * height}};
      Input input;
      for (Quantity q : kCombinationTable[static_cast<std::size_t>(row)].known) {
        input.texts[Index(q)] = Shortest(given[q]);
        input.marks[Index(q)] = 1;
      }
      const SolveResult result = Solve(row, input.texts, input.marks);
      if (result.outcome != SolveOutcome::kSolved) continue;
      std::map<char, double> values;
      for (Quantity q : kCombinationTable[static_cast<std::size_t>(row)].known) {
        values[QuantityCaption(q)[0]] = result.values[q];
      }
      for (std::string_view text : texts) {
        const char name = text.front();
        values[name] = PupilReading(text.substr(text.find(" = ") + 3), values).Value();
      }
      for (Quantity q : kCombinationTable[static_cast<std::size_t>(row)].computed) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(values.at(QuantityCaption(q)[0])),
                  std::bit_cast<std::uint64_t>(result.values[q]))
            << "row " << row << ' ' << QuantityCaption(q) << " from " << input.texts[0] << ','
            << input.texts[1] << ',' << input.texts[2] << ',' << input.texts[3] << ','
            << input.texts[4];
      }
    }
  }
}

TEST(Derivation, ShowsFormulaValuesAndResult) {
  struct Case {
    int row;
    std::initializer_list<const char*> known;
    Quantity q;
    NumberFormat format;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {0, {"3", "4", "5"}, Quantity::kS, {}, {"S = 2·(a·c + b·c)", "S = 2·(3·5 + 4·5)", "S = 70"}},
      {9, {"5", "70", "60"}, Quantity::kA, {},
       {"t = S/(2·c)", "t = 70/(2·5)", "t = 7", "a = (t − √(t² − 4·V/c))/2",
        "a = (7 − √(7² − 4·60/5))/2", "a = 3"}},
      {4, {"10", "1", "4"}, Quantity::kV, {}, {"V = a·b·c", "V = 10·(-8)·1", "V = -80"}},
      {2, {"1000", "0.1", "300"}, Quantity::kS, {".", ",", {3}},
       {"S = 2·(a·c + b·c)", "S = 2·(1,000·3 + 0.1·3)", "S = 6,000.6"}},
      // Exact values where the decimals never end, as the pupil writes them.
      {2, {"3", "4", "50"}, Quantity::kS, {},
       {"S = 2·(a·c + b·c)", "S = 2·(3·25/6 + 4·25/6)", "S = 175/3 ≈ 58.3333333"}},
      {1, {"1", "2", "10"}, Quantity::kV, {}, {"V = a·b·c", "V = 1·2·5/3", "V = 10/3 ≈ 3.3333333"}},
      {9, {"1", "10", "5"}, Quantity::kB, {},
       {"b = V/(a·c)", "b = 5/(((5 − √5)/2)·1)", "b = (5 + √5)/2 ≈ 3.6180340"}},
      {9, {"1", "8", "1"}, Quantity::kB, {},
       {"b = V/(a·c)", "b = 1/((2 − √3)·1)", "b = 2 + √3 ≈ 3.7320508"}},
      {9, {"3", "10", "2"}, Quantity::kB, {}, {"b = V/(a·c)", "b = 2/((2/3)·3)", "b = 1"}},
      {9, {"1.5", "10.25", "2.3"}, Quantity::kA, {},
       {"t = S/(2·c)", "t = 10.25/(2·1.5)", "t = 41/12 ≈ 3.4166667", "a = (t − √(t² − 4·V/c))/2",
        "a = (41/12 − √((41/12)² − 4·2.3/1.5))/2", "a = (205 − √19945)/120 ≈ 0.5314436"}},
      {2, {"2,5", "3", "1"}, Quantity::kC, {",", "", {3, 3}},
       {"c = V/(a·b)", "c = 1/(2,5·3)", "c = 2/15 ≈ 0,1333333"}},
      {4, {"3", "3", "10"}, Quantity::kB, {}, {"b = S/(2·c) − a", "b = 10/(2·3) − 3", "b = -4/3 ≈ -1.3333333"}},
      // Exact decimals, never a double's noise or an exponent.
      {0, {"0.1", "0.2", "0.3"}, Quantity::kV, {}, {"V = a·b·c", "V = 0.1·0.2·0.3", "V = 0.006"}},
      {0, {"100", "100", "10"}, Quantity::kV, {}, {"V = a·b·c", "V = 100·100·10", "V = 100000"}},
      {0, {"0.0001", "1", "1"}, Quantity::kS, {},
       {"S = 2·(a·c + b·c)", "S = 2·(0.0001·1 + 1·1)", "S = 2.0002"}},
      {2, {"3", "1", "100000"}, Quantity::kC, {},
       {"c = V/(a·b)", "c = 100000/(3·1)", "c = 100000/3 ≈ 33333.3333333"}},
      // A tie rounds as its fraction does, away from zero.
      {2, {"32", "36", "96.3"}, Quantity::kC, {},
       {"c = V/(a·b)", "c = 96.3/(32·36)", "c = 107/1280 ≈ 0.0835938"}},
      {3, {"16", "8", "23"}, Quantity::kC, {},
       {"c = V/(a·b)", "c = 23/(16·368/41)", "c = 41/256 ≈ 0.1601563"}},
      // Long: the field's text, and every line with it says so.
      {2, {"3", "4.1666667", "1"}, Quantity::kC, {},
       {"c = V/(a·b)", "c = 1/(3·4.1666667)", "c ≈ 0.0800000"}},
      {1, {"93.71", "73.1", "64.9"}, Quantity::kV, {},
       {"V = a·b·c", "V = 93.71·73.1·3245/16681", "V ≈ 1332.5881089"}},
  };
  for (const Case& c : cases) {
    const Input input = ForRow(c.row, c.known);
    const SolveResult result =
        Solve(c.row, input.texts, input.marks, c.format);
    ASSERT_EQ(result.outcome, SolveOutcome::kSolved);
    const ExactPrismValues exact = ExactValues(c.row, input.texts, c.format);
    EXPECT_EQ(Derivation(c.row, c.q, result.values, c.format, exact), c.expected) << "row " << c.row;
  }
}

// The whole worked solution, line by line: the steps a textbook takes, and
// where the numbers describe no box, why.
TEST(SolveWorked, WritesEveryStepAndTheAnswer) {
  struct Case {
    int row;
    std::initializer_list<const char*> known;
    LengthUnit unit;
    bool box;
    const char* text;
    SolutionStyle style = kAsTheFields;
  };
  const Case cases[] = {
      {2, {"3", "4", "50"}, LengthUnit::kCentimetre, true,
       "Дадено:\na = 3 см\nb = 4 см\nV = 50 см³\nТърсят се: c и S\nРешение:\n"
       "P = 2·(a + b) = 2·(3 + 4) = 14 см (периметър на основата)\nB = a·b = 3·4 = 12 см² (лице на основата)\n"
       "V = B·c → c = V : B = 50 : 12 = 25/6 = 4 1/6 см ≈ 4.1666667 см\n"
       "S = P·c = 14·25/6 = 175/3 = 58 1/3 см² ≈ 58.3333333 см²\n"
       "Отговор:\nc = 25/6 = 4 1/6 см ≈ 4.1666667 см\nS = 175/3 = 58 1/3 см² ≈ 58.3333333 см²\nДопълнително:\n"
       "Пълна повърхнина: S₁ = S + 2·B = 175/3 + 2·12 = 247/3 = 82 1/3 см² ≈ 82.3333333 см²\n"
       "Диагонал: d = √(a² + b² + c²) = √(3² + 4² + (25/6)²) = (5√61)/6 см ≈ 6.5085414 см\n"},
      {9, {"1", "8", "1"}, LengthUnit::kNone, true,
       "Дадено:\nc = 1\nS = 8\nV = 1\nТърсят се: a и b\nРешение:\n"
       "V = B·c → B = V : c = 1 : 1 = 1 (лице на основата)\nS = P·c → P = S : c = 8 : 1 = 8 (периметър на основата)\na + b = P : 2 = 8 : 2 = 4\n"
       "a·b = B = 1\na и b са корените на уравнението x² − (a + b)·x + a·b = 0:\nx² − 4x + 1 = 0\n"
       "D = (a + b)² − 4·a·b = 4² − 4·1 = 12\n"
       "a = x₁ = (a + b − √D)/2 = (4 − √12)/2 = 2 − √3 ≈ 0.2679492\n"
       "b = x₂ = (a + b + √D)/2 = (4 + √12)/2 = 2 + √3 ≈ 3.7320508\n"
       "Отговор:\na = 2 − √3 ≈ 0.2679492\nb = 2 + √3 ≈ 3.7320508\nДопълнително:\n"
       "Пълна повърхнина: S₁ = S + 2·B = 8 + 2·1 = 10\n"
       "Диагонал: d = √(a² + b² + c²) = √((2 − √3)² + (2 + √3)² + 1²) = √15 ≈ 3.8729833\n"},
      {4, {"10", "1", "4"}, LengthUnit::kMetre, false,
       "Дадено:\na = 10 м\nc = 1 м\nS = 4 м²\nТърсят се: b и V\nРешение:\n"
       "S = P·c → P = S : c = 4 : 1 = 4 м (периметър на основата)\n"
       "P = 2·(a + b) → b = P : 2 − a = 4 : 2 − 10 = −8 м < 0: няма такъв паралелепипед.\nОтговор: Няма правоъгълен паралелепипед с такива размери.\n"},
      // The areas compared in square units.
      {3, {"1", "2", "10"}, LengthUnit::kCentimetre, false,
       "Дадено:\na = 1 см\nS = 2 см²\nV = 10 см³\nТърсят се: b и c\nРешение:\n"
       "V = a·b·c → b·c = V : a = 10 : 1 = 10 см²\n"
       "S = 2·a·c + 2·b·c → 2·a·c = S − 2·b·c = 2 − 2·10 = −18 см²\n"
       "S = 2 см² е по-малко от 2·b·c = 20 см², затова 2·a·c = −18 см² < 0: няма такъв паралелепипед.\nОтговор: Няма правоъгълен паралелепипед с такива размери.\n"},
      {3, {"0.7", "2.8", "0.98"}, LengthUnit::kNone, false,
       "Дадено:\na = 0.7\nS = 2.8\nV = 0.98\nТърсят се: b и c\nРешение:\n"
       "V = a·b·c → b·c = V : a = 0.98 : 0.7 = 1.4\n"
       "S = 2·a·c + 2·b·c → 2·a·c = S − 2·b·c = 2.8 − 2·1.4 = 0\n"
       "S = 2.8 е равно на 2·b·c = 2.8, затова 2·a·c = 0: няма такъв паралелепипед.\nОтговор: Няма правоъгълен паралелепипед с такива размери.\n"},
      {9, {"1", "4", "5"}, LengthUnit::kNone, false,
       "Дадено:\nc = 1\nS = 4\nV = 5\nТърсят се: a и b\nРешение:\n"
       "V = B·c → B = V : c = 5 : 1 = 5 (лице на основата)\nS = P·c → P = S : c = 4 : 1 = 4 (периметър на основата)\na + b = P : 2 = 4 : 2 = 2\n"
       "a·b = B = 5\na и b са корените на уравнението x² − (a + b)·x + a·b = 0:\nx² − 2x + 5 = 0\n"
       "D = (a + b)² − 4·a·b = 2² − 4·5 = −16\n"
       "D = −16 < 0: уравнението няма реални корени, затова няма такъв паралелепипед.\nОтговор: Няма правоъгълен паралелепипед с такива размери.\n"},
      // As a pupil of grade 5 writes it, rounded to hundredths: no diagonal.
      {2, {"3", "4", "50"}, LengthUnit::kCentimetre, true,
       "Дадено:\na = 3 см\nb = 4 см\nV = 50 см³\nТърсят се: c и S\nРешение:\n"
       "P = 2·(a + b) = 2·(3 + 4) = 14 см (периметър на основата)\nB = a·b = 3·4 = 12 см² (лице на основата)\n"
       "V = B·c → c = V : B = 50 : 12 = 25/6 = 4 1/6 см ≈ 4.17 см\nS = P·c = 14·25/6 = 175/3 = 58 1/3 см² ≈ 58.33 см²\n"
       "Отговор:\nc = 25/6 = 4 1/6 см ≈ 4.17 см\nS = 175/3 = 58 1/3 см² ≈ 58.33 см²\nДопълнително:\n"
       "Пълна повърхнина: S₁ = S + 2·B = 175/3 + 2·12 = 247/3 = 82 1/3 см² ≈ 82.33 см²\n",
       SolutionStyle{5, 2}},
      // Grade 7: the diagonal too; to tenths.
      {2, {"3", "4", "50"}, LengthUnit::kCentimetre, true,
       "Дадено:\na = 3 см\nb = 4 см\nV = 50 см³\nТърсят се: c и S\nРешение:\n"
       "P = 2·(a + b) = 2·(3 + 4) = 14 см (периметър на основата)\nB = a·b = 3·4 = 12 см² (лице на основата)\n"
       "V = B·c → c = V : B = 50 : 12 = 25/6 = 4 1/6 см ≈ 4.2 см\nS = P·c = 14·25/6 = 175/3 = 58 1/3 см² ≈ 58.3 см²\n"
       "Отговор:\nc = 25/6 = 4 1/6 см ≈ 4.2 см\nS = 175/3 = 58 1/3 см² ≈ 58.3 см²\nДопълнително:\n"
       "Пълна повърхнина: S₁ = S + 2·B = 175/3 + 2·12 = 247/3 = 82 1/3 см² ≈ 82.3 см²\n"
       "Диагонал: d = √(a² + b² + c²) = √(3² + 4² + (25/6)²) = (5√61)/6 см ≈ 6.5 см\n",
       SolutionStyle{7, 1}},
      // Grade 5: a sum and a product as a sum and a difference.
      {9, {"5", "70", "60"}, LengthUnit::kCentimetre, true,
       "Дадено:\nc = 5 см\nS = 70 см²\nV = 60 см³\nТърсят се: a и b\nРешение:\n"
       "V = B·c → B = V : c = 60 : 5 = 12 см² (лице на основата)\n"
       "S = P·c → P = S : c = 70 : 5 = 14 см (периметър на основата)\na + b = P : 2 = 14 : 2 = 7 см\na·b = B = 12 см²\n"
       "(b − a)² = (a + b)² − 4·a·b = 7² − 4·12 = 1 см²\nb − a = √1 = 1 см\n"
       "a = ((a + b) − (b − a)) : 2 = (7 − 1) : 2 = 3 см\nb = ((a + b) + (b − a)) : 2 = (7 + 1) : 2 = 4 см\n"
       "Отговор:\na = 3 см\nb = 4 см\nДопълнително:\nПълна повърхнина: S₁ = S + 2·B = 70 + 2·12 = 94 см²\n",
       SolutionStyle{5, 2}},
      {9, {"5", "70", "60"}, LengthUnit::kCentimetre, true,
       "Дадено:\nc = 5 см\nS = 70 см²\nV = 60 см³\nТърсят се: a и b\nРешение:\n"
       "V = B·c → B = V : c = 60 : 5 = 12 см² (лице на основата)\n"
       "S = P·c → P = S : c = 70 : 5 = 14 см (периметър на основата)\na + b = P : 2 = 14 : 2 = 7 см\na·b = B = 12 см²\n"
       "a и b са корените на уравнението x² − (a + b)·x + a·b = 0:\nx² − 7x + 12 = 0\n"
       "D = (a + b)² − 4·a·b = 7² − 4·12 = 1\na = x₁ = (a + b − √D)/2 = (7 − √1)/2 = 3 см\n"
       "b = x₂ = (a + b + √D)/2 = (7 + √1)/2 = 4 см\nОтговор:\na = 3 см\nb = 4 см\nДопълнително:\n"
       "Пълна повърхнина: S₁ = S + 2·B = 70 + 2·12 = 94 см²\n"
       "Диагонал: d = √(a² + b² + c²) = √(3² + 4² + 5²) = 5√2 см ≈ 7.07 см\n",
       SolutionStyle{7, 2}},
      // No box, told without a negative number.
      {4, {"10", "1", "4"}, LengthUnit::kMetre, false,
       "Дадено:\na = 10 м\nc = 1 м\nS = 4 м²\nТърсят се: b и V\nРешение:\n"
       "S = P·c → P = S : c = 4 : 1 = 4 м (периметър на основата)\nP = 2·(a + b) → b = P : 2 − a = 4 : 2 − 10\n"
       "a + b = P : 2 = 2 м, а само a = 10 м > 2 м. Това е невъзможно, затова такъв паралелепипед няма.\n"
       "Отговор: Няма правоъгълен паралелепипед с такива размери.\n",
       SolutionStyle{5, 2}},
      {3, {"1", "2", "10"}, LengthUnit::kCentimetre, false,
       "Дадено:\na = 1 см\nS = 2 см²\nV = 10 см³\nТърсят се: b и c\nРешение:\n"
       "V = a·b·c → b·c = V : a = 10 : 1 = 10 см²\nS = 2·a·c + 2·b·c → 2·a·c = S − 2·b·c = 2 − 2·10\n"
       "S = 2 см², а само 2·b·c = 20 см² > 2 см². Това е невъзможно, затова такъв паралелепипед няма.\n"
       "Отговор: Няма правоъгълен паралелепипед с такива размери.\n",
       SolutionStyle{6, 2}},
      {9, {"1", "4", "5"}, LengthUnit::kNone, false,
       "Дадено:\nc = 1\nS = 4\nV = 5\nТърсят се: a и b\nРешение:\n"
       "V = B·c → B = V : c = 5 : 1 = 5 (лице на основата)\nS = P·c → P = S : c = 4 : 1 = 4 (периметър на основата)\n"
       "a + b = P : 2 = 4 : 2 = 2\na·b = B = 5\n"
       "(b − a)² = (a + b)² − 4·a·b = 2² − 4·5 = 4 − 20 < 0, а квадратът на число не е отрицателен, "
       "затова такъв паралелепипед няма.\nОтговор: Няма правоъгълен паралелепипед с такива размери.\n",
       SolutionStyle{5, 2}},
      // Digit groups of three from five digits on, whatever the locale's.
      {0, {"50", "30", "40"}, LengthUnit::kCentimetre, true,
       "Дадено:\na = 50 см\nb = 30 см\nc = 40 см\nТърсят се: S и V\nРешение:\n"
       "P = 2·(a + b) = 2·(50 + 30) = 160 см (периметър на основата)\n"
       "B = a·b = 50·30 = 1500 см² (лице на основата)\nS = P·c = 160·40 = 6400 см²\n"
       "V = B·c = 1500·40 = 60\u00A0000 см³\nОтговор:\nS = 6400 см²\nV = 60\u00A0000 см³ = 60 л\n"
       "Допълнително:\nПълна повърхнина: S₁ = S + 2·B = 6400 + 2·1500 = 9400 см²\n",
       SolutionStyle{5, 2}},
      // A value beyond the doubles: said so, never written as a number.
      {0, {"1e300", "1e300", "1e300"}, LengthUnit::kNone, false,
       "Дадено:\na = 1·10³⁰⁰\nb = 1·10³⁰⁰\nc = 1·10³⁰⁰\nТърсят се: S и V\nРешение:\n"
       "Стойността на B е извън обхвата на числата, с които смята програмата.\nОтговор: Няма отговор.\n"},
  };
  for (const Case& c : cases) {
    const Input input = ForRow(c.row, c.known);
    const std::optional<WorkedSolution> solution = SolveWorked(c.row, input.texts, {}, c.unit, c.style);
    ASSERT_TRUE(solution.has_value());
    std::string text;
    for (const std::string& line : solution->lines) text += line + "\n";
    EXPECT_EQ(text, c.text) << "row " << c.row;
    EXPECT_EQ(solution->box, c.box);
  }
  EXPECT_FALSE(SolveWorked(0, ForRow(0, {"3", "0", "5"}).texts).has_value());

  // The other rows' steps, on the box 3, 4, 5, in the whole text around them.
  const std::array<const char*, kCombinationCount> steps = {
      "P = 2·(a + b) = 2·(3 + 4) = 14 (периметър на основата)\nB = a·b = 3·4 = 12 (лице на основата)\nS = P·c = 14·5 = 70\nV = B·c = 12·5 = 60\n",
      "P = 2·(a + b) = 2·(3 + 4) = 14 (периметър на основата)\nB = a·b = 3·4 = 12 (лице на основата)\nS = P·c → c = S : P = 70 : 14 = 5\n"
      "V = B·c = 12·5 = 60\n",
      "P = 2·(a + b) = 2·(3 + 4) = 14 (периметър на основата)\nB = a·b = 3·4 = 12 (лице на основата)\nV = B·c → c = V : B = 60 : 12 = 5\n"
      "S = P·c = 14·5 = 70\n",
      "V = a·b·c → b·c = V : a = 60 : 3 = 20\n"
      "S = 2·a·c + 2·b·c → 2·a·c = S − 2·b·c = 70 − 2·20 = 30\nc = 30 : (2·3) = 5\n"
      "V = B·c → B = V : c = 60 : 5 = 12 (лице на основата)\nB = a·b → b = B : a = 12 : 3 = 4\n",
      "S = P·c → P = S : c = 70 : 5 = 14 (периметър на основата)\nP = 2·(a + b) → b = P : 2 − a = 14 : 2 − 3 = 4\n"
      "B = a·b = 3·4 = 12 (лице на основата)\nV = B·c = 12·5 = 60\n",
      "V = B·c → B = V : c = 60 : 5 = 12 (лице на основата)\nB = a·b → b = B : a = 12 : 3 = 4\n"
      "P = 2·(a + b) = 2·(3 + 4) = 14 (периметър на основата)\nS = P·c = 14·5 = 70\n",
      "S = P·c → P = S : c = 70 : 5 = 14 (периметър на основата)\nP = 2·(a + b) → a = P : 2 − b = 14 : 2 − 4 = 3\n"
      "B = a·b = 3·4 = 12 (лице на основата)\nV = B·c = 12·5 = 60\n",
      "V = B·c → B = V : c = 60 : 5 = 12 (лице на основата)\nB = a·b → a = B : b = 12 : 4 = 3\n"
      "P = 2·(a + b) = 2·(3 + 4) = 14 (периметър на основата)\nS = P·c = 14·5 = 70\n",
      "V = a·b·c → a·c = V : b = 60 : 4 = 15\n"
      "S = 2·a·c + 2·b·c → 2·b·c = S − 2·a·c = 70 − 2·15 = 40\nc = 40 : (2·4) = 5\n"
      "V = B·c → B = V : c = 60 : 5 = 12 (лице на основата)\nB = a·b → a = B : b = 12 : 4 = 3\n",
      "V = B·c → B = V : c = 60 : 5 = 12 (лице на основата)\nS = P·c → P = S : c = 70 : 5 = 14 (периметър на основата)\na + b = P : 2 = 14 : 2 = 7\n"
      "a·b = B = 12\na и b са корените на уравнението x² − (a + b)·x + a·b = 0:\nx² − 7x + 12 = 0\n"
      "D = (a + b)² − 4·a·b = 7² − 4·12 = 1\na = x₁ = (a + b − √D)/2 = (7 − √1)/2 = 3\n"
      "b = x₂ = (a + b + √D)/2 = (7 + √1)/2 = 4\n"};
  const std::array<const char*, kQuantityCount> box = {"3", "4", "5", "70", "60"};
  for (int row = 0; row < 10; ++row) {
    const Combination& combination = kCombinationTable[static_cast<std::size_t>(row)];
    Input input;
    std::string given, sought = "Търсят се: ", answer;
    for (Quantity q : combination.known) {
      input.texts[Index(q)] = box[Index(q)];
      given += std::string(QuantityCaption(q)) + " = " + box[Index(q)] + "\n";
    }
    for (Quantity q : combination.computed) {
      sought += std::string(QuantityCaption(q)) + (q == combination.computed[0] ? " и " : "\n");
      answer += std::string(QuantityCaption(q)) + " = " + box[Index(q)] + "\n";
    }
    const std::string row_steps = steps[static_cast<std::size_t>(row)];
    const std::string text =
        "Дадено:\n" + given + sought + "Решение:\n" + row_steps + "Отговор:\n" + answer + "Допълнително:\n" +
        "Пълна повърхнина: S₁ = S + 2·B = 70 + 2·12 = 94\nДиагонал: d = √(a² + b² + c²) = √(3² + 4² + 5²) = 5√2 ≈ 7.0710678\n";
    const std::optional<WorkedSolution> solution =
        SolveWorked(row, input.texts, {}, LengthUnit::kNone, kAsTheFields);
    ASSERT_TRUE(solution.has_value());
    std::string written;
    for (const std::string& line : solution->lines) written += line + "\n";
    EXPECT_EQ(written, text) << "row " << row;
  }
}

// Every row of random boxes: the answer is what the fields show.
TEST(SolveWorked, AnswersWithTheFieldsTexts) {
  std::mt19937 random(27);
  std::uniform_int_distribution<int> side(1, 40);
  for (int trial = 0; trial < 200; ++trial) {
    const double a = side(random) / 4.0, b = side(random) / 4.0, c = side(random) / 4.0;
    // A box, and values drawn alone, which mostly describe none: the
    // solution finds a box exactly where the fields do.
    const PrismValues box = trial % 2 == 0 ? PrismValues{{a, b, c, 2 * c * (a + b), a * b * c}}
                                           : PrismValues{{a, b, c, side(random) * 4.0, side(random) * 2.0}};
    for (int row = 0; row < 10; ++row) {
      Input input;
      for (Quantity q : kCombinationTable[static_cast<std::size_t>(row)].known) {
        input.texts[Index(q)] = FormatFieldNumber(box[q], {});
        input.marks[Index(q)] = 1;
      }
      const SolveResult fields = Solve(row, input.texts, input.marks);
      const std::optional<WorkedSolution> solution =
          SolveWorked(row, input.texts, {}, LengthUnit::kNone, kAsTheFields);
      ASSERT_TRUE(solution.has_value());
      // The fields show what the formulas give, a side below 0 too; a box
      // is where every value is above 0.
      bool positive = true;
      for (Quantity q : kAllQuantities) positive = positive && Sign(fields.exact[q]).value_or(0) > 0;
      ASSERT_EQ(solution->box, fields.outcome == SolveOutcome::kSolved && positive) << row << "\n" << [&] {
        std::string all;
        for (const std::string& line : solution->lines) all += line + "\n";
        return all;
      }();
      if (!solution->box) continue;
      const auto answer = std::find(solution->lines.begin(), solution->lines.end(), "Отговор:");
      ASSERT_NE(answer, solution->lines.end());
      const ExactPrismValues exact = ExactValues(row, input.texts);
      for (std::size_t i = 0; i < 2; ++i) {
        const Quantity q = kCombinationTable[static_cast<std::size_t>(row)].computed[i];
        const std::string& line = answer[1 + static_cast<long>(i)];
        const std::string field = FieldText(fields.values[q], exact[q]);
        // "c = 25/6 ≈ 4.1666667" ends with the field's text; "b = 1.75" is
        // the field's value written short.
        const std::size_t approximately = line.rfind(" ≈ ");
        if (approximately != std::string::npos) {
          EXPECT_EQ(line.substr(approximately + 5), field) << line;
        } else {
          EXPECT_EQ(ParseFieldNumber(line.substr(line.rfind(" = ") + 3), {}),
                    ParseFieldNumber(field, {}))
              << line;
        }
      }
    }
  }
}

// Lines the worked solution must hold: a given value with every digit as
// typed, small values with a power of ten and never as 0, brackets around
// them, and the exact values' answers where the doubles cancel.
TEST(SolveWorked, WritesEveryDigitAndNoZeroThatIsNot) {
  struct Case {
    int row;
    std::initializer_list<const char*> known;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {0, {"0.12345678912345678912", "2", "3"}, {"a = 0.12345678912345678912"}},
      {0, {"1e-300", "2.50", "3"}, {"a = 1·10⁻³⁰⁰", "b = 2.50"}},
      {9, {"14", "26432.0000252", "3118976.0059472"},
       {"D = (a + b)² − 4·a·b = 944.0000009² − 4·222\u00A0784.0004248 = 8.1·10⁻¹³",
        "a = x₁ = (a + b − √D)/2 = (944.0000009 − √(8.1·10⁻¹³))/2 = 472", "a = 472",
        "b = 472.0000009"}},
      {9, {"0.5", "1234567", "0.12345"}, {"a ≈ 1.999891·10⁻⁷", "b ≈ 1\u00A0234\u00A0566.9999998"}},
      // A square base: both sides exact.
      {9, {"1", "5817.2", "2114988.49"}, {"a = 1454.3", "b = 1454.3"}},
      {2, {"0.0001", "0.0001", "1"},
       {"B = a·b = 0.0001·0.0001 = 1·10⁻⁸ (лице на основата)", "V = B·c → c = V : B = 1 : (1·10⁻⁸) = 100\u00A0000\u00A0000"}},
      {3, {"1", "2.0000002", "1"}, {"Диагонал: d = √(a² + b² + c²) = √(1² + 10\u00A0000\u00A0000² + 0.0000001²) ≈ "
                                     "10\u00A0000\u00A0000.0000001"}},
      {0, {"1e15", "1e15", "1e15"},
       {"S = 4" + [] {
          std::string groups;
          for (int i = 0; i < 10; ++i) groups += "\u00A0000";
          return groups;
        }(),
        "Диагонал: d = √(a² + b² + c²) = √(1\u00A0000\u00A0000\u00A0000\u00A0000\u00A0000² + 1\u00A0000\u00A0000\u00A0000\u00A0000\u00A0000² + "
        "1\u00A0000\u00A0000\u00A0000\u00A0000\u00A0000²) ≈ 1\u00A0732\u00A0050\u00A0807\u00A0568\u00A0877.2935274"}},
  };
  for (const Case& c : cases) {
    const Input input = ForRow(c.row, c.known);
    const std::optional<WorkedSolution> solution =
        SolveWorked(c.row, input.texts, {}, LengthUnit::kNone, kAsTheFields);
    ASSERT_TRUE(solution.has_value());
    EXPECT_TRUE(solution->box);
    for (const std::string& line : c.lines) {
      EXPECT_NE(std::find(solution->lines.begin(), solution->lines.end(), line),
                solution->lines.end())
          << "row " << c.row << ", no line\n" << line << "\nin\n"
          << [&] {
               std::string all;
               for (const std::string& each : solution->lines) all += each + '\n';
               return all;
             }();
    }
  }
}

TEST(ReadGivenQuantities, NamesTheArgumentAtFault) {
  struct Case {
    std::vector<std::string> arguments;
    int row;  // -1: an error
    std::string argument;
    std::string message = "";  // where not empty: what the error says
  };
  const Case cases[] = {
      {{"V=50", "a=3", "b=4"}, 2, ""},
      {{"c=5", "S=70", "V=60"}, 9, ""},
      {{"a=3", "a=4", "V=5"}, -1, "a=4", "a is given twice"},
      {{"a=3", "b=4"}, -1, "", "three quantities are needed (as in a=3 b=4 V=50), 2 given"},
      {{"a=3", "b=4", "c=5", "S=1"}, -1, "S=1"},
      {{"q=3", "b=4", "c=5"}, -1, "q=3"},
      {{"a3", "b=4", "c=5"}, -1, "a3"},
      {{"a=3", "b=-4", "c=5"}, -1, "b=-4"},
      {{"a=3", "b=4x", "c=5"}, -1, "b=4x"},
      {{"a=1e999", "b=4", "c=5"}, -1, "a=1e999", "'1e999' is too large for the computer"},
      // As the window refuses them: a double holds them with fewer digits.
      {{"a=3", "b=4.9e-324", "c=5"}, -1, "b=4.9e-324", "'4.9e-324' is too close to zero"},
      {{"a=3", "b=4", "c=1e-310"}, -1, "c=1e-310", "'1e-310' is too close to zero"},
      {{"a=1e-300", "b=4", "c=5"}, 0, ""},
  };
  for (const Case& c : cases) {
    const auto read = ReadGivenQuantities(c.arguments);
    if (c.row >= 0) {
      ASSERT_TRUE(std::holds_alternative<SolveRequest>(read)) << c.arguments[0];
      EXPECT_EQ(std::get<SolveRequest>(read).row, c.row);
    } else {
      ASSERT_TRUE(std::holds_alternative<ArgumentError>(read)) << c.arguments[0];
      EXPECT_EQ(std::get<ArgumentError>(read).argument, c.argument);
      EXPECT_TRUE(ArgumentFaultMessage(std::get<ArgumentError>(read)).starts_with(c.message))
          << ArgumentFaultMessage(std::get<ArgumentError>(read));
    }
  }
}

// The exact values agree with the doubles, every row; rows 3, 8 and 9 lose
// digits to cancellation in the doubles, so they are compared more loosely.
TEST(ExactValues, AgreeWithTheDoubles) {
  std::mt19937_64 random(2112);
  int exact = 0;
  for (int row = 0; row < 10; ++row) {
    for (int box = 0; box < 500; ++box) {
      const auto text = [&] {
        return std::to_string(1 + random() % 999) + "." + std::to_string(random() % 100);
      };
      Input input;
      for (Quantity q : kCombinationTable[static_cast<std::size_t>(row)].known) {
        input.texts[Index(q)] = text();
        input.marks[Index(q)] = 1;
      }
      const SolveResult result = Solve(row, input.texts, input.marks);
      // Random S and V describe no box in rows 3, 8 and 9 about half the time.
      if (result.outcome != SolveOutcome::kSolved) continue;
      const ExactPrismValues values = ExactValues(row, input.texts);
      const double tolerance = row == 3 || row == 8 || row == 9 ? 1e-7 : 1e-10;
      for (Quantity q : kAllQuantities) {
        if (!values[q].has_value()) continue;
        ++exact;
        EXPECT_NEAR(values[q].ToDouble(), result.values[q], tolerance * std::fabs(result.values[q]))
            << "row " << row << ' ' << QuantityCaption(q);
      }
    }
  }
  EXPECT_GT(exact, 7 * 500 * 4) << "most values have an exact value";
}

// The arithmetic of exact numbers: a quotient times its divisor is the
// dividend, a number times its conjugate is rational, signs and roundings
// are those of the value, and what would overflow has no value.
TEST(ExactNumber, ArithmeticHolds) {
  std::mt19937_64 random(2812);
  int checked = 0;
  const auto small = [&](int from) { return ExactNumber(from + static_cast<int>(random() % 2000)); };
  for (int i = 0; i < 2000; ++i) {
    const ExactNumber root = Sqrt(small(2));
    const ExactNumber p = small(-1000) / small(1), r = small(-1000) / small(1);
    const ExactNumber x = p + r * root, conjugate = p - r * root;
    const ExactNumber y = small(1) / small(1) + small(-1000) / small(1) * root;
    ASSERT_TRUE(x.has_value() && y.has_value());
    EXPECT_TRUE((x * conjugate).IsRational());
    if (const std::optional<int> back = Sign(x / y * y - x)) {
      EXPECT_EQ(*back, 0);
      ++checked;
    }
    const double value = x.ToDouble();
    if (std::fabs(value) > 1e-9) {
      EXPECT_EQ(Sign(x), value > 0 ? 1 : -1);
    }
    const double in_units = value * 1e7;
    if (std::fabs(in_units - std::round(in_units)) < 0.49) {
      const std::optional<RoundedDecimal> rounded = RoundedToDecimals(x, 7);
      ASSERT_TRUE(rounded.has_value());
      EXPECT_EQ(FormatDecimalText(rounded->fixed, rounded->negative), FormatFieldNumber(value));
    }
  }
  EXPECT_EQ(checked, 2000) << "no size runs out";
  // (10^6 + 3)^16 has 97 digits; its square root's square gives it back.
  ExactNumber big = ExactNumber(1'000'003);
  for (int i = 0; i < 4; ++i) big = big * big;
  ASSERT_TRUE(big.has_value());
  EXPECT_EQ(RoundedToDecimals(big, 0)->fixed.size(), 97u);
  EXPECT_EQ(Sign(Sqrt(big) * Sqrt(big) - big), 0);
  EXPECT_EQ(Sign(ExactNumber::FromText("1e-400", {}) * ExactNumber::FromText("1e400", {}) -
                 ExactNumber(1)),
            0);
  EXPECT_TRUE(ExactNumber::FromText("1234567890123456789012345", {}).has_value());
  // Roots of rational multiples of each other add up: √8 + √2 = 3√2.
  EXPECT_EQ(ExactText(Sqrt(ExactNumber(8)) + Sqrt(ExactNumber(2)), {}), "3√2");
  EXPECT_EQ(ExactText(Sqrt(ExactNumber(8)) * Sqrt(ExactNumber(2)), {}), std::nullopt) << "4";
  EXPECT_EQ(RoundedToDecimals(Sqrt(ExactNumber(8)) * Sqrt(ExactNumber(2)), 0)->fixed, "4");
  EXPECT_FALSE((Sqrt(ExactNumber(2)) + Sqrt(ExactNumber(3))).has_value()) << "no such form";
  EXPECT_FALSE((ExactNumber(1) / ExactNumber(0)).has_value());
  // Cube roots: exact where a fraction, no value where not.
  struct Cube {
    const char* value;
    const char* root;  // "" for none
  };
  const Cube cubes[] = {
      {"3.375", "1.5"}, {"-8", "-2"}, {"0", "0"}, {"1e-300", "1e-100"},
      {"2", ""}, {"1000000000000000000000000000001", ""},
      {"999999999999999999999999999999000000000000000000000000000000299999999999999999999999"
       "999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
       "999999999999999999999999999999999999",
       ""},
  };
  for (const Cube& c : cubes) {
    const ExactNumber root = CubeRoot(ExactNumber::FromText(c.value, {}));
    if (std::string_view(c.root).empty()) {
      EXPECT_FALSE(root.has_value()) << c.value;
    } else {
      EXPECT_EQ(Sign(root - ExactNumber::FromText(c.root, {})), 0) << c.value;
    }
  }
  const ExactNumber big_cube = ExactNumber::FromText("123456789012345678901", {});
  EXPECT_EQ(Sign(CubeRoot(big_cube * big_cube * big_cube) - big_cube), 0);
  EXPECT_FALSE(CubeRoot(Sqrt(ExactNumber(2))).has_value());
  EXPECT_FALSE(Sqrt(ExactNumber(-1)).has_value());
  // Significant digits of small values, each rounded once from the exact value.
  struct Significant {
    ExactNumber value;
    int digits;
    const char* expected;
    std::int64_t exponent;
    bool exact;
  };
  const Significant significant[] = {
      {ExactNumber(1) / ExactNumber(3'000'000), 7, "3333333", -7, false},
      {ExactNumber::FromText("0.0000000099999996", {}), 7, "1000000", -8, false},
      {ExactNumber::FromText("0.00000000999999949", {}), 7, "9999999", -9, false},
      {ExactNumber::FromText("-8.1e-13", {}), 2, "81", -13, true},
      {ExactNumber::FromText("1e-4000", {}), 1, "1", -4000, true},
      {ExactNumber::FromText("0.99999999", {}), 3, "100", 0, false},
  };
  for (const Significant& c : significant) {
    const std::optional<RoundedSignificant> rounded = RoundedToSignificant(c.value, c.digits);
    ASSERT_TRUE(rounded.has_value()) << c.expected;
    EXPECT_EQ(rounded->digits, c.expected);
    EXPECT_EQ(rounded->exponent, c.exponent) << c.expected;
    EXPECT_EQ(rounded->exact, c.exact) << c.expected;
  }
  EXPECT_EQ(ExactNumber::FromText("1e-320", {}).ToDouble(), 1e-320);
  EXPECT_EQ(ExactNumber::FromText("1e400", {}).ToDouble(), HUGE_VAL);
  EXPECT_EQ((ExactNumber(2) / ExactNumber(3)).ToDouble(), 2.0 / 3.0);
}

// A number of units of 10^-decimals, written out; rounded to seven
// decimals, half away from zero, as a pupil rounds.
std::string DecimalText(std::int64_t units, int decimals) {
  std::string digits = std::to_string(units);
  digits.insert(0, std::max<int>(0, decimals + 1 - static_cast<int>(digits.size())), '0');
  return digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
}
std::string SevenDecimalsOf(std::int64_t units, int decimals) {
  std::int64_t scale = 1;
  for (int i = 7; i < decimals; ++i) scale *= 10;
  for (int i = decimals; i < 7; ++i) units *= 10;
  return DecimalText((units + scale / 2) / scale, 7);
}

// Boxes with at most three decimals a side, a square base one time in four:
// every row finds the box, and every field shows its value's rounding.
TEST(Solve, FindsEveryBoxAndShowsItsRounding) {
  std::mt19937_64 random(2512);
  int shown_exactly = 0, shown = 0;
  for (int box = 0; box < 3000; ++box) {
    const auto side = [&] { return 1 + static_cast<std::int64_t>(random() % 20000); };
    std::int64_t x = side(), y = box % 4 == 0 ? x : side();
    const std::int64_t z = side();
    if (x > y) std::swap(x, y);  // row 9 takes the smaller root as a
    // In units of 10^-3, 10^-3, 10^-3, 10^-6 and 10^-9.
    const std::array<std::int64_t, 5> units = {x, y, z, 2 * z * (x + y), x * y * z};
    const std::array<int, 5> decimals = {3, 3, 3, 6, 9};
    for (int row = 0; row < 10; ++row) {
      Input input;
      for (Quantity q : kCombinationTable[static_cast<std::size_t>(row)].known) {
        input.texts[Index(q)] = DecimalText(units[Index(q)], decimals[Index(q)]);
        input.marks[Index(q)] = 1;
      }
      const SolveResult result = Solve(row, input.texts, input.marks);
      ASSERT_EQ(result.outcome, SolveOutcome::kSolved)
          << "row " << row << ": " << x << ", " << y << ", " << z << " thousandths";
      const ExactPrismValues exact = ExactValues(row, input.texts);
      for (Quantity q : kAllQuantities) {
        ++shown;
        if (!exact[q].has_value()) continue;  // beyond 64 bits: the doubles'
        ++shown_exactly;
        EXPECT_EQ(FieldText(result.values[q], exact[q]),
                  SevenDecimalsOf(units[Index(q)], decimals[Index(q)]))
            << "row " << row << ' ' << QuantityCaption(q) << ": " << x << ", " << y << ", " << z;
      }
    }
  }
  EXPECT_GT(shown_exactly, shown * 4 / 5);
}

::testing::AssertionResult IsRoundingOf(const std::string& shown, const ExactNumber& value) {
  if (testing::IsRoundingOf(shown, value)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << shown << " is not the rounding of "
                                       << RoundedToDecimals(value, 30)->fixed;
}

// What a pupil types for a value: at most seven characters, the seven the
// field takes, as many significant digits as fit ("1234567", "2.5e-7").
std::string Typed(double value) {
  for (int precision = 7; precision > 0; --precision) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", precision, value);
    std::string typed = text;
    for (const auto& [long_form, short_form] :
         {std::pair{"e-0", "e-"}, std::pair{"e+0", "e"}, std::pair{"e+", "e"}}) {
      if (const std::size_t at = typed.find(long_form); at != std::string::npos) {
        typed.replace(at, std::string_view(long_form).size(), short_form);
      }
    }
    if (typed.size() <= 7) return typed;
  }
  return "1";
}

// Random boxes of every row with typed values, from 10⁻⁷ to 10¹⁵, one in
// three with a thin side: the typed values mostly describe a box near the
// one drawn, and in rows 3, 8 and 9 often one at the edge or none. Every
// field shows its exact value's rounding; the exact values make the box
// whole (S = 2·c·(a + b), V = a·b·c, the given values as typed); the worked
// solution finds a box exactly where they are all positive, and writes no
// value as 0 that is not 0 and no "≈" without a number.
TEST(Solve, EveryShownDecimalIsTheExactValuesRounding) {
  std::mt19937_64 random(3712);
  std::uniform_real_distribution<double> exponent(-7.0, 15.0);
  std::uniform_real_distribution<double> thin(-7.0, -3.0);
  std::uniform_real_distribution<double> wide(0.0, 7.0);
  const std::regex zero_not_zero(R"((^|[^0-9])0\.0000000([^0-9]|$))");
  int solved = 0, no_box = 0;
  for (int box = 0; box < 300; ++box) {
    std::array<double, 3> sides;
    for (double& side : sides) side = std::pow(10.0, box % 3 == 0 ? wide(random) : exponent(random));
    if (box % 3 == 0) sides[random() % 3] = std::pow(10.0, thin(random));
    const auto [a, b, c] = sides;
    const std::array<double, 5> values = {a, b, c, 2 * c * (a + b), a * b * c};
    for (int row = 0; row < 10; ++row) {
      Input input;
      for (Quantity q : kCombinationTable[static_cast<std::size_t>(row)].known) {
        input.texts[Index(q)] = Typed(values[Index(q)]);
        input.marks[Index(q)] = 1;
      }
      if (!ValidateKnown(input.texts, input.marks)) continue;
      const SolveResult result = Solve(row, input.texts, input.marks);
      const std::optional<WorkedSolution> worked = SolveWorked(row, input.texts);
      ASSERT_TRUE(worked.has_value());
      const std::string trace = "row " + std::to_string(row) + ": " + input.texts[0] + "|" +
                                input.texts[1] + "|" + input.texts[2] + "|" + input.texts[3] +
                                "|" + input.texts[4];
      bool positive = result.outcome == SolveOutcome::kSolved;
      if (result.outcome == SolveOutcome::kSolved) {
        ++solved;
        const ExactPrismValues& e = result.exact;
        for (Quantity q : kAllQuantities) {
          EXPECT_TRUE(IsRoundingOf(FieldText(result.values[q], e[q]), e[q]))
              << trace << ' ' << QuantityCaption(q);
          positive = positive && Sign(e[q]) > 0;
        }
        using enum Quantity;
        EXPECT_EQ(Sign(e[kS] - ExactNumber(2) * e[kC] * (e[kA] + e[kB])), 0) << trace;
        EXPECT_EQ(Sign(e[kV] - e[kA] * e[kB] * e[kC]), 0) << trace;
        for (Quantity q : kCombinationTable[static_cast<std::size_t>(row)].known) {
          EXPECT_EQ(Sign(e[q] - ExactNumber::FromText(input.texts[Index(q)], {})), 0) << trace;
        }
      }
      if (!positive) ++no_box;
      EXPECT_EQ(worked->box, positive) << trace;
      for (const std::string& line : worked->lines) {
        EXPECT_FALSE(std::regex_search(line, zero_not_zero)) << trace << '\n' << line;
        EXPECT_FALSE(line.ends_with("≈") || line.ends_with("≈ ")) << trace << '\n' << line;
      }
    }
  }
  EXPECT_GT(solved, 2000);
  EXPECT_GT(no_box, 20) << "rows 3, 8 and 9 meet boxes that are none";
}

}  // namespace
}  // namespace prism
