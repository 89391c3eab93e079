// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/model/window_model.h"

#include <algorithm>
#include <utility>

#include "solver/solver.h"

namespace prism {
namespace {

bool IsRow(int row) { return FindCombination(row) != nullptr; }

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Length in characters of UTF-8 text, as the user counts what they typed.
std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) {
    if (!IsContinuationByte(c)) ++count;
  }
  return count;
}

// Where an edit turned before into after: after = before[0, prefix) +
// inserted + before[before.size() - suffix, end), at character boundaries.
struct EditSpan {
  std::size_t prefix;
  std::size_t suffix;
};

EditSpan FindEdit(std::string_view before, std::string_view after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  while (prefix > 0 && prefix < after.size() && IsContinuationByte(after[prefix])) --prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  while (suffix > 0 && IsContinuationByte(after[after.size() - suffix])) --suffix;
  return {prefix, suffix};
}

// One tooltip per refusal, in the order of Refusal.
constexpr std::array<std::string_view, static_cast<std::size_t>(Refusal::kCount)> kRefusalHints = {
    "",
    "Въведете положително число.",
    "Няма правоъгълен паралелепипед с тези стойности.",
    "Числото е твърде голямо.",
    "Числото е твърде близо до нулата.",
    "Числото е твърде дълго за това поле.",
    "Поставете едно число на един ред.",
};

// A hint for every refusal but none.
static_assert(kRefusalHints.front().empty() &&
              std::none_of(kRefusalHints.begin() + 1, kRefusalHints.end(),
                           [](std::string_view hint) { return hint.empty(); }));

constexpr bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The refusal of a given value that is not positive, finite and alone.
constexpr std::array<Refusal, 3> kInvalidityRefusals = {
    Refusal::kNotPositive, Refusal::kTooLarge, Refusal::kTooSmall};
static_assert(kInvalidityRefusals[static_cast<std::size_t>(Invalidity::kTooLarge)] ==
              Refusal::kTooLarge);

}  // namespace

std::string_view RefusalHint(Refusal refusal) {
  return kRefusalHints[static_cast<std::size_t>(refusal)];
}

WindowModel::WindowModel(NumberFormat format) : format_(std::move(format)) {}

std::array<std::string_view, kCombinationCount> WindowModel::ListCaptions() {
  std::array<std::string_view, kCombinationCount> captions;
  for (std::size_t row = 0; row < kCombinationCount; ++row) {
    captions[row] = kCombinationTable[row].caption;
  }
  return captions;
}

void WindowModel::Load() {
  ClearFields();
  for (FieldState& field : fields_) field.max_typed_length = kMaxTypedLength;
  // Selecting the first entry raises the selection event at once; it runs here
  // whether or not the window system reports the selection it was told to make.
  selected_entry_ = 0;
  ApplyCombination();
}

void WindowModel::ListSelected(int row) {
  if (!IsRow(row)) row = kNoEntry;
  // A click on the entry already selected changes nothing, so it must not
  // empty what the user typed.
  if (row == selected_entry_) return;
  selected_entry_ = row;
  ApplyCombination();
}

Reaction WindowModel::ButtonClicked(int button_index) {
  refusal_ = {};
  switch (button_index) {
    case kCalculateButton:
      return Calculate();
    case kClearButton:
      ClearFields();
      return {};
    default:
      return {};
  }
}

std::optional<TypedEdit> WindowModel::FitTyping(int field, std::string_view new_text) const {
  if (field < 0 || field >= static_cast<int>(kQuantityCount)) return std::nullopt;
  const FieldState& state = fields_[static_cast<std::size_t>(field)];
  // Nothing changed is no edit, not even in a read-only field: the window
  // asks so before Enter calculates.
  if (new_text == state.text) return TypedEdit{state.text, CharacterCount(state.text)};
  if (state.read_only) return std::nullopt;

  const TypedEdit refused{state.text, CharacterCount(state.text), Refusal::kTooLong};
  const EditSpan edit = FindEdit(state.text, new_text);
  std::string_view inserted = new_text.substr(edit.prefix, new_text.size() - edit.suffix - edit.prefix);
  // A line copied with its line end (CR LF on Windows) pastes as the line.
  while (!inserted.empty() && IsLineEnd(inserted.back())) inserted.remove_suffix(1);
  if (std::any_of(inserted.begin(), inserted.end(), IsLineEnd)) {
    return TypedEdit{refused.text, refused.cursor, Refusal::kNotOneLine};
  }
  const std::string before_cursor = std::string(new_text.substr(0, edit.prefix)) + std::string(inserted);
  std::string text = before_cursor + std::string(new_text.substr(new_text.size() - edit.suffix));
  // The limit stops typing past it; a longer text the program wrote may still
  // be edited in place ("70,0000000" into "75,0000000"), but not grown.
  const std::size_t room =
      std::max(static_cast<std::size_t>(std::max(state.max_typed_length, 0)),
               state.written_length);
  if (state.max_typed_length > 0 && CharacterCount(text) > room) return refused;
  return TypedEdit{std::move(text), CharacterCount(before_cursor)};
}

