// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/quantities.h"

#include <bit>

namespace prism {
namespace {

constexpr unsigned KnownMask(const Combination& row) {
  unsigned mask = 0;
  for (Quantity q : row.known) mask |= 1u << Index(q);
  return mask;
}

constexpr bool RowsAreTheTenSubsets() {
  for (std::size_t i = 0; i < kCombinationCount; ++i) {
    if (std::popcount(KnownMask(kCombinationTable[i])) != 3) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (KnownMask(kCombinationTable[i]) == KnownMask(kCombinationTable[j])) return false;
    }
  }
  return true;
}

// Known and computed quantities of a row together are all five, each side ascending.
constexpr bool RowsAreConsistent() {
  for (const Combination& row : kCombinationTable) {
    unsigned computed = 0;
    for (Quantity q : row.computed) computed |= 1u << Index(q);
    if ((computed | KnownMask(row)) != 0b11111u || (computed & KnownMask(row)) != 0) return false;
    if (!(row.known[0] < row.known[1] && row.known[1] < row.known[2])) return false;
    if (!(row.computed[0] < row.computed[1])) return false;
  }
  return true;
}

// A caption is the known quantities' captions joined by ", ".
constexpr bool CaptionsNameTheKnownQuantities() {
  for (const Combination& row : kCombinationTable) {
    if (row.caption.size() != 7) return false;
    for (std::size_t k = 0; k < 3; ++k) {
      if (row.caption.substr(k * 3, 1) != QuantityCaption(row.known[k])) return false;
      if (k < 2 && row.caption.substr(k * 3 + 1, 2) != ", ") return false;
    }
  }
  return true;
}

static_assert(RowsAreTheTenSubsets());
static_assert(RowsAreConsistent());
static_assert(CaptionsNameTheKnownQuantities());

}  // namespace
}  // namespace prism
