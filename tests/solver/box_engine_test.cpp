// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/box_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "solver/answer_checker.h"

namespace prism {
namespace {

using Box = std::array<ExactNumber, 3>;

// Every quantity of the box, exactly.
std::array<ExactNumber, kBoxQuantityCount> QuantitiesOf(const Box& e) {
  std::array<ExactNumber, kBoxQuantityCount> q;
  for (const BoxQuantityInfo& info : kBoxQuantities) q[Index(info.quantity)] = AnswerValue(info.quantity, e);
  return q;
}

// How the three quantities change with the edges: where the determinant
// is 0, they do not fix the box.
double Jacobian(const std::array<std::size_t, 3>& triple, const Box& box) {
  std::array<double, 3> e{};
  for (std::size_t i = 0; i < 3; ++i) e[i] = box[i].ToDouble();
  std::array<std::array<double, 3>, 3> m{};
  for (std::size_t row = 0; row < 3; ++row) {
    for (std::size_t col = 0; col < 3; ++col) {
      const double h = 1e-6 * e[col];
      Box up = box, down = box;
      up[col] = ExactNumber(Rational(box[col].rational_part())) + ExactNumber(Rational(static_cast<long long>(h * 1e12), 1000000000000LL));
      down[col] = ExactNumber(Rational(box[col].rational_part())) - ExactNumber(Rational(static_cast<long long>(h * 1e12), 1000000000000LL));
      m[row][col] = (QuantitiesOf(up)[triple[row]].ToDouble() - QuantitiesOf(down)[triple[row]].ToDouble()) / (2 * h);
    }
  }
  const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  double scale = 1;
  for (const auto& row : m) scale *= std::abs(row[0]) + std::abs(row[1]) + std::abs(row[2]);
  return det / scale;
}

Problem Given(const std::array<std::size_t, 3>& triple, const std::array<ExactNumber, kBoxQuantityCount>& values) {
  Problem problem;
  for (std::size_t q : triple) {
    problem.given.push_back({static_cast<BoxQuantity>(q), {Amount{values[q], "x", std::nullopt}}, "x"});
  }
  return problem;
}

// Every line that finds a quantity ("V = B·c = 12·5 = 60 см³", "Диагонал:
// d = … ≈ 7.07 см") ends with its value in the unit of its measure: the
// value itself, or after "≈" its rounding to the places asked for. Empty
// where each does; else the first line that does not.
std::string FirstLineNotReadingBack(const ProblemSolution& solution, int decimals) {
  static constexpr std::array<std::string_view, 3> kUnits = {" см", " см²", " см³"};
  bool given = true;  // the given values are written as typed
  for (std::string line : solution.worked.lines) {
    given = given && HeadingOf(line).value_or(SolutionHeading{SolutionPart::kGiven, ""}).part != SolutionPart::kSteps;
    if (given || line.find("Проверка") != std::string::npos || line.find("): ") != std::string::npos) continue;
    // "… = 14 см (периметър на основата)": the value before its name.
    for (const BoxQuantityInfo& info : kBoxQuantities) {
      const std::string named = " (" + std::string(info.title) + ")";
      if (line.ends_with(named)) line.resize(line.size() - named.size());
    }
    if (const std::size_t litres = line.rfind(" л"); litres != std::string::npos && litres + 3 == line.size()) {
      line.erase(line.rfind(" = "));  // "V = 60 000 см³ = 60 л": the volume
    }
    // What the line finds: its first name, or what follows "→".
    std::string_view found = line;
    if (const std::size_t label = found.find(": "); label < found.find(" = ")) found.remove_prefix(label + 2);
    if (const std::size_t arrow = found.rfind("→ "); arrow != std::string_view::npos) found.remove_prefix(arrow + 4);
    const std::optional<BoxQuantity> q = FindBoxQuantity(found.substr(0, found.find(" = ")));
    if (!q || found.find(" = ") == std::string_view::npos) continue;
    const std::size_t equals = line.rfind(" = "), about = line.rfind(" ≈ ");
    const bool approximate = about != std::string::npos && (equals == std::string::npos || about > equals);
    std::string value = line.substr(approximate ? about + 5 : equals + 3);
    // "c = 24 − b": an edge by the one an equation is in, not a value.
    if (std::any_of(value.begin(), value.end(), [](char ch) { return std::isalpha(static_cast<unsigned char>(ch)); })) {
      continue;
    }
    const std::string_view unit = kUnits[static_cast<std::size_t>(Info(*q).measure)];
    if (!value.ends_with(unit)) return line;
    value.resize(value.size() - unit.size());
    const ExactNumber read = ExactNumber::FromText(value, {});
    if (!read.has_value()) return line;
    const ExactNumber exact = solution.values[Index(*q)];
    const ExactNumber off = read - exact;
    const ExactNumber half = ExactNumber(Rational(1, 2)) / ExactNumber(Rational(boost::multiprecision::pow(boost::multiprecision::cpp_int(10), static_cast<unsigned>(decimals))));
    const bool right = approximate ? Sign(half - off).value_or(-1) >= 0 && Sign(half + off).value_or(-1) >= 0
                                   : Sign(off) == std::optional<int>(0);
    if (!right) return line;
  }
  return "";
}

// Over boxes with short decimal edges and every triple of the ten
// quantities: where the engine finds a box it gives back the three values
// (exactly, or to the doubles where it says it is approximate); where it
// does not, the three do not fix the box; never a wrong box, never "no box".
TEST(BoxEngine, EveryTripleOfEveryBoxGivesItBackOrNamesWhatIsMissing) {
  std::mt19937 random(2026);
  std::uniform_int_distribution<int> tenths(5, 200);
  int solved = 0, missing = 0;
  std::vector<std::string> unsolved;
  for (int round = 0; round < 12; ++round) {
    Box box;
    for (ExactNumber& edge : box) edge = ExactNumber(Rational(tenths(random), round % 2 == 0 ? 10 : 1));
    const auto values = QuantitiesOf(box);
    for (std::size_t x = 0; x < kBoxQuantityCount; ++x) {
      for (std::size_t y = x + 1; y < kBoxQuantityCount; ++y) {
        for (std::size_t z = y + 1; z < kBoxQuantityCount; ++z) {
          const std::array<std::size_t, 3> triple = {x, y, z};
          const std::string name = std::string(kBoxQuantities[x].name) + ", " +
                                   std::string(kBoxQuantities[y].name) + ", " + std::string(kBoxQuantities[z].name);
          SCOPED_TRACE(name + " of " + box[0].rational_part().str() + " × " + box[1].rational_part().str() +
                       " × " + box[2].rational_part().str());
          const ProblemSolution solution = SolveProblem(Given(triple, values), {}, LengthUnit::kCentimetre);
          std::string text;
          for (const std::string& line : solution.worked.lines) text += line + "\n";
          ASSERT_NE(solution.outcome, ProblemOutcome::kNoBox) << text;
          ASSERT_NE(solution.outcome, ProblemOutcome::kContradiction) << text;
          if (solution.outcome == ProblemOutcome::kMissing) {
            ++missing;
            EXPECT_FALSE(solution.missing.empty());
            if (std::abs(Jacobian(triple, box)) > 1e-6) unsolved.push_back(name);
            continue;
          }
          ++solved;
          ASSERT_TRUE(solution.worked.box);
          if (!solution.approximate) {
            EXPECT_EQ(FirstLineNotReadingBack(solution, SolutionStyle{}.decimals), "") << text;
            // And with the fields' seven places, for grade 7.
            const ProblemSolution seven =
                SolveProblem(Given(triple, values), {}, LengthUnit::kCentimetre, SolutionStyle{7, kDecimals});
            EXPECT_EQ(FirstLineNotReadingBack(seven, kDecimals), "");
          }
          const auto found = QuantitiesOf({solution.values[0], solution.values[1], solution.values[2]});
          for (std::size_t q : triple) {
            if (solution.approximate) {
              EXPECT_NEAR(found[q].ToDouble(), values[q].ToDouble(), 1e-9 * values[q].ToDouble());
            } else {
              EXPECT_EQ(Sign(found[q] - values[q]), std::optional<int>(0)) << kBoxQuantities[q].name;
            }
          }
        }
      }
    }
  }
  std::sort(unsolved.begin(), unsolved.end());
  unsolved.erase(std::unique(unsolved.begin(), unsolved.end()), unsolved.end());
  std::string list;
  for (const std::string& name : unsolved) list += name + "; ";
  EXPECT_EQ(list, "") << solved << " solved, " << missing << " missing";
}

}  // namespace
}  // namespace prism

