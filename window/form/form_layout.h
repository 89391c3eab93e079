// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the window looks like: every control with its place, caption, colour
// and tab order. Positions and sizes are in twips (1/1440 inch), 15 to a pixel
// at 96 dots per inch; controls inside the frame are placed relative to it.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "solver/quantities.h"
#include "window/look/colours.h"
#include "window/zoom/zoom.h"

namespace prism {

inline constexpr int kTwipsPerPixel = 15;

// A length in twips at a zoom, in pixels; rounded down at every zoom, as the
// design is at 100 %.
constexpr int Pixels(int twips, int zoom = 100) {
  return twips * zoom / (kTwipsPerPixel * 100);
}

inline constexpr int kClientWidthTwips = 7215;
inline constexpr int kClientHeightTwips = 6360;
// In whole pixels at 100 %, so that the window's size at each step is its
// design's, zoomed.
static_assert(kClientWidthTwips % kTwipsPerPixel == 0 && kClientHeightTwips % kTwipsPerPixel == 0);
inline constexpr PixelSize kFormDesign{Pixels(kClientWidthTwips), Pixels(kClientHeightTwips)};

// The window's inside at a zoom step.
constexpr PixelSize ClientSize(std::size_t step) { return ZoomedSize(kFormDesign, step); }

// The main window's resize chooses its step.
static_assert(StepBoundariesHold(kFormDesign));

enum class ControlKind { kPicture, kButton, kList, kFrame, kTextBox, kCheckBox, kInfoText, kLabel };

// How many elements the window's control array of each kind has; 0 for a
// kind the window keeps no array of.
constexpr std::size_t ArraySize(ControlKind kind) {
  switch (kind) {
    case ControlKind::kTextBox:
    case ControlKind::kCheckBox:
      return kQuantityCount;
    case ControlKind::kButton:
    case ControlKind::kInfoText:
      return 2;
    default:
      return 0;
  }
}

// Whether the control is filled with a back colour of its own.
constexpr bool PaintsBackColour(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kFrame ||
         kind == ControlKind::kCheckBox || kind == ControlKind::kLabel;
}

// A control by its array's name and its element; -1 for a single control.
struct ControlId {
  std::string_view name;
  int index = -1;

