// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_failure.h"

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "prism/program_info.h"

namespace prism {
namespace {

// Qt may log from its X11 reader thread while the application is made.
std::mutex held_back_mutex;
QStringList held_back;
QtMessageHandler previous_handler = nullptr;
bool platform_chosen = false;

bool PlatformChosen(int argc, char* argv[]) {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i) {
    const QByteArray argument(argv[i]);
    if (argument == "-platform" || argument == "--platform" || argument.startsWith("-platform=") ||
        argument.startsWith("--platform=")) {
      return true;
    }
  }
  return false;
}

bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void HoldBack(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    const QString line = qFormatLogMessage(type, context, message);
    const std::lock_guard lock(held_back_mutex);
    held_back << line;
    return;
  }
  const char* reason =
      !platform_chosen && !HasDisplay()
          ? "no display. Set DISPLAY, or run it under xvfb-run."
          : "the window system could not be reached. Check DISPLAY, or choose another "
            "with -platform (xcb, wayland, offscreen); Qt's plugins are in qt6-qpa-plugins.";
  std::fprintf(stderr, "%s: cannot open a window: %s\n", kExecutableName, reason);
  std::fflush(stderr);
  // Not exit(): the application object is half made, and nothing is to be saved.
  std::_Exit(1);
}

}  // namespace

StartFailureGuard::StartFailureGuard(int argc, char* argv[]) {
  platform_chosen = PlatformChosen(argc, argv);
  previous_handler = qInstallMessageHandler(HoldBack);
}

StartFailureGuard::~StartFailureGuard() {
  qInstallMessageHandler(previous_handler);
  const std::lock_guard lock(held_back_mutex);
  for (const QString& line : held_back) std::fprintf(stderr, "%s\n", qPrintable(line));
  held_back.clear();
}

}  // namespace prism