namespace prism {
namespace {

// The cube from each of its quantities alone, the square base from each
// pair: the box they came from, exactly.
TEST(BoxEngine, TheCubeFromEachQuantityAndTheSquareBaseFromEachPair) {
  for (const Shape shape : {Shape::kCube, Shape::kSquareBase}) {
    for (const Box& box : {Box{ExactNumber(3), ExactNumber(3), ExactNumber(3)},
                           Box{ExactNumber(Rational(5, 2)), ExactNumber(Rational(5, 2)), ExactNumber(7)}}) {
      if (shape == Shape::kCube && Sign(box[0] - box[2]) != std::optional<int>(0)) continue;
      const auto values = QuantitiesOf(box);
      for (std::size_t x = 0; x < kBoxQuantityCount; ++x) {
        for (std::size_t y = shape == Shape::kCube ? x : x + 1; y < kBoxQuantityCount; ++y) {
          SCOPED_TRACE(std::string(shape == Shape::kCube ? "cube, " : "square base, ") +
                       std::string(kBoxQuantities[x].name) + ", " + std::string(kBoxQuantities[y].name));
          Problem problem;
          problem.shape = shape;
          std::vector<std::size_t> given = {x};
          if (y != x) given.push_back(y);
          for (std::size_t q : given) {
            problem.given.push_back({static_cast<BoxQuantity>(q), {Amount{values[q], "x", std::nullopt}}, "x"});
          }
          const ProblemSolution solution = SolveProblem(problem);
          if (solution.outcome == ProblemOutcome::kMissing) {
            // a, b, B and P of a square base all tell only its side.
            const auto base_only = [](std::size_t q) {
              return q == Index(BoxQuantity::kA) || q == Index(BoxQuantity::kB) ||
                     q == Index(BoxQuantity::kBase) || q == Index(BoxQuantity::kP);
            };
            EXPECT_TRUE(shape == Shape::kSquareBase && base_only(x) && base_only(y)) << solution.missing;
            continue;
          }
          ASSERT_EQ(solution.outcome, ProblemOutcome::kSolved);
          // The box given back; where two fit (a square base's S and L),
          // either, of the shape asked for.
          const Box found = {solution.values[0], solution.values[1], solution.values[2]};
          const auto found_values = QuantitiesOf(found);
          for (std::size_t q : given) {
            EXPECT_EQ(Sign(found_values[q] - values[q]), std::optional<int>(0)) << kBoxQuantities[q].name;
          }
          EXPECT_EQ(Sign(found[0] - found[1]), std::optional<int>(0));
          if (shape == Shape::kCube) {
            EXPECT_EQ(Sign(found[0] - found[2]), std::optional<int>(0));
          }
        }
      }
    }
  }
}

// Whole texts: units converted and shown, the cube's root, a check of a
// value no step needs, a contradiction, a value missing, no box.
TEST(BoxEngine, WritesTheSolutionAsThePupilDoes) {
  struct Case {
    std::vector<std::string> items;
    ProblemOutcome outcome;
    const char* text;
  };
  const Case cases[] = {
      {{"куб", "S₁ = 54 см²", "V = ?"}, ProblemOutcome::kSolved,
       "Дадено:\nS₁ = 54 см²\nкуб: a = b = c\nТърси се: V\nРешение:\n"
       "S₁ = 2·(a·b + b·c + c·a): 6a² = 54 см²\na² = 9\na = √9 = 3 см\nb = a = 3 см\n"
       "B = a·b = 3·3 = 9 см² (лице на основата)\nc = a = 3 см\nV = B·c = 9·3 = 27 см³\nОтговор:\nV = 27 см³ = 0.027 л\n"},
      {{"a = 3 дм", "b = 2 дм 5 см", "c = 2 дм", "V = ?"}, ProblemOutcome::kSolved,
       "Дадено:\na = 3 дм\nb = 2 дм 5 см = 2.5 дм\nc = 2 дм\nТърси се: V\nРешение:\n"
       "B = a·b = 3·2.5 = 7.5 дм² (лице на основата)\nV = B·c = 7.5·2 = 15 дм³\nОтговор:\nV = 15 дм³ = 15 л\n"},
      {{"V = 2 л", "a = 10 см", "b = 10 см", "c = ?"}, ProblemOutcome::kSolved,
       "Дадено:\nV = 2 л = 2000 см³\na = 10 см\nb = 10 см\nТърси се: c\nРешение:\n"
       "B = a·b = 10·10 = 100 см² (лице на основата)\nV = B·c → c = V : B = 2000 : 100 = 20 см\nОтговор:\nc = 20 см\n"},
      {{"V = 60", "B = 20", "c = ?"}, ProblemOutcome::kSolved,
       "Дадено:\nV = 60\nB = 20\nТърси се: c\nРешение:\nV = B·c → c = V : B = 60 : 20 = 3\nОтговор:\nc = 3\n"},
      {{"a=3", "b=4", "c=5", "V=60", "S=?"}, ProblemOutcome::kSolved,
       "Дадено:\na = 3\nb = 4\nc = 5\nV = 60\nТърси се: S\nРешение:\nP = 2·(a + b) = 2·(3 + 4) = 14 (периметър на основата)\n"
       "S = P·c = 14·5 = 70\nПроверка: V = B·c = 12·5 = 60, както е дадено.\nОтговор:\nS = 70\n"},
      // Which value disagrees, from the steps it was computed by alone.
      {{"a=3", "b=4", "c=5", "V=6", "S=?"}, ProblemOutcome::kContradiction,
       "Дадено:\na = 3\nb = 4\nc = 5\nV = 6\nТърси се: S\nРешение:\nB = a·b = 3·4 = 12 (лице на основата)\n"
       "V = 6, а B·c = 12·5 = 60: няма такъв паралелепипед.\n"
       "Отговор: Няма правоъгълен паралелепипед с такива размери.\n"},
      {{"b = 2a", "c = a − 1 см", "V = 36 см³", "a = ?"}, ProblemOutcome::kSolved,
       "Дадено:\nV = 36 см³\nb = 2a\nc = a − 1 см\nТърси се: a\nРешение:\nc = a − 1\n"
       "V = a·b·c: 2a³ − 2a² = 36 см³\na³ − a² − 18 = 0\nПроверяваме делителите на свободния член:\n"
       "a = 3 см\nОтговор:\na = 3 см\n"},
      {{"куб", "V = 50", "a = ?"}, ProblemOutcome::kSolved,
       "Дадено:\nV = 50\nкуб: a = b = c\nТърси се: a\nРешение:\nV = a·b·c: a³ = 50\n"
       "a = ∛50 ≈ 3.68\nОтговор:\na ≈ 3.68\n"},
      {{"d = 3", "a = 3", "b = 4"}, ProblemOutcome::kNoBox, nullptr},
      // No box from the faces: said so, not asked for more.
      {{"a = 1 см", "S = 2 см²", "V = 10 см³", "c = ?"}, ProblemOutcome::kNoBox,
       "Дадено:\na = 1 см\nS = 2 см²\nV = 10 см³\nТърси се: c\nРешение:\n"
       "V = a·b·c → b·c = V : a = 10 : 1 = 10 см²\n"
       "S = 2·a·c + 2·b·c → 2·a·c = S − 2·b·c = 2 − 2·10\n"
       "S = 2 см², а само 2·b·c = 20 см² > 2 см². Това е невъзможно, затова такъв паралелепипед няма.\n"
       "Отговор: Няма правоъгълен паралелепипед с такива размери.\n"},
      // Only the steps the reason stands on: no S₁ before it.
      {{"c = 1", "S = 4", "V = 5", "S1 = ?"}, ProblemOutcome::kNoBox,
       "Дадено:\nc = 1\nS = 4\nV = 5\nТърси се: S₁\nРешение:\n"
       "V = B·c → B = V : c = 5 : 1 = 5 (лице на основата)\nS = P·c → P = S : c = 4 : 1 = 4 (периметър на основата)\na + b = P : 2 = 4 : 2 = 2\n"
       "a·b = B = 5\n(b − a)² = (a + b)² − 4·a·b = 2² − 4·5 = 4 − 20 < 0, а квадратът на число не е "
       "отрицателен, затова такъв паралелепипед няма.\n"
       "Отговор: Няма правоъгълен паралелепипед с такива размери.\n"},
      {{"P = 14", "B = 12", "c = 5", "L = ?"}, ProblemOutcome::kSolved, nullptr},
      {{"a = 1e300", "b = 1e300", "c = 1e300", "V = ?"}, ProblemOutcome::kNoBox,
       "Дадено:\na = 1·10³⁰⁰\nb = 1·10³⁰⁰\nc = 1·10³⁰⁰\nТърси се: V\nРешение:\n"
       "Стойността на B е извън обхвата на числата, с които смята програмата.\nОтговор: Няма отговор.\n"},
      {{"a = 3", "V = 60"}, ProblemOutcome::kMissing, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.items.front());
    const auto read = ReadProblem(c.items);
    ASSERT_TRUE(std::holds_alternative<Problem>(read));
    const ProblemSolution solution = SolveProblem(std::get<Problem>(read));
    std::string text;
    for (const std::string& line : solution.worked.lines) text += line + "\n";
    EXPECT_EQ(solution.outcome, c.outcome) << text;
    if (c.text != nullptr) {
      EXPECT_EQ(text, c.text);
    }
  }
  const auto missing = SolveProblem(std::get<Problem>(ReadProblem(std::vector<std::string>{"a = 3", "V = 60"})));
  EXPECT_EQ(missing.missing, "Липсва още една величина, например c.");
}

}  // namespace
}  // namespace prism
