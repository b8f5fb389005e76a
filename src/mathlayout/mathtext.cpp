#include "mathtext.h"

#include <QTextLayout>

#include <vector>

namespace {

constexpr QChar kLeftToRightIsolate(0x2066);
constexpr QChar kRightToLeftIsolate(0x2067);
constexpr QChar kPopDirectionalIsolate(0x2069);

enum class Kind { Other, Blank, Symbol, Operand, Variable };

bool isLatinLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// What stands for a number: digits of either kind, π, the vulgar fractions
// (½ ⅓ ¼ ¾ …) and the superscript digits.
bool isNumberLike(QChar c)
{
    return c.isDigit() || c == u'π' || (c >= QChar(0x00BC) && c <= QChar(0x00BE)) || (c >= QChar(0x2150) && c <= QChar(0x215E))
        || c == QChar(0x00B9) || c == QChar(0x00B2) || c == QChar(0x00B3) || (c >= QChar(0x2070) && c <= QChar(0x2079));
}

bool isOperator(QChar c)
{
    return QStringView(u"+-−×÷*/=<>≤≥≠≈±∓·^%°√∛∜()[]\\").contains(c);
}

// A letter that may name a variable, standing alone: no letter touches it.
bool isStandaloneVariable(const QString &text, qsizetype i)
{
    if (!QStringView(u"سصع").contains(text[i]))
        return false;
    return (i == 0 || !text[i - 1].isLetter()) && (i + 1 == text.size() || !text[i + 1].isLetter());
}

} // namespace

QList<MathText::Expression> MathText::expressions(const QString &text)
{
    const qsizetype n = text.size();
    std::vector<Kind> kinds(static_cast<size_t>(n), Kind::Other);
    // Whether, past blanks, a digit stands next to position i on that side.
    auto digitBeside = [&](qsizetype i, int step) {
        qsizetype j = i + step;
        while (j >= 0 && j < n && text[j] == u' ')
            j += step;
        return j >= 0 && j < n && text[j].isDigit();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        // A point, comma or colon is mathematics between two numbers ("3.5",
        // "6 : 9"), punctuation elsewhere. (Looked for only beside one of
        // them: from each of many blanks it would take as long again.)
        const bool betweenDigits = QStringView(u".,:٫").contains(c) && digitBeside(i, -1) && digitBeside(i, 1);
        kinds[size_t(i)] = isNumberLike(c) || isLatinLetter(c) ? Kind::Operand
            : isOperator(c) || betweenDigits ? Kind::Symbol
            : c == u' '                                                          ? Kind::Blank
                                                                                  : Kind::Other;
    }
    // An Arabic letter is a variable when, past blanks, a digit, an operator
    // or a Latin letter stands next to it on one side.
    auto nextTo = [&](qsizetype i, int step) {
        for (qsizetype j = i + step; j >= 0 && j < n; j += step) {
            if (kinds[size_t(j)] != Kind::Blank)
                return kinds[size_t(j)] == Kind::Symbol || kinds[size_t(j)] == Kind::Operand;
        }
        return false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        if (isStandaloneVariable(text, i) && (nextTo(i, -1) || nextTo(i, 1)))
            kinds[size_t(i)] = Kind::Variable;
    }

    QList<Expression> found;
    qsizetype i = 0;
    while (i < n) {
        if (kinds[size_t(i)] == Kind::Other || kinds[size_t(i)] == Kind::Blank) {
            ++i;
            continue;
        }
        // The run, without the blanks at its end.
        qsizetype end = i;
        bool operand = false, variable = false;
        for (qsizetype j = i; j < n && kinds[size_t(j)] != Kind::Other; ++j) {
            if (kinds[size_t(j)] == Kind::Blank)
                continue;
            end = j + 1;
            operand = operand || kinds[size_t(j)] != Kind::Symbol;
            variable = variable || kinds[size_t(j)] == Kind::Variable;
        }
        if (operand)
            found.append({i, end - i, variable});
        i = end;
    }
    return found;
}

QString MathText::isolated(const QString &text)
{
    QString result;
    result.reserve(text.size() + 8);
    qsizetype done = 0;
    for (const Expression &e : expressions(text)) {
        result += QStringView(text).sliced(done, e.start - done);
        result += e.rightToLeft ? kRightToLeftIsolate : kLeftToRightIsolate;
        result += QStringView(text).sliced(e.start, e.length);
        result += kPopDirectionalIsolate;
        done = e.start + e.length;
    }
    result += QStringView(text).sliced(done);
    return result;
}

std::unique_ptr<QTextLayout> MathText::layout(const QString &text, const QFont &font, qreal width, bool wrap)
{
    auto laidOut = std::make_unique<QTextLayout>(isolated(text), font);
    QTextOption option(Qt::AlignHCenter);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    laidOut->setTextOption(option);
    qreal height = 0;
    laidOut->beginLayout();
    for (QTextLine line = laidOut->createLine(); line.isValid(); line = laidOut->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    laidOut->endLayout();
    return laidOut;
}
