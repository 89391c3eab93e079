// SPDX-License-Identifier: GPL-3.0-or-later
// The user's regional number settings on Windows. The C library's localeconv
// answers in the ANSI code page, where Bulgarian settings have no no-break
// space; the settings themselves are read instead, in UTF-16.

#include <windows.h>

#include <optional>
#include <string>

#include "solver/regional_number_format.h"

namespace prism {
namespace {

// One of the user's locale settings in UTF-8; nullopt where it cannot be read
// or has no UTF-8 form.
std::optional<std::string> UserLocaleText(LCTYPE item) {
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, wide.data(), length) != length) {
    return std::nullopt;
  }
  wide.resize(static_cast<std::size_t>(length) - 1);  // the closing null
  if (wide.empty()) return std::string();
  const int wide_length = static_cast<int>(wide.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), wide_length,
                                        nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::nullopt;
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), wide_length, text.data(), bytes,
                      nullptr, nullptr);
  return text;
}

}  // namespace

NumberFormat RegionalNumberFormat() {
  NumberFormat format;
  if (auto point = UserLocaleText(LOCALE_SDECIMAL); point && !point->empty()) {
    format.decimal_separator = *point;
  }
  format.group_separator = UserLocaleText(LOCALE_STHOUSAND).value_or("");
  format.group_sizes = GroupSizesFromWindows(UserLocaleText(LOCALE_SGROUPING).value_or(""));
  return format;
}

}  // namespace prism
