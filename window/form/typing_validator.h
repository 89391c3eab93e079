// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

namespace prism {

class WindowModel;

// Asks the model, before a keystroke or paste changes a value field, what the
// field may hold after it. An edit the model refuses is undone, and stands
// as the model's refusal: the field then reports the input rejected, and the
// window shows the hint. Text the program sets is never refused.
class TypingValidator : public QValidator {
 public:
  TypingValidator(WindowModel& model, int field, QObject* parent)
      : QValidator(parent), model_(model), field_(field) {}

  State validate(QString& input, int& cursor) const override;

 private:
  WindowModel& model_;
  int field_;
};

}  // namespace prism
