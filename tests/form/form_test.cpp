// SPDX-License-Identifier: GPL-3.0-or-later
// The real window, driven with key presses and mouse clicks on the offscreen
// platform.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGlyphRun>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointingDevice>
#include <QStyleHints>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTextBlock>
#include <QTextLayout>
#include <QRawFont>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTranslator>
#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

#include "app/messages.h"
#include "prism/program_info.h"
#include "solver/worked_solution.h"
#include "window/form/application.h"
#include "window/form/embedded_resources.h"
#include "window/page/box_drawing.h"
#include "window/look/classic_style.h"
#include "window/controls/controls.h"
#include "window/look/fonts.h"
#include "window/model/written_problem.h"
#include "window/page/box_sketch.h"
#include "window/form/dravik.h"
#include "window/solution/page_printer.h"
#include "window/page/solution_page.h"
#include "window/solution/solution_window.h"
#include "window/page/whole_file.h"
#include "window/zoom/zoom.h"

namespace prism {
namespace {

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<Dravik>();
    window_->Load();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  template <typename T>
  T* Control(const char* name) const {
    T* control = window_->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QLineEdit* Field(int i) const { return Control<QLineEdit>(Name("Text2", i).constData()); }
  QCheckBox* Check(int i) const { return Control<QCheckBox>(Name("Check1", i).constData()); }
  QPushButton* Button(int i) const { return Control<QPushButton>(Name("Command1", i).constData()); }
  QListWidget* List() const { return Control<QListWidget>("List1(0)"); }

  static QByteArray Name(const char* array, int index) {
    return QByteArray(array) + '(' + QByteArray::number(index) + ')';
  }

  void Type(int field, const QString& keys) {
    QTest::mouseClick(Field(field), Qt::LeftButton);
    QTest::keyClicks(Field(field), keys);
  }

  QStringList Texts() const {
    QStringList texts;
    for (int i = 0; i < 5; ++i) texts << Field(i)->text();
    return texts;
  }

  std::unique_ptr<Dravik> window_;
};

TEST_F(FormTest, StartsWithTheFirstCombination) {
  ASSERT_EQ(List()->count(), 10);
  for (int row = 0; row < 10; ++row) {
    EXPECT_EQ(List()->item(row)->text().toStdString(), kCombinationTable[row].caption);
  }
  EXPECT_EQ(List()->currentRow(), 0);
  EXPECT_TRUE(List()->item(0)->isSelected());
  for (int i = 0; i < 5; ++i) {
    const bool known = i < 3;
    EXPECT_EQ(Check(i)->isChecked(), known) << i;
    EXPECT_FALSE(Check(i)->isEnabled()) << i;
    EXPECT_EQ(Field(i)->isReadOnly(), !known) << i;
    EXPECT_TRUE(Field(i)->text().isEmpty()) << i;
  }
  EXPECT_EQ(QApplication::focusWidget(), Control<QPlainTextEdit>("Text1(0)"));
  EXPECT_EQ(window_->windowTitle(),
            QString::fromUtf8(kWebAddress) + " Математика - призма, повърхнина и обем");
  EXPECT_FALSE(window_->windowIcon().isNull());
}

TEST_F(FormTest, SolvesTheWorkedExampleFromTheKeyboard) {
  QTest::mouseClick(Button(0), Qt::LeftButton);
  EXPECT_EQ(Texts(), QStringList({"", "", "", "", ""})) << "nothing to calculate yet";

  Type(0, "3");
  Type(1, "4");
  Type(2, "5");
  QTest::keyClick(Field(4), Qt::Key_Enter);  // Enter in a field calculates, read-only too
  EXPECT_EQ(Texts(),
            QStringList({"3.0000000", "4.0000000", "5.0000000", "70.0000000", "60.0000000"}));
  EXPECT_EQ(window_->model().field(Quantity::kS).text, "70.0000000");

  Button(1)->setFocus();
  QTest::keyClick(Button(1), Qt::Key_Return);  // Return presses a focused button
  EXPECT_EQ(Texts(), QStringList({"", "", "", "", ""}));
  EXPECT_TRUE(Check(0)->isChecked());
  EXPECT_FALSE(Field(0)->isReadOnly());
  EXPECT_TRUE(Field(3)->isReadOnly());
}

TEST_F(FormTest, TypingStopsAtSevenCharactersButResultsStayWhole) {
  Type(0, "12345678");
  EXPECT_EQ(Field(0)->text(), "1234567");
  EXPECT_EQ(window_->model().field(Quantity::kA).text, "1234567");

  // A paste past the limit changes nothing and says why; a pasted line's end is dropped.
  QApplication::clipboard()->setText("98765432");
  QTest::mouseClick(Field(1), Qt::LeftButton);
  QTest::keyClick(Field(1), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Field(1)->text(), "");
  EXPECT_EQ(QToolTip::text(), QString::fromUtf8(RefusalHint(Refusal::kTooLong)));
  QApplication::clipboard()->setText("2.5\r\n");
  QTest::keyClick(Field(1), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Field(1), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Field(1)->text(), "2.5");
  EXPECT_FALSE(window_->model().refusal().alert());

  Type(2, "3");
  QTest::mouseClick(Button(0), Qt::LeftButton);
  EXPECT_EQ(Field(0)->text(), "1234567.0000000");
  EXPECT_EQ(Field(4)->text(), "9259252.5000000");

  // A result longer than the limit takes no more characters, but can be edited.
  QTest::mouseClick(Field(1), Qt::LeftButton);
  QTest::keyClick(Field(1), Qt::Key_End);
  QTest::keyClicks(Field(1), "1");
  EXPECT_EQ(Field(1)->text(), "2.5000000");
  EXPECT_EQ(QToolTip::text(), QString::fromUtf8(RefusalHint(Refusal::kTooLong)));
  QTest::keyClick(Field(1), Qt::Key_Backspace);
  EXPECT_EQ(Field(1)->text(), "2.500000");
  EXPECT_EQ(window_->model().field(Quantity::kB).text, "2.500000");

  // Entered by Tab, Shift+Tab or Ctrl+A, a field selects all from its first
  // digit, which it shows.
  for (const auto& [key, modifier, into] : {std::tuple{Qt::Key_Tab, Qt::NoModifier, 2},
                                            {Qt::Key_Backtab, Qt::ShiftModifier, 1},
                                            {Qt::Key_A, Qt::ControlModifier, 1}}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClick(QApplication::focusWidget(), key, modifier);
    EXPECT_EQ(QApplication::focusWidget(), Field(into)) << key;
    EXPECT_EQ(Field(into)->selectedText(), Field(into)->text()) << key;
    EXPECT_EQ(Field(into)->cursorPosition(), 0) << key;
  }
}

TEST_F(FormTest, ReadOnlyFieldsTakeNoTypingButCanBeFocused) {
  Type(3, "9");
  EXPECT_EQ(Field(3)->text(), "");
  EXPECT_EQ(QApplication::focusWidget(), Field(3));
  QTest::mouseClick(Check(3), Qt::LeftButton);
  EXPECT_FALSE(Check(3)->isChecked());
}

TEST_F(FormTest, ArrowKeysChangeTheCombination) {
  Type(0, "3");
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_Down);
  EXPECT_EQ(List()->currentRow(), 1);
  EXPECT_EQ(Texts(), QStringList({"", "", "", "", ""}));
  const bool row1[] = {true, true, false, true, false};  // a, b, S
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Check(i)->isChecked(), row1[i]) << i;
    EXPECT_EQ(Field(i)->isReadOnly(), !row1[i]) << i;
  }
  QTest::keyClick(List(), Qt::Key_End);
  EXPECT_EQ(List()->currentRow(), 9);
  EXPECT_EQ(window_->model().selected_entry(), 9);
  EXPECT_TRUE(Check(2)->isChecked());
  EXPECT_FALSE(Check(0)->isChecked());

  // Clicking the entry already selected keeps what was typed.
  Type(2, "5");
  const QRect last = List()->visualItemRect(List()->item(9));
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, last.center());
  EXPECT_EQ(Field(2)->text(), "5");
}

