// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/field_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "solver/regional_number_format.h"
#include "tests/scoped_locale.h"
#include "tests/seven_decimals.h"

namespace prism {
namespace {

const NumberFormat kPlain{};
const NumberFormat kEnglish{".", ",", {3, 3}};
const NumberFormat kGerman{",", ".", {3, 3}};
const NumberFormat kBulgarian{",", "", {3, 3}};
const NumberFormat kIndian{".", ",", {3, 2}};
const NumberFormat kNarrowSpace{",", "\u202F", {3}};
const NumberFormat kSwiss{".", "\u2019", {3}};

struct NamedFormat {
  const char* name;
  const NumberFormat* format;
};
const NamedFormat kFormats[] = {{"plain", &kPlain},   {"en", &kEnglish},
                                {"de", &kGerman},     {"bg", &kBulgarian},
                                {"3,2", &kIndian},    {"U+202F", &kNarrowSpace},
                                {"U+2019", &kSwiss}};

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ParseCase {
  const char* text;
  const NumberFormat* format;
  double expected;
};

TEST(ParseFieldNumber, ReadsTheNumberAtTheStart) {
  const ParseCase cases[] = {
      {"3", &kPlain, 3.0},
      {"3.5", &kPlain, 3.5},
      {"  12", &kPlain, 12.0},
      {"12abc", &kPlain, 12.0},
      {"abc", &kPlain, 0.0},
      {"-", &kPlain, 0.0},
      {"", &kPlain, 0.0},
      {"1e2", &kPlain, 100.0},
      {"1E2", &kPlain, 100.0},
      {"1e+2", &kPlain, 100.0},
      {"25e-1", &kPlain, 2.5},
      {"3,5", &kPlain, 3.0},
      // Blanks, tabs and line feeds are skipped wherever they stand.
      {"1 2\t3\n4", &kPlain, 1234.0},
      {"- 7 . 5", &kPlain, -7.5},
      {" 1 e 2", &kPlain, 100.0},
      // A carriage return is not a blank.
      {"1\r2", &kPlain, 1.0},
      {"+4", &kPlain, 4.0},
      {"+-4", &kPlain, 0.0},
      {".5", &kPlain, 0.5},
      {"-.5", &kPlain, -0.5},
      {"5.", &kPlain, 5.0},
      {".", &kPlain, 0.0},
      {"1.2.3", &kPlain, 1.2},
      {"e5", &kPlain, 0.0},
      {".e5", &kPlain, 0.0},
      // An exponent letter without digits ends the number before it.
      {"2e", &kPlain, 2.0},
      {"2e+", &kPlain, 2.0},
      {"2ex", &kPlain, 2.0},
      {"007", &kPlain, 7.0},
      // Only E is an exponent letter, and radix prefixes are not read.
      {"1d2", &kPlain, 1.0},
      {"&H10", &kPlain, 0.0},
      {"0x10", &kPlain, 0.0},
      // Beyond the range of a double: infinity; below it: zero.
      {"1e999", &kPlain, kInf},
      {"-1e999", &kPlain, -kInf},
      {"1e99999999999999999999", &kPlain, kInf},
      {"1e-999", &kPlain, 0.0},
      {"0.000001e-320", &kPlain, 0.0},
      {"1e-99999999999999999999", &kPlain, 0.0},
      {"0e99999999999999999999", &kPlain, 0.0},
      {"179769313486231570814527423731704356798070e267", &kPlain,
       std::numeric_limits<double>::max()},
      {"4.9406564584124654e-324", &kPlain, std::numeric_limits<double>::denorm_min()},
  };
  for (const ParseCase& c : cases) {
    EXPECT_EQ(ParseFieldNumber(c.text, *c.format), c.expected) << '"' << c.text << '"';
  }
}

TEST(ParseFieldNumber, ReadsRegionalSeparatorsOnlyWhereTheyGroupAsWritten) {
  const ParseCase cases[] = {
      {"3,5", &kEnglish, 3.0},
      {"1,234.5", &kEnglish, 1234.5},
      {"1,234,567.25", &kEnglish, 1234567.25},
      {"12,34", &kEnglish, 12.0},
      {"1234,567", &kEnglish, 1234.0},
      {"1,234,56", &kEnglish, 1.0},
      {"1,", &kEnglish, 1.0},
      {"-1,000", &kEnglish, -1000.0},
      {"3,5", &kGerman, 3.5},
      {"1.5", &kGerman, 1.5},
      {"1.234,5", &kGerman, 1234.5},
      {"1.234", &kGerman, 1234.0},
      {"1.234.567,5", &kGerman, 1234567.5},
      {"1,2,3", &kGerman, 1.2},
      {"3,5", &kBulgarian, 3.5},
      {"2.5", &kBulgarian, 2.5},
      {"2,5.5", &kBulgarian, 2.5},
      {"12,34,567.5", &kIndian, 1234567.5},
      {"1,234,567", &kIndian, 1.0},
      {"1\u202F234,5", &kNarrowSpace, 1234.5},
      // A no-break space is a blank, wherever it stands and whatever the format.
      {"1\u202F23,5", &kNarrowSpace, 123.5},
      {"1\u00A0000", &kPlain, 1000.0},
      {"1\u2009000\u2007000", &kEnglish, 1000000.0},
      {"1\u2019234.5", &kSwiss, 1234.5},
      // The writer never puts a leading zero before a group separator.
      {"0,500", &kEnglish, 0.0},
      {"00,005", &kEnglish, 0.0},
      {"-0,123.5", &kEnglish, -0.0},
      {"0.500", &kGerman, 0.5},
      {"00.500", &kGerman, 0.5},
      {"1.500", &kGerman, 1500.0},
      {"0,12,345.5", &kIndian, 0.0},
      {"01,23,456", &kIndian, 1.0},
      {"0", &kEnglish, 0.0},
  };
  for (const ParseCase& c : cases) {
    EXPECT_EQ(ParseFieldNumber(c.text, *c.format), c.expected) << '"' << c.text << '"';
  }
}

// The C library's readers follow the locale the program runs under; the field
// reader must not.
TEST(ParseFieldNumber, IgnoresTheCLocale) {
#ifdef _WIN32
  testing::ScopedLocale locale("Bulgarian_Bulgaria.1251");
#else
  testing::ScopedLocale locale("bg_BG.UTF-8");
#endif
  if (!locale.ok()) GTEST_SKIP() << "no Bulgarian locale installed";
  ASSERT_EQ(*std::localeconv()->decimal_point, ',') << "the C library reads \"2,5\" as 2.5 here";
  EXPECT_EQ(ParseFieldNumber("2.5"), 2.5);
  EXPECT_EQ(ParseFieldNumber("2,5"), 2.0);
}

struct FormatCase {
  double value;
  const NumberFormat* format;
  const char* expected;
};

TEST(FormatFieldNumber, WritesSevenDecimalsWithTheRegionalSeparators) {
  const FormatCase cases[] = {
      {70.0, &kPlain, "70.0000000"},
      {70.0, &kGerman, "70,0000000"},
      {3.0, &kPlain, "3.0000000"},
      {1234.5, &kEnglish, "1,234.5000000"},
      {1234.5, &kPlain, "1234.5000000"},
      {1234.5, &kBulgarian, "1234,5000000"},
      {-1234567.5, &kGerman, "-1.234.567,5000000"},
      {1234567.5, &kIndian, "12,34,567.5000000"},
      {123.0, &kEnglish, "123.0000000"},
      {1234.5, &kNarrowSpace, "1\u202F234,5000000"},
      {0.25, &kPlain, "0.2500000"},
      {-0.25, &kPlain, "-0.2500000"},
      {-8.0, &kPlain, "-8.0000000"},
      // Rounds the exact binary value; an exact tie away from zero, as taught.
      {1.0 / 256.0, &kPlain, "0.0039063"},
      {-1.0 / 256.0, &kBulgarian, "-0,0039063"},
      {3.0 / 256.0, &kPlain, "0.0117188"},
      {169.0 / 256.0, &kPlain, "0.6601563"},
      {9.99999995, &kPlain, "9.9999999"},  // not a tie: the double lies below it
      {33554431.0 + 255.0 / 256.0, &kEnglish, "33,554,431.9960938"},
      {0.123456789, &kPlain, "0.1234568"},
      {9.99999999, &kPlain, "10.0000000"},
      // Nothing that rounds to zero carries a sign.
      {-0.0, &kPlain, "0.0000000"},
      {-4e-8, &kGerman, "0,0000000"},
      {-6e-8, &kPlain, "-0.0000001"},
      {1e22, &kEnglish, "10,000,000,000,000,000,000,000.0000000"},
      // No field text for what is not a number.
      {kInf, &kPlain, ""},
      {-kInf, &kPlain, ""},
      {std::numeric_limits<double>::quiet_NaN(), &kPlain, ""},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatFieldNumber(c.value, *c.format), c.expected) << c.value;
  }
  EXPECT_EQ(FormatFieldNumber(std::numeric_limits<double>::max()).size(), 309u + 8u);
}

double RandomDouble(std::mt19937_64& random) {
  switch (random() % 3) {
    case 0:  // any finite bit pattern
      for (;;) {
        const double x = std::bit_cast<double>(random());
        if (std::isfinite(x)) return x;
      }
    case 1:  // the sizes pupils type
      return std::uniform_real_distribution<double>(-1e5, 1e5)(random);
    default:  // values with few decimals, where ties and carries live
      return static_cast<double>(static_cast<std::int64_t>(random() % 2000000001) - 1000000000) /
             std::pow(10.0, static_cast<double>(random() % 10));
  }
}

TEST(FieldNumberRoundTrip, EveryWrittenTextReadsBackAsTheValueItShows) {
  std::mt19937_64 random(20261208);
  for (int i = 0; i < 20000; ++i) {
    const double x = RandomDouble(random);
    const double shown = testing::SevenDecimalValue(x);
    for (const NamedFormat& f : kFormats) {
      const std::string text = FormatFieldNumber(x, *f.format);
      ASSERT_EQ(ParseFieldNumber(text, *f.format), shown)
          << f.name << ' ' << text << " from " << x;
      ASSERT_EQ(text.find("-0.0000000"), std::string::npos) << text;
      ASSERT_EQ(text.find("-0,0000000"), std::string::npos) << text;
    }
  }
}

TEST(RegionalNumberFormat, ReadsEachPlatformsGrouping) {
  const char kStop = CHAR_MAX;
  struct CCase {
    std::string grouping;
    std::vector<int> sizes;
  };
  const CCase c_cases[] = {
      {"", {}}, {"\3", {3}}, {"\3\2", {3, 2}}, {{'\3', kStop}, {3, 0}}, {{kStop}, {}},
  };
  for (const CCase& c : c_cases) EXPECT_EQ(GroupSizesFromC(c.grouping.c_str()), c.sizes);
  struct WindowsCase {
    const char* grouping;
    std::vector<int> sizes;
  };
  const WindowsCase windows_cases[] = {
      {"3;0", {3}}, {"3;2;0", {3, 2}}, {"3", {3, 0}}, {"3;2", {3, 2, 0}},
      {"0", {}},    {"", {}},          {"x", {}},     {"3;-1", {}},
  };
  for (const WindowsCase& c : windows_cases) {
    EXPECT_EQ(GroupSizesFromWindows(c.grouping), c.sizes) << c.grouping;
  }
  // Grouped once, then the rest of the digits as they come.
  EXPECT_EQ(FormatFieldNumber(1234567.5, {".", ",", GroupSizesFromWindows("3")}),
            "1234,567.5000000");
}

#ifdef _WIN32
// Run by ctest under Wine with LANG set to each of the locales below; a skip
// there is a failure.
TEST(RegionalNumberFormat, ReadsTheUsersWindowsSettings) {
  struct Expected {
    const wchar_t* locale;
    NumberFormat format;
  };
  const Expected cases[] = {
      {L"bg-BG", {",", "\u00A0", {3}}},
      {L"en-US", {".", ",", {3}}},
  };
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  ASSERT_GT(GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH), 0);
  for (const Expected& c : cases) {
    if (std::wstring_view(name) != c.locale) continue;
    const NumberFormat format = RegionalNumberFormat();
    EXPECT_EQ(format.decimal_separator, c.format.decimal_separator);
    EXPECT_EQ(format.group_separator, c.format.group_separator);
    EXPECT_EQ(format.group_sizes, c.format.group_sizes);
    return;
  }
  GTEST_SKIP() << "no expectation for this user locale";
}
#else
TEST(RegionalNumberFormat, CopiesTheCLibraryConventions) {
  // The grouping itself is checked against the C library's own writing below.
  struct Expected {
    const char* locale;
    const char* decimal_separator;
    const char* group_separator;
  };
  const Expected cases[] = {
      {"C", ".", ""},
      {"en_US.UTF-8", ".", ","},
      {"de_DE.UTF-8", ",", "."},
      {"bg_BG.UTF-8", ",", ""},
      // Latin-1's no-break space 0xA0, converted to the UTF-8 every field holds.
      {"fr_FR.ISO-8859-1", ",", "\u00A0"},
  };
  for (const Expected& c : cases) {
    testing::ScopedLocale locale(c.locale);
    if (!locale.ok()) {
      ADD_FAILURE() << c.locale << " is not installed (./test.sh generates it)";
      continue;
    }
    const NumberFormat format = RegionalNumberFormat();
    EXPECT_EQ(format.decimal_separator, c.decimal_separator) << c.locale;
    EXPECT_EQ(format.group_separator, c.group_separator) << c.locale;
    const std::string written = FormatFieldNumber(1234567.5, format);
    EXPECT_EQ(ParseFieldNumber(written, format), 1234567.5) << c.locale << ' ' << written;
    EXPECT_EQ(ParseFieldNumber(written.substr(0, written.size() - 1), format), 1234567.5)
        << c.locale << ", one trailing zero deleted";
  }
  // The separators are in the character set of the numeric settings, whatever
  // the character set of the rest.
  testing::ScopedLocale utf8("C.UTF-8");
  ASSERT_TRUE(utf8.ok());
  ASSERT_NE(std::setlocale(LC_NUMERIC, "fr_FR.ISO-8859-1"), nullptr);
  EXPECT_EQ(RegionalNumberFormat().group_separator, "\u00A0");
}

// The C library writes numbers the regional way with printf's ' flag; the
// field writer must agree with it wherever both define the text.
TEST(RegionalNumberFormat, WritesAsTheCLibraryDoes) {
  std::mt19937_64 random(7);
  for (const char* name : {"en_US.UTF-8", "de_DE.UTF-8", "bg_BG.UTF-8"}) {
    testing::ScopedLocale locale(name);
    if (!locale.ok()) {
      ADD_FAILURE() << name << " is not installed (./test.sh generates it)";
      continue;
    }
    const NumberFormat format = RegionalNumberFormat();
    for (int i = 0; i < 5000; ++i) {
      const double x = RandomDouble(random);
      // printf writes "-0,0000000" for tiny negatives and keeps ties even;
      // the field does neither.
      if (std::fabs(x) < 1e-7 || testing::IsSevenDecimalTie(x)) continue;
      char expected[600];
      // The ' flag (grouping) is POSIX, not ISO C++.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat"
      std::snprintf(expected, sizeof expected, "%'.7f", x);
#pragma GCC diagnostic pop
      ASSERT_EQ(FormatFieldNumber(x, format), expected) << name << ' ' << x;
    }
  }
}

#endif  // _WIN32

}  // namespace
}  // namespace prism
