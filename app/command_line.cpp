// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <string_view>
#include <memory>
#include <array>
#include <cstdio>

#include "prism/program_info.h"
#include "solver/box_engine.h"
#include "solver/notation.h"
#include "solver/regional_number_format.h"
#include "solver/worked_solution.h"
#include "window/page/solution_page.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

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

#ifdef _WIN32
// A window program started from Explorer (or with a file dropped on its icon)
// has no console and no standard streams: its messages would be lost. It
// writes to the console it was started from, where there is one, and shows
// a message box where there is none.
void Print(std::FILE* stream, const QString& text) {
  const int descriptor = _fileno(stream);
  if (descriptor >= 0 && _get_osfhandle(descriptor) >= 0) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
    return;
  }
  const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    const bool written = console != INVALID_HANDLE_VALUE &&
                         WriteConsoleW(console, wide, static_cast<DWORD>(text.size()), nullptr,
                                       nullptr);
    if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
    FreeConsole();
    if (written) return;
  }
  const QString title = QString::fromUtf8(kProgramName);
  MessageBoxW(nullptr, wide, reinterpret_cast<const wchar_t*>(title.utf16()),
              stream == stderr ? MB_ICONERROR : MB_ICONINFORMATION);
}
#else
void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}
#endif

// Whether the arguments are three plain values of the main window's
// quantities, each "letter=number" with no blank and no unit.
bool TodaysForm(const std::vector<std::string>& arguments) {
  if (arguments.size() != 3) return false;
  return std::all_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
    if (argument.size() < 2 || argument[1] != '=' || std::string_view("abcSV").find(argument[0]) == std::string_view::npos) {
      return false;
    }
    return argument.find_first_not_of("0123456789.,eE+-", 2) == std::string::npos;
  });
}

// A page written, or why not.
int WritePdf(const QString& pdf, const WorkedSolution& solution, bool net,
             const std::function<int(const QString&, const std::string&)>& fault) {
  switch (SaveSolutionPdf(pdf, solution, net)) {
    case FileWriteOutcome::kWritten:
      return 0;
    case FileWriteOutcome::kNotAFile:
      return fault(QStringLiteral("--pdf ") + pdf, "not a regular file; nothing was written");
    case FileWriteOutcome::kReadOnly:
      return fault(QStringLiteral("--pdf ") + pdf, "the file is read-only; it was left as it was");
    case FileWriteOutcome::kFailed:
      return fault(QStringLiteral("--pdf ") + pdf, "cannot be written; what was there is left as it was");
  }
  return 2;
}

// Any box problem in the notation: 0 solved, 1 no box or data that
// contradict each other (the text says why), 2 a wrong item or data that
// do not fix what is sought (one line on standard error says which).
int PrintProblem(std::vector<std::string> items, Shape shape, std::optional<LengthUnit> unit,
                 SolutionStyle style, const NumberFormat& format, const QString& pdf, bool net,
                 const std::function<int(const QString&, const std::string&)>& fault) {
  if (shape == Shape::kCube) items.emplace_back(kCubeWord);
  if (shape == Shape::kSquareBase) items.emplace_back(kSquareBaseWords);
  const auto read = ReadProblem(items, format);
  if (const auto* error = std::get_if<NotationError>(&read)) {
    return fault(QStringLiteral("--solve"), error->message);
  }
  const ProblemSolution solved = SolveProblem(std::get<Problem>(read), format, unit, style);
  if (solved.outcome == ProblemOutcome::kMissing) return fault(QStringLiteral("--solve"), solved.missing);
  const int status = solved.outcome == ProblemOutcome::kSolved ? 0 : 1;
  if (!pdf.isNull()) {
    const int written = WritePdf(pdf, solved.worked, net, fault);
    return written != 0 ? written : status;
  }
  QString text;
  for (const std::string& line : solved.worked.lines) text += QString::fromStdString(line) + QLatin1Char('\n');
  Print(stdout, text);
  return status;
}

