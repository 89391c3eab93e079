// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/worked_solution.h"

#include <cmath>
#include <span>
#include <type_traits>
#include <utility>

#include "solver/written_value.h"

namespace prism {
namespace {

double Sqrt(double x) { return std::sqrt(x); }

// The values of a solution by the ASCII letters its formulas use: the
// quantities a, b, c, S, V, and what the steps name on the way (P, B, p for
// a + b, q for a·b, r for b·c or a·c, D). A formula's text is UTF-8: the
// bytes of "·", "√" and "−" are never letters.
template <typename T>
struct Named {
  std::array<T, 128> values{};
  std::array<bool, 128> known{};

  static std::size_t At(char letter) { return static_cast<unsigned char>(letter) & 0x7F; }
  const T& operator[](char letter) const { return values[At(letter)]; }
  void Set(char letter, T value) {
    values[At(letter)] = std::move(value);
    known[At(letter)] = true;
  }
  bool Has(char letter) const {
    return static_cast<unsigned char>(letter) < 0x80 && known[At(letter)];
  }
};

// A value computed both ways, from the same generic formula.
struct Formula {
  double (*compute)(const Named<double>&);
  ExactNumber (*exact)(const Named<ExactNumber>&);

  constexpr Formula(auto formula) : compute(formula), exact(formula) {}
};

enum class Dimension { kNone, kLength, kArea, kVolume };

// Where a step's result shows that there is no box: left ≤ right, or
// left < right where strict.
struct NoBoxWhen {
  std::string_view left_text;
  Formula left;
  std::string_view right_text;
  Formula right;
  bool strict = false;
};

// One line of the solution: the formula as the textbook writes it, its
// right-hand side with the numbers put in, and the value it gives.
struct Step {
  std::string_view text;    // "V = B·c → c = V/B"
  std::string_view put_in;  // the right-hand side in letters: "V/B"
  char name;                // what it computes
  Dimension dimension;
  Formula value;
  std::optional<NoBoxWhen> no_box = {};
};

constexpr auto Perimeter = [](const auto& v) { return 2 * (v['a'] + v['b']); };
constexpr auto BaseArea = [](const auto& v) { return v['a'] * v['b']; };
constexpr auto SurfaceFromPerimeter = [](const auto& v) { return v['P'] * v['c']; };
constexpr auto VolumeFromBase = [](const auto& v) { return v['B'] * v['c']; };
constexpr auto VolumeFromSides = [](const auto& v) { return v['a'] * v['b'] * v['c']; };
constexpr auto HalfPerimeter = [](const auto& v) { return v['S'] / (2 * v['c']); };
constexpr auto Zero = [](const auto& v) { return std::decay_t<decltype(v['D'])>(0); };

constexpr Step kPerimeter{"P = 2·(a + b)", "2·(a + b)", 'P', Dimension::kLength, Perimeter};
constexpr Step kBaseArea{"B = a·b", "a·b", 'B', Dimension::kArea, BaseArea};
constexpr Step kSurface{"S = P·c", "P·c", 'S', Dimension::kArea, SurfaceFromPerimeter};
constexpr Step kVolume{"V = B·c", "B·c", 'V', Dimension::kVolume, VolumeFromBase};
constexpr Step kVolumeFromSides{"V = a·b·c", "a·b·c", 'V', Dimension::kVolume, VolumeFromSides};
constexpr Step kHalfPerimeter{"S = 2·(a + b)·c → a + b = S/(2·c)", "S/(2·c)", 'p',
                              Dimension::kLength, HalfPerimeter};

constexpr Step kSideBFromVolume{"V = a·b·c → b = V/(a·c)", "V/(a·c)", 'b', Dimension::kLength,
                                [](const auto& v) { return v['V'] / (v['a'] * v['c']); }};
constexpr Step kSideAFromVolume{"V = a·b·c → a = V/(b·c)", "V/(b·c)", 'a', Dimension::kLength,
                                [](const auto& v) { return v['V'] / (v['b'] * v['c']); }};

constexpr Step kRow0[] = {kPerimeter, kSurface, kBaseArea, kVolume};
constexpr Step kRow1[] = {
    kPerimeter,
    {"S = P·c → c = S/P", "S/P", 'c', Dimension::kLength,
     [](const auto& v) { return v['S'] / v['P']; }},
    kBaseArea,
    kVolume};
constexpr Step kRow2[] = {
    kBaseArea,
    {"V = B·c → c = V/B", "V/B", 'c', Dimension::kLength,
     [](const auto& v) { return v['V'] / v['B']; }},
    kPerimeter,
    kSurface};
// With S and V given, c goes first: b·c from V, then c from S.
constexpr Step kRow3[] = {
    {"V = a·b·c → b·c = V/a", "V/a", 'r', Dimension::kArea,
     [](const auto& v) { return v['V'] / v['a']; }},
    {"S = 2·a·c + 2·b·c → c = (S − 2·b·c)/(2·a)", "(S − 2·r)/(2·a)", 'c', Dimension::kLength,
     [](const auto& v) { return (v['S'] - 2 * v['r']) / (2 * v['a']); },
     NoBoxWhen{"S", [](const auto& v) { return v['S']; }, "2·b·c",
               [](const auto& v) { return 2 * v['r']; }}},
    kSideBFromVolume};
constexpr Step kRow4[] = {
    kHalfPerimeter,
    {"b = (a + b) − a", "p − a", 'b', Dimension::kLength,
     [](const auto& v) { return v['p'] - v['a']; },
     NoBoxWhen{"S/(2·c)", [](const auto& v) { return v['p']; }, "a",
               [](const auto& v) { return v['a']; }}},
    kVolumeFromSides};
constexpr Step kRow5[] = {
    kSideBFromVolume,
    kPerimeter,
    kSurface};
constexpr Step kRow6[] = {
    kHalfPerimeter,
    {"a = (a + b) − b", "p − b", 'a', Dimension::kLength,
     [](const auto& v) { return v['p'] - v['b']; },
     NoBoxWhen{"S/(2·c)", [](const auto& v) { return v['p']; }, "b",
               [](const auto& v) { return v['b']; }}},
    kVolumeFromSides};
constexpr Step kRow7[] = {
    kSideAFromVolume,
    kPerimeter,
    kSurface};
constexpr Step kRow8[] = {
    {"V = a·b·c → a·c = V/b", "V/b", 'r', Dimension::kArea,
     [](const auto& v) { return v['V'] / v['b']; }},
    {"S = 2·a·c + 2·b·c → c = (S − 2·a·c)/(2·b)", "(S − 2·r)/(2·b)", 'c', Dimension::kLength,
     [](const auto& v) { return (v['S'] - 2 * v['r']) / (2 * v['b']); },
     NoBoxWhen{"S", [](const auto& v) { return v['S']; }, "2·a·c",
               [](const auto& v) { return 2 * v['r']; }}},
    kSideAFromVolume};
// a and b are the roots of x² − (a + b)·x + a·b = 0, a the smaller.
constexpr Step kRow9[] = {
    kHalfPerimeter,
    {"V = a·b·c → a·b = V/c", "V/c", 'q', Dimension::kArea,
     [](const auto& v) { return v['V'] / v['c']; }},
    {"D = (a + b)² − 4·a·b", "p² − 4·q", 'D', Dimension::kNone,
     [](const auto& v) { return v['p'] * v['p'] - 4 * v['q']; },
     NoBoxWhen{"D", [](const auto& v) { return v['D']; }, "0", Zero, true}},
    {"a = x₁ = (a + b − √D)/2", "(p − √D)/2", 'a', Dimension::kLength,
     [](const auto& v) { return (v['p'] - Sqrt(v['D'])) / 2; }},
    {"b = x₂ = (a + b + √D)/2", "(p + √D)/2", 'b', Dimension::kLength,
     [](const auto& v) { return (v['p'] + Sqrt(v['D'])) / 2; }}};

constexpr std::array<std::span<const Step>, kCombinationCount> kRowSteps = {
    kRow0, kRow1, kRow2, kRow3, kRow4, kRow5, kRow6, kRow7, kRow8, kRow9};

// Each row's steps compute the quantities the combination table says it
// computes, and only after they are known use them.
constexpr bool StepsMatchTheTable() {
  for (std::size_t row = 0; row < kCombinationCount; ++row) {
    const Combination& combination = kCombinationTable[row];
    for (Quantity q : combination.computed) {
      bool found = false;
      for (const Step& step : kRowSteps[row]) found = found || step.name == QuantityCaption(q)[0];
      if (!found) return false;
    }
  }
  return true;
}
static_assert(StepsMatchTheTable());

constexpr std::string_view kNoBox = ": няма такъв паралелепипед.";

class Writer {
 public:
  Writer(int row, const FieldTexts& texts, SolveResult solved, const NumberFormat& format,
         LengthUnit unit)
      : row_(row), texts_(texts), format_(format), unit_(UnitInfo(unit)), solved_(std::move(solved)) {
    for (Quantity q : kCombinationTable[static_cast<std::size_t>(row)].known) {
      Put(Letter(q), Field(q));
    }
  }

