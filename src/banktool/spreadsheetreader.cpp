#include "spreadsheetreader.h"

#include "failure.h"
#include "translation.h"

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>


#include <freexl.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtEndian>

#include <cmath>
#include <map>
#include <memory>

namespace {

using Table = QuestionFile::Table;
using Row = QuestionFile::Row;

// Rows and columns read at most: far more than any bank, and a bound on
// what a file that repeats a row a million times can make us hold.
constexpr int kMaxRows = 200000;
constexpr int kMaxColumns = 64;

QString damagedAdvice()
{
    return QCoreApplication::translate("SpreadsheetReader", "Open the file in the spreadsheet program and save it again (as .xlsx, .ods or CSV UTF-8), then run the command again.");
}

[[noreturn]] void damaged(const QString &path, const QString &what)
{
    throw Failure(QCoreApplication::translate("SpreadsheetReader", "The spreadsheet could not be read: %1.").arg(what), path, damagedAdvice());
}

bool isQuestionSheet(const QString &name)
{
    const QString n = name.trimmed().toLower();
    return n == QLatin1String("questions") || n == QStringLiteral("الأسئلة") || n == QStringLiteral("الاسئلة");
}

QLocale messageLocale()
{
    return Translation::rightToLeft() ? QLocale(QLocale::Arabic, QLocale::Egypt) : QLocale(QLocale::English, QLocale::UnitedKingdom);
}

QString dateChanged(QDate date)
{
    const QString typed = QStringLiteral("%1/%2").arg(date.month()).arg(date.day());
    return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored the date %1 in this cell; if you typed %2, format the column as Text first, or type '%2")
        .arg(Translation::isolate(messageLocale().toString(date, QStringLiteral("d MMMM yyyy"))), Translation::isolate(typed));
}

QString timeChanged(QTime time)
{
    const QString typed = time.toString(QStringLiteral("h:mm"));
    return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored the time %1 in this cell; if you typed %2, format the column as Text first, or type '%2")
        .arg(Translation::isolate(time.toString(QStringLiteral("HH:mm:ss"))), Translation::isolate(typed));
}

QString fractionChanged(const QString &shown)
{
    return QCoreApplication::translate("SpreadsheetReader", "the spreadsheet stored a number in this cell and shows it as the fraction %1, which it may have "
                                                            "reduced or rounded from what was typed (3 2/6 becomes 3 1/3); format the column as Text first and "
                                                            "type the answer again, or type '%1")
        .arg(Translation::isolate(shown));
}

// A ZIP container's parts, read with liborcus's ZIP reader once the
// central directory shows that they unpack to a sane size.
class Archive {
public:
    Archive(const QString &path, const QByteArray &data)
        : m_path(path), m_data(data)
    {
        checkSizes();
        try {
            m_stream = std::make_unique<orcus::zip_archive_stream_blob>(reinterpret_cast<const uint8_t *>(m_data.constData()), size_t(m_data.size()));
            m_zip = std::make_unique<orcus::zip_archive>(m_stream.get());
            m_zip->load();
        } catch (const std::exception &e) {
            damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "it is not a whole ZIP container (%1)").arg(Translation::isolate(QString::fromUtf8(e.what()))));
        }
    }

    // A part's bytes, or nothing when the container has no such part.
    QByteArray part(const QString &name) const
    {
        std::vector<unsigned char> bytes;
        try {
            if (!m_zip->read_file_entry(name.toStdString(), bytes))
                return QByteArray();
        } catch (const std::exception &) {
            return QByteArray();
        }
        // The reader ends what it unpacks with a zero byte of its own.
        if (!bytes.empty() && bytes.back() == 0)
            bytes.pop_back();
        return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
    }