// The worked solution of three given quantities on standard output: 0 where
// they describe a box, 1 where they do not (the text says why), 2 for an
// argument at fault.
int PrintSolution(const QStringList& given, Shape shape, const QString& unit_name, SolutionStyle style,
                  const QString& pdf, bool net, const QString& program) {
  std::vector<std::string> arguments;
  for (const QString& argument : given) arguments.push_back(argument.toStdString());
  const NumberFormat format = RegionalNumberFormat();
  const auto fault = [&](const QString& argument, const std::string& message) {
    Print(stderr, program + QStringLiteral(": ") + argument + QStringLiteral(": ") +
                      QString::fromStdString(message) + QLatin1Char('\n'));
    return 2;
  };
  LengthUnit unit = LengthUnit::kNone;
  if (!unit_name.isNull()) {
    const std::optional<LengthUnit> found = FindLengthUnit(unit_name.toStdString());
    if (!found) {
      return fault(QStringLiteral("--unit ") + unit_name,
                   "no such unit (мм, см, дм, м or mm, cm, dm, m)");
    }
    unit = *found;
  }
  // Three plain values of a, b, c, S, V ("a=3") keep the worked solution
  // of the main window's rows; anything else is the notation of any box
  // problem.
  if (shape != Shape::kAny || !TodaysForm(arguments)) {
    return PrintProblem(arguments, shape, unit_name.isNull() ? std::nullopt : std::optional(unit), style,
                        format, pdf, net, fault);
  }
  const auto read = ReadGivenQuantities(arguments, format);
  if (const auto* error = std::get_if<ArgumentError>(&read)) {
    return fault(error->argument.empty() ? QStringLiteral("--solve")
                                         : QString::fromStdString(error->argument),
                 error->message);
  }
  const auto& request = std::get<SolveRequest>(read);
  const std::optional<WorkedSolution> solution =
      SolveWorked(request.row, request.texts, format, unit, style);
  if (!solution) return fault(QStringLiteral("--solve"), "no solution");
  if (!pdf.isNull()) {
    const int written = WritePdf(pdf, *solution, net, fault);
    return written != 0 ? written : solution->box ? 0 : 1;
  }
  QString text;
  for (const std::string& line : solution->lines) text += QString::fromStdString(line) + QLatin1Char('\n');
  Print(stdout, text);
  return solution->box ? 0 : 1;
}

