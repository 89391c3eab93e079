// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Prints a page through the system's print dialog. Qt's printing, and CUPS
// behind it on Linux, cost every start of the program some 1.7 million
// instructions when linked in; on Linux they are loaded only when the user
// first prints, from a small library of the program's own installed beside
// it. A Windows build links them in.

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace prism {

using PagePainter = std::function<bool(QPagedPaintDevice& device)>;

enum class PrintOutcome { kPrinted, kCancelled, kFailed, kUnavailable };

// Asks which printer, then paints the page on it.
PrintOutcome PrintPage(QWidget* parent, const QString& document_name, const PagePainter& paint);

// Whether printing can be offered at all.
bool PrintingAvailable();

}  // namespace prism
