// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An icon drawn at several sizes, the pixels of each stored apart, made into
// an image only when its size is asked for and kept once made. Qt's own
// engine reads and probes every file as it is added; and any read of an
// image file makes Qt look through its image plugins first, which a window
// system's one or two sizes are not worth at start-up.

#include <QIcon>
#include <QIconEngine>
#include <QPixmap>
#include <QString>
#include <vector>

namespace prism {

class SizedIconEngine : public QIconEngine {
 public:
  struct File {
    int size;  // width and height in pixels
    QString resource;  // its pixels: 8-bit red, green, blue and alpha, row after row
    QPixmap made{};  // once asked for: on X11 Qt converts every size twice as a window is made
  };

  explicit SizedIconEngine(std::vector<File> files);

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
  QIconEngine* clone() const override;
  QString key() const override;

 private:
  // The smallest file at least as large as asked for, or else the largest.
  const File& Nearest(const QSize& size) const;
  File& Nearest(const QSize& size);

  std::vector<File> files_;
};

// The window's icon: the sizes of the program's icon whose pixels the window
// embeds, the sizes a title bar and a task switcher draw.
QIcon WindowIcon();

}  // namespace prism
