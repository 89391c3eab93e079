// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The quantities a school problem about a rectangular box gives or asks
// for: the three edges, the lateral and the total surface, the volume, the
// base's area and perimeter, the diagonal and the sum of all twelve edges;
// each with how it is measured.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "solver/quantities.h"

namespace prism {

enum class Measure : std::uint8_t { kLength, kArea, kVolume };

enum class BoxQuantity : std::uint8_t { kA, kB, kC, kS, kS1, kV, kBase, kP, kD, kL };
inline constexpr std::size_t kBoxQuantityCount = 10;

struct BoxQuantityInfo {
  BoxQuantity quantity;
  std::string_view name;   // as the notation and the solution write it: "S₁"
  std::string_view ascii;  // as a keyboard writes it too: "S1"
  // The one letter an expression names it by ("T" for S₁, whose name is two
  // characters), for putting its value in.
  char letter;
  Measure measure;
  std::string_view title;  // "пълна повърхнина"
};

inline constexpr std::array<BoxQuantityInfo, kBoxQuantityCount> kBoxQuantities = {{
    {BoxQuantity::kA, "a", "a", 'a', Measure::kLength, "ръб a"},
    {BoxQuantity::kB, "b", "b", 'b', Measure::kLength, "ръб b"},
    {BoxQuantity::kC, "c", "c", 'c', Measure::kLength, "ръб c"},
    {BoxQuantity::kS, "S", "S", 'S', Measure::kArea, "околна повърхнина"},
    {BoxQuantity::kS1, "S₁", "S1", 'T', Measure::kArea, "пълна повърхнина"},
    {BoxQuantity::kV, "V", "V", 'V', Measure::kVolume, "обем"},
    {BoxQuantity::kBase, "B", "B", 'B', Measure::kArea, "лице на основата"},
    {BoxQuantity::kP, "P", "P", 'P', Measure::kLength, "периметър на основата"},
    {BoxQuantity::kD, "d", "d", 'd', Measure::kLength, "диагонал"},
    {BoxQuantity::kL, "L", "L", 'L', Measure::kLength, "сбор от дължините на всички ръбове"},
}};

constexpr std::size_t Index(BoxQuantity q) { return static_cast<std::size_t>(q); }
constexpr const BoxQuantityInfo& Info(BoxQuantity q) { return kBoxQuantities[Index(q)]; }
constexpr bool IsEdge(BoxQuantity q) { return Index(q) <= Index(BoxQuantity::kC); }

constexpr bool BoxQuantitiesAreWellFormed() {
  for (std::size_t i = 0; i < kBoxQuantities.size(); ++i) {
    if (Index(kBoxQuantities[i].quantity) != i) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kBoxQuantities[j].letter == kBoxQuantities[i].letter ||
          kBoxQuantities[j].name == kBoxQuantities[i].name) {
        return false;
      }
    }
  }
  return true;
}
static_assert(BoxQuantitiesAreWellFormed());

// The main window's five quantities among the box's.
inline constexpr std::array<BoxQuantity, kQuantityCount> kFieldQuantities = {
    BoxQuantity::kA, BoxQuantity::kB, BoxQuantity::kC, BoxQuantity::kS, BoxQuantity::kV};

constexpr BoxQuantity ToBoxQuantity(Quantity q) { return kFieldQuantities[Index(q)]; }

constexpr bool FieldQuantitiesAreTheirNamesakes() {
  for (Quantity q : kAllQuantities) {
    if (Info(ToBoxQuantity(q)).name != QuantityCaption(q)) return false;
  }
  return true;
}
static_assert(FieldQuantitiesAreTheirNamesakes());

// The quantity of that name or keyboard spelling ("S₁", "S1"); nullopt else.
constexpr std::optional<BoxQuantity> FindBoxQuantity(std::string_view name) {
  for (const BoxQuantityInfo& info : kBoxQuantities) {
    if (name == info.name || name == info.ascii) return info.quantity;
  }
  return std::nullopt;
}

}  // namespace prism
