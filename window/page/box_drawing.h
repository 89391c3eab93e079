// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The drawing of the box beside the value fields, drawn at any size: the
// resources' 130 x 182 picture is this drawing at scale 1, and the window
// draws it anew wherever it is shown larger, on a zoomed window or a
// high-density screen, rather than blowing up the picture's pixels.

#include <QByteArrayView>
#include <QImage>
#include <QPointF>

class QPainter;

namespace prism {

inline constexpr int kDrawingWidth = 130;
inline constexpr int kDrawingHeight = 182;

// The drawing at scale times its size, in pixels, rounded up.
QImage DrawBox(qreal scale);

// The picture the window shows at the drawing's own size, from its stored
// pixels: the resources' JPEG as decoded, 3 bytes a pixel (red, green,
// blue), row after row. Kept decoded, the start loads no image reader and
// decodes nothing. Drawn anew where the pixels are not that many.
QImage DrawingAtOwnSize(QByteArrayView rgb);

// A box in oblique view, from the corners of its front face and the offset
// of its back face: the right side face grey, the hidden edges dashed, the
// visible ones solid.
struct ObliqueBox {
  QPointF front_top_left, front_bottom_right, depth;
};
void PaintObliqueBox(QPainter& painter, const ObliqueBox& box, qreal visible_width,
                     qreal hidden_width);

}  // namespace prism
