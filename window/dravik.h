// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's one window. It lays out the controls, copies the window
// model's state onto them after every event and forwards the events; what
// an event does is the model's business.

#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "solver/field_number.h"
#include "window/form_layout.h"
#include "window/window_model.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStyle;

namespace prism {

class Dravik : public QWidget {
  Q_OBJECT

 public:
  explicit Dravik(NumberFormat format = {}, QWidget* parent = nullptr);
  ~Dravik() override;

  // The window's load event: runs once, before the window is shown.
  void Load();

  const WindowModel& model() const { return model_; }

 private:
  void CreateControls();
  QWidget* CreateControl(const ControlLayout& entry);
  void SetTabOrder();
  void ConnectEvents();
  void PressButton(int index);
  void ShowModelState();
  void ShowReaction(const Reaction& reaction);

  WindowModel model_;
  std::array<QLineEdit*, ArraySize(ControlKind::kTextBox)> text2_{};
  std::array<QCheckBox*, ArraySize(ControlKind::kCheckBox)> check1_{};
  std::array<QPushButton*, ArraySize(ControlKind::kButton)> command1_{};
  std::array<QPlainTextEdit*, ArraySize(ControlKind::kInfoText)> text1_{};
  QListWidget* list1_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  // Every control with its row of the layout table, in the table's order.
  std::vector<std::pair<const ControlLayout*, QWidget*>> controls_;
  QStyle* classic_style_ = nullptr;  // draws the buttons, the frame and the list
};

}  // namespace prism
