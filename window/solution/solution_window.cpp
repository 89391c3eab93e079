// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/solution/solution_window.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <array>

#include "prism/program_info.h"
#include "window/look/classic_style.h"
#include "window/controls/controls.h"
#include "window/look/fonts.h"
#include "window/solution/page_printer.h"
#include "window/model/placement.h"
#include "window/model/window_model.h"
#include "window/zoom/zoom.h"

namespace prism {
namespace {

constexpr char kUnitCaption[] = "Мерна единица:";
// Where the grade and the rounding are kept, one for every solution window.
constexpr char kGradeKey[] = "solution/grade";
constexpr char kRoundingKey[] = "solution/rounding";
constexpr char kPrintCaption[] = "Печат…";
constexpr char kSavePdfCaption[] = "Запиши като PDF…";
constexpr char kPrintFailed[] = "Решението не можа да бъде отпечатано.";
constexpr char kPrintUnavailable[] =
    "Печатът не е достъпен: липсва част от програмата. Запишете решението като PDF.";
constexpr char kDefaultPdfName[] = "решение.pdf";
// Why a page was not saved, by FileWriteOutcome; the file that was there
// stays as it was.
constexpr std::array<const char*, 4> kSaveFailures = {
    "",
    "Там не може да се запише файл: това не е обикновен файл.\n%1",
    "Файлът е само за четене и не е променен:\n%1",
    "Файлът не можа да бъде записан; каквото имаше там, е запазено:\n%1",
};
static_assert(static_cast<std::size_t>(FileWriteOutcome::kFailed) + 1 == kSaveFailures.size());

const char* SaveFailure(FileWriteOutcome outcome) {
  return kSaveFailures[static_cast<std::size_t>(outcome)];
}


// The window at 100 %: room for the drawing and some twenty lines.
constexpr PixelSize kDesign{560, 640};
constexpr int kSolutionDrawingHeight = 190;
constexpr int kGap = 8;

QString SolutionText(const WorkedSolution& solution) {
  QStringList lines;
  for (const std::string& line : solution.lines) lines.append(QString::fromStdString(line));
  return lines.join(QLatin1Char('\n'));
}

// The drawing of the window's solution, at the window's zoom.
class SolutionDrawing : public QWidget {
 public:
  SolutionDrawing(const WorkedSolution& shown, QWidget* parent) : QWidget(parent), shown_(shown) {
    setAccessibleName(QString::fromUtf8("Чертеж на паралелепипеда на решението"));
  }

  void SetZoom(int zoom) {
    zoom_ = zoom;
    setFixedHeight(Zoomed(kSolutionDrawingHeight, zoom));
    update();
  }

  // The net of the box in the drawing's place, or the box.
  void ShowNet(bool net) {
    net_ = net;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    const QRectF area = QRectF(rect()).adjusted(kGap, kGap, -kGap, -kGap);
    if (net_) {
      // As large as fits, a pixel standing for a millimetre at 100 %; the
      // faces named smaller, so that the small ones can be.
      QFont small = font();
      small.setPointSizeF(font().pointSizeF() * 0.8);
      painter.setFont(small);
      PaintSolutionNet(painter, area, zoom_ / 100.0, shown_, false);
    } else {
      PaintSolutionBox(painter, area, shown_, 2.0 * LineWidth(zoom_));
    }
  }

