// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver/notation.h"

#include <algorithm>
#include <array>
#include <limits>

namespace prism {
namespace {

// The blanks an item may hold anywhere: those of a keyboard, and the
// no-break and thin spaces a copied text brings.
constexpr std::array<std::string_view, 6> kBlanks = {" ", "\t", "\r", "\u00A0", "\u2009", "\u202F"};

std::size_t BlankAt(std::string_view text, std::size_t at) {
  for (std::string_view blank : kBlanks) {
    if (text.substr(at).starts_with(blank)) return blank.size();
  }
  return 0;
}

std::string_view Trimmed(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t blank = BlankAt(text, start);
    if (blank == 0) break;
    start += blank;
  }
  text.remove_prefix(start);
  bool trimmed = true;
  while (trimmed && !text.empty()) {
    trimmed = false;
    for (std::string_view blank : kBlanks) {
      if (text.ends_with(blank)) {
        text.remove_suffix(blank.size());
        trimmed = true;
      }
    }
  }
  return text;
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  for (std::size_t blank = BlankAt(text, at); blank > 0; blank = BlankAt(text, at)) at += blank;
  return at;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The word of what a measure measures, for a unit that does not fit.
std::string_view MeasureWord(Measure measure) {
  switch (measure) {
    case Measure::kLength:
      return "дължина";
    case Measure::kArea:
      return "лице";
    case Measure::kVolume:
      return "обем";
  }
  return "";
}

// The powers a length unit is written with for an area and a volume.
struct Power {
  std::string_view written;
  Measure measure;
};
constexpr std::array<Power, 4> kPowers = {{
    {"²", Measure::kArea}, {"2", Measure::kArea}, {"³", Measure::kVolume}, {"3", Measure::kVolume}}};

// A litre is a cubic decimetre, a millilitre a cubic centimetre.
struct Capacity {
  std::string_view written;
  LengthUnit cube_of;
};
constexpr std::array<Capacity, 4> kCapacities = {
    {{"л", LengthUnit::kDecimetre}, {"l", LengthUnit::kDecimetre},
     {"мл", LengthUnit::kCentimetre}, {"ml", LengthUnit::kCentimetre}}};

class ItemReader {
 public:
  ItemReader(std::string_view item, const NumberFormat& format) : item_(item), format_(format) {}

  std::string Error(std::string_view what) const {
    std::string message = "„";
    message += item_;
    message += "“: ";
    message += what;
    return message;
  }

  // The number starting at, and where it ends: digits, the decimal
  // separators, an exponent.
  std::size_t NumberEnd(std::string_view text, std::size_t at) const {
    while (at < text.size()) {
      const char c = text[at];
      if (IsDigit(c) || c == '.') {
        ++at;
      } else if (!format_.decimal_separator.empty() &&
                 text.substr(at).starts_with(format_.decimal_separator)) {
        at += format_.decimal_separator.size();
      } else if ((c == 'e' || c == 'E') && at + 1 < text.size() &&
                 (IsDigit(text[at + 1]) ||
                  ((text[at + 1] == '-' || text[at + 1] == '+') && at + 2 < text.size() &&
                   IsDigit(text[at + 2])))) {
        at += 2;
      } else {
        break;
      }
    }
    return at;
  }

  // The word at: up to a blank, a digit or an operator.
  static std::string_view WordAt(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && BlankAt(text, end) == 0 && !IsDigit(text[end]) &&
           text[end] != '+' && text[end] != '-' && text[end] != '/') {
      ++end;
    }
    if (end == at) ++end;
    return text.substr(at, end - at);
  }

  // An amount starting at: a positive number and the unit after it, if any.
  std::variant<Amount, std::string> ReadAmount(std::string_view text, std::size_t& at) const {
    at = SkipBlanks(text, at);
    const std::size_t end = NumberEnd(text, at);
    if (end == at || !IsDigit(text[at])) {
      std::string what(WordAt(text, at));
      if (what == "-" || what == "−" || text.substr(at).starts_with("−")) {
        return Error(std::string(Trimmed(text.substr(at))) + " не е положително число");
      }
      return Error(what + " не е число");
    }
    Amount amount;
    const std::string_view typed = text.substr(at, end - at);
    amount.number = ExactNumber::FromText(typed, format_);
    if (!amount.number.has_value()) return Error(std::string(typed) + " не е число");
    if (Sign(amount.number).value_or(0) <= 0) {
      return Error(std::string(typed) + " не е положително число");
    }
    // As the window's fields refuse them: beyond a double, or so near 0
    // that a double keeps fewer digits than it shows, or none.
    if (!WithinDoubleRange(amount.number)) return Error(std::string(typed) + ": числото е твърде голямо");
    if (amount.number.ToDouble() < std::numeric_limits<double>::min()) {
      return Error(std::string(typed) + ": числото е твърде близо до нулата");
    }
    amount.typed = TypedNumberText(typed, format_).value_or(std::string(typed));
    if (end < text.size() && text[end] == '/') {
      // A fraction is a relation between numbers, not a value of its own.
      return Error(std::string(Trimmed(text.substr(at))) + " не е число");
    }
    at = SkipBlanks(text, end);
    if (at < text.size() && !IsDigit(text[at]) && text[at] != '+' && text[at] != '-' &&
        !text.substr(at).starts_with("−")) {
      const auto unit = UnitAtStart(text.substr(at));
      const std::string_view word = WordAt(text, at);
      if (!unit || unit->second < word.size()) {
        return Error(std::string(word) + " не е мерна единица");
      }
      amount.unit = unit->first;
      at = SkipBlanks(text, at + unit->second);
    }
    return amount;
  }