private:
    // The sizes the central directory gives for the unpacked parts.
    void checkSizes() const
    {
        const qsizetype end = m_data.lastIndexOf(QByteArrayView("PK\x05\x06", 4));
        if (end < 0 || end + 22 > m_data.size())
            damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "it is not a whole ZIP container"));
        const auto *bytes = reinterpret_cast<const uchar *>(m_data.constData());
        const quint16 entries = qFromLittleEndian<quint16>(bytes + end + 10);
        qint64 at = qFromLittleEndian<quint32>(bytes + end + 16), total = 0;
        for (int i = 0; i < entries; ++i) {
            if (at < 0 || at + 46 > m_data.size() || qFromLittleEndian<quint32>(bytes + at) != 0x02014b50)
                damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "its ZIP directory is damaged"));
            total += qFromLittleEndian<quint32>(bytes + at + 24);
            if (qFromLittleEndian<quint16>(bytes + at + 8) & 1)
                throw Failure(QCoreApplication::translate("SpreadsheetReader", "The spreadsheet is protected by a password."), m_path,
                              QCoreApplication::translate("SpreadsheetReader", "Save it again without a password, then run the command again."));
            at += 46 + qFromLittleEndian<quint16>(bytes + at + 28) + qFromLittleEndian<quint16>(bytes + at + 30) + qFromLittleEndian<quint16>(bytes + at + 32);
        }
        if (total > SpreadsheetReader::kMaxUnpackedBytes)
            damaged(m_path, QCoreApplication::translate("SpreadsheetReader", "its parts would take more than %1 MB unpacked").arg(SpreadsheetReader::kMaxUnpackedBytes >> 20));
    }

    QString m_path;
    QByteArray m_data;
    std::unique_ptr<orcus::zip_archive_stream_blob> m_stream;
    std::unique_ptr<orcus::zip_archive> m_zip;
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

// Relationship id to target, from a part's .rels.
std::map<QString, QString> relationships(const Archive &zip, const QString &part)
{
    const QString rels = QFileInfo(part).path() + QStringLiteral("/_rels/") + QFileInfo(part).fileName() + QStringLiteral(".rels");
    std::map<QString, QString> found;
    QXmlStreamReader xml(zip.part(rels));
    while (!xml.atEnd() && !xml.hasError()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Relationship"))
            found[attribute(xml, u"Id")] = resolved(part, attribute(xml, u"Target"));
    }
    return found;
}

// Excel's built-in number formats, by their ids.
QString builtinFormat(int id)
{
    static const std::map<int, const char *> formats = {
        {0, "General"}, {1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"}, {9, "0%"}, {10, "0.00%"}, {11, "0.00E+00"}, {12, "# ?/?"}, {13, "# ?\?/??"},
        {14, "mm-dd-yy"}, {15, "d-mmm-yy"}, {16, "d-mmm"}, {17, "mmm-yy"}, {18, "h:mm AM/PM"}, {19, "h:mm:ss AM/PM"}, {20, "h:mm"}, {21, "h:mm:ss"},
        {22, "m/d/yy h:mm"}, {37, "#,##0 ;(#,##0)"}, {38, "#,##0 ;[Red](#,##0)"}, {39, "#,##0.00;(#,##0.00)"}, {40, "#,##0.00;[Red](#,##0.00)"},
        {45, "mm:ss"}, {46, "[h]:mm:ss"}, {47, "mmss.0"}, {48, "##0.0E+0"}, {49, "@"}};
    const auto it = formats.find(id);
    if (it != formats.end())
        return QString::fromLatin1(it->second);
    // The ids of East Asian dates and times.
    return (id >= 27 && id <= 36) || (id >= 50 && id <= 58) ? QStringLiteral("yyyy-mm-dd") : QStringLiteral("General");
}

// The number format of each cell format (xf) of a workbook's styles.
std::vector<QString> cellNumberFormats(const Archive &zip)
{
    std::map<int, QString> custom;
    std::vector<QString> formats;
    QXmlStreamReader xml(zip.part(QStringLiteral("xl/styles.xml")));
    bool inCellXfs = false;
    while (!xml.atEnd() && !xml.hasError()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("numFmt"))
            custom[attribute(xml, u"numFmtId").toInt()] = attribute(xml, u"formatCode");
        else if (xml.name() == QLatin1String("cellXfs"))
            inCellXfs = true;
        else if (inCellXfs && xml.name() == QLatin1String("xf")) {
            const int id = attribute(xml, u"numFmtId").toInt();
            formats.push_back(custom.count(id) ? custom[id] : builtinFormat(id));
        }
    }
    return formats;
}

