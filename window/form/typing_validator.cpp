// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form/typing_validator.h"

#include "window/model/window_model.h"

namespace prism {

QValidator::State TypingValidator::validate(QString& input, int& cursor) const {
  const std::optional<TypedEdit> fitted = model_.FitTyping(field_, input.toStdString());
  if (!fitted) return Invalid;
  if (fitted->refusal != Refusal::kNone) {
    model_.EditRefused(field_, fitted->refusal);
    return Invalid;
  }
  const QString text = QString::fromStdString(fitted->text);
  if (text != input) {
    input = text;
    // The model counts characters; Qt counts UTF-16 units.
    cursor = static_cast<int>(
        QString::fromStdU32String(text.toStdU32String().substr(0, fitted->cursor)).size());
  }
  return Acceptable;
}

}  // namespace prism
