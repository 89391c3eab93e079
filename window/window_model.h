#pragma once

// The state of the window's controls and what each event does to it, with no
// window system behind it. The Qt form copies this state onto its widgets
// after every event.

#include <array>
#include <cstddef>
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

  bool operator==(const FieldState&) const = default;
};

using FieldStates = std::array<FieldState, kQuantityCount>;

// What the window must do beyond showing the new state.
enum class Reaction {
  kNone,
  kAlert,  // the given values describe no box: sound the system's alert
};

class WindowModel {
 public:
  explicit WindowModel(NumberFormat format = {});

  // Events.
  void Load();
  // The list with that element index now has that row selected.
  void ListSelected(int list_index, int row);
  Reaction ButtonClicked(int button_index);
  // The user's edit would make the field's text new_text. Returns false, and
  // changes nothing, where the field is read-only or the edit would grow the
  // text past the typing limit; the window then undoes the edit.
  bool FieldTyped(int field, std::string new_text);
  // Whether FieldTyped would take that text; asked before the edit happens.
  bool AcceptsTyping(int field, std::string_view new_text) const;

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
  NumberFormat format_;
  FieldStates fields_{};
  int selected_entry_ = kNoEntry;
};

}  // namespace prism
