// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/dravik.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "prism/program_info.h"
#include "window/box_drawing.h"
#include "window/classic_style.h"
#include "window/controls.h"
#include "window/embedded_resources.h"
#include "window/form_layout.h"
#include "window/sized_icon.h"

namespace prism {
namespace {

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString ObjectName(const ControlLayout& entry) {
  QString name = Text(entry.name);
  if (entry.index >= 0) name += QStringLiteral("(%1)").arg(entry.index);
  return name;
}

QRect ToQRect(PixelRect rect) { return QRect(rect.left, rect.top, rect.width, rect.height); }
QSize ToQSize(PixelSize size) { return QSize(size.width, size.height); }
PixelSize ToPixelSize(QSize size) { return {size.width(), size.height()}; }

// Qt's margin around a text's document, at 100 %.
constexpr int kDocumentMargin = 4;

// The mouse wheel's angle for one notch.
constexpr int kWheelStep = 120;

// The menu's texts, with the keys that do the same.
constexpr std::string_view kZoomInCaption = "Увеличи";
constexpr std::string_view kZoomOutCaption = "Намали";
constexpr std::string_view kZoomResetCaption = "Нормален размер";

Qt::Alignment ToQtAlignment(TextAlignment alignment) {
  return alignment == TextAlignment::kCentre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
}

QPalette::ColorRole ToQtRole(ColourRole role) {
  constexpr std::array<QPalette::ColorRole, kPaletteColours.size()> kRoles = {
      QPalette::Window,      QPalette::WindowText,      QPalette::Base,
      QPalette::AlternateBase, QPalette::Text,          QPalette::BrightText,
      QPalette::Button,      QPalette::ButtonText,      QPalette::Light,
      QPalette::Midlight,    QPalette::Mid,             QPalette::Dark,
      QPalette::Shadow,      QPalette::Highlight,       QPalette::HighlightedText,
      QPalette::Link,        QPalette::LinkVisited,     QPalette::ToolTipBase,
      QPalette::ToolTipText,
  };
  return kRoles[static_cast<std::size_t>(role)];
}

// Every colour the window paints, fixed: the desktop's theme, a dark palette
// or another style must not turn the texts pale on the window's light colours.
QPalette ClassicPalette() {
  QPalette palette;
  for (const RoleColours& colours : kPaletteColours) {
    const QPalette::ColorRole role = ToQtRole(colours.role);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      palette.setColor(group, role, ToQColor(colours.enabled));
    }
    palette.setColor(QPalette::Disabled, role, ToQColor(colours.disabled));
  }
  return palette;
}

// Fills the control with its back colour, in the palette role its kind paints
// its face with (a check box's is Button, not Window).
void PaintBackground(QWidget* widget, StoredColour colour) {
  QPalette palette = widget->palette();
  palette.setColor(widget->backgroundRole(), ToQColor(colour));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QString ResourceText(std::string_view path) {
  QFile file(Text(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// The window's font at a zoom, which every control takes.
QFont WindowFont(int zoom) {
  return QFont(Text(kFontFamily), FontPointSize(zoom), QFont::Normal);
}

// Whether the whole text shows in the field without scrolling.
bool TextFits(const QLineEdit* field, const QString& text) {
  QStyleOptionFrame frame;
  frame.initFrom(field);
  frame.rect = field->rect();
  frame.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, field);
  const QRect contents =
      field->style()->subElementRect(QStyle::SE_LineEditContents, &frame, field)
          .marginsRemoved(field->textMargins());
  // The line edit keeps a further two pixels free on either side.
  return field->fontMetrics().horizontalAdvance(text) <= contents.width() - 4;
}

}  // namespace

Dravik::Dravik(NumberFormat format, QWidget* parent)
    : QWidget(parent), model_(std::move(format)), classic_style_(new ClassicStyle) {
  classic_style_->setParent(this);
  RegisterResources();
  setObjectName(QStringLiteral("Dravik"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(kWebAddress) + QLatin1Char(' ') + QString::fromUtf8(kProgramTitle));
  std::vector<SizedIconEngine::File> icons;
  for (const IconFile& file : kIconFiles) {
    icons.push_back({file.size, QStringLiteral(":/") + QString::fromUtf8(file.name)});
  }
  setWindowIcon(QIcon(new SizedIconEngine(std::move(icons))));
  // Never smaller than the window as designed; maximised, or made larger,
  // it shows the largest zoom step that fits.
  setMinimumSize(ToQSize(ClientSize(0)));
  resize(minimumSize());
  setFont(WindowFont(kZoomSteps[0]));
  setPalette(ClassicPalette());
  // The tooltips are windows of their own, and would take the theme's colours.
  QToolTip::setPalette(palette());
  tooltip_font_ = QToolTip::font();
  setAutoFillBackground(true);

  CreateControls();
  CreateZoomActions();
  SetTabOrder();
  ConnectEvents();
  text1_[0]->setFocus();
}

Dravik::~Dravik() {
  // The fields' validators read the model, which goes before the controls
  // do: closing the window takes the focus from a field and validates it.
  for (QLineEdit* field : text2_) field->setValidator(nullptr);
  // The tooltips' font is the application's: it goes back to its size.
  QToolTip::setFont(tooltip_font_);
}

void Dravik::Load() {
  model_.Load();
  ShowModelState();
}

// Each control is made from its table row alone; only then are the controls
// inside the frame moved into it and the labels tied to what they name, so
// the table's order decides nothing but the stacking.
void Dravik::CreateControls() {
  for (const ControlLayout& entry : kFormControls) {
    QWidget* control = CreateControl(entry);
    control->setObjectName(ObjectName(entry));
    if (!entry.accessible_name.empty()) control->setAccessibleName(Text(entry.accessible_name));
    if (!entry.accessible_description.empty()) {
      control->setAccessibleDescription(Text(entry.accessible_description));
    }
    controls_.emplace_back(&entry, control);
  }
  for (const auto& [entry, control] : controls_) {
    if (entry->parent == ControlParent::kFrame) control->setParent(frame1_);
    // The mouse wheel with Ctrl zooms the window, over any control.
    control->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) {
      area->viewport()->installEventFilter(this);
    }
    if (!entry->buddy_of) continue;
    // The table holds a buddy only on a label, naming a row it has.
    QWidget* buddy = controls_[*ControlRow(*entry->buddy_of)].second;
    static_cast<QLabel*>(control)->setBuddy(buddy);
    buddy->setAccessibleName(Text(entry->caption));
  }
  PlaceControls();
  // The texts laid out once, at the width they are shown at.
  for (const auto& [entry, control] : controls_) {
    if (entry->kind != ControlKind::kInfoText) continue;
    text1_[static_cast<std::size_t>(entry->index)]->setPlainText(ResourceText(entry->resource));
  }
  for (const auto& [entry, control] : controls_) control->setVisible(entry->shown);
}

void Dravik::CreateZoomActions() {
  const auto create = [this](std::string_view caption, QList<QKeySequence> keys, auto slot) {
    auto* action = new QAction(Text(caption), this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
    return action;
  };
  // Plus is a shifted key on most keyboards: Ctrl+= is the same key unshifted.
  constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
  constexpr Qt::KeyboardModifiers kKeypadCtrl = Qt::ControlModifier | Qt::KeypadModifier;
  zoom_in_ = create(kZoomInCaption,
                    {QKeySequence(kCtrl | Qt::Key_Plus), QKeySequence(kCtrl | Qt::Key_Equal),
                     QKeySequence(kKeypadCtrl | Qt::Key_Plus)},
                    &Dravik::ZoomIn);
  zoom_out_ = create(kZoomOutCaption,
                     {QKeySequence(kCtrl | Qt::Key_Minus), QKeySequence(kKeypadCtrl | Qt::Key_Minus)},
                     &Dravik::ZoomOut);
  zoom_reset_ = create(kZoomResetCaption,
                       {QKeySequence(kCtrl | Qt::Key_0), QKeySequence(kKeypadCtrl | Qt::Key_0)},
                       [this] { ShowZoomStep(0); });
}

// Every control at the zoom's place and size, the whole design centred in
// the window where the window is larger than it (maximised).
void Dravik::PlaceControls() {
  const int zoom = kZoomSteps[zoom_step_];
  const QSize design = ToQSize(ClientSize(zoom_step_));
  const QPoint origin(std::max(0, (width() - design.width()) / 2),
                      std::max(0, (height() - design.height()) / 2));
  for (const auto& [entry, control] : controls_) {
    QRect geometry = ToQRect(ControlGeometry(*entry, zoom));
    if (entry->parent == ControlParent::kWindow) geometry.translate(origin);
    control->setGeometry(geometry);
  }
}

void Dravik::ShowZoomStep(std::size_t step) {
  zoom_step_ = std::min(step, kZoomSteps.size() - 1);
  const int zoom = kZoomSteps[zoom_step_];
  // A style for the new zoom: setting it on every control lays each out
  // anew, as a changed font does.
  QStyle* previous = classic_style_;
  classic_style_ = new ClassicStyle(zoom);
  classic_style_->setParent(this);
  setFont(WindowFont(zoom));
  // The tooltips, in their own font, as large as the window is zoomed.
  QFont tooltip_font = tooltip_font_;
  tooltip_font.setPointSizeF(tooltip_font_.pointSizeF() * zoom / 100);
  QToolTip::setFont(tooltip_font);
  // At 100 % only the controls it draws differently need it; zoomed, every
  // control and its scroll bars do, for the sizes it gives.
  for (const auto& [entry, control] : controls_) {
    control->setStyle(classic_style_);
    for (QScrollBar* part : control->findChildren<QScrollBar*>()) part->setStyle(classic_style_);
  }
  delete previous;
  picture_->SetZoom(zoom);
  for (QPlainTextEdit* info : text1_) {
    info->document()->setDocumentMargin(Zoomed(kDocumentMargin, zoom));
  }
  if (!isMaximized() && !isFullScreen()) {
    resize(ToQSize(ClientSize(zoom_step_)));
    KeepOnScreen();
  }
  PlaceControls();
  // The tooltips of the fields say whether their texts fit.
  ShowModelState();
}

// A window grown past the screen's edge moves back onto it, as far as it can.
void Dravik::KeepOnScreen() {
  const QScreen* on = screen();
  if (on == nullptr || !isVisible()) return;
  const QRect space = on->availableGeometry();
  QRect frame = frameGeometry();
  if (frame.right() > space.right()) frame.moveRight(space.right());
  if (frame.bottom() > space.bottom()) frame.moveBottom(space.bottom());
  if (frame.left() < space.left()) frame.moveLeft(space.left());
  if (frame.top() < space.top()) frame.moveTop(space.top());
  if (frame.topLeft() != pos()) move(frame.topLeft());
}

bool Dravik::StepFits(std::size_t step) const {
  if (step >= kZoomSteps.size()) return false;
  if (step == 0) return true;
  // Maximised, within the window; otherwise, with the window's frame, within
  // the screen's space for windows. The steps grow: a step fits where the
  // largest that fits is no smaller.
  QSize space = size();
  if (!isMaximized() && !isFullScreen()) {
    const QScreen* on = screen();
    if (on == nullptr) return true;
    space = on->availableGeometry().size() - (frameGeometry().size() - size());
  }
  return step <= LargestStepThatFits(ToPixelSize(space));
}

void Dravik::ZoomIn() {
  if (StepFits(zoom_step_ + 1)) ShowZoomStep(zoom_step_ + 1);
}

void Dravik::ZoomOut() {
  if (zoom_step_ > 0) ShowZoomStep(zoom_step_ - 1);
}

void Dravik::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Maximised, restored or made larger by its border: the largest step that
  // fits. Resized for a step of the zoom, it fits that step.
  const std::size_t fitting = LargestStepThatFits(ToPixelSize(size()));
  if (fitting != zoom_step_) {
    ShowZoomStep(fitting);
  } else {
    PlaceControls();
  }
}

void Dravik::contextMenuEvent(QContextMenuEvent* event) {
  auto* menu = new QMenu(this);
  menu->addActions({zoom_in_, zoom_out_, zoom_reset_});
  ShowPlainMenu(this, menu, event->globalPos());
}

bool Dravik::ZoomWithWheel(const QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) return false;
  wheel_delta_ += event->angleDelta().y();
  for (; wheel_delta_ >= kWheelStep; wheel_delta_ -= kWheelStep) ZoomIn();
  for (; wheel_delta_ <= -kWheelStep; wheel_delta_ += kWheelStep) ZoomOut();
  return true;
}

void Dravik::wheelEvent(QWheelEvent* event) {
  if (!ZoomWithWheel(event)) QWidget::wheelEvent(event);
}

// A read-only text would zoom its own font with Ctrl and the wheel, and a
// list would scroll: the whole window zooms instead.
bool Dravik::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel && ZoomWithWheel(static_cast<QWheelEvent*>(event))) {
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

QWidget* Dravik::CreateControl(const ControlLayout& entry) {
  const auto index = static_cast<std::size_t>(std::max(entry.index, 0));
  switch (entry.kind) {
    case ControlKind::kPicture: {
      // The picture's format named, not probed for, from its name.
      const QString path = Text(entry.resource);
      picture_ = new PictureBox(QPixmap(path, QFileInfo(path).suffix().toLatin1().constData()),
                                &DrawBox, this);
      picture_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      // Its focus frame dotted, not a tint over the drawing.
      picture_->setStyle(classic_style_);
      return picture_;
    }
    case ControlKind::kButton: {
      QPushButton* button = command1_[index] = new QPushButton(Text(entry.caption), this);
      PaintBackground(button, *entry.back_colour);
      button->setStyle(classic_style_);
      button->setAccessibleName(button->text());
      return button;
    }
    case ControlKind::kList: {
      list1_ = new SelectionKeepingList(this);
      for (std::string_view caption : WindowModel::ListCaptions()) list1_->addItem(Text(caption));
      list1_->setSelectionMode(QAbstractItemView::SingleSelection);
      list1_->setStyle(classic_style_);
      return list1_;
    }
    case ControlKind::kFrame: {
      frame1_ = new QGroupBox(Text(entry.caption), this);
      PaintBackground(frame1_, *entry.back_colour);
      frame1_->setStyle(classic_style_);
      return frame1_;
    }
    case ControlKind::kTextBox: {
      QLineEdit* field = text2_[index] = new ValueField(this);
      field->setReadOnly(true);
      field->setValidator(new TypingValidator(model_, entry.index, field));
      return field;
    }
    case ControlKind::kCheckBox: {
      QCheckBox* check = check1_[index] = new QCheckBox(Text(entry.caption), this);
      check->setEnabled(false);
      PaintBackground(check, *entry.back_colour);
      // The user can never toggle these, yet must read which quantities are
      // given: the style's pale disabled text vanishes on the blue.
      QPalette palette = check->palette();
      for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, ToQColor(kCheckCaptionColour));
      }
      check->setPalette(palette);
      return check;
    }
    case ControlKind::kInfoText: {
      QPlainTextEdit* info = text1_[index] = new InfoText(this);
      info->setReadOnly(true);
      // Read-only, but the user may still move through, select and copy the text.
      info->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      info->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      info->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      info->setTabChangesFocus(true);
      return info;
    }
    case ControlKind::kLabel: {
      auto* label = new QLabel(Text(entry.caption), this);
      PaintBackground(label, *entry.back_colour);
      label->setAlignment(ToQtAlignment(entry.alignment));
      return label;
    }
  }
  return nullptr;
}