  WorkedSolution Write() {
    const Combination& combination = kCombinationTable[static_cast<std::size_t>(row_)];
    lines_.emplace_back(Heading(SolutionPart::kGiven));
    for (Quantity q : combination.known) lines_.push_back(Given(q));
    lines_.push_back(std::string(Heading(SolutionPart::kSought)) + " " + std::string(QuantityCaption(combination.computed[0])) + ", " +
                     std::string(QuantityCaption(combination.computed[1])));
    lines_.emplace_back(Heading(SolutionPart::kSteps));
    for (const Step& step : kRowSteps[static_cast<std::size_t>(row_)]) {
      if (!Take(step)) return Done(false);
      if (row_ == 9 && step.name == 'q') {
        lines_.emplace_back("a и b са корените на уравнението x² − (a + b)·x + a·b = 0:");
        lines_.push_back(PutValuesIn("x² − p·x + q").first + " = 0");
      }
    }
    // The steps' values are the fields' where they are quantities; any that
    // is not above 0 is no side of a box, however it came about.
    for (Quantity q : combination.computed) {
      const DerivedValue value = Field(q);
      if (!WithinDoubleRange(value.exact)) {
        OutOfRange(Letter(q));
        return Done(false);
      }
      if (!Positive(value)) {
        lines_.push_back(std::string(QuantityCaption(q)) + " = " + Value(value, q).text + " ≤ 0" +
                         std::string(kNoBox));
        return Done(false);
      }
    }
    if (solved_.outcome != SolveOutcome::kSolved) {
      OutOfRange(Letter(combination.computed[0]));
      return Done(false);
    }
    lines_.emplace_back(Heading(SolutionPart::kAnswer));
    for (Quantity q : combination.computed) lines_.push_back(Answer(q));
    lines_.emplace_back(Heading(SolutionPart::kMore));
    if (!doubles_.Has('B') && !Take(kBaseArea)) return Done(false);
    lines_.push_back(MoreLine("S₁ = S + 2·B", "S + 2·B", Dimension::kArea,
                              {[](const auto& v) { return v['S'] + 2 * v['B']; }}));
    lines_.push_back(MoreLine("d = √(a² + b² + c²)", "√(a² + b² + c²)", Dimension::kLength,
                              {[](const auto& v) {
                                return Sqrt(v['a'] * v['a'] + v['b'] * v['b'] + v['c'] * v['c']);
                              }}));
    return Done(true);
  }

