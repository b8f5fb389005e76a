#include "mathtext.h"

#include "mathparser.h"

#include <QCoreApplication>

#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace {

constexpr QChar kLeftToRightIsolate(0x2066);
constexpr QChar kRightToLeftIsolate(0x2067);
constexpr QChar kPopDirectionalIsolate(0x2069);
constexpr QChar kTatweel(0x0640);

// Other: prose (Arabic words, their marks and punctuation) or the end of a
// line; a Punctuation mark or a question mark is decided by its neighbours.
enum class Kind { Other, Blank, Symbol, Operand, Variable, Punctuation, Question, Prime, Letter, Function };

bool isArabicLetter(QChar c)
{
    return c.isLetter() && c.script() == QChar::Script_Arabic;
}

bool isEasternDigit(QChar c)
{
    return (c >= QChar(0x0660) && c <= QChar(0x0669)) || (c >= QChar(0x06F0) && c <= QChar(0x06F9));
}

// What stands for a number: digits of either kind, π, ∞, the vulgar
// fractions (½ ⅓ ¼ ¾ …) and the superscript digits.
bool isNumberLike(QChar c)
{
    return c.isDigit() || c == u'π' || c == u'∞' || (c >= QChar(0x00BC) && c <= QChar(0x00BE)) || (c >= QChar(0x2150) && c <= QChar(0x215E))
        || c == QChar(0x00B9) || c == QChar(0x00B2) || c == QChar(0x00B3) || (c >= QChar(0x2070) && c <= QChar(0x2079));
}

// Marks that join the numbers or letters on both sides of them into one
// expression ("3.5", "3:4 = x:20", "(-∞, 3]") and are punctuation elsewhere.
bool isJoiningPunctuation(QChar c)
{
    return QStringView(u".,:;٫٬،؛").contains(c);
}

bool isArabicPunctuation(QChar c)
{
    return c == u'،' || c == u'؛';
}

// A symbol of an expression: any mathematical sign, bracket, dash or mark a
// teacher may type, known to the notation or not. Quotation marks, Arabic
// punctuation and the marks of Arabic letters belong to the prose.
bool isSymbol(QChar c)
{
    if (QStringView(u"\"«»؟?'").contains(c) || isJoiningPunctuation(c))
        return false;
    switch (c.category()) {
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
    case QChar::Punctuation_Dash:
    case QChar::Punctuation_Open:
    case QChar::Punctuation_Close:
    case QChar::Punctuation_Connector:
    case QChar::Punctuation_Other:
        return true;
    default:
        return false;
    }
}

// The operators a question mark may stand beside as the unknown ("= ?",
// "3 + ? = 7").
bool isRelationOrOperator(QChar c)
{
    return QStringView(u"=≠≈<>≤≥+-−×÷*:±,،").contains(c);
}

// The Arabic names of the functions (sine, cosine, tangent, cotangent,
// secant, cosecant, logarithm, natural logarithm).
bool isArabicFunction(QStringView word)
{
    static const QStringView names[] = {u"جا", u"جتا", u"ظا", u"ظتا", u"قا", u"قتا", u"لو", u"لط"};
    return std::find(std::begin(names), std::end(names), word) != std::end(names);
}

// The length of the Arabic word at i (its letters, tatweel and marks), or 0.
qsizetype arabicWordAt(const QString &text, qsizetype i)
{
    if (!isArabicLetter(text[i]) || (i > 0 && (isArabicLetter(text[i - 1]) || text[i - 1].isMark())))
        return 0;
    qsizetype end = i;
    while (end < text.size() && (isArabicLetter(text[end]) || text[end].isMark()))
        ++end;
    return end - i;
}

// Whether an Arabic word may name a variable: one letter (س, أ, جـ, هـ),
// other than the conjunction و.
bool isOneLetter(QStringView word)
{
    if (word == u"و")
        return false;
    const qsizetype letters = word.size() - (word.endsWith(kTatweel) ? 1 : 0);
    return letters == 1;
}

