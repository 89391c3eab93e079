// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The five quantities of a rectangular box and the ten ways of choosing
// three of them as given.

#include <array>
#include <cstddef>
#include <string_view>

namespace prism {

// Also the index of a value field, its check box and its row in the window.
enum class Quantity : std::size_t { kA = 0, kB = 1, kC = 2, kS = 3, kV = 4 };

inline constexpr std::size_t kQuantityCount = 5;

inline constexpr std::array<Quantity, kQuantityCount> kAllQuantities = {
    Quantity::kA, Quantity::kB, Quantity::kC, Quantity::kS, Quantity::kV};

constexpr std::size_t Index(Quantity q) { return static_cast<std::size_t>(q); }

// The one-character text shown beside each value field; case matters.
inline constexpr std::array<std::string_view, kQuantityCount> kQuantityCaptions = {
    "a", "b", "c", "S", "V"};

constexpr std::string_view QuantityCaption(Quantity q) { return kQuantityCaptions[Index(q)]; }

// Five doubles indexed by Quantity: sides a, b, height c, lateral surface S, volume V.
struct PrismValues {
  std::array<double, kQuantityCount> values{};

  constexpr double& operator[](Quantity q) { return values[Index(q)]; }
  constexpr double operator[](Quantity q) const { return values[Index(q)]; }
};

// One row of the table: the three given quantities and the two computed ones,
// each in ascending quantity order.
struct Combination {
  std::string_view caption;
  std::array<Quantity, 3> known;
  std::array<Quantity, 2> computed;
};

inline constexpr std::size_t kCombinationCount = 10;

using CombinationTable = std::array<Combination, kCombinationCount>;

// The row index is the index of the entry in the window's list. The order is
// fixed as shown to the user; it is not sorted by any key.
inline constexpr CombinationTable kCombinationTable = {{
    {"a, b, c", {Quantity::kA, Quantity::kB, Quantity::kC}, {Quantity::kS, Quantity::kV}},
    {"a, b, S", {Quantity::kA, Quantity::kB, Quantity::kS}, {Quantity::kC, Quantity::kV}},
    {"a, b, V", {Quantity::kA, Quantity::kB, Quantity::kV}, {Quantity::kC, Quantity::kS}},
    {"a, S, V", {Quantity::kA, Quantity::kS, Quantity::kV}, {Quantity::kB, Quantity::kC}},
    {"a, c, S", {Quantity::kA, Quantity::kC, Quantity::kS}, {Quantity::kB, Quantity::kV}},
    {"a, c, V", {Quantity::kA, Quantity::kC, Quantity::kV}, {Quantity::kB, Quantity::kS}},
    {"b, c, S", {Quantity::kB, Quantity::kC, Quantity::kS}, {Quantity::kA, Quantity::kV}},
    {"b, c, V", {Quantity::kB, Quantity::kC, Quantity::kV}, {Quantity::kA, Quantity::kS}},
    {"b, S, V", {Quantity::kB, Quantity::kS, Quantity::kV}, {Quantity::kA, Quantity::kC}},
    {"c, S, V", {Quantity::kC, Quantity::kS, Quantity::kV}, {Quantity::kA, Quantity::kB}},
}};

// The row with that index, or nullptr outside 0..9.
constexpr const Combination* FindCombination(int row) {
  if (row < 0 || row >= static_cast<int>(kCombinationCount)) return nullptr;
  return &kCombinationTable[static_cast<std::size_t>(row)];
}

// Whether q is one of the given quantities of the row; false for no row.
constexpr bool IsKnown(int row, Quantity q) {
  const Combination* combination = FindCombination(row);
  if (combination == nullptr) return false;
  for (Quantity known : combination->known) {
    if (known == q) return true;
  }
  return false;
}

}  // namespace prism
