#pragma once

#include "mathpiece.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

// A text of Arabic words and mathematics set right to left in centred lines,
// each expression laid out as MathLayout does and kept whole on its line: an
// expression is broken (at its blanks) only when it alone is wider than a
// line, and a word or number only when it alone is. What the question
// pictures and the answer buttons draw.
class MathParagraph {
public:
    // Lines of at most width, from y = 0 down; when wrap is false, one line
    // for each line of the text (a new line typed in a cell starts one).
    // linear: fractions set in the line (see MathLayout).
    MathParagraph(const QString &text, const QFont &font, qreal width, bool wrap, bool linear = false);

    // The lines' extent: across, the width given (lines are centred in it);
    // down, from 0 to the last line's bottom. Wider than width when a line
    // could not be made to fit.
    QRectF boundingRect() const { return m_bounds; }
    int lineCount() const { return m_lines; }
    // The width of its widest line.
    qreal naturalWidth() const { return m_widest; }
    bool fits() const { return m_fits; }
    // Whether any expression in it is written in notation (fractions,
    // powers, roots) rather than as plain text.
    bool hasNotation() const { return m_notation; }
    const std::vector<MathPiece> &pieces() const { return m_pieces; }

    void paint(QPainter &painter, QPointF topLeft) const;

private:
    std::vector<MathPiece> m_pieces;
    QRectF m_bounds;
    int m_lines = 0;
    qreal m_widest = 0;
    bool m_fits = true;
    bool m_notation = false;
};