  const std::string_view item_;
  const NumberFormat& format_;
};

// Where a lone edge letter stands in the text: an a, b or c with no ASCII
// letter beside it (so not the c of "cm").
std::optional<std::size_t> EdgeLetterAt(std::string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c != 'a' && c != 'b' && c != 'c') continue;
    const bool alone = (at == 0 || !IsAsciiLetter(text[at - 1])) &&
                       (at + 1 == text.size() || !IsAsciiLetter(text[at + 1]));
    if (alone) return at;
  }
  return std::nullopt;
}

std::string QuantityName(BoxQuantity q) { return std::string(Info(q).name); }

class ProblemReader {
 public:
  explicit ProblemReader(const NumberFormat& format) : format_(format) {}

  // nullopt where the item is read, else what is wrong in it.
  std::optional<std::string> Read(std::string_view raw) {
    const std::string_view item = Trimmed(raw);
    if (item.empty()) return std::nullopt;
    const ItemReader reader(item, format_);
    if (item == kCubeWord || item == "Куб") {
      problem_.shape = Shape::kCube;
      return std::nullopt;
    }
    if (item == kSquareBaseWords || item == "Квадратна основа") {
      if (problem_.shape == Shape::kAny) problem_.shape = Shape::kSquareBase;
      return std::nullopt;
    }
    const std::size_t equals = item.find('=');
    if (equals == std::string_view::npos) {
      return reader.Error("липсва „=“ (пример: a = 3 см)");
    }
    const std::string_view name = Trimmed(item.substr(0, equals));
    const std::optional<BoxQuantity> quantity = FindBoxQuantity(name);
    if (!quantity) return reader.Error("няма такава величина");
    const std::string_view value = Trimmed(item.substr(equals + 1));
    if (value == "?") {
      if (IsGiven(*quantity)) return reader.Error(QuantityName(*quantity) + " е дадено");
      if (std::find(problem_.sought.begin(), problem_.sought.end(), *quantity) == problem_.sought.end()) {
        problem_.sought.push_back(*quantity);
      }
      return std::nullopt;
    }
    if (IsGiven(*quantity)) return reader.Error(QuantityName(*quantity) + " е дадено два пъти");
    if (std::find(problem_.sought.begin(), problem_.sought.end(), *quantity) != problem_.sought.end()) {
      return reader.Error(QuantityName(*quantity) + " се търси");
    }
    if (value.empty()) return reader.Error("липсва стойност");
    if (const std::optional<std::size_t> letter = EdgeLetterAt(value)) {
      if (!IsEdge(*quantity)) return reader.Error("само ръб се дава чрез друг ръб");
      return ReadLink(reader, *quantity, value, *letter, item);
    }
    return ReadGiven(reader, *quantity, value, item);
  }

  Problem Take() { return std::move(problem_); }

 private:
  bool IsGiven(BoxQuantity q) const {
    return std::any_of(problem_.given.begin(), problem_.given.end(),
                       [q](const GivenValue& given) { return given.quantity == q; }) ||
           std::any_of(problem_.links.begin(), problem_.links.end(),
                       [q](const EdgeLink& link) { return link.edge == q; });
  }

  std::optional<std::string> ReadGiven(const ItemReader& reader, BoxQuantity quantity,
                                       std::string_view value, std::string_view item) {
    GivenValue given{quantity, {}, std::string(item)};
    std::size_t at = 0;
    while (SkipBlanks(value, at) < value.size()) {
      auto amount = reader.ReadAmount(value, at);
      if (auto* error = std::get_if<std::string>(&amount)) return *error;
      given.parts.push_back(std::get<Amount>(std::move(amount)));
    }
    const Measure measure = Info(quantity).measure;
    for (const Amount& part : given.parts) {
      if (part.unit && part.unit->measure != measure) {
        return reader.Error(std::string(part.unit->written) + " не е мярка за " +
                            std::string(MeasureWord(measure)));
      }
      // Two numbers make a length only as "2 дм 5 см", each with its unit.
      if (given.parts.size() > 1 && !part.unit) {
        return reader.Error(std::string(value) + " не е число");
      }
    }
    problem_.given.push_back(std::move(given));
    return std::nullopt;
  }

