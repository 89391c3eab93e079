// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "app/messages.h"

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
#include "solver/tasks.h"
#include "solver/worked_solution.h"
#include "window/form/application.h"
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

// The text in the user's language, where its translation is installed.
QString Said(std::string_view english) { return QCoreApplication::translate(kMessageContext, english.data()); }
QString Said(Message message) { return Said(MessageText(message)); }

// One line on standard error naming the argument at fault and what is
// wrong with it; the exit status 2.
std::function<int(const QString&, const QString&)> FaultSayer(const QString& program) {
  return [program](const QString& argument, const QString& message) {
    Print(stderr, program + QStringLiteral(": ") + argument + QStringLiteral(": ") + message + QLatin1Char('\n'));
    return 2;
  };
}

// A page written, or why not.
int WritePdf(const QString& pdf, const WorkedSolution& solution, bool net,
             const std::function<int(const QString&, const QString&)>& fault) {
  switch (SaveSolutionPdf(pdf, solution, net)) {
    case FileWriteOutcome::kWritten:
      return 0;
    case FileWriteOutcome::kNotAFile:
      return fault(QStringLiteral("--pdf ") + pdf, Said(Message::kNotARegularFile));
    case FileWriteOutcome::kReadOnly:
      return fault(QStringLiteral("--pdf ") + pdf, Said(Message::kReadOnly));
    case FileWriteOutcome::kFailed:
      return fault(QStringLiteral("--pdf ") + pdf, Said(Message::kCannotWrite));
  }
  return 2;
}

