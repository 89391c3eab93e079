// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/look/typeset_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

#include "window/model/typeset.h"

namespace prism {
namespace {

QTextCharFormat FormatOf(Baseline baseline) {
  QTextCharFormat format;
  switch (baseline) {
    case Baseline::kNormal:
      break;
    case Baseline::kSubscript:
      format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
      break;
    case Baseline::kSuperscript:
      format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
      break;
  }
  return format;
}

Baseline BaselineOf(const QTextCharFormat& format) {
  switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSubScript:
      return Baseline::kSubscript;
    case QTextCharFormat::AlignSuperScript:
      return Baseline::kSuperscript;
    default:
      return Baseline::kNormal;
  }
}

}  // namespace

TypesetLine TypesetLineOf(const QString& written) {
  TypesetLine line;
  for (const TypeRun& run : Typeset(written.toStdString())) {
    const QString text = QString::fromStdString(run.text);
    if (run.baseline != Baseline::kNormal) {
      line.formats.append({static_cast<int>(line.text.size()), static_cast<int>(text.size()),
                           FormatOf(run.baseline)});
    }
    line.text += text;
  }
  return line;
}

bool NeedsTypesetting(const QString& written) {
  return std::any_of(written.begin(), written.end(),
                     [](QChar c) { return DrawnOtherwise(c.unicode()); });
}

std::unique_ptr<QTextLayout> TypesetLayout(const QString& written, const QFont& font,
                                           QPaintDevice* device, qreal width, int bold_length) {
  TypesetLine line = TypesetLineOf(written);
  auto layout = std::make_unique<QTextLayout>(line.text, font, device);
  if (bold_length > 0) {
    // A heading comes first, before anything typeset, so its length is the
    // same drawn as written.
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    line.formats.prepend({0, bold_length, bold});
  }
  layout->setFormats(line.formats);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout->setTextOption(option);
  layout->beginLayout();
  qreal height = 0;
  for (QTextLine row = layout->createLine(); row.isValid(); row = layout->createLine()) {
    row.setLineWidth(width);
    row.setPosition(QPointF(0, height));
    height += row.height();
  }
  layout->endLayout();
  return layout;
}

void DrawTypeset(QPainter& painter, const QRectF& rect, int flags, const QString& written) {
  if (!NeedsTypesetting(written)) {
    painter.drawText(rect, flags, written);
    return;
  }
  const QStringList lines = written.split(QLatin1Char('\n'));
  const qreal line_height = QFontMetricsF(painter.font(), painter.device()).height();
  const qreal height = line_height * static_cast<qreal>(lines.size());
  qreal y = rect.top();
  if (flags & Qt::AlignBottom) y = rect.bottom() - height;
  if (flags & Qt::AlignVCenter) y = rect.top() + (rect.height() - height) / 2;
  for (const QString& each : lines) {
    // One row, as wide as it needs: no wrapping, as drawText does not wrap.
    const auto layout = TypesetLayout(each, painter.font(), painter.device(), 1e9);
    const qreal width = layout->lineAt(0).naturalTextWidth();
    qreal x = rect.left();
    if (flags & Qt::AlignRight) x = rect.right() - width;
    if (flags & Qt::AlignHCenter) x = rect.left() + (rect.width() - width) / 2;
    layout->draw(&painter, QPointF(x, y));
    y += line_height;
  }
}

void SetTypesetDocument(QTextDocument& document, const QString& written) {
  // A text to read, not to undo.
  document.setUndoRedoEnabled(false);
  document.clear();
  QTextCursor cursor(&document);
  // A line end, "\n" or "\r\n", starts a block, as setPlainText has it.
  for (const TypeRun& run : Typeset(written.toStdString())) {
    cursor.insertText(QString::fromStdString(run.text), FormatOf(run.baseline));
  }
}

QString WrittenSelection(const QTextCursor& selection) {
  const QTextDocument* document = selection.document();
  if (document == nullptr || !selection.hasSelection()) return {};
  const int start = selection.selectionStart(), end = selection.selectionEnd();
  std::vector<TypeRun> runs;
  const auto add = [&runs](const QString& text, Baseline baseline) {
    if (!text.isEmpty()) runs.push_back({text.toStdString(), baseline});
  };
  for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() < end;
       block = block.next()) {
    if (block.position() > start) add(QStringLiteral("\n"), Baseline::kNormal);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const int from = std::max(start, fragment.position());
      const int to = std::min(end, fragment.position() + fragment.length());
      if (from < to) {
        add(fragment.text().mid(from - fragment.position(), to - from),
            BaselineOf(fragment.charFormat()));
      }
    }
  }
  return QString::fromStdString(Written(runs));
}

}  // namespace prism
