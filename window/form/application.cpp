// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form/application.h"

#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <clocale>

#include "prism/program_info.h"
#include "solver/regional_number_format.h"
#include "window/look/classic_style.h"
#include "window/form/dravik.h"
#include "window/form/embedded_resources.h"

namespace prism {
namespace {

// Qt's context menus and commands speak the window's language, whatever the
// user's.
void InstallQtTranslation() {
  static bool installed = false;
  if (installed) return;
  auto* translator = new QTranslator(QCoreApplication::instance());
  installed = translator->load(QString::fromLatin1(kQtTranslationResource)) &&
              QCoreApplication::installTranslator(translator);
  if (!installed) delete translator;
}

}  // namespace

std::unique_ptr<QTranslator> CommandLineTranslator() {
  RegisterResources();
  const QStringList languages = QLocale::system().uiLanguages();
  if (languages.isEmpty() || !languages.constFirst().startsWith(QLatin1String("bg"))) return nullptr;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QString::fromLatin1(kMessageTranslationResource))) return nullptr;
  return translator;
}

bool InstallCommandLineTranslation() {
  std::unique_ptr<QTranslator> messages = CommandLineTranslator();
  if (!messages || !QCoreApplication::installTranslator(messages.get())) return false;
  messages.release()->setParent(QCoreApplication::instance());
  InstallQtTranslation();
  return true;
}

void SetUpApplication() {
  RegisterResources();
  QApplication::setApplicationName(QString::fromUtf8(kProgramName));
  QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
  QApplication::setOrganizationDomain(QString::fromUtf8(kWebAddress));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromUtf8(kApplicationId));
  // The classic look, over Fusion, which fills every control in its
  // palette's colours where some platform styles ignore them. A zoomed
  // window gives its controls a style of its zoom.
  QApplication::setStyle(new ClassicStyle);
  InstallQtTranslation();
}

std::unique_ptr<Dravik> OpenWindow(QApplication& application) {
  // Numbers are written the way the user's regional settings write them.
  std::setlocale(LC_ALL, "");
  SetUpApplication();
  // The zoom kept between starts: the registry on Windows, ~/.config on Linux.
  auto* settings =
      new QSettings(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(kWebAddress),
                    QString::fromUtf8(kProgramName), &application);
  auto window = std::make_unique<Dravik>(RegionalNumberFormat(), settings);
  // The window's own icon, shared rather than read a second time.
  application.setWindowIcon(window->windowIcon());
  window->Load();
  window->show();
  return window;
}

}  // namespace prism
