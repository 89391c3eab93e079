#include "window/window_model.h"

#include <utility>

#include "solver/solver.h"

namespace prism {
namespace {

constexpr int kListIndex = 0;

bool IsRow(int row) { return FindCombination(row) != nullptr; }

// Length in characters of UTF-8 text, as the user counts what they typed.
std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

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

void WindowModel::ListSelected(int list_index, int row) {
  if (list_index != kListIndex) return;
  if (!IsRow(row)) row = kNoEntry;
  // A click on the entry already selected changes nothing, so it must not
  // empty what the user typed.
  if (row == selected_entry_) return;
  selected_entry_ = row;
  ApplyCombination();
}

Reaction WindowModel::ButtonClicked(int button_index) {
  switch (button_index) {
    case kCalculateButton:
      return Calculate();
    case kClearButton:
      ClearFields();
      return Reaction::kNone;
    default:
      return Reaction::kNone;
  }
}

bool WindowModel::AcceptsTyping(int field, std::string_view new_text) const {
  if (field < 0 || field >= static_cast<int>(kQuantityCount)) return false;
  const FieldState& state = fields_[static_cast<std::size_t>(field)];
  if (state.read_only) return false;
  // The limit stops typing past it; a longer text the program wrote may still
  // be shortened or edited in place.
  const std::size_t length = CharacterCount(new_text);
  return state.max_typed_length <= 0 ||
         length <= static_cast<std::size_t>(state.max_typed_length) ||
         length <= CharacterCount(state.text);
}

bool WindowModel::FieldTyped(int field, std::string new_text) {
  if (!AcceptsTyping(field, new_text)) return false;
  fields_[static_cast<std::size_t>(field)].text = std::move(new_text);
  return true;
}

void WindowModel::ApplyCombination() {
  for (FieldState& field : fields_) {
    field.check_enabled = false;
    field.known_mark = 0;
    field.text.clear();
    field.read_only = true;
  }
  const Combination* combination = FindCombination(selected_entry_);
  if (combination == nullptr) return;
  for (Quantity q : combination->known) {
    fields_[Index(q)].known_mark = 1;
    fields_[Index(q)].read_only = false;
  }
}

Reaction WindowModel::Calculate() {
  FieldTexts texts;
  KnownMarks marks;
  for (std::size_t i = 0; i < kQuantityCount; ++i) {
    texts[i] = fields_[i].text;
    marks[i] = fields_[i].known_mark;
  }
  const SolveResult result =
      Solve(static_cast<std::int16_t>(selected_entry_), texts, marks, format_);
  switch (result.outcome) {
    case SolveOutcome::kRejected:
      return Reaction::kNone;
    case SolveOutcome::kNoFiniteResult:
      return Reaction::kAlert;
    case SolveOutcome::kSolved:
      break;
  }
  for (Quantity q : kAllQuantities) {
    fields_[Index(q)].text = FormatFieldNumber(result.values[q], format_);
  }
  return Reaction::kNone;
}

void WindowModel::ClearFields() {
  for (FieldState& field : fields_) field.text.clear();
}

}  // namespace prism
