// SPDX-License-Identifier: GPL-3.0-or-later
// The user's regional number settings, read from the C library.

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <clocale>
#include <optional>
#include <string>
#include <string_view>

#include "solver/regional_number_format.h"

namespace prism {
namespace {

// The character set localeconv() answers in: that of the LC_NUMERIC locale,
// which may differ from the LC_CTYPE one that nl_langinfo alone reports.
std::string NumericCodeset() {
  const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
  if (numeric != nullptr) {
    if (locale_t locale = newlocale(LC_CTYPE_MASK, numeric, locale_t{}); locale != locale_t{}) {
      std::string codeset = nl_langinfo_l(CODESET, locale);
      freelocale(locale);
      return codeset;
    }
  }
  return nl_langinfo(CODESET);
}

// Every field holds UTF-8, so a separator of an 8-bit locale (the no-break
// space 0xA0 of Latin-1, say) must be converted before it reaches one. Text
// that the character set does not define has no UTF-8 form: nullopt.
std::optional<std::string> ToUtf8(std::string_view bytes, const std::string& codeset) {
  if (bytes.empty()) return std::string();
  const iconv_t converter = iconv_open("UTF-8", codeset.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in(bytes);
  std::string out(4 * in.size() + 4, '\0');
  char* in_next = in.data();
  std::size_t in_left = in.size();
  char* out_next = out.data();
  std::size_t out_left = out.size();
  const std::size_t converted = iconv(converter, &in_next, &in_left, &out_next, &out_left);
  iconv_close(converter);
  if (converted == static_cast<std::size_t>(-1) || in_left != 0) return std::nullopt;
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace

NumberFormat RegionalNumberFormat() {
  const std::lconv* conventions = std::localeconv();
  NumberFormat format;
  if (conventions == nullptr) return format;
  const std::string codeset = NumericCodeset();
  if (conventions->decimal_point != nullptr && *conventions->decimal_point != '\0') {
    // A decimal point with no UTF-8 form leaves the plain ".".
    if (auto point = ToUtf8(conventions->decimal_point, codeset)) format.decimal_separator = *point;
  }
  if (conventions->thousands_sep != nullptr) {
    // A group separator with no UTF-8 form is dropped: no grouping at all.
    format.group_separator = ToUtf8(conventions->thousands_sep, codeset).value_or("");
  }
  format.group_sizes = GroupSizesFromC(conventions->grouping);
  return format;
}

}  // namespace prism
