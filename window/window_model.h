// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The state of the window's controls and what each event does to it, with no
// window system behind it. The Qt form copies this state onto its widgets
// after every event.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "solver/field_number.h"
#include "solver/quantities.h"

namespace prism {

// How many characters the user may type into a value field.
inline constexpr int kMaxTypedLength = 7;

// No list entry is selected.
inline constexpr int kNoEntry = -1;

inline constexpr int kCalculateButton = 0;
inline constexpr int kClearButton = 1;

// One row of the value area: the field, and the check box beside it.
struct FieldState {
  std::string text;
  int known_mark = 0;             // 0 unchecked, 1 checked
  bool check_enabled = false;     // whether the user may toggle the check box
  bool read_only = true;          // whether the user may not edit the field
  int max_typed_length = 0;       // 0: no limit; limits typing only, never the program
  // For a value the last calculation computed: how, one line each (the
  // formula, the same with the values put in, the result); else empty.
  std::string derivation;

  bool operator==(const FieldState&) const = default;
};

using FieldStates = std::array<FieldState, kQuantityCount>;

// No value field.
inline constexpr int kNoField = -1;

// Why a press of the calculate button wrote nothing.
enum class Refusal {
  kNone,         // it did write, or the button was not calculate
  kNotPositive,  // a given value is not a positive finite number
  kNoBox,        // the given values describe no box
};

// What the window must do beyond showing the new state. A refused press is
// never silent: the window sounds the system's alert and shows the hint
// beside the field to focus, or beside the calculate button where there is
// none.
struct Reaction {
  Refusal refusal = Refusal::kNone;
  // The value field to focus with its whole text selected, so that typing
  // replaces it: the first given field, in quantity order, that is not a
  // positive finite number.
  int focus_field = kNoField;

  bool alert() const { return refusal != Refusal::kNone; }
  bool operator==(const Reaction&) const = default;
};

// The tooltip shown for each refusal.
std::string_view RefusalHint(Refusal refusal);

// The text and cursor of a value field after the user's edit, cut to fit.
struct TypedEdit {
  std::string text;
  std::size_t cursor = 0;  // in bytes of text: just after what the user's edit kept

  bool operator==(const TypedEdit&) const = default;
};

class WindowModel {
 public:
  explicit WindowModel(NumberFormat format = {});

  // Events.
  void Load();
  // The list with that element index now has that row selected.
  void ListSelected(int list_index, int row);
  Reaction ButtonClicked(int button_index);
  // The user's edit (keystroke, paste, deletion) would make the field's text
  // new_text. Where the edit would grow the text past the typing limit, what
  // it inserted is cut so that the text ends at the limit, as typing stops
  // there. nullopt where the field takes no typing; the window then undoes
  // the edit. Asked before the edit happens.
  std::optional<TypedEdit> FitTyping(int field, std::string_view new_text) const;
  // The user's edit made the field's text new_text: stores it, cut as
  // FitTyping cuts it. Returns false, changing nothing, where the field takes
  // no typing.
  bool FieldTyped(int field, std::string_view new_text);

  // The window's procedures.
  void ApplyCombination();
  Reaction Calculate();
  void ClearFields();

  const FieldStates& fields() const { return fields_; }
  const FieldState& field(Quantity q) const { return fields_[Index(q)]; }
  int selected_entry() const { return selected_entry_; }

  // The list's entries, in table order.
  static std::array<std::string_view, kCombinationCount> ListCaptions();

 private:
  void ForgetDerivations();

  NumberFormat format_;
  FieldStates fields_{};
  int selected_entry_ = kNoEntry;
};

}  // namespace prism
