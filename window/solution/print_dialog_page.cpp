// SPDX-License-Identifier: GPL-3.0-or-later
// The system's print dialog and the printer: the only part of the program
// that uses Qt's printing.

#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include "window/solution/page_printer.h"

// Called through its name where this is a library loaded at run time;
// linked in, the program exports nothing.
#ifdef PRISM_PRINT_LINKED
#define PRISM_PRINT_EXPORT
#else
#define PRISM_PRINT_EXPORT Q_DECL_EXPORT
#endif

// Returns a PrintOutcome.
extern "C" PRISM_PRINT_EXPORT int PrismPrintPage(QWidget* parent, const QString* document_name,
                                            const prism::PagePainter* paint) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(*document_name);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return static_cast<int>(prism::PrintOutcome::kCancelled);
  return static_cast<int>((*paint)(printer) ? prism::PrintOutcome::kPrinted
                                            : prism::PrintOutcome::kFailed);
}
