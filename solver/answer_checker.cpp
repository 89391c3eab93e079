// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/answer_checker.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "solver/notation.h"

namespace prism {
namespace {

using Edges = std::array<ExactNumber, 3>;

ExactNumber Of(BoxQuantity q, const Edges& e) {
  const ExactNumber &a = e[0], &b = e[1], &c = e[2];
  switch (q) {
    case BoxQuantity::kA: return a;
    case BoxQuantity::kB: return b;
    case BoxQuantity::kC: return c;
    case BoxQuantity::kS: return 2 * (a + b) * c;
    case BoxQuantity::kS1: return 2 * (a * b + b * c + c * a);
    case BoxQuantity::kV: return a * b * c;
    case BoxQuantity::kBase: return a * b;
    case BoxQuantity::kP: return 2 * (a + b);
    case BoxQuantity::kD: return Sqrt(a * a + b * b + c * c);
    case BoxQuantity::kL: return 4 * (a + b + c);
  }
  return {};
}

// A mistake pupils make with a task: what they then answer, and what they
// are told, which names the mistake and not the answer.
struct Mistake {
  BoxQuantity asked;
  ExactNumber (*answer)(const Edges&);
  std::string_view said;
};

constexpr std::string_view kEachFaceOnce = "Всяка стена е преброена по веднъж, а срещуположните стени са по две.";

constexpr std::array<Mistake, 12> kMistakes = {{
    {BoxQuantity::kS1, [](const Edges& e) { return Of(BoxQuantity::kS, e); },
     "Това е околната повърхнина; пълната включва и двете основи."},
    {BoxQuantity::kS, [](const Edges& e) { return Of(BoxQuantity::kS1, e); },
     "Това е пълната повърхнина; околната е без двете основи."},
    {BoxQuantity::kS1, [](const Edges& e) { return Of(BoxQuantity::kS1, e) / 2; }, kEachFaceOnce},
    {BoxQuantity::kS, [](const Edges& e) { return Of(BoxQuantity::kS, e) / 2; }, kEachFaceOnce},
    {BoxQuantity::kL, [](const Edges& e) { return Of(BoxQuantity::kL, e) / 2; },
     "Ръбовете са 12, а не 6: всеки от a, b и c се среща по 4 пъти."},
    {BoxQuantity::kL, [](const Edges& e) { return e[0] + e[1] + e[2]; },
     "Това е сборът на три ръба; всеки от тях се среща по 4 пъти."},
    {BoxQuantity::kV, [](const Edges& e) { return e[0] + e[1] + e[2]; },
     "Това е сборът a + b + c; обемът е произведението a·b·c."},
    {BoxQuantity::kV, [](const Edges& e) { return e[0] * e[1]; },
     "Това е лицето на основата; обемът е лицето на основата, умножено по височината."},
    {BoxQuantity::kA, [](const Edges& e) { return e[0] * e[0]; },
     "Това е лицето на една стена; ръбът е числото, което, умножено по себе си, дава това лице."},
    {BoxQuantity::kA, [](const Edges& e) { return e[0] * e[0] * e[0] / 3; },
     "Обемът на куба е a·a·a, а не 3·a."},
    {BoxQuantity::kBase, [](const Edges& e) { return Of(BoxQuantity::kP, e); },
     "Това е периметърът на основата; лицето ѝ е a·b."},
    {BoxQuantity::kP, [](const Edges& e) { return e[0] + e[1]; },
     "Това е половината от периметъра: страните на основата са четири."},
}};

// A value given in a unit not turned into the task's: by the factor of one
// unit to the next of its measure, or of a length's where an area's or a
// volume's was due.
struct UnitSlip {
  Measure measure;
  int factor;
  std::string_view said;
};

constexpr std::array<UnitSlip, 8> kUnitSlips = {{
    {Measure::kLength, 10, "Мерните единици не са превърнати: 1 дм = 10 см, 1 см = 10 мм."},
    {Measure::kLength, 100, "Мерните единици не са превърнати: 1 м = 100 см."},
    {Measure::kLength, 1000, "Мерните единици не са превърнати: 1 м = 1000 мм."},
    {Measure::kArea, 100, "Квадратните единици не са превърнати: 1 дм² = 100 см², 1 м² = 100 дм²."},
    {Measure::kArea, 10, "Лицето се превръща със 100, а не с 10: 1 дм² = 100 см²."},
    {Measure::kVolume, 1000, "Кубичните единици не са превърнати: 1 дм³ = 1000 см³ = 1 л."},
    {Measure::kVolume, 10, "Обемът се превръща с 1000, а не с 10: 1 дм³ = 1000 см³."},
    {Measure::kVolume, 100, "Обемът се превръща с 1000, а не със 100: 1 дм³ = 1000 см³."},
}};

constexpr bool TablesAreWellFormed() {
  for (const Mistake& mistake : kMistakes) {
    if (mistake.answer == nullptr || mistake.said.empty()) return false;
  }
  for (const UnitSlip& slip : kUnitSlips) {
    if (slip.factor <= 1 || slip.said.empty()) return false;
  }
  return true;
}
static_assert(TablesAreWellFormed());

constexpr std::array<std::string_view, 3> kWrongMeasure = {
    "Дължината се мери в линейни единици, например в см.",
    "Лицето и повърхнината се мерят в квадратни единици, например в см².",
    "Обемът се мери в кубични единици, например в см³, или в литри.",
};

// "десети", "стотни", "хилядни": the places as a pupil names them.
std::string_view PlacesName(int decimals) {
  switch (decimals) {
    case 0: return "цели";
    case 1: return "десети";
    case 2: return "стотни";
    case 3: return "хилядни";
    default: return "седмия знак след десетичната запетая";
  }
}

struct ReadAnswer {
  ExactNumber number;
  std::optional<int> places;  // a decimal's; none for a fraction
  std::optional<ValueUnit> unit;
};

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n')) {
    text.remove_suffix(1);
  }
  return text;
}

