// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's one window. It lays out the controls, copies the window
// model's state onto them after every event and forwards the events; what
// an event does is the model's business.

#include <QFont>
#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "solver/field_number.h"
#include "window/form_layout.h"
#include "window/window_model.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStyle;

namespace prism {

class PictureBox;

class Dravik : public QWidget {
  Q_OBJECT

 public:
  explicit Dravik(NumberFormat format = {}, QWidget* parent = nullptr);
  ~Dravik() override;

  // The window's load event: runs once, before the window is shown.
  void Load();

  const WindowModel& model() const { return model_; }

  // The zoom: one of kZoomSteps, by its index. ZoomIn and ZoomOut take the
  // next step where the window still fits the screen (or, maximised, itself);
  // ShowZoomStep shows any step.
  std::size_t zoom_step() const { return zoom_step_; }
  void ZoomIn();
  void ZoomOut();
  void ShowZoomStep(std::size_t step);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  QWidget* CreateControl(const ControlLayout& entry);
  void CreateZoomActions();
  void PlaceControls();
  bool StepFits(std::size_t step) const;
  void KeepOnScreen();
  bool ZoomWithWheel(const QWheelEvent* event);
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
  PictureBox* picture_ = nullptr;
  // Every control with its row of the layout table, in the table's order.
  std::vector<std::pair<const ControlLayout*, QWidget*>> controls_;
  QStyle* classic_style_ = nullptr;  // draws every control, at the zoom
  std::size_t zoom_step_ = 0;
  QFont tooltip_font_;  // at 100 %
  int wheel_delta_ = 0;  // of the mouse wheel with Ctrl, not yet a whole step
  // The zoom's commands, in the window's menu and as its shortcuts.
  QAction* zoom_in_ = nullptr;
  QAction* zoom_out_ = nullptr;
  QAction* zoom_reset_ = nullptr;
};

}  // namespace prism
