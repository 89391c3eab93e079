// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/quantities.h"

#include <gtest/gtest.h>

#include <string>

namespace prism {
namespace {

// The one place the list's captions are written out: the other tests take
// them from the table. That the rows are the ten subsets, each caption naming
// its quantities, is checked where the table is compiled.
TEST(CombinationTable, CaptionsInListOrder) {
  const char* expected[] = {"a, b, c", "a, b, S", "a, b, V", "a, S, V", "a, c, S",
                            "a, c, V", "b, c, S", "b, c, V", "b, S, V", "c, S, V"};
  ASSERT_EQ(kCombinationTable.size(), 10u);
  for (std::size_t row = 0; row < kCombinationTable.size(); ++row) {
    EXPECT_EQ(kCombinationTable[row].caption, expected[row]) << "row " << row;
  }
}

TEST(CombinationTable, LookUpYieldsNoRowOutsideTheTable) {
  for (int row : {-32768, -1, 10, 11, 32767}) {
    EXPECT_EQ(FindCombination(row), nullptr) << row;
    for (Quantity q : kAllQuantities) EXPECT_FALSE(IsKnown(row, q)) << row;
  }
  EXPECT_EQ(FindCombination(0), &kCombinationTable[0]);
  EXPECT_EQ(FindCombination(9), &kCombinationTable[9]);
}

TEST(CombinationTable, IsKnownMatchesTheCaption) {
  for (int row = 0; row < 10; ++row) {
    const std::string caption(kCombinationTable[static_cast<std::size_t>(row)].caption);
    for (Quantity q : kAllQuantities) {
      EXPECT_EQ(IsKnown(row, q), caption.find(QuantityCaption(q)) != std::string::npos)
          << "row " << row << " quantity " << QuantityCaption(q);
    }
  }
}

}  // namespace
}  // namespace prism