bool Digit(char ch) { return ch >= '0' && ch <= '9'; }

// The blank between two groups of three digits ("11 781", and the no-break
// and thin spaces a copy brings): its length, 0 where none stands there.
std::size_t GroupBlank(std::string_view text) {
  for (std::string_view blank : {" ", "\u00A0", "\u202F", "\u2009"}) {
    if (!text.starts_with(blank)) continue;
    const std::string_view group = text.substr(blank.size());
    const bool three = group.size() >= 3 && Digit(group[0]) && Digit(group[1]) && Digit(group[2]);
    const bool ends = group.size() == 3 || (!Digit(group[3]) && group[3] != '/');
    return three && ends ? blank.size() : 0;
  }
  return 0;
}

// Digits, grouped or not, and a decimal point as "." or "," or the
// format's: "4,17", "11 781".
std::optional<std::pair<std::string, int>> TakeDecimal(std::string_view& text, const NumberFormat& format) {
  std::string plain;
  int places = -1;
  while (!text.empty()) {
    if (const std::size_t blank = places < 0 && !plain.empty() ? GroupBlank(text) : 0; blank > 0) {
      text.remove_prefix(blank);
      continue;
    }
    if (Digit(text.front())) {
      plain += text.front();
      if (places >= 0) ++places;
      text.remove_prefix(1);
      continue;
    }
    const std::string_view point = text.starts_with(format.decimal_separator) && !format.decimal_separator.empty()
                                       ? std::string_view(format.decimal_separator)
                                   : (text.front() == '.' || text.front() == ',') ? text.substr(0, 1)
                                                                                   : std::string_view();
    if (point.empty() || places >= 0 || plain.empty() || text.size() == point.size() || !Digit(text[point.size()])) {
      break;
    }
    plain += '.';
    places = 0;
    text.remove_prefix(point.size());
  }
  if (plain.empty()) return std::nullopt;
  return std::make_pair(plain, std::max(places, 0));
}

std::optional<ReadAnswer> Read(std::string_view text, const NumberFormat& format) {
  text = Trimmed(text);
  ReadAnswer read;
  const std::optional<std::pair<std::string, int>> first = TakeDecimal(text, format);
  if (!first) return std::nullopt;
  read.number = ExactNumber::FromText(first->first, {});
  read.places = first->second;
  const std::string_view rest = Trimmed(text);
  // "25/6", or "4 1/6" as a whole and a fraction.
  std::string_view fraction = rest;
  const bool mixed = !rest.empty() && Digit(rest.front()) && text.size() > rest.size();
  if (mixed) {
    const std::optional<std::pair<std::string, int>> numerator = TakeDecimal(fraction, format);
    if (!numerator || numerator->second != 0 || !Trimmed(fraction).starts_with('/')) return std::nullopt;
    fraction = Trimmed(fraction).substr(1);
    fraction = Trimmed(fraction);
    const std::optional<std::pair<std::string, int>> denominator = TakeDecimal(fraction, format);
    if (!denominator || denominator->second != 0 || first->second != 0) return std::nullopt;
    read.number = read.number + ExactNumber::FromText(numerator->first, {}) / ExactNumber::FromText(denominator->first, {});
    read.places.reset();
  } else if (rest.starts_with('/')) {
    fraction = Trimmed(rest.substr(1));
    const std::optional<std::pair<std::string, int>> denominator = TakeDecimal(fraction, format);
    if (!denominator || denominator->second != 0 || first->second != 0) return std::nullopt;
    read.number = read.number / ExactNumber::FromText(denominator->first, {});
    read.places.reset();
  } else {
    fraction = rest;
  }
  if (!read.number.has_value()) return std::nullopt;
  const std::string_view unit_text = Trimmed(fraction);
  if (unit_text.empty()) return read;
  const auto unit = UnitAtStart(unit_text);
  if (!unit || unit->second != unit_text.size()) return std::nullopt;
  read.unit = unit->first;
  return read;
}

