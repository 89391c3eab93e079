// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An icon drawn at several sizes, one file each, read only when a size is
// asked for and kept once read. Qt's own engine reads and probes every file
// as it is added, which cost the window more at start-up than all of its
// controls' texts; a window system asks for one or two sizes.

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
    QString path;
    QPixmap read{};  // once asked for: on X11 Qt converts every size twice as a window is made
  };

  // Files of PNG images, by their size.
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

// The largest icon the window offers the window system. On X11 Qt converts
// every offered size into the window's icon property before the first paint;
// a title bar, a task switcher and a taskbar draw 16 to 64 pixels (a 32-pixel
// title-bar icon at 200 % takes the 64-pixel file), and docks and launchers
// take the larger sizes from the installed icon theme.
inline constexpr int kLargestWindowIcon = 64;

// The window's icon: the program's icon files up to kLargestWindowIcon.
QIcon WindowIcon();

}  // namespace prism
