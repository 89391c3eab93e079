// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of any version of our window: a Qt application showing a window
// of the same size with one Cyrillic label in the window's font, and nothing
// else.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setFixedSize(481, 424);
  window.setFont(QFont(QStringLiteral("Times New Roman"), 12));
  QLabel label(QString::fromUtf8("Математика - призма, повърхнина и обем"), &window);
  label.move(16, 0);
  window.show();
  return QApplication::exec();
}
