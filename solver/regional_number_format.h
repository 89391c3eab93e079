// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The user's regional number settings, read the way the platform keeps them.

#include <string_view>
#include <vector>

#include "solver/field_number.h"

namespace prism {

// The user's regional settings with both separators in UTF-8.
// On Windows: the user's settings (decimal symbol, digit grouping symbol and
// digit grouping) as the control panel sets them.
// Elsewhere: the C library's after setlocale(LC_ALL, ""), converted from the
// character set of the numeric locale; under the "C" locale the plain form.
// A separator that has no UTF-8 form is dropped (a decimal separator falls
// back to ".").
NumberFormat RegionalNumberFormat();

// NumberFormat::group_sizes from the C library's grouping string: sizes as
// chars, the last repeating, CHAR_MAX ending the grouping.
std::vector<int> GroupSizesFromC(const char* grouping);

// NumberFormat::group_sizes from a Windows grouping text, sizes separated by
// ";": "3;0" repeats 3, "3;2;0" is 3 then 2s, and without the closing 0 the
// last size is used once ("3" groups once and stops). "0" or "" is no
// grouping.
std::vector<int> GroupSizesFromWindows(std::string_view grouping);

}  // namespace prism