// A long result is read from its first digit, after every press, and its
// tooltip holds it whole.
TEST_F(FormTest, LongResultsShowTheirFirstDigit) {
  Type(0, "3");
  Type(1, "4");
  Type(2, "78900");
  for (int press = 0; press < 2; ++press) {
    QTest::mouseClick(Button(0), Qt::LeftButton);
    ASSERT_EQ(Field(4)->text(), "946800.0000000");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Field(i)->cursorPosition(), 0) << i;
    EXPECT_EQ(Field(2)->toolTip(), Field(2)->text());
    EXPECT_EQ(Field(0)->toolTip(), "") << "3.0000000 fits";
    // A computed value tells how it was obtained instead.
    EXPECT_EQ(Field(3)->toolTip(),
              "S = 2·(a·c + b·c)\nS = 2·(3·78900 + 4·78900)\nS = 1104600\nЦялото решение: F2");
    // What the field shows is what a field with the cursor at its start shows.
    QLineEdit reference(Field(4)->text(), Field(4)->parentWidget());
    reference.setGeometry(Field(4)->geometry());
    reference.setReadOnly(true);
    reference.setCursorPosition(0);
    reference.show();
    EXPECT_EQ(Field(4)->grab().toImage(), reference.grab().toImage()) << "press " << press;
  }
}

// A refused press sounds, focuses what to fix with its text selected, and
// says why beside it.
TEST_F(FormTest, RefusedPressSaysWhy) {
  Type(0, "3");
  Type(1, "-4");
  Type(2, "5");
  QTest::mouseClick(Button(0), Qt::LeftButton);
  EXPECT_EQ(QApplication::focusWidget(), Field(1));
  EXPECT_EQ(Field(1)->selectedText(), "-4");
  EXPECT_EQ(QToolTip::text(), "Въведете положително число.");
  QTest::keyClicks(Field(1), "4");
  EXPECT_EQ(Field(1)->text(), "4") << "typing replaces the selection";
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000))
      << "the hint goes with its reason";

  List()->setCurrentRow(9);  // c, S, V
  Type(2, "1");
  Type(3, "2");
  Type(4, "1");
  QTest::keyClick(Field(4), Qt::Key_Return);
  EXPECT_EQ(QToolTip::text(), "Няма правоъгълен паралелепипед с тези стойности.");
  EXPECT_EQ(Texts(), QStringList({"", "", "1", "2", "1"}));
  QToolTip::hideText();
}

TEST_F(FormTest, ListAlwaysKeepsOneEntrySelected) {
  const QRect first = List()->visualItemRect(List()->item(0));
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::ControlModifier, first.center());
  EXPECT_EQ(List()->selectedItems().size(), 1);
  QTest::keyClick(List(), Qt::Key_Space, Qt::ControlModifier);
  EXPECT_EQ(List()->selectedItems().size(), 1);
  QTest::keyClick(List(), Qt::Key_Down, Qt::ControlModifier);
  QTest::keyClick(List(), Qt::Key_Space, Qt::ControlModifier);
  ASSERT_EQ(List()->selectedItems().size(), 1);
  EXPECT_EQ(List()->selectedItems().first(), List()->item(List()->currentRow()));
  EXPECT_EQ(window_->model().selected_entry(), List()->currentRow());

  // Only the left button chooses: a right or middle click keeps what was typed.
  Type(0, "3");
  const QPoint other = List()->visualItemRect(List()->item(5)).center();
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    QTest::mouseClick(List()->viewport(), button, {}, other);
    EXPECT_NE(List()->currentRow(), 5);
    EXPECT_EQ(Field(0)->text(), "3");
  }
}

// The window sets every colour it paints: a dark palette changes nothing.
TEST(Form, LooksTheSameUnderADarkPalette) {
  const auto grab = [] {
    Dravik window;
    window.Load();
    return window.grab().toImage();
  };
  const QImage light = grab();
  const QPalette saved = QApplication::palette();
  QPalette dark(QColor(53, 53, 53), QColor(30, 30, 30));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    dark.setColor(role, QColor(238, 238, 238));
  }
  dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
  QApplication::setPalette(dark);
  QApplication::setPalette(dark, "QLineEdit");
  QApplication::setPalette(dark, "QMenu");
  const QImage seen = grab();
  EXPECT_EQ(seen, light);

  // A field's context menu too, without the theme's icons.
  Dravik window;
  window.Load();
  window.show();
  auto* field = window.findChild<QLineEdit*>(QStringLiteral("Text2(0)"));
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(field, &event);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  EXPECT_NE(menu, nullptr);
  if (menu != nullptr) {
    EXPECT_EQ(menu->palette().color(QPalette::Window), window.palette().color(QPalette::Window));
    for (QAction* action : menu->actions()) EXPECT_FALSE(action->isIconVisibleInMenu());
    menu->close();
  }
  QApplication::setPalette(saved);
}

