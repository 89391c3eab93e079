// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The few behaviours the window's controls need beyond what Qt's widgets do
// by themselves.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QValidator>
#include <string_view>

class QMenu;

namespace prism {

class WindowModel;

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

// The font at a zoom, whether its size is in points or in pixels.
QFont ZoomedFont(QFont font, int zoom);

// The family the window's text is drawn in: the window's font family where the
// system has it, else the family the system puts in its place.
QString WindowFontFamily();

// The window's font at a zoom, which every control takes.
QFont WindowFont(int zoom);

// A text of the program's tables, which are UTF-8.
QString Text(std::string_view utf8);

// A window's frame moved, as little as it takes, into the screen's space.
QRect MovedInto(QRect frame, const QRect& space);

// Shows a control's standard context menu in the colours of the window it
// belongs to and without the desktop theme's icons: a menu is a window of its
// own, and would take the theme's look. As large as the window is zoomed.
void ShowPlainMenu(const QWidget* owner, QMenu* menu, const QPoint& global_position, int zoom);

// The zoom a control is drawn at: its style's, 100 where it has no classic one.
int StyleZoom(const QWidget* control);

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
// keeps the window's look. A finger drawn over it scrolls it; a tap gives it
// the focus and the cursor.
class InfoText : public QPlainTextEdit {
 public:
  explicit InfoText(QWidget* parent = nullptr);

  // The text, laid out once the view shows, at the width it shows at: until
  // then the view has no size of its own, and would lay the text out at a
  // width no one sees and again when it shows.
  void SetText(const QString& text);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  QString pending_;
  // The finger on the text: where it last was, how far it has yet to move
  // for the next line, and whether it has moved beyond a tap.
  QPointF finger_;
  qreal unscrolled_ = 0;
  bool swiped_ = false;
};

// Asks the model, before a keystroke or paste changes a value field, what the
// field may hold after it. An edit the model refuses is undone, and stands
// as the model's refusal: the field then reports the input rejected, and the
// window shows the hint. Text the program sets is never refused.
class TypingValidator : public QValidator {
 public:
  TypingValidator(WindowModel& model, int field, QObject* parent)
      : QValidator(parent), model_(model), field_(field) {}

  State validate(QString& input, int& cursor) const override;

 private:
  WindowModel& model_;
  int field_;
};

}  // namespace prism
