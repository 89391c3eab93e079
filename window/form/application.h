// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program sets on its application object before it opens the window;
// the tests set the same, so they see the window as the user does.

#include <memory>

class QApplication;
class QTranslator;

namespace prism {

class Dravik;

// Name, version, organisation and desktop entry, the style, and Qt's own
// texts in Bulgarian.
void SetUpApplication();

// The command line speaks the user's language: where that is Bulgarian
// (LANGUAGE, LC_ALL, LC_MESSAGES or LANG; Windows' display language), its
// own texts and Qt's in Bulgarian; else English, as written. Whether it
// does.
bool InstallCommandLineTranslation();

// That translation of the command line's texts, where the user's language is
// Bulgarian; else none. Needs no application object.
std::unique_ptr<QTranslator> CommandLineTranslator();

// All the program does before its event loop: takes the user's regional
// settings, sets up the application, creates, loads and shows the window, and
// gives the application the window's icon.
std::unique_ptr<Dravik> OpenWindow(QApplication& application);

}  // namespace prism
