// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/utf8_locale.h"

#ifndef _WIN32
#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#endif

namespace prism {

#ifdef _WIN32
void UseUtf8CharacterType() {}
#else
namespace {

// What LC_ALL sets besides the character type: POSIX's categories, and the
// C library's own where it has them.
constexpr std::pair<int, const char*> kOtherCategories[] = {
    {LC_NUMERIC, "LC_NUMERIC"},
    {LC_COLLATE, "LC_COLLATE"},
    {LC_TIME, "LC_TIME"},
    {LC_MONETARY, "LC_MONETARY"},
    {LC_MESSAGES, "LC_MESSAGES"},
#ifdef LC_PAPER
    {LC_PAPER, "LC_PAPER"},
    {LC_NAME, "LC_NAME"},
    {LC_ADDRESS, "LC_ADDRESS"},
    {LC_TELEPHONE, "LC_TELEPHONE"},
    {LC_MEASUREMENT, "LC_MEASUREMENT"},
    {LC_IDENTIFICATION, "LC_IDENTIFICATION"},
#endif
};

}  // namespace

void UseUtf8CharacterType() {
  std::setlocale(LC_ALL, "");
  const char* codeset = nl_langinfo(CODESET);
  if (codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0) return;
  // LC_ALL would overrule LC_CTYPE: each other category keeps what it had,
  // from a variable of its own.
  if (const char* all = std::getenv("LC_ALL"); all != nullptr && *all != '\0') {
    for (const auto& [category, name] : kOtherCategories) {
      const std::string current = std::setlocale(category, nullptr);
      setenv(name, current.c_str(), 1);
    }
    unsetenv("LC_ALL");
  }
  setenv("LC_CTYPE", "C.UTF-8", 1);
  std::setlocale(LC_ALL, "");
}
#endif

}  // namespace prism
