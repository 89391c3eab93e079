// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/solution/problem_window.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSettings>

#include "window/look/fonts.h"
#include "window/model/written_problem.h"
#include "window/solution/solution_window.h"

namespace prism {
namespace {

constexpr char kTextKey[] = "problem/text";
constexpr char kZoomGroup[] = "problem-zoom";
// Lines of the text box at 100 %: a problem's few data.
constexpr int kTextLines = 5;

// Keeps a text box as tall as its lines at every zoom: the window's font
// comes to it with each step.
class LinesTall : public QObject {
 public:
  LinesTall(QPlainTextEdit* text, int lines) : QObject(text), text_(text), lines_(lines) {
    text->installEventFilter(this);
    Fit();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FontChange) Fit();
    return QObject::eventFilter(watched, event);
  }

 private:
  void Fit() {
    // Half a line more than its lines, for the margins a plain text keeps
    // above and below its first and last.
    text_->setFixedHeight(text_->fontMetrics().lineSpacing() * (2 * lines_ + 1) / 2 + 2 * text_->frameWidth() +
                          static_cast<int>(2 * text_->document()->documentMargin()));
  }

  QPlainTextEdit* text_;
  int lines_;
};

}  // namespace

SolutionWindow* MakeProblemWindow(QWidget* main_window, std::function<std::size_t()> main_step,
                                  QSettings* settings, const NumberFormat& format) {
  auto* text = new QPlainTextEdit;
  text->setObjectName(QStringLiteral("ProblemText"));
  text->setAccessibleName(Text(kProblemTextName));
  text->setTabChangesFocus(true);
  text->setPlaceholderText(Text(kProblemPrompt));
  if (settings != nullptr) text->setPlainText(settings->value(QLatin1String(kTextKey)).toString());
  const QPointer<QPlainTextEdit> source_text(text);
  SolutionSource source{[source_text, format](LengthUnit unit, SolutionStyle style) {
                          const std::string written =
                              source_text ? source_text->toPlainText().toStdString() : std::string();
                          return WrittenProblemSolution(written, format,
                                                        unit == LengthUnit::kNone
                                                            ? std::nullopt
                                                            : std::optional<LengthUnit>(unit),
                                                        style);
                        },
                        kProblemTitle, kProblemKey, "Problem", kZoomGroup};
  auto* window = new SolutionWindow(std::move(source), main_window, std::move(main_step), settings, text);
  new LinesTall(text, kTextLines);
  QObject::connect(text, &QPlainTextEdit::textChanged, window, [window, text, settings] {
    if (settings != nullptr) settings->setValue(QLatin1String(kTextKey), text->toPlainText());
    window->Refresh();
  });
  return window;
}

}  // namespace prism
