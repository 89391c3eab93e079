// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/model/typeset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace prism {
namespace {

constexpr Baseline kN = Baseline::kNormal;
constexpr Baseline kSub = Baseline::kSubscript;
constexpr Baseline kSup = Baseline::kSuperscript;

// What the family draws for each text, and that a copy gives back the text.
TEST(Typeset, DrawsWhatTheFamilyLacksAsItsOwnDigitsAndGivesItBack) {
  struct Case {
    const char* written;
    std::vector<TypeRun> drawn;
  };
  const Case cases[] = {
      {"", {}},
      {"a = 3 см", {{"a = 3 см", kN}}},
      {"S₁ = S + 2·B", {{"S", kN}, {"1", kSub}, {" = S + 2·B", kN}}},
      {"x₁₂", {{"x", kN}, {"12", kSub}}},
      {"V = 60 см³", {{"V = 60 см", kN}, {"3", kSup}}},
      {"1,999891·10⁻⁷ см", {{"1,999891·10", kN}, {"−7", kSup}, {" см", kN}}},
      {"10⁻³⁰⁰", {{"10", kN}, {"−300", kSup}}},
      {"a²₁", {{"a", kN}, {"2", kSup}, {"1", kSub}}},
      {"a = ∛V", {{"a = ", kN}, {"3", kSup}, {"√V", kN}}},
      {"∛(27/8) = 3/2", {{"3", kSup}, {"√(27/8) = 3/2", kN}}},
      // The index joins the raised run before it, and is still read back.
      {"10⁻³∛8", {{"10", kN}, {"−33", kSup}, {"√8", kN}}},
      {"√(a² + b²) → d", {{"√(a", kN}, {"2", kSup}, {" + b", kN}, {"2", kSup}, {") → d", kN}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    const std::vector<TypeRun> runs = Typeset(c.written);
    EXPECT_EQ(runs, c.drawn);
    EXPECT_EQ(Written(runs), c.written);
  }
}

// Runs cut anywhere, as a selection cuts them, still read back as written;
// a raised 3 before a root is the cube root, a raised 3 elsewhere a cube.
TEST(Typeset, ReadsBackRunsAsASelectionCutsThem) {
  struct Case {
    std::vector<TypeRun> runs;
    const char* written;
  };
  const Case cases[] = {
      {{{"S", kN}, {"1", kSub}}, "S₁"},
      {{{"1", kSub}}, "₁"},
      {{{"10", kN}, {"−", kSup}, {"7", kSup}}, "10⁻⁷"},
      {{{"3", kSup}, {"√", kN}, {"8", kN}}, "∛8"},
      {{{"3", kSup}}, "³"},
      {{{"3", kSup}, {" √", kN}}, "³ √"},
      {{{"2", kN}, {"3", kN}}, "23"},
      {{{"x", kSup}}, "x"},  // nothing the table draws: kept as it is
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    EXPECT_EQ(Written(c.runs), c.written);
  }
}

}  // namespace
}  // namespace prism
