// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/zoom/zoom_controller.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

#include "window/zoom/zoom.h"

namespace prism {
namespace {

// A window's frame moved, as little as it takes, into the screen's space.
QRect MovedInto(QRect frame, const QRect& space) {
  if (frame.right() > space.right()) frame.moveRight(space.right());
  if (frame.bottom() > space.bottom()) frame.moveBottom(space.bottom());
  if (frame.left() < space.left()) frame.moveLeft(space.left());
  if (frame.top() < space.top()) frame.moveTop(space.top());
  return frame;
}

// The menu's texts, with the keys that do the same.
constexpr char kZoomInCaption[] = "Увеличи";
constexpr char kZoomOutCaption[] = "Намали";
constexpr char kZoomResetCaption[] = "Нормален размер";

// Where the step is kept.
// Within the window's group of the settings.
constexpr char kStepKey[] = "step";
constexpr char kMaximisedKey[] = "maximised";

// The keys first that the menu shows, then the platform's own, then the
// keypad's; plus is a shifted key on most keyboards, and Ctrl+= is the same
// key unshifted.
QList<QKeySequence> Keys(QList<QKeySequence> first, QKeySequence::StandardKey standard,
                         QList<QKeySequence> then) {
  QList<QKeySequence> keys = std::move(first);
  for (const QKeySequence& key : QKeySequence::keyBindings(standard) + then) {
    if (!keys.contains(key)) keys.append(key);
  }
  return keys;
}

PixelSize ToPixelSize(QSize size) { return {size.width(), size.height()}; }

}  // namespace

ZoomController::ZoomController(QWidget* window, ShowStep show_step, ZoomLayout layout,
                               QSettings* settings)
    : window_(window), show_step_(std::move(show_step)), layout_(layout), settings_(settings) {
  const auto create = [this](const char* caption, const QList<QKeySequence>& keys, auto slot) {
    auto* action = new QAction(QString::fromUtf8(caption), window_);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    connect(action, &QAction::triggered, this, slot);
    window_->addAction(action);
    return action;
  };
  constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
  constexpr Qt::KeyboardModifiers kKeypadCtrl = Qt::ControlModifier | Qt::KeypadModifier;
  zoom_in_ = create(kZoomInCaption,
                    Keys({QKeySequence(kCtrl | Qt::Key_Plus), QKeySequence(kCtrl | Qt::Key_Equal)},
                         QKeySequence::ZoomIn, {QKeySequence(kKeypadCtrl | Qt::Key_Plus)}),
                    &ZoomController::ZoomIn);
  zoom_out_ = create(kZoomOutCaption,
                     Keys({QKeySequence(kCtrl | Qt::Key_Minus)}, QKeySequence::ZoomOut,
                          {QKeySequence(kKeypadCtrl | Qt::Key_Minus)}),
                     &ZoomController::ZoomOut);
  zoom_reset_ = create(kZoomResetCaption,
                       {QKeySequence(kCtrl | Qt::Key_0), QKeySequence(kKeypadCtrl | Qt::Key_0)},
                       [this] { SetStep(0); });
  // The wheel over any control, a scroll bar too, zooms the window: a list
  // would scroll, a read-only text would zoom its own font. The other
  // controls leave the wheel to the window. They are all made before this.
  window_->installEventFilter(this);
  for (QAbstractScrollArea* area : window_->findChildren<QAbstractScrollArea*>()) {
    area->viewport()->installEventFilter(this);
  }
  for (QScrollBar* bar : window_->findChildren<QScrollBar*>()) bar->installEventFilter(this);
  UpdateActions();
}

ZoomController::~ZoomController() = default;

QList<QAction*> ZoomController::actions() const { return {zoom_in_, zoom_out_, zoom_reset_}; }

// Maximised, within the window; otherwise, with the window's frame, within
// the screen's space for windows.
bool ZoomController::Fits(std::size_t step) const {
  if (step >= kZoomSteps.size()) return false;
  if (step == 0) return true;
  const qreal scale = window_->devicePixelRatioF();
  const PixelSize size = ZoomedSize(layout_.design, step);
  if (window_->isMaximized() || window_->isFullScreen()) {
    return !layout_.resize_chooses_step || SizeFits(size, ToPixelSize(window_->size()), scale);
  }
  const QScreen* screen = window_->screen();
  if (screen == nullptr) return true;
  const QSize frame = window_->frameGeometry().size() - window_->size();
  return SizeFits(size, ToPixelSize(screen->availableGeometry().size() - frame), scale);
}

void ZoomController::ZoomIn() {
  if (Fits(step_ + 1)) SetStep(step_ + 1);
}

void ZoomController::ZoomOut() {
  if (step_ > 0) SetStep(step_ - 1);
}

void ZoomController::SetStep(std::size_t step) {
  Choose(std::min(step, kZoomSteps.size() - 1));
  if (!window_->isMaximized() && !window_->isFullScreen()) {
    const PixelSize size = ZoomedSize(layout_.design, step_);
    window_->resize(size.width, size.height);
    KeepOnScreen();
  }
  UpdateActions();
}

void ZoomController::Choose(std::size_t step) {
  step_ = step;
  show_step_(step_);
  Save();
}

QString ZoomController::Key(const char* name) const {
  return QLatin1String(layout_.settings_group) + QLatin1Char('/') + QLatin1String(name);
}

std::optional<std::size_t> ZoomController::KeptStep() const {
  if (!settings_) return std::nullopt;
  bool is_step = false;
  const int stored = settings_->value(Key(kStepKey)).toInt(&is_step);
  if (!is_step || stored < 0 || stored >= static_cast<int>(kZoomSteps.size())) return std::nullopt;
  return static_cast<std::size_t>(stored);
}

void ZoomController::Restore() {
  if (!settings_) return;
  if (settings_->value(Key(kMaximisedKey)).toBool()) {
    window_->setWindowState(window_->windowState() | Qt::WindowMaximized);
  }
  const std::optional<std::size_t> kept = KeptStep();
  if (!kept || *kept == 0) return;
  std::size_t step = *kept;
  while (step > 0 && !Fits(step)) --step;
  SetStep(step);
}

void ZoomController::Save() const {
  if (!settings_) return;
  settings_->setValue(Key(kStepKey), static_cast<int>(step_));
  settings_->setValue(Key(kMaximisedKey), window_->isMaximized());
}

void ZoomController::UpdateActions() {
  zoom_in_->setEnabled(Fits(step_ + 1));
  zoom_out_->setEnabled(step_ > 0);
  zoom_reset_->setEnabled(step_ > 0);
}

// A window grown past the screen's edge moves back onto it, as far as it can.
void ZoomController::KeepOnScreen() {
  const QScreen* on = window_->screen();
  if (on == nullptr || !window_->isVisible()) return;
  const QRect frame = MovedInto(window_->frameGeometry(), on->availableGeometry());
  if (frame.topLeft() != window_->pos()) window_->move(frame.topLeft());
}

bool ZoomController::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Wheel: {
      auto* widget = qobject_cast<QWidget*>(watched);
      const auto* wheel = static_cast<QWheelEvent*>(event);
      if (widget == nullptr || !(wheel->modifiers() & Qt::ControlModifier)) {
        break;
      }
      wheel_delta_ += wheel->angleDelta().y();
      for (; wheel_delta_ >= QWheelEvent::DefaultDeltasPerStep;
           wheel_delta_ -= QWheelEvent::DefaultDeltasPerStep) {
        ZoomIn();
      }
      for (; wheel_delta_ <= -QWheelEvent::DefaultDeltasPerStep;
           wheel_delta_ += QWheelEvent::DefaultDeltasPerStep) {
        ZoomOut();
      }
      return true;
    }
    case QEvent::Resize:
      // Maximised, restored or made larger by its border: the largest step
      // that fits, centred; the window keeps the size it was given.
      if (watched == window_ && layout_.resize_chooses_step) {
        const qreal scale = window_->devicePixelRatioF();
        const std::size_t fitting =
            LargestStepThatFits(layout_.design,
                                ToPixelSize(static_cast<QResizeEvent*>(event)->size()), scale);
        if (fitting != step_) Choose(fitting);
        UpdateActions();
      }
      break;
    case QEvent::WindowStateChange:
    case QEvent::Show:
    case QEvent::ScreenChangeInternal:
      if (watched == window_) {
        UpdateActions();
        if (event->type() == QEvent::WindowStateChange) Save();
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace prism
