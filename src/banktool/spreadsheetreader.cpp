#include "spreadsheetreader.h"

#include "failure.h"
#include "translation.h"
#include "xlsrecords.h"

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <freexl.h>
#include <zlib.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace {

using Table = QuestionFile::Table;
using Row = QuestionFile::Row;
using R = SpreadsheetReader;

QString damagedAdvice()
{
    return QCoreApplication::translate("SpreadsheetReader", "Open the file in the spreadsheet program and save it again (as .xlsx, .ods or CSV UTF-8), then run the command again.");
}

[[noreturn]] void damaged(const QString &path, const QString &what)
{
    throw Failure(QCoreApplication::translate("SpreadsheetReader", "The spreadsheet could not be read: %1.").arg(what), path, damagedAdvice());
}

[[noreturn]] void passwordProtected(const QString &path)
{
    throw Failure(QCoreApplication::translate("SpreadsheetReader", "The spreadsheet is protected by a password."), path,
                  QCoreApplication::translate("SpreadsheetReader", "Save it again without a password, then run the command again."));
}

[[noreturn]] void cellFault(const QString &path, const QString &sheet, qint64 column, qint64 line, const QString &what)
{
    throw QuestionFile::cellFailure(path, sheet, int(std::clamp<qint64>(column, 0, 1 << 24)), line, what);
}

bool isQuestionSheet(const QString &name)
{
    const QString n = name.trimmed().toLower();
    return n == QLatin1String("questions") || n == QStringLiteral("الأسئلة") || n == QStringLiteral("الاسئلة");
}

// The sheet the questions are on, of sheets in their order: the first named
// for them, else the first visible one, else the first.
template<typename Sheets, typename Name, typename Visible>
size_t chosenSheet(const Sheets &sheets, Name name, Visible visible)
{
    for (size_t i = 0; i < sheets.size(); ++i) {
        if (isQuestionSheet(name(sheets[i])))
            return i;
    }
    for (size_t i = 0; i < sheets.size(); ++i) {
        if (visible(sheets[i]))
            return i;
    }
    return 0;
}

QLocale messageLocale()
{
    return Translation::rightToLeft() ? QLocale(QLocale::Arabic, QLocale::Egypt) : QLocale(QLocale::English, QLocale::UnitedKingdom);
}

// A number as the spreadsheet holds it, to 15 significant digits.
QString stored(double number)
{
    return QString::number(number, 'g', 15);
}

QString dateChanged(QDate date, const QString &storedValue)
{
    if (!date.isValid())
        return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored a date in this cell, \"%1\", which is not a date it can show; format the column as Text first and type the "
                                                                "answer again")
            .arg(Translation::isolate(storedValue));
    const QString typed = QStringLiteral("%1/%2").arg(date.month()).arg(date.day());
    return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored the date %1 in this cell; if you typed %2, format the column as Text first, or type '%2")
        .arg(Translation::isolate(messageLocale().toString(date, QStringLiteral("d MMMM yyyy"))), Translation::isolate(typed));
}

// The date of a serial number of days from zero, invalid outside the years
// spreadsheets show (1900 to 9999).
QDate serialDate(QDate zero, double serial)
{
    if (!std::isfinite(serial) || serial < 0 || serial >= 2958466)
        return QDate();
    return zero.addDays(qint64(std::floor(serial)));
}

QString timeChanged(QTime time)
{
    const QString typed = time.toString(QStringLiteral("h:mm"));
    return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored the time %1 in this cell; if you typed %2, format the column as Text first, or type '%2")
        .arg(Translation::isolate(time.toString(QStringLiteral("HH:mm:ss"))), Translation::isolate(typed));
}

QTime serialTime(double serial)
{
    return QTime(0, 0).addSecs(int(std::lround((serial - std::floor(serial)) * 86400)) % 86400);
}

QString fractionChanged(const QString &shown)
{
    return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored a number in this cell and shows it as the fraction %1, which it may have "
                                                            "reduced or rounded from what was typed (3 2/6 becomes 3 1/3); format the column as Text first and "
                                                            "type the answer again, or type '%1")
        .arg(Translation::isolate(shown));
}

QString percentChanged(double number, const QString &shown)
{
    return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored the number %1 in this cell and shows it as the percentage %2, which may not be what "
                                                            "was typed (25% is stored as 0.25 and may be shown as 25.00%); if you typed %2, format the column as Text "
                                                            "first, or type '%2")
        .arg(Translation::isolate(stored(number)), Translation::isolate(shown));
}

QString roundedChanged(double number, const QString &shown)
{
    return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored the number %1 in this cell but shows %2; format the column as Text first and "
                                                            "type the answer as it should show, or type '%2")
        .arg(Translation::isolate(stored(number)), Translation::isolate(shown));
}

QString unknownFormat(double number, const QString &code)
{
    return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored the number %1 in this cell and shows it in the number format \"%2\", which the "
                                                            "bank tool cannot show as the spreadsheet does; format the column as Text first and type the answer "
                                                            "as it should show")
        .arg(Translation::isolate(stored(number)), Translation::isolate(code));
}

QString hiddenNumber(double number)
{
    return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored the number %1 in this cell, and its number format shows nothing for it; "
                                                            "format the column as Text first and type the answer as it should show")
        .arg(Translation::isolate(stored(number)));
}

QString formulaWithoutValue()
{
    return QCoreApplication::translate("SpreadsheetReader", "this cell holds a formula without a stored value; open the file in the spreadsheet program and save "
                                                            "it again, or type the value in place of the formula");
}

QString damagedCell(const QString &value)
{
    return QCoreApplication::translate("SpreadsheetReader", "this cell holds \"%1\" where the spreadsheet keeps a number or a text of its own; the file is damaged: "
                                                            "open it in the spreadsheet program and save it again")
        .arg(Translation::isolate(Translation::shown(value.left(40))));
}

// A number in decimal: its significant digits (without zeros at either end)
// and where the point stands: the number is 0.digits x 10^point.
struct Decimal {
    QByteArray digits;
    int point = 0;
    bool operator==(const Decimal &) const = default;
};

void trimZeros(Decimal &d)
{
    qsizetype lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == '0')
        ++lead;
    d.digits.remove(0, lead);
    d.point -= int(lead);
    while (!d.digits.isEmpty() && d.digits.back() == '0')
        d.digits.chop(1);
    if (d.digits.isEmpty())
        d.point = 0;
}

// |number| to the 15 significant digits spreadsheets show of it (so 1.005
// is 1.005, not the 1.00499999999999989 the double holds).
Decimal decimalOf(double number)
{
    Decimal d;
    if (number == 0 || !std::isfinite(number))
        return d;
    const QByteArray e = QByteArray::number(std::abs(number), 'e', 14);
    const qsizetype exponent = e.indexOf('e');
    d.digits = e.left(1) + e.mid(2, exponent - 2);
    d.point = e.mid(exponent + 1).toInt() + 1;
    trimZeros(d);
    return d;
}

// d rounded half away from zero to places decimals, as spreadsheets round
// what they show: the digits of its whole part (none for 0) and of its
// fraction (places of them).
std::pair<QByteArray, QByteArray> rounded(Decimal d, int places)
{
    const qint64 keep = qint64(d.point) + places;
    if (keep < 0) {
        d.digits.clear();
    } else if (keep < d.digits.size()) {
        const bool up = d.digits[keep] >= '5';
        d.digits.truncate(keep);
        if (up) {
            qsizetype i = keep - 1;
            while (i >= 0 && d.digits[i] == '9')
                d.digits[i--] = '0';
            if (i >= 0) {
                ++d.digits[i];
            } else {
                d.digits.prepend('1');
                ++d.point;
            }
        }
    }
    QByteArray whole, fraction;
    for (int i = 0; i < d.point; ++i)
        whole += i < d.digits.size() ? d.digits[i] : '0';
    for (int i = 0; i < places; ++i) {
        const qint64 at = qint64(d.point) + i;
        fraction += at >= 0 && at < d.digits.size() ? d.digits[at] : '0';
    }
    while (!whole.isEmpty() && whole.front() == '0')
        whole.remove(0, 1);
    return {whole, fraction};
}

// A number format's sections (positive; negative; zero; text), split at the
// semicolons outside quotes, escapes and brackets.
QStringList sectionsOf(const QString &code)
{
    QStringList sections{QString()};
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u';') {
            sections.append(QString());
            continue;
        }
        qsizetype end = i + 1;
        if (c == u'"') {
            const qsizetype close = code.indexOf(u'"', i + 1);
            end = close < 0 ? code.size() : close + 1;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            end = std::min(code.size(), i + 2);
        } else if (c == u'[') {
            const qsizetype close = code.indexOf(u']', i);
            end = close < 0 ? code.size() : close + 1;
        }
        sections.last() += code.mid(i, end - i);
        i = end - 1;
    }
    return sections;
}

