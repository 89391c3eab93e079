// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <array>
#include <cstdio>

#include "prism/program_info.h"

namespace prism {
namespace {

// Options QGuiApplication and QApplication take for themselves; the window's
// application object reads them later, so here they are only let through.
struct QtOption {
  const char* name;
  bool takes_value;
};

constexpr std::array<QtOption, 18> kQtOptions = {{
    {"platform", true},    {"platformpluginpath", true}, {"platformtheme", true},
    {"plugin", true},      {"qwindowgeometry", true},    {"qwindowicon", true},
    {"qwindowtitle", true}, {"display", true},           {"geometry", true},
    {"style", true},       {"stylesheet", true},         {"session", true},
    {"title", true},       {"reverse", false},           {"widgetcount", false},
    {"nograb", false},     {"dograb", false},            {"sync", false},
}};

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, char* argv[]) {
  // A core application needs no window system.
  QCoreApplication core(argc, argv);
  QCoreApplication::setApplicationName(QString::fromUtf8(kProgramName));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));

  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromUtf8(kProgramSummary));
  // Qt's own options are written with one dash: -platform, -style.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  for (const QtOption& qt : kQtOptions) {
    QCommandLineOption option(QString::fromLatin1(qt.name));
    if (qt.takes_value) option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }

  const QString program = QString::fromUtf8(kExecutableName);
  const QString see_help = QStringLiteral(" (%1 --help lists the options)\n").arg(program);
  if (!parser.parse(QCoreApplication::arguments())) {
    Print(stderr, program + QStringLiteral(": ") + parser.errorText() + see_help);
    return 2;
  }
  // --help-all would list Qt's options too; the ones that matter are in the manual page.
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    Print(stdout, parser.helpText());
    return 0;
  }
  if (parser.isSet(version)) {
    Print(stdout, QCoreApplication::applicationName() + QLatin1Char(' ') +
                      QCoreApplication::applicationVersion() + QLatin1Char('\n'));
    return 0;
  }
  if (!parser.positionalArguments().isEmpty()) {
    Print(stderr, program + QStringLiteral(": unexpected argument '") +
                      parser.positionalArguments().constFirst() + QLatin1Char('\'') + see_help);
    return 2;
  }
  return std::nullopt;
}

}  // namespace prism