  constexpr bool operator==(const ControlId&) const = default;
};

enum class ControlParent { kWindow, kFrame };

enum class TextAlignment { kLeft, kCentre };

struct ControlLayout {
  std::string_view name{};  // the control array's name
  int index = -1;           // element of the array; -1 for a single control
  ControlKind kind{};
  ControlParent parent = ControlParent::kWindow;
  int left = 0, top = 0, width = 0, height = 0;  // twips
  int tab_index = 0;
  std::string_view caption{};   // the text on the control
  std::string_view resource{};  // the picture or text it shows
  std::optional<StoredColour> back_colour{};
  TextAlignment alignment = TextAlignment::kLeft;
  // The control a label names: it takes the label's caption as its accessible
  // name, and the label's mnemonic focuses it.
  std::optional<ControlId> buddy_of{};
  std::string_view accessible_name{};  // where the caption does not give one
  std::string_view accessible_description{};
  bool shown = true;
};

inline constexpr std::string_view kDrawingDescription =
    "Правоъгълен паралелепипед в наклонен изглед: предната стена е бяла, дясната "
    "странична стена е сива. Долният преден и горният заден ръб са означени с a, "
    "двата ръба, които отиват назад, с b, а левият преден и десният заден "
    "вертикален ръб с c.";

// The value field of a quantity and its check box, one row of the frame for
// each, a for the top one: the check box's caption and the field's accessible
// name are the quantity's caption.
inline constexpr int kValueRowTop = 360;   // twips, within the frame
inline constexpr int kValueRowStep = 360;  // from one row to the next
inline constexpr int kValueTabIndex = 4;   // the check box of a; then its field, then b's

constexpr ControlLayout ValueFieldRow(Quantity q) {
  const int row = static_cast<int>(Index(q));
  return {.name = "Text2", .index = row, .kind = ControlKind::kTextBox,
          .parent = ControlParent::kFrame, .left = 840, .top = kValueRowTop + kValueRowStep * row,
          .width = 1335, .height = 405, .tab_index = kValueTabIndex + 2 * row + 1,
          .accessible_name = QuantityCaption(q)};
}

constexpr ControlLayout CheckBoxRow(Quantity q) {
  const int row = static_cast<int>(Index(q));
  return {.name = "Check1", .index = row, .kind = ControlKind::kCheckBox,
          .parent = ControlParent::kFrame, .left = 120, .top = kValueRowTop + kValueRowStep * row,
          .width = 615, .height = 405, .tab_index = kValueTabIndex + 2 * row,
          .caption = QuantityCaption(q), .back_colour = kCheckColour};
}

// The controls but the value rows, in the order they are defined; the value
// rows follow the frame.
inline constexpr std::array<ControlLayout, 9> kFixedControls = {{
    {.name = "Picture1", .kind = ControlKind::kPicture,
     .left = 4680, .top = 600, .width = 2010, .height = 2790, .tab_index = 18,
     .resource = ":/prism.rgb",
     .accessible_name = "Чертеж на правоъгълен паралелепипед",
     .accessible_description = kDrawingDescription},
    {.name = "Command1", .index = 1, .kind = ControlKind::kButton,
     .left = 2160, .top = 2880, .width = 1335, .height = 375, .tab_index = 16,
     .caption = "Изчисти", .back_colour = kClearColour},
    {.name = "Command1", .index = 0, .kind = ControlKind::kButton,
     .left = 240, .top = 2880, .width = 1335, .height = 375, .tab_index = 15,
     .caption = "Изчисли", .back_colour = kCalculateColour},
    {.name = "List1", .index = 0, .kind = ControlKind::kList,
     .left = 120, .top = 960, .width = 1335, .height = 1485, .tab_index = 14},
    {.name = "Frame1", .kind = ControlKind::kFrame,
     .left = 1560, .top = 480, .width = 2415, .height = 2295, .tab_index = 3,
     .caption = "Размери", .back_colour = kWindowColour},
    // Where it overlaps the task text it would hide the formulas at its end.
    {.name = "Text1", .index = 1, .kind = ControlKind::kInfoText,
     .left = 600, .top = 4680, .width = 6735, .height = 1815, .tab_index = 1,
     .resource = ":/saying.txt", .accessible_name = "Мисъл", .shown = false},
    {.name = "Text1", .index = 0, .kind = ControlKind::kInfoText,
     .left = 120, .top = 3480, .width = 6855, .height = 2775, .tab_index = 0,
     .resource = ":/task.txt", .accessible_name = "Задача"},
    {.name = "Label1", .index = 1, .kind = ControlKind::kLabel,
     .left = 120, .top = 600, .width = 1335, .height = 375, .tab_index = 17,
     .caption = "Дадени:", .back_colour = kLabelColour, .buddy_of = ControlId{"List1", 0}},
    {.name = "Label1", .index = 0, .kind = ControlKind::kLabel,
     .left = 240, .top = 0, .width = 6735, .height = 375, .tab_index = 2,
     .caption = "Математика - обем на призма, повърхнина, страни", .back_colour = kLabelColour,
     .alignment = TextAlignment::kCentre},
}};

// In the order the controls are defined: the fixed ones up to the frame, the
// value rows from V up to a, each field before its check box, then the rest.
inline constexpr std::array<ControlLayout, kFixedControls.size() + 2 * kQuantityCount>
    kFormControls = [] {
      std::array<ControlLayout, kFixedControls.size() + 2 * kQuantityCount> table{};
      std::size_t next = 0;
      for (const ControlLayout& entry : kFixedControls) {
        table[next++] = entry;
        if (entry.kind != ControlKind::kFrame) continue;
        for (std::size_t i = kQuantityCount; i-- > 0;) {
          table[next++] = ValueFieldRow(kAllQuantities[i]);
          table[next++] = CheckBoxRow(kAllQuantities[i]);
        }
      }
      return table;
    }();

// A control's place and size in pixels at a zoom, relative to its parent.
struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;

  constexpr bool operator==(const PixelRect&) const = default;
};

constexpr PixelRect ControlGeometry(const ControlLayout& entry, int zoom) {
  return {Pixels(entry.left, zoom), Pixels(entry.top, zoom), Pixels(entry.width, zoom),
          Pixels(entry.height, zoom)};
}

// The row of the table that holds the control; nullopt where none does.
constexpr std::optional<std::size_t> ControlRow(ControlId id) {
  for (std::size_t row = 0; row < kFormControls.size(); ++row) {
    if ((ControlId{kFormControls[row].name, kFormControls[row].index}) == id) return row;
  }
  return std::nullopt;
}

// What the form takes from the table without checking it again.
constexpr bool FormControlsAreWellFormed() {
  bool frame = false;
  for (std::size_t row = 0; row < kFormControls.size(); ++row) {
    const ControlLayout& entry = kFormControls[row];
    // Each control once, and an element of an array only where the window
    // keeps one, within its size.
    if (ControlRow({entry.name, entry.index}) != row) return false;
    const std::size_t size = ArraySize(entry.kind);
    if (size > 0 && (entry.index < 0 || static_cast<std::size_t>(entry.index) >= size)) {
      return false;
    }
    if (entry.back_colour.has_value() != PaintsBackColour(entry.kind)) return false;
    // Only a label names another control, and that control exists.
    if (entry.buddy_of && (entry.kind != ControlKind::kLabel || !ControlRow(*entry.buddy_of))) {
      return false;
    }
    if (entry.kind == ControlKind::kFrame) {
      if (frame || entry.parent != ControlParent::kWindow) return false;
      frame = true;
    }
  }
  // Controls inside the frame need one.
  for (const ControlLayout& entry : kFormControls) {
    if (entry.parent == ControlParent::kFrame && !frame) return false;
  }
  return true;
}
static_assert(FormControlsAreWellFormed());

}  // namespace prism