// Every control where it belongs, in pixels, with its colour and caption.
TEST_F(FormTest, LayoutMatchesTheDesign) {
  struct Expected {
    const char* name;
    QRect geometry;
    const char* caption;
    QColor colour;  // invalid: the style's own
  };
  const QColor window(192, 192, 255), check(128, 128, 255), label(255, 192, 128);
  const Expected controls[] = {
      {"Picture1", {312, 40, 134, 186}, "", {}},
      {"Command1(1)", {144, 192, 89, 25}, "Изчисти", QColor(255, 0, 0)},
      {"Command1(0)", {16, 192, 89, 25}, "Изчисли", QColor(0, 255, 0)},
      {"List1(0)", {8, 64, 89, 99}, "", {}},
      {"Frame1", {104, 32, 161, 153}, "Размери", window},
      {"Text2(4)", {56, 120, 89, 27}, "", {}},
      {"Check1(4)", {8, 120, 41, 27}, "V", check},
      {"Text2(3)", {56, 96, 89, 27}, "", {}},
      {"Check1(3)", {8, 96, 41, 27}, "S", check},
      {"Text2(2)", {56, 72, 89, 27}, "", {}},
      {"Check1(2)", {8, 72, 41, 27}, "c", check},
      {"Text2(1)", {56, 48, 89, 27}, "", {}},
      {"Check1(1)", {8, 48, 41, 27}, "b", check},
      {"Text2(0)", {56, 24, 89, 27}, "", {}},
      {"Check1(0)", {8, 24, 41, 27}, "a", check},
      {"Text1(1)", {40, 312, 449, 121}, "", {}},
      {"Text1(0)", {8, 232, 457, 185}, "", {}},
      {"Label1(1)", {8, 40, 89, 25}, "Дадени:", label},
      {"Label1(0)", {16, 0, 449, 25}, "Математика - обем на призма, повърхнина, страни", label},
  };
  EXPECT_EQ(window_->size(), QSize(481, 424));
  EXPECT_EQ(window_->minimumSize(), window_->size()) << "never smaller than designed";
  EXPECT_EQ(window_->palette().color(QPalette::Window), window);
  const QImage shot = window_->grab().toImage();
  for (const Expected& c : controls) {
    QWidget* control = Control<QWidget>(c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), c.geometry) << c.name;
    const bool in_frame = QByteArray(c.name).startsWith("Text2") || QByteArray(c.name).startsWith("Check1");
    EXPECT_EQ(control->parentWidget()->objectName(), in_frame ? "Frame1" : "Dravik") << c.name;
    EXPECT_EQ(QFontInfo(control->font()).family(), QFontInfo(QFont("Times New Roman", 12)).family())
        << "drawn in Times New Roman or the system's family for it: " << c.name;
    EXPECT_EQ(control->font().pointSize(), 12) << c.name;
    QString caption;
    if (auto* b = qobject_cast<QAbstractButton*>(control)) caption = b->text();
    if (auto* l = qobject_cast<QLabel*>(control)) caption = l->text();
    if (auto* g = qobject_cast<QGroupBox*>(control)) caption = g->title();
    EXPECT_EQ(caption, QString::fromUtf8(c.caption)) << c.name;
    if (c.colour.isValid()) {
      EXPECT_EQ(control->palette().color(control->backgroundRole()), c.colour) << c.name;
      // What is on the screen, a few pixels in from the control's top left
      // edge: the colour must dominate the same channel.
      const QPoint probe = control->mapTo(window_.get(), QPoint(control->width() - 6, 6));
      const QColor seen = shot.pixelColor(probe * shot.devicePixelRatio());
      const auto distance = [](QColor x, QColor y) {
        return std::abs(x.red() - y.red()) + std::abs(x.green() - y.green()) +
               std::abs(x.blue() - y.blue());
      };
      EXPECT_LT(distance(seen, c.colour), 60) << c.name << " shows " << seen.name().toStdString();
    }
  }
  EXPECT_FALSE(Control<QWidget>("Text1(1)")->isVisible());
  EXPECT_EQ(Field(0)->accessibleName(), "a");
  EXPECT_EQ(Field(4)->accessibleName(), "V");
  EXPECT_EQ(Button(0)->accessibleName(), "Изчисли");
  EXPECT_EQ(List()->accessibleName(), "Дадени:");
  EXPECT_EQ(Control<QWidget>("Picture1")->accessibleName(), "Чертеж на правоъгълен паралелепипед");
  EXPECT_FALSE(Control<QWidget>("Picture1")->accessibleDescription().isEmpty());
  // An image to a screen reader, with its name, though it paints itself.
  QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(Control<QWidget>("Picture1"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->role(), QAccessible::Graphic);
  EXPECT_EQ(picture->text(QAccessible::Name), "Чертеж на правоъгълен паралелепипед");
  EXPECT_FALSE(picture->text(QAccessible::Description).isEmpty());
  EXPECT_EQ(Control<QWidget>("Text1(0)")->accessibleName(), "Задача");
  // Inside the frame, under its caption's line, the window colour, exactly.
  const QPoint inside = Control<QWidget>("Frame1")->mapTo(window_.get(), QPoint(80, 14));
  EXPECT_EQ(shot.pixelColor(inside * shot.devicePixelRatio()), window);
  EXPECT_TRUE(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
  // Qt's own commands speak Bulgarian.
  EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Paste").left(3), "&По");
}

TEST_F(FormTest, TabOrderStartsAtTheTaskText) {
  const char* expected[] = {"Text1(0)", "Text2(0)", "Text2(1)", "Text2(2)", "Text2(3)",
                            "Text2(4)", "List1(0)", "Command1(0)", "Command1(1)", "Picture1",
                            "Text1(0)"};
  ASSERT_EQ(QApplication::focusWidget()->objectName(), expected[0]);
  for (std::size_t i = 1; i < std::size(expected); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), expected[i]) << "tab " << i;
  }
}

QString ResourceText(const char* path) {
  QFile file(QString::fromLatin1(path));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
  return QString::fromUtf8(file.readAll());
}

TEST_F(FormTest, InformationTextsAreExact) {
  struct Expected {
    const char* resource;
    const char* control;
    int length;
    int lines;
    const char* first_line;
    const char* last_line;
  };
  const Expected texts[] = {
      {":/task.txt", "Text1(0)", 1255, 26, "Да се състави проект, чрез който се представят ",
       "Пример: a=3, b=4, c=5  Изход: S=70   V=60"},
      {":/saying.txt", "Text1(1)", 118, 3, "Неприятното в това да си първият, направил нещо по ",
       "било. "},
  };
  for (const Expected& t : texts) {
    const QString text = ResourceText(t.resource);
    EXPECT_EQ(text.size(), t.length) << t.resource;
    EXPECT_TRUE(text.endsWith("\r\n"));
    QStringList lines = text.split("\r\n");
    lines.removeLast();
    EXPECT_EQ(lines.size(), t.lines);
    EXPECT_EQ(lines.first(), QString::fromUtf8(t.first_line));
    EXPECT_EQ(lines.last(), QString::fromUtf8(t.last_line));
    EXPECT_EQ(text.count('\n'), t.lines) << "no line feed without its carriage return";
    EXPECT_EQ(text.count('\r'), t.lines);

    auto* box = Control<QPlainTextEdit>(t.control);
    // A box takes its text when it shows; the saying's never does unless asked.
    box->show();
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(box->document()->blockCount(), t.lines + 1) << "one line of the box per line";
    QString shown = box->toPlainText();
    shown.replace('\n', "\r\n");
    EXPECT_EQ(shown, text) << t.control;
  }
  EXPECT_TRUE(ResourceText(":/task.txt").contains("Околна повърхнина: S = 2*c*(a+b)\r\n"));
  EXPECT_TRUE(ResourceText(":/task.txt").contains("височина,  околна \r\n"));
}