// The pictures pasted into a sheet, by the row (from 1) of their top left
// corner: the bytes of the first picture of each row.
std::map<int, QByteArray> pastedXlsxPictures(const Archive &zip, const QString &sheetPart)
{
    std::map<int, QByteArray> pictures;
    for (const auto &[id, drawing] : relationships(zip, sheetPart)) {
        if (!drawing.contains(QLatin1String("drawings/")))
            continue;
        const std::map<QString, QString> media = relationships(zip, drawing);
        QXmlStreamReader xml(zip.part(drawing));
        int row = -1;
        bool inFrom = false, inRow = false;
        while (!xml.atEnd() && !xml.hasError()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("from"))
                    inFrom = true;
                else if (inFrom && xml.name() == QLatin1String("row"))
                    inRow = true;
                else if (xml.name() == QLatin1String("blip") && row >= 0) {
                    const auto it = media.find(attribute(xml, u"embed"));
                    if (it != media.end() && !pictures.count(row + 1))
                        pictures[row + 1] = zip.part(it->second);
                }
            } else if (xml.isEndElement()) {
                if (xml.name() == QLatin1String("from"))
                    inFrom = false;
                else if (xml.name() == QLatin1String("row"))
                    inRow = false;
                else if (xml.name().endsWith(QLatin1String("Anchor")))
                    row = -1;
            } else if (xml.isCharacters() && inRow) {
                row = xml.text().toInt();
            }
        }
    }
    return pictures;
}

} // namespace

SpreadsheetReader::Shown SpreadsheetReader::kindOf(const QString &code)
{
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
    if (bare.isEmpty() || bare == QLatin1String("general") || bare == QLatin1String("@"))
        return Shown::Number;
    if (QRegularExpression(QStringLiteral("[#0?]\\s*/\\s*[#0?1-9]")).match(bare).hasMatch())
        return Shown::Fraction;
    const QString letters = bare.section(u';', 0, 0).remove(QRegularExpression(QStringLiteral("am/pm|a/p|e[+-]")));
    if (letters.contains(u'y') || letters.contains(u'd') || (letters.contains(u'm') && !letters.contains(u'h') && !letters.contains(u's')))
        return Shown::Date;
    if (letters.contains(u'h') || letters.contains(u's') || letters.contains(u'm'))
        return Shown::Time;
    return Shown::Number;
}