 private:
  const WorkedSolution& shown_;
  int zoom_ = 100;
  bool net_ = false;
};

}  // namespace

SolutionWindow::SolutionWindow(SolutionSource source, QWidget* main_window,
                               std::function<std::size_t()> main_step, QSettings* settings,
                               QWidget* above)
    : QWidget(main_window, Qt::Window),
      source_(std::move(source)),
      above_(above),
      main_step_(std::move(main_step)),
      settings_(settings) {
  setObjectName(Text(source_.name));
  setWindowTitle(Text(source_.title) + QString::fromUtf8(" – ") + QString::fromUtf8(kProgramTitle));
  setWindowIcon(main_window->windowIcon());
  setPalette(ClassicPalette());
  setAutoFillBackground(true);

  auto* unit_label = new QLabel(QString::fromUtf8(kUnitCaption), this);
  units_ = new QComboBox(this);
  for (const LengthUnitInfo& unit : kLengthUnits) units_->addItem(Text(unit.name));
  unit_label->setBuddy(units_);
  // The pupil's grade and rounding, kept for every solution window.
  const auto choice = [this](std::string_view caption, const auto& choices, const char* name) {
    auto* label = new QLabel(Text(caption), this);
    auto* box = new QComboBox(this);
    for (const auto& each : choices) box->addItem(Text(each.caption));
    label->setBuddy(box);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(Text(caption).chopped(1));  // without its colon
    return std::pair{label, box};
  };
  const auto [grade_label, grades] = choice(kGradeCaption, kGrades, "Grade");
  const auto [rounding_label, roundings] = choice(kRoundingCaption, kRoundings, "Rounding");
  grades_ = grades;
  roundings_ = roundings;
  const SolutionStyle kept{settings_ ? settings_->value(QLatin1String(kGradeKey), SolutionStyle{}.grade).toInt()
                                     : SolutionStyle{}.grade,
                           settings_ ? settings_->value(QLatin1String(kRoundingKey), SolutionStyle{}.decimals).toInt()
                                     : SolutionStyle{}.decimals};
  grades_->setCurrentIndex(static_cast<int>(GradeIndex(kept.grade).value_or(*GradeIndex(SolutionStyle{}.grade))));
  roundings_->setCurrentIndex(
      static_cast<int>(RoundingIndex(kept.decimals).value_or(*RoundingIndex(SolutionStyle{}.decimals))));
  print_ = new QPushButton(QString::fromUtf8(kPrintCaption), this);
  save_pdf_ = new QPushButton(QString::fromUtf8(kSavePdfCaption), this);
  // The net instead of the box, and on a page of its own when saved or printed.
  net_ = new QPushButton(Text(kNetTitle), this);
  net_->setAccessibleName(Text(kNetTitle));
  net_->setCheckable(true);
  drawing_ = new SolutionDrawing(shown_, this);
  text_ = new InfoText(this);
  text_->setObjectName(QStringLiteral("SolutionText"));
  text_->setAccessibleName(Text(kSolutionTitle));
  if (above_ != nullptr) above_->setParent(this);
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);

  auto* controls = new QHBoxLayout;
  controls->addWidget(unit_label);
  controls->addWidget(units_);
  controls->addWidget(net_);
  controls->addStretch();
  controls->addWidget(print_);
  controls->addWidget(save_pdf_);
  auto* style_controls = new QHBoxLayout;
  style_controls->addWidget(grade_label);
  style_controls->addWidget(grades_);
  style_controls->addSpacing(grade_label->fontMetrics().averageCharWidth() * 2);
  style_controls->addWidget(rounding_label);
  style_controls->addWidget(roundings_);
  style_controls->addStretch();
  auto* layout = new QVBoxLayout(this);
  if (above_ != nullptr) layout->addWidget(above_);
  layout->addLayout(controls);
  layout->addLayout(style_controls);
  layout->addWidget(drawing_);
  layout->addWidget(text_, 1);