TEST_F(FormTest, ImagesHaveTheirSizesAndFormats) {
  QFile jpeg(":/design/prism.jpg");
  ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
  const QByteArray bytes = jpeg.readAll();
  EXPECT_TRUE(bytes.startsWith("\xFF\xD8")) << "a JPEG";
  EXPECT_TRUE(bytes.contains("\xFF\xC0")) << "baseline frame";
  EXPECT_FALSE(bytes.contains("\xFF\xC2")) << "no progressive frame";
  const QImage prism = QImage::fromData(bytes, "JPEG");
  EXPECT_EQ(prism.size(), QSize(130, 182));
  EXPECT_EQ(qRound(prism.dotsPerMeterX() * 0.0254), 96) << "96 dots per inch";
  for (int y = 0; y < prism.height(); y += 3) {
    for (int x = 0; x < prism.width(); x += 3) {
      const QColor c = prism.pixelColor(x, y);
      ASSERT_LE(std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}), 12)
          << "only black, white and grey, at " << x << ',' << y;
    }
  }
  auto* picture = dynamic_cast<PictureBox*>(Control<QLabel>("Picture1"));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Picture().deviceIndependentSize().toSize(), QSize(130, 182));
  EXPECT_EQ(picture->Picture().toImage(), prism) << "the JPEG's pixels, as its reader gives them";
  EXPECT_EQ(DrawingAtOwnSize(QByteArray(130 * 182 * 3 - 1, '\0')), DrawBox(1)) << "a short store";
  EXPECT_EQ(picture->contentsRect().size(), QSize(130, 182)) << "a two-pixel border";

  // The window system gets the sizes a title bar and a task switcher draw,
  // each exactly as its PNG decodes.
  QList<QSize> offered;
  for (const IconFile& file : kIconFiles) {
    QImageReader icon_reader(QStringLiteral(":/design/") + QString::fromUtf8(file.name));
    EXPECT_EQ(icon_reader.format(), "png");
    const QImage icon = icon_reader.read();
    const int middle = file.size / 2;
    EXPECT_EQ(icon.size(), QSize(file.size, file.size)) << file.name;
    EXPECT_EQ(icon.format(), QImage::Format_Indexed8) << file.name;
    EXPECT_TRUE(icon.hasAlphaChannel()) << file.name;
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0) << "transparent corner " << file.name;
    EXPECT_EQ(icon.pixelColor(middle, middle).alpha(), 255) << "opaque middle " << file.name;
    if (file.pixels == nullptr) continue;
    offered.append(icon.size());
    EXPECT_EQ(window_->windowIcon().pixmap(icon.size()).toImage().convertToFormat(QImage::Format_ARGB32),
              icon.convertToFormat(QImage::Format_ARGB32))
        << file.name;
  }
  EXPECT_EQ(offered.back(), QSize(64, 64)) << "up to a 32-pixel title-bar icon at 200 %";
  EXPECT_EQ(window_->windowIcon().availableSizes(), offered);
  EXPECT_EQ(window_->windowIcon().pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64))
      << "a 32-pixel title-bar icon at 200 % from the 64-pixel file";
}

// Relative luminance and contrast ratio as WCAG 2 defines them.
double Luminance(StoredColour colour) {
  const auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
         0.0722 * linear(colour.blue());
}
double Contrast(StoredColour x, StoredColour y) {
  const double lx = Luminance(x), ly = Luminance(y);
  return (std::max(lx, ly) + 0.05) / (std::min(lx, ly) + 0.05);
}

// Each text on what is behind it, from the tables the window is painted from.
TEST(FormColours, EveryTextReadsAtFourAndAHalfToOne) {
  const auto enabled = [](ColourRole role) {
    for (const RoleColours& colours : kPaletteColours) {
      if (colours.role == role) return colours.enabled;
    }
    ADD_FAILURE() << "no role " << static_cast<int>(role);
    return kBlack;
  };
  const std::pair<StoredColour, StoredColour> pairs[] = {
      {enabled(ColourRole::kWindowText), enabled(ColourRole::kWindow)},
      {enabled(ColourRole::kText), enabled(ColourRole::kBase)},
      {enabled(ColourRole::kButtonText), enabled(ColourRole::kButton)},
      {enabled(ColourRole::kHighlightedText), enabled(ColourRole::kHighlight)},
      {enabled(ColourRole::kToolTipText), enabled(ColourRole::kToolTipBase)},
      {kBlack, kUnfocusedSelectionColour},
  };
  for (const auto& [text, back] : pairs) {
    EXPECT_GE(Contrast(text, back), 4.5) << std::hex << text.value << " on " << back.value;
  }
  for (const ControlLayout& entry : kFormControls) {
    if (!entry.back_colour || entry.caption.empty()) continue;
    const StoredColour text = entry.kind == ControlKind::kCheckBox ? kCheckCaptionColour
                                                                  : enabled(ColourRole::kWindowText);
    EXPECT_GE(Contrast(text, *entry.back_colour), 4.5) << entry.name << ' ' << entry.index;
  }
}

