// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form/dravik.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResource>
#include <QScreen>
#include <QScrollBar>
#include <QStyleHints>
#include <QTouchEvent>
#include <QSignalBlocker>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "prism/program_info.h"
#include "window/page/box_drawing.h"
#include "window/look/classic_style.h"
#include "window/controls/controls.h"
#include "window/look/fonts.h"
#include "window/look/plain_menu.h"
#include "window/form/embedded_resources.h"
#include "window/form/form_layout.h"
#include "window/form/sized_icon.h"
#include "window/form/typing_validator.h"
#include "window/model/written_problem.h"
#include "window/solution/problem_window.h"
#include "window/solution/solution_window.h"
#include "window/zoom/zoom.h"

namespace prism {
namespace {

QString ObjectName(const ControlLayout& entry) {
  QString name = Text(entry.name);
  if (entry.index >= 0) name += QStringLiteral("(%1)").arg(entry.index);
  return name;
}

QRect ToQRect(PixelRect rect) { return QRect(rect.left, rect.top, rect.width, rect.height); }
QSize ToQSize(PixelSize size) { return QSize(size.width, size.height); }

// Qt's margin around a text's document, at 100 %.
constexpr int kDocumentMargin = 4;

Qt::Alignment ToQtAlignment(TextAlignment alignment) {
  return alignment == TextAlignment::kCentre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
}

QString ResourceText(std::string_view path) {
  QFile file(Text(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// Whether a widget, or the control it is part of (a list's viewport), takes
// the focus below the window: a control that a tap acts on as a click,
// rather than the window's background.
bool IsControl(const QWidget* widget, const QWidget* window) {
  for (; widget != nullptr && widget != window; widget = widget->parentWidget()) {
    if (widget->focusPolicy() != Qt::NoFocus) return true;
  }
  return false;
}

}  // namespace

namespace {

constexpr bool IsFunctionKey(std::string_view name) {
  return name.size() >= 2 && name.size() <= 3 && name[0] == 'F' &&
         name.substr(1).find_first_not_of("0123456789") == std::string_view::npos;
}
static_assert(IsFunctionKey(kSolutionKey) && IsFunctionKey(kProblemKey));

// A function key by its name ("F2"), without parsing a key sequence's
// text, which costs the start some twenty thousand instructions a key.
QKeySequence FunctionKey(std::string_view name) {
  int number = 0;
  for (const char digit : name.substr(1)) number = number * 10 + (digit - '0');
  return QKeySequence(QKeyCombination(static_cast<Qt::Key>(Qt::Key_F1 + number - 1)));
}

}  // namespace

Dravik::Dravik(NumberFormat format, QSettings* settings, QWidget* parent)
    : QWidget(parent),
      model_(std::move(format)),
      tooltip_font_(QToolTip::font()),
      tooltip_palette_(QToolTip::palette()) {
  RegisterResources();
  setObjectName(QStringLiteral("Dravik"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QString::fromUtf8(kWebAddress) + QLatin1Char(' ') + QString::fromUtf8(kProgramTitle));
  setWindowIcon(WindowIcon());
  // Never smaller than the window as designed; maximised, or made larger,
  // it shows the largest zoom step that fits.
  setMinimumSize(ToQSize(ClientSize(0)));
  resize(minimumSize());
  setFont(WindowFont(kZoomSteps[0]));
  setPalette(ClassicPalette());
  // The tooltips are windows of their own, and would take the theme's colours.
  QToolTip::setPalette(palette());
  setAutoFillBackground(true);

  CreateControls();
  zoom_.emplace(this, [this](std::size_t step) { ApplyZoom(step); }, ZoomLayout{kFormDesign},
                settings);
  settings_ = settings;
  // The worked solution: F2, and the first entry of the window's menu, which
  // a touch screen opens with a press and hold.
  solution_action_ = new QAction(Text(kSolutionTitle), this);
  solution_action_->setShortcut(FunctionKey(kSolutionKey));
  solution_action_->setShortcutContext(Qt::WindowShortcut);
  solution_action_->setShortcutVisibleInContextMenu(true);
  connect(solution_action_, &QAction::triggered, this, [this] { OpenSolution(); });
  addAction(solution_action_);
  // A problem written as in the notebook: F3, and the menu's second entry.
  problem_action_ = new QAction(Text(kProblemTitle) + QString::fromUtf8("…"), this);
  problem_action_->setShortcut(FunctionKey(kProblemKey));
  problem_action_->setShortcutContext(Qt::WindowShortcut);
  problem_action_->setShortcutVisibleInContextMenu(true);
  connect(problem_action_, &QAction::triggered, this, [this] { OpenProblem(); });
  addAction(problem_action_);
  setAttribute(Qt::WA_AcceptTouchEvents);
  press_and_hold_.setSingleShot(true);
  press_and_hold_.setInterval(QGuiApplication::styleHints()->mousePressAndHoldInterval());

  ApplyZoom(0);
  for (const auto& [entry, control] : controls_) {
    if (entry->kind != ControlKind::kInfoText) continue;
    texts_[static_cast<std::size_t>(entry->index)]->SetText(ResourceText(entry->resource));
  }
  // The others show with the window.
  for (const auto& [entry, control] : controls_) {
    if (!entry->shown) control->hide();
  }
  SetTabOrder();
  ConnectEvents();
  texts_[0]->setFocus();
}

Dravik::~Dravik() {
  // The fields' validators read the model, which goes before the controls
  // do: closing the window takes the focus from a field and validates it.
  for (QLineEdit* field : fields_) field->setValidator(nullptr);
  // The tooltips' look is the application's: it goes back to what it was.
  QToolTip::setFont(tooltip_font_);
  QToolTip::setPalette(tooltip_palette_);
}

void Dravik::Load() {
  model_.Load();
  ShowModelState();
  zoom_->Restore();
}

// Each control is made from its table row alone; only then are the controls
// inside the frame moved into it and the labels tied to what they name, so
// the table's order decides nothing but the stacking.
void Dravik::CreateControls() {
  // A line edit lays out its empty text in the application's font while it
  // is being made, before it takes the window's: that alone would load a
  // second font, which no control ever shows, before the first paint. The
  // application's font is the window's while the controls are made.
  const QFont application_font = QApplication::font();
  QApplication::setFont(font());
  for (const ControlLayout& entry : kFormControls) {
    QWidget* control = CreateControl(entry);
    control->setObjectName(ObjectName(entry));
    if (!entry.accessible_name.empty()) control->setAccessibleName(Text(entry.accessible_name));
    if (!entry.accessible_description.empty()) {
      control->setAccessibleDescription(Text(entry.accessible_description));
    }
    controls_.emplace_back(&entry, control);
  }
  QApplication::setFont(application_font);
  for (const auto& [entry, control] : controls_) {
    if (entry->parent == ControlParent::kFrame) control->setParent(frame_);
    if (!entry->buddy_of) continue;
    // The table holds a buddy only on a label, naming a row it has.
    QWidget* buddy = controls_[*ControlRow(*entry->buddy_of)].second;
    static_cast<QLabel*>(control)->setBuddy(buddy);
    buddy->setAccessibleName(Text(entry->caption));
  }
}

// Every control at the zoom's place and size, the whole design centred in
// the window where the window is larger than it (maximised).
void Dravik::PlaceControls() {
  const int zoom = kZoomSteps[zoom_step()];
  const QSize design = ToQSize(ClientSize(zoom_step()));
  const QPoint origin(std::max(0, (width() - design.width()) / 2),
                      std::max(0, (height() - design.height()) / 2));
  for (const auto& [entry, control] : controls_) {
    QRect geometry = ToQRect(ControlGeometry(*entry, zoom));
    if (entry->parent == ControlParent::kWindow) geometry.translate(origin);
    control->setGeometry(geometry);
  }
}

void Dravik::ApplyZoom(std::size_t step) {
  const int zoom = kZoomSteps[step];
  // A style for the zoom on every control and its scroll bars: at 100 % the
  // application's, where that is the classic one; setting one lays a control
  // out anew, as a changed font does.
  QStyle* previous = classic_style_;
  const auto* shared = dynamic_cast<const ClassicStyle*>(QApplication::style());
  classic_style_ = zoom == 100 && shared != nullptr && shared->zoom() == 100
                       ? nullptr
                       : new ClassicStyle(zoom);
  if (classic_style_ != nullptr) classic_style_->setParent(this);
  // Fonts and styles are set only where they change: each setting lays out
  // every control again.
  if (font() != WindowFont(zoom)) setFont(WindowFont(zoom));
  const auto set_style = [this](QWidget* widget) {
    if (classic_style_ != nullptr || widget->testAttribute(Qt::WA_SetStyle)) {
      widget->setStyle(classic_style_);
    }
  };
  // From the application's style to itself (at start) changes nothing.
  if (classic_style_ != nullptr || previous != nullptr) {
    for (const auto& [entry, control] : controls_) {
      set_style(control);
      for (QScrollBar* part : control->findChildren<QScrollBar*>()) set_style(part);
    }
  }
  delete previous;
  picture_->SetZoom(zoom);
  for (QPlainTextEdit* info : texts_) {
    info->document()->setDocumentMargin(Zoomed(kDocumentMargin, zoom));
  }
  PlaceControls();
  list_->scrollToItem(list_->currentItem());
  // The tooltips, in their own font, as large as the window is zoomed. One
  // showing keeps the size it was made at: it goes, and a standing hint
  // shows again at its field's new place.
  if (QToolTip::font() != ZoomedFont(tooltip_font_, zoom)) {
    QToolTip::setFont(ZoomedFont(tooltip_font_, zoom));
  }
  if (QToolTip::isVisible()) {
    for (QWidget* tip : QApplication::topLevelWidgets()) {
      if (tip->inherits("QTipLabel")) tip->close();
    }
    if (model_.refusal().alert()) ShowHint(model_.refusal());
  }
  // The tooltips of the fields say whether their texts fit; before the
  // window shows, Load shows them.
  if (isVisible()) ShowModelState();
}

void Dravik::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceControls();
}

void Dravik::contextMenuEvent(QContextMenuEvent* event) { ShowMenu(event->globalPos()); }


// A finger held still on the window's background, then lifted, opens its
// menu, as a right click does: a touch board has no right button. The menu
// comes when the finger lifts, as on Windows, so that lifting it does not
// close the menu at once.
bool Dravik::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::TouchBegin: {
      const auto* touch = static_cast<QTouchEvent*>(event);
      // A finger on a control is left to Qt, which makes a click of it: the
      // window takes only what falls on its background.
      if (IsControl(childAt(touch->points().front().position().toPoint()), this)) {
        event->ignore();
        return false;
      }
      if (touch->points().size() == 1) {
        held_at_ = touch->points().front().globalPosition().toPoint();
        holding_ = true;
        press_and_hold_.start();
      }
      event->accept();
      return true;
    }
    case QEvent::TouchUpdate: {
      const auto* touch = static_cast<QTouchEvent*>(event);
      const QPoint moved = touch->points().front().globalPosition().toPoint() - held_at_;
      if (touch->points().size() != 1 ||
          moved.manhattanLength() > QGuiApplication::styleHints()->startDragDistance()) {
        press_and_hold_.stop();
        holding_ = false;
      }
      return true;
    }
    case QEvent::TouchEnd: {
      const bool held = holding_ && !press_and_hold_.isActive();
      press_and_hold_.stop();
      holding_ = false;
      if (held) ShowMenu(held_at_);
      return true;
    }
    case QEvent::TouchCancel:
      press_and_hold_.stop();
      holding_ = false;
      return true;
    default:
      return QWidget::event(event);
  }
}

void Dravik::ShowMenu(const QPoint& global_position) {
  auto* menu = new QMenu(this);
  menu->addAction(solution_action_);
  menu->addAction(problem_action_);
  menu->addSeparator();
  menu->addActions(zoom_->actions());
  // The window itself keeps the application's style: the zoom is the controller's.
  ShowPlainMenu(this, menu, global_position, kZoomSteps[zoom_->step()]);
}

void Dravik::OpenSolution() {
  // Made the first time it is asked for: the window's start does not wait for it.
  if (solution_ == nullptr) {
    solution_ = new SolutionWindow(
        SolutionSource{[this](LengthUnit unit, SolutionStyle style) { return model_.Solution(unit, style); },
                       kSolutionTitle,
                       kSolutionKey, "Solution", "solution-zoom"},
        this, [this] { return zoom_->step(); }, settings_);
  }
  solution_->Open();
}

void Dravik::OpenProblem() {
  // Made the first time it is asked for, as the solution's.
  if (problem_ == nullptr) {
    problem_ = MakeProblemWindow(this, [this] { return zoom_->step(); }, settings_, model_.format());
  }
  problem_->Open();
}

QWidget* Dravik::CreateControl(const ControlLayout& entry) {
  const auto index = static_cast<std::size_t>(std::max(entry.index, 0));
  switch (entry.kind) {
    case ControlKind::kPicture: {
      const QByteArray rgb = QResource(Text(entry.resource)).uncompressedData();
      picture_ = new PictureBox(QPixmap::fromImage(DrawingAtOwnSize(rgb)), &DrawBox, this);
      picture_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      return picture_;
    }
    case ControlKind::kButton: {
      QPushButton* button = buttons_[index] = new QPushButton(Text(entry.caption), this);
      PaintBackground(button, *entry.back_colour);
      button->setAccessibleName(button->text());
      return button;
    }
    case ControlKind::kList: {
      list_ = new SelectionKeepingList(this);
      QStringList captions;
      for (std::string_view caption : WindowModel::ListCaptions()) captions.append(Text(caption));
      list_->addItems(captions);
      list_->setSelectionMode(QAbstractItemView::SingleSelection);
      // The entries are one line each in one font: the view measures one.
      list_->setUniformItemSizes(true);
      return list_;
    }
    case ControlKind::kFrame: {
      frame_ = new QGroupBox(Text(entry.caption), this);
      PaintBackground(frame_, *entry.back_colour);
      return frame_;
    }
    case ControlKind::kTextBox: {
      ValueField* field = fields_[index] = new ValueField(this);
      field->setValidator(new TypingValidator(model_, entry.index, field));
      return field;
    }
    case ControlKind::kCheckBox: {
      QCheckBox* check = marks_[index] = new QCheckBox(Text(entry.caption), this);
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
      InfoText* info = texts_[index] = new InfoText(this);
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
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    model_.ListSelected(row);
    ShowModelState();
  });
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    // Enter and Return press a focused button, as Space does.
    buttons_[i]->setAutoDefault(true);
    connect(buttons_[i], &QPushButton::clicked, this,
            [this, i] { PressButton(static_cast<int>(i)); });
  }
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    connect(fields_[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
      model_.FieldTyped(static_cast<int>(i), text.toStdString());
      ShowModelState();
    });
    // The field reports an edit the model refused before it undoes it: the
    // refusal is all that changed, and its hint shows.
    connect(fields_[i], &QLineEdit::inputRejected, this,
            [this] { ShowReaction(model_.refusal()); });
    // Enter in a value field calculates, in a read-only one too.
    connect(fields_[i], &QLineEdit::returnPressed, buttons_[kCalculateButton], &QPushButton::click);
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
    ValueField* field = fields_[i];
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
    field->setToolTip(!derivation.isEmpty() ? derivation : field->TextFits(text) ? QString() : text);
    field->setAccessibleDescription(derivation);
    field->setReadOnly(state.read_only);
    marks_[i]->setChecked(state.known);
  }
  // A refused press's hint goes with its reason.
  if (!model_.refusal().alert() && QToolTip::isVisible()) QToolTip::hideText();
  const QSignalBlocker blocker(list_);
  list_->setCurrentRow(model_.selected_entry());
  // A hidden solution window is brought up to date when it opens.
  if (solution_ != nullptr && solution_->isVisible()) solution_->Refresh();
}

void Dravik::ShowReaction(const Reaction& reaction) {
  if (!reaction.alert()) return;
  QApplication::beep();
  if (reaction.focus_field != kNoField && reaction.select_text) {
    ValueField* field = fields_[static_cast<std::size_t>(reaction.focus_field)];
    field->setFocus(Qt::OtherFocusReason);
    // The whole text selected, the cursor at its start, so that typing replaces it.
    field->SelectFromTheStart();
  }
  ShowHint(reaction);
}

// Beside the field it is about, or beside the calculate button.
void Dravik::ShowHint(const Reaction& reaction) {
  QWidget* beside = reaction.focus_field != kNoField
                        ? static_cast<QWidget*>(fields_[static_cast<std::size_t>(reaction.focus_field)])
                        : buttons_[kCalculateButton];
  QToolTip::showText(beside->mapToGlobal(QPoint(beside->width() / 2, beside->height())),
                     Text(RefusalHint(reaction.refusal)), beside);
}

}  // namespace prism
