// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/tasks.h"

#include <algorithm>
#include <array>
#include <variant>

#include "solver/notation.h"

namespace prism {
namespace {

using Edges = std::array<ExactNumber, 3>;

// One kind of task: its words, with the values' places as {a}, {b}, {c},
// {S}, {T} (S₁), {V}, {B}, {L}, {k} and {u} (the unit); what it gives and
// what it asks.
struct TaskKind {
  std::string_view kind;
  int grade;
  std::string_view text;
  Shape shape;
  std::array<BoxQuantity, 3> given;
  std::size_t given_count;
  BoxQuantity sought;
  LengthUnit unit;
  // b = a/2 and c = b − k: the edges given by each other.
  bool linked = false;
  // a given in decimetres ({A}), V in litres ({W}): a unit to convert.
  bool edge_in_decimetres = false;
  bool volume_in_litres = false;
};

constexpr std::array<TaskKind, 18> kTaskKinds = {{
    {"Обем от трите ръба", 5,
     "Правоъгълен паралелепипед има размери {a} {u}, {b} {u} и {c} {u}. Намерете обема му.", Shape::kAny,
     {BoxQuantity::kA, BoxQuantity::kB, BoxQuantity::kC}, 3, BoxQuantity::kV, LengthUnit::kCentimetre},
    {"Околна повърхнина от трите ръба", 5,
     "Правоъгълен паралелепипед има размери {a} {u}, {b} {u} и {c} {u}. Намерете околната му повърхнина.",
     Shape::kAny, {BoxQuantity::kA, BoxQuantity::kB, BoxQuantity::kC}, 3, BoxQuantity::kS, LengthUnit::kCentimetre},
    {"Пълна повърхнина от трите ръба", 5,
     "Правоъгълен паралелепипед има размери {a} {u}, {b} {u} и {c} {u}. Намерете пълната му повърхнина.",
     Shape::kAny, {BoxQuantity::kA, BoxQuantity::kB, BoxQuantity::kC}, 3, BoxQuantity::kS1, LengthUnit::kCentimetre},
    {"Куб: обем от ръба", 5, "Куб има ръб {a} {u}. Намерете обема му.", Shape::kCube,
     {BoxQuantity::kA}, 1, BoxQuantity::kV, LengthUnit::kCentimetre},
    {"Куб: ръб от пълната повърхнина", 5, "Куб има повърхнина {T} {u}². Намерете ръба му.", Shape::kCube,
     {BoxQuantity::kS1}, 1, BoxQuantity::kA, LengthUnit::kCentimetre},
    {"Куб: ръб от обема", 5, "Обемът на куб е {V} {u}³. Намерете ръба му.", Shape::kCube,
     {BoxQuantity::kV}, 1, BoxQuantity::kA, LengthUnit::kCentimetre},
    {"Куб: обем от сбора на ръбовете", 5,
     "Сборът от дължините на всички ръбове на куб е {L} {u}. Намерете обема му.", Shape::kCube,
     {BoxQuantity::kL}, 1, BoxQuantity::kV, LengthUnit::kCentimetre},
    {"Височина от обема и основата", 5,
     "Обемът на правоъгълен паралелепипед е {V} {u}³, а основата му има размери {a} {u} и {b} {u}. "
     "Намерете височината му.",
     Shape::kAny, {BoxQuantity::kV, BoxQuantity::kA, BoxQuantity::kB}, 3, BoxQuantity::kC, LengthUnit::kCentimetre},
    {"Височина от лицето на основата и обема", 5,
     "Лицето на основата на правоъгълен паралелепипед е {B} {u}², а обемът му е {V} {u}³. Намерете височината му.",
     Shape::kAny, {BoxQuantity::kBase, BoxQuantity::kV}, 2, BoxQuantity::kC, LengthUnit::kCentimetre},
    {"Аквариум: литри", 5,
     "Аквариум има форма на правоъгълен паралелепипед с размери {a} см, {b} см и {c} см. "
     "Колко литра вода събира?",
     Shape::kAny, {BoxQuantity::kA, BoxQuantity::kB, BoxQuantity::kC}, 3, BoxQuantity::kV, LengthUnit::kCentimetre},
    {"Стая: стените", 5,
     "Стая има форма на правоъгълен паралелепипед с дължина {a} м, широчина {b} м и височина {c} м. "
     "Колко квадратни метра са стените ѝ?",
     Shape::kAny, {BoxQuantity::kA, BoxQuantity::kB, BoxQuantity::kC}, 3, BoxQuantity::kS, LengthUnit::kMetre},
    {"Кутия: хартия за облепване", 5,
     "Кутия има форма на правоъгълен паралелепипед с размери {a} см, {b} см и {c} см. "
     "Колко квадратни сантиметра хартия са нужни, за да се облепи цялата?",
     Shape::kAny, {BoxQuantity::kA, BoxQuantity::kB, BoxQuantity::kC}, 3, BoxQuantity::kS1, LengthUnit::kCentimetre},
    {"Ръб от пълната повърхнина и другите два", 6,
     "Пълната повърхнина на правоъгълен паралелепипед е {T} {u}², а два от ръбовете му са {a} {u} и {b} {u}. "
     "Намерете третия ръб.",
     Shape::kAny, {BoxQuantity::kS1, BoxQuantity::kA, BoxQuantity::kB}, 3, BoxQuantity::kC, LengthUnit::kCentimetre},
    {"Квадратна основа: обем от околната повърхнина", 6,
     "Правоъгълен паралелепипед с квадратна основа има околна повърхнина {S} {u}² и височина {c} {u}. "
     "Намерете обема му.",
     Shape::kSquareBase, {BoxQuantity::kS, BoxQuantity::kC}, 2, BoxQuantity::kV, LengthUnit::kCentimetre},
    {"Ръбове, дадени един чрез друг", 7,
     "Дължината на правоъгълен паралелепипед е {a} {u}, широчината е два пъти по-малка от дължината, а "
     "височината е с {k} {u} по-малка от широчината. Намерете обема му.",
     Shape::kAny, {BoxQuantity::kA}, 1, BoxQuantity::kV, LengthUnit::kCentimetre, true},
    {"Основа от сбора и произведението", 7,
     "Правоъгълен паралелепипед има височина {c} {u}, околна повърхнина {S} {u}² и обем {V} {u}³. "
     "Намерете по-късия ръб на основата му.",
     Shape::kAny, {BoxQuantity::kC, BoxQuantity::kS, BoxQuantity::kV}, 3, BoxQuantity::kA, LengthUnit::kCentimetre},
    {"Обем от ръбове в различни мерни единици", 6,
     "Правоъгълен паралелепипед има размери {A} дм, {b} см и {c} см. Намерете обема му в кубични сантиметри.",
     Shape::kAny, {BoxQuantity::kA, BoxQuantity::kB, BoxQuantity::kC}, 3, BoxQuantity::kV, LengthUnit::kCentimetre,
     false, true},
    {"Аквариум: височина на водата от литрите", 6,
     "В аквариум с дъно {a} см на {b} см са налети {W} л вода. Колко сантиметра е височината на водата?",
     Shape::kAny, {BoxQuantity::kA, BoxQuantity::kB, BoxQuantity::kV}, 3, BoxQuantity::kC, LengthUnit::kCentimetre,
     false, false, true},
}};

// Every kind gives what it names and asks one thing it does not give.
constexpr bool TaskKindsAreWellFormed() {
  for (const TaskKind& kind : kTaskKinds) {
    if (kind.given_count == 0 || kind.given_count > 3 || kind.grade < 5 || kind.grade > 7) return false;
    for (std::size_t i = 0; i < kind.given_count; ++i) {
      if (kind.given[i] == kind.sought) return false;
    }
  }
  return kTaskKinds.size() >= 12;
}
static_assert(TaskKindsAreWellFormed());

// splitmix64: the same numbers from the same seed with every compiler and
// library, which the standard's distributions do not promise.
class Draw {
 public:
  explicit Draw(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Between(int low, int high) { return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1)); }