 private:
  static char Letter(Quantity q) { return QuantityCaption(q)[0]; }

  DerivedValue Field(Quantity q) const { return {solved_.values[q], solved_.exact[q]}; }

  void Put(char letter, const DerivedValue& value) {
    doubles_.Set(letter, value.value);
    exact_.Set(letter, value.exact);
  }

  DerivedValue Get(char letter) const { return {doubles_[letter], exact_[letter]}; }

  DerivedValue Compute(const Formula& formula) const {
    return {formula.compute(doubles_), formula.exact(exact_)};
  }

  static bool Positive(const DerivedValue& value) {
    if (const std::optional<int> sign = Sign(value.exact)) return *sign > 0;
    return value.value > 0.0;
  }

  // left − right: below, at or above zero.
  static int Compare(const DerivedValue& left, const DerivedValue& right) {
    if (const std::optional<int> sign = Sign(left.exact - right.exact)) return *sign;
    return left.value < right.value ? -1 : left.value > right.value ? 1 : 0;
  }

  bool IsGiven(char letter) const {
    for (Quantity q : kCombinationTable[static_cast<std::size_t>(row_)].known) {
      if (Letter(q) == letter) return true;
    }
    return false;
  }

  std::function<std::optional<PutIn>(char)> Lookup() const {
    return [this](char letter) -> std::optional<PutIn> {
      if (!doubles_.Has(letter)) return std::nullopt;
      return PutIn{Get(letter), IsGiven(letter) ? kGivenDecimals : kDecimals};
    };
  }