  // Its key opened it; its key or Esc closes it.
  auto* close_action = new QAction(this);
  close_action->setShortcuts({QKeySequence(Text(source_.key)), QKeySequence(Qt::Key_Escape)});
  close_action->setShortcutContext(Qt::WindowShortcut);
  connect(close_action, &QAction::triggered, this, &QWidget::close);
  addAction(close_action);
  connect(units_, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  for (QComboBox* choice : {grades_, roundings_}) {
    connect(choice, &QComboBox::currentIndexChanged, this, [this] {
      KeepStyle();
      Refresh();
    });
  }
  connect(print_, &QPushButton::clicked, this, [this] { AskAndPrint(); });
  connect(net_, &QPushButton::toggled, this,
          [this](bool on) { static_cast<SolutionDrawing*>(drawing_)->ShowNet(on); });
  connect(save_pdf_, &QPushButton::clicked, this, [this] { AskAndSavePdf(); });

  zoom_.emplace(
      this,
      [this](std::size_t step) {
        ApplyZoom(step);
        // The main window's step the step was chosen at: while that stands,
        // the solution opens at its own.
        if (settings_) settings_->setValue(WithMainStepKey(), static_cast<int>(main_step_()));
      },
      ZoomLayout{kDesign, false, source_.zoom_group}, settings);
  ApplyZoom(0);
  resize(kDesign.width, kDesign.height);
  Refresh();
}

SolutionWindow::~SolutionWindow() = default;

void SolutionWindow::ApplyZoom(std::size_t step) {
  const int zoom = kZoomSteps[step];
  setFont(WindowFont(zoom));
  // The controls' borders, arrows and scroll bars grow with the text, as
  // the main window's do; at 100 % they take the application's style.
  QStyle* previous = style_;
  style_ = zoom == 100 ? nullptr : new ClassicStyle(zoom);
  if (style_ != nullptr) style_->setParent(this);
  if (style_ != nullptr || previous != nullptr) {
    for (QWidget* control : findChildren<QWidget*>()) control->setStyle(style_);
  }
  delete previous;
  static_cast<SolutionDrawing*>(drawing_)->SetZoom(zoom);
}

void SolutionWindow::Refresh() {
  const auto unit = static_cast<LengthUnit>(std::max(units_->currentIndex(), 0));
  ShownSolution shown = source_.solution(unit, ChosenStyle());
  const bool solution = std::holds_alternative<WorkedSolution>(shown);
  if (solution) {
    shown_ = std::get<WorkedSolution>(std::move(shown));
  } else {
    shown_ = WorkedSolution{};
    shown_.lines.push_back(std::get<SolutionPrompt>(shown).text);
  }
  const QString text = SolutionText(shown_);
  if (text_->WrittenText() != text) text_->SetText(text);
  // A page only of a solution, not of a line that says what to do.
  print_->setEnabled(solution);
  save_pdf_->setEnabled(solution);
  net_->setEnabled(shown_.box);
  drawing_->setVisible(shown_.box);
  drawing_->update();
}

SolutionStyle SolutionWindow::ChosenStyle() const {
  return {kGrades[static_cast<std::size_t>(std::max(grades_->currentIndex(), 0))].grade,
          kRoundings[static_cast<std::size_t>(std::max(roundings_->currentIndex(), 0))].decimals};
}

void SolutionWindow::KeepStyle() {
  if (!settings_) return;
  const SolutionStyle style = ChosenStyle();
  settings_->setValue(QLatin1String(kGradeKey), style.grade);
  settings_->setValue(QLatin1String(kRoundingKey), style.decimals);
}

// With which step of the main window's its own zoom was chosen, kept
// beside its step.
QString SolutionWindow::WithMainStepKey() const {
  return QLatin1String(source_.zoom_group) + QStringLiteral("/with-main-step");
}

std::size_t SolutionWindow::OpeningStep() const {
  const std::size_t main_step = main_step_();
  const std::optional<std::size_t> kept = zoom_->KeptStep();
  if (kept && settings_ &&
      settings_->value(WithMainStepKey()).toInt() == static_cast<int>(main_step)) {
    return *kept;
  }
  return main_step;
}

void SolutionWindow::PlaceBesideMainWindow() {
  const QWidget* main_window = parentWidget();
  const QScreen* screen = main_window->screen();
  if (screen == nullptr) return;
  // Before it was first shown, a window knows nothing of its frame: the main
  // window's, from the same window manager, stands in for it.
  const QWidget* framed = testAttribute(Qt::WA_WState_ExplicitShowHide) ? this : main_window;
  const QRect outer = framed->frameGeometry(), inner = framed->geometry();
  const FrameMargins margins{inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom()};
  const auto rect = [](const QRect& r) { return ScreenRect{r.x(), r.y(), r.width(), r.height()}; };
  const Placement placed =
      PlaceBeside(rect(main_window->frameGeometry()), rect(screen->availableGeometry()), width(),
                  height(), margins, kGap);
  resize(placed.client_width, placed.client_height);
  move(placed.frame.x, placed.frame.y);
}

void SolutionWindow::Open() {
  if (!isVisible()) {
    zoom_->SetStep(OpeningStep());
    PlaceBesideMainWindow();
  }
  Refresh();
  show();
  raise();
  activateWindow();
  // What is written over the solution takes the keys; else Ctrl+A, Ctrl+C
  // copy the whole solution at once.
  if (above_ != nullptr) {
    above_->setFocus();
  } else {
    text_->setFocus();
  }
}

FileWriteOutcome SolutionWindow::SavePdf(const QString& path) const {
  return SaveSolutionPdf(path, shown_, net_->isChecked());
}

void SolutionWindow::AskAndPrint() {
  const PrintOutcome outcome =
      PrintPage(this, Text(source_.title), [this](QPagedPaintDevice& device) {
        return PaintSolutionPages(device, QString::fromUtf8(kProgramTitle), shown_,
                                  net_->isChecked());
      });
  if (outcome == PrintOutcome::kFailed || outcome == PrintOutcome::kUnavailable) {
    QMessageBox::warning(this, Text(source_.title),
                         QString::fromUtf8(outcome == PrintOutcome::kFailed ? kPrintFailed
                                                                            : kPrintUnavailable));
  }
}

void SolutionWindow::AskAndSavePdf() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  // A dialog of its own, so that a name typed without ".pdf" gets it, and
  // the overwrite question is asked of the name with it.
  QFileDialog dialog(this, QString::fromUtf8(kSavePdfCaption),
                     folder + QLatin1Char('/') + QString::fromUtf8(kDefaultPdfName),
                     QStringLiteral("PDF (*.pdf)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().constFirst();
  const FileWriteOutcome outcome = SavePdf(path);
  if (outcome != FileWriteOutcome::kWritten) {
    QMessageBox::warning(this, Text(source_.title),
                         QString::fromUtf8(SaveFailure(outcome)).arg(path));
  }
}

}  // namespace prism