// Whether an Arabic word is a product of variables after its coefficient,
// touching it ("٢أب", "٤أجـ"): at most three letters.
bool isProductAfterDigit(const QString &text, qsizetype at, QStringView word)
{
    return at > 0 && text[at - 1].isDigit() && word.size() - word.count(kTatweel) <= 3;
}

} // namespace

namespace {

// Each character's kind by itself, before its neighbours are looked at.
std::vector<Kind> characterKinds(const QString &text)
{
    std::vector<Kind> kinds(static_cast<size_t>(text.size()), Kind::Other);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        kinds[size_t(i)] = c == u' ' || c == u'\t'                                       ? Kind::Blank
            : isNumberLike(c) || (c.isLetter() && !isArabicLetter(c))                   ? Kind::Operand
            : isJoiningPunctuation(c)                                                   ? Kind::Punctuation
            : c == u'?' || c == u'؟'                                                    ? Kind::Question
            : c == u'\''                                                                ? Kind::Prime
            : isSymbol(c)                                                               ? Kind::Symbol
                                                                                        : Kind::Other;
    }
    return kinds;
}

// Where the nearest character past blanks on one side of i stands.
qsizetype beside(const std::vector<Kind> &kinds, qsizetype i, int step)
{
    const auto n = qsizetype(kinds.size());
    qsizetype j = i + step;
    while (j >= 0 && j < n && kinds[size_t(j)] == Kind::Blank)
        j += step;
    return j;
}

Kind kindAt(const std::vector<Kind> &kinds, qsizetype j)
{
    return j >= 0 && j < qsizetype(kinds.size()) ? kinds[size_t(j)] : Kind::Other;
}

bool isMathematics(Kind k)
{
    return k == Kind::Symbol || k == Kind::Operand || k == Kind::Variable || k == Kind::Function;
}

// A question mark beside an operator or relation (or after a list's comma)
// is the unknown: "= ?", "3 + ? = 7", "2, 4, 6, ?".
void markUnknowns(const QString &text, std::vector<Kind> &kinds)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (kinds[size_t(i)] == Kind::Question) {
            const qsizetype before = beside(kinds, i, -1), after = beside(kinds, i, 1);
            const bool unknown = (before >= 0 && isRelationOrOperator(text[before])) || (after < n && isRelationOrOperator(text[after]));
            kinds[size_t(i)] = unknown ? Kind::Operand : Kind::Other;
        }
    }
}

// Arabic words that may be variables (one letter, or a product touching its
// coefficient) marked as letters; gives every Arabic word, where it stands
// and its length.
std::vector<std::pair<qsizetype, qsizetype>> markLetters(const QString &text, std::vector<Kind> &kinds)
{
    std::vector<std::pair<qsizetype, qsizetype>> words;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const qsizetype length = arabicWordAt(text, i)) {
            const QStringView word = QStringView(text).sliced(i, length);
            words.push_back({i, length});
            if (isOneLetter(word) || isProductAfterDigit(text, i, word))
                std::fill(kinds.begin() + i, kinds.begin() + i + length, Kind::Letter);
            i += length - 1;
        }
    }
    return words;
}

// A point, comma, colon or semicolon between mathematics (or letters that
// may be variables) on both sides is mathematics, punctuation elsewhere; an
// Arabic comma only where one side is in Eastern digits or an Arabic letter
// (a list of Western numbers in a sentence reads as the sentence does).
// Each looks past the blanks beside it only, so a row of blanks is crossed
// at most twice.
void markPunctuation(const QString &text, std::vector<Kind> &kinds)
{
    const qsizetype n = text.size();
    auto joinable = [&](qsizetype j) { return isMathematics(kindAt(kinds, j)) || kindAt(kinds, j) == Kind::Letter; };
    auto arabicSide = [&](qsizetype j) { return j >= 0 && j < n && (isEasternDigit(text[j]) || kinds[size_t(j)] == Kind::Letter); };
    for (qsizetype i = 0; i < n; ++i) {
        if (kinds[size_t(i)] == Kind::Punctuation) {
            const qsizetype before = beside(kinds, i, -1), after = beside(kinds, i, 1);
            const bool joins = joinable(before) && joinable(after) && (!isArabicPunctuation(text[i]) || arabicSide(before) || arabicSide(after));
            kinds[size_t(i)] = joins ? Kind::Symbol : Kind::Other;
        }
    }
}

