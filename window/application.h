#pragma once

// What the program sets on its application object before it opens the window;
// the tests set the same, so they see the window as the user does.

class QApplication;

namespace prism {

// Registers the window's texts and images; safe to call more than once.
void RegisterResources();

// Name, version and organisation, the style that draws the buttons in their
// colours, and the application's icon.
void SetUpApplication(QApplication& application);

}  // namespace prism
