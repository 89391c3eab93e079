// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/solution/page_printer.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

using PrintPageFunction = int (*)(QWidget*, const QString*, const prism::PagePainter*);

#ifdef PRISM_PRINT_LINKED
extern "C" int PrismPrintPage(QWidget* parent, const QString* document_name,
                              const prism::PagePainter* paint);
#endif

namespace prism {
namespace {

#ifdef PRISM_PRINT_LINKED
PrintPageFunction Printing() { return &PrismPrintPage; }
#else
// Beside the program in its build folder, else where it is installed,
// from the program's own folder.
PrintPageFunction Printing() {
  static const PrintPageFunction function = [] {
    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QStringList places = {folder + QStringLiteral(PRISM_PRINT_MODULE_NAME),
                                folder + QStringLiteral(PRISM_PRINT_MODULE_FROM_BIN)};
    for (const QString& place : places) {
      QLibrary library(place);
      if (const auto found = reinterpret_cast<PrintPageFunction>(library.resolve("PrismPrintPage"))) {
        return found;
      }
    }
    return PrintPageFunction{};
  }();
  return function;
}
#endif

}  // namespace

bool PrintingAvailable() { return Printing() != nullptr; }

PrintOutcome PrintPage(QWidget* parent, const QString& document_name, const PagePainter& paint) {
  const PrintPageFunction print = Printing();
  if (print == nullptr) return PrintOutcome::kUnavailable;
  return static_cast<PrintOutcome>(print(parent, &document_name, &paint));
}

}  // namespace prism
