// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/notation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace prism {
namespace {

// Appended piece by piece: GCC 12 for Windows warns wrongly (-Wrestrict) at
// -O3 on a text put before another.
std::string Described(const Amount& amount) {
  std::string text = amount.typed;
  if (amount.unit) {
    text += "[";
    text += amount.unit->written;
    text += "]";
  }
  return text;
}

// A problem in one line: given values, links, the shape, what is sought.
std::string Described(const Problem& problem) {
  std::string text;
  const auto add = [&text](std::string_view name, std::string_view sign, const std::string& value) {
    if (!text.empty()) text += "; ";
    text += name;
    text += sign;
    text += value;
  };
  for (const GivenValue& given : problem.given) {
    std::string value;
    for (const Amount& part : given.parts) {
      if (!value.empty()) value += "+";
      value += Described(part);
    }
    add(Info(given.quantity).name, "=", value);
  }
  for (const EdgeLink& link : problem.links) {
    std::string value = link.factor.str();
    value += "·";
    value += Info(link.from).name;
    if (link.offset) {
      value += link.offset_negative ? "-" : "+";
      value += Described(*link.offset);
    }
    add(Info(link.edge).name, "=", value);
  }
  if (problem.shape == Shape::kCube) add("куб", "", "");
  if (problem.shape == Shape::kSquareBase) add("квадратна основа", "", "");
  for (BoxQuantity q : problem.sought) add("?", "", std::string(Info(q).name));
  return text;
}

std::string ReadText(const char* text, const NumberFormat& format = {}) {
  const auto read = ReadProblemText(text, format);
  if (const auto* error = std::get_if<NotationError>(&read)) {
    return "ред " + std::to_string(error->line) + ": " + error->message;
  }
  return Described(std::get<Problem>(read));
}

TEST(Notation, ReadsEveryItemAPupilWrites) {
  const NumberFormat comma{",", " ", {3}};
  struct Case {
    const char* text;
    const char* read;
  };
  const Case cases[] = {
      {"a=3", "a=3"},
      {"  a = 3 ;b=4; c = 5 ", "a=3; b=4; c=5"},
      {"S₁ = 54 см²", "S₁=54[см²]"},
      {"S1=54cm2", "S₁=54[cm2]"},
      {"V = 2,5 л", "V=2,5[л]"},
      {"V = 2.5 л", "V=2,5[л]"},
      {"V = 750 мл; B = 1 дм²", "V=750[мл]; B=1[дм²]"},
      {"V = 60 см³", "V=60[см³]"},
      {"b = 2 дм 5 см", "b=2[дм]+5[см]"},
      {"a = 3 дм\nb = 2дм 5см\nc = 2 дм", "a=3[дм]; b=2[дм]+5[см]; c=2[дм]"},
      {"d = 13 м", "d=13[м]"},
      {"L = 48 mm", "L=48[mm]"},
      {"P = 14", "P=14"},
      {"b = 2a", "b=2·a"},
      {"b = 2·a", "b=2·a"},
      {"b = 2 * a", "b=2·a"},
      {"b = a/2", "b=1/2·a"},
      {"b = 3a/4", "b=3/4·a"},
      {"c = b − 1", "c=1·b-1"},
      {"c = b - 1 см", "c=1·b-1[см]"},
      {"a = b + 3 cm", "a=1·b+3[cm]"},
      {"a = 0,5c", "a=1/2·c"},
      {"куб; S₁ = 54 см²; V = ?", "S₁=54[см²]; куб; ?V"},
      {"Куб", "куб"},
      {"квадратна основа; V = 32; a = 2", "V=32; a=2; квадратна основа"},
      {"S = ?; S₁ = ?", "?S; ?S₁"},
      {"a = 1e-3", "a=1·10⁻³"},
      {"\n\n;;", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadText(c.text, comma), c.read);
  }
}

// A wrong item is named, with what is wrong in it, and its line.
TEST(Notation, NamesWhatIsWrongInAnItem) {
  const NumberFormat comma{",", " ", {3}};
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"b = x", "ред 1: „b = x“: x не е число"},
      {"S2 = 5", "ред 1: „S2 = 5“: няма такава величина"},
      {"a = 3\nh = 4", "ред 2: „h = 4“: няма такава величина"},
      {"a = 3; a = 4", "ред 1: „a = 4“: a е дадено два пъти"},
      {"a = 3; a = ?", "ред 1: „a = ?“: a е дадено"},
      {"V = ?; V = 5", "ред 1: „V = 5“: V се търси"},
      {"a = 0", "ред 1: „a = 0“: 0 не е положително число"},
      {"a = -3", "ред 1: „a = -3“: -3 не е положително число"},
      {"a = −3", "ред 1: „a = −3“: −3 не е положително число"},
      // What the window's fields refuse, for the same reasons.
      {"a = 1e999", "ред 1: „a = 1e999“: 1e999: числото е твърде голямо"},
      {"a = 1e-310", "ред 1: „a = 1e-310“: 1e-310: числото е твърде близо до нулата"},
      {"a = 3 km", "ред 1: „a = 3 km“: km не е мерна единица"},
      {"a = 3 смм", "ред 1: „a = 3 смм“: смм не е мерна единица"},
      {"V = 3 см", "ред 1: „V = 3 см“: см не е мярка за обем"},
      {"S = 3 л", "ред 1: „S = 3 л“: л не е мярка за лице"},
      {"a = 3 см²", "ред 1: „a = 3 см²“: см² не е мярка за дължина"},
      {"a = 3 4", "ред 1: „a = 3 4“: 3 4 не е число"},
      {"a = 3", "a=3"},
      {"a 3", "ред 1: „a 3“: липсва „=“ (пример: a = 3 см)"},
      {"a =", "ред 1: „a =“: липсва стойност"},
      {"a = 2a", "ред 1: „a = 2a“: ръб не се дава чрез себе си"},
      {"S = 2a", "ред 1: „S = 2a“: само ръб се дава чрез друг ръб"},
      {"b = xa", "ред 1: „b = xa“: xa не е число"},
      {"b = a * 2", "ред 1: „b = a * 2“: * 2 не е число"},
      {"b = a + 2 см²", "ред 1: „b = a + 2 см²“: см² не е мярка за дължина"},
      {"b = 1/2", "ред 1: „b = 1/2“: 1/2 не е число"},
      {"a = 3abc", "ред 1: „a = 3abc“: abc не е мерна единица"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadText(c.text, comma), c.error);
  }
}

// The command line's items: each argument whole, blanks and all.
TEST(Notation, TakesEachArgumentAsOneItem) {
  const std::vector<std::string> items = {"S₁ = 54 см²", "куб", "V=?"};
  const auto read = ReadProblem(items);
  ASSERT_TRUE(std::holds_alternative<Problem>(read));
  EXPECT_EQ(Described(std::get<Problem>(read)), "S₁=54[см²]; куб; ?V");
  const std::vector<std::string> wrong = {"a=3", "b = 4; c = 5"};
  const auto error = ReadProblem(wrong);
  ASSERT_TRUE(std::holds_alternative<NotationError>(error));
  EXPECT_EQ(std::get<NotationError>(error).message, "„b = 4; c = 5“: ; не е мерна единица");
}

}  // namespace
}  // namespace prism