int Power(Measure measure) { return measure == Measure::kLength ? 1 : measure == Measure::kArea ? 2 : 3; }

// The answer in the task's unit of length (to its power): the units are
// decimal, so a decimal stays one, its places moved ("41,7 мм" is 4,17 см).
void IntoTaskUnit(ReadAnswer& read, LengthUnit task) {
  if (!read.unit || task == LengthUnit::kNone || read.unit->length == LengthUnit::kNone) return;
  const auto from = static_cast<int>(UnitInfo(read.unit->length).millimetres);
  const auto to = static_cast<int>(UnitInfo(task).millimetres);
  for (int i = 0; i < Power(read.unit->measure); ++i) {
    read.number = read.number * ExactNumber(from) / ExactNumber(to);
    for (int ratio = to / std::max(from, 1); ratio >= 10 && read.places; ratio /= 10) ++*read.places;
    for (int ratio = from / std::max(to, 1); ratio >= 10 && read.places; ratio /= 10) {
      *read.places = std::max(*read.places - 1, 0);
    }
  }
}

bool Same(const ExactNumber& x, const ExactNumber& y) { return Sign(x - y) == std::optional<int>(0); }

// The value written with those places, rounded half away from zero.
std::optional<ExactNumber> Rounded(const ExactNumber& value, int places) {
  const std::optional<RoundedDecimal> rounded = RoundedToDecimals(value, places);
  if (!rounded) return std::nullopt;
  return ExactNumber::FromText((rounded->negative ? "-" : "") + rounded->fixed, {});
}

// The answer stands for the value: it is the value, or a decimal the value
// rounds to at its places.
bool StandsFor(const ReadAnswer& read, const ExactNumber& answer, const ExactNumber& value) {
  if (Same(answer, value)) return true;
  if (!read.places) return false;
  const std::optional<ExactNumber> rounded = Rounded(value, *read.places);
  return rounded && Same(*rounded, answer);
}

}  // namespace

ExactNumber AnswerValue(BoxQuantity quantity, const std::array<ExactNumber, 3>& edges) { return Of(quantity, edges); }

AnswerCheck CheckAnswer(std::string_view answer, const ExpectedAnswer& expected, const NumberFormat& format) {
  std::optional<ReadAnswer> read = Read(answer, format);
  if (!read) {
    return {Verdict::kUnreadable, "Напишете отговора като число, например 27, 2,5 или 25/6, с мерната единица или без нея."};
  }
  const Measure measure = Info(expected.quantity).measure;
  if (read->unit && read->unit->measure != measure) {
    return {Verdict::kWrongUnit, std::string(kWrongMeasure[static_cast<std::size_t>(measure)])};
  }
  IntoTaskUnit(*read, expected.unit);
  const ExactNumber& given = read->number;
  const ExactNumber value = Of(expected.quantity, expected.edges);
  // Right: the value, or its rounding to the places asked for (or fewer,
  // where the value ends there).
  if (Same(given, value)) return {Verdict::kRight, "Вярно!"};
  if (StandsFor(*read, given, value)) {
    if (read->places == expected.decimals) return {Verdict::kRight, "Вярно!"};
    return {Verdict::kRounding, "Почти: закръглете до " + std::string(PlacesName(expected.decimals)) + "."};
  }
  // Close, but not the value's rounding: rounded too early or the wrong way.
  const double off = std::abs((given - value).ToDouble()), size = std::abs(value.ToDouble());
  if (read->places && off <= 0.005 * size) {
    return {Verdict::kRounding, "Почти: закръглявайте само отговора, до " + std::string(PlacesName(expected.decimals)) +
                                    ", и от 5 нагоре последната цифра се увеличава с 1."};
  }
  for (const Mistake& mistake : kMistakes) {
    if (mistake.asked == expected.quantity && StandsFor(*read, given, mistake.answer(expected.edges))) {
      return {Verdict::kMistake, std::string(mistake.said)};
    }
  }
  for (const UnitSlip& slip : kUnitSlips) {
    if (slip.measure != measure) continue;
    for (const ExactNumber& slipped : {value * slip.factor, value / slip.factor}) {
      if (StandsFor(*read, given, slipped)) return {Verdict::kMistake, std::string(slip.said)};
    }
  }
  return {Verdict::kWrong, "Не е вярно. Проверете решението стъпка по стъпка."};
}

}  // namespace prism
