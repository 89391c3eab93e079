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
#include <variant>

#include "solver/field_number.h"
#include "solver/quantities.h"
#include "solver/worked_solution.h"

namespace prism {

// How many characters the user may type into a value field.
inline constexpr int kMaxTypedLength = 7;

// No list entry is selected.
inline constexpr int kNoEntry = -1;

inline constexpr int kCalculateButton = 0;
inline constexpr int kClearButton = 1;

// The worked solution's window: its name, as its menu entry and its title
// give it, and the key that opens and closes it, as the tooltips name it.
inline constexpr std::string_view kSolutionTitle = "Решение";
inline constexpr std::string_view kSolutionKey = "F2";
// The last line of every derivation's tooltip.
inline constexpr std::string_view kWholeSolutionLine = "Цялото решение: F2";
static_assert(kWholeSolutionLine.ends_with(kSolutionKey));

// What the solution's window shows while no calculation stands.
inline constexpr std::string_view kSolutionPrompt =
    "Въведете три дадени величини и натиснете „Изчисли“.";

// What the solution's window shows in the place of a solution: one line
// saying what to do, and whether it is a refusal's hint.
struct SolutionPrompt {
  std::string text;
  bool refusal = false;
};

// A solution, or what to do instead.
using ShownSolution = std::variant<WorkedSolution, SolutionPrompt>;

// One row of the value area: the field, and the check box beside it.
struct FieldState {
  std::string text;
  bool known = false;             // its check box: a given value; the user never toggles it
  bool read_only = true;          // whether the user may not edit the field
  int max_typed_length = 0;       // 0: no limit; limits typing only, never the program
  // Characters of the text the program last wrote into the field: typing may
  // make the text as long as that, so that a result can be edited in place.
  std::size_t written_length = 0;
  // For a value the last calculation computed: how, one line each (the
  // formula, the same with the values put in, the result); else empty.
  std::string derivation;

  bool operator==(const FieldState&) const = default;
};

using FieldStates = std::array<FieldState, kQuantityCount>;

// No value field.
inline constexpr int kNoField = -1;

// Why a press of the calculate button wrote nothing, or an edit of a value
// field changed nothing.
enum class Refusal {
  kNone,         // it did write, or the button was not calculate
  kNotPositive,  // a given value is not a positive finite number alone
  kNoBox,        // the given values describe no box
  kTooLarge,     // a given value is beyond the range of a double
  kTooSmall,     // a given positive value is too close to 0 for a double
  kTooLong,      // the edit would make the text longer than the field's room
  kNotOneLine,   // the edit holds a line end before its end
  kCount,
};

// What the window must do beyond showing the new state. A refusal is never
// silent: the window sounds the system's alert and shows the hint beside the
// field, or beside the calculate button where there is none.
struct Reaction {
  Refusal refusal = Refusal::kNone;
  // The value field the hint is about: after a press, the first given field,
  // in quantity order, that does not hold a positive finite number alone,
  // focused with its whole text selected so that typing replaces it; after
  // a refused edit, the field edited, left as the user had it.
  int focus_field = kNoField;
  bool select_text = true;

  bool alert() const { return refusal != Refusal::kNone; }
  bool operator==(const Reaction&) const = default;
};

// The tooltip shown for each refusal.
std::string_view RefusalHint(Refusal refusal);

// The text and cursor of a value field after the user's edit, or why the
// edit changes nothing.
struct TypedEdit {
  std::string text;
  std::size_t cursor = 0;  // in characters of text: just after what the edit inserted
  // kTooLong or kNotOneLine where the edit is refused whole: a paste is never
  // cut into another number, and no keystroke is lost without a sign.
  Refusal refusal = Refusal::kNone;

  bool operator==(const TypedEdit&) const = default;
};

class WindowModel {
 public:
  explicit WindowModel(NumberFormat format = {});

  // How numbers are written: the user's regional settings.
  const NumberFormat& format() const { return format_; }

  // Events.
  void Load();
  // The list now has that row selected.
  void ListSelected(int row);
  Reaction ButtonClicked(int button_index);
  // The user's edit (keystroke, paste, deletion) would make the field's text
  // new_text. Line ends at the end of what the edit inserted (a pasted line)
  // are dropped. The edit is refused whole where a line end remains in what
  // it inserted, or where the text would be longer than its room (the longer
  // of the typing limit and the text the program last wrote there). nullopt
  // where the field takes no typing; the window then undoes the edit. Asked
  // before the edit happens.
  std::optional<TypedEdit> FitTyping(int field, std::string_view new_text) const;
  // The user's edit made the field's text new_text: stores it as FitTyping
  // fits it; any edit that changes the text ends the standing refusal and the
  // derivations. A refused edit changes no text and stands as the refusal,
  // its hint beside the field. Returns whether the text was stored.
  bool FieldTyped(int field, std::string_view new_text);

  // An edit FitTyping refused: it now stands as the refusal.
  Reaction EditRefused(int field, Refusal refusal);

  const FieldStates& fields() const { return fields_; }
  const FieldState& field(Quantity q) const { return fields_[Index(q)]; }
  int selected_entry() const { return selected_entry_; }
  // The last refusal while it stands: until the next edit of any
  // field, the next press or the next change of combination. The window
  // shows its hint only as long.
  const Reaction& refusal() const { return refusal_; }

  // The list's entries, in table order.
  static std::array<std::string_view, kCombinationCount> ListCaptions();

  // The worked solution of the last press of the calculate button that
  // found numbers, in the unit, while the fields still hold them: until the
  // next edit, clearing, change of combination or refused press; written
  // from what that press solved, never solving again. Else one line saying
  // what to do: the standing refusal's hint, or kSolutionPrompt.
  ShownSolution Solution(LengthUnit unit, SolutionStyle style = {}) const;

 private:
  void ApplyCombination();
  Reaction Calculate();
  void ClearFields();
  void ForgetDerivations();
  void Write(FieldState& field, std::string text);

  NumberFormat format_;
  FieldStates fields_{};
  int selected_entry_ = kNoEntry;
  Reaction refusal_;
  // The row, texts and result of the press the solution is of.
  struct Solved {
    SolveRequest request;
    SolveResult result;
  };
  std::optional<Solved> solved_;
};

}  // namespace prism
