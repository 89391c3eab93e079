#pragma once

// The program's one window. It lays out the controls, copies the window
// model's state onto them after every event and forwards the events; what
// an event does is the model's business.

#include <QWidget>
#include <array>

#include "solver/field_number.h"
#include "window/window_model.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStyle;

namespace prism {

struct ControlLayout;

class Dravik : public QWidget {
  Q_OBJECT

 public:
  explicit Dravik(NumberFormat format = {}, QWidget* parent = nullptr);

  // The window's load event: runs once, before the window is shown.
  void Load();

  const WindowModel& model() const { return model_; }

 private:
  void CreateControls();
  QWidget* CreateControl(const ControlLayout& entry);
  void SetTabOrder();
  void ConnectEvents();
  void ShowModelState();

  WindowModel model_;
  std::array<QLineEdit*, kQuantityCount> text2_{};
  std::array<QCheckBox*, kQuantityCount> check1_{};
  std::array<QPushButton*, 2> command1_{};
  std::array<QPlainTextEdit*, 2> text1_{};
  QListWidget* list1_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QStyle* button_style_ = nullptr;  // draws the two buttons in their colours
};

}  // namespace prism