// Everything grows with the zoom, the drawing is drawn anew, and Ctrl+0 gives
// back the window as it was, with what was typed and where the focus was.
TEST_F(FormTest, ZoomGrowsEverythingAndGoesBack) {
  Type(0, "3");
  const QImage normal = window_->grab().toImage();
  auto* picture = dynamic_cast<PictureBox*>(Control<QLabel>("Picture1"));
  ASSERT_NE(picture, nullptr);
  const QImage drawing = picture->grab().toImage();
  std::vector<std::pair<QWidget*, QRect>> designed;  // the controls, by their names
  for (QWidget* control : window_->findChildren<QWidget*>(QRegularExpression("^[A-Z]"))) {
    designed.emplace_back(control, control->geometry());
  }
  ASSERT_EQ(designed.size(), kFormControls.size());

  window_->zoom().SetStep(4);
  ASSERT_EQ(kZoomSteps[window_->zoom_step()], 200);
  EXPECT_EQ(window_->size(), QSize(962, 848));
  for (const auto& [control, normal_geometry] : designed) {
    const QRect at = control->geometry();
    const QRect twice(normal_geometry.topLeft() * 2, normal_geometry.size() * 2);
    for (const auto& [seen, expected] : {std::pair{at.left(), twice.left()}, {at.top(), twice.top()},
                                        {at.width(), twice.width()}, {at.height(), twice.height()}}) {
      EXPECT_LE(std::abs(seen - expected), 1) << control->objectName().toStdString();
    }
    EXPECT_EQ(control->font().pointSize(), 24) << control->objectName().toStdString();
  }
  EXPECT_GE(Check(0)->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, Check(0)),
            2 * QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth));
  // Drawn at its size: not the 100 % picture with each pixel doubled.
  const QImage large = picture->grab().toImage();
  const QImage blown_up =
      drawing.scaled(drawing.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  ASSERT_EQ(large.size(), blown_up.size());
  int differing = 0;
  for (int y = 0; y < large.height(); ++y) {
    for (int x = 0; x < large.width(); ++x) differing += large.pixel(x, y) != blown_up.pixel(x, y);
  }
  EXPECT_GT(differing, large.width() * large.height() / 50);

  QTest::keyClick(window_.get(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(window_->zoom_step(), 0u);
  EXPECT_EQ(window_->grab().toImage(), normal);
  EXPECT_EQ(Field(0)->text(), "3");
  EXPECT_TRUE(Field(0)->hasFocus());

  // The keys step up while the window still fits the screen, and no further.
  for (Qt::Key key : {Qt::Key_Plus, Qt::Key_Equal, Qt::Key_Plus, Qt::Key_Equal, Qt::Key_Plus,
                      Qt::Key_Equal, Qt::Key_Plus}) {
    QTest::keyClick(Field(0), key, Qt::ControlModifier);
  }
  const std::size_t step = window_->zoom_step();
  const QSize space = window_->screen()->availableGeometry().size() -
                      (window_->frameGeometry().size() - window_->size());
  EXPECT_GT(step, 0u);
  EXPECT_EQ(window_->size(), QSize(ClientSize(step).width, ClientSize(step).height));
  EXPECT_TRUE(window_->width() <= space.width() && window_->height() <= space.height());
  if (step + 1 < kZoomSteps.size()) {
    const PixelSize next = ClientSize(step + 1);
    EXPECT_TRUE(next.width > space.width() || next.height > space.height());
  }
  for (std::size_t i = 0; i <= step; ++i) {
    QTest::keyClick(Field(0), Qt::Key_Minus, Qt::ControlModifier);
  }
  EXPECT_EQ(window_->zoom_step(), 0u);
  EXPECT_EQ(window_->grab().toImage(), normal);

  // Maximised: the largest step that fits, centred; restored: as before.
  window_->showMaximized();
  QTRY_VERIFY(window_->isMaximized());
  const std::size_t largest = LargestStepThatFits(kFormDesign, {window_->width(), window_->height()});
  EXPECT_EQ(window_->zoom_step(), largest);
  const PixelSize design = ClientSize(largest);
  const int centred = (window_->width() - design.width) / 2;
  EXPECT_EQ(Control<QWidget>("Label1(0)")->x(),
            centred + Pixels(kFormControls.back().left, kZoomSteps[largest]));
  window_->showNormal();
  QTRY_COMPARE(window_->zoom_step(), 0u);
  EXPECT_EQ(window_->grab().toImage(), normal);

  // A right click on the window's colour offers the zoom, with its keys.
  const QPoint blue(4, 200);
  QContextMenuEvent click(QContextMenuEvent::Mouse, blue, window_->mapToGlobal(blue));
  QApplication::sendEvent(window_.get(), &click);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QStringList entries;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    entries << action->text() + ' ' + action->shortcut().toString(QKeySequence::NativeText);
  }
  EXPECT_EQ(entries, QStringList({"Решение F2", "Задача… F3", "Увеличи Ctrl++", "Намали Ctrl+-",
                                  "Нормален размер Ctrl+0"}));
  const QFont normal_menu_font = menu->font();
  menu->close();

  // One step up, the menu is as large as the window.
  QTest::keyClick(Field(0), Qt::Key_Plus, Qt::ControlModifier);
  ASSERT_EQ(window_->zoom_step(), 1u);
  QApplication::sendEvent(window_.get(), &click);
  menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->font(), ZoomedFont(normal_menu_font, kZoomSteps[1]));
  menu->close();
}

