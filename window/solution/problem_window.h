// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window "Задача": the text box "Условие", where the pupil writes the
// data as in the notebook, over the same view as the solution window's,
// which follows what is written. The text is kept between starts.

#include <cstddef>
#include <functional>

#include "solver/field_number.h"

class QSettings;
class QWidget;

namespace prism {

class SolutionWindow;

// Made once, at its first opening, beside the main window that owns it.
SolutionWindow* MakeProblemWindow(QWidget* main_window, std::function<std::size_t()> main_step,
                                  QSettings* settings, const NumberFormat& format);

}  // namespace prism
