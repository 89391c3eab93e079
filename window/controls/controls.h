// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The few behaviours the window's controls need beyond what Qt's widgets do
// by themselves.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <string_view>

class QMenu;

namespace prism {

// A picture the user can tab to, with the style's focus frame around it
// while it has the focus. Shown at its own size on a normal screen, it is the
// stored picture; larger (at a zoom, or on a high-density screen), it is
// drawn anew at the size it is shown.
class PictureBox : public QLabel {
 public:
  using Drawing = QImage (*)(qreal scale);

  // Assistive technology sees it as an image, with its accessible name and
  // description.
  PictureBox(QPixmap at_own_size, Drawing draw, QWidget* parent = nullptr);

  void SetZoom(int zoom);
  // What is shown, in device pixels.
  const QPixmap& Picture() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap at_own_size_;
  Drawing draw_;
  int zoom_ = 100;
  mutable QPixmap drawn_;
  mutable qreal drawn_scale_ = 0;
};

// A single-selection list that always keeps one entry selected: no click,
// Ctrl+click or Ctrl+Space deselects the selected entry, and only the left
// button selects, so that a right or middle click empties no field.
class SelectionKeepingList : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
};

// A value field, whose context menu keeps the window's look. Entered by the
// keyboard or the program, or with Ctrl+A, it selects its whole text with
// the cursor at the start, so that a long number shows its first digits.
class ValueField : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

  void SelectFromTheStart();
  // Whether the whole text shows without scrolling.
  bool TextFits(const QString& text) const;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

// A text of the window the user reads, selects and copies, whose context menu
// keeps the window's look. Drawn in the window's one typeface (S₁ with a real
// subscript), and copied as it is written. A finger drawn over it scrolls it;
// a tap gives it the focus and the cursor.
class InfoText : public QPlainTextEdit {
 public:
  explicit InfoText(QWidget* parent = nullptr);

  // The text, laid out once the view shows, at the width it shows at: until
  // then the view has no size of its own, and would lay the text out at a
  // width no one sees and again when it shows.
  void SetText(const QString& text);
  // The text as it was written.
  const QString& WrittenText() const { return written_; }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;

 private:
  void Fill();

  QString written_;
  bool pending_ = false;
  // The finger on the text: where it last was, how far it has yet to move
  // for the next line, and whether it has moved beyond a tap.
  QPointF finger_;
  qreal unscrolled_ = 0;
  bool swiped_ = false;
};

}  // namespace prism
