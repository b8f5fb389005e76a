#include "csvreader.h"
#include "questionfile.h"
#include "spreadsheetreader.h"
#include "testhelpers.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

const QByteArray kHeader = "question,a1,a2,a3,a4\n";

// Small spreadsheets made here, hostile ones among them: a ZIP container of
// parts stored as they are, an Excel workbook of one sheet's rows, an
// OpenDocument spreadsheet of tables.
quint32 crc32Of(QByteArrayView bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char b : bytes) {
        crc ^= quint8(b);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

using Parts = QList<std::pair<QByteArray, QByteArray>>;

QByteArray zipOf(const Parts &parts)
{
    QByteArray out, directory;
    auto u16 = [](QByteArray &b, quint16 v) { b.append(reinterpret_cast<const char *>(&v), 2); };
    auto u32 = [](QByteArray &b, quint32 v) { b.append(reinterpret_cast<const char *>(&v), 4); };
    for (const auto &[name, data] : parts) {
        const quint32 crc = crc32Of(data), at = quint32(out.size());
        u32(out, 0x04034b50), u16(out, 20), u16(out, 0), u16(out, 0), u32(out, 0), u32(out, crc), u32(out, quint32(data.size())), u32(out, quint32(data.size()));
        u16(out, quint16(name.size())), u16(out, 0), out += name, out += data;
        u32(directory, 0x02014b50), u16(directory, 20), u16(directory, 20), u16(directory, 0), u16(directory, 0), u32(directory, 0), u32(directory, crc);
        u32(directory, quint32(data.size())), u32(directory, quint32(data.size())), u16(directory, quint16(name.size())), u32(directory, 0), u32(directory, 0);
        u32(directory, 0), u32(directory, at), directory += name;
    }
    const quint32 at = quint32(out.size());
    out += directory;
    u32(out, 0x06054b50), u32(out, 0), u16(out, quint16(parts.size())), u16(out, quint16(parts.size())), u32(out, quint32(directory.size())), u32(out, at), u16(out, 0);
    return out;
}

// Parts with the ones of more in their place or added.
Parts withParts(Parts parts, const Parts &more)
{
    for (const auto &part : more) {
        auto it = std::find_if(parts.begin(), parts.end(), [&](const auto &p) { return p.first == part.first; });
        if (it != parts.end())
            it->second = part.second;
        else
            parts.append(part);
    }
    return parts;
}

const QByteArray kRelationship = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

QByteArray relationships(const QList<std::pair<QByteArray, QByteArray>> &typeAndTarget)
{
    QByteArray xml = "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (int i = 0; i < typeAndTarget.size(); ++i)
        xml += "<Relationship Id=\"rId" + QByteArray::number(i + 1) + "\" Type=\"" + kRelationship + typeAndTarget[i].first + "\" Target=\"" + typeAndTarget[i].second + "\"/>";
    return xml + "</Relationships>";
}

QByteArray worksheet(const QByteArray &rows)
{
    return "<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheetData>" + rows + "</sheetData></worksheet>";
}

// An Excel workbook whose sheet Sheet1 holds rows (sheetData's XML), with
// the parts of more in their place or added.
QByteArray xlsx(const QByteArray &rows, const Parts &more = {})
{
    return zipOf(withParts({{"[Content_Types].xml", "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
                            {"_rels/.rels", relationships({{"officeDocument", "xl/workbook.xml"}})},
                            {"xl/workbook.xml", "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                                                "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
                                                "<sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
                            {"xl/_rels/workbook.xml.rels", relationships({{"worksheet", "worksheets/sheet1.xml"}, {"worksheet", "worksheets/sheet2.xml"}})},
                            {"xl/worksheets/sheet1.xml", worksheet(rows)}},
                           more));
}

// A cell of text, of a number (in the cell format s), of raw XML.
QByteArray text(const char *cell, const QByteArray &value)
{
    return "<c r=\"" + QByteArray(cell) + "\" t=\"inlineStr\"><is><t>" + value + "</t></is></c>";
}
QByteArray number(const char *cell, const QByteArray &value, int style = 0)
{
    return "<c r=\"" + QByteArray(cell) + "\" s=\"" + QByteArray::number(style) + "\"><v>" + value + "</v></c>";
}
QByteArray row(int line, const QByteArray &cells)
{
    return "<row r=\"" + QByteArray::number(line) + "\">" + cells + "</row>";
}
const QByteArray kXlsxHeader = row(1, text("A1", "question") + text("B1", "a1") + text("C1", "a2") + text("D1", "a3") + text("E1", "a4"));
// Row 2: the question q, its answers the cells given from column B, and
// the rest of 1, 2, 3, 4.
QByteArray question(const QByteArray &cells, int given = 1)
{
    QByteArray rest;
    for (int c = given; c < 4; ++c)
        rest += text(QByteArray(1, char('B' + c)).append('2').constData(), QByteArray::number(c + 1));
    return row(2, text("A2", "q") + cells + rest);
}
// The styles of cell formats 1, 2, ...: the number formats codes.
std::pair<QByteArray, QByteArray> styles(const QList<QByteArray> &codes)
{
    QByteArray formats, xfs = "<xf numFmtId=\"0\"/>";
    for (int i = 0; i < codes.size(); ++i) {
        const bool builtin = codes[i].startsWith("id:");
        const QByteArray id = builtin ? codes[i].mid(3) : QByteArray::number(164 + i);
        if (!builtin)
            formats += "<numFmt numFmtId=\"" + id + "\" formatCode=\"" + QByteArray(codes[i]).replace("\"", "&quot;") + "\"/>";
        xfs += "<xf numFmtId=\"" + id + "\"/>";
    }
    return {"xl/styles.xml", "<?xml version=\"1.0\"?><styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><numFmts>" + formats
                                 + "</numFmts><cellXfs>" + xfs + "</cellXfs></styleSheet>"};
}

// Pictures anchored in rows (from 0) of the sheet, each the one PNG.
Parts anchoredPicture(const QList<qint64> &rows)
{
    QByteArray anchors;
    for (qint64 r : rows)
        anchors += "<oneCellAnchor><from><col>5</col><colOff>0</colOff><row>" + QByteArray::number(r) + "</row><rowOff>0</rowOff></from><pic><blipFill>"
                   "<a:blip xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
                   "r:embed=\"rId1\"/></blipFill></pic><clientData/></oneCellAnchor>";
    return {{"xl/worksheets/_rels/sheet1.xml.rels", relationships({{"drawing", "../drawings/drawing1.xml"}})},
            {"xl/drawings/drawing1.xml", "<wsDr xmlns=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\">" + anchors + "</wsDr>"},
            {"xl/drawings/_rels/drawing1.xml.rels", relationships({{"image", "../media/image1.png"}})},
            {"xl/media/image1.png", picture("PNG", {40, 20})}};
}

// An OpenDocument spreadsheet of tables (their XML), with automatic styles.
QByteArray ods(const QByteArray &tables, const QByteArray &automaticStyles = {}, const Parts &more = {})
{
    return zipOf(withParts({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                            {"content.xml", "<?xml version=\"1.0\"?><office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                                            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                                            "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\"><office:automatic-styles>" + automaticStyles
                                                + "</office:automatic-styles><office:body><office:spreadsheet>" + tables
                                                + "</office:spreadsheet></office:body></office:document-content>"}},
                           more));
}
QByteArray odsCell(const QByteArray &shown, const QByteArray &attributes = " office:value-type=\"string\"")
{
    return "<table:table-cell" + attributes + "><text:p>" + shown + "</text:p></table:table-cell>";
}
QByteArray odsRow(const QList<QByteArray> &cells, const QByteArray &attributes = {})
{
    QByteArray row = "<table:table-row" + attributes + ">";
    for (const QByteArray &cell : cells)
        row += cell.startsWith("<") ? cell : odsCell(cell);
    return row + "</table:table-row>";
}
QByteArray odsTable(const QByteArray &name, const QByteArray &rows, const QByteArray &style = "ta1")
{
    return "<table:table table:name=\"" + name + "\" table:style-name=\"" + style + "\">" + odsRow({"question", "a1", "a2", "a3", "a4"}) + rows + "</table:table>";
}

// Changes the bytes of the ZIP container in zip: the directory entry of the
// part named, at offset, or its end record.
QByteArray patchedDirectory(QByteArray zip, const QByteArray &name, int offset, quint32 value)
{
    const qsizetype end = zip.lastIndexOf(QByteArrayView("PK\x05\x06", 4));
    qsizetype at = qFromLittleEndian<quint32>(zip.constData() + end + 16);
    while (zip.mid(at + 46, name.size()) != name)
        at += 46 + qFromLittleEndian<quint16>(zip.constData() + at + 28);
    qToLittleEndian<quint32>(value, zip.data() + at + offset);
    return zip;
}

// What reading a question file gives: its first fault, or its questions'
// count, the last question's text and answers and whether a picture was
// pasted into its row.
QString readingOf(const QString &path)
{
    QString read;
    const QString message = failureOf([&] {
        const std::vector<QuestionFile::Question> questions = QuestionFile::read(path);
        const QuestionFile::Question &q = questions.back();
        read = QStringLiteral("%1|%2|%3|%4|%5|%6|%7").arg(questions.size()).arg(q.question, q.answers[0], q.answers[1], q.answers[2], q.answers[3],
                                                                           q.pastedPicture.isEmpty() ? QString() : QStringLiteral("pasted"));
        if (!q.pastedPicture.isEmpty())
            QVERIFY(!QImage::fromData(q.pastedPicture).isNull());
    });
    return message.isEmpty() ? read : message;
}

} // namespace

// Question files read as the bank tool reads them: CSV in its encodings and
// separators, and spreadsheets (.xlsx, .ods, .xls), made ones and hostile
// ones among them.
class TestQuestionFile : public QObject {
    Q_OBJECT
private slots:
    void questionFilesAreRead_data()
    {
        // A question file, and what reading it gives: its first fault, or its
        // last question ("line:question|a2|a4|", then its picture's path if
        // it has one) and the note on its encoding.
        addColumns<QByteArray, QString>("csv", "expected");
        const auto file = [](const QString &separator, bool arabicHeader) {
            return (arabicHeader ? QStringList{"السؤال", "الإجابة الصحيحة", "أجابة خاطئة 1", "إجابة خاطئة 2", "إجابة خاطئة 3"}
                                 : QStringList{"question", "a1", "a2", "a3", "a4"}).join(separator)
                + "\r\n" + QStringList{"ما ناتج 3/4 + 1/8 ؟", "7/8", "\"4,8\"", "1/2", "س2"}.join(separator) + "\r\n";
        };
        const QString read = QStringLiteral("2:ما ناتج 3/4 + 1/8 ؟|4,8|س2|");
        QTest::newRow("commas") << file(",", false).toUtf8() << read;
        QTest::newRow("semicolons, a byte-order mark") << "\xEF\xBB\xBF" + file(";", false).toUtf8() << read;
        QTest::newRow("tabs, UTF-16") << "\xFF\xFE" + QByteArray(QStringEncoder(QStringEncoder::Utf16LE).encode(file("\t", false))) << read;
        QTest::newRow("Arabic header, Windows-1256") << QByteArray(QStringEncoder("windows-1256").encode(file(",", true)))
                                                     << read + "the file is not UTF-8; it was read as Windows-1256 (Arabic Windows)";
        QTest::newRow("blank rows and columns") << ("question,a1,a2,a3,a4,\r\n,,,,,\r\n" + file(",", false).section("\r\n", 1)).toUtf8() + "\r\n,,,,,\r\n"
                                                << "3" + read.mid(1);
        QTest::newRow("lines ended by CR alone, semicolons") << file(";", false).replace("\r\n", "\r").toUtf8() + "س;1;2;3;\r" << ":3: answer a4 is empty";
        QTest::newRow("lines ended by CR alone, tabs") << file("\t", false).replace("\r\n", "\r").toUtf8() << read;
        QTest::newRow("Windows-1256 that is valid UTF-8 too")
            << kHeader + QByteArray(QStringEncoder("windows-1256").encode(QStringLiteral("س؟,1,2,3,4\n")))
            << QString::fromUtf8("2:\u04FF|2|4|the file was read as UTF-8; it could also be Windows-1256 (Arabic Windows), where it reads as Arabic. "
                                 "If the questions look wrong, save the file as UTF-8 and make the bank again");
        QTest::newRow("UTF-16 with half a surrogate pair")
            << "\xFF\xFE" + QByteArray(QStringEncoder(QStringEncoder::Utf16LE).encode(QString::fromLatin1(kHeader) + "q,1,2,3,4\n")) + QByteArray::fromHex("3dd82c0031000a00") // half a pair, ",1\n"
            << ":3: the file says it is UTF-16, but this line holds what UTF-16 cannot be";
        QTest::newRow("answers of invisible characters") << kHeader + "س,1,\"\u200B\u202E\",3,4\n" << ":2: answer a2 is empty";
        QTest::newRow("a quoted picture path keeps its blanks")
            << QByteArray("question,a1,a2,a3,a4,picture\nس, 1 ,\" 2 \",3,4,\" my folder/p.jpg\"\n") << "2:س| 2 |4|| my folder/p.jpg";
        QTest::newRow("missing column") << kHeader + "ما ناتج 2 + 2 ؟,4,3,5,6\nما ناتج 3 + 3 ؟,6,5,7\n" << ":3: expected 5 columns, found 4";
        QTest::newRow("extra column") << kHeader + "س,1,2,3,4,5\n" << ":2: expected 5 columns, found 6";
        QTest::newRow("empty answer") << kHeader + "س,1,2,3,4\nص,1,,3,4\n" << ":3: answer a2 is empty";
        QTest::newRow("blank answer") << kHeader + "س,1,2,3,\"  \"\n" << ":2: answer a4 is empty";
        QTest::newRow("unclosed quote") << kHeader + "س,1,2,3,4\n\"ص,1,2,3,4\n" << ":3: the CSV is malformed";
        QTest::newRow("line after a multi-line question")
            << kHeader + "\"سطر أول\nسطر ثان\",1,2,3,4\nص,1,2\n" << ":4: expected 5 columns, found 3";
        QTest::newRow("unknown header") << QByteArray("question,a1,a2,a3,a5\n") << ":1: unknown column \"a5\"";
        QTest::newRow("missing header column") << QByteArray("question,a1,a2,a3\nس,1,2,3\n") << ":1: the header has no column \"a4\"";
        QTest::newRow("header only") << kHeader << ":1: the file holds no questions";
        QTest::newRow("no header") << QByteArray("س,1,2,3,4\n") << ":1: this file is not a question file: its first line is \"س,1,2,3,4\"; a question file starts with the header question,a1";
        QTest::newRow("a class list") << QByteArray("name,grade\nأحمد,17\n") << ":1: this file is not a question file: its first line is \"name,grade\"";
        QTest::newRow("saved as Windows-1252, the Arabic lost")
            << QByteArray("??????,??????? ??????,????? ????? 1,????? ????? 2,????? ????? 3\n?? ???? 7 + 8 ?,15,16,14,13\n") << ":1: the Arabic of this file was lost when it was saved";
        QTest::newRow("the Arabic of the questions lost") << kHeader + "?? ???? 7 + 8 ?,15,16,14,13\n" << ":2: the Arabic of this question was lost";
        QTest::newRow("two equal answers") << kHeader + "س,1,2,3,4\nص,1250,7,1250,4\n" << ":3: answers a1 and a3 are the same, \"1250\"";
        QTest::newRow("answers equal but for blanks") << kHeader + "س,5,\" 5 \",3,4\n" << ":2: answers a1 and a2 are the same";
        QTest::newRow("answers a spreadsheet made dates")
            << kHeader + "س,07/08/26,8-Jul,1/2,3\n"
            << "2:س|8-Jul|3|line 2: answer a1 \"07/08/26\" looks like a date a spreadsheet made of what was typed; if it was 7/8 or the like, format the column "
               "as Text in the spreadsheet, type it again and save the file again\nline 2: answer a2 \"8-Jul\" looks like a date a spreadsheet made of what was "
               "typed; if it was 7/8 or the like, format the column as Text in the spreadsheet, type it again and save the file again";
        QTest::newRow("empty file") << QByteArray() << ":1: the file is empty";
        QTest::newRow("no text, no picture") << kHeader + ",1,2,3,4\n" << ":2: the question has neither text nor a picture";
    }
    void questionFilesAreRead()
    {
        auto [csv, expected] = fetchRow<QByteArray, QString>("csv", "expected");
        QString note, last;
        const QString message = failureOf([&] {
            const CsvReader::Question q = CsvReader::parse(csv, QStringLiteral("q.csv"), &note).back();
            last = QStringLiteral("%1:%2|%3|%4|%5").arg(q.line).arg(q.question, q.answers[1], q.answers[3], note)
                + (q.picture.isEmpty() ? QString() : u'|' + q.picture);
        });
        QVERIFY2(message.isEmpty() ? last == expected : message.contains(QStringLiteral("q.csv") + expected), qPrintable(message + last));
    }

    void spreadsheetsAreRead_data()
    {
        // A spreadsheet file that LibreOffice Calc or openpyxl wrote
        // (tests/tools/fixtures/make-fixtures), and what reading it gives:
        // its first fault, or its questions' count, the last question's text
        // and answers and whether a picture was pasted into its row.
        addColumns<QString, QString>("file", "expected");
        const QString english = QStringLiteral("3|ما ناتج 2 + 1/3 ؟|2 1/3|3 2/6|3|1/3|");
        const QString arabic = QStringLiteral("2|ما ناتج 455 + 10 ؟|٤٦٥|٤٥٥|٤٧٥|٤٦٤|");
        for (const char *format : {"xlsx", "ods", "xls"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, English header, Text columns").arg(format))) << QStringLiteral("calc-text-english.%1").arg(format) << english;
            QTest::newRow(qPrintable(QStringLiteral("%1, Arabic header, Text columns").arg(format))) << QStringLiteral("calc-text-arabic.%1").arg(format) << arabic;
            QTest::newRow(qPrintable(QStringLiteral("%1, 7/8 made a date").arg(format)))
                << QStringLiteral("calc-guessed.%1").arg(format) << ":english!B2: the spreadsheet stored the date 8 July 2026 in this cell; if you typed 7/8";
        }
        QTest::newRow("ods, 1,250 made the number equal to another answer") << "calc-thousands.ods" << ":thousands!C2: answers a1 and a2 are the same, \"1250\"";
        QTest::newRow("xlsx, a number shown as a fraction") << "calc-fraction.xlsx" << ":fraction!B2: the spreadsheet stored a number in this cell and shows it as the fraction 2 1/3";
        QTest::newRow("Excel's flavour, a date") << "excel-date.xlsx" << ":Sheet1!B2: the spreadsheet stored the date 8 July 2026";
        QTest::newRow("Excel's flavour, a fraction reduced") << "excel-fraction.xlsx" << ":Sheet1!C2: the spreadsheet stored a number in this cell and shows it as the fraction 3 1/3";
        QTest::newRow("Excel's flavour, the questions' sheet and a pasted picture")
            << "excel-pasted-picture.xlsx" << QStringLiteral("2|في الشكل المجاور، أوجد قياس الزاوية س|60°|30°|90°|120°|pasted");
        QTest::newRow("ods, a pasted picture") << "calc-pasted-picture.ods" << QStringLiteral("2|في الشكل المجاور، أوجد قياس الزاوية س|60°|30°|90°|120°|pasted");
        QTest::newRow("ods, a class list") << "calc-grades.ods" << ":grades!A1: this sheet is not a sheet of questions: its first row is \"name,grade\"";
        // Excel 97-2003 workbooks LibreOffice is not asked to make (make-xls).
        QTest::newRow("xls, a hidden first sheet") << "xls-hidden-first.xls" << QStringLiteral("1|ما ناتج 5 + 2 ؟|7|8|9|6|");
        QTest::newRow("xls, numbers in their formats") << "xls-number-formats.xls" << QStringLiteral("1|q|007|60°|5 cm|$1,234.50|");
        QTest::newRow("xls, a number shown as a fraction") << "xls-fraction.xls" << ":Sheet1!B3: the spreadsheet stored a number in this cell and shows it as the fraction 2 1/3";
        QTest::newRow("xls, a percentage") << "xls-percentage.xls" << ":Sheet1!C3: the spreadsheet stored the number 0.25 in this cell and shows it as the percentage 25.00%";
    }
    void spreadsheetsAreRead()
    {
        auto [file, expected] = fetchRow<QString, QString>("file", "expected");
        const QString read = readingOf(qEnvironmentVariable("MC_SOURCE_DIR") + QStringLiteral("/tests/tools/fixtures/") + file);
        QVERIFY2(read == expected || read.contains(file + expected), qPrintable(read));
    }

    void madeSpreadsheetsAreRead_data()
    {
        // A spreadsheet made here, as a spreadsheet program or a hostile
        // hand writes one, and what reading it gives (as above), within a
        // time: every size and repetition is bounded before it is held.
        addColumns<QString, QByteArray, QString, int>("file", "bytes", "expected", "milliseconds");
        const int quick = 5000;
        const QByteArray four = question({}, 0);
        auto formatted = [](const QList<QByteArray> &codes, const QByteArray &cells) { return xlsx(kXlsxHeader + question(cells, 4), {styles(codes)}); };
        QTest::newRow("xlsx, numbers in their formats")
            << "q.xlsx" << formatted({"000", "0\"°\"", "0\" cm\"", "\"$\"#,##0.00"}, number("B2", "7", 1) + number("C2", "60", 2) + number("D2", "5", 3) + number("E2", "1234.5", 4))
            << QStringLiteral("1|q|007|60°|5 cm|$1,234.50|") << quick;
        QTest::newRow("xlsx, negative in brackets, scientific, currency, rounded whole")
            << "q.xlsx" << formatted({"#,##0;(#,##0)", "0.00E+00", "[$€-407] #,##0.00", "#,##0.0 ;[Red]-#,##0.0 "}, number("B2", "-1234", 1) + number("C2", "150", 2) + number("D2", "2.5", 3) + number("E2", "-7.5", 4))
            << QStringLiteral("1|q|(1,234)|1.50E+02|€ 2.50|-7.5|") << quick;
        QTest::newRow("xlsx, a percentage") << "q.xlsx" << formatted({"id:10"}, number("B2", "1", 0) + number("C2", "2", 0) + number("D2", "3", 0) + number("E2", "0.25", 1))
                                            << ":Sheet1!E2: the spreadsheet stored the number 0.25 in this cell and shows it as the percentage 25.00%" << quick;
        QTest::newRow("xlsx, a decimal in General read as it shows") << "q.xlsx" << xlsx(kXlsxHeader + question(number("B2", "0.5"))) << QStringLiteral("1|q|0.5|2|3|4|") << quick;
        QTest::newRow("xlsx, 1.005 shown as 1.01") << "q.xlsx" << formatted({"0.00"}, number("B2", "1.005", 1) + number("C2", "2", 0) + number("D2", "3", 0) + number("E2", "4", 0))
                                                   << ":Sheet1!B2: the spreadsheet stored the number 1.005 in this cell but shows 1.01" << quick;
        QTest::newRow("xlsx, a zero section") << "q.xlsx" << formatted({"0;-0;\"none\""}, number("B2", "0", 1) + number("C2", "2", 0) + number("D2", "3", 0) + number("E2", "4", 0))
                                              << ":Sheet1!B2: the spreadsheet stored the number 0 in this cell but shows none" << quick;
        QTest::newRow("xlsx, a format with a condition")
            << "q.xlsx" << formatted({"[>100]0;0.0"}, number("B2", "5", 1) + number("C2", "2", 0) + number("D2", "3", 0) + number("E2", "4", 0))
            << ":Sheet1!B2: the spreadsheet stored the number 5 in this cell and shows it in the number format \"[>100]0;0.0\"" << quick;
        QTest::newRow("xlsx, a formula without a stored value") << "q.xlsx" << xlsx(kXlsxHeader + question("<c r=\"B2\"><f>1+1</f></c>"))
                                                                << ":Sheet1!B2: this cell holds a formula without a stored value" << quick;
        QTest::newRow("xlsx, a date that is none") << "q.xlsx" << xlsx(kXlsxHeader + question("<c r=\"B2\" t=\"d\"><v>2026-13-45</v></c>"))
                                                   << ":Sheet1!B2: the spreadsheet stored a date in this cell, \"2026-13-45\"" << quick;
        QTest::newRow("xlsx, a shared text it does not hold") << "q.xlsx" << xlsx(kXlsxHeader + question("<c r=\"B2\" t=\"s\"><v>7</v></c>"))
                                                              << ":Sheet1!B2: this cell holds \"7\" where the spreadsheet keeps" << quick;
        QTest::newRow("xlsx, damaged shared texts") << "q.xlsx" << xlsx(kXlsxHeader + four, {{"xl/sharedStrings.xml", "<sst><si><t>x</si></sst>"}})
                                                    << "its part xl/sharedStrings.xml is damaged (" << quick;
        QTest::newRow("xlsx, the header past column 64")
            << "q.xlsx" << xlsx(row(1, text("BM1", "question") + text("BN1", "a1") + text("BO1", "a2") + text("BP1", "a3") + text("BQ1", "a4")))
            << ":Sheet1!BM1: this cell is past column BL, the last of the 64 columns the bank tool reads" << quick;
        QTest::newRow("xlsx, something in row 200 001") << "q.xlsx" << xlsx(kXlsxHeader + four + row(200001, text("A200001", "q")))
                                                        << ":Sheet1!A200001: the sheet has something in row 200001, past the 200000 rows" << quick;
        QTest::newRow("xlsx, empty rows to the sheet's end") << "q.xlsx" << xlsx(kXlsxHeader + four + "<row r=\"300000\"/><row r=\"1048576\"/>")
                                                             << QStringLiteral("1|q|1|2|3|4|") << quick;
        QTest::newRow("xlsx, rows out of order") << "q.xlsx" << xlsx(kXlsxHeader + row(3, text("A3", "r")) + four)
                                                 << "its rows are out of order (row 2 after row 3)" << quick;
        QTest::newRow("xlsx, 1 000 000 rows numbered alike") << "q.xlsx" << xlsx(kXlsxHeader + four + QByteArray("<row r=\"3\"/>").repeated(1000000))
                                                              << "its rows are out of order (row 3 after row 3)" << quick;
        QTest::newRow("xlsx, a picture anchored in row 2 147 483 648") << "q.xlsx" << xlsx(kXlsxHeader + four, anchoredPicture({2147483647}))
                                                                       << ":Sheet1!A2147483648: the sheet has something in row 2147483648" << quick;
        QTest::newRow("xlsx, a hidden first sheet")
            << "q.xlsx"
            << xlsx(row(1, text("A1", "notes")),
                    {{"xl/workbook.xml", "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                                         "<sheets><sheet name=\"notes\" state=\"hidden\" r:id=\"rId1\"/><sheet name=\"Sheet2\" r:id=\"rId2\"/></sheets></workbook>"},
                     {"xl/worksheets/sheet2.xml", worksheet(kXlsxHeader + four)}})
            << QStringLiteral("1|q|1|2|3|4|") << quick;
        // The ZIP container as liborcus's reader would take it too far.
        const QByteArray plain = xlsx(kXlsxHeader + four);
        QByteArray uncounted = plain;
        const qsizetype end = uncounted.lastIndexOf(QByteArrayView("PK\x05\x06", 4));
        qToLittleEndian<quint16>(quint16(qFromLittleEndian<quint16>(uncounted.constData() + end + 10) - 1), uncounted.data() + end + 8);
        qToLittleEndian<quint16>(quint16(qFromLittleEndian<quint16>(uncounted.constData() + end + 10) - 1), uncounted.data() + end + 10);
        QTest::newRow("xlsx, a part its directory's end does not count") << "q.xlsx" << uncounted << "its ZIP directory is damaged" << quick;
        QTest::newRow("xlsx, a part packed larger than the file") << "q.xlsx" << patchedDirectory(plain, "xl/worksheets/sheet1.xml", 20, 0xF0000000)
                                                                  << "its ZIP directory is damaged" << quick;
        QByteArray otherCrc = plain;
        otherCrc.replace(otherCrc.indexOf("<sheetData>"), 11, "<sheetDatA>");
        QTest::newRow("xlsx, a part that is not what its CRC says") << "q.xlsx" << otherCrc << "its part xl/worksheets/sheet1.xml is damaged" << quick;
        QTest::newRow("xlsx, a text of 5 MB") << "q.xlsx" << xlsx(kXlsxHeader + QByteArray(5 << 20, ' ') + four)
                                              << "its part xl/worksheets/sheet1.xml holds a text or a tag longer than a spreadsheet program writes" << quick;

        const QByteArray questionRow = odsRow({"q", "1", "2", "3", "4"});
        QTest::newRow("ods, a cell of 2 000 000 000 spaces") << "q.ods" << ods(odsTable("Sheet1", odsRow({"q<text:s text:c=\"2000000000\"/>x", "1", "2", "3", "4"})))
                                                             << ":Sheet1!A2: this cell holds more than 32767 characters" << quick;
        QTest::newRow("ods, a row written once for two") << "q.ods" << ods(odsTable("Sheet1", odsRow({"q", "1", "2", "3", "4"}, " table:number-rows-repeated=\"2\"")))
                                                         << QStringLiteral("2|q|1|2|3|4|") << quick;
        QTest::newRow("ods, a row repeated 100 000 000 times")
            << "q.ods" << ods(odsTable("Sheet1", odsRow({"q", "1", "2", "3", "4"}, " table:number-rows-repeated=\"100000000\"")))
            << ":Sheet1!A200001: the sheet has something in row 200001, past the 200000 rows" << 2000;
        QTest::newRow("ods, a row of 64 cells repeated 199 999 times")
            << "q.ods" << ods(odsTable("Sheet1", odsRow({"q", "1", "2", "3", "4", "<table:table-cell office:value-type=\"string\" table:number-columns-repeated=\"59\"><text:p>x</text:p></table:table-cell>"},
                                                        " table:number-rows-repeated=\"199999\"")))
            << ":Sheet1!A2: the sheet holds more than 4000000 cells by this one" << 2000;
        QTest::newRow("ods, empty rows to the sheet's end")
            << "q.ods" << ods(odsTable("Sheet1", questionRow + "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell table:number-columns-repeated=\"1024\"/></table:table-row>"))
            << QStringLiteral("1|q|1|2|3|4|") << quick;
        QTest::newRow("ods, something past column 64")
            << "q.ods" << ods(odsTable("Sheet1", odsRow({"q", "1", "2", "3", "4", "<table:table-cell office:value-type=\"string\" table:number-columns-repeated=\"100\"><text:p>x</text:p></table:table-cell>"})))
            << ":Sheet1!BM2: this cell is past column BL" << quick;
        QTest::newRow("ods, a hidden first sheet")
            << "q.ods" << ods("<table:table table:name=\"notes\" table:style-name=\"ta2\">" + odsRow({"notes"}) + "</table:table>" + odsTable("Sheet2", questionRow),
                              "<style:style style:name=\"ta1\" style:family=\"table\"><style:table-properties table:display=\"true\"/></style:style>"
                              "<style:style style:name=\"ta2\" style:family=\"table\"><style:table-properties table:display=\"false\"/></style:style>")
            << QStringLiteral("1|q|1|2|3|4|") << quick;
        auto numberCell = [](const char *type, const char *value, const char *shown) {
            return odsCell(shown, " office:value-type=\"" + QByteArray(type) + "\" office:value=\"" + value + "\"");
        };
        QTest::newRow("ods, a percentage") << "q.ods" << ods(odsTable("Sheet1", odsRow({"q", "1", numberCell("percentage", "0.25", "25.00%"), "3", "4"})))
                                           << ":Sheet1!C2: the spreadsheet stored the number 0.25 in this cell and shows it as the percentage 25.00%" << quick;
        QTest::newRow("ods, a decimal read as it shows") << "q.ods" << ods(odsTable("Sheet1", odsRow({"q", numberCell("float", "0.5", "0.5"), "2", "3", "4"}))) << QStringLiteral("1|q|0.5|2|3|4|") << quick;
        QTest::newRow("ods, 0.5 shown with two decimals") << "q.ods" << ods(odsTable("Sheet1", odsRow({"q", numberCell("float", "0.5", "0.50"), numberCell("float", "60", "60°"), "3", "4"})))
                                                          << QStringLiteral("1|q|0.50|60°|3|4|") << quick;
        QTest::newRow("ods, 1.005 shown as 1.01") << "q.ods" << ods(odsTable("Sheet1", odsRow({"q", numberCell("float", "1.005", "1.01"), "2", "3", "4"})))
                                                  << ":Sheet1!B2: the spreadsheet stored the number 1.005 in this cell but shows 1.01" << quick;
        QTest::newRow("ods, a formula without a value")
            << "q.ods" << ods(odsTable("Sheet1", odsRow({"q", "<table:table-cell table:formula=\"of:=1+1\"/>", "2", "3", "4"})))
            << ":Sheet1!B2: this cell holds a formula without a stored value" << quick;
        QTest::newRow("ods, protected by a password")
            << "q.ods" << ods(odsTable("Sheet1", questionRow), {}, {{"META-INF/manifest.xml", "<manifest:manifest><manifest:file-entry><manifest:encryption-data/></manifest:file-entry></manifest:manifest>"}})
            << "The spreadsheet is protected by a password." << quick;
    }
    void madeSpreadsheetsAreRead()
    {
        auto [file, bytes, expected, milliseconds] = fetchRow<QString, QByteArray, QString, int>("file", "bytes", "expected", "milliseconds");
        QTemporaryDir dir;
        writeFile(dir.filePath(file), bytes);
        QElapsedTimer timer;
        timer.start();
        const QString read = readingOf(dir.filePath(file));
        QVERIFY2(read == expected || read.contains(expected), qPrintable(read));
        QVERIFY2(timer.elapsed() < milliseconds, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
    }

    void aPicturePastedInManyRowsIsReadOnce()
    {
        // Each picture part is unpacked once, and every row it is anchored in
        // shares its bytes.
        QByteArray rows = kXlsxHeader;
        QList<qint64> anchors;
        for (int r = 2; r <= 31; ++r) {
            rows += row(r, text(QByteArray("B" + QByteArray::number(r)).constData(), "1") + text(QByteArray("C" + QByteArray::number(r)).constData(), "2")
                               + text(QByteArray("D" + QByteArray::number(r)).constData(), "3") + text(QByteArray("E" + QByteArray::number(r)).constData(), "4"));
            anchors.append(r - 1);
        }
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("q.xlsx")), xlsx(rows, anchoredPicture(anchors)));
        const std::vector<QuestionFile::Question> questions = QuestionFile::read(dir.filePath(QStringLiteral("q.xlsx")));
        QCOMPARE(questions.size(), size_t(30));
        for (const QuestionFile::Question &q : questions)
            QVERIFY(!q.pastedPicture.isEmpty() && q.pastedPicture.constData() == questions.front().pastedPicture.constData());
    }

    void numbersAreShownAsTheSpreadsheetShowsThem_data()
    {
        // A number, a format code, and the text the spreadsheet shows (none
        // when the bank tool cannot show it as the spreadsheet does).
        addColumns<double, QString, QString>("number", "code", "shown");
        const QList<std::tuple<double, const char *, const char *>> rows = {
            {7, "000", "007"}, {60, "0\"°\"", "60°"}, {5, "0\" cm\"", "5 cm"}, {1234.5, "\"$\"#,##0.00", "$1,234.50"}, {1234.5, "#,##0.00 [$SAR]", "1,234.50 SAR"},
            {12345, "0.00E+00", "1.23E+04"}, {0.00012, "0.0E+00", "1.2E-04"}, {12345, "##0.0E+0", "12.3E+3"}, {-1234, "#,##0;(#,##0)", "(1,234)"}, {-5, "0", "-5"},
            {1.005, "0.00", "1.01"}, {2.675, "0.00", "2.68"}, {0.5, "#.00", ".50"}, {2.5, "0.0#", "2.5"}, {2.567, "0.0#", "2.57"}, {0, "0;-0;\"zero\"", "zero"},
            {0, "0;-0;", ""}, {-3, "0;;", ""}, {0.25, "0%", "25%"}, {0.255, "0.0%", "25.5%"}, {1234567, "#,##0,", "1,235"}, {1250, "#,##0", "1,250"}, {7, "General", "7"},
            {0.5, "General", "0.5"}, {2.5, "0.0_);(0.0)", "2.5"}, {1234, "000-000", "001-234"}, {3, "[Red]0", "3"}, {7.0 / 3, "# ?/?", "2 1/3"},
            {123456789012, "General", nullptr}, {5, "[>100]0;0.0", nullptr}, {5, "[DBNum1]0", nullptr}, {5, "0 \"x\" ABC", nullptr}};
        for (const auto &[number, code, shown] : rows)
            QTest::newRow(qPrintable(QStringLiteral("%1 in %2").arg(number).arg(QString::fromUtf8(code)))) << number << QString::fromUtf8(code) << (shown ? QString::fromUtf8(shown) : QString());
    }
    void numbersAreShownAsTheSpreadsheetShowsThem()
    {
        auto [number, code, shown] = fetchRow<double, QString, QString>("number", "code", "shown");
        const QString text = SpreadsheetReader::formatNumber(number, code);
        QCOMPARE(text.isNull(), shown.isNull());
        QCOMPARE(text, shown);
    }

    void damagedSpreadsheetsAreRefused_data()
    {
        // A fixture changed as a damaged or hostile file is, and what
        // reading it says.
        addColumns<QString, std::function<void(QByteArray &)>, QString>("file", "change", "expected");
        const auto directory = [](const QByteArray &bytes) { return bytes.lastIndexOf(QByteArrayView("PK\x01\x02", 4)); };
        QTest::newRow("a part claiming 4 GB unpacked") << "calc-text-english.xlsx" << std::function<void(QByteArray &)>([=](QByteArray &b) {
            b.replace(directory(b) + 24, 4, QByteArray("\xF0\xFF\xFF\xFF", 4));
        }) << "would take more than 512 MB unpacked";
        QTest::newRow("cut short") << "calc-text-english.ods" << std::function<void(QByteArray &)>([](QByteArray &b) { b.truncate(b.size() / 2); })
                                   << "it is not a whole ZIP container";
        QTest::newRow("protected by a password") << "calc-text-english.xlsx" << std::function<void(QByteArray &)>([=](QByteArray &b) {
            b[directory(b) + 8] = char(b[directory(b) + 8] | 1);
        }) << "protected by a password";
        QTest::newRow("an .xls that is not one") << "calc-text-english.xls" << std::function<void(QByteArray &)>([](QByteArray &b) { b.truncate(600); })
                                                 << "not an Excel 97-2003 workbook";
        QTest::newRow("an .xlsx protected by a password") << "excel-password.xlsx" << std::function<void(QByteArray &)>([](QByteArray &) {})
                                                          << "The spreadsheet is protected by a password.";
        // FreeXL finds no sheet in an .xls of a code page it does not read.
        for (const quint16 codePage : {10004, 65001, 37}) {
            QTest::newRow(qPrintable(QStringLiteral("an .xls in the code page %1").arg(codePage)))
                << "calc-text-english.xls" << std::function<void(QByteArray &)>([codePage](QByteArray &b) {
                       qToLittleEndian<quint16>(codePage, b.data() + b.indexOf(QByteArrayView("\x42\x00\x02\x00", 4)) + 4);
                   })
                << QStringLiteral("it is written in the code page %1, which the bank tool cannot read").arg(codePage);
        }
    }
    void damagedSpreadsheetsAreRefused()
    {
        auto [file, change, expected] = fetchRow<QString, std::function<void(QByteArray &)>, QString>("file", "change", "expected");
        QTemporaryDir dir;
        QByteArray bytes = readFile(qEnvironmentVariable("MC_SOURCE_DIR") + QStringLiteral("/tests/tools/fixtures/") + file);
        change(bytes);
        const QString path = dir.filePath(file);
        writeFile(path, bytes);
        const QString message = failureOf([&] { QuestionFile::read(path); });
        QVERIFY2(message.contains(expected), qPrintable(message));
    }
};

MC_TEST_MAIN(TestQuestionFile)
#include "tst_questionfile.moc"
