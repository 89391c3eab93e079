// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/page/box_drawing.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace prism {
namespace {

constexpr int kDotsPerMetreAt96Dpi = 3780;  // 96 / 0.0254

// The box in oblique view: the front face, and the same face moved back by
// the receding offset.
constexpr int kFrontLeft = 20, kFrontRight = 85, kFrontTop = 52, kFrontBottom = 164;
constexpr int kDepthX = 30, kDepthY = -30;

}  // namespace

QImage DrawBox(qreal scale) {
  QImage image(static_cast<int>(std::ceil(kDrawingWidth * scale)),
               static_cast<int>(std::ceil(kDrawingHeight * scale)), QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
  image.setDotsPerMeterY(kDotsPerMetreAt96Dpi);

  const QPoint front_tl(kFrontLeft, kFrontTop);
  const QPoint front_br(kFrontRight, kFrontBottom);
  const QPoint depth(kDepthX, kDepthY);
  const QPoint back_tl = front_tl + depth, back_tr = QPoint(kFrontRight, kFrontTop) + depth;
  const QPoint back_br = front_br + depth;

  QPainter painter(&image);
  painter.scale(scale, scale);
  // At its own size the drawing keeps hard one-pixel edges; larger, the
  // edges are smoothed, as any line drawn at that size would be.
  painter.setRenderHint(QPainter::Antialiasing, scale != 1);
  PaintObliqueBox(painter, {front_tl, front_br, depth}, 2, 1);

  QFont font(QStringLiteral("Liberation Serif"));
  font.setPixelSize(17);
  font.setItalic(true);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const auto label = [&](int x, int y, const char* text) {
    painter.drawText(QRect(x - 8, y - 10, 16, 20), Qt::AlignCenter, QString::fromLatin1(text));
  };
  label((kFrontLeft + kFrontRight) / 2, kFrontBottom + 10, "a");          // front bottom edge
  label((back_tl.x() + back_tr.x()) / 2, back_tl.y() - 11, "a");          // back top edge
  label((front_tl.x() + back_tl.x()) / 2 - 7, (front_tl.y() + back_tl.y()) / 2 - 6, "b");  // top left
  label((front_br.x() + back_br.x()) / 2 + 8, (front_br.y() + back_br.y()) / 2 + 7, "b");  // bottom right
  label(kFrontLeft - 10, (kFrontTop + kFrontBottom) / 2, "c");            // left front edge
  label(back_tr.x() + 8, (back_tr.y() + back_br.y()) / 2, "c");           // right back edge
  painter.end();
  return image;
}

void PaintObliqueBox(QPainter& painter, const ObliqueBox& box, qreal visible_width,
                     qreal hidden_width) {
  const QPointF front_tl = box.front_top_left, front_br = box.front_bottom_right;
  const QPointF front_tr(front_br.x(), front_tl.y()), front_bl(front_tl.x(), front_br.y());
  const QPointF back_tl = front_tl + box.depth, back_tr = front_tr + box.depth;
  const QPointF back_bl = front_bl + box.depth, back_br = front_br + box.depth;
  painter.save();
  // Right side face in grey; front and top faces stay white.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(160, 160, 160));
  painter.drawPolygon(QPolygonF({front_tr, back_tr, back_br, front_br}));
  // Hidden edges, dashed.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, hidden_width, Qt::DashLine));
  painter.drawLine(back_tl, back_bl);
  painter.drawLine(back_bl, back_br);
  painter.drawLine(front_bl, back_bl);
  // Visible edges.
  painter.setPen(QPen(Qt::black, visible_width));
  painter.drawPolygon(QPolygonF({front_tl, front_tr, front_br, front_bl}));
  painter.drawLine(front_tl, back_tl);
  painter.drawLine(back_tl, back_tr);
  painter.drawLine(front_tr, back_tr);
  painter.drawLine(back_tr, back_br);
  painter.drawLine(front_br, back_br);
  painter.restore();
}

QImage DrawingAtOwnSize(QByteArrayView rgb) {
  constexpr int kBytesPerLine = kDrawingWidth * 3;
  if (rgb.size() != qsizetype{kBytesPerLine} * kDrawingHeight) return DrawBox(1);
  // The format a JPEG reader gives, in memory of its own.
  QImage image = QImage(reinterpret_cast<const uchar*>(rgb.data()), kDrawingWidth, kDrawingHeight,
                        kBytesPerLine, QImage::Format_RGB888)
                     .convertToFormat(QImage::Format_RGB32);
  image.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
  image.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
  return image;
}

}  // namespace prism
