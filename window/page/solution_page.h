// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The worked solution on paper: the box drawn to its numbers, and the pages
// of a PDF file or a printer, laid out by one plan for both.

#include <QFont>
#include <QRectF>
#include <QString>
#include <vector>

#include <optional>

#include "solver/worked_solution.h"
#include "window/page/box_net.h"
#include "window/page/whole_file.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace prism {

// The box of a solution drawn in the area, with its edges labelled, and
// "(не е в мащаб)" under it where it is not to scale; nothing where the
// solution has no box. line_width is the visible edges' width.
void PaintSolutionBox(QPainter& painter, const QRectF& area, const WorkedSolution& solution,
                      qreal line_width);

// The name of the net's view and page.
inline constexpr std::string_view kNetTitle = "Развивка";

// The glue tabs' depth on paper, within the 7 to 10 mm a pupil folds well.
inline constexpr double kNetTabMillimetres = 8;

// The net of the solution's box drawn in the area (in the device's units,
// device_per_mm of them to a millimetre of paper): cut lines solid, fold
// lines dashed, each face named with its sides. To its unit's true size at
// the scale ChooseNetScale gives where true_size is asked and the solution
// has a unit, else as large as fits. The scale drawn at; nullopt, and
// nothing drawn, where the solution has no box.
std::optional<NetScale> PaintSolutionNet(QPainter& painter, const QRectF& area,
                                         qreal device_per_mm, const WorkedSolution& solution,
                                         bool true_size);

// How tall the drawing of a solution's box is, with its labels, drawn as
// large as fits width × at_most in the font; 0 where there is no box.
qreal SolutionBoxHeight(const QFont& font, QPaintDevice* device, qreal width, qreal at_most,
                        const WorkedSolution& solution);

// One line of the solution on its page, in the printable area's coordinates:
// wrapped at the area's width into as many rows as it needs.
struct PageLine {
  int page = 0;
  QRectF rect;
  QString text;
  int bold_length = 0;  // its heading's characters, in bold
  bool answer = false;  // a line of the answer, set apart
};

// Where everything stands on the pages of a printable area of that size:
// the title and the drawing on the first page, in a band as tall as the
// drawing needs and no taller than a third of the area, then the lines,
// a heading never left alone at a page's foot; the page's number in the
// footer where there is more than one.
struct SolutionPages {
  QFont title_font, text_font, footer_font;
  QRectF title;
  QRectF drawing;  // empty where there is no box
  std::vector<PageLine> lines;
  QRectF footer;   // on every page, used where count > 1
  int count = 1;
};

SolutionPages PlanSolutionPages(const WorkedSolution& solution, const QString& title,
                                const QSizeF& area, QPaintDevice* device);

// The page margins, for the PDF file and the printer alike.
inline constexpr qreal kPageMarginMillimetres = 20;

// Paints the solution's pages on the device, with the margins set: black on
// white, real text; with_net adds the net on a page of its own, with its
// scale, and where that is its true size, a 10 cm line to check the print
// by. False where the device could not be painted on.
bool PaintSolutionPages(QPagedPaintDevice& device, const QString& title,
                        const WorkedSolution& solution, bool with_net = false);

// Writes the solution's pages as a PDF file on A4, whole or not at all:
// where it cannot be written, the file that was there stays as it was.
FileWriteOutcome SaveSolutionPdf(const QString& path, const WorkedSolution& solution,
                                 bool with_net = false);

}  // namespace prism