// A section's parts, as the spreadsheet lays a number out in them.
struct Token {
    enum Kind { Digit, Point, Comma, Percent, Exponent, Literal, General } kind;
    QString text; // the placeholder (0, # or ?), the exponent's sign, or the literal
};

bool isColour(const QString &name)
{
    static const QRegularExpression colour(QStringLiteral("^(black|blue|cyan|green|magenta|red|white|yellow|color\\s*\\d+)$"), QRegularExpression::CaseInsensitiveOption);
    return colour.match(name).hasMatch();
}

// The tokens of a number section, or nothing when it holds what the bank
// tool does not show as the spreadsheet does (a condition, native digits,
// letters it does not know).
std::optional<std::vector<Token>> tokensOf(const QString &section)
{
    std::vector<Token> tokens;
    auto literal = [&](const QString &text) { tokens.push_back({Token::Literal, text}); };
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'"') {
            const qsizetype close = section.indexOf(u'"', i + 1);
            if (close < 0)
                return std::nullopt;
            literal(section.mid(i + 1, close - i - 1));
            i = close;
        } else if (c == u'\\') {
            if (i + 1 < section.size())
                literal(section.mid(++i, 1));
        } else if (c == u'_') {
            // A blank as wide as the next character.
            ++i;
            literal(QStringLiteral(" "));
        } else if (c == u'*') {
            // The next character repeated to fill the cell's width.
            ++i;
        } else if (c == u'[') {
            const qsizetype close = section.indexOf(u']', i);
            if (close < 0)
                return std::nullopt;
            const QString inside = section.mid(i + 1, close - i - 1);
            if (inside.startsWith(u'$'))
                literal(inside.mid(1).section(u'-', 0, 0)); // a currency, and its locale
            else if (!isColour(inside))
                return std::nullopt;
            i = close;
        } else if (c == u'0' || c == u'#' || c == u'?') {
            tokens.push_back({Token::Digit, QString(c)});
        } else if (c == u'.') {
            tokens.push_back({Token::Point, QString()});
        } else if (c == u',') {
            tokens.push_back({Token::Comma, QString()});
        } else if (c == u'%') {
            tokens.push_back({Token::Percent, QString()});
        } else if ((c == u'E' || c == u'e') && i + 1 < section.size() && (section[i + 1] == u'+' || section[i + 1] == u'-')) {
            tokens.push_back({Token::Exponent, QString(section[++i])});
        } else if (section.mid(i, 7).compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) {
            tokens.push_back({Token::General, QString()});
            i += 6;
        } else if (c == u'@' || c.isDigit() || (c.isLetter() && c.unicode() < 128)) {
            return std::nullopt;
        } else {
            literal(QString(c));
        }
    }
    return tokens;
}

// A number as a section of a format shows it, and what kind of section it
// is: the text is null when the bank tool cannot show it exactly.
struct Rendered {
    QString text;
    bool percent = false;
};

// The whole digits as General shows them: a whole number up to 11 digits
// (past them spreadsheets show it in scientific notation, or as the
// column's width allows); a fraction to 15 significant digits.
QString generalText(double magnitude)
{
    if (std::floor(magnitude) == magnitude)
        return magnitude < 1e11 ? QString::number(qint64(magnitude)) : QString();
    return stored(magnitude);
}

qsizetype countOf(const std::vector<Token> &tokens, Token::Kind kind, size_t from, size_t to)
{
    return std::count_if(tokens.begin() + qsizetype(from), tokens.begin() + qsizetype(to), [&](const Token &t) { return t.kind == kind; });
}

// Where the parts of a number section stand among its tokens.
struct SectionPlaces {
    size_t end = 0, exponent = 0, point = 0;
    size_t wholeEnd = 0; // the whole part's end
    size_t numberEnd = 0; // the number's end, before any exponent
    qsizetype wholePlaces = 0, places = 0;
    qsizetype firstDigit = -1, lastWholeDigit = -1, lastDigit = -1;
    std::vector<int> commaRole; // 0 shown, 1 groups, 2 scales
    bool grouped = false;
    int scale = 0;
};

// The places of a section's parts; nothing when it has two points or two
// exponents.
std::optional<SectionPlaces> placesOf(const std::vector<Token> &tokens)
{
    SectionPlaces at;
    at.end = tokens.size();
    at.exponent = at.point = at.end;
    for (size_t i = 0; i < at.end; ++i) {
        if (tokens[i].kind == Token::Exponent && at.exponent == at.end)
            at.exponent = i;
        else if (tokens[i].kind == Token::Point && at.point == at.end && at.exponent == at.end)
            at.point = i;
        else if (tokens[i].kind == Token::Point || tokens[i].kind == Token::Exponent)
            return std::nullopt;
    }
    at.wholeEnd = std::min(at.point, at.exponent);
    at.numberEnd = at.exponent;
    at.wholePlaces = countOf(tokens, Token::Digit, 0, at.wholeEnd);
    at.places = at.point < at.numberEnd ? countOf(tokens, Token::Digit, at.point, at.numberEnd) : 0;
    for (size_t i = 0; i < at.numberEnd; ++i) {
        if (tokens[i].kind != Token::Digit)
            continue;
        if (at.firstDigit < 0)
            at.firstDigit = qsizetype(i);
        if (i < at.wholeEnd)
            at.lastWholeDigit = qsizetype(i);
        at.lastDigit = qsizetype(i);
    }
    // Commas: between the whole part's placeholders they group its digits;
    // after the last placeholder of the number each divides it by 1000;
    // elsewhere they are shown as they are.
    at.commaRole.assign(at.end, 0);
    for (size_t i = 0; i < at.numberEnd; ++i) {
        if (tokens[i].kind != Token::Comma || at.firstDigit < 0 || qsizetype(i) < at.firstDigit)
            continue;
        if (qsizetype(i) < at.lastWholeDigit) {
            at.commaRole[i] = 1;
            at.grouped = true;
        } else if (qsizetype(i) > at.lastDigit) {
            at.commaRole[i] = 2;
            ++at.scale;
        }
    }
    return at;
}

// A section without placeholders: General among literals ("General cm"),
// the number as General shows it; literals alone ("zero", "-"), shown as
// they are. Nothing for a section with placeholders.
std::optional<Rendered> withoutPlaceholders(const std::vector<Token> &tokens, const SectionPlaces &at, double magnitude, const QString &sign, bool percent)
{
    Rendered shown;
    shown.percent = percent;
    if (countOf(tokens, Token::General, 0, at.end) > 0) {
        if (countOf(tokens, Token::Digit, 0, at.end) > 0 || at.point != at.end || at.exponent != at.end || percent)
            return shown;
        const QString general = generalText(magnitude);
        if (general.isNull())
            return shown;
        shown.text = sign;
        for (const Token &t : tokens)
            shown.text += t.kind == Token::General ? general : t.kind == Token::Comma ? QStringLiteral(",") : t.text;
        return shown;
    }
    if (countOf(tokens, Token::Digit, 0, at.end) > 0)
        return std::nullopt;
    shown.text = sign;
    for (const Token &t : tokens)
        shown.text += t.kind == Token::Comma ? QStringLiteral(",") : t.kind == Token::Percent ? QStringLiteral("%") : t.text;
    return shown;
}

// The digits a section shows of a number.
struct SectionDigits {
    QByteArray whole, fraction;
    int exponent = 0; // of a scientific section
    qsizetype significant = 0; // the fraction's digits up to its last that is not 0
    qsizetype minimum = 0; // the digits a grouped whole part shows, from its first 0
};

// The number's digits in a section's places, rounded to them; nothing when
// the bank tool does not show the section as the spreadsheet does.
std::optional<SectionDigits> digitsOf(double magnitude, const std::vector<Token> &tokens, const SectionPlaces &at)
{
    SectionDigits digits;
    Decimal d = decimalOf(magnitude);
    if (!d.digits.isEmpty())
        d.point += 2 * int(countOf(tokens, Token::Percent, 0, at.end)) - 3 * at.scale;
    if (at.exponent != at.end) {
        // Scientific: as many whole digits as the whole part has places; an
        // engineering format (##0.0E+0) keeps the exponent a multiple of them.
        if (at.wholePlaces == 0 || at.grouped)
            return std::nullopt;
        const bool engineering = at.wholePlaces > 1 && tokens[size_t(at.firstDigit)].text == u'#';
        if (!d.digits.isEmpty()) {
            const int e10 = d.point - 1;
            digits.exponent = engineering ? int(std::floor(double(e10) / double(at.wholePlaces))) * int(at.wholePlaces) : e10 - int(at.wholePlaces - 1);
        }
        for (int attempt = 0; attempt < 3; ++attempt) {
            Decimal mantissa = d;
            if (!mantissa.digits.isEmpty())
                mantissa.point -= digits.exponent;
            std::tie(digits.whole, digits.fraction) = rounded(mantissa, int(at.places));
            if (digits.whole.size() <= at.wholePlaces)
                break;
            digits.exponent += engineering ? int(at.wholePlaces) : 1;
        }
    } else {
        std::tie(digits.whole, digits.fraction) = rounded(d, int(at.places));
    }
    digits.significant = digits.fraction.size();
    while (digits.significant > 0 && digits.fraction[digits.significant - 1] == '0')
        --digits.significant;
    for (size_t i = 0; i < at.wholeEnd; ++i) {
        if (tokens[i].kind == Token::Digit && (digits.minimum > 0 || tokens[i].text == u'0'))
            ++digits.minimum;
    }
    return digits;
}