 private:
  std::uint64_t state_;
};

// An edge a pupil of the grade meets: whole in grade 5, else now and then
// with one decimal.
ExactNumber DrawEdge(Draw& draw, int grade, int low, int high) {
  if (grade >= 6 && draw.Between(0, 2) == 0) return ExactNumber(Rational(draw.Between(low * 10, high * 10), 10));
  return ExactNumber(draw.Between(low, high));
}

// A value as the task writes it, every digit: in its words with a decimal
// comma and groups of three from five digits ("19 683"), in its items plain.
std::string Written(const ExactNumber& value, bool words) {
  const std::optional<RoundedDecimal> decimal = RoundedToDecimals(value, TerminatingDecimals(value).value_or(0));
  const NumberFormat format = words ? NumberFormat{",", "\u00A0", {3}, 5} : NumberFormat{};
  return FormatDecimalText(decimal ? decimal->fixed : "", false, format);
}

void Replace(std::string& text, std::string_view from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// Whole, or with at most two decimals.
bool Nice(const ExactNumber& value) { return TerminatingDecimals(value).value_or(3) <= 2; }

std::optional<Task> TryTask(const TaskKind& kind, int grade, Draw& draw) {
  Edges edges;
  ExactNumber k(0);
  const int largest = kind.unit == LengthUnit::kMetre ? 12 : 40;
  if (kind.linked) {
    edges[0] = ExactNumber(2 * draw.Between(3, 15));
    edges[1] = edges[0] / 2;
    k = ExactNumber(draw.Between(1, 2));
    edges[2] = edges[1] - k;
  } else {
    for (ExactNumber& edge : edges) edge = DrawEdge(draw, grade, 2, largest);
    // Whole or half decimetres.
    if (kind.edge_in_decimetres) edges[0] = ExactNumber(5 * draw.Between(3, 12));
    if (kind.shape == Shape::kCube) edges[1] = edges[2] = edges[0];
    if (kind.shape == Shape::kSquareBase) edges[1] = edges[0];
  }
  std::string text(kind.text);
  const std::string unit(UnitInfo(kind.unit).name);
  Replace(text, "{u}", unit);
  static constexpr std::array<std::pair<std::string_view, BoxQuantity>, 9> kPlaces = {{
      {"{a}", BoxQuantity::kA}, {"{b}", BoxQuantity::kB}, {"{c}", BoxQuantity::kC},
      {"{S}", BoxQuantity::kS}, {"{T}", BoxQuantity::kS1}, {"{V}", BoxQuantity::kV},
      {"{B}", BoxQuantity::kBase}, {"{L}", BoxQuantity::kL}, {"{P}", BoxQuantity::kP},
  }};
  for (const auto& [place, quantity] : kPlaces) Replace(text, place, Written(AnswerValue(quantity, edges), true));
  Replace(text, "{k}", Written(k, true));
  const ExactNumber decimetres = edges[0] / 10, litres = AnswerValue(BoxQuantity::kV, edges) / 1000;
  Replace(text, "{A}", Written(decimetres, true));
  Replace(text, "{W}", Written(litres, true));
  Task task;
  task.kind = kind.kind;
  task.grade = kind.grade;
  task.text = std::move(text);
  for (std::size_t i = 0; i < kind.given_count; ++i) {
    const BoxQuantityInfo& info = Info(kind.given[i]);
    const std::string power = info.measure == Measure::kArea ? "²" : info.measure == Measure::kVolume ? "³" : "";
    std::string item = std::string(info.name) + " = ";
    if (kind.edge_in_decimetres && kind.given[i] == BoxQuantity::kA) {
      item += Written(decimetres, false) + " дм";
    } else if (kind.volume_in_litres && kind.given[i] == BoxQuantity::kV) {
      item += Written(litres, false) + " л";
    } else {
      item += Written(AnswerValue(kind.given[i], edges), false) + " " + unit + power;
    }
    task.items.push_back(std::move(item));
  }
  if (kind.linked) {
    task.items.emplace_back("b = a/2");
    task.items.push_back("c = b − " + Written(k, false) + " " + unit);
  }
  if (kind.shape == Shape::kCube) task.items.emplace_back(kCubeWord);
  if (kind.shape == Shape::kSquareBase) task.items.emplace_back(kSquareBaseWords);
  task.items.push_back(std::string(Info(kind.sought).name) + " = ?");
  task.expected = {kind.sought, edges, kind.unit, 2};
  // Nice numbers, and a task the engine solves to the answer it was drawn
  // from.
  const ExactNumber answer = AnswerValue(kind.sought, edges);
  if (!Nice(answer) || Sign(edges[2]).value_or(0) <= 0 || (kind.volume_in_litres && !Nice(litres))) {
    return std::nullopt;
  }
  const auto read = ReadProblem(task.items);
  if (!std::holds_alternative<Problem>(read)) return std::nullopt;
  task.solution = SolveProblem(std::get<Problem>(read), {}, kind.unit, SolutionStyle{grade, 2});
  if (task.solution.outcome != ProblemOutcome::kSolved || task.solution.approximate ||
      Sign(task.solution.values[Index(kind.sought)] - answer) != std::optional<int>(0)) {
    return std::nullopt;
  }
  return task;
}

}  // namespace

std::size_t TaskKindCount() { return kTaskKinds.size(); }

std::optional<Task> MakeTask(std::size_t kind, int grade, std::uint64_t seed) {
  if (kind >= kTaskKinds.size() || kTaskKinds[kind].grade > grade) return std::nullopt;
  Draw draw(seed * kTaskKinds.size() + kind);
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (std::optional<Task> task = TryTask(kTaskKinds[kind], grade, draw)) return task;
  }
  return std::nullopt;
}