// Arabic letters beside mathematics are variables, and the names of
// functions before an operand, a bracket, ^ or _ are functions; twice, for a
// function's variable ("جا س") and a variable's function ("جا^٢ س"). Then a
// prime after a letter, a bracket or another prime: f'(x), د'(س).
void markVariables(const QString &text, const std::vector<std::pair<qsizetype, qsizetype>> &words, std::vector<Kind> &kinds)
{
    const qsizetype n = text.size();
    auto primeAfter = [&](qsizetype j) { return j + 1 < n && kinds[size_t(j + 1)] == Kind::Prime; };
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto &[at, length] : words) {
            const QStringView word = QStringView(text).sliced(at, length);
            Kind kind = kinds[size_t(at)] == Kind::Letter ? Kind::Letter : Kind::Other;
            const qsizetype after = beside(kinds, at + length - 1, 1);
            if (isArabicFunction(word)) {
                const Kind next = kindAt(kinds, after);
                const QChar c = after < n ? text[after] : QChar();
                if (next == Kind::Operand || (word != u"لو" && (next == Kind::Variable || next == Kind::Letter)) || c == u'(' || c == u'^' || c == u'_')
                    kind = Kind::Function;
            }
            if (kind == Kind::Letter && (isMathematics(kindAt(kinds, beside(kinds, at, -1))) || isMathematics(kindAt(kinds, after)) || primeAfter(at + length - 1)))
                kind = Kind::Variable;
            if (kind == Kind::Function || kind == Kind::Variable)
                std::fill(kinds.begin() + at, kinds.begin() + at + length, kind);
        }
    }
    for (qsizetype i = 0; i < n; ++i) {
        if (kinds[size_t(i)] == Kind::Prime)
            kinds[size_t(i)] = i > 0 && (isMathematics(kinds[size_t(i - 1)]) && text[i - 1] != u'(') ? Kind::Symbol : Kind::Other;
        else if (kinds[size_t(i)] == Kind::Letter)
            kinds[size_t(i)] = Kind::Other;
    }
}

// The runs of mathematics in text, by the kinds of its characters.
QList<MathText::Expression> runsOf(const QString &text, const std::vector<Kind> &kinds)
{
    const qsizetype n = text.size();
    QList<MathText::Expression> found;
    qsizetype i = 0;
    while (i < n) {
        if (kinds[size_t(i)] == Kind::Other || kinds[size_t(i)] == Kind::Blank) {
            ++i;
            continue;
        }
        // The run, without the blanks at its end.
        qsizetype end = i;
        bool operand = false, rightToLeft = false;
        for (qsizetype j = i; j < n && kinds[size_t(j)] != Kind::Other; ++j) {
            if (kinds[size_t(j)] == Kind::Blank)
                continue;
            end = j + 1;
            operand = operand || kinds[size_t(j)] != Kind::Symbol;
            const bool eastern = isEasternDigit(text[j]);
            rightToLeft = rightToLeft || eastern || kinds[size_t(j)] == Kind::Variable || kinds[size_t(j)] == Kind::Function;
        }
        // A sign that only follows an operand does not start an expression
        // (a word's "!" before a number), nor one that only precedes one end
        // it: they are the prose's.
        const qsizetype next = end;
        qsizetype from = i;
        while (from < end && (kinds[size_t(from)] == Kind::Blank || QStringView(u"!°%٪')}").contains(text[from])))
            ++from;
        while (end > from && (kinds[size_t(end - 1)] == Kind::Blank || QStringView(u"({∠△√∛∜").contains(text[end - 1])))
            --end;
        if (operand && end > from)
            found.append({from, end - from, rightToLeft});
        i = next;
    }
    return found;
}


} // namespace

