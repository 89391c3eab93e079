#include "window/application.h"

#include <QApplication>
#include <QIcon>

#include "prism/program_info.h"

static void InitResources() { Q_INIT_RESOURCE(resources); }

namespace prism {

void RegisterResources() {
  static const bool registered = (InitResources(), true);
  (void)registered;
}

void SetUpApplication(QApplication& application) {
  RegisterResources();
  QApplication::setApplicationName(QString::fromUtf8(kProgramName));
  QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
  QApplication::setOrganizationDomain(QString::fromUtf8(kWebAddress));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromUtf8(kApplicationId));
  // Fusion draws push buttons in their palette's button colour; some
  // platform styles ignore it.
  QApplication::setStyle(QStringLiteral("Fusion"));
  application.setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
}

}  // namespace prism
