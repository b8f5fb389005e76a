#include "numberdigits.h"

namespace {

constexpr char16_t kEasternZero = u'\u0660';
constexpr char16_t kPersianZero = u'\u06F0';
constexpr char16_t kEasternDecimal = u'\u066B';
constexpr char16_t kEasternPercent = u'\u066A';

// The value of a digit of the sets a number may be written in, or -1.
int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= kEasternZero && u <= kEasternZero + 9)
        return u - kEasternZero;
    if (u >= kPersianZero && u <= kPersianZero + 9)
        return u - kPersianZero;
    return -1;
}

bool isDecimal(QChar c)
{
    return c == u'.' || c == QChar(kEasternDecimal);
}

bool isPercent(QChar c)
{
    return c == u'%' || c == QChar(kEasternPercent) || c == u'\uFE6A' || c == u'\uFF05';
}

QChar digit(int value, NumberDigits::Set set)
{
    return QChar(char16_t((set == NumberDigits::Set::Eastern ? kEasternZero : u'0') + value));
}

// Letters and the marks written on them: what makes digits part of a word.
bool inWord(QChar c)
{
    return c.isLetter() || c.isMark() || c == u'\u0640';
}

} // namespace

QString NumberDigits::name(Set set)
{
    switch (set) {
    case Set::Western: return QStringLiteral("western");
    case Set::Eastern: return QStringLiteral("eastern");
    case Set::AsTyped: break;
    }
    return QStringLiteral("typed");
}

std::optional<NumberDigits::Set> NumberDigits::fromName(const QString &name)
{
    for (Set set : {Set::AsTyped, Set::Western, Set::Eastern}) {
        if (name == NumberDigits::name(set))
            return set;
    }
    return std::nullopt;
}

QString NumberDigits::convert(const QString &text, Set set)
{
    if (set == Set::AsTyped)
        return text;
    const bool eastern = set == Set::Eastern;
    const qsizetype n = text.size();
    QString out;
    out.reserve(n + 8);
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        // A decimal separator before the digits (".5") is the number's when
        // nothing of a word or a number stands before it.
        const bool leadingSeparator = isDecimal(c) && i + 1 < n && digitValue(text[i + 1]) >= 0
            && (i == 0 || (!inWord(text[i - 1]) && digitValue(text[i - 1]) < 0));
        if (digitValue(c) < 0 && !leadingSeparator) {
            const QString decomposed = c.decomposition();
            if (eastern && c.decompositionTag() == QChar::Super && decomposed.size() == 1 && digitValue(decomposed[0]) >= 0) {
                // A run of superscript digits: the exponent of a power.
                out += u'^';
                for (; i < n && text[i].decompositionTag() == QChar::Super && text[i].decomposition().size() == 1 && digitValue(text[i].decomposition()[0]) >= 0; ++i)
                    out += digit(digitValue(text[i].decomposition()[0]), set);
                continue;
            }
            if (eastern && c.decompositionTag() == QChar::Fraction) {
                // ½ after a whole number is its mixed number's fraction.
                if (i > 0 && digitValue(text[i - 1]) >= 0)
                    out += u' ';
                for (QChar part : decomposed)
                    out += digitValue(part) >= 0 ? digit(digitValue(part), set) : part == u'\u2044' ? QChar(u'/') : part;
                ++i;
                continue;
            }
            out += c;
            ++i;
            continue;
        }
        // The run: digits, and a decimal separator only between digits.
        qsizetype end = i;
        int separators = 0;
        while (end < n) {
            if (digitValue(text[end]) >= 0) {
                ++end;
            } else if (isDecimal(text[end]) && end + 1 < n && digitValue(text[end + 1]) >= 0) {
                ++separators;
                ++end;
            } else {
                break;
            }
        }
        // Letters before digits make a word ("A4", "CO2"), unless a number
        // stands before the letters too: "3x2", "2س3" are numbers.
        qsizetype word = i;
        while (word > 0 && inWord(text[word - 1]))
            --word;
        const bool afterLetter = word < i && (word == 0 || digitValue(text[word - 1]) < 0);
        const bool beforeSuffix = end + 1 < n && text[end] == u'.' && text[end + 1].isLetter();
        if (afterLetter || beforeSuffix) {
            out += QStringView(text).mid(i, end - i);
            i = end;
            continue;
        }
        for (qsizetype k = i; k < end; ++k) {
            const int value = digitValue(text[k]);
            // Two separators or more (1.2.3) make no number of one decimal
            // point: they stay as typed.
            out += value >= 0 ? digit(value, set) : separators == 1 ? QChar(eastern ? kEasternDecimal : u'.') : text[k];
        }
        i = end;
        qsizetype after = end;
        while (after < n && text[after] == u' ')
            ++after;
        if (after < n && isPercent(text[after])) {
            out += QStringView(text).mid(end, after - end);
            out += eastern ? QChar(kEasternPercent) : QChar(u'%');
            i = after + 1;
        }
    }
    return out;
}
