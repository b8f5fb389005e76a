#pragma once

#include "mathnode.h"
#include "mathpiece.h"

#include <QFont>
#include <QRectF>

#include <vector>

class QPainter;

// An expression laid out in boxes with the font's metrics, as a textbook
// sets it: a fraction's numerator and denominator centred over and under its
// bar, on the line's mathematical axis; an exponent raised and smaller; the
// radical's bar over its whole radicand; brackets as tall as what they hold.
// Right to left, the whole layout is mirrored (exponents to the left of their
// base, the radical's hook on the right, brackets and inequalities turned),
// while every number keeps its digits left to right.
class MathLayout {
public:
    MathLayout() = default;
    // linear: fractions set in the line as a textbook does on one line,
    // numerator, slash, denominator, a side with an operator in brackets
    // ("(x + 1)/3"), each at the size of the text around it.
    MathLayout(const MathNode &expression, const QFont &font, bool rightToLeft, bool linear = false);

    // From the left of the box, on the baseline (y = 0, up is negative).
    qreal width() const { return m_width; }
    qreal ascent() const { return m_ascent; }
    qreal descent() const { return m_descent; }
    QRectF boundingRect() const { return QRectF(0, -m_ascent, m_width, m_ascent + m_descent); }
    const std::vector<MathPiece> &pieces() const { return m_pieces; }

    // Draws it with the painter's pen colour, the baseline's left at origin.
    void paint(QPainter &painter, QPointF origin) const;
    static void paintPieces(QPainter &painter, const std::vector<MathPiece> &pieces, QPointF origin);

    // A fraction is laid out this much smaller than the text around it, an
    // exponent and a root's index these.
    static constexpr qreal kFractionScale = 0.8;
    static constexpr qreal kExponentScale = 0.62;
    static constexpr qreal kIndexScale = 0.5;

private:
    qreal m_width = 0;
    qreal m_ascent = 0;
    qreal m_descent = 0;
    std::vector<MathPiece> m_pieces;
};
