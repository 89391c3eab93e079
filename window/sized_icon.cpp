// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/sized_icon.h"

#include <QImageReader>
#include <QPainter>
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
  if (file.read.isNull()) {
    // By Qt's own PNG reader alone: left to find a reader, Qt loads every
    // image plugin and asks each of them first.
    QImageReader reader(file.path, "png");
    reader.setAutoDetectImageFormat(false);
    file.read = QPixmap::fromImage(reader.read());
  }
  const QPixmap& read = file.read;
  // Never blown up: a smaller one is given as it is, a larger one scaled down.
  if (read.isNull() || (read.width() <= size.width() && read.height() <= size.height())) return read;
  return read.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
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

static_assert(std::ranges::any_of(kIconFiles,
                                  [](const IconFile& file) { return file.size == kLargestWindowIcon; }),
              "the window's largest icon is one of the drawn sizes");

QIcon WindowIcon() {
  std::vector<SizedIconEngine::File> icons;
  for (const IconFile& file : kIconFiles) {
    if (file.size <= kLargestWindowIcon) {
      icons.push_back({file.size, QStringLiteral(":/") + QString::fromUtf8(file.name)});
    }
  }
  return QIcon(new SizedIconEngine(std::move(icons)));
}

}  // namespace prism