// Writes what digit placeholder t, token i of the section, shows; counts
// the whole and fraction placeholders written.
void writeDigit(QString &text, const Token &t, size_t i, const SectionPlaces &at, const SectionDigits &digits, qsizetype &wholeIndex, qsizetype &fractionIndex)
{
    const QByteArray &whole = digits.whole;
    if (i < at.wholeEnd) {
        if (at.grouped) {
            if (wholeIndex++ == 0) {
                QByteArray grouped = whole.rightJustified(std::max(whole.size(), digits.minimum), '0');
                for (qsizetype place = grouped.size() - 3; place > 0; place -= 3)
                    grouped.insert(place, ',');
                text += QString::fromLatin1(grouped);
            }
            return;
        }
        // Digits fill the placeholders from the right; those left over
        // stand before the first.
        const qsizetype fromRight = at.wholePlaces - 1 - wholeIndex;
        if (wholeIndex++ == 0 && whole.size() > at.wholePlaces)
            text += QString::fromLatin1(whole.left(whole.size() - at.wholePlaces));
        if (fromRight < whole.size())
            text += QChar::fromLatin1(whole[whole.size() - 1 - fromRight]);
        else if (t.text == u'0')
            text += u'0';
        else if (t.text == u'?')
            text += u' ';
    } else if (i < at.numberEnd) {
        const qsizetype place = fractionIndex++;
        if (place < digits.significant)
            text += QChar::fromLatin1(digits.fraction[place]);
        else if (t.text == u'0')
            text += u'0';
        else if (t.text == u'?')
            text += u' ';
    }
    // The exponent's placeholders are written with its sign.
}

// The section's text for the number's digits, token by token.
QString sectionText(const std::vector<Token> &tokens, const SectionPlaces &at, const SectionDigits &digits, const QString &sign)
{
    QString text = sign;
    qsizetype wholeIndex = 0, fractionIndex = 0;
    for (size_t i = 0; i < at.end; ++i) {
        const Token &t = tokens[i];
        switch (t.kind) {
        case Token::Digit:
            writeDigit(text, t, i, at, digits, wholeIndex, fractionIndex);
            break;
        case Token::Point:
            text += u'.';
            break;
        case Token::Comma:
            if (at.commaRole[i] == 0)
                text += u',';
            break;
        case Token::Percent:
            text += u'%';
            break;
        case Token::Exponent: {
            qsizetype zeros = 0;
            for (size_t k = i + 1; k < at.end && tokens[k].kind == Token::Digit; ++k)
                zeros += tokens[k].text == u'0';
            text += u'E';
            text += digits.exponent < 0 ? QStringLiteral("-") : t.text == u'+' ? QStringLiteral("+") : QString();
            text += QString::number(std::abs(digits.exponent)).rightJustified(std::max<qsizetype>(zeros, 1), u'0');
            break;
        }
        case Token::Literal:
            text += t.text;
            break;
        case Token::General:
            break;
        }
    }
    // Without the blanks at its ends that pad it to the cell's width (_) or
    // stand for missing digits (?).
    return text.trimmed();
}

Rendered renderSection(double number, const QString &section, bool minus)
{
    Rendered shown;
    const double magnitude = std::abs(number);
    const QString sign = minus ? QStringLiteral("-") : QString();
    const QString trimmed = section.trimmed();
    if (trimmed.isEmpty() && section.isEmpty())
        return {QStringLiteral(""), false};
    if (trimmed.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0 || trimmed == QLatin1String("@")) {
        const QString general = generalText(magnitude);
        return {general.isNull() ? QString() : sign + general, false};
    }
    const std::optional<std::vector<Token>> parsed = tokensOf(section);
    const std::optional<SectionPlaces> at = parsed ? placesOf(*parsed) : std::nullopt;
    if (!at)
        return shown;
    const std::vector<Token> &tokens = *parsed;
    shown.percent = countOf(tokens, Token::Percent, 0, at->end) > 0;
    if (const std::optional<Rendered> literal = withoutPlaceholders(tokens, *at, magnitude, sign, shown.percent))
        return *literal;
    // Literals between the whole part's placeholders take digits' places
    // ("000-000"); with grouping too, the bank tool does not show them.
    bool literalsWithin = false;
    for (qsizetype i = at->firstDigit; i >= 0 && i < at->lastWholeDigit; ++i)
        literalsWithin = literalsWithin || tokens[size_t(i)].kind == Token::Literal;
    if (at->grouped && (literalsWithin || std::any_of(tokens.begin(), tokens.begin() + qsizetype(at->wholeEnd), [](const Token &t) { return t.text == u'?'; })))
        return shown;
    const std::optional<SectionDigits> digits = digitsOf(magnitude, tokens, *at);
    if (digits)
        shown.text = sectionText(tokens, *at, *digits, sign);
    return shown;
}

// The fraction a section shows (# ?/?, # ??/16): the nearest with as many
// digits below the bar as the section has places, after the whole number
// when it has one.
QString fractionText(double number, const QString &section)
{
    const qsizetype bar = section.indexOf(u'/');
    int places = 0;
    for (qsizetype i = bar + 1; i < section.size() && QStringView(u"?#0").contains(section[i]); ++i)
        ++places;
    const int largest = int(std::pow(10, std::clamp(places, 1, 4))) - 1;
    const bool whole = section.left(bar).trimmed().contains(u' ');
    const double value = std::abs(number);
    const double integral = whole ? std::floor(value) : 0;
    int bestNumerator = 0, bestDenominator = 1;
    for (int d = 1; d <= largest; ++d) {
        const int n = int(std::lround((value - integral) * d));
        if (std::abs(double(n) / d - (value - integral)) < std::abs(double(bestNumerator) / bestDenominator - (value - integral)) - 1e-12)
            bestNumerator = n, bestDenominator = d;
    }
    QString text = number < 0 ? QStringLiteral("-") : QString();
    if (whole && (integral > 0 || bestNumerator == 0))
        text += QString::number(qint64(integral)) + (bestNumerator ? QStringLiteral(" ") : QString());
    if (bestNumerator)
        text += QStringLiteral("%1/%2").arg(bestNumerator).arg(bestDenominator);
    return text;
}

// The section of code that shows number, and whether it shows the sign.
std::pair<QString, bool> sectionFor(double number, const QString &code)
{
    const QStringList sections = sectionsOf(code);
    if (sections.size() == 1 || (number > 0) || (number == 0 && sections.size() == 2))
        return {sections[0], number < 0};
    if (number < 0)
        return {sections[1], false};
    return {sections[2], false};
}

Rendered render(double number, const QString &code)
{
    if (!std::isfinite(number))
        return {};
    // Conditions ([>100]) choose sections by values; not shown here.
    static const QRegularExpression condition(QStringLiteral("\\[[<>=]"));
    if (condition.match(code).hasMatch())
        return {};
    if (code.trimmed().isEmpty())
        return renderSection(number, QStringLiteral("General"), number < 0);
    const auto [section, minus] = sectionFor(number, code);
    if (SpreadsheetReader::kindOf(section) == SpreadsheetReader::Shown::Fraction)
        return {fractionText(number, section), false};
    return renderSection(number, section, minus);
}

