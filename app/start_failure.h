// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where no window can be opened, Qt explains at length, advises reinstalling
// and aborts with a core dump. While the application object is made, this
// holds Qt's messages back; if Qt gives up, the program says why in one line
// and exits with status 1.

namespace prism {

class StartFailureGuard {
 public:
  // The command line tells whether the user chose the window system.
  StartFailureGuard(int argc, char* argv[]);
  // Passes on the messages held back, now that the window system answered.
  ~StartFailureGuard();
  StartFailureGuard(const StartFailureGuard&) = delete;
  StartFailureGuard& operator=(const StartFailureGuard&) = delete;
};

}  // namespace prism
