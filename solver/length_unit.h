// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The units a box's lengths are measured in.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace prism {

// The unit the lengths are measured in; kNone writes numbers alone, as the
// fields do.
enum class LengthUnit { kNone, kMillimetre, kCentimetre, kDecimetre, kMetre };

struct LengthUnitInfo {
  LengthUnit unit;
  std::string_view name;   // as the solution writes it: "см"
  std::string_view latin;  // as a command line may give it: "cm"
  // Cubic units in a litre (a cubic decimetre); 0 for numbers alone.
  std::int64_t cubes_per_litre_numerator;
  std::int64_t cubes_per_litre_denominator;
  // How long the unit is, for a drawing to its true size; 0 for numbers alone.
  double millimetres;
};

inline constexpr std::array<LengthUnitInfo, 5> kLengthUnits = {{
    {LengthUnit::kNone, "—", "", 0, 1, 0},
    {LengthUnit::kMillimetre, "мм", "mm", 1000000, 1, 1},
    {LengthUnit::kCentimetre, "см", "cm", 1000, 1, 10},
    {LengthUnit::kDecimetre, "дм", "dm", 1, 1, 100},
    {LengthUnit::kMetre, "м", "m", 1, 1000, 1000},
}};

static_assert([] {
  for (std::size_t i = 0; i < kLengthUnits.size(); ++i) {
    if (static_cast<std::size_t>(kLengthUnits[i].unit) != i) return false;
  }
  return true;
}(), "a unit's row is its index");

constexpr const LengthUnitInfo& UnitInfo(LengthUnit unit) {
  return kLengthUnits[static_cast<std::size_t>(unit)];
}

// The unit of that name, Bulgarian or Latin ("см", "cm"); nullopt for any
// other text.
constexpr std::optional<LengthUnit> FindLengthUnit(std::string_view name) {
  for (const LengthUnitInfo& info : kLengthUnits) {
    if (info.unit != LengthUnit::kNone && (name == info.name || name == info.latin)) {
      return info.unit;
    }
  }
  return std::nullopt;
}

}  // namespace prism
