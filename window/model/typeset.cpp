// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/model/typeset.h"

#include <algorithm>

namespace prism {
namespace {

// The length of the UTF-8 character that starts with the byte.
std::size_t CharacterLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;  // not a lead byte: kept as it is, a byte at a time
}

void Append(std::vector<TypeRun>& runs, std::string_view text, Baseline baseline) {
  if (text.empty()) return;
  if (runs.empty() || runs.back().baseline != baseline) runs.push_back({{}, baseline});
  runs.back().text += text;
}

const DrawnAs* RowWritten(std::string_view character) {
  for (const DrawnAs& row : kDrawnAs) {
    if (row.written == character) return &row;
  }
  return nullptr;
}

const DrawnAs* RowDrawn(std::string_view character, Baseline baseline) {
  for (const DrawnAs& row : kDrawnAs) {
    if (row.drawn == character && row.baseline == baseline && row.then.empty()) return &row;
  }
  return nullptr;
}

constexpr std::string_view kCubeRootIndex = "3";
constexpr std::string_view kRoot = "√";

}  // namespace

std::vector<TypeRun> Typeset(std::string_view written) {
  std::vector<TypeRun> runs;
  std::size_t at = 0;
  while (at < written.size()) {
    const std::size_t length =
        std::min(CharacterLength(static_cast<unsigned char>(written[at])), written.size() - at);
    const std::string_view character = written.substr(at, length);
    if (const DrawnAs* row = RowWritten(character)) {
      Append(runs, row->drawn, row->baseline);
      Append(runs, row->then, Baseline::kNormal);
    } else {
      Append(runs, character, Baseline::kNormal);
    }
    at += length;
  }
  return runs;
}

std::string Written(std::span<const TypeRun> runs) {
  std::string text;
  bool root_taken = false;  // the "√" of a cube root, already written as "∛"
  for (std::size_t i = 0; i < runs.size(); ++i) {
    std::string_view run = runs[i].text;
    if (root_taken) run.remove_prefix(kRoot.size());
    root_taken = false;
    if (runs[i].baseline == Baseline::kNormal) {
      text += run;
      continue;
    }
    const bool before_root = runs[i].baseline == Baseline::kSuperscript && i + 1 < runs.size() &&
                             runs[i + 1].baseline == Baseline::kNormal &&
                             runs[i + 1].text.starts_with(kRoot) && run.ends_with(kCubeRootIndex);
    if (before_root) run.remove_suffix(kCubeRootIndex.size());
    std::size_t at = 0;
    while (at < run.size()) {
      const std::size_t length =
          std::min(CharacterLength(static_cast<unsigned char>(run[at])), run.size() - at);
      const std::string_view character = run.substr(at, length);
      const DrawnAs* row = RowDrawn(character, runs[i].baseline);
      text += row != nullptr ? row->written : character;
      at += length;
    }
    if (before_root) {
      text += RowWritten("∛")->written;
      root_taken = true;
    }
  }
  return text;
}

}  // namespace prism
