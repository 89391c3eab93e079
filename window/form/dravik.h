// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's one window. It lays out the controls, copies the window
// model's state onto them after every event and forwards the events; what
// an event does is the model's business.

#include <QFont>
#include <QPalette>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "solver/field_number.h"
#include "window/form/form_layout.h"
#include "window/model/window_model.h"
#include "window/zoom/zoom_controller.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSettings;
class QStyle;

namespace prism {

class InfoText;
class PictureBox;
class SolutionWindow;
class ValueField;

class Dravik : public QWidget {
  Q_OBJECT

 public:
  // settings, where given, keeps the zoom between starts; it must outlive
  // the window.
  explicit Dravik(NumberFormat format = {}, QSettings* settings = nullptr,
                  QWidget* parent = nullptr);
  ~Dravik() override;

  // The window's load event: runs once, before the window is shown.
  void Load();

  const WindowModel& model() const { return model_; }

  // The zoom: one of kZoomSteps, by its index.
  ZoomController& zoom() { return *zoom_; }
  std::size_t zoom_step() const { return zoom_ ? zoom_->step() : 0; }

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateControls();
  QWidget* CreateControl(const ControlLayout& entry);
  // Every control at the step's style, font, margins, place and size; the
  // hint and tooltips shown again at it.
  void ApplyZoom(std::size_t step);
  void PlaceControls();
  void SetTabOrder();
  void ConnectEvents();
  void PressButton(int index);
  void ShowModelState();
  void ShowReaction(const Reaction& reaction);
  void ShowHint(const Reaction& reaction);
  // The window's menu: the worked solution, then the zoom.
  void ShowMenu(const QPoint& global_position);
  void OpenSolution();
  // The window "Задача", where a problem is written as in the notebook.
  void OpenProblem();

  WindowModel model_;
  std::array<ValueField*, ArraySize(ControlKind::kTextBox)> fields_{};
  std::array<QCheckBox*, ArraySize(ControlKind::kCheckBox)> marks_{};
  std::array<QPushButton*, ArraySize(ControlKind::kButton)> buttons_{};
  std::array<InfoText*, ArraySize(ControlKind::kInfoText)> texts_{};
  QListWidget* list_ = nullptr;
  QGroupBox* frame_ = nullptr;
  PictureBox* picture_ = nullptr;
  // Every control with its row of the layout table, in the table's order.
  std::vector<std::pair<const ControlLayout*, QWidget*>> controls_;
  // Draws every control at a zoom; none at 100 %, where the application's does.
  QStyle* classic_style_ = nullptr;
  // The tooltips' look, the application's, as it was before the window.
  QFont tooltip_font_;
  QPalette tooltip_palette_;
  // Made once the controls are, whose wheel it watches.
  std::optional<ZoomController> zoom_;
  QAction* solution_action_ = nullptr;
  QAction* problem_action_ = nullptr;
  // Made the first time the user opens it.
  SolutionWindow* solution_ = nullptr;
  SolutionWindow* problem_ = nullptr;
  QSettings* settings_ = nullptr;  // the program's, or none
  // A finger on the window's background, where, and whether it has not
  // moved: held long enough once the timer has run out.
  QTimer press_and_hold_;
  QPoint held_at_;
  bool holding_ = false;
};

}  // namespace prism
