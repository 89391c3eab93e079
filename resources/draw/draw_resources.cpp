// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the window's two images: the box beside the value fields and the
// window icon. Run it with the resources folder as argument to redraw
//   prism.jpg  130 x 182, baseline JPEG, 96 dpi, black, white and grey only:
//              the drawing the window shows at its own size
//   prism.rgb  the same JPEG's pixels as decoded, 3 bytes each, row after
//              row: what the window embeds, so that its start decodes nothing
//   icon-N.png N x N, 256 colours with a transparency mask: a hamburger,
//              at each size of kIconFiles, for the window, the desktop's
//              icon theme and software centres
//   icon-N.rgba the pixels that PNG decodes to, 4 bytes each (alpha not
//              premultiplied), row after row, for the sizes the window offers
//   icon.ico   every size in one file, for the Windows program file

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QBuffer>
#include <QFile>
#include <QVector>
#include <QtEndian>
#include <cstdio>

#include "window/page/box_drawing.h"
#include "prism/program_info.h"

namespace {

// The icon is drawn on a 32-pixel grid and scaled to the size asked for.
QImage DrawIcon(int size) {
  const qreal scale = size / 32.0;
  QImage image(size, size, QImage::Format_ARGB32);
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

template <typename T>
void Append(QByteArray& bytes, T value) {
  const T little = qToLittleEndian(value);
  bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// An icon file with one PNG image per size. Written here because Qt's icon
// writer puts a single image in a file; Windows reads PNG images in icon
// files, and needs them for 256 pixels.
bool SaveIconFile(const QList<QImage>& images, const QString& path) {
  QList<QByteArray> pngs;
  for (const QImage& image : images) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "png")) return false;
    pngs.append(png);
  }
  QByteArray file;
  Append<quint16>(file, 0);  // reserved
  Append<quint16>(file, 1);  // an icon, not a cursor
  Append<quint16>(file, static_cast<quint16>(images.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
  for (qsizetype i = 0; i < images.size(); ++i) {
    // 0 stands for 256 in the one-byte width and height.
    file.append(static_cast<char>(images[i].width() % 256));
    file.append(static_cast<char>(images[i].height() % 256));
    file.append('\0');  // no palette
    file.append('\0');  // reserved
    Append<quint16>(file, 1);   // colour planes
    Append<quint16>(file, 32);  // bits per pixel
    Append<quint32>(file, static_cast<quint32>(pngs[i].size()));
    Append<quint32>(file, offset);
    offset += static_cast<quint32>(pngs[i].size());
  }
  for (const QByteArray& png : pngs) file.append(png);
  QFile out(path);
  if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

// The image's pixels alone, in a format of 8-bit channels (red, green, blue
// and, if it has one, alpha), row after row.
bool SavePixels(const QImage& image, QImage::Format format, const QString& path) {
  const QImage converted = image.convertToFormat(format);
  QFile out(path);
  if (converted.isNull() || !out.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  const qsizetype row_bytes = qsizetype{converted.width()} * converted.depth() / 8;
  bool ok = true;
  for (int y = 0; y < converted.height() && ok; ++y) {
    ok = out.write(reinterpret_cast<const char*>(converted.constScanLine(y)), row_bytes) == row_bytes;
  }
  if (!ok) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s RESOURCES-FOLDER\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QString jpeg = folder + QStringLiteral("/prism.jpg");
  bool ok = Save(prism::DrawBox(1), jpeg, "jpeg") &&
            SavePixels(QImage(jpeg), QImage::Format_RGB888, folder + QStringLiteral("/prism.rgb"));
  QList<QImage> icons;
  for (const prism::IconFile& file : prism::kIconFiles) {
    const QImage icon = DrawIcon(file.size);
    const QString png = folder + QLatin1Char('/') + QString::fromUtf8(file.name);
    ok = ok && Save(icon, png, "png");
    if (file.pixels != nullptr) {
      ok = ok && SavePixels(QImage(png), QImage::Format_RGBA8888,
                            folder + QLatin1Char('/') + QString::fromUtf8(file.pixels));
    }
    icons.append(icon.convertToFormat(QImage::Format_ARGB32));
  }
  return ok && SaveIconFile(icons, folder + QStringLiteral("/icon.ico")) ? 0 : 1;
}
