// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/controls.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

#include "window/window_model.h"

namespace prism {

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }

void PictureBox::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
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

QValidator::State TypingValidator::validate(QString& input, int& cursor) const {
  const std::optional<TypedEdit> fitted = model_.FitTyping(field_, input.toStdString());
  if (!fitted) return Invalid;
  const QString text = QString::fromStdString(fitted->text);
  if (text != input) {
    input = text;
    cursor = static_cast<int>(
        QString::fromUtf8(fitted->text.data(), static_cast<qsizetype>(fitted->cursor)).size());
  }
  return Acceptable;
}

}  // namespace prism
