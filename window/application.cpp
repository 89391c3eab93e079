#include "window/application.h"

#include <QApplication>
#include <clocale>

#include "prism/program_info.h"
#include "solver/field_number.h"
#include "window/dravik.h"

static void InitResources() { Q_INIT_RESOURCE(resources); }

namespace prism {

void RegisterResources() {
  static const bool registered = (InitResources(), true);
  (void)registered;
}

void SetUpApplication() {
  RegisterResources();
  QApplication::setApplicationName(QString::fromUtf8(kProgramName));
  QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
  QApplication::setOrganizationDomain(QString::fromUtf8(kWebAddress));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromUtf8(kApplicationId));
  // Fusion fills every control in its palette's colours; some platform
  // styles ignore them.
  QApplication::setStyle(QStringLiteral("Fusion"));
}

std::unique_ptr<Dravik> OpenWindow(QApplication& application) {
  // Numbers are written the way the user's regional settings write them.
  std::setlocale(LC_ALL, "");
  SetUpApplication();
  auto window = std::make_unique<Dravik>(RegionalNumberFormat());
  // The window's own icon, shared rather than read a second time.
  application.setWindowIcon(window->windowIcon());
  window->Load();
  window->show();
  return window;
}

}  // namespace prism