// Whether text shows |number| whole, as one of the numbers in it (1,250.5,
// 1.250,5, 1.5E+03, with Arabic-Indic digits too): not rounded, not scaled.
bool showsNumber(const QString &text, double number)
{
    const Decimal wanted = decimalOf(number);
    QString t = text;
    for (QChar &c : t) {
        if (c.unicode() >= 0x0660 && c.unicode() <= 0x0669)
            c = QChar(u'0' + (c.unicode() - 0x0660));
        else if (c.unicode() >= 0x06F0 && c.unicode() <= 0x06F9)
            c = QChar(u'0' + (c.unicode() - 0x06F0));
        else if (c == QChar(0x066B))
            c = u'.';
        else if (c == QChar(0x066C))
            c = u',';
    }
    auto digit = [&](qsizetype i) { return i < t.size() && t[i] >= u'0' && t[i] <= u'9'; };
    auto separator = [&](qsizetype i) { return i < t.size() && QStringView(u".,' \u00A0\u202F").contains(t[i]); };
    for (qsizetype i = 0; i < t.size();) {
        if (!digit(i)) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (digit(end) || (separator(end) && digit(end + 1)))
            ++end;
        const QString run = t.mid(i, end - i);
        int exponent = 0;
        if (end + 1 < t.size() && (t[end] == u'E' || t[end] == u'e')) {
            qsizetype at = end + 1;
            const bool negative = t[at] == u'-';
            if (t[at] == u'+' || t[at] == u'-')
                ++at;
            qsizetype digitsEnd = at;
            while (digit(digitsEnd) && digitsEnd - at < 4)
                ++digitsEnd;
            if (digitsEnd > at) {
                exponent = t.mid(at, digitsEnd - at).toInt() * (negative ? -1 : 1);
                end = digitsEnd;
            }
        }
        for (const QChar mark : {QChar(u'.'), QChar(u',')}) {
            if (run.count(mark) > 1)
                continue;
            Decimal d;
            qsizetype before = -1;
            for (const QChar c : run) {
                if (c == mark)
                    before = d.digits.size();
                else if (c >= u'0' && c <= u'9')
                    d.digits += char(c.unicode());
            }
            d.point = int(before < 0 ? d.digits.size() : before) + exponent;
            trimZeros(d);
            if (d == wanted)
                return true;
        }
        i = end;
    }
    return false;
}

// What the spreadsheet did to the number it holds and shows as shown, when
// it may not be what was typed: nothing when shown is it as typed.
QString numberChanged(double number, const QString &shown, bool percent)
{
    // Most numbers in a bank: whole, shown whole.
    if (!percent && std::floor(number) == number && std::abs(number) < 1e15 && shown == QString::number(qint64(number)))
        return QString();
    if (percent)
        return percentChanged(number, shown);
    if (shown.trimmed().isEmpty())
        return hiddenNumber(number);
    if (!showsNumber(shown, number))
        return roundedChanged(number, shown);
    // A decimal shown as General shows it (0.5) is read so: whether 0.50 was
    // typed cannot be known, and refusing every decimal answer of a sheet
    // would refuse most banks of decimals.
    return QString();
}

// The text and what the spreadsheet did, of a cell holding number in the
// number format code (.xlsx, .xls).
void numberCell(double number, const QString &code, QDate zero, QString *text, QString *changed)
{
    switch (SpreadsheetReader::kindOf(code)) {
    case SpreadsheetReader::Shown::Date:
        *text = stored(number);
        *changed = dateChanged(serialDate(zero, number), *text);
        return;
    case SpreadsheetReader::Shown::Time:
        *text = stored(number);
        *changed = timeChanged(serialTime(number));
        return;
    case SpreadsheetReader::Shown::Fraction:
        *text = render(number, code).text;
        *changed = fractionChanged(*text);
        return;
    case SpreadsheetReader::Shown::Number:
        break;
    }
    const Rendered shown = render(number, code);
    if (shown.text.isNull()) {
        *text = stored(number);
        *changed = unknownFormat(number, code.isEmpty() ? QStringLiteral("General") : code);
        return;
    }
    *text = shown.text;
    *changed = numberChanged(number, shown.text, shown.percent);
}

// The rows of a sheet, as its reader finds their cells, within the bounds:
// rows in their order, kMaxRows of them, kMaxColumns columns, kMaxCells
// cells in all (counted with the other sheets read from the same file), and
// kMaxCellChars characters a cell. Cells that show nothing are not held.
class SheetBuilder {
public:
    SheetBuilder(const QString &path, const QString &sheet, qint64 *cells)
        : m_path(path), m_sheet(sheet), m_cells(cells)
    {
    }

    const QString &sheet() const { return m_sheet; }

    [[noreturn]] void fail(qint64 column, qint64 line, const QString &what) const { cellFault(m_path, m_sheet, column, line, what); }

    // Refuses a place past the rows or the columns read.
    void place(qint64 line, qint64 column) const
    {
        if (line > R::kMaxRows)
            fail(column, line, QCoreApplication::translate("SpreadsheetReader", "the sheet has something in row %1, past the %2 rows the bank tool reads; put the "
                                                                                "questions in fewer rows, or split them into several files")
                                   .arg(line)
                                   .arg(R::kMaxRows));
        if (column >= R::kMaxColumns)
            fail(column, line, QCoreApplication::translate("SpreadsheetReader", "this cell is past column %1, the last of the %2 columns the bank tool reads; "
                                                                                "move the questions' columns to the start of the sheet")
                                   .arg(QuestionFile::columnName(int(R::kMaxColumns - 1)))
                                   .arg(R::kMaxColumns));
    }

    [[noreturn]] void tooLong(qint64 line, qint64 column) const
    {
        fail(column, line, QCoreApplication::translate("SpreadsheetReader", "this cell holds more than %1 characters, more than a spreadsheet's cell holds")
                               .arg(R::kMaxCellChars));
    }

    void cell(qint64 line, qint64 column, const QString &text, const QString &changed)
    {
        if (text.size() > R::kMaxCellChars)
            tooLong(line, column);
        Row &row = rowAt(line, column);
        const size_t at = size_t(column);
        if (row.cells.size() <= at) {
            count(qint64(at + 1 - row.cells.size()), column, line);
            row.cells.resize(at + 1);
        }
        row.cells[at] = text;
        if (!changed.isEmpty()) {
            row.changed.resize(row.cells.size());
            row.changed[at] = changed;
        }
    }

    // A picture in the row at line; the row's first is kept.
    void picture(qint64 line, qint64 column, const QByteArray &bytes)
    {
        Row &row = rowAt(line, std::min(column, R::kMaxColumns - 1));
        if (row.pastedPicture.isEmpty())
            row.pastedPicture = bytes;
    }

    // The row at line, when it holds something, stands times in all, each
    // a row of its own (a row written once with a count of its repeats).
    void repeat(qint64 line, qint64 times)
    {
        if (m_rows.empty() || m_rows.back().line != line || times <= 1)
            return;
        const Row copy = m_rows.back();
        const qint64 firstColumn = std::find_if(copy.cells.begin(), copy.cells.end(), [](const QString &c) { return !c.isEmpty(); }) - copy.cells.begin();
        if (times > R::kMaxRows - line + 1)
            place(R::kMaxRows + 1, firstColumn < qint64(copy.cells.size()) ? firstColumn : 0);
        count(qint64(copy.cells.size()) * (times - 1), firstColumn, line);
        m_rows.reserve(m_rows.size() + size_t(times - 1));
        for (qint64 k = 1; k < times; ++k) {
            m_rows.push_back(copy);
            m_rows.back().line = int(line + k);
        }
    }

    // The sheet's rows, with the pictures anchored in rows (by their line,
    // in order) put in theirs, a row of its own for each in a row without
    // cells: in one pass over the two.
    Table finish(std::map<qint64, QByteArray> pictures = {})
    {
        Table table;
        table.sheet = m_sheet;
        table.rows.reserve(m_rows.size() + pictures.size());
        auto picture = pictures.begin();
        auto pictureRow = [&] {
            Row row;
            row.line = int(picture->first);
            row.pastedPicture = picture->second;
            table.rows.push_back(std::move(row));
            ++picture;
        };
        for (Row &row : m_rows) {
            while (picture != pictures.end() && picture->first < row.line)
                pictureRow();
            if (picture != pictures.end() && picture->first == row.line) {
                if (row.pastedPicture.isEmpty())
                    row.pastedPicture = picture->second;
                ++picture;
            }
            table.rows.push_back(std::move(row));
        }
        while (picture != pictures.end())
            pictureRow();
        m_rows.clear();
        return table;
    }

private:
    Row &rowAt(qint64 line, qint64 column)
    {
        place(line, column);
        if (m_rows.empty() || m_rows.back().line < line) {
            m_rows.emplace_back();
            m_rows.back().line = int(line);
        } else if (m_rows.back().line > line) {
            damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "its rows are out of order (row %1 after row %2)").arg(line).arg(m_rows.back().line));
        }
        return m_rows.back();
    }

    void count(qint64 more, qint64 column, qint64 line)
    {
        *m_cells += more;
        if (*m_cells > R::kMaxCells)
            fail(column, line, QCoreApplication::translate("SpreadsheetReader", "the sheet holds more than %1 cells by this one, more than the bank tool reads; "
                                                                                "split the questions into several files")
                                   .arg(R::kMaxCells));
    }

    QString m_path;
    QString m_sheet;
    qint64 *m_cells;
    std::vector<Row> m_rows;
};

