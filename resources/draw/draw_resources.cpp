// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the window's two images: the box beside the value fields and the
// window icon. Run it with the resources folder as argument to redraw
//   prism.jpg  130 x 182, baseline JPEG, 96 dpi, black, white and grey only
//   icon.png   32 x 32, 256 colours with a transparency mask: a hamburger
//   icon.ico   the same icon for the Windows program file
//   icon-64.png, icon-128.png  the same icon, larger, for software centres

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QVector>
#include <cstdio>

namespace {

constexpr int kDotsPerMetreAt96Dpi = 3780;  // 96 / 0.0254

// The box in oblique view: the front face, and the same face moved back by
// the receding offset.
constexpr int kFrontLeft = 20, kFrontRight = 85, kFrontTop = 52, kFrontBottom = 164;
constexpr int kDepthX = 30, kDepthY = -30;

QImage DrawPrism() {
  QImage image(130, 182, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
  image.setDotsPerMeterY(kDotsPerMetreAt96Dpi);

  const QPoint front_tl(kFrontLeft, kFrontTop), front_tr(kFrontRight, kFrontTop);
  const QPoint front_bl(kFrontLeft, kFrontBottom), front_br(kFrontRight, kFrontBottom);
  const QPoint depth(kDepthX, kDepthY);
  const QPoint back_tl = front_tl + depth, back_tr = front_tr + depth;
  const QPoint back_bl = front_bl + depth, back_br = front_br + depth;

  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);

  // Right side face in grey; front and top faces stay white.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(160, 160, 160));
  painter.drawPolygon(QPolygon({front_tr, back_tr, back_br, front_br}));

  // Hidden edges, dashed.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
  painter.drawLine(back_tl, back_bl);
  painter.drawLine(back_bl, back_br);
  painter.drawLine(front_bl, back_bl);

  // Visible edges.
  painter.setPen(QPen(Qt::black, 2));
  painter.drawPolygon(QPolygon({front_tl, front_tr, front_br, front_bl}));
  painter.drawLine(front_tl, back_tl);
  painter.drawLine(back_tl, back_tr);
  painter.drawLine(front_tr, back_tr);
  painter.drawLine(back_tr, back_br);
  painter.drawLine(front_br, back_br);

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

// The icon is drawn on a 32-pixel grid; scale draws it that many times larger.
QImage DrawIcon(int scale = 1) {
  QImage image(32 * scale, 32 * scale, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.scale(scale, scale);
  // Hard edges: the icon carries a one-bit transparency mask, not soft alpha.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);

  const QColor bun(214, 140, 48), bun_dark(150, 86, 22), seed(250, 236, 190);
  const QColor lettuce(60, 170, 40), cheese(250, 200, 30), patty(100, 52, 24), tomato(215, 40, 30);

  // Top bun: a dome with seeds.
  painter.setBrush(bun_dark);
  painter.drawChord(QRect(2, 3, 28, 20), 0, 180 * 16);
  painter.setBrush(bun);
  painter.drawChord(QRect(3, 4, 26, 18), 0, 180 * 16);
  painter.setBrush(seed);
  for (QPoint p : {QPoint(9, 7), QPoint(15, 6), QPoint(21, 7), QPoint(12, 10), QPoint(19, 10)}) {
    painter.drawRect(QRect(p, QSize(2, 1)));
  }
  // Lettuce, wavy.
  painter.setBrush(lettuce);
  painter.drawRect(QRect(2, 13, 28, 2));
  for (int x = 2; x < 30; x += 4) painter.drawRect(QRect(x, 15, 2, 1));
  // Tomato and cheese.
  painter.setBrush(tomato);
  painter.drawRect(QRect(3, 16, 26, 2));
  painter.setBrush(cheese);
  painter.drawPolygon(QPolygon({QPoint(2, 18), QPoint(30, 18), QPoint(27, 21), QPoint(5, 21)}));
  // Patty.
  painter.setBrush(patty);
  painter.drawRoundedRect(QRect(2, 19, 28, 5), 2, 2);
  // Bottom bun.
  painter.setBrush(bun_dark);
  painter.drawRoundedRect(QRect(3, 24, 26, 6), 3, 3);
  painter.setBrush(bun);
  painter.drawRect(QRect(4, 25, 24, 3));
  painter.end();

  // Every pixel is either fully drawn or fully transparent.
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QColor c = image.pixelColor(x, y);
      c.setAlpha(c.alpha() < 128 ? 0 : 255);
      image.setPixelColor(x, y, c);
    }
  }
  return image.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither | Qt::ThresholdDither | Qt::ThresholdAlphaDither);
}

bool Save(const QImage& image, const QString& path, const char* format) {
  QImageWriter writer(path, format);
  if (QByteArray(format) == "jpeg") {
    writer.setQuality(92);
    writer.setProgressiveScanWrite(false);
  }
  if (!writer.write(image)) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s RESOURCES-FOLDER\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QImage icon = DrawIcon();
  const bool ok = Save(DrawPrism(), folder + QStringLiteral("/prism.jpg"), "jpeg") &&
                  Save(icon, folder + QStringLiteral("/icon.png"), "png") &&
                  Save(icon.convertToFormat(QImage::Format_ARGB32), folder + QStringLiteral("/icon.ico"), "ico") &&
                  Save(DrawIcon(2), folder + QStringLiteral("/icon-64.png"), "png") &&
                  Save(DrawIcon(4), folder + QStringLiteral("/icon-128.png"), "png");
  return ok ? 0 : 1;
}
