// SPDX-License-Identifier: GPL-3.0-or-later
// A long random session in the real window: key presses, clicks on both
// buttons and on the list, checking after each that the widgets show exactly
// the model's state. PRISM_SESSION_EVENTS sets the length (default 3000).

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <random>

#include "window/form/dravik.h"

namespace prism {
namespace {

int SessionEvents() {
  bool ok = false;
  const int events = qEnvironmentVariableIntValue("PRISM_SESSION_EVENTS", &ok);
  return ok && events > 0 ? events : 3000;
}

class Session {
 public:
  explicit Session(NumberFormat format) : window_(std::move(format)) {
    window_.Load();
    window_.show();
    window_.activateWindow();
    for (int i = 0; i < 5; ++i) fields_[i] = Find<QLineEdit>("Text2", i);
    for (int i = 0; i < 5; ++i) checks_[i] = Find<QCheckBox>("Check1", i);
    for (int i = 0; i < 2; ++i) buttons_[i] = Find<QPushButton>("Command1", i);
    list_ = Find<QListWidget>("List1", 0);
  }

  bool active() { return QTest::qWaitForWindowActive(&window_); }

  // One random user action; true when it pressed calculate.
  bool Act(std::mt19937& random) {
    const int kind = static_cast<int>(random() % 20);
    if (kind < 14) {
      // Mostly into the fields the user may edit, sometimes into the others.
      std::size_t index = random() % 5;
      for (int tries = 0; tries < 4 && window_.model().fields()[index].read_only; ++tries) {
        index = random() % 5;
      }
      QLineEdit* field = fields_[index];
      if (QApplication::focusWidget() != field || random() % 4 == 0) {
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(static_cast<int>(random() % 80) + 4, 12));
      }
      static const char kChars[] = "01234567890123456789123456789.,-eE a";
      static const Qt::Key kKeys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                      Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
      const unsigned what = random() % 10;
      if (what < 7) {
        QTest::keyClick(field, kChars[random() % (sizeof kChars - 1)]);
      } else if (what < 9) {
        QTest::keyClick(field, kKeys[random() % std::size(kKeys)]);
      } else {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
      }
    } else if (kind < 18) {
      QTest::mouseClick(buttons_[kind < 17 ? 0 : 1], Qt::LeftButton);
      return kind < 17;
    } else if (kind < 19) {
      QListWidgetItem* item = list_->item(static_cast<int>(random() % 10));
      list_->scrollToItem(item);
      QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, list_->visualItemRect(item).center());
    } else {
      static const Qt::Key kListKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End,
                                          Qt::Key_PageDown};
      list_->setFocus();
      QTest::keyClick(list_, kListKeys[random() % std::size(kListKeys)]);
    }
    return false;
  }

  // The widgets show exactly the model's state; returns what differs.
  std::string Mismatch() const {
    const WindowModel& model = window_.model();
    for (std::size_t i = 0; i < 5; ++i) {
      const FieldState& state = model.fields()[i];
      const std::string shown = fields_[i]->text().toStdString();
      if (shown != state.text) return "text of field " + std::to_string(i) + ": " + shown;
      if (shown.find("inf") != std::string::npos || shown.find("nan") != std::string::npos) {
        return "field " + std::to_string(i) + " shows " + shown;
      }
      if (fields_[i]->isReadOnly() != state.read_only) return "read-only " + std::to_string(i);
      if (checks_[i]->isChecked() != state.known) return "check " + std::to_string(i);
      if (checks_[i]->isEnabled()) return "enabled " + std::to_string(i);
      // A computed value's derivation, else the whole text where it does not fit.
      const QString tip = fields_[i]->toolTip();
      if (!state.derivation.empty() && tip.toStdString() != state.derivation) {
        return "tooltip " + std::to_string(i) + ": " + tip.toStdString();
      }
      if (state.derivation.empty() && !tip.isEmpty() && tip != fields_[i]->text()) {
        return "stale tooltip " + std::to_string(i) + ": " + tip.toStdString();
      }
      if (fields_[i]->accessibleDescription().toStdString() != state.derivation) {
        return "description " + std::to_string(i);
      }
    }
    if (list_->currentRow() != model.selected_entry()) return "list selection";
    return {};
  }

  const WindowModel& model() const { return window_.model(); }

 private:
  template <typename T>
  T* Find(const char* array, int index) const {
    return window_.findChild<T*>(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index));
  }

  Dravik window_;
  std::array<QLineEdit*, 5> fields_{};
  std::array<QCheckBox*, 5> checks_{};
  std::array<QPushButton*, 2> buttons_{};
  QListWidget* list_ = nullptr;
};

TEST(RandomSession, WidgetsShowTheModelAfterEveryEvent) {
  const int events = SessionEvents();
  std::mt19937 random(8122026);
  const NumberFormat formats[] = {{}, {",", ".", {3, 3}}};
  int calculated = 0;
  for (const NumberFormat& format : formats) {
    Session session(format);
    ASSERT_TRUE(session.active());
    for (int i = 0; i < events / 2; ++i) {
      const bool pressed_calculate = session.Act(random);
      ASSERT_EQ(session.Mismatch(), "") << "after event " << i;
      // A solved box fills the two computed fields, which the user cannot type into.
      const Combination& row = kCombinationTable[static_cast<std::size_t>(session.model().selected_entry())];
      if (pressed_calculate && !session.model().field(row.computed[0]).text.empty()) ++calculated;
    }
  }
  // The session must reach the formulas, not only rejections.
  EXPECT_GT(calculated, events / 100);
  std::printf("%d events, %d of them calculations that solved a box\n", events, calculated);
}

}  // namespace
}  // namespace prism