// F2 opens the worked solution beside the window; it follows the fields,
// draws the box to its numbers, saves its page, and F2 or Esc closes it.
TEST_F(FormTest, SolutionWindowFollowsTheFields) {
  EXPECT_EQ(window_->findChild<QWidget*>("Solution"), nullptr) << "made only when asked for";
  QTest::keyClick(window_.get(), Qt::Key_F2);
  auto* solution = dynamic_cast<SolutionWindow*>(window_->findChild<QWidget*>("Solution"));
  ASSERT_NE(solution, nullptr);
  EXPECT_TRUE(solution->isVisible());
  // Beside the window where the screen has room, on its screen anyway.
  const QRect space = window_->screen()->availableGeometry();
  EXPECT_TRUE(space.contains(solution->frameGeometry().topLeft()));
  if (space.width() >= window_->frameGeometry().width() + solution->frameGeometry().width() + 8) {
    EXPECT_GT(solution->frameGeometry().left(), window_->frameGeometry().right());
  }
  auto* text = solution->findChild<QPlainTextEdit*>("SolutionText");
  EXPECT_EQ(text->toPlainText().toStdString(), kSolutionPrompt);
  Type(0, "3");
  Type(1, "4");
  Type(2, "5");
  QTest::mouseClick(Button(0), Qt::LeftButton);
  EXPECT_TRUE(text->toPlainText().contains("Отговор:\nS = 70\nV = 60"));
  EXPECT_TRUE(solution->shown().box);
  // In the window's one typeface, S₁'s index lowered and the squares raised
  // in its own digits; copied as written.
  const QString family = WindowFontFamily();
  int typeset = 0;
  for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
    ASSERT_NE(block.layout(), nullptr);
    for (const QGlyphRun& run : block.layout()->glyphRuns()) {
      EXPECT_EQ(run.rawFont().familyName().toStdString(), family.toStdString())
          << block.text().toStdString();
    }
    for (const QTextLayout::FormatRange& range : block.textFormats()) {
      typeset += range.format.verticalAlignment() != QTextCharFormat::AlignNormal;
    }
  }
  EXPECT_GT(typeset, 0) << "S₁ and the squares of the diagonal's line";
  text->selectAll();
  text->copy();
  EXPECT_TRUE(QApplication::clipboard()->text().contains(QString::fromUtf8("S₁ = S + 2·B = 70 + 2·12 = 94")))
      << QApplication::clipboard()->text().toStdString();
  QStringList written;
  for (const std::string& line : solution->shown().lines) written.append(QString::fromStdString(line));
  EXPECT_EQ(QApplication::clipboard()->text(), written.join('\n')) << "the whole text, as written";
  const QString pdf = QDir::temp().filePath(QStringLiteral("dravik_solution_test.pdf"));
  ASSERT_EQ(solution->SavePdf(pdf), FileWriteOutcome::kWritten);
  QFile page(pdf);
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  EXPECT_TRUE(page.readAll().startsWith("%PDF"));
  page.close();
  // The net in the drawing's place, at a tap, and on a page of its own.
  QPushButton* net = nullptr;
  for (QPushButton* button : solution->findChildren<QPushButton*>()) {
    if (button->accessibleName() == QString::fromUtf8(kNetTitle)) net = button;
  }
  ASSERT_NE(net, nullptr);
  EXPECT_TRUE(net->isEnabled());
  static QPointingDevice* const net_finger = QTest::createTouchDevice();
  const QPoint on_net = net->mapTo(solution, net->rect().center());
  QTest::touchEvent(solution, net_finger).press(0, on_net);
  QTest::touchEvent(solution, net_finger).release(0, on_net);
  QApplication::processEvents();
  EXPECT_TRUE(net->isChecked()) << "a tap acts as a click";
  ASSERT_EQ(solution->SavePdf(pdf), FileWriteOutcome::kWritten);
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  EXPECT_EQ(page.readAll().count("/Type /Page\n"), 2) << "the solution and its net";
  page.close();
  // The grade and the rounding: a tap opens the list; the keys choose; the
  // text follows. Grade 5 leaves out the diagonal, grade 7 has it.
  auto* grade = solution->findChild<QComboBox*>("Grade");
  auto* rounding = solution->findChild<QComboBox*>("Rounding");
  ASSERT_TRUE(grade != nullptr && rounding != nullptr);
  EXPECT_EQ(grade->accessibleName(), QString::fromUtf8("Клас"));
  EXPECT_EQ(rounding->accessibleName(), QString::fromUtf8("Закръгляне"));
  EXPECT_FALSE(text->toPlainText().contains(QString::fromUtf8("Диагонал:")));
  for (QComboBox* choice : {grade, rounding}) {
    const QPoint on_choice = choice->mapTo(solution, choice->rect().center());
    QTest::touchEvent(solution, net_finger).press(0, on_choice);
    QTest::touchEvent(solution, net_finger).release(0, on_choice);
    QApplication::processEvents();
    EXPECT_NE(QApplication::activePopupWidget(), nullptr) << "a tap opens " << choice->objectName().toStdString();
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    choice->setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(choice, Qt::Key_Down);
  }
  EXPECT_EQ(grade->currentText(), QStringLiteral("7"));
  EXPECT_EQ(rounding->currentText(), QString::fromUtf8("7 знака"));
  EXPECT_TRUE(text->toPlainText().contains(QString::fromUtf8("Диагонал: d = ")));
  EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("0710678"))) << "seven decimals";
  page.remove();
  net->click();
  EXPECT_EQ(solution->SavePdf(QStringLiteral("/nonexistent-folder/x.pdf")),
            FileWriteOutcome::kFailed);
  EXPECT_TRUE(PrintingAvailable()) << "the printing library is found and loads";
  EXPECT_FALSE(QFile::exists(QStringLiteral("/nonexistent-folder/x.pdf")));
  QTest::keyClick(Field(2), Qt::Key_Delete);
  EXPECT_EQ(text->toPlainText().toStdString(), kSolutionPrompt) << "an edit after the press";
  // F2 or Esc in it closes it.
  const QList<QAction*> actions = solution->actions();
  const auto closing = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
    return action->shortcuts() == QList<QKeySequence>{QKeySequence(Qt::Key_F2), QKeySequence(Qt::Key_Escape)};
  });
  ASSERT_NE(closing, actions.end());
  (*closing)->trigger();
  EXPECT_FALSE(solution->isVisible());

  // A finger held on the window's background opens its menu, the solution first.
  static QPointingDevice* const finger = QTest::createTouchDevice();
  const QPoint background(4, 200);
  QTest::touchEvent(window_.get(), finger).press(0, background);
  QTest::qWait(2 * QGuiApplication::styleHints()->mousePressAndHoldInterval());
  QTest::touchEvent(window_.get(), finger).release(0, background);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  menu->actions().front()->trigger();
  menu->close();
  EXPECT_TRUE(solution->isVisible());
  // A finger that moves scrolls or drags: no menu.
  QTest::touchEvent(window_.get(), finger).press(0, background);
  QTest::touchEvent(window_.get(), finger).move(0, background + QPoint(0, 40));
  QTest::qWait(2 * QGuiApplication::styleHints()->mousePressAndHoldInterval());
  QTest::touchEvent(window_.get(), finger).release(0, background + QPoint(0, 40));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

  // Drawn to its numbers: as tall against as wide as c is against a, up to
  // twenty times the shortest edge.
  for (const auto& [a, b, c, ratio, to_scale] :
       {std::tuple{3.0, 4.0, 5.0, 5.0 / 3, true}, std::tuple{3.0, 4.0, 50.0, 50.0 / 3, true},
        std::tuple{1.0, 1.0, 50.0, 20.0, false}}) {
    const std::optional<BoxSketch> sketch = SketchBox(a, b, c, 400, 200);
    ASSERT_TRUE(sketch.has_value());
    EXPECT_NEAR(sketch->front_height / sketch->front_width, ratio, 1e-9);
    EXPECT_EQ(sketch->to_scale, to_scale);
    EXPECT_LE(sketch->front_height + sketch->depth, 200.0 + 1e-9);
  }
  EXPECT_FALSE(SketchBox(3, -8, 1, 400, 200).has_value());
}

// One path for every step, start included: the wheel over a scroll bar
// zooms, the hint follows, the list keeps its row in view, the commands are
// off where they can do nothing, and the way back leaves every control as
// it was made.
TEST_F(FormTest, ZoomStepsAllAlikeAndKeepTheirState) {
  const auto looks = [this] {
    QStringList all;
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
      const auto* style = dynamic_cast<const ClassicStyle*>(widget->style());
      if (widget->inherits("QScrollBar") || widget->objectName().startsWith("Text") ||
          widget->objectName().startsWith("Check") || widget->objectName().startsWith("List")) {
        all << widget->objectName() + widget->font().toString() + '@' +
                   QString::number(style != nullptr ? style->zoom() : -1);
      }
    }
    return all;
  };
  const QStringList at_start = looks();
  EXPECT_FALSE(at_start.join(' ').contains("@-1")) << at_start.join('\n').toStdString();
  const QList<QAction*> commands = window_->zoom().actions();
  EXPECT_EQ(commands[0]->isEnabled(), true);
  EXPECT_FALSE(commands[1]->isEnabled() || commands[2]->isEnabled());

  QWidget* bar = Control<QPlainTextEdit>("Text1(0)")->verticalScrollBar();
  QWheelEvent wheel(QPointF(2, 2), bar->mapToGlobal(QPointF(2, 2)), {}, {0, 120}, Qt::NoButton,
                    Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(bar, &wheel);
  EXPECT_EQ(window_->zoom_step(), 1u);

  List()->setCurrentRow(9);
  QTest::mouseClick(Button(0), Qt::LeftButton);  // refused: a hint beside c
  ASSERT_TRUE(QToolTip::isVisible());
  while (commands[0]->isEnabled()) commands[0]->trigger();
  ASSERT_TRUE(QToolTip::isVisible());
  const QWidgetList tops = QApplication::topLevelWidgets();
  const auto hint = std::find_if(tops.begin(), tops.end(), [](const QWidget* w) {
    return w->inherits("QTipLabel") && w->isVisible();
  });
  ASSERT_NE(hint, tops.end());
  EXPECT_EQ((*hint)->font(), QToolTip::font());
  EXPECT_LE(std::abs((*hint)->y() - Field(2)->mapToGlobal(QPoint(0, Field(2)->height())).y()), 24);
  commands[2]->trigger();
  EXPECT_EQ(window_->zoom_step(), 0u);
  EXPECT_TRUE(List()->viewport()->rect().contains(List()->visualItemRect(List()->currentItem())));
  EXPECT_EQ(looks(), at_start);
}

