// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/page/solution_page.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <memory>
#include <optional>

#include "prism/program_info.h"
#include "window/page/box_drawing.h"
#include "window/page/box_sketch.h"
#include "window/look/fonts.h"
#include "window/look/typeset_text.h"
#include "window/model/window_model.h"

namespace prism {
namespace {

constexpr char kNotToScale[] = "(не е в мащаб)";
constexpr char kNetPageTitle[] = "Развивка на правоъгълния паралелепипед";
constexpr char kNotTrueSize[] = "(не е в реален размер)";
constexpr char kPrintTrueSize[] =
    "Отпечатайте в реален размер (100 %), без „Побери в страницата“.";
constexpr char kCheckLineLabel[] = "10 см";
constexpr qreal kCheckLineMillimetres = 100;
constexpr char kBaseName[] = "основа";
constexpr char kSideName[] = "околна стена";
constexpr char kPageNumber[] = "Страница %1 от %2";

constexpr qreal kTextPoints = 11;
constexpr qreal kTitlePoints = 14;
constexpr qreal kFooterPoints = 9;
// The drawing's band at the most, of the printable area's height.
constexpr qreal kDrawingShare = 1.0 / 3;

// The sketch of the box in the area, with the room its labels take beside it.
struct LabelledSketch {
  BoxSketch sketch;
  qreal line = 0, left = 0, right = 0;
};

std::optional<LabelledSketch> SketchInArea(const QFontMetricsF& metrics, const QRectF& area,
                                           const WorkedSolution& solution) {
  if (!solution.box) return std::nullopt;
  LabelledSketch labelled;
  labelled.line = metrics.height();
  labelled.left =
      metrics.horizontalAdvance(QString::fromStdString(solution.edge_labels[2])) + labelled.line / 2;
  labelled.right =
      metrics.horizontalAdvance(QString::fromStdString(solution.edge_labels[1])) + labelled.line / 2;
  const std::optional<BoxSketch> sketch =
      SketchBox(solution.values[Quantity::kA], solution.values[Quantity::kB],
                solution.values[Quantity::kC], area.width() - labelled.left - labelled.right,
                area.height() - 2.5 * labelled.line);
  if (!sketch) return std::nullopt;
  labelled.sketch = *sketch;
  return labelled;
}

QFont PageFont(qreal points, bool bold = false) {
  QFont font(WindowFontFamily());
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

// The line laid out at the width, its heading in bold.
std::unique_ptr<QTextLayout> LaidOut(const PageLine& line, const QFont& font, QPaintDevice* device,
                                     qreal width) {
  return TypesetLayout(line.text, font, device, width, line.bold_length);
}

// Where a point of the net stands in the drawing, turned a quarter where
// the scale says, then scaled and moved into place.
QPointF Placed(const NetPoint& p, const BoxNet& net, bool turned, qreal scale, QPointF origin) {
  const QPointF upright = turned ? QPointF(net.height - p.y, p.x) : QPointF(p.x, p.y);
  return origin + upright * scale;
}

}  // namespace

std::optional<NetScale> PaintSolutionNet(QPainter& painter, const QRectF& area,
                                         qreal device_per_mm, const WorkedSolution& solution,
                                         bool true_size) {
  if (!solution.box) return std::nullopt;
  const double a = solution.values[Quantity::kA], b = solution.values[Quantity::kB],
               c = solution.values[Quantity::kC];
  const double unit_mm = true_size ? UnitInfo(solution.unit).millimetres : 0;
  const std::optional<NetScale> scale =
      ChooseNetScale(a, b, c, unit_mm, area.width() / device_per_mm,
                     area.height() / device_per_mm, kNetTabMillimetres);
  if (!scale) return std::nullopt;
  const std::optional<BoxNet> net = NetOfBox(a, b, c, kNetTabMillimetres / scale->mm_per_unit);
  if (!net) return std::nullopt;
  const qreal to_device = scale->mm_per_unit * device_per_mm;
  const QSizeF drawn = scale->turned ? QSizeF(net->height, net->width) * to_device
                                     : QSizeF(net->width, net->height) * to_device;
  const QPointF origin = area.center() - QPointF(drawn.width(), drawn.height()) / 2;
  const auto at = [&](const NetPoint& p) { return Placed(p, *net, scale->turned, to_device, origin); };

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  // A quarter of a millimetre on paper, and no thinner than a pixel on screen.
  const qreal line = std::max<qreal>(0.25 * device_per_mm, 1);
  painter.setPen(QPen(Qt::black, line, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  for (const NetSegment& cut : net->cut_lines) painter.drawLine(at(cut.from), at(cut.to));
  QPen fold(Qt::black, line * 0.8, Qt::CustomDashLine, Qt::FlatCap);
  fold.setDashPattern({8, 5});
  painter.setPen(fold);
  for (const NetSegment& folded : net->fold_lines) painter.drawLine(at(folded.from), at(folded.to));
  // Each face named with its sides, upright whichever way the net is turned.
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(painter.font());
  for (const NetFaceRect& face : net->faces) {
    const QRectF drawn_face = QRectF(at(face.top_left),
                                     at({face.top_left.x + face.width, face.top_left.y + face.height}))
                                  .normalized();
    const QString sides =
        QString::fromStdString(solution.edge_values[static_cast<std::size_t>(face.across)] + " × " +
                               solution.edge_values[static_cast<std::size_t>(face.down)]);
    const QString name = QString::fromUtf8(face.face == NetFace::kBase ? kBaseName : kSideName);
    // What fits in the face: its sides and its name, its sides, or nothing.
    const qreal room = drawn_face.width() - metrics.averageCharWidth();
    QString text;
    if (std::max(metrics.horizontalAdvance(sides), metrics.horizontalAdvance(name)) <= room &&
        2 * metrics.height() <= drawn_face.height()) {
      text = sides + QLatin1Char('\n') + name;
    } else if (metrics.horizontalAdvance(sides) <= room && metrics.height() <= drawn_face.height()) {
      text = sides;
    }
    DrawTypeset(painter, drawn_face, Qt::AlignCenter, text);
  }
  painter.restore();
  return scale;
}

void PaintSolutionBox(QPainter& painter, const QRectF& area, const WorkedSolution& solution,
                      qreal line_width) {
  if (!solution.box) return;
  const QFontMetricsF metrics(painter.font());
  const std::optional<LabelledSketch> labelled = SketchInArea(metrics, area, solution);
  if (!labelled) return;
  const auto label = [&](std::size_t edge) {
    return QString::fromStdString(solution.edge_labels[edge]);
  };
  const std::optional<BoxSketch> sketch = labelled->sketch;
  const qreal line = labelled->line, left = labelled->left, right = labelled->right;
  const qreal width = sketch->front_width + sketch->depth;
  // The box in the middle of the space its labels leave.
  const QPointF origin(area.left() + left + (area.width() - left - right - width) / 2,
                       area.top() + sketch->depth + sketch->front_height);
  const QPointF depth(sketch->depth, -sketch->depth);
  const QPointF front_bl = origin, front_br = origin + QPointF(sketch->front_width, 0);
  const QPointF front_tl = origin - QPointF(0, sketch->front_height);
  const QPointF back_br = front_br + depth;

  painter.save();
  PaintObliqueBox(painter, {front_tl, front_br, depth}, line_width, line_width / 2);
  painter.setPen(Qt::black);
  const qreal below = origin.y() + line / 4;
  DrawTypeset(painter, QRectF(front_bl.x() - left, below, sketch->front_width + 2 * left, line),
              Qt::AlignHCenter | Qt::AlignTop, label(0));
  DrawTypeset(painter, QRectF(front_bl.x() - left, front_tl.y(), left - line / 4, sketch->front_height),
              Qt::AlignRight | Qt::AlignVCenter, label(2));
  // Right of the receding bottom edge, clear of the grey face.
  const QPointF b_middle = (front_br + back_br) / 2;
  DrawTypeset(painter, QRectF(back_br.x() + line / 4, b_middle.y() - line / 2, right, line),
              Qt::AlignLeft | Qt::AlignVCenter, label(1));
  if (!sketch->to_scale) {
    painter.drawText(QRectF(area.left(), below + line, area.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(kNotToScale));
  }
  painter.restore();
}

qreal SolutionBoxHeight(const QFont& font, QPaintDevice* device, qreal width, qreal at_most,
                        const WorkedSolution& solution) {
  const std::optional<LabelledSketch> labelled =
      SketchInArea(QFontMetricsF(font, device), QRectF(0, 0, width, at_most), solution);
  if (!labelled) return 0;
  return std::min(at_most,
                  labelled->sketch.front_height + labelled->sketch.depth + 2.5 * labelled->line);
}

SolutionPages PlanSolutionPages(const WorkedSolution& solution, const QString& title,
                                const QSizeF& area, QPaintDevice* device) {
  SolutionPages pages;
  pages.title_font = PageFont(kTitlePoints, true);
  pages.text_font = PageFont(kTextPoints);
  pages.footer_font = PageFont(kFooterPoints);
  const QFontMetricsF text(pages.text_font, device);
  const QFontMetricsF footer(pages.footer_font, device);
  pages.footer = QRectF(0, area.height() - footer.height(), area.width(), footer.height());
  const qreal bottom = pages.footer.top() - text.height() / 2;

  pages.title = QFontMetricsF(pages.title_font, device)
                    .boundingRect(QRectF(0, 0, area.width(), area.height()),
                                  Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, title);
  pages.title.setLeft(0);
  pages.title.setWidth(area.width());
  qreal top = pages.title.bottom() + text.height();
  const qreal band = SolutionBoxHeight(pages.text_font, device, area.width(),
                                       area.height() * kDrawingShare, solution);
  if (band > 0) {
    pages.drawing = QRectF(0, top, area.width(), band);
    top += band + text.height();
  }
  const qreal indent = text.height();
  int page = 0;
  bool in_answer = false;
  for (std::size_t i = 0; i < solution.lines.size(); ++i) {
    if (solution.lines[i] == kPageBreak) {
      ++page;
      top = 0;
      continue;
    }
    PageLine line;
    line.text = QString::fromStdString(solution.lines[i]);
    const std::optional<SolutionHeading> part = HeadingOf(solution.lines[i]);
    if (part) {
      line.bold_length = static_cast<int>(QString::fromUtf8(part->text).size());
      // A sentence after the heading (no box) is no framed answer.
      in_answer = part->part == SolutionPart::kAnswer && solution.lines[i] == part->text;
      if (i > 0) top += text.height() / 2;
    }
    line.answer = in_answer && !part;
    // Room for the answer's frame above its first line.
    if (line.answer && i > 0 && HeadingOf(solution.lines[i - 1]).has_value()) {
      top += text.height() / 4;
    }
    const qreal left = line.answer ? indent : 0;
    const qreal height = LaidOut(line, pages.text_font, device, area.width() - 2 * left)
                             ->boundingRect()
                             .height();
    // A heading goes with the line after it.
    qreal needed = height;
    if (part && i + 1 < solution.lines.size()) needed += text.height();
    if (top + needed > bottom && top > 0) {
      ++page;
      top = 0;
    }
    line.page = page;
    line.rect = QRectF(left, top, area.width() - 2 * left, height);
    top += height;
    pages.lines.push_back(std::move(line));
  }
  pages.count = page + 1;
  return pages;
}

namespace {

// The net's page: its title and scale, the net, and at its true size the
// line to check the print by and how to print it.
void PaintNetPage(QPainter& painter, QPagedPaintDevice& device, const WorkedSolution& solution) {
  const QRectF area(0, 0, device.width(), device.height());
  const qreal per_mm =
      area.width() / device.pageLayout().paintRect(QPageLayout::Millimeter).width();
  const QFont title_font = PageFont(kTitlePoints, true), text_font = PageFont(kTextPoints);
  const QFont label_font = PageFont(kFooterPoints);
  const qreal line = QFontMetricsF(text_font, &device).height();
  painter.setFont(title_font);
  const qreal title_height = QFontMetricsF(title_font, &device).height();
  painter.drawText(QRectF(0, 0, area.width(), title_height), Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromUtf8(kNetPageTitle));
  const bool true_size = UnitInfo(solution.unit).millimetres > 0;
  // Room below the title for the scale, and at the foot for the check line.
  const qreal top = title_height + 2 * line;
  const qreal foot = true_size ? 3 * line + 2 * per_mm : 0;
  painter.setFont(label_font);
  const std::optional<NetScale> scale = PaintSolutionNet(
      painter, QRectF(0, top, area.width(), area.height() - top - foot), per_mm, solution,
      true_size);
  painter.setFont(text_font);
  const QString scale_text = !scale ? QString()
                             : scale->true_size ? QString::fromStdString(NetScaleText(*scale))
                                                : QString::fromUtf8(kNotTrueSize);
  painter.drawText(QRectF(0, title_height + line / 2, area.width(), line), Qt::AlignHCenter,
                   scale_text);
  if (scale && scale->true_size) {
    const qreal y = area.height() - 2 * line;
    const qreal length = kCheckLineMillimetres * per_mm;
    painter.save();
    painter.setPen(QPen(Qt::black, 0.3 * per_mm));
    painter.drawLine(QPointF(0, y), QPointF(length, y));
    for (const qreal x : {0.0, length}) painter.drawLine(QPointF(x, y - per_mm * 2), QPointF(x, y + per_mm * 2));
    painter.restore();
    painter.drawText(QRectF(length + line / 2, y - line / 2, area.width(), line), Qt::AlignVCenter,
                     QString::fromUtf8(kCheckLineLabel));
    painter.drawText(QRectF(0, area.height() - line, area.width(), line), Qt::AlignLeft,
                     QString::fromUtf8(kPrintTrueSize));
  }
}

}  // namespace

bool PaintSolutionPages(QPagedPaintDevice& device, const QString& title,
                        const WorkedSolution& solution, bool with_net) {
  const qreal margin = kPageMarginMillimetres;
  device.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QSizeF area(device.width(), device.height());
  const SolutionPages pages = PlanSolutionPages(solution, title, area, &device);
  painter.setPen(Qt::black);
  const qreal thin = QFontMetricsF(pages.text_font, &device).height() / 20;
  for (int page = 0; page < pages.count; ++page) {
    if (page > 0 && !device.newPage()) return false;
    if (page == 0) {
      painter.setFont(pages.title_font);
      painter.drawText(pages.title, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, title);
      if (!pages.drawing.isEmpty()) {
        painter.setFont(pages.text_font);
        PaintSolutionBox(painter, pages.drawing, solution, 2 * thin);
      }
    }
    QRectF answer;
    for (const PageLine& line : pages.lines) {
      if (line.page != page) continue;
      LaidOut(line, pages.text_font, &device, line.rect.width())->draw(&painter, line.rect.topLeft());
      if (line.answer) answer = answer.isNull() ? line.rect : answer.united(line.rect);
    }
    // The answer set apart in a frame.
    if (!answer.isNull()) {
      const qreal pad = thin * 3;
      painter.save();
      painter.setPen(QPen(Qt::black, thin));
      painter.drawRect(answer.adjusted(-3 * pad, -pad, 3 * pad, pad));
      painter.restore();
    }
    if (pages.count > 1) {
      painter.setFont(pages.footer_font);
      painter.drawText(pages.footer, Qt::AlignHCenter | Qt::AlignBottom,
                       QString::fromUtf8(kPageNumber).arg(page + 1).arg(pages.count));
    }
  }
  if (with_net && solution.box) {
    if (!device.newPage()) return false;
    PaintNetPage(painter, device, solution);
  }
  return painter.end();
}

FileWriteOutcome SaveSolutionPdf(const QString& path, const WorkedSolution& solution,
                                 bool with_net) {
  // The page is made whole in memory first, so that nothing touches the
  // disk until it is known.
  QByteArray page;
  {
    QBuffer buffer(&page);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(Text(kSolutionTitle));
    writer.setCreator(QString::fromUtf8(kProgramName));
    if (!PaintSolutionPages(writer, QString::fromUtf8(kProgramTitle), solution, with_net)) {
      return FileWriteOutcome::kFailed;
    }
  }
  return WriteWholeFile(path, page);
}

}  // namespace prism
