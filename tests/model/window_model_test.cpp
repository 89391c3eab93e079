// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/model/window_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

namespace prism {
namespace {

WindowModel Started(NumberFormat format = {}) {
  WindowModel model(std::move(format));
  model.Load();
  return model;
}

using FiveTexts = std::array<std::string, kQuantityCount>;

// Started, with the row selected and its known fields typed in ascending order.
WindowModel StartedWithRow(int row, std::array<const char*, 3> known_texts) {
  WindowModel model = Started();
  model.ListSelected(row);
  const Combination& combination = kCombinationTable[static_cast<std::size_t>(row)];
  for (std::size_t k = 0; k < 3; ++k) {
    model.FieldTyped(static_cast<int>(Index(combination.known[k])), known_texts[k]);
  }
  return model;
}

FiveTexts Texts(const WindowModel& model) {
  FiveTexts texts;
  for (std::size_t i = 0; i < kQuantityCount; ++i) texts[i] = model.fields()[i].text;
  return texts;
}

// Exactly the row's three known fields are checked and editable.
void ExpectRowApplied(const WindowModel& model, int row) {
  for (Quantity q : kAllQuantities) {
    const FieldState& field = model.field(q);
    EXPECT_EQ(field.known, IsKnown(row, q)) << QuantityCaption(q);
    EXPECT_EQ(field.read_only, !IsKnown(row, q)) << QuantityCaption(q);
  }
}

TEST(WindowModel, StartsWithTheFirstCombinationAndEmptyFields) {
  const WindowModel model = Started();
  EXPECT_EQ(model.selected_entry(), 0);
  ExpectRowApplied(model, 0);
  EXPECT_EQ(Texts(model), FiveTexts{});
  for (const FieldState& field : model.fields()) EXPECT_EQ(field.max_typed_length, 7);
  for (std::size_t row = 0; row < kCombinationCount; ++row) {
    EXPECT_EQ(WindowModel::ListCaptions()[row], kCombinationTable[row].caption);
  }
}

// A refused press writes nothing, but names what to fix: the first given
// field, in quantity order, that is not a positive number, or no box at all.
TEST(WindowModel, RefusedCalculateNamesWhatToFix) {
  struct Case {
    int row;
    std::array<const char*, 3> known;
    Reaction expected;
  };
  const Case cases[] = {
      {0, {"", "", ""}, {Refusal::kNotPositive, 0}},  // right after start
      {0, {"3", "0", "abc"}, {Refusal::kNotPositive, 1}},
      // Anything after the number but blanks: refused, never read as less.
      {0, {"2,5", "3", "1"}, {Refusal::kNotPositive, 0}},
      {0, {"3", "1/2", "1"}, {Refusal::kNotPositive, 1}},
      {0, {"3", "3abc", "5%"}, {Refusal::kNotPositive, 1}},
      {0, {"3", "4", "3e"}, {Refusal::kNotPositive, 2}},
      {0, {"3", "2\u00B2", "1"}, {Refusal::kNotPositive, 1}},
      {0, {"3", "4", "-5"}, {Refusal::kNotPositive, 2}},
      {3, {"3", "70", "1e999"}, {Refusal::kTooLarge, 4}},
      {3, {"3", "-1e999", "1"}, {Refusal::kNotPositive, 3}},
      {0, {"3", "4", "1e-999"}, {Refusal::kTooSmall, 2}},
      // a·S = 2·V exactly, though not in doubles: no box, not a huge side.
      {3, {"0.7", "2.8", "0.98"}, {Refusal::kNoBox, kNoField}},
      {8, {"0.7", "2.8", "0.98"}, {Refusal::kNoBox, kNoField}},
      {9, {"1", " ", "1"}, {Refusal::kNotPositive, 3}},
      {9, {"1", "2", "1"}, {Refusal::kNoBox, kNoField}},
      {3, {"3", "40", "60"}, {Refusal::kNoBox, kNoField}},
  };
  for (const Case& c : cases) {
    WindowModel model = StartedWithRow(c.row, c.known);
    const FieldStates before = model.fields();
    const Reaction reaction = model.ButtonClicked(kCalculateButton);
    EXPECT_EQ(reaction, c.expected) << "row " << c.row << ' ' << c.known[0] << ',' << c.known[1]
                                    << ',' << c.known[2];
    EXPECT_TRUE(reaction.alert());
    EXPECT_EQ(model.fields(), before);
  }
  EXPECT_EQ(RefusalHint(Refusal::kNotPositive), "Въведете положително число.");
  EXPECT_EQ(RefusalHint(Refusal::kNoBox), "Няма правоъгълен паралелепипед с тези стойности.");
  EXPECT_EQ(RefusalHint(Refusal::kTooLarge), "Числото е твърде голямо.");
}

TEST(WindowModel, SolvesTheWorkedExample) {
  WindowModel model = Started();
  ASSERT_TRUE(model.FieldTyped(0, "3"));
  ASSERT_TRUE(model.FieldTyped(1, "4"));
  ASSERT_TRUE(model.FieldTyped(2, "5"));
  EXPECT_EQ(model.ButtonClicked(kCalculateButton), Reaction{});
  EXPECT_EQ(Texts(model),
            (FiveTexts{"3.0000000", "4.0000000", "5.0000000", "70.0000000", "60.0000000"}));
  ExpectRowApplied(model, 0);
}

// Pressing calculate again reads the program's own output back; under a
// regional "," it must keep the values.
TEST(WindowModel, SecondCalculateKeepsTheValues) {
  struct Case {
    NumberFormat format;
    std::array<const char*, 3> typed;
    FiveTexts expected;
  };
  const Case cases[] = {
      {{}, {"2.5", "4", "1"}, {"2.5000000", "4.0000000", "1.0000000", "13.0000000", "10.0000000"}},
      {{",", "", {3, 3}},
       {"2,5", "4", "1"},
       {"2,5000000", "4,0000000", "1,0000000", "13,0000000", "10,0000000"}},
      {{",", ".", {3, 3}},
       {"1000", "2,5", "1"},
       {"1.000,0000000", "2,5000000", "1,0000000", "2.005,0000000", "2.500,0000000"}},
      {{",", "\u00A0", {3}},
       {"1234", "2,5", "1"},
       {"1\u00A0234,0000000", "2,5000000", "1,0000000", "2\u00A0473,0000000",
        "3\u00A0085,0000000"}},
  };
  for (const Case& c : cases) {
    WindowModel model = Started(c.format);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(model.FieldTyped(i, c.typed[static_cast<std::size_t>(i)]));
    model.ButtonClicked(kCalculateButton);
    EXPECT_EQ(Texts(model), c.expected);
    model.ButtonClicked(kCalculateButton);
    EXPECT_EQ(Texts(model), c.expected) << "after the second press";
  }
}

// The solution's window follows the fields: the solution of the last press
// while they hold its numbers, else one line saying what to do.
TEST(WindowModel, SolutionFollowsTheFields) {
  // The first line shown: the solution's, or the one that says what to do.
  const auto first_line = [](const WindowModel& model) {
    const ShownSolution shown = model.Solution(LengthUnit::kNone);
    if (const auto* prompt = std::get_if<SolutionPrompt>(&shown)) return prompt->text;
    return std::get<WorkedSolution>(shown).lines.front();
  };
  const auto solution = [](const WindowModel& model) {
    const ShownSolution shown = model.Solution(LengthUnit::kNone);
    return std::holds_alternative<WorkedSolution>(shown) ? std::get<WorkedSolution>(shown)
                                                         : WorkedSolution{};
  };
  WindowModel model = StartedWithRow(2, {"3", "4", "50"});
  EXPECT_EQ(first_line(model), kSolutionPrompt);
  model.ButtonClicked(kCalculateButton);
  EXPECT_EQ(first_line(model), "Дадено:");
  EXPECT_TRUE(solution(model).box);
  EXPECT_TRUE(model.field(Quantity::kS).derivation.ends_with("\nЦялото решение: F2"));
  model.FieldTyped(0, "35");
  EXPECT_EQ(first_line(model), kSolutionPrompt) << "an edit";
  model.ButtonClicked(kCalculateButton);
  model.ButtonClicked(kClearButton);
  EXPECT_EQ(first_line(model), kSolutionPrompt) << "cleared";
  model.FieldTyped(0, "-3");
  model.ButtonClicked(kCalculateButton);
  EXPECT_EQ(first_line(model), RefusalHint(Refusal::kNotPositive)) << "a refused press";
  EXPECT_TRUE(std::get<SolutionPrompt>(model.Solution(LengthUnit::kNone)).refusal);
  // Numbers that describe no box: the solution says why.
  model = StartedWithRow(9, {"1", "4", "5"});
  model.ButtonClicked(kCalculateButton);
  EXPECT_EQ(model.refusal().refusal, Refusal::kNoBox);
  ASSERT_TRUE(std::holds_alternative<WorkedSolution>(model.Solution(LengthUnit::kNone)))
      << "a solution that says why";
  EXPECT_FALSE(solution(model).box);
  EXPECT_EQ(solution(model).lines.back(), "Отговор: Няма правоъгълен паралелепипед с такива размери.");
  model.ListSelected(0);
  EXPECT_EQ(first_line(model), kSolutionPrompt) << "another combination";
}

TEST(WindowModel, ClearEmptiesTheFieldsOnly) {
  WindowModel model = StartedWithRow(3, {"3", "70", "60"});
  model.ButtonClicked(kCalculateButton);
  model.ButtonClicked(kClearButton);
  EXPECT_EQ(Texts(model), FiveTexts{});
  ExpectRowApplied(model, 3);
  EXPECT_EQ(model.selected_entry(), 3);
  const FieldStates cleared = model.fields();
  model.ButtonClicked(kCalculateButton);
  EXPECT_EQ(model.fields(), cleared);
}

TEST(WindowModel, ChangingTheCombinationEmptiesEveryField) {
  for (int row = 1; row < 10; ++row) {
    WindowModel model = Started();
    model.FieldTyped(0, "3");
    model.FieldTyped(1, "4");
    model.FieldTyped(2, "5");
    model.ListSelected(row);
    EXPECT_EQ(model.selected_entry(), row);
    EXPECT_EQ(Texts(model), FiveTexts{}) << "row " << row;
    ExpectRowApplied(model, row);
  }
}

TEST(WindowModel, SelectingTheSelectedEntryKeepsWhatWasTyped) {
  WindowModel model = Started();
  model.FieldTyped(0, "3");
  model.ListSelected(0);
  EXPECT_EQ(model.field(Quantity::kA).text, "3");
}

TEST(WindowModel, IgnoresOtherButtons) {
  WindowModel model = Started();
  model.FieldTyped(0, "3");
  const FieldStates before = model.fields();
  EXPECT_EQ(model.ButtonClicked(2), Reaction{});
  EXPECT_EQ(model.ButtonClicked(-1), Reaction{});
  EXPECT_EQ(model.fields(), before);
  EXPECT_EQ(model.selected_entry(), 0);
}

TEST(WindowModel, NoSelectionLeavesEveryFieldLocked) {
  WindowModel model = Started();
  model.ListSelected(kNoEntry);
  EXPECT_EQ(model.selected_entry(), kNoEntry);
  for (const FieldState& field : model.fields()) {
    EXPECT_TRUE(field.read_only);
    EXPECT_FALSE(field.known);
  }
  EXPECT_FALSE(model.FieldTyped(0, "3"));
  model.ListSelected(42);
  EXPECT_EQ(model.selected_entry(), kNoEntry);
}

TEST(WindowModel, TypingLimits) {
  constexpr Refusal kFits = Refusal::kNone;
  constexpr Refusal kTooLong = Refusal::kTooLong;
  struct Case {
    int field;
    // Typed first; or, starting with '=', row 1's 3, 4, 70 calculated and
    // the rest typed into the field.
    const char* before;
    const char* typed;   // what the edit would make the text
    const char* kept;    // what the field then holds; nullptr: the edit changes nothing
    std::size_t cursor;  // characters before the cursor after a kept edit
    Refusal refusal;     // why nothing changed; kFits with no text kept: no typing at all
  };
  const Case cases[] = {
      {0, "", "1234567", "1234567", 7, kFits},
      {0, "1234567", "12345678", nullptr, 0, kTooLong},  // an eighth character stops
      // A paste that does not fit is refused whole, never cut into another number.
      {0, "", "123456789", nullptr, 0, kTooLong},
      {0, "123456", "12ab3456", nullptr, 0, kTooLong},
      {0, "1234", "1x234", "1x234", 2, kFits},
      {0, "1234567", "17", "17", 1, kFits},
      {0, "", "абвгдеж", "абвгдеж", 7, kFits},  // seven characters, fourteen bytes
      {0, "", "абвгдежз", nullptr, 0, kTooLong},
      {0, "1", "1\u00A0000\u202F0", "1\u00A0000\u202F0", 7, kFits},
      // A line end ends a pasted line; one inside the paste refuses it.
      {0, "", "5\r\n", "5", 1, kFits},
      {0, "", "1234567\n", "1234567", 7, kFits},
      {0, "", "5\r\n6", nullptr, 0, Refusal::kNotOneLine},
      {3, "", "1", nullptr, 0, kFits},  // S is read-only in row 0
      {4, "", "1", nullptr, 0, kFits},
      {-1, "", "1", nullptr, 0, kFits},
      {5, "", "1", nullptr, 0, kFits},
      // A result longer than the limit can still be shortened or edited in place.
      {0, "=", "3.000000", "3.000000", 8, kFits},
      {0, "=", "3.0000001", "3.0000001", 9, kFits},
      {0, "=", "3.00000001", nullptr, 0, kTooLong},
      // Room up to the length the program wrote: "70.0000000" → "7.0000000" → "75.0000000".
      {3, "=", "7.0000000", "7.0000000", 1, kFits},
      {3, "=7.0000000", "75.0000000", "75.0000000", 2, kFits},
      {3, "=7.0000000", "705.0000000", nullptr, 0, kTooLong},
  };
  for (const Case& c : cases) {
    WindowModel model = Started();
    if (c.before[0] == '=') {
      model = StartedWithRow(1, {"3", "4", "70"});
      model.ButtonClicked(kCalculateButton);
      ASSERT_EQ(model.field(Quantity::kA).text, "3.0000000");
      if (c.before[1] != '\0') {
        ASSERT_TRUE(model.FieldTyped(c.field, c.before + 1));
      }
    } else if (*c.before != '\0') {
      ASSERT_TRUE(model.FieldTyped(c.field, c.before));
    }
    const FieldStates before = model.fields();
    const std::optional<TypedEdit> fitted = model.FitTyping(c.field, c.typed);
    EXPECT_EQ(model.FieldTyped(c.field, c.typed), c.kept != nullptr) << c.typed;
    if (c.kept != nullptr) {
      ASSERT_TRUE(fitted.has_value());
      EXPECT_EQ(*fitted, (TypedEdit{c.kept, c.cursor})) << c.typed;
      EXPECT_EQ(model.fields()[static_cast<std::size_t>(c.field)].text, c.kept);
      EXPECT_FALSE(model.refusal().alert());
      continue;
    }
    EXPECT_EQ(model.fields(), before) << c.typed;
    if (c.refusal == kFits) {
      EXPECT_FALSE(fitted.has_value()) << c.typed;
      continue;
    }
    // The refusal stands, its hint beside the field, the user's text left as it was.
    ASSERT_TRUE(fitted.has_value());
    EXPECT_EQ(fitted->refusal, c.refusal) << c.typed;
    EXPECT_EQ(model.refusal(), (Reaction{c.refusal, c.field, false})) << c.typed;
  }
}

std::size_t Characters(const std::string& utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

bool ShowsNoNumber(const std::string& text) {
  return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos;
}

// Random sessions of every kind of event, checking after each what must hold
// whatever the user does.
TEST(WindowModel, RandomSessionKeepsItsInvariants) {
  std::mt19937 random(424242);
  const char* pieces[] = {"0", "1", "3", "7", "9", ".", ",", "-", "e", "E", "5", "99",
                          " ", "a", "1e308", "1e-300", "1e999", "\u202F", "б"};
  auto random_text = [&] {
    std::string text;
    const int n = static_cast<int>(random() % 5);
    for (int i = 0; i < n; ++i) text += pieces[random() % std::size(pieces)];
    return text;
  };
  const NumberFormat formats[] = {{}, {",", "", {3, 3}}, {",", ".", {3, 3}}, {".", ",", {3}}};
  int solved = 0;
  for (const NumberFormat& format : formats) {
    WindowModel model = Started(format);
    for (int i = 0; i < 30000; ++i) {
      const FieldStates before = model.fields();
      const int before_entry = model.selected_entry();
      const int kind = static_cast<int>(random() % 20);
      if (kind < 12) {
        const int field = static_cast<int>(random() % 5);
        const std::string& old_text = before[static_cast<std::size_t>(field)].text;
        std::string text = kind < 5   ? std::to_string(1 + random() % 999)
                           : kind < 9 ? old_text + random_text()
                           : kind < 11 ? random_text()
                                       : old_text.substr(0, old_text.size() / 2);
        const bool accepted = model.FieldTyped(field, text);
        for (std::size_t q = 0; q < kQuantityCount; ++q) {
          if (static_cast<int>(q) == field && accepted) {
            // A read-only field takes only what changes nothing.
            ASSERT_TRUE(!before[q].read_only || text == old_text);
            const std::size_t room = std::max<std::size_t>(7, before[q].written_length);
            if (Characters(text) <= room) {
              ASSERT_EQ(model.fields()[q].text, text);
            } else {
              ASSERT_EQ(Characters(model.fields()[q].text), room) << text;
            }
          } else {
            // An edit takes the computed values' derivations away, nothing else.
            FieldState kept = before[q];
            const std::size_t edited = static_cast<std::size_t>(field);
            if (accepted && model.fields()[edited].text != before[edited].text) {
              kept.derivation.clear();
            }
            ASSERT_EQ(model.fields()[q], kept);
          }
        }
      } else if (kind < 14) {
        const int row = kind == 13 ? before_entry : static_cast<int>(random() % 10);
        model.ListSelected(row);
        if (row == before_entry) {
          ASSERT_EQ(model.fields(), before);
        }
      } else {
        const int button = kind < 19 ? kCalculateButton : kClearButton;
        model.ButtonClicked(button);
        if (button == kCalculateButton && model.fields() != before) ++solved;
        for (std::size_t q = 0; q < kQuantityCount; ++q) {
          if (button == kClearButton) {
            ASSERT_TRUE(model.fields()[q].text.empty());
          }
          ASSERT_EQ(model.fields()[q].known, before[q].known);
          ASSERT_EQ(model.fields()[q].read_only, before[q].read_only);
        }
      }
      ASSERT_GE(model.selected_entry(), 0);
      for (Quantity q : kAllQuantities) {
        const FieldState& field = model.field(q);
        const bool known = IsKnown(model.selected_entry(), q);
        ASSERT_EQ(field.known, known);
        ASSERT_EQ(field.read_only, !known);
        ASSERT_FALSE(ShowsNoNumber(field.text)) << field.text;
        ASSERT_TRUE(field.derivation.empty() || (!known && !field.text.empty()));
        ASSERT_EQ(field.max_typed_length, kMaxTypedLength);
      }
    }
  }
  // The session must reach the formulas often, not only rejections.
  EXPECT_GT(solved, 1000);
}

}  // namespace
}  // namespace prism
