// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's command line: --help and --version, Qt's own options, and
// nothing else.

#include <optional>

namespace prism {

// Reads the command line before any window system is touched, so that --help
// and --version work without a display. Returns the exit status where the
// program ends here (0 after help or version, 2 after an error, reported in
// one line), nullopt where it goes on to open its window.
std::optional<int> HandleCommandLine(int argc, char* argv[]);

}  // namespace prism