// Any box problem in the notation: 0 solved, 1 no box or data that
// contradict each other (the text says why), 2 a wrong item or data that
// do not fix what is sought (one line on standard error says which).
int PrintProblem(std::vector<std::string> items, Shape shape, std::optional<LengthUnit> unit,
                 SolutionStyle style, const NumberFormat& format, const QString& pdf, bool net,
                 const std::function<int(const QString&, const QString&)>& fault) {
  if (shape == Shape::kCube) items.emplace_back(kCubeWord);
  if (shape == Shape::kSquareBase) items.emplace_back(kSquareBaseWords);
  const auto read = ReadProblem(items, format);
  if (const auto* error = std::get_if<NotationError>(&read)) {
    return fault(QStringLiteral("--solve"), QString::fromStdString(error->message));
  }
  const ProblemSolution solved = SolveProblem(std::get<Problem>(read), format, unit, style);
  if (solved.outcome == ProblemOutcome::kMissing) {
    return fault(QStringLiteral("--solve"), QString::fromStdString(solved.missing));
  }
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
  const auto fault = FaultSayer(program);
  LengthUnit unit = LengthUnit::kNone;
  if (!unit_name.isNull()) {
    const std::optional<LengthUnit> found = FindLengthUnit(unit_name.toStdString());
    if (!found) {
      return fault(QStringLiteral("--unit ") + unit_name, Said(Message::kNoSuchUnit));
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
    return fault(error->argument.empty() ? QStringLiteral("--solve") : QString::fromStdString(error->argument),
                 Said(kArgumentFaultTexts[static_cast<std::size_t>(error->fault)])
                     .replace(QStringLiteral("%1"), QString::fromStdString(error->detail)));
  }
  const auto& request = std::get<SolveRequest>(read);
  const std::optional<WorkedSolution> solution =
      SolveWorked(request.row, request.texts, format, unit, style);
  if (!solution) return fault(QStringLiteral("--solve"), Said(Message::kNoSolution));
  if (!pdf.isNull()) {
    const int written = WritePdf(pdf, *solution, net, fault);
    return written != 0 ? written : solution->box ? 0 : 1;
  }
  QString text;
  for (const std::string& line : solution->lines) text += QString::fromStdString(line) + QLatin1Char('\n');
  Print(stdout, text);
  return solution->box ? 0 : 1;
}

// A worksheet of count tasks on standard output or as a PDF: 0 written, 2
// for an option at fault.
int PrintWorksheet(const QString& count_text, const QString& seed_text, const QString& kinds_text, int grade,
                   const QString& pdf, const QString& program) {
  const auto fault = FaultSayer(program);
  bool number = false;
  const int count = count_text.toInt(&number);
  if (!number || count < 1 || count > 100) {
    return fault(QStringLiteral("--worksheet ") + count_text, Said(Message::kNoSuchCount));
  }
  const qulonglong seed = seed_text.toULongLong(&number);
  if (!number) return fault(QStringLiteral("--seed ") + seed_text, Said(Message::kNoSuchSeed));
  std::vector<std::size_t> chosen;
  if (!kinds_text.isNull()) {
    for (const QString& part : kinds_text.split(QLatin1Char(','))) {
      const int kind = part.trimmed().toInt(&number);
      if (!number || kind < 1 || static_cast<std::size_t>(kind) > TaskKindCount()) {
        return fault(QStringLiteral("--kinds ") + kinds_text, Said(Message::kNoSuchKinds).arg(TaskKindCount()));
      }
      chosen.push_back(static_cast<std::size_t>(kind - 1));
    }
  }
  const std::vector<Task> tasks = MakeTasks(grade, static_cast<std::size_t>(count), seed, chosen);
  WorkedSolution sheet;
  sheet.lines = WorksheetLines(tasks);
  if (!pdf.isNull()) {
    return WritePdf(pdf, sheet, false, fault);
  }
  QString text;
  for (const std::string& line : sheet.lines) {
    // The room to work is for paper.
    if (line != kPageBreak && !line.empty()) text += QString::fromStdString(line) + QLatin1Char('\n');
  }
  Print(stdout, text);
  return 0;
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
  // Only a command line has anything to say; a plain start opens the window.
  if (argc > 1) InstallCommandLineTranslation();

  QCommandLineParser parser;
  parser.setApplicationDescription(Said(kProgramSummary) + QStringLiteral("\n\n") +
                                   Said(Message::kKeys).arg(QString::fromUtf8(kWebAddress),
                                                            QString::fromUtf8(kProgramName)));
  // Qt's own options are written with one dash: -platform, -style.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption solve(QStringLiteral("solve"), Said(Message::kSolveHelp));
  const QCommandLineOption cube(QStringLiteral("cube"), Said(Message::kCubeHelp));
  const QCommandLineOption square_base(QStringLiteral("square-base"), Said(Message::kSquareBaseHelp));
  const QCommandLineOption unit(QStringLiteral("unit"), Said(Message::kUnitHelp), QStringLiteral("unit"));
  const QCommandLineOption grade(QStringLiteral("grade"), Said(Message::kGradeHelp), QStringLiteral("grade"));
  const QCommandLineOption round(QStringLiteral("round"), Said(Message::kRoundHelp), QStringLiteral("places"));
  const QCommandLineOption pdf(QStringLiteral("pdf"), Said(Message::kPdfHelp), QStringLiteral("file"));
  const QCommandLineOption net(QStringLiteral("net"), Said(Message::kNetHelp));
  const QCommandLineOption worksheet(QStringLiteral("worksheet"), Said(Message::kWorksheetHelp), QStringLiteral("N"));
  const QCommandLineOption seed(QStringLiteral("seed"), Said(Message::kSeedHelp), QStringLiteral("K"));
  const QCommandLineOption kinds(QStringLiteral("kinds"), Said(Message::kKindsHelp).arg(TaskKindCount()),
                                 QStringLiteral("K1,K2"));
  parser.addOption(solve);
  parser.addOption(unit);
  parser.addOption(grade);
  parser.addOption(round);
  parser.addOption(pdf);
  parser.addOption(net);
  parser.addOption(cube);
  parser.addOption(square_base);
  parser.addOption(worksheet);
  parser.addOption(seed);
  parser.addOption(kinds);
  for (const QtOption& qt : kQtOptions) {
    QCommandLineOption option(QString::fromLatin1(qt.name));
    if (qt.takes_value) option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }

  const QString program = QString::fromUtf8(kExecutableName);
  const QString see_help = QLatin1Char(' ') + Said(Message::kSeeHelp).arg(program) + QLatin1Char('\n');
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
  for (const QCommandLineOption* once :
       {&solve, &unit, &grade, &round, &pdf, &net, &cube, &square_base, &worksheet, &seed, &kinds}) {
    if (parser.optionNames().count(once->names().constFirst()) > 1) {
      Print(stderr, program + QStringLiteral(": --") + once->names().constFirst() + QStringLiteral(": ") +
                        Said(Message::kGivenTwice) + see_help);
      return 2;
    }
  }
  if (parser.isSet(net) && !parser.isSet(pdf)) {
    Print(stderr, program + QStringLiteral(": --net: ") + Said(Message::kOnlyWithPdf) + see_help);
    return 2;
  }
  // A grade or a rounding among the window's choices, else what they are.
  SolutionStyle style;
  const auto choose = [&](const QCommandLineOption& option, int& chosen, bool (*listed)(int),
                          Message choices) {
    if (!parser.isSet(option)) return true;
    bool number = false;
    chosen = parser.value(option).toInt(&number);
    if (number && listed(chosen)) return true;
    Print(stderr, program + QStringLiteral(": --") + option.names().constFirst() + QLatin1Char(' ') +
                      parser.value(option) + QStringLiteral(": ") + Said(choices) + see_help);
    return false;
  };
  if (!choose(grade, style.grade, [](int g) { return GradeIndex(g).has_value(); },
              Message::kNoSuchGrade) ||
      !choose(round, style.decimals, [](int d) { return RoundingIndex(d).has_value(); },
              Message::kNoSuchRounding)) {
    return 2;
  }
  if (parser.isSet(worksheet)) {
    return PrintWorksheet(parser.value(worksheet), parser.isSet(seed) ? parser.value(seed) : QStringLiteral("1"),
                          parser.isSet(kinds) ? parser.value(kinds) : QString(), style.grade,
                          parser.isSet(pdf) ? parser.value(pdf) : QString(), program);
  }
  for (const QCommandLineOption* only_with_worksheet : {&seed, &kinds}) {
    if (parser.isSet(*only_with_worksheet)) {
      Print(stderr, program + QStringLiteral(": --") + only_with_worksheet->names().constFirst() +
                        QStringLiteral(": ") + Said(Message::kOnlyWithWorksheet) + see_help);
      return 2;
    }
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
      Print(stderr, program + QStringLiteral(": --") + only_with_solve->names().constFirst() + QStringLiteral(": ") +
                        Said(Message::kOnlyWithSolve) + see_help);
      return 2;
    }
  }
  if (!parser.positionalArguments().isEmpty()) {
    Print(stderr, program + QStringLiteral(": ") +
                      Said(Message::kUnexpectedArgument).arg(parser.positionalArguments().constFirst()) + see_help);
    return 2;
  }
  return std::nullopt;
}

}  // namespace prism
