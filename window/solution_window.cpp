// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/solution_window.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <array>

#include "prism/program_info.h"
#include "window/box_drawing.h"
#include "window/box_sketch.h"
#include "window/classic_style.h"
#include "window/controls.h"
#include "window/page_printer.h"
#include "window/placement.h"
#include "window/window_model.h"
#include "window/zoom.h"

namespace prism {
namespace {

constexpr char kUnitCaption[] = "Мерна единица:";
constexpr char kPrintCaption[] = "Печат…";
constexpr char kSavePdfCaption[] = "Запиши като PDF…";
constexpr char kPrintFailed[] = "Решението не можа да бъде отпечатано.";
constexpr char kPrintUnavailable[] =
    "Печатът не е достъпен: липсва част от програмата. Запишете решението като PDF.";
constexpr char kDefaultPdfName[] = "решение.pdf";
constexpr char kNotToScale[] = "(не е в мащаб)";
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

// Where its zoom is kept, beside the main window's, and with which step of
// the main window's it was chosen.
constexpr char kZoomGroup[] = "solution-zoom";
constexpr char kWithMainStepKey[] = "solution-zoom/with-main-step";

// The window at 100 %: room for the drawing and some twenty lines.
constexpr PixelSize kDesign{560, 640};
constexpr int kDrawingHeight = 190;
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
    setFixedHeight(Zoomed(kDrawingHeight, zoom));
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    PaintSolutionBox(painter, QRectF(rect()).adjusted(kGap, kGap, -kGap, -kGap), shown_,
                     2.0 * LineWidth(zoom_));
  }

 private:
  const WorkedSolution& shown_;
  int zoom_ = 100;
};

}  // namespace

void PaintSolutionBox(QPainter& painter, const QRectF& area, const WorkedSolution& solution,
                      qreal line_width) {
  if (!solution.box) return;
  const QFontMetricsF metrics(painter.font());
  const auto label = [&](std::size_t edge) {
    return QString::fromStdString(solution.edge_labels[edge]);
  };
  const qreal line = metrics.height();
  const qreal left = metrics.horizontalAdvance(label(2)) + line / 2;
  const qreal right = metrics.horizontalAdvance(label(1)) + line / 2;
  const std::optional<BoxSketch> sketch =
      SketchBox(solution.values[Quantity::kA], solution.values[Quantity::kB],
                solution.values[Quantity::kC], area.width() - left - right,
                area.height() - 2.5 * line);
  if (!sketch) return;
  const qreal width = sketch->front_width + sketch->depth;
  // The box in the middle of the space its labels leave.
  const QPointF origin(area.left() + left + (area.width() - left - right - width) / 2,
                       area.top() + sketch->depth + sketch->front_height);
  const QPointF depth(sketch->depth, -sketch->depth);
  const QPointF front_bl = origin, front_br = origin + QPointF(sketch->front_width, 0);
  const QPointF front_tl = origin - QPointF(0, sketch->front_height);
  const QPointF back_br = front_br + depth;

  painter.save();
  PaintObliqueBox(painter, {front_tl, front_br, depth}, line_width, line_width / 2);
  painter.setPen(Qt::black);
  const qreal below = origin.y() + line / 4;
  painter.drawText(QRectF(front_bl.x() - left, below, sketch->front_width + 2 * left, line),
                   Qt::AlignHCenter | Qt::AlignTop, label(0));
  painter.drawText(QRectF(front_bl.x() - left, front_tl.y(), left - line / 4, sketch->front_height),
                   Qt::AlignRight | Qt::AlignVCenter, label(2));
  // Right of the receding bottom edge, clear of the grey face.
  const QPointF b_middle = (front_br + back_br) / 2;
  painter.drawText(QRectF(back_br.x() + line / 4, b_middle.y() - line / 2, right, line),
                   Qt::AlignLeft | Qt::AlignVCenter, label(1));
  if (!sketch->to_scale) {
    painter.drawText(QRectF(area.left(), below + line, area.width(), line),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromUtf8(kNotToScale));
  }
  painter.restore();
}

bool PaintSolutionPage(QPagedPaintDevice& device, const QString& title,
                       const WorkedSolution& solution) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRectF page(0, 0, device.width(), device.height());
  QFont font(WindowFontFamily());
  font.setPointSizeF(11);
  QFont heading = font;
  heading.setPointSizeF(14);
  heading.setBold(true);
  painter.setPen(Qt::black);
  painter.setFont(heading);
  const qreal heading_height = QFontMetricsF(heading, &device).height();
  painter.drawText(QRectF(page.left(), page.top(), page.width(), heading_height * 2),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, title);
  qreal top = page.top() + heading_height * 2.5;
  painter.setFont(font);
  const QFontMetricsF metrics(font, &device);
  if (solution.box) {
    const qreal drawing = page.height() / 4;
    PaintSolutionBox(painter, QRectF(page.left(), top, page.width(), drawing), solution,
                     metrics.height() / 10);
    top += drawing + metrics.height();
  }
  // One page: the lines smaller where there are too many for it.
  const auto lines = static_cast<qreal>(solution.lines.size());
  if (lines * metrics.height() > page.bottom() - top) {
    font.setPointSizeF(font.pointSizeF() * (page.bottom() - top) / (lines * metrics.height()));
    painter.setFont(font);
  }
  const qreal line_height = QFontMetricsF(font, &device).height();
  for (const std::string& line : solution.lines) {
    painter.drawText(QRectF(page.left(), top, page.width(), line_height),
                     Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(line));
    top += line_height;
  }
  return painter.end();
}

