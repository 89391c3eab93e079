// SPDX-License-Identifier: GPL-3.0-or-later
// What draws and writes the pages, without a window: the solution's pages
// and a file written whole.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "solver/quantities.h"
#include "solver/worked_solution.h"
#include "window/look/fonts.h"
#include "window/look/typeset_text.h"
#include "window/page/solution_page.h"
#include "window/page/whole_file.h"

namespace prism {
namespace {

// The solution's pages, as the PDF file and the printer take them: the
// drawing's band as tall as the box needs and at most a third of the area,
// every line within the margins and wrapped there, its heading in bold, a
// long solution over more pages with their numbers.
TEST(SolutionPages, LaidOutWithinTheMarginsOnAsManyPagesAsNeeded) {
  // The long one is painted too, into the build folder, to be looked at.
  const QString path = QDir::current().absoluteFilePath("dravik_long_solution.pdf");
  QPdfWriter writer(path);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
  const QSizeF area(writer.width(), writer.height());
  const auto solved = [](const char* a, const char* b, const char* c) {
    FieldTexts texts;
    texts[0] = a, texts[1] = b, texts[2] = c;
    return *SolveWorked(0, texts);
  };
  WorkedSolution long_one = solved("3", "4", "5");
  for (int i = 0; i < 60; ++i) {
    long_one.lines.push_back("S₁ = S + 2·B = 1234567,4938 + 2·0,2469 = 1234567,4938 и още " +
                             std::string(static_cast<std::size_t>(i % 7) * 12, 'x'));
  }
  struct Case {
    const char* name;
    WorkedSolution solution;
    int pages;
  };
  const Case cases[] = {
      {"a short one, a tall box", solved("3", "4", "50"), 1},
      {"a short one, a flat box", solved("123000000", "1", "1"), 1},
      {"a long one", long_one, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SolutionPages pages = PlanSolutionPages(c.solution, QStringLiteral("Заглавие"), area, &writer);
    EXPECT_EQ(pages.count, c.pages);
    ASSERT_FALSE(pages.drawing.isEmpty());
    EXPECT_LE(pages.drawing.height(), area.height() / 3 + 0.5);
    ASSERT_EQ(pages.lines.size(), c.solution.lines.size());
    const QRectF printable(QPointF(0, 0), area);
    int page = 0;
    qreal previous_bottom = pages.drawing.bottom();
    for (const PageLine& line : pages.lines) {
      EXPECT_TRUE(printable.contains(line.rect)) << line.text.toStdString();
      EXPECT_LE(line.rect.bottom(), pages.footer.top()) << "clear of the footer";
      if (line.page != page) {
        EXPECT_EQ(line.page, page + 1);
        page = line.page;
        previous_bottom = 0;
      }
      EXPECT_GE(line.rect.top(), previous_bottom - 0.01) << "in order, never over another";
      previous_bottom = line.rect.bottom();
      if (HeadingOf(line.text.toStdString())) {
        EXPECT_GT(line.bold_length, 0);
      }
    }
    if (c.pages > 1) {
      // The longest lines wrap: they take more than one row.
      const auto tallest = std::max_element(
          pages.lines.begin(), pages.lines.end(),
          [](const PageLine& x, const PageLine& y) { return x.rect.height() < y.rect.height(); });
      EXPECT_GT(tallest->rect.height(), 1.5 * pages.lines.front().rect.height());
    }
  }
  const SolutionPages tall = PlanSolutionPages(cases[0].solution, {}, area, &writer);
  const SolutionPages flat = PlanSolutionPages(cases[1].solution, {}, area, &writer);
  EXPECT_LT(flat.drawing.height(), tall.drawing.height() / 2) << "a flat box, a low band";
  EXPECT_NEAR(tall.drawing.height(), area.height() / 3, 1) << "a tall box, the most there is";
  ASSERT_TRUE(PaintSolutionPages(writer, QStringLiteral("Заглавие"), long_one));
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll().count("/Type /Page\n"), 3) << "three pages";
}

// Every glyph of every solution's page is the window's family: what it
// lacks (S₁, 10⁻⁷, the roots) is set in its own digits and signs, never
// drawn from another font. Over every row, for a plain box and a thin one
// whose values need a power of ten, in a unit.
TEST(SolutionPages, EveryGlyphIsTheWindowsFamily) {
  QPdfWriter writer(QStringLiteral("unused.pdf"));
  const QSizeF area(writer.width(), writer.height());
  struct Box {
    const char* name;
    std::array<const char*, kQuantityCount> texts;  // a, b, c, S, V
  };
  const Box boxes[] = {
      {"3 × 4 × 5", {"3", "4", "5", "70", "60"}},
      {"a thin box", {"0.0000002", "1234567", "0.5", "1234567", "0.12345"}},
  };
  const QString family = WindowFontFamily();
  for (const Box& box : boxes) {
    for (int row = 0; row < static_cast<int>(kCombinationCount); ++row) {
      SCOPED_TRACE(std::string(box.name) + ", row " + std::to_string(row));
      FieldTexts texts;
      for (std::size_t q = 0; q < kQuantityCount; ++q) texts[q] = box.texts[q];
      const std::optional<WorkedSolution> solution =
          SolveWorked(row, texts, {}, LengthUnit::kCentimetre);
      ASSERT_TRUE(solution.has_value());
      std::vector<QString> drawn;
      for (const PageLine& line : PlanSolutionPages(*solution, {}, area, &writer).lines) {
        drawn.push_back(line.text);
      }
      for (const std::string& label : solution->edge_labels) drawn.push_back(QString::fromStdString(label));
      for (const QString& text : drawn) {
        const auto layout = TypesetLayout(text, QFont(family, 11), &writer, area.width());
        for (const QGlyphRun& run : layout->glyphRuns()) {
          EXPECT_EQ(run.rawFont().familyName().toStdString(), family.toStdString())
              << text.toStdString();
        }
      }
    }
  }
}

// A page is written whole, only where a regular file is or nothing is; what
// stood there otherwise stays as it was, and a file it replaces keeps its
// permissions.
TEST(WriteWholeFile, WritesOnlyARegularFileAndKeepsWhatWasThere) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QByteArray old_bytes("old"), new_bytes("%PDF new page");
  enum class Stands { kNothing, kFile, kReadOnlyFile, kFolder, kPipe, kDevice };
  struct Case {
    const char* name;
    Stands stands;
    FileWriteOutcome outcome;
  };
  const Case cases[] = {
      {"new.pdf", Stands::kNothing, FileWriteOutcome::kWritten},
      {"old.pdf", Stands::kFile, FileWriteOutcome::kWritten},
      {"read-only.pdf", Stands::kReadOnlyFile, FileWriteOutcome::kReadOnly},
      {"folder.pdf", Stands::kFolder, FileWriteOutcome::kNotAFile},
      {"pipe.pdf", Stands::kPipe, FileWriteOutcome::kNotAFile},
      {"/dev/null", Stands::kDevice, FileWriteOutcome::kNotAFile},
      {"no-folder/x.pdf", Stands::kNothing, FileWriteOutcome::kFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = c.stands == Stands::kDevice ? QString::fromUtf8(c.name)
                                                     : folder.filePath(QString::fromUtf8(c.name));
    QFile file(path);
    switch (c.stands) {
      case Stands::kNothing:
      case Stands::kDevice:
        break;
      case Stands::kFile:
      case Stands::kReadOnlyFile:
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old_bytes);
        file.close();
        file.setPermissions(c.stands == Stands::kFile
                                ? QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup
                                : QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        break;
      case Stands::kFolder:
        ASSERT_TRUE(QDir(folder.path()).mkdir(QString::fromUtf8(c.name)));
        break;
      case Stands::kPipe:
#ifdef _WIN32
        continue;
#else
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
#endif
    }
#ifdef _WIN32
    if (c.stands == Stands::kDevice) continue;
#endif
    const QFileDevice::Permissions before = QFileInfo(path).permissions();
    EXPECT_EQ(WriteWholeFile(path, new_bytes), c.outcome);
    const QFileInfo after(path);
    if (c.outcome == FileWriteOutcome::kWritten) {
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      EXPECT_EQ(file.readAll(), new_bytes);
      file.close();
      if (c.stands == Stands::kFile) {
        EXPECT_EQ(after.permissions(), before) << "permissions kept";
      }
    } else if (c.stands == Stands::kReadOnlyFile) {
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      EXPECT_EQ(file.readAll(), old_bytes) << "left as it was";
    } else if (c.stands != Stands::kNothing) {
      EXPECT_FALSE(after.isFile()) << "no file put in its place";
    } else {
      EXPECT_FALSE(after.exists());
    }
  }
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 3)
      << "no temporary file left: " << QDir(folder.path()).entryList().join(' ').toStdString();
}

}  // namespace
}  // namespace prism