  // The unit a value of that dimension is written with: " см", " см²", " см³".
  std::string Unit(Dimension dimension) const {
    if (unit_.unit == LengthUnit::kNone) return "";
    // Appended, not " " + string: GCC 12 warns wrongly (-Wrestrict) on that
    // form once it is inlined at -O3.
    std::string unit(" ");
    unit += unit_.name;
    switch (dimension) {
      case Dimension::kNone:
        return "";
      case Dimension::kLength:
        return unit;
      case Dimension::kArea:
        return unit + "²";
      case Dimension::kVolume:
        return unit + "³";
    }
    return "";
  }

  static Dimension DimensionOf(Quantity q) {
    return q == Quantity::kS ? Dimension::kArea
           : q == Quantity::kV ? Dimension::kVolume
                               : Dimension::kLength;
  }

  struct Text {
    std::string text;
    bool approximate = false;
  };

  // A value with its unit: exactly, and where that is a fraction or root,
  // also as the field shows it.
  Text Written(const DerivedValue& value, int decimals, Dimension dimension) const {
    const WrittenValue written = prism::Written(value, decimals, format_);
    std::string text = Minus(written.text) + Unit(dimension);
    if (written.fraction_or_root) {
      text += " ≈ " + Minus(ApproximateText(value, format_).text) + Unit(dimension);
    }
    return {text, written.approximate};
  }

  // The expression with the values put in for its letters, and whether one
  // of them is approximate.
  std::pair<std::string, bool> PutValuesIn(std::string_view expression) const {
    auto [text, approximate] = Substituted(expression, Lookup(), format_);
    return {Minus(std::move(text)), approximate};
  }

  Text Value(const DerivedValue& value, Quantity q) const {
    return Written(value, kDecimals, DimensionOf(q));
  }

  // The volume also in litres, a litre being a cubic decimetre.
  std::string Litres(const DerivedValue& volume, int decimals) const {
    if (unit_.cubes_per_litre_numerator == 0) return "";
    const ExactNumber per_litre = ExactNumber(static_cast<int>(unit_.cubes_per_litre_numerator)) /
                                  ExactNumber(static_cast<int>(unit_.cubes_per_litre_denominator));
    const DerivedValue litres{volume.value / (static_cast<double>(unit_.cubes_per_litre_numerator) /
                                              static_cast<double>(unit_.cubes_per_litre_denominator)),
                              volume.exact / per_litre};
    const Text text = Written(litres, decimals, Dimension::kNone);
    return (text.approximate ? " ≈ " : " = ") + text.text + " л";
  }

