// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form/sized_icon.h"

#include <QImage>
#include <QPainter>
#include <QResource>
#include <algorithm>
#include <utility>

#include "prism/program_info.h"

namespace prism {

SizedIconEngine::SizedIconEngine(std::vector<File> files) : files_(std::move(files)) {
  std::sort(files_.begin(), files_.end(),
            [](const File& x, const File& y) { return x.size < y.size; });
}

const SizedIconEngine::File& SizedIconEngine::Nearest(const QSize& size) const {
  const int wanted = std::max(size.width(), size.height());
  const auto found = std::find_if(files_.begin(), files_.end(),
                                  [wanted](const File& file) { return file.size >= wanted; });
  return found != files_.end() ? *found : files_.back();
}

SizedIconEngine::File& SizedIconEngine::Nearest(const QSize& size) {
  return const_cast<File&>(std::as_const(*this).Nearest(size));
}

QPixmap SizedIconEngine::pixmap(const QSize& size, QIcon::Mode, QIcon::State) {
  if (files_.empty() || size.isEmpty()) return {};
  File& file = Nearest(size);
  if (file.made.isNull()) {
    const QByteArray pixels = QResource(file.resource).uncompressedData();
    const qsizetype row_bytes = qsizetype{file.size} * 4;
    if (pixels.size() != row_bytes * file.size) return {};
    file.made = QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(pixels.constData()), file.size,
                                          file.size, row_bytes, QImage::Format_RGBA8888));
  }
  const QPixmap& made = file.made;
  // Never blown up: a smaller one is given as it is, a larger one scaled down.
  if (made.width() <= size.width() && made.height() <= size.height()) return made;
  return made.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void SizedIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                            QIcon::State state) {
  const qreal ratio = painter->device()->devicePixelRatioF();
  QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
  drawn.setDevicePixelRatio(ratio);
  painter->drawPixmap(rect.topLeft(), drawn);
}

QSize SizedIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
  if (files_.empty()) return {};
  const int largest = std::min({Nearest(size).size, size.width(), size.height()});
  return QSize(largest, largest);
}

QList<QSize> SizedIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
  QList<QSize> sizes;
  for (const File& file : files_) sizes.append(QSize(file.size, file.size));
  return sizes;
}

QIconEngine* SizedIconEngine::clone() const { return new SizedIconEngine(*this); }

QString SizedIconEngine::key() const { return QStringLiteral("prism-sized"); }

QIcon WindowIcon() {
  std::vector<SizedIconEngine::File> icons;
  for (const IconFile& file : kIconFiles) {
    if (file.pixels != nullptr) {
      icons.push_back({file.size, QStringLiteral(":/") + QString::fromUtf8(file.pixels)});
    }
  }
  return QIcon(new SizedIconEngine(std::move(icons)));
}

}  // namespace prism