QString SpreadsheetReader::formatNumber(double number, const QString &code)
{
    const QString section = code.section(u';', 0, 0);
    if (section.isEmpty() || section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0 || section == QLatin1String("@")) {
        if (std::floor(number) == number && std::abs(number) < 1e15)
            return QString::number(qint64(number));
        return QString::number(number, 'g', 10);
    }
    if (kindOf(section) == Shown::Fraction) {
        // The nearest fraction with as many digits below the bar as the code
        // has places, after the whole number when the code has one.
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
    const bool percent = section.contains(u'%');
    if (percent)
        number *= 100;
    const qsizetype point = section.indexOf(u'.');
    int decimals = 0;
    for (qsizetype i = point + 1; point >= 0 && i < section.size() && (section[i] == u'0' || section[i] == u'#'); ++i)
        ++decimals;
    const bool grouped = QRegularExpression(QStringLiteral("[#0],[#0]")).match(section).hasMatch();
    QLocale c(QLocale::C);
    c.setNumberOptions(grouped ? QLocale::NumberOptions() : QLocale::OmitGroupSeparator);
    QString text = grouped ? QLocale(QLocale::English, QLocale::UnitedStates).toString(number, 'f', decimals) : c.toString(number, 'f', decimals);
    return percent ? text + u'%' : text;
}

QuestionFile::Table SpreadsheetReader::readXlsx(const QString &path, const QByteArray &data)
{
    const Archive zip(path, data);
    const QString workbookPart = QStringLiteral("xl/workbook.xml");
    const QByteArray workbookXml = zip.part(workbookPart);
    if (workbookXml.isEmpty())
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it is not an Excel workbook (it has no xl/workbook.xml)"));
    // The sheets in their order, the one of the questions, and the date
    // system (1900, or 1904 of old Macintosh workbooks).
    struct Sheet {
        QString name, id;
    };
    std::vector<Sheet> sheets;
    QDate zero(1899, 12, 30);
    QXmlStreamReader workbook(workbookXml);
    while (!workbook.atEnd() && !workbook.hasError()) {
        workbook.readNext();
        if (workbook.isStartElement() && workbook.name() == QLatin1String("sheet"))
            sheets.push_back({attribute(workbook, u"name"), attribute(workbook, u"id")});
        else if (workbook.isStartElement() && workbook.name() == QLatin1String("workbookPr")) {
            const QString date1904 = attribute(workbook, u"date1904");
            if (date1904 == QLatin1String("1") || date1904 == QLatin1String("true"))
                zero = QDate(1904, 1, 1);
        }
    }
    if (sheets.empty())
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it has no sheet"));
    int chosen = 0;
    for (int i = 0; i < int(sheets.size()); ++i) {
        if (isQuestionSheet(sheets[size_t(i)].name))
            chosen = i;
    }
    const std::map<QString, QString> parts = relationships(zip, workbookPart);
    const auto sheetPart = parts.find(sheets[size_t(chosen)].id);
    if (sheetPart == parts.end())
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "its sheet \"%1\" is missing").arg(Translation::shown(sheets[size_t(chosen)].name)));

    // The workbook's shared texts, each the runs of its rich text.
    std::vector<QString> shared;
    QXmlStreamReader strings(zip.part(QStringLiteral("xl/sharedStrings.xml")));
    bool inPhonetic = false;
    while (!strings.atEnd() && !strings.hasError()) {
        strings.readNext();
        if (strings.isStartElement() && strings.name() == QLatin1String("si"))
            shared.emplace_back();
        else if (strings.isStartElement() && strings.name() == QLatin1String("rPh"))
            inPhonetic = true;
        else if (strings.isEndElement() && strings.name() == QLatin1String("rPh"))
            inPhonetic = false;
        else if (strings.isStartElement() && strings.name() == QLatin1String("t") && !inPhonetic && !shared.empty())
            shared.back() += strings.readElementText();
    }

    Table table;
    table.sheet = sheets[size_t(chosen)].name;
    const std::vector<QString> formats = cellNumberFormats(zip);
    std::map<int, QByteArray> pictures = pastedXlsxPictures(zip, sheetPart->second);
    QXmlStreamReader xml(zip.part(sheetPart->second));
    Row *row = nullptr;
    int nextLine = 1;
    while (!xml.atEnd() && !xml.hasError()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("row")) {
            const int line = attribute(xml, u"r").toInt();
            nextLine = line > 0 ? line : nextLine;
            if (nextLine > kMaxRows)
                break;
            table.rows.push_back({});
            row = &table.rows.back();
            row->line = nextLine++;
        } else if (xml.name() == QLatin1String("c") && row) {
            // The column, from the cell's name ("C7"), or the next one.
            const QString name = attribute(xml, u"r");
            int column = 0;
            for (QChar c : name) {
                if (!c.isLetter())
                    break;
                column = column * 26 + (c.toUpper().unicode() - u'A' + 1);
            }
            column = column > 0 ? column - 1 : int(row->cells.size());
            if (column >= kMaxColumns) {
                xml.skipCurrentElement();
                continue;
            }
            const QString type = attribute(xml, u"t");
            const int style = attribute(xml, u"s").toInt();
            QString value, inlineText;
            while (!xml.atEnd() && !(xml.isEndElement() && xml.name() == QLatin1String("c"))) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == QLatin1String("v"))
                    value = xml.readElementText();
                else if (xml.isStartElement() && xml.name() == QLatin1String("t"))
                    inlineText += xml.readElementText();
                else if (xml.isStartElement() && xml.name() == QLatin1String("rPh"))
                    xml.skipCurrentElement();
            }
            QString text, changed;
            if (type == QLatin1String("s")) {
                const qsizetype index = value.toLongLong();
                text = index >= 0 && index < qsizetype(shared.size()) ? shared[size_t(index)] : QString();
            } else if (type == QLatin1String("inlineStr")) {
                text = inlineText;
            } else if (type == QLatin1String("str") || type == QLatin1String("e")) {
                text = value;
            } else if (type == QLatin1String("b")) {
                text = value == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
            } else if (type == QLatin1String("d")) {
                text = value;
                changed = dateChanged(QDate::fromString(value.left(10), Qt::ISODate));
            } else if (!value.isEmpty()) {
                const double number = value.toDouble();
                const QString code = style >= 0 && size_t(style) < formats.size() ? formats[size_t(style)] : QString();
                text = formatNumber(number, code);
                switch (kindOf(code)) {
                case Shown::Date:
                    changed = dateChanged(zero.addDays(qint64(std::floor(number))));
                    break;
                case Shown::Time:
                    changed = timeChanged(QTime(0, 0).addSecs(int(std::lround((number - std::floor(number)) * 86400)) % 86400));
                    break;
                case Shown::Fraction:
                    changed = fractionChanged(text);
                    break;
                case Shown::Number:
                    break;
                }
            }
            row->cells.resize(std::max(row->cells.size(), size_t(column) + 1));
            row->changed.resize(row->cells.size());
            row->cells[size_t(column)] = text;
            row->changed[size_t(column)] = changed;
        }
    }
    if (xml.hasError())
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "its sheet is damaged (%1)").arg(Translation::isolate(xml.errorString())));
    for (auto &[line, picture] : pictures) {
        auto it = std::find_if(table.rows.begin(), table.rows.end(), [line = line](const Row &r) { return r.line == line; });
        if (it == table.rows.end()) {
            Row pictureRow;
            pictureRow.line = line;
            it = table.rows.insert(std::upper_bound(table.rows.begin(), table.rows.end(), line, [](int l, const Row &r) { return l < r.line; }), pictureRow);
        }
        it->pastedPicture = picture;
    }
    return table;
}