QList<MathText::Expression> MathText::expressions(const QString &text)
{
    std::vector<Kind> kinds = characterKinds(text);
    markUnknowns(text, kinds);
    const std::vector<std::pair<qsizetype, qsizetype>> words = markLetters(text, kinds);
    markPunctuation(text, kinds);
    markVariables(text, words, kinds);
    return runsOf(text, kinds);
}

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("MathText", text);
}

// Whether what stands at k can be an exponent, an index or a radicand: a
// number, a letter or a group that is closed.
bool readableOperand(const QString &text, qsizetype k, qsizetype end, const std::vector<qsizetype> &partner, qsizetype start)
{
    if (k >= end)
        return false;
    const QChar c = text[k];
    return c.isLetterOrNumber() || QStringView(u"√∛∜∞?؟").contains(c) || (c >= QChar(0x00BC) && c <= QChar(0x00BE)) || (c >= QChar(0x2150) && c <= QChar(0x215E))
        || partner[size_t(k - start)] > k;
}

} // namespace

QStringList MathText::unreadNotation(const QString &text)
{
    QStringList unread;
    for (const Expression &e : expressions(text)) {
        const qsizetype end = e.start + e.length;
        std::vector<qsizetype> unmatched;
        const std::vector<qsizetype> partner = MathParser::bracketPartners(text, e.start, e.length, &unmatched);
        for (const qsizetype at : unmatched) {
            const QString where = QString::number(at + 1);
            if (text[at] == u'|')
                unread << tr("the bar | at character %1 is never closed: it is shown as typed; close the absolute value with a second |, or write \\| for a bar").arg(where);
            else if (QStringView(u"([{").contains(text[at]))
                unread << tr("the bracket %1 at character %2 is never closed: it is shown as typed; close it, or remove it").arg(text[at]).arg(where);
            else
                unread << tr("the bracket %1 at character %2 closes nothing: it is shown as typed; open it, or remove it").arg(text[at]).arg(where);
        }
        for (qsizetype k = e.start; k < end; ++k) {
            const QChar c = text[k];
            if (c == u'\\') {
                ++k; // a character as it is
                continue;
            }
            const QString where = QString::number(k + 1);
            if (c == u'^' || c == u'_') {
                const qsizetype after = c == u'^' && k + 1 < end && text[k + 1] == u'-' ? k + 2 : k + 1;
                if (!readableOperand(text, after, end, partner, e.start))
                    unread << (c == u'^' ? tr("^ at character %1 has no exponent after it: it is shown as typed; write the exponent after it (x^2), or \\^ for a caret")
                                         : tr("_ at character %1 has no index after it: it is shown as typed; write the index after it (x_1), or \\_ for an underscore"))
                                  .arg(where);
            } else if ((c == u'√' || c == u'∛' || c == u'∜') && !readableOperand(text, k + 1, end, partner, e.start)) {
                unread << tr("the root sign at character %1 has nothing under it: it is shown as typed; write the radicand after it (√3, √(x + 1))").arg(where);
            } else if (c == u'r' && text.mid(k, 5) == QStringLiteral("root(") && (k == e.start || !text[k - 1].isLetter())) {
                const qsizetype close = partner[size_t(k + 4 - e.start)];
                if (close > 0 && (close + 1 >= end || text[close + 1] != u'(' || partner[size_t(close + 1 - e.start)] < 0))
                    unread << tr("root(…) at character %1 has no radicand after its index: it is shown as typed; write it in brackets after the index (root(3)(8))").arg(where);
            }
        }
    }
    return unread;
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
