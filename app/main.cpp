// Starts the program: one window, then the event loop until it is closed.

#include <QApplication>

#include "window/application.h"
#include "window/dravik.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const auto window = prism::OpenWindow(application);
  return QApplication::exec();
}
