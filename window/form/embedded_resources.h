// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts, images and translation built into the program.

namespace prism {

// Qt's own texts in Bulgarian.
inline constexpr char kQtTranslationResource[] = ":/translations/qtbase_bg.qm";
// The command line's own texts in Bulgarian.
inline constexpr char kMessageTranslationResource[] = ":/translations/dravik_bg.qm";

// Registers the embedded resources; safe to call more than once.
void RegisterResources();

}  // namespace prism
