// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The solution's texts are written with the characters a pupil reads: S₁,
// 10⁻⁷, ∛. The windows' family, Times New Roman (Liberation Serif where it
// stands in), has no subscript digits, no superscript minus, no superscript
// digits beyond ¹²³ and no cube root; a character a font lacks is drawn by
// the system in another font, and the page looks assembled from three. So
// they are drawn as the family's own digits and signs, lowered or raised,
// as a typesetter sets an index; and what is copied is the characters
// written.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace prism {

enum class Baseline : std::uint8_t { kNormal, kSubscript, kSuperscript };

// A character the family lacks, as it is drawn instead: then follows on the
// line, at the normal baseline.
struct DrawnAs {
  std::string_view written;
  std::string_view drawn;
  Baseline baseline;
  std::string_view then = {};
};

inline constexpr std::array<DrawnAs, 22> kDrawnAs = {{
    {"₀", "0", Baseline::kSubscript},   {"₁", "1", Baseline::kSubscript},
    {"₂", "2", Baseline::kSubscript},   {"₃", "3", Baseline::kSubscript},
    {"₄", "4", Baseline::kSubscript},   {"₅", "5", Baseline::kSubscript},
    {"₆", "6", Baseline::kSubscript},   {"₇", "7", Baseline::kSubscript},
    {"₈", "8", Baseline::kSubscript},   {"₉", "9", Baseline::kSubscript},
    // The family has ¹, ² and ³, but drawn beside a raised 4 they would
    // stand at another height and size: every superscript digit is raised.
    {"⁰", "0", Baseline::kSuperscript}, {"¹", "1", Baseline::kSuperscript},
    {"²", "2", Baseline::kSuperscript}, {"³", "3", Baseline::kSuperscript},
    {"⁴", "4", Baseline::kSuperscript}, {"⁵", "5", Baseline::kSuperscript},
    {"⁶", "6", Baseline::kSuperscript}, {"⁷", "7", Baseline::kSuperscript},
    {"⁸", "8", Baseline::kSuperscript}, {"⁹", "9", Baseline::kSuperscript},
    {"⁻", "−", Baseline::kSuperscript},
    // The root's index over its hook, as a textbook sets it; a raised 3
    // before a "√" is read back as the cube root.
    {"∛", "3", Baseline::kSuperscript, "√"},
}};

constexpr bool DrawnAsIsWellFormed() {
  for (std::size_t i = 0; i < kDrawnAs.size(); ++i) {
    const DrawnAs& row = kDrawnAs[i];
    if (row.written.empty() || row.drawn.empty() || row.baseline == Baseline::kNormal) return false;
    for (std::size_t j = 0; j < i; ++j) {
      // Each written character once, and each drawn one back to one written
      // character, so that a copy gives back what was written.
      if (kDrawnAs[j].written == row.written) return false;
      if (kDrawnAs[j].drawn == row.drawn && kDrawnAs[j].baseline == row.baseline &&
          kDrawnAs[j].then.empty() && row.then.empty()) {
        return false;
      }
    }
  }
  return true;
}
static_assert(DrawnAsIsWellFormed());

// The first character of a UTF-8 text, as a code point.
constexpr char32_t CodePoint(std::string_view utf8) {
  const auto byte = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[i])); };
  if (byte(0) < 0x80) return byte(0);
  if (byte(0) < 0xE0) return (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
  if (byte(0) < 0xF0) return (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
  return (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F);
}

// The characters the table sets, in order, for a quick look over a text:
// a long text that needs none (the task's, before the first paint) is told
// so without making its runs.
inline constexpr std::array<char32_t, kDrawnAs.size()> kDrawnCodes = [] {
  std::array<char32_t, kDrawnAs.size()> codes{};
  for (std::size_t i = 0; i < kDrawnAs.size(); ++i) codes[i] = CodePoint(kDrawnAs[i].written);
  std::sort(codes.begin(), codes.end());
  return codes;
}();
// Each one UTF-16 unit, as Qt holds it.
static_assert(kDrawnCodes.back() <= 0xFFFF);

// Which blocks of 256 code points hold one: a text's letters are told apart
// at one look, which the task's text, before the first paint, is worth.
inline constexpr std::array<bool, 256> kDrawnBlocks = [] {
  std::array<bool, 256> blocks{};
  for (char32_t code : kDrawnCodes) blocks[code >> 8] = true;
  return blocks;
}();

constexpr bool DrawnOtherwise(char32_t code) {
  return code <= 0xFFFF && kDrawnBlocks[code >> 8] &&
         std::binary_search(kDrawnCodes.begin(), kDrawnCodes.end(), code);
}

// A piece of a line drawn at one baseline, UTF-8.
struct TypeRun {
  std::string text;
  Baseline baseline = Baseline::kNormal;

  bool operator==(const TypeRun&) const = default;
};

// A UTF-8 text as the family draws it: runs at their baselines, neighbours
// at the same baseline joined.
std::vector<TypeRun> Typeset(std::string_view written);

// The characters the runs stand for: Written(Typeset(text)) == text.
std::string Written(std::span<const TypeRun> runs);

}  // namespace prism
