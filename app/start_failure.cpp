// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_failure.h"

#include <QByteArray>
#include <QStringList>
#include <QTranslator>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

#include "app/messages.h"
#include "prism/program_info.h"
#include "window/form/application.h"

namespace prism {
namespace {

// Qt may log from its X11 reader thread while the application is made.
std::mutex held_back_mutex;
QStringList held_back;
QtMessageHandler previous_handler = nullptr;
bool platform_chosen = false;

// In the user's language. Looked up only when a window cannot open, so that
// a start that opens one pays nothing for it.
std::string Said(Message message) {
  const std::unique_ptr<QTranslator> translator = CommandLineTranslator();
  const auto text = [&translator](Message each) {
    const std::string_view english = MessageText(each);
    const QString translated = translator ? translator->translate(kMessageContext, english.data()) : QString();
    return translated.isEmpty() ? QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size()))
                                : translated;
  };
  return text(Message::kCannotOpenWindow).arg(text(message)).toStdString();
}

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
  const std::string said =
      Said(!platform_chosen && !HasDisplay() ? Message::kNoDisplay : Message::kWindowSystemUnreachable);
  std::fprintf(stderr, "%s: %s\n", kExecutableName, said.c_str());
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