std::vector<Task> MakeTasks(int grade, std::size_t count, std::uint64_t seed,
                            const std::vector<std::size_t>& kinds) {
  std::vector<std::size_t> turn = kinds;
  if (turn.empty()) {
    for (std::size_t kind = 0; kind < kTaskKinds.size(); ++kind) turn.push_back(kind);
  }
  std::vector<Task> tasks;
  for (std::size_t i = 0; tasks.size() < count && i < count * turn.size(); ++i) {
    if (std::optional<Task> task = MakeTask(turn[i % turn.size()], grade, seed + i / turn.size())) {
      tasks.push_back(std::move(*task));
    }
  }
  return tasks;
}

std::vector<std::string> WorksheetLines(const std::vector<Task>& tasks) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < tasks.size(); ++i) {
    lines.push_back(std::to_string(i + 1) + ". " + tasks[i].text);
    // Room to work.
    for (int blank = 0; blank < 6; ++blank) lines.emplace_back();
  }
  lines.emplace_back(kPageBreak);
  lines.emplace_back("Отговори");
  for (std::size_t i = 0; i < tasks.size(); ++i) {
    std::string data;
    for (const std::string& item : tasks[i].items) data += (data.empty() ? "" : "; ") + item;
    std::string answers;
    const std::vector<std::string>& solution = tasks[i].solution.worked.lines;
    const auto answer = std::find(solution.begin(), solution.end(), Heading(SolutionPart::kAnswer));
    for (auto line = answer; line != solution.end() && ++line != solution.end() && !HeadingOf(*line);) {
      answers += (answers.empty() ? "" : "; ") + *line;
    }
    lines.push_back(std::to_string(i + 1) + ". " + data + " → " + answers);
  }
  return lines;
}

}  // namespace prism