  std::optional<std::string> ReadLink(const ItemReader& reader, BoxQuantity edge,
                                      std::string_view value, std::size_t letter,
                                      std::string_view item) {
    EdgeLink link{edge, *FindBoxQuantity(value.substr(letter, 1)), Rational(1), std::nullopt, false,
                  std::string(item)};
    if (link.from == edge) return reader.Error("ръб не се дава чрез себе си");
    // The factor before the letter: "2a", "2·a", "2*a", "3a/4".
    std::string_view before = Trimmed(value.substr(0, letter));
    for (std::string_view times : {"·", "*", "⋅"}) {
      if (before.ends_with(times)) before = Trimmed(before.substr(0, before.size() - times.size()));
    }
    if (!before.empty()) {
      std::size_t at = 0;
      auto factor = reader.ReadAmount(before, at);
      if (auto* error = std::get_if<std::string>(&factor)) return *error;
      if (at != before.size() || std::get<Amount>(factor).unit) {
        return reader.Error(std::string(before) + " не е число");
      }
      link.factor = std::get<Amount>(factor).number.rational_part();
    }
    std::size_t at = SkipBlanks(value, letter + 1);
    if (at < value.size() && value[at] == '/') {
      ++at;
      const std::size_t start = SkipBlanks(value, at);
      auto divisor = reader.ReadAmount(value, at);
      if (auto* error = std::get_if<std::string>(&divisor)) return *error;
      if (std::get<Amount>(divisor).unit) {
        return reader.Error(std::string(Trimmed(value.substr(start, at - start))) + " не е число");
      }
      link.factor /= std::get<Amount>(divisor).number.rational_part();
    }
    at = SkipBlanks(value, at);
    if (at < value.size()) {
      const std::string_view rest = value.substr(at);
      std::size_t sign = 0;
      if (rest.starts_with("+")) sign = 1;
      if (rest.starts_with("-")) sign = 1, link.offset_negative = true;
      if (rest.starts_with("−")) sign = std::string_view("−").size(), link.offset_negative = true;
      if (sign == 0) return reader.Error(std::string(rest) + " не е число");
      at += sign;
      auto offset = reader.ReadAmount(value, at);
      if (auto* error = std::get_if<std::string>(&offset)) return *error;
      if (SkipBlanks(value, at) != value.size()) {
        return reader.Error(std::string(Trimmed(value.substr(at))) + " не е число");
      }
      const Amount& amount = std::get<Amount>(offset);
      if (amount.unit && amount.unit->measure != Measure::kLength) {
        return reader.Error(std::string(amount.unit->written) + " не е мярка за дължина");
      }
      link.offset = amount;
    }
    problem_.links.push_back(std::move(link));
    return std::nullopt;
  }

  const NumberFormat& format_;
  Problem problem_;
};

}  // namespace

std::optional<std::pair<ValueUnit, std::size_t>> UnitAtStart(std::string_view text) {
  std::optional<std::pair<ValueUnit, std::size_t>> found;
  const auto offer = [&](ValueUnit unit, std::size_t length) {
    if (!found || length > found->second) found = std::make_pair(unit, length);
  };
  for (const LengthUnitInfo& info : kLengthUnits) {
    if (info.unit == LengthUnit::kNone) continue;
    for (std::string_view name : {info.name, info.latin}) {
      if (!text.starts_with(name)) continue;
      offer({info.unit, Measure::kLength, name}, name.size());
      for (const Power& power : kPowers) {
        if (text.substr(name.size()).starts_with(power.written)) {
          offer({info.unit, power.measure, text.substr(0, name.size() + power.written.size())},
                name.size() + power.written.size());
        }
      }
    }
  }
  for (const Capacity& capacity : kCapacities) {
    if (text.starts_with(capacity.written)) {
      offer({capacity.cube_of, Measure::kVolume, capacity.written}, capacity.written.size());
    }
  }
  // A unit is a word of its own: "мм" is no "м", and "cmx" no unit.
  if (found && found->second < text.size()) {
    const char next = text[found->second];
    if (IsAsciiLetter(next) || static_cast<unsigned char>(next) >= 0xC0) {
      if (BlankAt(text, found->second) == 0) return std::nullopt;
    }
  }
  return found;
}

std::variant<Problem, NotationError> ReadProblem(std::span<const std::string> items,
                                                 const NumberFormat& format) {
  ProblemReader reader(format);
  for (const std::string& item : items) {
    if (std::optional<std::string> error = reader.Read(item)) return NotationError{*error, 0};
  }
  return reader.Take();
}

std::variant<Problem, NotationError> ReadProblemText(std::string_view text,
                                                     const NumberFormat& format) {
  ProblemReader reader(format);
  std::size_t line = 1;
  std::size_t start = 0;
  for (std::size_t at = 0; at <= text.size(); ++at) {
    if (at < text.size() && text[at] != ';' && text[at] != '\n') continue;
    if (std::optional<std::string> error = reader.Read(text.substr(start, at - start))) {
      return NotationError{*error, line};
    }
    if (at < text.size() && text[at] == '\n') ++line;
    start = at + 1;
  }
  return reader.Take();
}

}  // namespace prism