SolutionWindow::SolutionWindow(const WindowModel& model, QWidget* main_window,
                               std::function<std::size_t()> main_step, QSettings* settings)
    : QWidget(main_window, Qt::Window),
      model_(model),
      main_step_(std::move(main_step)),
      settings_(settings) {
  setObjectName(QStringLiteral("Solution"));
  setWindowTitle(Text(kSolutionTitle) + QString::fromUtf8(" – ") +
                 QString::fromUtf8(kProgramTitle));
  setWindowIcon(main_window->windowIcon());
  setPalette(ClassicPalette());
  setAutoFillBackground(true);

  auto* unit_label = new QLabel(QString::fromUtf8(kUnitCaption), this);
  units_ = new QComboBox(this);
  for (const LengthUnitInfo& unit : kLengthUnits) units_->addItem(Text(unit.name));
  unit_label->setBuddy(units_);
  print_ = new QPushButton(QString::fromUtf8(kPrintCaption), this);
  save_pdf_ = new QPushButton(QString::fromUtf8(kSavePdfCaption), this);
  drawing_ = new SolutionDrawing(shown_, this);
  text_ = new InfoText(this);
  text_->setObjectName(QStringLiteral("SolutionText"));
  text_->setAccessibleName(Text(kSolutionTitle));
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);

  auto* controls = new QHBoxLayout;
  controls->addWidget(unit_label);
  controls->addWidget(units_);
  controls->addStretch();
  controls->addWidget(print_);
  controls->addWidget(save_pdf_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(drawing_);
  layout->addWidget(text_, 1);

  // F2 opened it; F2 or Esc closes it.
  auto* close_action = new QAction(this);
  close_action->setShortcuts({QKeySequence(Text(kSolutionKey)), QKeySequence(Qt::Key_Escape)});
  close_action->setShortcutContext(Qt::WindowShortcut);
  connect(close_action, &QAction::triggered, this, &QWidget::close);
  addAction(close_action);
  connect(units_, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  connect(print_, &QPushButton::clicked, this, [this] { AskAndPrint(); });
  connect(save_pdf_, &QPushButton::clicked, this, [this] { AskAndSavePdf(); });

  zoom_.emplace(
      this,
      [this](std::size_t step) {
        ApplyZoom(step);
        // The main window's step the step was chosen at: while that stands,
        // the solution opens at its own.
        if (settings_) settings_->setValue(QLatin1String(kWithMainStepKey), static_cast<int>(main_step_()));
      },
      settings, ZoomLayout{kDesign, false, kZoomGroup});
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
  shown_ = model_.Solution(unit);
  const QString text = SolutionText(shown_);
  if (text_->toPlainText() != text) text_->setPlainText(text);
  // A page only of a solution, not of a line that says what to do.
  print_->setEnabled(shown_.lines.size() > 1);
  save_pdf_->setEnabled(shown_.lines.size() > 1);
  drawing_->setVisible(shown_.box);
  drawing_->update();
}

std::size_t SolutionWindow::OpeningStep() const {
  const std::size_t main_step = main_step_();
  const std::optional<std::size_t> kept = zoom_->KeptStep();
  if (kept && settings_ &&
      settings_->value(QLatin1String(kWithMainStepKey)).toInt() == static_cast<int>(main_step)) {
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
  // Ctrl+A, Ctrl+C copy the whole solution at once.
  text_->setFocus();
}

FileWriteOutcome SaveSolutionPdf(const QString& path, const WorkedSolution& solution) {
  // The page is made whole in memory first, so that nothing touches the
  // disk until it is known.
  QByteArray page;
  {
    QBuffer buffer(&page);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    writer.setTitle(Text(kSolutionTitle));
    writer.setCreator(QString::fromUtf8(kProgramName));
    if (!PaintSolutionPage(writer, QString::fromUtf8(kProgramTitle), solution)) {
      return FileWriteOutcome::kFailed;
    }
  }
  return WriteWholeFile(path, page);
}

FileWriteOutcome SolutionWindow::SavePdf(const QString& path) const {
  return SaveSolutionPdf(path, shown_);
}

void SolutionWindow::AskAndPrint() {
  const PrintOutcome outcome =
      PrintPage(this, Text(kSolutionTitle), [this](QPagedPaintDevice& device) {
        return PaintSolutionPage(device, QString::fromUtf8(kProgramTitle), shown_);
      });
  if (outcome == PrintOutcome::kFailed || outcome == PrintOutcome::kUnavailable) {
    QMessageBox::warning(this, Text(kSolutionTitle),
                         QString::fromUtf8(outcome == PrintOutcome::kFailed ? kPrintFailed
                                                                            : kPrintUnavailable));
  }
}

void SolutionWindow::AskAndSavePdf() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString path = QFileDialog::getSaveFileName(
      this, QString::fromUtf8(kSavePdfCaption),
      folder + QLatin1Char('/') + QString::fromUtf8(kDefaultPdfName), QStringLiteral("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  const FileWriteOutcome outcome = SavePdf(path);
  if (outcome != FileWriteOutcome::kWritten) {
    QMessageBox::warning(this, Text(kSolutionTitle),
                         QString::fromUtf8(SaveFailure(outcome)).arg(path));
  }
}

}  // namespace prism