QuestionFile::Table SpreadsheetReader::readOds(const QString &path, const QByteArray &data)
{
    const Archive zip(path, data);
    const QByteArray content = zip.part(QStringLiteral("content.xml"));
    if (content.isEmpty())
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it is not an OpenDocument spreadsheet (it has no content.xml)"));
    std::vector<Table> tables;
    QXmlStreamReader xml(content);
    Row *row = nullptr;
    int line = 0;
    // A cell's text: its paragraphs, one a line, their spaces and tabs.
    auto cellText = [&](QString *imageHref) {
        QString text;
        int depth = 1, paragraphs = 0;
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
                        text += u'\n';
                } else if (name == QLatin1String("s")) {
                    const int count = attribute(xml, u"c").toInt();
                    text += QString(std::max(1, count), u' ');
                } else if (name == QLatin1String("tab")) {
                    text += u'\t';
                } else if (name == QLatin1String("line-break")) {
                    text += u'\n';
                }
            } else if (xml.isEndElement()) {
                --depth;
            } else if (xml.isCharacters()) {
                text += xml.text();
            }
        }
        return text;
    };
    while (!xml.atEnd() && !xml.hasError()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        if (name == QLatin1String("table")) {
            tables.push_back({attribute(xml, u"name"), {}});
            line = 0;
        } else if (name == QLatin1String("table-row") && !tables.empty()) {
            const int repeated = std::max(1, attribute(xml, u"number-rows-repeated").toInt());
            tables.back().rows.push_back({});
            row = &tables.back().rows.back();
            row->line = ++line;
            line += repeated - 1;
            if (line > kMaxRows)
                line = kMaxRows;
        } else if ((name == QLatin1String("table-cell") || name == QLatin1String("covered-table-cell")) && row) {
            const int repeated = std::clamp(attribute(xml, u"number-columns-repeated").toInt(), 1, kMaxColumns);
            QString type = attribute(xml, u"value-type");
            const QString dateValue = attribute(xml, u"date-value"), timeValue = attribute(xml, u"time-value");
            QString imageHref;
            const QString text = xml.isEndElement() ? QString() : cellText(&imageHref);
            if (!imageHref.isEmpty() && row->pastedPicture.isEmpty())
                row->pastedPicture = zip.part(imageHref);
            for (int k = 0; k < repeated && int(row->cells.size()) < kMaxColumns; ++k) {
                QString changed;
                if (type == QLatin1String("date"))
                    changed = dateChanged(QDate::fromString(dateValue.left(10), Qt::ISODate));
                else if (type == QLatin1String("time")) {
                    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("PT(\\d+)H(\\d+)M(\\d+)")).match(timeValue);
                    changed = timeChanged(QTime(m.captured(1).toInt() % 24, m.captured(2).toInt(), m.captured(3).toInt()));
                } else if ((type == QLatin1String("float") || type == QLatin1String("percentage")) && text.contains(u'/'))
                    changed = fractionChanged(text);
                row->cells.push_back(text);
                row->changed.push_back(changed);
            }
        }
    }
    if (xml.hasError())
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "its content is damaged (%1)").arg(Translation::isolate(xml.errorString())));
    if (tables.empty())
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it has no sheet"));
    size_t chosen = 0;
    for (size_t i = 0; i < tables.size(); ++i) {
        if (isQuestionSheet(tables[i].sheet))
            chosen = i;
    }
    return std::move(tables[chosen]);
}

