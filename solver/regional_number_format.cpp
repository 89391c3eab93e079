// SPDX-License-Identifier: GPL-3.0-or-later
// Digit grouping as the platforms write it down.

#include "solver/regional_number_format.h"

#include <charconv>
#include <climits>

namespace prism {

std::vector<int> GroupSizesFromC(const char* grouping) {
  std::vector<int> sizes;
  if (grouping == nullptr) return sizes;
  for (const char* size = grouping; *size != '\0'; ++size) {
    if (*size == CHAR_MAX) {
      // Group no further: a size of 0 ends the grouping.
      if (!sizes.empty()) sizes.push_back(0);
      break;
    }
    sizes.push_back(static_cast<unsigned char>(*size));
  }
  return sizes;
}

std::vector<int> GroupSizesFromWindows(std::string_view grouping) {
  std::vector<int> sizes;
  bool repeats = false;
  while (!grouping.empty()) {
    const std::size_t end = grouping.find(';');
    const std::string_view item = grouping.substr(0, end);
    int size = 0;
    const auto [next, error] = std::from_chars(item.data(), item.data() + item.size(), size);
    if (error != std::errc() || next != item.data() + item.size() || size < 0) return {};
    if (size == 0) {
      // A closing 0 repeats the size before it; a leading one means none.
      repeats = true;
      break;
    }
    sizes.push_back(size);
    if (end == std::string_view::npos) break;
    grouping.remove_prefix(end + 1);
  }
  if (!sizes.empty() && !repeats) sizes.push_back(0);
  return sizes;
}

}  // namespace prism
