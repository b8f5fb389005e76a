#pragma once

#include <QFont>
#include <QLineF>
#include <QPainterPath>
#include <QPointF>
#include <QString>

// One thing a laid-out expression draws: a run of text at its baseline, a
// fraction's bar, or a radical sign. Lines and signs are geometry, drawn at
// whatever scale the painter has, so they are sharp at any size.
struct MathPiece {
    enum class Kind { Text, Line, Path };

    Kind kind = Kind::Text;
    // Text: the characters, their font, where the baseline starts on the
    // left, the advance, and whether it reads right to left (Arabic letters).
    QString text;
    QFont font;
    QPointF at;
    qreal width = 0;
    bool rightToLeft = false;
    // Text: where its first character stands in the text laid out; -1 for a
    // character the layout draws of its own (a bracket it mirrored stays its).
    qsizetype source = -1;
    // Line: the bar; Path: the sign's outline; both stroked this thick.
    QLineF line;
    QPainterPath path;
    qreal thickness = 1;
};
