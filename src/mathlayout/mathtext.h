#pragma once

#include <QList>
#include <QStringList>
#include <QString>

#include <memory>

class QFont;
class QTextLayout;

// Mathematics inside Arabic text, made ready to be laid out right to left.
// An expression is a run of digits, letters that are not Arabic, symbols of
// any kind (known to the notation or not: | _ ! ' ° ∠ ∪ …) and blanks, up to
// an Arabic word or the end of a line; a point, comma, colon or semicolon
// in it stands between mathematics on both sides, and a question mark is its
// unknown beside an operator or a relation ("= ?", "= ؟"). One without
// Arabic letters or Eastern digits keeps its left-to-right order as one unit
// ("2x + 6 = 14", "(-3) × (-6)", "25%"); one with an Arabic variable (a
// letter standing alone beside mathematics: س, أ, جـ, ٢ن), an Arabic
// function's name (جا جتا ظا لو لط) or an Eastern digit (٨ - ٤ = ؟) follows
// the right-to-left order of Arabic school mathematics, each number still
// written with its digits left to right. Nothing in an expression is ever
// moved but by mirroring all of it. The question pictures and the answer
// buttons both show their text through this.
class MathText {
public:
    // Where an expression stands in a text, and which way it reads.
    struct Expression {
        qsizetype start = 0;
        qsizetype length = 0;
        bool rightToLeft = false;
    };
    // The expressions of text, in their order.
    static QList<Expression> expressions(const QString &text);

    // What of the notation in text could not be read, one message each (a
    // ^ or _ with nothing after it, a bracket or bar never closed or closing
    // nothing, a root(…) without its radicand, a √ of nothing), saying where
    // (the character's place, from 1) and that it is shown as typed. Empty
    // when all of it was read. An interval's brackets ([2, 5), ]2, 5[) and a
    // bar after an operand with none open ({x | x > 2}) are not faults.
    static QStringList unreadNotation(const QString &text);

    // text with each expression wrapped in an isolate of its direction.
    static QString isolated(const QString &text);

    // The text, isolated, laid out right to left and centred in lines of at
    // most width (wrapped at words, or anywhere in a word too long for a
    // line, when wrap is true; one line when not), from y = 0 down: what the
    // question pictures and the answer buttons draw.
    static std::unique_ptr<QTextLayout> layout(const QString &text, const QFont &font, qreal width, bool wrap);
};