  // Every given value as the user wrote it, every digit kept.
  std::string Given(Quantity q) const {
    const DerivedValue value = Field(q);
    std::string line = std::string(QuantityCaption(q)) + " = " +
                       Minus(TypedNumberText(texts_[Index(q)], format_).value_or("")) +
                       Unit(DimensionOf(q));
    if (q == Quantity::kV) line += Litres(value, kGivenDecimals);
    return line;
  }

  std::string Answer(Quantity q) const {
    const Text value = Value(Field(q), q);
    std::string line = std::string(QuantityCaption(q)) + (value.approximate ? " ≈ " : " = ") +
                       value.text;
    if (q == Quantity::kV) line += Litres(Field(q), kDecimals);
    return line;
  }

  // The step's line, and whether a box is still possible after it.
  bool Take(const Step& step) {
    DerivedValue value = Compute(step.value);
    // A quantity is the field's, by the window's formulas: the same exact
    // value, and the double the field shows.
    for (Quantity q : kAllQuantities) {
      const DerivedValue field = Field(q);
      if (Letter(q) == step.name && (field.exact.has_value() || !value.exact.has_value())) {
        value = field;
      }
    }
    if (!WithinDoubleRange(value.exact)) {
      OutOfRange(step.name);
      return false;
    }
    Put(step.name, value);
    const auto [put_in, approximate] = PutValuesIn(step.put_in);
    const Text result = Written(value, kDecimals, step.dimension);
    lines_.push_back(std::string(step.text) + " = " + put_in +
                     (approximate || result.approximate ? " ≈ " : " = ") + result.text);
    if (!step.no_box) return true;
    const DerivedValue left = Compute(step.no_box->left);
    const DerivedValue right = Compute(step.no_box->right);
    const int order = Compare(left, right);
    if (order > 0 || (order == 0 && step.no_box->strict)) return true;
    lines_.push_back(NoBoxLine(step, left, right, value, order));
    return false;
  }

  std::string NoBoxLine(const Step& step, const DerivedValue& left, const DerivedValue& right,
                        const DerivedValue& value, int order) const {
    if (step.name == 'D') {
      return "D = " + Written(value, kDecimals, Dimension::kNone).text +
             " < 0: уравнението няма реални корени, затова няма такъв паралелепипед.";
    }
    const std::string name(1, step.name);
    const std::string left_text = std::string(step.no_box->left_text) + " = " +
                                  Written(left, kDecimals, step.dimension).text;
    const std::string right_text = std::string(step.no_box->right_text) + " = " +
                                   Written(right, kDecimals, step.dimension).text;
    if (order == 0) {
      return left_text + " е равно на " + right_text + ", затова " + name + " = 0" +
             std::string(kNoBox);
    }
    return left_text + " е по-малко от " + right_text + ", затова " + name + " = " +
           Written(value, kDecimals, step.dimension).text + " < 0" + std::string(kNoBox);
  }

  std::string MoreLine(std::string_view text, std::string_view put_in, Dimension dimension,
                       const Formula& formula) {
    const DerivedValue value = Compute(formula);
    const auto [substituted, approximate] = PutValuesIn(put_in);
    const Text result = Written(value, kDecimals, dimension);
    return std::string(text) + " = " + substituted +
           (approximate || result.approximate ? " ≈ " : " = ") + result.text;
  }

  // A value too large or too small for the numbers the program computes with.
  void OutOfRange(char name) {
    lines_.push_back("Стойността на " + std::string(1, name) +
                     " е извън обхвата на числата, с които смята програмата: няма отговор.");
  }