void Dravik::SetTabOrder() {
  std::vector<std::pair<int, QWidget*>> order;
  for (const auto& [entry, control] : controls_) {
    if (control->focusPolicy() & Qt::TabFocus) order.emplace_back(entry->tab_index, control);
  }
  std::sort(order.begin(), order.end(),
            [](const auto& x, const auto& y) { return x.first < y.first; });
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(order[i - 1].second, order[i].second);
  }
}

void Dravik::ConnectEvents() {
  connect(list1_, &QListWidget::currentRowChanged, this, [this](int row) {
    model_.ListSelected(0, row);
    ShowModelState();
  });
  for (std::size_t i = 0; i < command1_.size(); ++i) {
    // Enter and Return press a focused button, as Space does.
    command1_[i]->setAutoDefault(true);
    connect(command1_[i], &QPushButton::clicked, this,
            [this, i] { PressButton(static_cast<int>(i)); });
  }
  for (std::size_t i = 0; i < text2_.size(); ++i) {
    connect(text2_[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
      model_.FieldTyped(static_cast<int>(i), text.toStdString());
      ShowModelState();
    });
    // The field reports an edit the model refused before it undoes it: the
    // refusal is all that changed, and its hint shows.
    connect(text2_[i], &QLineEdit::inputRejected, this,
            [this] { ShowReaction(model_.refusal()); });
    // Enter in a value field calculates, in a read-only one too.
    connect(text2_[i], &QLineEdit::returnPressed, command1_[kCalculateButton], &QPushButton::click);
  }
}

