#pragma once

#include <QList>
#include <QString>

#include <memory>

class QFont;
class QTextLayout;

// Mathematics inside Arabic text, made ready to be laid out right to left.
// An expression is a run of digits, Latin letters, operators, brackets and
// signs, with blanks between them. One without Arabic letters keeps its
// left-to-right order as one unit ("2x + 6 = 14", "(-3) × (-6)", "25%"); one
// with an Arabic variable (س, ص or ع standing alone beside digits or
// operators) follows the right-to-left order of Arabic school mathematics
// ("2س + 6 = 14" read from the right), each number still written with its
// digits left to right. The question pictures and the answer buttons both
// show their text through this.
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

    // text with each expression wrapped in an isolate of its direction.
    static QString isolated(const QString &text);

    // The text, isolated, laid out right to left and centred in lines of at
    // most width (wrapped at words, or anywhere in a word too long for a
    // line, when wrap is true; one line when not), from y = 0 down: what the
    // question pictures and the answer buttons draw.
    static std::unique_ptr<QTextLayout> layout(const QString &text, const QFont &font, qreal width, bool wrap);
};
