// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/look/fonts.h"

#include <QFontInfo>

namespace prism {

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString WindowFontFamily() {
  // Asked for once by its name in the window's description, then by the name
  // of the family drawn for it: where the system lacks the family asked for,
  // Qt sorts every font the system has to find the one put in its place, and
  // does so again for each script the window's text meets.
  static const QString family =
      QFontInfo(QFont(QString::fromUtf8(kFontFamily), FontPointSize(kZoomSteps[0]), QFont::Normal))
          .family();
  return family;
}

QFont WindowFont(int zoom) { return QFont(WindowFontFamily(), FontPointSize(zoom), QFont::Normal); }

QFont ZoomedFont(QFont font, int zoom) {
  if (font.pointSizeF() > 0) {
    font.setPointSizeF(font.pointSizeF() * zoom / 100);
  } else if (font.pixelSize() > 0) {
    font.setPixelSize(Zoomed(font.pixelSize(), zoom));
  }
  return font;
}

}  // namespace prism