void Dravik::PressButton(int index) {
  const Reaction reaction = model_.ButtonClicked(index);
  ShowModelState();
  ShowReaction(reaction);
}

void Dravik::ShowModelState() {
  for (std::size_t i = 0; i < kQuantityCount; ++i) {
    const FieldState& state = model_.fields()[i];
    QLineEdit* field = text2_[i];
    const QString text = QString::fromStdString(state.text);
    const bool written = field->text() != text;
    if (written) field->setText(text);
    // A number is read from its first digit: never show the end of a long
    // one. The field the user is typing in keeps the cursor where it is,
    // whether or not the window is active.
    if (written || focusWidget() != field) field->setCursorPosition(0);
    // A computed value tells how it was obtained; any other the whole text
    // where it does not fit.
    const QString derivation = QString::fromStdString(state.derivation);
    field->setToolTip(!derivation.isEmpty() ? derivation : TextFits(field, text) ? QString() : text);
    field->setAccessibleDescription(derivation);
    field->setReadOnly(state.read_only);
    check1_[i]->setChecked(state.known_mark == 1);
  }
  // A refused press's hint goes with its reason.
  if (!model_.refusal().alert() && QToolTip::isVisible()) QToolTip::hideText();
  const QSignalBlocker blocker(list1_);
  list1_->setCurrentRow(model_.selected_entry());
}

void Dravik::ShowReaction(const Reaction& reaction) {
  if (!reaction.alert()) return;
  QApplication::beep();
  QWidget* beside = command1_[kCalculateButton];
  if (reaction.focus_field != kNoField) {
    auto* field = static_cast<ValueField*>(text2_[static_cast<std::size_t>(reaction.focus_field)]);
    if (reaction.select_text) {
      field->setFocus(Qt::OtherFocusReason);
      // The whole text selected, the cursor at its start, so that typing replaces it.
      field->SelectFromTheStart();
    }
    beside = field;
  }
  QToolTip::showText(beside->mapToGlobal(QPoint(beside->width() / 2, beside->height())),
                     Text(RefusalHint(reaction.refusal)), beside);
}

}  // namespace prism
