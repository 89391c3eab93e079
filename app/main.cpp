// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program: the command line, then one window and the event loop
// until it is closed.

#include <QApplication>
#include <memory>

#include "app/command_line.h"
#include "app/start_failure.h"
#include "app/utf8_locale.h"
#include "window/form/application.h"
#include "window/form/dravik.h"

int main(int argc, char* argv[]) {
  prism::UseUtf8CharacterType();
  if (const std::optional<int> status = prism::HandleCommandLine(argc, argv)) return *status;
  const auto application = [&] {
    const prism::StartFailureGuard guard(argc, argv);
    return std::make_unique<QApplication>(argc, argv);
  }();
  const auto window = prism::OpenWindow(*application);
  return QApplication::exec();
}