// A ZIP container's parts, read with liborcus's ZIP reader once the central
// directory, checked here whole, shows that the reader will find there what
// is checked and nothing more: as many entries as the directory's end
// record counts, each inside the file, packed as the reader unpacks, at a
// ratio deflate can reach, and all of them unpacking to kMaxUnpackedBytes at
// most. The reader reserves a part's packed and unpacked sizes as the
// directory gives them, so nothing past these bounds is held. Each part is
// unpacked once, checked against its CRC, and kept.
class Archive {
public:
    Archive(const QString &path, const QByteArray &data)
        : m_path(path), m_data(data)
    {
        checkDirectory();
        try {
            m_stream = std::make_unique<orcus::zip_archive_stream_blob>(reinterpret_cast<const uint8_t *>(m_data.constData()), size_t(m_data.size()));
            m_zip = std::make_unique<orcus::zip_archive>(m_stream.get());
            m_zip->load();
        } catch (const std::exception &e) {
            damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "it is not a whole ZIP container (%1)").arg(Translation::isolate(QString::fromUtf8(e.what()))));
        }
        if (m_zip->get_file_entry_count() != size_t(m_entries.size()))
            damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "its ZIP directory is damaged"));
    }

    bool has(const QString &name) const { return m_entries.contains(name); }

    // An XML part's bytes, valid as long as the archive, or nothing when the
    // container has no such part. Its texts and tags are no longer than a
    // spreadsheet program writes them: the XML reader holds each whole.
    QByteArray xml(const QString &name) const
    {
        const QByteArray bytes = raw(name);
        if (!bytes.isEmpty() && m_checked.insert(name).second && !boundedRuns(bytes))
            damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "its part %1 holds a text or a tag longer than a spreadsheet program writes")
                                .arg(Translation::isolate(name)));
        return bytes;
    }

    // A part's bytes that may outlive the archive (a picture): one copy,
    // shared by all that take it.
    QByteArray copy(const QString &name) const
    {
        const auto kept = m_copies.find(name);
        if (kept != m_copies.end())
            return kept->second;
        QByteArray bytes = raw(name);
        bytes.detach();
        m_parts.erase(name);
        m_copies[name] = bytes;
        return bytes;
    }

    // Refuses a part whose XML is not well formed.
    void checkXml(const QXmlStreamReader &xml, const QString &name) const
    {
        if (xml.hasError())
            damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "its part %1 is damaged (%2)").arg(Translation::isolate(name), Translation::isolate(xml.errorString())));
    }

    [[noreturn]] void tooMany(const QString &name) const
    {
        damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "its part %1 holds more entries than a spreadsheet program writes (more than %2)")
                            .arg(Translation::isolate(name))
                            .arg(R::kMaxEntries));
    }

    const QString &path() const { return m_path; }

private:
    struct Entry {
        quint32 size = 0;
        quint32 crc = 0;
    };

    // The longest text, tag, comment or CDATA section of an XML part: a
    // cell's 32 767 characters written as character references fit.
    static constexpr qsizetype kMaxXmlRun = 4 * 1024 * 1024;

    static bool boundedRuns(QByteArrayView bytes)
    {
        qsizetype run = 0;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c == '<') {
                // A comment or a CDATA section may hold < and > of its own.
                const QByteArrayView rest = bytes.sliced(i);
                const QByteArrayView end = rest.startsWith("<!--") ? QByteArrayView("-->") : rest.startsWith("<![CDATA[") ? QByteArrayView("]]>") : QByteArrayView();
                if (!end.isEmpty()) {
                    const qsizetype close = rest.first(std::min(rest.size(), kMaxXmlRun)).indexOf(end);
                    if (close < 0)
                        return false;
                    i += close + end.size() - 1;
                }
                run = 0;
            } else if (c == '>') {
                run = 0;
            } else if (++run > kMaxXmlRun) {
                return false;
            }
        }
        return true;
    }

    QByteArray raw(const QString &name) const
    {
        const std::vector<unsigned char> *bytes = unpacked(name);
        return bytes ? QByteArray::fromRawData(reinterpret_cast<const char *>(bytes->data()), qsizetype(m_entries.value(name).size)) : QByteArray();
    }

    const std::vector<unsigned char> *unpacked(const QString &name) const
    {
        const auto kept = m_parts.find(name);
        if (kept != m_parts.end())
            return &kept->second;
        const auto entry = m_entries.constFind(name);
        if (entry == m_entries.constEnd())
            return nullptr;
        std::vector<unsigned char> bytes;
        bool read = entry->size == 0;
        if (!read) {
            try {
                read = m_zip->read_file_entry(name.toStdString(), bytes);
            } catch (const std::exception &) {
                read = false;
            }
        }
        // The reader ends what it unpacks with a zero byte of its own.
        if (!read || bytes.size() < entry->size
            || crc32(0, bytes.data(), uInt(entry->size)) != entry->crc)
            damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "its part %1 is damaged").arg(Translation::isolate(name)));
        return &m_parts.emplace(name, std::move(bytes)).first->second;
    }

    [[noreturn]] void damagedDirectory() const { damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "its ZIP directory is damaged")); }

    void checkDirectory()
    {
        const qsizetype end = m_data.lastIndexOf(QByteArrayView("PK\x05\x06", 4));
        if (end < 0 || end + 22 > m_data.size())
            damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "it is not a whole ZIP container"));
        const auto *bytes = reinterpret_cast<const uchar *>(m_data.constData());
        auto u16 = [&](qint64 at) { return qFromLittleEndian<quint16>(bytes + at); };
        auto u32 = [&](qint64 at) { return qFromLittleEndian<quint32>(bytes + at); };
        const quint16 entries = u16(end + 10);
        // One disk; no ZIP64 (no spreadsheet of our size needs it).
        if (u16(end + 4) != 0 || u16(end + 6) != 0 || u16(end + 8) != entries || u32(end + 16) == 0xFFFFFFFF)
            damagedDirectory();
        qint64 at = u32(end + 16), unpacked = 0, packed = 0;
        for (int i = 0; i < entries; ++i) {
            if (at + 46 > end || u32(at) != 0x02014b50)
                damagedDirectory();
            const quint16 flags = u16(at + 8), method = u16(at + 10);
            const quint32 crc = u32(at + 16), compressed = u32(at + 20), size = u32(at + 24);
            const qint64 local = u32(at + 42);
            const qint64 nameLength = u16(at + 28);
            if (flags & 1)
                passwordProtected(m_path);
            // The part's data, after its local header, inside the file; stored
            // whole, or deflated at no more than deflate's largest ratio.
            if (local + 30 > end || u32(local) != 0x04034b50)
                damagedDirectory();
            const qint64 data = local + 30 + u16(local + 26) + u16(local + 28);
            unpacked += size;
            packed += compressed;
            if (unpacked > R::kMaxUnpackedBytes)
                damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "its parts would take more than %1 MB unpacked").arg(R::kMaxUnpackedBytes >> 20));
            if (data + compressed > end || (method != 0 && method != 8) || (method == 0 && compressed != size)
                || (method == 8 && size > qint64(compressed) * 1032 + 64))
                damagedDirectory();
            if (at + 46 + nameLength > end)
                damagedDirectory();
            const QString name = QString::fromUtf8(m_data.constData() + at + 46, nameLength);
            if (m_entries.contains(name))
                damagedDirectory();
            m_entries.insert(name, {size, crc});
            at += 46 + nameLength + u16(at + 30) + u16(at + 32);
        }
        // The reader reads entries for as long as they follow: none may.
        if (at + 4 <= m_data.size() && u32(at) == 0x02014b50)
            damagedDirectory();
        // Parts do not share their data.
        if (packed > end)
            damagedDirectory();
    }

    QString m_path;
    QByteArray m_data;
    QHash<QString, Entry> m_entries;
    std::unique_ptr<orcus::zip_archive_stream_blob> m_stream;
    std::unique_ptr<orcus::zip_archive> m_zip;
    mutable std::map<QString, std::vector<unsigned char>> m_parts;
    mutable std::map<QString, QByteArray> m_copies;
    mutable std::set<QString> m_checked;
};

QString attribute(const QXmlStreamReader &xml, QStringView name)
{
    for (const QXmlStreamAttribute &a : xml.attributes()) {
        if (a.name() == name)
            return a.value().toString();
    }
    return QString();
}

// A path in a container relative to the part at from ("../media/a.png"
// from "xl/drawings/drawing1.xml").
QString resolved(const QString &from, const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    return QDir::cleanPath(QFileInfo(from).path() + u'/' + target);
}

struct Relationship {
    QString target;
    QString type;
};

// Relationship id to target and type, from a part's .rels, of the types
// ending in one of types (worksheet, drawing, image).
std::map<QString, Relationship> relationships(const Archive &zip, const QString &part, const QStringList &types)
{
    const QString rels = QFileInfo(part).path() + QStringLiteral("/_rels/") + QFileInfo(part).fileName() + QStringLiteral(".rels");
    std::map<QString, Relationship> found;
    const QByteArray bytes = zip.xml(rels);
    if (bytes.isEmpty())
        return found;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("Relationship"))
            continue;
        const QString type = attribute(xml, u"Type");
        if (!std::any_of(types.begin(), types.end(), [&](const QString &t) { return type.endsWith(t); }))
            continue;
        if (qint64(found.size()) >= R::kMaxEntries)
            zip.tooMany(rels);
        found[attribute(xml, u"Id")] = {resolved(part, attribute(xml, u"Target")), type};
    }
    zip.checkXml(xml, rels);
    return found;
}