// Whether the command line asks for a PDF page, which needs fonts and so a
// graphical application, though no display.
bool AsksForPdf(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--pdf") == 0 || std::strcmp(argv[i], "-pdf") == 0 ||
        std::strncmp(argv[i], "--pdf=", 6) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, char* argv[]) {
  // A core application needs no window system; a page is drawn offscreen
  // where no platform is chosen.
  std::unique_ptr<QCoreApplication> application;
  if (AsksForPdf(argc, argv)) {
#ifndef _WIN32
    // Windows always has its window system; elsewhere there may be none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // A command that prints nothing passes on only Qt's errors, not its
    // notes on the session it runs in (no runtime folder, no display).
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
      if (type != QtCriticalMsg && type != QtFatalMsg) return;
      Print(stderr, qFormatLogMessage(type, context, text) + QLatin1Char('\n'));
    });
    application = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  QCoreApplication::setApplicationName(QString::fromUtf8(kProgramName));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));

  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromUtf8(kProgramSummary) + QStringLiteral(
      "\n\nCtrl++ (or Ctrl+=) enlarges the window, up to 300 % for a projector;\n"
      "Ctrl+- makes it smaller again and Ctrl+0 gives it its normal size.\n"
      "Ctrl with the mouse wheel, or a right click on the window's background,\n"
      "does the same. The step is kept for the next start, with whether the\n"
      "window was maximised: in ~/.config/%1/%2.conf on Linux, under\n"
      "HKEY_CURRENT_USER\\Software\\%1\\%2 on Windows.\n\n"
      "F2 opens the worked solution beside the window, to copy, print or save;\n"
      "F3 a window where any problem about the box is written as in the notebook.")
      .arg(QString::fromUtf8(kWebAddress), QString::fromUtf8(kProgramName)));
  // Qt's own options are written with one dash: -platform, -style.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption solve(
      QStringLiteral("solve"),
      QString::fromUtf8(
          "Print the worked solution of a box problem and exit: 0 solved, 1 where\n"
          "the data describe no box or contradict each other, 2 for a wrong item or\n"
          "missing data. Each argument is one item: a quantity and its value with\n"
          "its unit, a (ръб), b, c, S (околна повърхнина), S₁ or S1 (пълна\n"
          "повърхнина), V (обем), B (лице на основата), P (периметър на основата),\n"
          "d (диагонал), L (сбор от ръбовете); an edge given by another (b=2a,\n"
          "c=b-1); what is sought (V=?); куб, квадратна основа. Units: мм, см, дм,\n"
          "м (mm, cm, dm, m), with ² or ³ (2, 3), л, мл (l, ml). Examples:\n"
          "  --solve a=3 b=4 V=50\n"
          "  --solve \"S₁ = 54 см²\" --cube \"V = ?\"\n"
          "  --solve \"a = 3 дм\" \"b = 2 дм 5 см\" \"c = 2 дм\" \"V = ?\""));
  const QCommandLineOption cube(QStringLiteral("cube"), QStringLiteral("With --solve: the box is a cube."));
  const QCommandLineOption square_base(QStringLiteral("square-base"),
                                       QStringLiteral("With --solve: the box has a square base (a = b)."));
  const QCommandLineOption unit(QStringLiteral("unit"),
                                QStringLiteral("With --solve: the unit of the lengths, мм, см, "
                                               "дм or м (or mm, cm, dm, m)."),
                                QStringLiteral("unit"));
  const QCommandLineOption grade(QStringLiteral("grade"),
                                 QStringLiteral("With --solve: written for grade 5, 6 or 7 (5 when not given)."),
                                 QStringLiteral("grade"));
  const QCommandLineOption round(
      QStringLiteral("round"),
      QStringLiteral("With --solve: approximate values to 1, 2 or 3 decimals, or 7 as the window's\n"
                     "fields (2 when not given)."),
      QStringLiteral("places"));
  const QCommandLineOption pdf(QStringLiteral("pdf"),
                               QStringLiteral("With --solve: write the solution's page to this "
                                              "PDF file instead of printing it."),
                               QStringLiteral("file"));
  const QCommandLineOption net(
      QStringLiteral("net"),
      QStringLiteral("With --solve and --pdf: add the net of the box (развивка) on a page of its\n"
                     "own, at its true size where --unit gives one and it fits, else to scale."));
  parser.addOption(solve);
  parser.addOption(unit);
  parser.addOption(grade);
  parser.addOption(round);
  parser.addOption(pdf);
  parser.addOption(net);
  parser.addOption(cube);
  parser.addOption(square_base);
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
  // An option given twice would leave one of its values unread, as a
  // quantity given twice would.
  for (const QCommandLineOption* once : {&solve, &unit, &grade, &round, &pdf, &net, &cube, &square_base}) {
    if (parser.optionNames().count(once->names().constFirst()) > 1) {
      Print(stderr, program + QStringLiteral(": --") + once->names().constFirst() +
                        QStringLiteral(": given twice") + see_help);
      return 2;
    }
  }
  if (parser.isSet(net) && !parser.isSet(pdf)) {
    Print(stderr, program + QStringLiteral(": --net: only with --pdf") + see_help);
    return 2;
  }
  // A grade or a rounding among the window's choices, else what they are.
  SolutionStyle style;
  const auto choose = [&](const QCommandLineOption& option, int& chosen, bool (*listed)(int),
                          const char* choices) {
    if (!parser.isSet(option)) return true;
    bool number = false;
    chosen = parser.value(option).toInt(&number);
    if (number && listed(chosen)) return true;
    Print(stderr, program + QStringLiteral(": --") + option.names().constFirst() + QLatin1Char(' ') +
                      parser.value(option) + QStringLiteral(": ") + QString::fromUtf8(choices) + see_help);
    return false;
  };
  if (!choose(grade, style.grade, [](int g) { return GradeIndex(g).has_value(); },
              "no such grade (5, 6 or 7)") ||
      !choose(round, style.decimals, [](int d) { return RoundingIndex(d).has_value(); },
              "no such rounding (1, 2, 3 or 7 decimals)")) {
    return 2;
  }
  if (parser.isSet(solve)) {
    const Shape shape = parser.isSet(cube)          ? Shape::kCube
                        : parser.isSet(square_base) ? Shape::kSquareBase
                                                    : Shape::kAny;
    return PrintSolution(parser.positionalArguments(), shape,
                         parser.isSet(unit) ? parser.value(unit) : QString(), style,
                         parser.isSet(pdf) ? parser.value(pdf) : QString(), parser.isSet(net),
                         program);
  }
  for (const QCommandLineOption* only_with_solve : {&unit, &grade, &round, &pdf, &cube, &square_base}) {
    if (parser.isSet(*only_with_solve)) {
      Print(stderr, program + QStringLiteral(": --") + only_with_solve->names().constFirst() +
                        QStringLiteral(": only with --solve") + see_help);
      return 2;
    }
  }
  if (!parser.positionalArguments().isEmpty()) {
    Print(stderr, program + QStringLiteral(": unexpected argument '") +
                      parser.positionalArguments().constFirst() + QLatin1Char('\'') + see_help);
    return 2;
  }
  return std::nullopt;
}

}  // namespace prism
