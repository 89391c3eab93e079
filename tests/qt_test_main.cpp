// SPDX-License-Identifier: GPL-3.0-or-later
// Runs window tests headless, with the application set up as the program does.

#include <gtest/gtest.h>

#include <QApplication>

#include "window/application.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  prism::SetUpApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
