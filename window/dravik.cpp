#include "window/dravik.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QValidator>
#include <algorithm>
#include <utility>
#include <vector>

#include "prism/program_info.h"
#include "window/application.h"
#include "window/button_style.h"
#include "window/form_layout.h"

namespace prism {
namespace {

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

const QColor kDisabledCheckText(56, 56, 96);

QColor ToQColor(StoredColour colour) { return QColor(colour.red(), colour.green(), colour.blue()); }

QString ObjectName(const ControlLayout& entry) {
  QString name = Text(entry.name);
  if (entry.index >= 0) name += QStringLiteral("(%1)").arg(entry.index);
  return name;
}

QRect Geometry(const ControlLayout& entry) {
  return QRect(Pixels(entry.left), Pixels(entry.top), Pixels(entry.width), Pixels(entry.height));
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

// Asks the model, before a keystroke or paste changes a value field, whether
// the user may make that change; text the program sets is never validated.
class TypingValidator : public QValidator {
 public:
  TypingValidator(const WindowModel& model, int field, QObject* parent)
      : QValidator(parent), model_(model), field_(field) {}

  State validate(QString& input, int&) const override {
    return model_.AcceptsTyping(field_, input.toStdString()) ? Acceptable : Invalid;
  }

 private:
  const WindowModel& model_;
  int field_;
};

}  // namespace

Dravik::Dravik(NumberFormat format, QWidget* parent)
    : QWidget(parent), model_(std::move(format)), button_style_(new ButtonStyle) {
  button_style_->setParent(this);
  RegisterResources();
  setObjectName(QStringLiteral("Dravik"));
  setWindowTitle(QString::fromUtf8(kWebAddress) + QLatin1Char(' ') + QString::fromUtf8(kProgramTitle));
  setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
  setFixedSize(Pixels(kClientWidthTwips), Pixels(kClientHeightTwips));
  setFont(QFont(Text(kFontFamily), kFontPointSize, QFont::Normal));
  PaintBackground(this, kWindowColour);

  CreateControls();
  SetTabOrder();
  ConnectEvents();
  text1_[0]->setFocus();
}

void Dravik::Load() {
  model_.Load();
  ShowModelState();
}

void Dravik::CreateControls() {
  for (const ControlLayout& entry : kFormControls) {
    QWidget* control = CreateControl(entry);
    control->setObjectName(ObjectName(entry));
    control->setGeometry(Geometry(entry));
    control->setVisible(entry.shown);
  }
}

QWidget* Dravik::CreateControl(const ControlLayout& entry) {
  QWidget* parent = entry.parent == ControlParent::kFrame ? static_cast<QWidget*>(frame1_) : this;
  const auto index = static_cast<std::size_t>(std::max(entry.index, 0));
  switch (entry.kind) {
    case ControlKind::kPicture: {
      auto* picture = new QLabel(parent);
      picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      picture->setLineWidth(2);
      picture->setPixmap(QPixmap(Text(entry.content)));
      return picture;
    }
    case ControlKind::kButton: {
      QPushButton* button = command1_[index] = new QPushButton(Text(entry.content), parent);
      PaintBackground(button, *entry.back_colour);
      button->setStyle(button_style_);
      button->setAccessibleName(button->text());
      return button;
    }
    case ControlKind::kList: {
      list1_ = new QListWidget(parent);
      for (std::string_view caption : WindowModel::ListCaptions()) list1_->addItem(Text(caption));
      list1_->setSelectionMode(QAbstractItemView::SingleSelection);
      return list1_;
    }
    case ControlKind::kFrame: {
      frame1_ = new QGroupBox(Text(entry.content), parent);
      PaintBackground(frame1_, *entry.back_colour);
      return frame1_;
    }
    case ControlKind::kTextBox: {
      QLineEdit* field = text2_[index] = new QLineEdit(parent);
      field->setReadOnly(true);
      field->setValidator(new TypingValidator(model_, entry.index, field));
      field->setAccessibleName(Text(QuantityCaption(kAllQuantities[index])));
      return field;
    }
    case ControlKind::kCheckBox: {
      QCheckBox* check = check1_[index] = new QCheckBox(Text(entry.content), parent);
      check->setEnabled(false);
      PaintBackground(check, *entry.back_colour);
      // The user can never toggle these, yet must read which quantities are
      // given: the style's pale disabled text vanishes on the blue.
      QPalette palette = check->palette();
      for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, kDisabledCheckText);
      }
      check->setPalette(palette);
      return check;
    }
    case ControlKind::kInfoText: {
      QPlainTextEdit* info = text1_[index] = new QPlainTextEdit(parent);
      info->setPlainText(ResourceText(entry.content));
      info->setReadOnly(true);
      // Read-only, but the user may still move through, select and copy the text.
      info->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      info->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      info->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      info->setTabChangesFocus(true);
      return info;
    }
    case ControlKind::kLabel: {
      auto* label = new QLabel(Text(entry.content), parent);
      PaintBackground(label, *entry.back_colour);
      label->setAlignment(entry.index == 0 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
      if (entry.index == 1) {
        label->setBuddy(list1_);
        list1_->setAccessibleName(label->text());
      }
      return label;
    }
  }
  return nullptr;
}

void Dravik::SetTabOrder() {
  std::vector<std::pair<int, QWidget*>> order;
  for (const ControlLayout& entry : kFormControls) {
    QWidget* control = findChild<QWidget*>(ObjectName(entry));
    if (control->focusPolicy() & Qt::TabFocus) order.emplace_back(entry.tab_index, control);
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
    connect(command1_[i], &QPushButton::clicked, this, [this, i] {
      if (model_.ButtonClicked(static_cast<int>(i)) == Reaction::kAlert) QApplication::beep();
      ShowModelState();
    });
  }
  for (std::size_t i = 0; i < text2_.size(); ++i) {
    connect(text2_[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
      if (!model_.FieldTyped(static_cast<int>(i), text.toStdString())) ShowModelState();
    });
  }
}

void Dravik::ShowModelState() {
  for (std::size_t i = 0; i < kQuantityCount; ++i) {
    const FieldState& state = model_.fields()[i];
    const QString text = QString::fromStdString(state.text);
    if (text2_[i]->text() != text) text2_[i]->setText(text);
    text2_[i]->setReadOnly(state.read_only);
    check1_[i]->setChecked(state.known_mark == 1);
    check1_[i]->setEnabled(state.check_enabled);
  }
  const QSignalBlocker blocker(list1_);
  list1_->setCurrentRow(model_.selected_entry());
}

}  // namespace prism
