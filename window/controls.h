// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The few behaviours the window's controls need beyond what Qt's widgets do
// by themselves.

#include <QLabel>
#include <QListWidget>
#include <QValidator>

namespace prism {

class WindowModel;

// A picture the user can tab to, with the style's focus frame around it
// while it has the focus.
class PictureBox : public QLabel {
 public:
  explicit PictureBox(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A single-selection list that always keeps one entry selected: no click,
// Ctrl+click or Ctrl+Space deselects the selected entry.
class SelectionKeepingList : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
};

// Asks the model, before a keystroke or paste changes a value field, what the
// field may hold after it; text the program sets is never validated.
class TypingValidator : public QValidator {
 public:
  TypingValidator(const WindowModel& model, int field, QObject* parent)
      : QValidator(parent), model_(model), field_(field) {}

  State validate(QString& input, int& cursor) const override;

 private:
  const WindowModel& model_;
  int field_;
};

}  // namespace prism