// The number format of each cell format (xf) of a workbook's styles.
std::vector<QString> cellNumberFormats(const Archive &zip)
{
    const QString part = QStringLiteral("xl/styles.xml");
    std::map<int, QString> custom;
    std::vector<int> ids;
    const QByteArray bytes = zip.xml(part);
    if (bytes.isEmpty())
        return {};
    QXmlStreamReader xml(bytes);
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("numFmt")) {
            if (qint64(custom.size()) >= R::kMaxEntries)
                zip.tooMany(part);
            custom[attribute(xml, u"numFmtId").toInt()] = attribute(xml, u"formatCode");
        } else if (xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = true;
        } else if (inCellXfs && xml.name() == QLatin1String("xf")) {
            if (qint64(ids.size()) >= R::kMaxEntries)
                zip.tooMany(part);
            ids.push_back(attribute(xml, u"numFmtId").toInt());
        }
    }
    zip.checkXml(xml, part);
    std::vector<QString> formats;
    formats.reserve(ids.size());
    for (int id : ids) {
        const auto it = custom.find(id);
        formats.push_back(it != custom.end() ? it->second : SpreadsheetReader::builtinFormat(id));
    }
    return formats;
}

// The pictures pasted into a sheet, by the row (from 1) of their top left
// corner: the bytes of the first picture of each row, each picture read
// once. An anchor past the rows read is refused.
std::map<qint64, QByteArray> pastedXlsxPictures(const Archive &zip, const QString &sheetPart, const SheetBuilder &sheet)
{
    std::map<qint64, QByteArray> pictures;
    for (const auto &[id, drawing] : relationships(zip, sheetPart, {QStringLiteral("/drawing")})) {
        const std::map<QString, Relationship> media = relationships(zip, drawing.target, {QStringLiteral("/image")});
        const QByteArray bytes = zip.xml(drawing.target);
        if (bytes.isEmpty())
            continue;
        QXmlStreamReader xml(bytes);
        // A picture belongs to the row its top-left corner stands in,
        // whatever its column.
        qint64 row = -1;
        enum { None, InRow, InColumn } field = None;
        bool inFrom = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("from")) {
                    inFrom = true;
                    row = -1;
                } else if (inFrom && xml.name() == QLatin1String("row")) {
                    field = InRow;
                } else if (inFrom && xml.name() == QLatin1String("col")) {
                    field = InColumn;
                } else if (xml.name() == QLatin1String("blip") && row >= 0) {
                    const auto it = media.find(attribute(xml, u"embed"));
                    if (it != media.end() && !pictures.count(row + 1))
                        pictures[row + 1] = zip.copy(it->second.target);
                }
            } else if (xml.isEndElement()) {
                if (xml.name() == QLatin1String("from")) {
                    inFrom = false;
                    if (row >= 0)
                        sheet.place(row + 1, 0);
                } else if (xml.name() == QLatin1String("row") || xml.name() == QLatin1String("col")) {
                    field = None;
                } else if (xml.name().endsWith(QLatin1String("Anchor"))) {
                    row = -1;
                }
            } else if (xml.isCharacters() && field == InRow) {
                bool ok = false;
                const qint64 value = xml.text().trimmed().toLongLong(&ok);
                row = ok && value >= 0 ? std::min<qint64>(value, std::numeric_limits<qint64>::max() / 2) : -1;
            }
        }
        zip.checkXml(xml, drawing.target);
    }
    return pictures;
}

// The column (from 0) of a cell's reference ("C7": 2), or -1 without one.
qint64 referencedColumn(const QString &reference)
{
    qint64 column = 0;
    qsizetype letters = 0;
    for (QChar c : reference) {
        if (!c.isLetter() || c.unicode() >= 128)
            break;
        if (++letters <= 8)
            column = column * 26 + (c.toUpper().unicode() - u'A' + 1);
    }
    return column - 1;
}

qint64 saturated(qint64 a, qint64 b)
{
    return std::min<qint64>(a + b, qint64(1) << 60);
}

// A repeat count of an OpenDocument element: at least 1, at most 2^40.
qint64 odsCount(const QXmlStreamReader &xml, QStringView name)
{
    const qint64 n = attribute(xml, name).toLongLong();
    return std::clamp<qint64>(n, 1, qint64(1) << 40);
}

// The text of the OpenDocument cell the reader stands on, read to its end:
// its paragraphs, one a line, their spaces and tabs, at most kMaxCellChars
// of them; the first picture anchored in it in imageHref.
QString odsCellText(QXmlStreamReader &xml, SheetBuilder &sheet, qint64 line, qint64 column, QString *imageHref)
{
    QString text;
    int depth = 1, paragraphs = 0;
    auto add = [&](qint64 n, QChar c) {
        if (n > R::kMaxCellChars - text.size())
            sheet.tooLong(line, column);
        text += QString(qsizetype(n), c);
    };
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            const QStringView name = xml.name();
            if (name == QLatin1String("annotation")) {
                xml.skipCurrentElement();
                --depth;
            } else if (name == QLatin1String("frame")) {
                // A picture anchored to the cell, not its text.
                while (!xml.atEnd() && !(xml.isEndElement() && xml.name() == QLatin1String("frame"))) {
                    xml.readNext();
                    if (xml.isStartElement() && xml.name() == QLatin1String("image") && imageHref->isEmpty())
                        *imageHref = attribute(xml, u"href");
                }
                --depth;
            } else if (name == QLatin1String("p")) {
                if (paragraphs++ > 0)
                    add(1, u'\n');
            } else if (name == QLatin1String("s")) {
                add(odsCount(xml, u"c"), u' ');
            } else if (name == QLatin1String("tab")) {
                add(1, u'\t');
            } else if (name == QLatin1String("line-break")) {
                add(1, u'\n');
            }
        } else if (xml.isEndElement()) {
            --depth;
        } else if (xml.isCharacters()) {
            if (xml.text().size() > R::kMaxCellChars - text.size())
                sheet.tooLong(line, column);
            text += xml.text();
        }
    }
    return text;
}

// What an OpenDocument cell holds besides the text it shows.
struct OdsValue {
    QString type, value, dateValue, timeValue;
    bool formula;
};

// How the value of a cell showing text was changed on its way to the text,
// if it was.
QString odsChanged(const OdsValue &held, const QString &text)
{
    const QString &type = held.type;
    if (type == QLatin1String("date"))
        return dateChanged(QDate::fromString(held.dateValue.left(10), Qt::ISODate), held.dateValue);
    if (type == QLatin1String("time")) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("PT(\\d+)H(\\d+)M(\\d+)")).match(held.timeValue);
        return timeChanged(QTime(m.captured(1).toInt() % 24, m.captured(2).toInt(), m.captured(3).toInt()));
    }
    if (type == QLatin1String("float") || type == QLatin1String("percentage") || type == QLatin1String("currency")) {
        bool ok = false;
        const double number = held.value.toDouble(&ok);
        if (text.contains(u'/'))
            return fractionChanged(text);
        if (!ok || !std::isfinite(number))
            return damagedCell(held.value);
        // Calc's General drops the zeros typed at a number's end: a number
        // shown as it is held may have lost them.
        return numberChanged(number, text, type == QLatin1String("percentage"));
    }
    if (held.formula && type.isEmpty() && text.isEmpty())
        return formulaWithoutValue();
    return QString();
}

// The text of an Excel 97-2003 cell at row r, column c, and how its value
// was changed on its way to the text, if it was.
std::pair<QString, QString> xlsCell(const FreeXL_CellValue &value, const XlsRecords &records, int r, int c, QDate zero)
{
    QString text, changed;
    // A number in its number format, General when the records do not give
    // it.
    auto number = [&](double n) {
        const std::optional<int> id = records.formatId(r, c);
        const auto custom = id ? records.formats().find(*id) : records.formats().end();
        numberCell(n, custom != records.formats().end() ? custom->second : R::builtinFormat(id.value_or(0)), zero, &text, &changed);
    };
    switch (value.type) {
    case FREEXL_CELL_INT:
        number(double(value.value.int_value));
        break;
    case FREEXL_CELL_DOUBLE:
        number(value.value.double_value);
        break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        text = QString::fromUtf8(value.value.text_value);
        break;
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
        text = QString::fromUtf8(value.value.text_value);
        changed = dateChanged(QDate::fromString(text.left(10), Qt::ISODate), text);
        break;
    case FREEXL_CELL_TIME:
        text = QString::fromUtf8(value.value.text_value);
        changed = timeChanged(QTime::fromString(text, QStringLiteral("HH:mm:ss")));
        break;
    default:
        break;
    }
    return {text, changed};
}

// A worksheet of a workbook, as its workbook lists it.
struct XlsxSheet {
    QString name, part;
    bool visible;
};

