// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every colour the windows paint, as data: fixed, so that the desktop's
// theme, a dark palette or another style never turns a text pale on the
// windows' light colours.

#include <array>

namespace prism {

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

// The colours the window paints besides the back colours above, fixed so that
// it looks the same under every desktop theme.
inline constexpr StoredColour kBlack{0x00000000};
inline constexpr StoredColour kWhite{0x00FFFFFF};
inline constexpr StoredColour kSelectionColour{0x00800000};          // navy, with white text
inline constexpr StoredColour kUnfocusedSelectionColour{0x00C0C0C0};  // silver, with black text
// The check boxes are never enabled, yet their captions are read: black, not
// the pale text of a disabled control.
inline constexpr StoredColour kCheckCaptionColour = kBlack;

// Every colour role the controls paint with, for an enabled control (active
// or inactive window) and a disabled one: the light greys of the plain Fusion
// look, with the window's own colours. Fixed here, never taken from the
// desktop's theme.
enum class ColourRole {
  kWindow, kWindowText, kBase, kAlternateBase, kText, kBrightText, kButton, kButtonText,
  kLight, kMidlight, kMid, kDark, kShadow, kHighlight, kHighlightedText, kLink,
  kLinkVisited, kToolTipBase, kToolTipText,
};

struct RoleColours {
  ColourRole role;
  StoredColour enabled;
  StoredColour disabled;
};

inline constexpr std::array<RoleColours, 19> kPaletteColours = {{
    {ColourRole::kWindow, kWindowColour, kWindowColour},
    {ColourRole::kWindowText, kBlack, {0x00BEBEBE}},
    {ColourRole::kBase, kWhite, kWhite},  // white under the check boxes, which are always disabled
    {ColourRole::kAlternateBase, {0x00F7F7F7}, {0x00F7F7F7}},
    {ColourRole::kText, kBlack, {0x00BEBEBE}},
    {ColourRole::kBrightText, kWhite, kWhite},
    {ColourRole::kButton, {0x00EFEFEF}, {0x00EFEFEF}},
    {ColourRole::kButtonText, kBlack, {0x00BEBEBE}},
    {ColourRole::kLight, kWhite, kWhite},
    {ColourRole::kMidlight, {0x00CACACA}, {0x00CACACA}},
    {ColourRole::kMid, {0x00B8B8B8}, {0x00B8B8B8}},
    {ColourRole::kDark, {0x009F9F9F}, {0x00BEBEBE}},
    {ColourRole::kShadow, {0x00767676}, {0x00B1B1B1}},
    {ColourRole::kHighlight, kSelectionColour, {0x00919191}},
    {ColourRole::kHighlightedText, kWhite, kWhite},
    {ColourRole::kLink, {0x00FF0000}, {0x00FF0000}},
    {ColourRole::kLinkVisited, {0x00FF00FF}, {0x00FF00FF}},
    {ColourRole::kToolTipBase, {0x00DCFFFF}, {0x00DCFFFF}},
    {ColourRole::kToolTipText, kBlack, kBlack},
}};

}  // namespace prism