QuestionFile::Table SpreadsheetReader::readXls(const QString &path)
{
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
    unsigned int password = 0, sheets = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK && password == FREEXL_BIFF_OBFUSCATED)
        throw Failure(QCoreApplication::translate("SpreadsheetReader", "The spreadsheet is protected by a password."), path,
                      QCoreApplication::translate("SpreadsheetReader", "Save it again without a password, then run the command again."));
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0)
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "it has no sheet"));
    unsigned short chosen = 0;
    QString sheetName;
    for (unsigned short i = 0; i < sheets; ++i) {
        const char *name = nullptr;
        if (freexl_get_worksheet_name(handle, i, &name) != FREEXL_OK)
            continue;
        if (i == 0 || isQuestionSheet(QString::fromUtf8(name))) {
            if (i == 0 || !isQuestionSheet(sheetName))
                chosen = i, sheetName = QString::fromUtf8(name);
        }
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, chosen) != FREEXL_OK || freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        damaged(path, QCoreApplication::translate("SpreadsheetReader", "its sheet could not be read"));
    Table table;
    table.sheet = sheetName;
    for (unsigned int r = 0; r < std::min<unsigned int>(rows, kMaxRows); ++r) {
        Row row;
        row.line = int(r) + 1;
        for (unsigned short c = 0; c < std::min<unsigned short>(columns, kMaxColumns); ++c) {
            FreeXL_CellValue value;
            QString text, changed;
            if (freexl_get_cell_value(handle, r, c, &value) == FREEXL_OK) {
                switch (value.type) {
                case FREEXL_CELL_INT:
                    text = QString::number(value.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    text = formatNumber(value.value.double_value, QString());
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                    text = QString::fromUtf8(value.value.text_value);
                    break;
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                    text = QString::fromUtf8(value.value.text_value);
                    changed = dateChanged(QDate::fromString(text.left(10), Qt::ISODate));
                    break;
                case FREEXL_CELL_TIME:
                    text = QString::fromUtf8(value.value.text_value);
                    changed = timeChanged(QTime::fromString(text, QStringLiteral("HH:mm:ss")));
                    break;
                default:
                    break;
                }
            }
            row.cells.push_back(text);
            row.changed.push_back(changed);
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}
