// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/controls/controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>
#include <QTouchEvent>

#include "window/look/classic_style.h"
#include "window/look/fonts.h"
#include "window/look/plain_menu.h"
#include "window/look/typeset_text.h"
#include "window/zoom/zoom.h"

namespace prism {
namespace {

bool IsLeftButtonEvent(const QMouseEvent* event) {
  return event->button() == Qt::LeftButton ||
         (event->button() == Qt::NoButton && (event->buttons() & Qt::LeftButton));
}

QAccessibleInterface* PictureAccessibility(const QString& /*class_name*/, QObject* object) {
  auto* picture = dynamic_cast<PictureBox*>(object);
  if (picture == nullptr) return nullptr;
  // A label without a pixmap is plain text to a screen reader; the box is
  // painted, not set as a pixmap.
  return new QAccessibleWidget(picture, QAccessible::Graphic);
}

}  // namespace

// The frame's width at 100 %.
constexpr int kPictureFrameWidth = 2;

PictureBox::PictureBox(QPixmap at_own_size, Drawing draw, QWidget* parent)
    : QLabel(parent), at_own_size_(std::move(at_own_size)), draw_(draw) {
  setFocusPolicy(Qt::StrongFocus);
  setLineWidth(kPictureFrameWidth);
  static const bool installed = [] {
    QAccessible::installFactory(&PictureAccessibility);
    return true;
  }();
  (void)installed;
}

void PictureBox::SetZoom(int zoom) {
  zoom_ = zoom;
  setLineWidth(Zoomed(kPictureFrameWidth, zoom));
  update();
}

const QPixmap& PictureBox::Picture() const {
  const qreal ratio = devicePixelRatioF();
  const qreal scale = zoom_ / 100.0 * ratio;
  if (scale == 1) return at_own_size_;
  // Drawn again only when the zoom or the screen changed.
  if (drawn_scale_ != scale) {
    drawn_ = QPixmap::fromImage(draw_(scale));
    drawn_.setDevicePixelRatio(ratio);
    drawn_scale_ = scale;
  }
  return drawn_;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  QPainter painter(this);
  painter.drawPixmap(contentsRect().topLeft(), Picture());
  if (!hasFocus()) return;
  QStyleOptionFocusRect focus;
  focus.initFrom(this);
  focus.rect = contentsRect();
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

QItemSelectionModel::SelectionFlags SelectionKeepingList::selectionCommand(
    const QModelIndex& index, const QEvent* event) const {
  QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
    return QItemSelectionModel::ClearAndSelect;
  }
  return command;
}

// The view moves its current entry on a press of any button; only the left
// one may change the combination.
void SelectionKeepingList::mousePressEvent(QMouseEvent* event) {
  if (IsLeftButtonEvent(event)) QListWidget::mousePressEvent(event);
}
void SelectionKeepingList::mouseReleaseEvent(QMouseEvent* event) {
  if (IsLeftButtonEvent(event)) QListWidget::mouseReleaseEvent(event);
}
void SelectionKeepingList::mouseDoubleClickEvent(QMouseEvent* event) {
  if (IsLeftButtonEvent(event)) QListWidget::mouseDoubleClickEvent(event);
}
void SelectionKeepingList::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton || IsLeftButtonEvent(event)) {
    QListWidget::mouseMoveEvent(event);
  }
}

void ValueField::contextMenuEvent(QContextMenuEvent* event) {
  ShowPlainMenu(this, createStandardContextMenu(), event->globalPos(), StyleZoom(this));
}

void ValueField::SelectFromTheStart() {
  const auto length = static_cast<int>(text().size());
  setSelection(length, -length);
}

bool ValueField::TextFits(const QString& text) const {
  QStyleOptionFrame frame;
  frame.initFrom(this);
  frame.rect = rect();
  frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
  const QRect contents =
      style()->subElementRect(QStyle::SE_LineEditContents, &frame, this).marginsRemoved(textMargins());
  // The line edit keeps a further two pixels free on either side.
  return fontMetrics().horizontalAdvance(text) <= contents.width() - 4;
}

void ValueField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // The line edit selects all with the cursor at the end, and scrolls there.
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
      reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason) {
    SelectFromTheStart();
  }
}

void ValueField::keyPressEvent(QKeyEvent* event) {
  if (event == QKeySequence::SelectAll) {
    SelectFromTheStart();
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

InfoText::InfoText(QWidget* parent) : QPlainTextEdit(parent) {
  viewport()->setAttribute(Qt::WA_AcceptTouchEvents);
}

bool InfoText::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
      const auto* touch = static_cast<QTouchEvent*>(event);
      const QPointF at = touch->points().front().position();
      if (event->type() == QEvent::TouchBegin) {
        finger_ = at;
        unscrolled_ = 0;
        swiped_ = false;
      } else if (event->type() == QEvent::TouchUpdate) {
        const QPointF moved = at - finger_;
        swiped_ = swiped_ || moved.manhattanLength() >
                                 QGuiApplication::styleHints()->startDragDistance();
        if (swiped_) {
          // The text follows the finger, a line at a time, as its scroll bar counts.
          unscrolled_ += moved.y();
          finger_ = at;
          const qreal line = fontMetrics().lineSpacing();
          const auto lines = static_cast<int>(unscrolled_ / line);
          unscrolled_ -= lines * line;
          verticalScrollBar()->setValue(verticalScrollBar()->value() - lines);
        }
      } else if (!swiped_) {
        setFocus(Qt::MouseFocusReason);
        setTextCursor(cursorForPosition(at.toPoint()));
      }
      event->accept();
      return true;
    }
    case QEvent::TouchCancel:
      return true;
    default:
      return QPlainTextEdit::viewportEvent(event);
  }
}

void InfoText::SetText(const QString& text) {
  written_ = text;
  pending_ = !isVisible();
  if (!pending_) Fill();
}

void InfoText::showEvent(QShowEvent* event) {
  QPlainTextEdit::showEvent(event);
  if (!pending_) return;
  pending_ = false;
  Fill();
}

void InfoText::Fill() {
  if (NeedsTypesetting(written_)) {
    SetTypesetDocument(*document(), written_);
    // The cursor at the start, as a plain text puts it: at the end, the
    // first focus would lay the whole text out to find it.
    moveCursor(QTextCursor::Start);
  } else {
    setPlainText(written_);
  }
}

QMimeData* InfoText::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  data->setText(WrittenSelection(textCursor()));
  return data;
}

void InfoText::contextMenuEvent(QContextMenuEvent* event) {
  ShowPlainMenu(this, createStandardContextMenu(event->pos()), event->globalPos(),
                StyleZoom(this));
}

}  // namespace prism