  WorkedSolution Done(bool box) {
    WorkedSolution solution;
    solution.lines = std::move(lines_);
    solution.box = box;
    solution.unit = unit_.unit;
    if (box) {
      // As the fields show them, whatever the doubles' last bits.
      for (Quantity q : kAllQuantities) solution.values[q] = solved_.exact[q].ToDouble();
      for (Quantity q : {Quantity::kA, Quantity::kB, Quantity::kC}) {
        const WrittenValue written =
            prism::Written(Field(q), IsGiven(Letter(q)) ? kGivenDecimals : kDecimals, format_);
        solution.edge_values[Index(q)] = Minus(written.text) + Unit(Dimension::kLength);
        solution.edge_labels[Index(q)] = std::string(QuantityCaption(q)) +
                                         (written.approximate ? " ≈ " : " = ") +
                                         solution.edge_values[Index(q)];
      }
    }
    return solution;
  }

  int row_;
  const FieldTexts& texts_;
  const NumberFormat& format_;
  const LengthUnitInfo& unit_;
  SolveResult solved_;
  Named<double> doubles_;
  Named<ExactNumber> exact_;
  std::vector<std::string> lines_;
};

}  // namespace

std::variant<SolveRequest, ArgumentError> ReadGivenQuantities(
    const std::vector<std::string>& arguments, const NumberFormat& format) {
  SolveRequest request;
  KnownMarks marks{};
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (i == 3) return ArgumentError{argument, "one more than the three quantities a box is given by"};
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) {
      return ArgumentError{argument, "write a quantity as letter=value, as in a=3"};
    }
    const std::string_view letter = std::string_view(argument).substr(0, equals);
    std::optional<Quantity> quantity;
    for (Quantity q : kAllQuantities) {
      if (QuantityCaption(q) == letter) quantity = q;
    }
    if (!quantity) return ArgumentError{argument, "no quantity of that name (a, b, c, S or V)"};
    if (marks[Index(*quantity)] == 1) {
      return ArgumentError{argument, std::string(letter) + " is given twice"};
    }
    marks[Index(*quantity)] = 1;
    request.texts[Index(*quantity)] = argument.substr(equals + 1);
    KnownMarks just_this{};
    just_this[Index(*quantity)] = 1;
    if (const std::optional<InvalidKnown> invalid = FirstInvalidKnown(request.texts, just_this, format)) {
      // What the window's hints say, for the same values.
      const char* why = invalid->why == Invalidity::kTooLarge   ? "is too large for the computer"
                        : invalid->why == Invalidity::kTooSmall ? "is too close to zero for the computer"
                                                                : "is not a positive number";
      std::string message(1, '\'');
      message += std::string_view(argument).substr(equals + 1);
      message += "' ";
      message += why;
      return ArgumentError{argument, message};
    }
  }
  if (arguments.size() < 3) {
    return ArgumentError{"", "three quantities are needed (as in a=3 b=4 V=50), " +
                                 std::to_string(arguments.size()) + " given"};
  }
  for (std::size_t row = 0; row < kCombinationCount; ++row) {
    bool all = true;
    for (Quantity q : kCombinationTable[row].known) all = all && marks[Index(q)] == 1;
    if (all) request.row = static_cast<int>(row);
  }
  return request;
}

std::optional<WorkedSolution> SolveWorked(int row, const FieldTexts& texts,
                                          const NumberFormat& format, LengthUnit unit) {
  const Combination* combination = FindCombination(row);
  if (combination == nullptr) return std::nullopt;
  KnownMarks marks{};
  for (Quantity q : combination->known) marks[Index(q)] = 1;
  return SolveWorked(row, texts, Solve(row, texts, marks, format), format, unit);
}

std::optional<WorkedSolution> SolveWorked(int row, const FieldTexts& texts,
                                          const SolveResult& solved, const NumberFormat& format,
                                          LengthUnit unit) {
  if (FindCombination(row) == nullptr || solved.outcome == SolveOutcome::kRejected) {
    return std::nullopt;
  }
  return Writer(row, texts, solved, format, unit).Write();
}

}  // namespace prism
