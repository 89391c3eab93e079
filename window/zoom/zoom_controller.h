// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The zoom of one window: its commands and keys, Ctrl with the mouse wheel
// over any of its controls, the steps that fit its screen, and the step kept
// between starts. The window shows a step through the function it gives;
// only a zoom command resizes the window, a resize only chooses the step.

#include <QObject>
#include <QPointer>
#include <cstddef>
#include <functional>
#include <optional>

#include "window/zoom/zoom.h"

class QAction;
class QSettings;
class QWidget;

namespace prism {

// What a window's zoom sizes: its inside at 100 %, and whether a resize
// chooses the step (the main window's, whose controls stand where the
// design puts them) or leaves it (a window whose text takes any room).
struct ZoomLayout {
  PixelSize design;
  bool resize_chooses_step = true;
  // The group of the settings its step is kept under, one a window.
  const char* settings_group = "zoom";
};

class ZoomController : public QObject {
 public:
  using ShowStep = std::function<void(std::size_t step)>;

  // settings, where given, keeps the step and whether the window was
  // maximised; it must outlive the controller.
  ZoomController(QWidget* window, ShowStep show_step, ZoomLayout layout,
                 QSettings* settings = nullptr);
  ~ZoomController() override;

  std::size_t step() const { return step_; }
  // Enlarge, make smaller, normal size: for the window's menu.
  QList<QAction*> actions() const;

  void ZoomIn();
  void ZoomOut();
  // Shows the step, the window resized to it unless maximised, kept on screen.
  void SetStep(std::size_t step);
  // At start: the kept step, or the largest that fits where it no longer
  // does; maximised where the window was. A value that is no step is ignored.
  void Restore();
  // The step kept between starts, where one is.
  std::optional<std::size_t> KeptStep() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Fits(std::size_t step) const;
  void Choose(std::size_t step);
  void UpdateActions();
  void KeepOnScreen();
  void Save() const;
  QString Key(const char* name) const;

  QWidget* window_;
  ShowStep show_step_;
  ZoomLayout layout_;
  QPointer<QSettings> settings_;
  std::size_t step_ = 0;
  int wheel_delta_ = 0;  // of the mouse wheel with Ctrl, not yet a whole step
  QAction* zoom_in_ = nullptr;
  QAction* zoom_out_ = nullptr;
  QAction* zoom_reset_ = nullptr;
};

}  // namespace prism
