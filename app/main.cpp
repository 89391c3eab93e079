// Starts the program: one window, then the event loop until it is closed.

#include <QApplication>
#include <clocale>

#include "solver/field_number.h"
#include "window/application.h"
#include "window/dravik.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Numbers are written the way the user's regional settings write them.
  std::setlocale(LC_ALL, "");
  prism::SetUpApplication(application);

  prism::Dravik window(prism::RegionalNumberFormat());
  window.Load();
  window.show();
  return QApplication::exec();
}