// The worksheets of an Excel workbook in their order, and its date system
// (1900, or 1904 of old Macintosh workbooks) in zero.
std::vector<XlsxSheet> xlsxSheets(const Archive &zip, const QString &path, QDate *zero)
{
    const QString workbookPart = QStringLiteral("xl/workbook.xml");
    const QByteArray workbookXml = zip.xml(workbookPart);
    if (workbookXml.isEmpty())
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it is not an Excel workbook (it has no xl/workbook.xml)"));
    const std::map<QString, Relationship> parts = relationships(zip, workbookPart, {QStringLiteral("/worksheet")});
    std::vector<XlsxSheet> sheets;
    QXmlStreamReader workbook(workbookXml);
    while (!workbook.atEnd()) {
        workbook.readNext();
        if (workbook.isStartElement() && workbook.name() == QLatin1String("sheet")) {
            const auto part = parts.find(attribute(workbook, u"id"));
            if (part != parts.end() && qint64(sheets.size()) < R::kMaxEntries)
                sheets.push_back({attribute(workbook, u"name"), part->second.target, attribute(workbook, u"state").isEmpty() || attribute(workbook, u"state") == QLatin1String("visible")});
        } else if (workbook.isStartElement() && workbook.name() == QLatin1String("workbookPr")) {
            const QString date1904 = attribute(workbook, u"date1904");
            if (date1904 == QLatin1String("1") || date1904 == QLatin1String("true"))
                *zero = QDate(1904, 1, 1);
        }
    }
    zip.checkXml(workbook, workbookPart);
    if (sheets.empty())
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it has no sheet"));
    return sheets;
}

// The workbook's shared texts, each the runs of its rich text.
std::vector<QString> sharedStrings(const Archive &zip, const QString &path)
{
    const QString stringsPart = QStringLiteral("xl/sharedStrings.xml");
    std::vector<QString> shared;
    const QByteArray bytes = zip.xml(stringsPart);
    if (bytes.isEmpty())
        return shared;
    QXmlStreamReader strings(bytes);
    bool inPhonetic = false;
    while (!strings.atEnd()) {
        strings.readNext();
        if (strings.isStartElement() && strings.name() == QLatin1String("si")) {
            if (qint64(shared.size()) >= R::kMaxEntries)
                zip.tooMany(stringsPart);
            shared.emplace_back();
        } else if (strings.isStartElement() && strings.name() == QLatin1String("rPh")) {
            inPhonetic = true;
        } else if (strings.isEndElement() && strings.name() == QLatin1String("rPh")) {
            inPhonetic = false;
        } else if (strings.isStartElement() && strings.name() == QLatin1String("t") && !inPhonetic && !shared.empty()) {
            shared.back() += strings.readElementText();
            if (shared.back().size() > R::kMaxCellChars)
                damaged(path, QCoreApplication::translate("SpreadsheetReader", "its text number %1 is longer than %2 characters, more than a spreadsheet's cell holds")
                                  .arg(shared.size())
                                  .arg(R::kMaxCellChars));
        }
    }
    zip.checkXml(strings, stringsPart);
    return shared;
}

// The text of the cell the reader stands on (a "c" element), read to its
// end, and how its value was changed on the way, if it was.
std::pair<QString, QString> xlsxCell(QXmlStreamReader &xml, const std::vector<QString> &shared, const std::vector<QString> &formats, QDate zero)
{
    const QString type = attribute(xml, u"t");
    const int style = attribute(xml, u"s").toInt();
    QString value, inlineText;
    bool formula = false, hasValue = false;
    while (!xml.atEnd() && !(xml.isEndElement() && xml.name() == QLatin1String("c"))) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("v")) {
            value = xml.readElementText();
            hasValue = true;
        } else if (xml.name() == QLatin1String("f")) {
            formula = true;
            xml.skipCurrentElement();
        } else if (xml.name() == QLatin1String("t")) {
            inlineText += xml.readElementText();
            hasValue = true;
        } else if (xml.name() == QLatin1String("rPh")) {
            xml.skipCurrentElement();
        }
    }
    QString text, changed;
    if (formula && !hasValue) {
        changed = formulaWithoutValue();
    } else if (!hasValue) {
        // An empty cell with a format of its own.
    } else if (type == QLatin1String("s")) {
        bool ok = false;
        const qint64 index = value.toLongLong(&ok);
        if (ok && index >= 0 && index < qint64(shared.size()))
            text = shared[size_t(index)];
        else
            changed = damagedCell(value);
    } else if (type == QLatin1String("inlineStr")) {
        text = inlineText;
    } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
        text = value;
    } else if (type == QLatin1String("b")) {
        text = value == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    } else if (type == QLatin1String("d")) {
        text = value;
        changed = dateChanged(QDate::fromString(value.left(10), Qt::ISODate), value);
    } else if (!value.isEmpty()) {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok || !std::isfinite(number))
            changed = damagedCell(value);
        else
            numberCell(number, style >= 0 && size_t(style) < formats.size() ? formats[size_t(style)] : QString(), zero, &text, &changed);
    }
    return {text, changed};
}

} // namespace

SpreadsheetReader::Shown SpreadsheetReader::kindOf(const QString &code)
{
    thread_local QHash<QString, Shown> known;
    const auto it = known.constFind(code);
    if (it != known.constEnd())
        return *it;
    // What the code shows, without its quoted texts, escaped characters and
    // bracketed colours and locales ([h] and [mm] of elapsed time stay).
    QString bare;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"') {
            while (++i < code.size() && code[i] != u'"') {
            }
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            const qsizetype close = code.indexOf(u']', i);
            const QString inside = code.mid(i + 1, close - i - 1).toLower();
            if (QRegularExpression(QStringLiteral("^(h+|m+|s+)$")).match(inside).hasMatch())
                bare += inside;
            i = close < 0 ? code.size() : close;
        } else {
            bare += c.toLower();
        }
    }
    Shown kind = Shown::Number;
    const QString letters = bare.section(u';', 0, 0).remove(QRegularExpression(QStringLiteral("am/pm|a/p|e[+-]|general")));
    if (bare.isEmpty() || bare == QLatin1String("general") || bare == QLatin1String("@"))
        kind = Shown::Number;
    else if (QRegularExpression(QStringLiteral("[#0?]\\s*/\\s*[#0?1-9]")).match(bare).hasMatch())
        kind = Shown::Fraction;
    else if (letters.contains(u'y') || letters.contains(u'd') || (letters.contains(u'm') && !letters.contains(u'h') && !letters.contains(u's')))
        kind = Shown::Date;
    else if (letters.contains(u'h') || letters.contains(u's') || letters.contains(u'm'))
        kind = Shown::Time;
    if (known.size() < 1000)
        known.insert(code, kind);
    return kind;
}

QString SpreadsheetReader::formatNumber(double number, const QString &code)
{
    return render(number, code).text;
}

QString SpreadsheetReader::builtinFormat(int id)
{
    static const std::map<int, const char *> formats = {
        {0, "General"}, {1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"}, {5, "\"$\"#,##0_);(\"$\"#,##0)"}, {6, "\"$\"#,##0_);[Red](\"$\"#,##0)"},
        {7, "\"$\"#,##0.00_);(\"$\"#,##0.00)"}, {8, "\"$\"#,##0.00_);[Red](\"$\"#,##0.00)"}, {9, "0%"}, {10, "0.00%"}, {11, "0.00E+00"}, {12, "# ?/?"},
        {13, "# ?\?/??"}, {14, "mm-dd-yy"}, {15, "d-mmm-yy"}, {16, "d-mmm"}, {17, "mmm-yy"}, {18, "h:mm AM/PM"}, {19, "h:mm:ss AM/PM"}, {20, "h:mm"},
        {21, "h:mm:ss"}, {22, "m/d/yy h:mm"}, {37, "#,##0 ;(#,##0)"}, {38, "#,##0 ;[Red](#,##0)"}, {39, "#,##0.00;(#,##0.00)"},
        {40, "#,##0.00;[Red](#,##0.00)"}, {41, "_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"}, {42, "_(\"$\"* #,##0_);_(\"$\"* (#,##0);_(\"$\"* \"-\"_);_(@_)"},
        {43, "_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)"}, {44, "_(\"$\"* #,##0.00_);_(\"$\"* (#,##0.00);_(\"$\"* \"-\"??_);_(@_)"},
        {45, "mm:ss"}, {46, "[h]:mm:ss"}, {47, "mmss.0"}, {48, "##0.0E+0"}, {49, "@"}};
    const auto it = formats.find(id);
    if (it != formats.end())
        return QString::fromLatin1(it->second);
    // The ids of East Asian dates and times.
    return (id >= 27 && id <= 36) || (id >= 50 && id <= 58) ? QStringLiteral("yyyy-mm-dd") : QStringLiteral("General");
}

