// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command line's own texts, in English: each the source text of its
// translation (resources/translations/), "%1" and "%2" where a detail goes.
// An option's text has no line breaks but before its examples: the help
// wraps it to its column.
// Said in Bulgarian under a Bulgarian locale, in English otherwise.

#include <array>
#include <cstddef>
#include <string_view>

namespace prism {

inline constexpr char kMessageContext[] = "CommandLine";

enum class Message : std::size_t {
  kNotARegularFile,
  kReadOnly,
  kCannotWrite,
  kNoSuchUnit,
  kNoSuchGrade,
  kNoSuchRounding,
  kGivenTwice,
  kOnlyWithPdf,
  kOnlyWithSolve,
  kUnexpectedArgument,
  kSeeHelp,
  kNoSolution,
  kKeys,
  kSolveHelp,
  kCubeHelp,
  kSquareBaseHelp,
  kUnitHelp,
  kGradeHelp,
  kRoundHelp,
  kPdfHelp,
  kNetHelp,
  kCannotOpenWindow,
  kNoDisplay,
  kWindowSystemUnreachable,
  kWorksheetHelp,
  kSeedHelp,
  kKindsHelp,
  kNoSuchCount,
  kNoSuchSeed,
  kNoSuchKinds,
  kOnlyWithWorksheet,
  kCount
};

inline constexpr std::array<std::string_view, static_cast<std::size_t>(Message::kCount)> kMessages = {
    "not a regular file; nothing was written",
    "the file is read-only; it was left as it was",
    "cannot be written; what was there is left as it was",
    "no such unit (мм, см, дм, м or mm, cm, dm, m)",
    "no such grade (5, 6 or 7)",
    "no such rounding (1, 2, 3 or 7 decimals)",
    "given twice",
    "only with --pdf",
    "only with --solve",
    "unexpected argument '%1'",
    "(%1 --help lists the options)",
    "no solution",
    "Ctrl++ (or Ctrl+=) enlarges the window, up to 300 % for a projector;\n"
    "Ctrl+- makes it smaller again and Ctrl+0 gives it its normal size.\n"
    "Ctrl with the mouse wheel, or a right click on the window's background,\n"
    "does the same. The step is kept for the next start, with whether the\n"
    "window was maximised: in ~/.config/%1/%2.conf on Linux, under\n"
    "HKEY_CURRENT_USER\\Software\\%1\\%2 on Windows.\n\n"
    "F2 opens the worked solution beside the window, to copy, print or save;\n"
    "F3 a window where any problem about the box is written as in the notebook.",
    "Print the worked solution of a box problem and exit: 0 solved, 1 where "
    "the data describe no box or contradict each other, 2 for a wrong item or "
    "missing data. Each argument is one item: a quantity and its value with "
    "its unit, a (ръб), b, c, S (околна повърхнина), S₁ or S1 (пълна "
    "повърхнина), V (обем), B (лице на основата), P (периметър на основата), "
    "d (диагонал), L (сбор от ръбовете); an edge given by another (b=2a, "
    "c=b-1); what is sought (V=?); куб, квадратна основа. Units: мм, см, дм, "
    "м (mm, cm, dm, m), with ² or ³ (2, 3), л, мл (l, ml). Examples:\n"
    "  --solve a=3 b=4 V=50\n"
    "  --solve \"S₁ = 54 см²\" --cube \"V = ?\"\n"
    "  --solve \"a = 3 дм\" \"b = 2 дм 5 см\" \"c = 2 дм\" \"V = ?\"",
    "With --solve: the box is a cube.",
    "With --solve: the box has a square base (a = b).",
    "With --solve: the unit of the lengths, мм, см, дм or м (or mm, cm, dm, m).",
    "With --solve: written for grade 5, 6 or 7 (5 when not given).",
    "With --solve: approximate values to 1, 2 or 3 decimals, or 7 as the window's "
    "fields (2 when not given).",
    "With --solve: write the solution's page to this PDF file instead of printing it.",
    "With --solve and --pdf: add the net of the box (развивка) on a page of its "
    "own, at its true size where --unit gives one and it fits, else to scale.",
    "cannot open a window: %1",
    "no display. Set DISPLAY, or run it under xvfb-run.",
    "the window system could not be reached. Check DISPLAY, or choose another "
    "with -platform (xcb, wayland, offscreen); Qt's plugins are in qt6-qpa-plugins.",
    "Print a worksheet of this many tasks for the grade (--grade), numbered, each with room to work, "
    "then the answers, each task's data as --solve takes them and its answer; with --pdf, A4 pages "
    "with the answers on the last. The same seed gives the same tasks.",
    "With --worksheet: the tasks' seed, a whole number (1 when not given).",
    "With --worksheet: only tasks of these kinds, their numbers separated by commas (1 to %1).",
    "not a number of tasks (1 to 100)",
    "not a whole number",
    "no such kinds (numbers from 1 to %1, separated by commas)",
    "only with --worksheet",
};

constexpr std::string_view MessageText(Message message) { return kMessages[static_cast<std::size_t>(message)]; }

}  // namespace prism