bool WindowModel::FieldTyped(int field, std::string_view new_text) {
  std::optional<TypedEdit> fitted = FitTyping(field, new_text);
  if (!fitted) return false;
  if (fitted->refusal != Refusal::kNone) {
    EditRefused(field, fitted->refusal);
    return false;
  }
  if (fitted->text == fields_[static_cast<std::size_t>(field)].text) return true;
  fields_[static_cast<std::size_t>(field)].text = std::move(fitted->text);
  // The computed values no longer follow from what the fields show.
  ForgetDerivations();
  refusal_ = {};
  return true;
}

Reaction WindowModel::EditRefused(int field, Refusal refusal) {
  refusal_ = {refusal, field, false};
  return refusal_;
}

void WindowModel::ForgetDerivations() {
  for (FieldState& state : fields_) state.derivation.clear();
  solved_.reset();
}

ShownSolution WindowModel::Solution(LengthUnit unit, SolutionStyle style) const {
  if (solved_) {
    if (std::optional<WorkedSolution> solution = SolveWorked(
            solved_->request.row, solved_->request.texts, solved_->result, format_, unit, style)) {
      return *std::move(solution);
    }
  }
  if (refusal_.alert()) return SolutionPrompt{std::string(RefusalHint(refusal_.refusal)), true};
  return SolutionPrompt{std::string(kSolutionPrompt), false};
}

void WindowModel::Write(FieldState& field, std::string text) {
  field.written_length = CharacterCount(text);
  field.text = std::move(text);
}

void WindowModel::ApplyCombination() {
  for (FieldState& field : fields_) {
    field.known = false;
    Write(field, {});
    field.read_only = true;
  }
  ForgetDerivations();
  refusal_ = {};
  const Combination* combination = FindCombination(selected_entry_);
  if (combination == nullptr) return;
  for (Quantity q : combination->known) {
    fields_[Index(q)].known = true;
    fields_[Index(q)].read_only = false;
  }
}

Reaction WindowModel::Calculate() {
  FieldTexts texts;
  KnownMarks marks;
  for (std::size_t i = 0; i < kQuantityCount; ++i) {
    texts[i] = fields_[i].text;
    marks[i] = fields_[i].known ? 1 : 0;
  }
  const SolveResult result =
      Solve(selected_entry_, texts, marks, format_);
  // A refused press leaves no solution; one of numbers that describe no box
  // leaves the solution that says why.
  solved_.reset();
  if (result.outcome != SolveOutcome::kRejected) {
    solved_ = Solved{SolveRequest{selected_entry_, texts}, result};
  }
  switch (result.outcome) {
    case SolveOutcome::kRejected: {
      const std::optional<InvalidKnown> invalid = FirstInvalidKnown(texts, marks, format_);
      // No given field to blame only where there is no row at all.
      refusal_ = invalid ? Reaction{kInvalidityRefusals[static_cast<std::size_t>(invalid->why)],
                                    static_cast<int>(Index(invalid->quantity))}
                         : Reaction{Refusal::kNotPositive, kNoField};
      return refusal_;
    }
    case SolveOutcome::kNoFiniteResult:
      refusal_ = {Refusal::kNoBox};
      return refusal_;
    case SolveOutcome::kSolved:
      break;
  }
  refusal_ = {};
  const ExactPrismValues& exact = result.exact;
  for (Quantity q : kAllQuantities) {
    FieldState& state = fields_[Index(q)];
    Write(state, FieldText(result.values[q], exact[q], format_));
    state.derivation.clear();
    for (const std::string& line : Derivation(selected_entry_, q, result.values, format_, exact)) {
      if (!state.derivation.empty()) state.derivation += '\n';
      state.derivation += line;
    }
    if (!state.derivation.empty()) state.derivation += "\n" + std::string(kWholeSolutionLine);
  }
  return {};
}

void WindowModel::ClearFields() {
  for (FieldState& field : fields_) Write(field, {});
  ForgetDerivations();
}

}  // namespace prism