QuestionFile::Table SpreadsheetReader::readXlsx(const QString &path, const QByteArray &data)
{
    const Archive zip(path, data);
    QDate zero(1899, 12, 30);
    const std::vector<XlsxSheet> sheets = xlsxSheets(zip, path, &zero);
    const XlsxSheet &chosen = sheets[chosenSheet(sheets, [](const XlsxSheet &s) { return s.name; }, [](const XlsxSheet &s) { return s.visible; })];
    if (!zip.has(chosen.part))
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "its sheet \"%1\" is missing").arg(Translation::shown(chosen.name)));
    const std::vector<QString> shared = sharedStrings(zip, path);
    qint64 cells = 0;
    SheetBuilder sheet(path, chosen.name, &cells);
    const std::vector<QString> formats = cellNumberFormats(zip);
    std::map<qint64, QByteArray> pictures = pastedXlsxPictures(zip, chosen.part, sheet);
    QXmlStreamReader xml(zip.xml(chosen.part));
    qint64 line = 0, lastLine = 0, nextColumn = 0;
    bool inRow = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("row"))
            inRow = false;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("row")) {
            const qint64 r = attribute(xml, u"r").toLongLong();
            line = r > 0 ? r : lastLine + 1;
            if (line <= lastLine)
                damaged(path, QCoreApplication::translate("SpreadsheetReader", "its rows are out of order (row %1 after row %2)").arg(line).arg(lastLine));
            lastLine = line;
            nextColumn = 0;
            inRow = true;
        } else if (xml.name() == QLatin1String("c") && inRow) {
            // The column, from the cell's name ("C7"), or the next one.
            const qint64 named = referencedColumn(attribute(xml, u"r"));
            const qint64 column = named >= 0 ? named : nextColumn;
            nextColumn = column + 1;
            const auto [text, changed] = xlsxCell(xml, shared, formats, zero);
            if (!text.trimmed().isEmpty() || !changed.isEmpty())
                sheet.cell(line, column, text, changed);
        }
    }
    zip.checkXml(xml, chosen.part);
    return sheet.finish(std::move(pictures));
}

QuestionFile::Table SpreadsheetReader::readOds(const QString &path, const QByteArray &data)
{
    const Archive zip(path, data);
    if (zip.xml(QStringLiteral("META-INF/manifest.xml")).contains("encryption-data"))
        passwordProtected(path);
    const QString contentPart = QStringLiteral("content.xml");
    const QByteArray content = zip.xml(contentPart);
    if (content.isEmpty())
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it is not an OpenDocument spreadsheet (it has no content.xml)"));
    QXmlStreamReader xml(content);
    // The table styles that hide their tables; the tables read: the first,
    // the first visible one when the first is hidden, and the first named
    // for the questions, which ends the reading.
    std::set<QString> hiddenStyles;
    QString tableStyle;
    qint64 cells = 0;
    std::optional<SheetBuilder> first, visible, questions;
    bool firstHidden = false;
    SheetBuilder *sheet = nullptr;
    qint64 line = 0, nextLine = 1, column = 0, rowRepeat = 1;
    bool inRow = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("table-row") && inRow) {
                sheet->repeat(line, rowRepeat);
                inRow = false;
            } else if (xml.name() == QLatin1String("table") && sheet) {
                if (questions && sheet == &*questions)
                    break;
                sheet = nullptr;
            }
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        if (name == QLatin1String("style")) {
            tableStyle = attribute(xml, u"family") == QLatin1String("table") ? attribute(xml, u"name") : QString();
        } else if (name == QLatin1String("table-properties") && !tableStyle.isEmpty()) {
            if (attribute(xml, u"display") == QLatin1String("false"))
                hiddenStyles.insert(tableStyle);
        } else if (name == QLatin1String("table")) {
            const QString tableName = attribute(xml, u"name");
            const bool hidden = hiddenStyles.count(attribute(xml, u"style-name")) > 0;
            if (!questions && isQuestionSheet(tableName)) {
                sheet = &questions.emplace(path, tableName, &cells);
            } else if (!first) {
                sheet = &first.emplace(path, tableName, &cells);
                firstHidden = hidden;
            } else if (firstHidden && !visible && !hidden) {
                sheet = &visible.emplace(path, tableName, &cells);
            } else {
                xml.skipCurrentElement();
                continue;
            }
            nextLine = 1;
        } else if (name == QLatin1String("table-row") && sheet) {
            rowRepeat = odsCount(xml, u"number-rows-repeated");
            line = nextLine;
            nextLine = saturated(nextLine, rowRepeat);
            column = 0;
            inRow = true;
        } else if ((name == QLatin1String("table-cell") || name == QLatin1String("covered-table-cell")) && inRow) {
            const qint64 repeated = odsCount(xml, u"number-columns-repeated");
            const OdsValue held{attribute(xml, u"value-type"), attribute(xml, u"value"), attribute(xml, u"date-value"), attribute(xml, u"time-value"),
                                !attribute(xml, u"formula").isEmpty()};
            QString imageHref;
            const QString text = odsCellText(xml, *sheet, line, column, &imageHref);
            if (!imageHref.isEmpty())
                sheet->picture(line, column, zip.copy(imageHref.startsWith(QLatin1String("./")) ? imageHref.mid(2) : imageHref));
            const QString changed = odsChanged(held, text);
            if (!text.trimmed().isEmpty() || !changed.isEmpty()) {
                for (qint64 k = 0; k < repeated; ++k)
                    sheet->cell(line, saturated(column, k), text, changed);
            }
            column = saturated(column, repeated);
        }
    }
    zip.checkXml(xml, contentPart);
    SheetBuilder *chosen = questions ? &*questions : first && (!firstHidden || !visible) ? &*first : visible ? &*visible : nullptr;
    if (!chosen)
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it has no sheet"));
    return chosen->finish();
}

QuestionFile::Table SpreadsheetReader::readXls(const QString &path, const QByteArray &data)
{
    // The records FreeXL does not give; and whether the file is one.
    XlsRecords records = XlsRecords::read(data);
    if (records.kind() == XlsRecords::Kind::Encrypted)
        passwordProtected(path);
    if (records.kind() == XlsRecords::Kind::NoWorkbook)
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it is not an Excel 97-2003 workbook that can be read"));
    // The code pages FreeXL reads; it finds no sheet in a file of another.
    static const std::set<int> codePages = {367,  437,  720,  737,  775,  850,  852,  855,  857,  858,  860,  861,  862,  863,  864,  865,  866, 869,
                                            874,  932,  936,  949,  950,  1200, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 1361, 10000};
    if (records.codePage() != 0 && !codePages.count(records.codePage()))
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it is written in the code page %1, which the bank tool cannot read").arg(records.codePage()));

    const void *handle = nullptr;
    struct Closer {
        const void *&h;
        ~Closer()
        {
            if (h)
                freexl_close(h);
        }
    } closer{handle};
    if (freexl_open(path.toLocal8Bit().constData(), &handle) != FREEXL_OK)
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it is not an Excel 97-2003 workbook that can be read"));
    unsigned int password = 0, sheets = 0, dateMode = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED)
        passwordProtected(path);
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0)
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it has no sheet"));
    const QDate zero = freexl_get_info(handle, FREEXL_BIFF_DATEMODE, &dateMode) == FREEXL_OK && dateMode == FREEXL_BIFF_DATEMODE_1904 ? QDate(1904, 1, 1)
                                                                                                                                         : QDate(1899, 12, 30);
    std::vector<QString> names;
    for (unsigned short i = 0; i < sheets; ++i) {
        const char *name = nullptr;
        names.push_back(freexl_get_worksheet_name(handle, i, &name) == FREEXL_OK && name ? QString::fromUtf8(name) : QString());
    }
    // The sheet of the questions, by the records' order and visibility when
    // they were read, else by FreeXL's names alone.
    unsigned short chosen = 0;
    if (records.complete() && !records.sheets().empty()) {
        const auto &all = records.sheets();
        const XlsRecords::Sheet &sheet = all[chosenSheet(all, [](const XlsRecords::Sheet &s) { return s.name; }, [](const XlsRecords::Sheet &s) { return s.visible; })];
        const auto named = std::find(names.begin(), names.end(), sheet.name);
        if (named != names.end()) {
            chosen = static_cast<unsigned short>(named - names.begin());
            records.readCells(sheet, int(kMaxRows), int(kMaxColumns));
        }
    } else {
        chosen = static_cast<unsigned short>(chosenSheet(names, [](const QString &n) { return n; }, [](const QString &) { return true; }));
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, chosen) != FREEXL_OK || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "its sheet could not be read"));
    qint64 cells = 0;
    SheetBuilder sheet(path, names[chosen], &cells);
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK)
                continue;
            const auto [text, changed] = xlsCell(value, records, int(r), int(c), zero);
            if (!text.trimmed().isEmpty() || !changed.isEmpty())
                sheet.cell(qint64(r) + 1, c, text, changed);
        }
    }
    return sheet.finish();
}
