// SPDX-License-Identifier: GPL-3.0-or-later
// Runs window tests headless, with the application set up as the program does.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

#include "window/form/application.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef _WIN32
  // Qt's offscreen platform on Windows reads the font files of one folder
  // and knows no aliases: the system's fonts, where the test Wine prefix
  // puts Liberation Serif for the Times New Roman it lacks, as Linux's font
  // configuration does.
  if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) {
    qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
  }
#endif
  QApplication application(argc, argv);
#ifdef _WIN32
  QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
#endif
  prism::SetUpApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
