// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The worked solution's window: the box drawn to its numbers above the
// whole solution, in a unit of the user's choice, to read on the board, copy,
// or save as a PDF page. It shows the main window's model: the solution of
// the last calculation while the fields hold its numbers, else what to do.

#include <QPointer>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

#include "solver/worked_solution.h"
#include "window/model/window_model.h"
#include "window/page/solution_page.h"
#include "window/page/whole_file.h"
#include "solver/solution_style.h"
#include "window/zoom/zoom_controller.h"

class QComboBox;
class QLabel;
class QPagedPaintDevice;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QSettings;
class QStyle;

namespace prism {

class InfoText;

// What a solution window shows, and what it is called.
struct SolutionSource {
  // The solution as it now stands, in the unit chosen, written for the
  // grade and rounded as chosen; or what to do.
  std::function<ShownSolution(LengthUnit, SolutionStyle)> solution;
  std::string_view title;  // its title, and its text's accessible name: "Решение"
  std::string_view key;    // the key that opens and closes it: "F2"
  std::string_view name;   // its object name, as tests find it
  const char* zoom_group;  // the settings its zoom is kept under
};

class SolutionWindow : public QWidget {
 public:
  // A window of its own beside the main window, which owns it; main_step
  // tells the main window's zoom step. settings, where given, keeps its own
  // step beside the main window's; it must outlive the window. above, where
  // given, stands over the solution and takes the focus when it opens.
  SolutionWindow(SolutionSource source, QWidget* main_window, std::function<std::size_t()> main_step,
                 QSettings* settings = nullptr, QWidget* above = nullptr);
  ~SolutionWindow() override;

  // Shows the solution as it now stands.
  void Refresh();
  // Opened beside the main window, wholly on its screen, and made the
  // active window: at the main window's zoom step, or at the step the user
  // gave it since the main window's last changed.
  void Open();

  const WorkedSolution& shown() const { return shown_; }
  ZoomController& zoom() { return *zoom_; }
  // Writes the page to the file; false, with the file untouched, where it
  // cannot be written.
  FileWriteOutcome SavePdf(const QString& path) const;

 private:
  void ApplyZoom(std::size_t step);
  std::size_t OpeningStep() const;
  QString WithMainStepKey() const;
  void PlaceBesideMainWindow();
  void AskAndSavePdf();
  void AskAndPrint();
  SolutionStyle ChosenStyle() const;
  void KeepStyle();

  SolutionSource source_;
  QWidget* above_ = nullptr;
  QComboBox* units_ = nullptr;
  QComboBox* grades_ = nullptr;
  QComboBox* roundings_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* save_pdf_ = nullptr;
  QPushButton* net_ = nullptr;
  QWidget* drawing_ = nullptr;
  InfoText* text_ = nullptr;
  WorkedSolution shown_;
  // The controls' style at a zoom other than 100 %.
  QStyle* style_ = nullptr;
  std::function<std::size_t()> main_step_;
  QPointer<QSettings> settings_;
  std::optional<ZoomController> zoom_;
};

}  // namespace prism