// A window borrows the application's look while it is made and shown, and
// leaves it as it found it.
TEST(ApplicationLook, PutBackWhenTheWindowGoes) {
  const QFont font = QApplication::font();
  const QFont tip_font = QToolTip::font();
  const QPalette tip_palette = QToolTip::palette();
  {
    Dravik window;
    window.Load();
    EXPECT_EQ(QApplication::font(), font) << "while the window stands";
    window.zoom().SetStep(1);
  }
  EXPECT_EQ(QApplication::font(), font);
  EXPECT_EQ(QToolTip::font(), tip_font);
  EXPECT_EQ(QToolTip::palette(), tip_palette);
}

// The step is kept between starts; one that no longer fits, or is no step,
// gives one that does.
TEST(ZoomKept, RestoredWhereItFits) {
  const QString path = QDir::temp().filePath(QStringLiteral("dravik_zoom_test.ini"));
  const QSize screen = QApplication::primaryScreen()->availableGeometry().size();
  const std::size_t largest = LargestStepThatFits(kFormDesign, {screen.width(), screen.height()});
  ASSERT_GE(largest, 1u);
  for (const auto& [stored, expected] : {std::pair{QVariant(1), std::size_t{1}},
                                        {QVariant("x"), std::size_t{0}},
                                        {QVariant(99), std::size_t{0}},
                                        {QVariant(6), std::min<std::size_t>(largest, 6)}}) {
    QFile::remove(path);
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue("zoom/step", stored);
    Dravik window({}, &settings);
    window.Load();
    EXPECT_EQ(window.zoom_step(), expected) << stored.toString().toStdString();
    window.zoom().SetStep(0);
    EXPECT_EQ(settings.value("zoom/step").toInt(), 0);
  }
  QFile::remove(path);
}

// The solution window opens at the main window's step, wholly on the
// screen; a step the user gives it is its own, kept, while the main
// window's stays as it was; after the main window's changes, it follows
// that again.
TEST(ZoomKept, TheSolutionOpensAtTheMainWindowsStep) {
  const QString path = QDir::temp().filePath(QStringLiteral("dravik_solution_zoom_test.ini"));
  QFile::remove(path);
  QSettings settings(path, QSettings::IniFormat);
  const QRect space = QApplication::primaryScreen()->availableGeometry();
  ASSERT_GE(LargestStepThatFits(kFormDesign, {space.width(), space.height()}), 2u);
  struct Open {
    std::size_t main_step;
    std::optional<std::size_t> own_step;  // what the user then gives it
    std::size_t expected;                 // the step it opens at
  };
  const Open opens[] = {{1, std::nullopt, 1}, {1, 0, 1}, {1, std::nullopt, 0},
                        {2, std::nullopt, 2}, {0, std::nullopt, 0}};
  for (const Open& open : opens) {
    Dravik window({}, &settings);
    window.Load();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.zoom().SetStep(open.main_step);
    QTest::keyClick(&window, Qt::Key_F2);
    auto* solution = dynamic_cast<SolutionWindow*>(window.findChild<QWidget*>("Solution"));
    ASSERT_NE(solution, nullptr);
    EXPECT_EQ(solution->zoom().step(), open.expected) << open.main_step;
    EXPECT_EQ(solution->font().pointSizeF(), WindowFont(kZoomSteps[open.expected]).pointSizeF());
    const QRect frame = solution->frameGeometry();
    EXPECT_TRUE(space.contains(frame)) << "wholly on the screen";
    if (open.own_step) solution->zoom().SetStep(*open.own_step);
    // The grade chosen is kept for the next start.
    auto* grade = solution->findChild<QComboBox*>("Grade");
    ASSERT_NE(grade, nullptr);
    EXPECT_EQ(grade->currentText(), &open == opens ? QStringLiteral("5") : QStringLiteral("6"));
    grade->setCurrentIndex(1);
  }
  QFile::remove(path);
}

