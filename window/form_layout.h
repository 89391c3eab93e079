#pragma once

// What the window looks like: every control with its place, caption, colour
// and tab order. Positions and sizes are in twips (1/1440 inch), 15 to a pixel
// at 96 dots per inch; controls inside the frame are placed relative to it.

#include <array>
#include <optional>
#include <string_view>

namespace prism {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

// A colour as the window's description stores it: 0x00BBGGRR.
struct StoredColour {
  unsigned value;

  constexpr int red() const { return static_cast<int>(value & 0xFF); }
  constexpr int green() const { return static_cast<int>((value >> 8) & 0xFF); }
  constexpr int blue() const { return static_cast<int>((value >> 16) & 0xFF); }
};

inline constexpr StoredColour kWindowColour{0x00FFC0C0};
inline constexpr StoredColour kCheckColour{0x00FF8080};
inline constexpr StoredColour kLabelColour{0x0080C0FF};
inline constexpr StoredColour kCalculateColour{0x0000FF00};
inline constexpr StoredColour kClearColour{0x000000FF};

inline constexpr int kClientWidthTwips = 7215;
inline constexpr int kClientHeightTwips = 6360;

inline constexpr std::string_view kFontFamily = "Times New Roman";
inline constexpr int kFontPointSize = 12;

enum class ControlKind { kPicture, kButton, kList, kFrame, kTextBox, kCheckBox, kInfoText, kLabel };

enum class ControlParent { kWindow, kFrame };

struct ControlLayout {
  std::string_view name;  // the control array's name
  int index;              // element of the array; -1 for a single control
  ControlKind kind;
  ControlParent parent;
  int left, top, width, height;  // twips
  int tab_index;
  std::string_view content;  // the caption, or the resource holding a picture or text
  std::optional<StoredColour> back_colour;
  bool shown = true;
};

// In the order the controls are defined.
inline constexpr std::array<ControlLayout, 19> kFormControls = {{
    {"Picture1", -1, ControlKind::kPicture, ControlParent::kWindow, 4680, 600, 2010, 2790, 18, ":/prism.jpg", {}},
    {"Command1", 1, ControlKind::kButton, ControlParent::kWindow, 2160, 2880, 1335, 375, 16, "Изчисти", kClearColour},
    {"Command1", 0, ControlKind::kButton, ControlParent::kWindow, 240, 2880, 1335, 375, 15, "Изчисли", kCalculateColour},
    {"List1", 0, ControlKind::kList, ControlParent::kWindow, 120, 960, 1335, 1485, 14, "", {}},
    {"Frame1", -1, ControlKind::kFrame, ControlParent::kWindow, 1560, 480, 2415, 2295, 3, "Размери", kWindowColour},
    {"Text2", 4, ControlKind::kTextBox, ControlParent::kFrame, 840, 1800, 1335, 405, 13, "", {}},
    {"Check1", 4, ControlKind::kCheckBox, ControlParent::kFrame, 120, 1800, 615, 405, 12, "V", kCheckColour},
    {"Text2", 3, ControlKind::kTextBox, ControlParent::kFrame, 840, 1440, 1335, 405, 11, "", {}},
    {"Check1", 3, ControlKind::kCheckBox, ControlParent::kFrame, 120, 1440, 615, 405, 10, "S", kCheckColour},
    {"Text2", 2, ControlKind::kTextBox, ControlParent::kFrame, 840, 1080, 1335, 405, 9, "", {}},
    {"Check1", 2, ControlKind::kCheckBox, ControlParent::kFrame, 120, 1080, 615, 405, 8, "c", kCheckColour},
    {"Text2", 1, ControlKind::kTextBox, ControlParent::kFrame, 840, 720, 1335, 405, 7, "", {}},
    {"Check1", 1, ControlKind::kCheckBox, ControlParent::kFrame, 120, 720, 615, 405, 6, "b", kCheckColour},
    {"Text2", 0, ControlKind::kTextBox, ControlParent::kFrame, 840, 360, 1335, 405, 5, "", {}},
    {"Check1", 0, ControlKind::kCheckBox, ControlParent::kFrame, 120, 360, 615, 405, 4, "a", kCheckColour},
    {"Text1", 1, ControlKind::kInfoText, ControlParent::kWindow, 600, 4680, 6735, 1815, 1, ":/saying.txt", {},
     // Where it overlaps the task text it would hide the formulas at its end.
     false},
    {"Text1", 0, ControlKind::kInfoText, ControlParent::kWindow, 120, 3480, 6855, 2775, 0, ":/task.txt", {}},
    {"Label1", 1, ControlKind::kLabel, ControlParent::kWindow, 120, 600, 1335, 375, 17, "Дадени:", kLabelColour},
    {"Label1", 0, ControlKind::kLabel, ControlParent::kWindow, 240, 0, 6735, 375, 2, "Математика - обем на призма, повърхнина, страни", kLabelColour},
}};

}  // namespace prism
