// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts drawn in the windows' one typeface: what the family lacks (S₁,
// 10⁻⁷, ∛) set as its own digits and signs, lowered or raised
// (window/model/typeset.h), on the page and in the windows alike; copied
// as the characters written.

#include <QList>
#include <QString>
#include <QTextLayout>
#include <memory>

class QFont;
class QPaintDevice;
class QPainter;
class QRectF;
class QTextCursor;
class QTextDocument;

namespace prism {

// A line as the family draws it, with the formats of its raised and lowered
// runs.
struct TypesetLine {
  QString text;
  QList<QTextLayout::FormatRange> formats;
};

TypesetLine TypesetLineOf(const QString& written);

// Whether anything in the text is drawn otherwise than it is written.
bool NeedsTypesetting(const QString& written);

// A line laid out in the font at the width, wrapped there into as many rows
// as it needs, its first bold_length characters (a heading) in bold.
std::unique_ptr<QTextLayout> TypesetLayout(const QString& written, const QFont& font,
                                           QPaintDevice* device, qreal width,
                                           int bold_length = 0);

// Draws the text's lines in the rectangle, aligned as the flags say
// (Qt::AlignLeft, AlignRight, AlignHCenter, AlignTop, AlignBottom,
// AlignVCenter), in the painter's font.
void DrawTypeset(QPainter& painter, const QRectF& rect, int flags, const QString& written);

// The document holds the text, typeset, a block a line.
void SetTypesetDocument(QTextDocument& document, const QString& written);

// The characters a selection of a typeset document stands for.
QString WrittenSelection(const QTextCursor& selection);

}  // namespace prism