// The window "Задача": F3 opens it with the focus in "Условие"; what is
// typed shows its solution, a wrong line says where, missing data what is
// missing; a finger taps into the text; the text is kept for the next start
// and opens at the main window's zoom.
TEST(ProblemWindow, SolvesWhatIsWrittenAsItIsTyped) {
  const QString path = QDir::temp().filePath(QStringLiteral("dravik_problem_test.ini"));
  QFile::remove(path);
  QSettings settings(path, QSettings::IniFormat);
  for (int start = 0; start < 2; ++start) {
    Dravik window({}, &settings);
    window.Load();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.zoom().SetStep(1);
    EXPECT_EQ(window.findChild<QWidget*>("Problem"), nullptr) << "made only when asked for";
    QTest::keyClick(&window, Qt::Key_F3);
    auto* problem = dynamic_cast<SolutionWindow*>(window.findChild<QWidget*>("Problem"));
    ASSERT_NE(problem, nullptr);
    EXPECT_TRUE(problem->isVisible());
    EXPECT_EQ(problem->zoom().step(), 1u);
    auto* text = problem->findChild<QPlainTextEdit*>("ProblemText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->accessibleName(), QString::fromUtf8("Условие"));
    EXPECT_EQ(problem->focusWidget(), text);
    // Found as a widget: Qt 6.8 takes findChild only of a class with its meta-object.
    auto* solution = dynamic_cast<InfoText*>(problem->findChild<QWidget*>("SolutionText"));
    ASSERT_NE(solution, nullptr);
    if (start == 1) {
      EXPECT_EQ(text->toPlainText(), QString::fromUtf8("куб\nS₁ = 54 см²\nV = ?")) << "kept";
      EXPECT_TRUE(problem->shown().box);
      break;
    }
    EXPECT_EQ(solution->WrittenText().toStdString(), kProblemPrompt);
    struct Typed {
      const char* keys;
      const char* shows;  // a line of what shows under it
      bool box;
    };
    const Typed typed[] = {
        {"куб", "Липсва още една величина, например a.", false},
        {"\nS₁ = 54 см²\nV = x", "Ред 3: „V = x“: x не е число", false},
        {"\b?", "V = 27 см³ = 0.027 л", true},
    };
    for (const Typed& t : typed) {
      // Typed at the end; Cyrillic as an input method gives it, the
      // backspace as a key.
      text->moveCursor(QTextCursor::End);
      std::string_view keys = t.keys;
      if (keys.starts_with("\b")) {
        QTest::keyClick(text, Qt::Key_Backspace);
        keys.remove_prefix(1);
      }
      text->insertPlainText(QString::fromUtf8(keys.data(), static_cast<qsizetype>(keys.size())));
      EXPECT_TRUE(solution->WrittenText().split('\n').contains(QString::fromUtf8(t.shows)))
          << t.keys << ": " << solution->WrittenText().toStdString();
      EXPECT_EQ(problem->shown().box, t.box) << t.keys;
    }
    // A tap on the solution, then one back into the text, gives it the keys again.
    static QPointingDevice* const finger = QTest::createTouchDevice();
    for (QWidget* target : {static_cast<QWidget*>(solution), static_cast<QWidget*>(text)}) {
      QWidget* viewport = static_cast<QAbstractScrollArea*>(target)->viewport();
      const QPoint at = viewport->mapTo(problem, viewport->rect().center());
      QTest::touchEvent(problem, finger).press(0, at);
      QTest::touchEvent(problem, finger).release(0, at);
      QApplication::processEvents();
      EXPECT_EQ(problem->focusWidget(), target) << "a tap gives it the focus";
    }
    QTest::keyClick(problem, Qt::Key_F3);
    EXPECT_FALSE(problem->isVisible()) << "F3 closes it";
  }
  QFile::remove(path);
}

// Every text of the command line's has its Bulgarian, with the same details
// to put in; Qt's help texts that Qt's own Bulgarian lacks too.
TEST(CommandLineTranslation, EveryMessageHasItsBulgarian) {
  RegisterResources();
  QTranslator translator;
  ASSERT_TRUE(translator.load(QString::fromLatin1(kMessageTranslationResource)));
  std::vector<std::pair<const char*, std::string_view>> sources;
  for (std::string_view text : kMessages) sources.emplace_back(kMessageContext, text);
  for (std::string_view text : kArgumentFaultTexts) sources.emplace_back(kMessageContext, text);
  sources.emplace_back(kMessageContext, kProgramSummary);
  sources.emplace_back("QCommandLineParser", "Displays help on commandline options.");
  sources.emplace_back("QCommandLineParser", "Displays help including Qt specific options.");
  for (const auto& [context, text] : sources) {
    const QString english = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QString bulgarian = translator.translate(context, text.data());
    EXPECT_FALSE(bulgarian.isEmpty()) << text;
    EXPECT_NE(bulgarian, english) << text;
    for (const QString& detail : {QStringLiteral("%1"), QStringLiteral("%2")}) {
      EXPECT_EQ(bulgarian.count(detail), english.count(detail)) << text;
    }
  }
}

// Writes what the user sees to a PNG in the build folder, to be looked at.
TEST_F(FormTest, WindowGrabbedToPng) {
  Type(0, "3");
  Type(1, "4");
  Type(2, "5");
  QTest::mouseClick(Button(0), Qt::LeftButton);
  const QString path = QDir::current().absoluteFilePath("dravik_window.png");
  ASSERT_TRUE(window_->grab().save(path)) << path.toStdString();
  EXPECT_EQ(QImage(path).size(), QSize(481, 424) * window_->devicePixelRatio());
  // And at every step of the zoom.
  for (std::size_t step = 1; step < kZoomSteps.size(); ++step) {
    window_->zoom().SetStep(step);
    if (window_->zoom_step() != step) continue;  // larger than the test screen
    const QString zoomed = QDir::current().absoluteFilePath(
        QStringLiteral("dravik_window_%1.png").arg(kZoomSteps[step]));
    const QImage grab = window_->grab().toImage();
    EXPECT_EQ(grab.size(), QSize(ClientSize(step).width, ClientSize(step).height) *
                               window_->devicePixelRatio());
    EXPECT_TRUE(grab.save(zoomed)) << zoomed.toStdString();
  }
}

// A tap of a finger acts on a control as a click does, where the window's
// background keeps its press and hold: the calculate button calculates, a
// list entry is chosen, a field takes the focus and the cursor, a finger
// drawn over a text scrolls it.
TEST_F(FormTest, ATapActsAsAClick) {
  static QPointingDevice* const finger = QTest::createTouchDevice();
  const auto tap = [&](QWidget* control, QPoint at) {
    const QPoint in_window = control->mapTo(window_.get(), at);
    QTest::touchEvent(window_.get(), finger).press(0, in_window);
    QTest::touchEvent(window_.get(), finger).release(0, in_window);
    QApplication::processEvents();
  };
  // A list entry: the row whose given values are a, b and V.
  QListWidget* list = List();
  tap(list->viewport(), list->visualItemRect(list->item(2)).center());
  EXPECT_EQ(list->currentRow(), 2);
  EXPECT_TRUE(Field(4)->isEnabled() && !Field(4)->isReadOnly()) << "V is given";
  // A field: the focus, the cursor where the finger is.
  for (const auto& [field, text] : {std::pair{0, "3"}, std::pair{1, "4"}, std::pair{4, "50"}}) {
    tap(Field(field), Field(field)->rect().center());
    EXPECT_EQ(QApplication::focusWidget(), Field(field)) << field;
    QTest::keyClicks(Field(field), text);
  }
  // The calculate button.
  tap(Button(0), Button(0)->rect().center());
  EXPECT_EQ(Field(2)->text().toStdString(), "4.1666667");
  // The task text: a finger drawn up scrolls it down; a tap gives it the focus.
  auto* task = Control<QPlainTextEdit>("Text1(0)");
  QScrollBar* scroll = task->verticalScrollBar();
  ASSERT_GT(scroll->maximum(), 3) << "the task text is longer than its box";
  const int before = scroll->value();
  const QPoint start = task->viewport()->mapTo(window_.get(), task->viewport()->rect().center());
  QTest::touchEvent(window_.get(), finger).press(0, start);
  for (int step = 1; step <= 6; ++step) {
    QTest::touchEvent(window_.get(), finger).move(0, start - QPoint(0, 10 * step));
  }
  QTest::touchEvent(window_.get(), finger).release(0, start - QPoint(0, 60));
  EXPECT_GT(scroll->value(), before) << "scrolled with the finger";
  EXPECT_FALSE(task->textCursor().hasSelection()) << "a swipe selects nothing";
  tap(task->viewport(), task->viewport()->rect().center());
  EXPECT_EQ(QApplication::focusWidget(), task);
  // The background still opens the menu only when held; a tap opens nothing.
  tap(window_.get(), QPoint(4, 200));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

}  // namespace
}  // namespace prism
