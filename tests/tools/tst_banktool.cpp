#include "bankcreator.h"
#include "contestrecord.h"
#include "csvreader.h"
#include "questionfile.h"
#include "questionbank.h"
#include "questionpicture.h"
#include "spreadsheetreader.h"
#include "testfolder.h"
#include "testhelpers.h"
#include "testmain.h"

#include <QBuffer>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QtEndian>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <functional>

#include <cerrno>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Run {
    int status;
    QString out;
};

// The tool in a process of its own, which must end within 20 s (a read that
// never ends is a failure, not a hang), with env added; its two outputs as one.
Run tool(QStringList arguments, const QString &workFolder = QString(), const QStringList &env = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &entry : env)
        environment.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(qEnvironmentVariable("MC_PROGRAM_DIR") + QStringLiteral("/mathcontest-bank"), arguments.replaceInStrings(QStringLiteral("%D"), workFolder));
    if (!process.waitForFinished(20000))
        return {-1, QStringLiteral("the tool did not end within 20 s")}; // and is killed with process
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

// A question's text as create renders it, as the JPEG it writes.
QByteArray renderedJpeg(const QString &text)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QuestionPicture::render(text).save(&buffer, "JPEG", 88);
    return bytes;
}

// Each question of the bank in folder as "ID|YN|a1|a2|a3|a4".
QList<QVariant> rows(const QString &folder)
{
    return TestFolder::query(QuestionBank::filePath(folder), QStringLiteral("select ID||'|'||YN||'|'||a1||'|'||a2||'|'||a3||'|'||a4 from soaal order by ID"));
}

const QByteArray kHeader = "question,a1,a2,a3,a4\n";

// Where each token (a part of the layout's text that stands in it once) is
// drawn: the mean x of the glyphs the layout draws for it.
// A row of the command table: what to lay out in the work folder (which holds
// the contest app/ made from q.csv's three questions, mine.csv, and p.csv, a
// question with the picture photo.jpg), the command (%D stands for the work
// folder), its exit status, what its output says, and what must hold after it.
struct CommandCase {
    const char *name;
    std::function<void(const QDir &)> prepare;
    QStringList arguments;
    int status;
    QStringList message; // each must stand in the output (%D: the work folder)
    std::function<bool(const QDir &)> after;
    QStringList env = {};
};

void sql(const QDir &dir, const QString &statement)
{
    TestFolder::query(QuestionBank::filePath(dir.filePath(QStringLiteral("app"))), statement);
}

const auto kNothing = [](const QDir &) {};
const auto kAlways = [](const QDir &) { return true; };
const auto kNoOut = [](const QDir &dir) { return !QFileInfo::exists(dir.filePath(QStringLiteral("new"))); };
const auto kBankIntact = [](const QDir &dir) { return rows(dir.filePath(QStringLiteral("app"))).size() == 3; };
const auto kMineIntact = [](const QDir &dir) { return readFile(dir.filePath(QStringLiteral("mine.csv"))) == "my own questions"; };
auto writing(const char *name, const QByteArray &content)
{
    return [=](const QDir &dir) { writeFile(dir.filePath(QString::fromUtf8(name)), content); };
}
// Puts a FIFO in the place of the file name, which reads nothing until
// something writes to it.
auto fifo(const char *name)
{
    return [=](const QDir &dir) {
        QFile::remove(dir.filePath(QString::fromUtf8(name)));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QString::fromUtf8(name))).constData(), 0600), 0);
    };
}
const QStringList kCreate{"create", "--from", "%D/p.csv", "--out", "%D/new"};

// A picture in format: a blue diagonal on a transparent ground.
QByteArray picture(const char *format, QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(0, 0, 200), 6));
    painter.drawLine(0, 0, size.width(), size.height());
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        qFatal("cannot write a %s picture", format);
    return bytes;
}
// Whether new/img/1.jpg is a JPEG of size, its transparent corner the
// question box's colour (not white) when the format has transparency.
bool onBox(QRgb c)
{
    return qRed(c) >= 250 && qGreen(c) >= 250 && qBlue(c) <= 252;
}
auto madeJpeg(QSize size, bool transparent = true)
{
    return [=](const QDir &d) {
        const QByteArray bytes = readFile(d.filePath(QStringLiteral("new/img/1.jpg")));
        const QImage made = QImage::fromData(bytes);
        return bytes.startsWith("\xFF\xD8\xFF") && made.size() == size && (!transparent || onBox(made.pixel(size.width() - 2, 1)));
    };
}

// A question file in.csv whose question is picture (a path relative to
// the work folder), beside photo, a 4000 x 3000 photo written at that path.
auto photoIn(const char *picture)
{
    return [=](const QDir &dir) {
        writeFile(dir.filePath(QString::fromUtf8(picture)), jpeg({4000, 3000}));
        writeFile(dir.filePath(QStringLiteral("in.csv")), kHeader.trimmed() + ",picture\n,1,2,3,4," + QByteArray(picture) + "\n");
    };
}
auto photoKept(const char *picture)
{
    return [=](const QDir &dir) { return QImage(dir.filePath(QString::fromUtf8(picture))).size() == QSize(4000, 3000); };
}
const QStringList kCreateInPlace{"create", "--from", "%D/in.csv", "--out", "%D/app", "--force"};

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

// Three contests in app/'s record: Laila's (question 1 right, question 2
// wrong with its a3 "x"), one without a name (question 2 wrong, a3 again,
// then killed) and one with no answer.
void recordContests(const QDir &dir)
{
    ContestRecord record = ContestRecord::open(dir.filePath(QStringLiteral("app")));
    const QDateTime at(QDate(2026, 12, 8), QTime(9, 0), Qt::OffsetFromUTC, 3600);
    const qint64 laila = record.startContest(QStringLiteral("ليلى %1"), QString(), at);
    record.recordDraw(laila, 1, 1, QStringLiteral("س"), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}, at);
    record.recordAnswer(laila, 1, 1, 3, true, 1250);
    record.recordDraw(laila, 2, 2, QStringLiteral("ص"), {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("x"), QStringLiteral("8")}, at);
    record.recordAnswer(laila, 2, 3, 1, false, 4000);
    record.endContest(laila, ContestRecord::Ending::Exit, at);
    const qint64 other = record.startContest(QString(), QString(), at.addSecs(60));
    record.recordDraw(other, 1, 2, QStringLiteral("ص"), {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("x"), QStringLiteral("8")}, at);
    record.recordAnswer(other, 1, 3, 2, false, 500);
    record.startContest(QString(), QString(), at.addSecs(120));
}

// A tmpfs of 256 KiB mounted at path for one test (only root may) and
// unmounted after it, with what it holds.
struct SmallDisk {
    explicit SmallDisk(QString at) : path(std::move(at))
    {
        mounted = QDir().mkpath(path) && ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, "size=256k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }
    // Fills what is left with a file, until the system says the disk is full.
    bool fill() const
    {
        const int fd = ::open(QFile::encodeName(path + QStringLiteral("/filler")).constData(), O_WRONLY | O_CREAT, 0600);
        const QByteArray block(4096, 'x');
        while (fd >= 0 && ::write(fd, block.constData(), size_t(block.size())) > 0) {
        }
        const bool full = fd >= 0 && errno == ENOSPC;
        ::close(fd);
        return full;
    }
    QString path;
    bool mounted = false;
};

// app/ made again from a question file of Western numbers in Eastern digits,
// and whether the bank in folder has digits recorded and rows as its answers.
const auto kEasternApp = [](const QDir &d) {
    writeFile(d.filePath(QStringLiteral("e.csv")), kHeader + "ما ناتج 2.5 + 1 ؟,3.5,25%,2.5 %,x²\n");
    BankCreator::create(d.filePath(QStringLiteral("e.csv")), d.filePath(QStringLiteral("app")), true, NumberDigits::Set::Eastern);
};
auto digitsIn(const char *folder, const QString &digits, const QString &row)
{
    return [=](const QDir &d) {
        const QString path = d.filePath(QString::fromUtf8(folder));
        return QuestionBank::openBank(path).digitSet() == digits && rows(path).value(0).toString() == row;
    };
}

const QList<CommandCase> kCommandCases = {
    {"create --digits eastern: answers and the text in Eastern digits, recorded",
     writing("e.csv", kHeader + "ما ناتج 2.5 + 1 ؟,3.5,25%,2.5 %,x²\n"), {"create", "--from", "%D/e.csv", "--out", "%D/new", "--digits", "eastern"}, 0,
     {"wrote 1 question"}, [](const QDir &d) {
         return digitsIn("new", QStringLiteral("eastern"), QStringLiteral("1|0|٣٫٥|٢٥٪|٢٫٥ ٪|x^٢"))(d)
             && QuestionBank::openBank(d.filePath(QStringLiteral("new"))).questionText(1) == QStringLiteral("ما ناتج ٢٫٥ + ١ ؟");
     }},
    {"create --digits western over Eastern numbers", writing("e.csv", kHeader + "س,٣٫٥,١٠٪,٧,٨\n"),
     {"create", "--from", "%D/e.csv", "--out", "%D/new", "--digits", "western"}, 0, {"wrote 1 question"},
     digitsIn("new", QStringLiteral("western"), QStringLiteral("1|0|3.5|10%|7|8"))},
    // Made again without --digits, as the game does when the question file
    // changes: the digits it was made with are kept.
    {"create --force keeps the recorded digits", kEasternApp, {"create", "--from", "%D/e.csv", "--out", "%D/app", "--force"}, 0, {"wrote 1 question"},
     digitsIn("app", QStringLiteral("eastern"), QStringLiteral("1|0|٣٫٥|٢٥٪|٢٫٥ ٪|x^٢"))},
    {"create --digits typed goes back to the file's digits", kEasternApp, {"create", "--from", "%D/e.csv", "--out", "%D/app", "--force", "--digits", "typed"}, 0,
     {"wrote 1 question"}, digitsIn("app", QString(), QStringLiteral("1|0|3.5|25%|2.5 %|x²"))},
    {"settings shows the digits", kEasternApp, {"settings", "%D/app"}, 0, {"hold=false\ndigits=eastern\n"}, kAlways},
    {"settings of a bank as typed", kNothing, {"settings", "%D/app"}, 0, {"\ndigits=typed\n"}, kAlways},
    {"create --digits of an unknown set", kNothing, {"create", "--from", "%D/q.csv", "--out", "%D/new", "--digits", "roman"}, 2,
     {"--digits, when given, is western, eastern or typed"}, kNoOut},
    {"create --digits making two answers the same", writing("e.csv", kHeader + "س,3,٣,7,8\n"),
     {"create", "--from", "%D/e.csv", "--out", "%D/new", "--digits", "eastern"}, 1,
     {"e.csv, line 2: answers a1 and a2 are the same, \"٣\", once their numbers are written in eastern digits"}, kNoOut},
    {"results: the contests, then the questions hardest first", recordContests, {"results", "%D/app"}, 0,
     // Started in local time as the user's language writes it; the contest
     // without an answer left out.
     {"1. ليلى %1, ", ": 1 of 2 right, ended with the exit label\n  2. (no name), ",
      ": 0 of 1 right, not ended (the program was stopped)\nQuestions, hardest first:",
      "question 2: 0% right of 2 answers; wrong answer chosen most: x (2 times) (too few answers to tell its difficulty)\n"
      "  question 1: 100% right of 1 answer (too few"}, kBankIntact},
    {"results --csv: a row an answer", recordContests, {"results", "%D/app", "--csv", "%D/results.csv"}, 0, {"wrote 3 answers to"}, [](const QDir &d) {
         return readFile(d.filePath(QStringLiteral("results.csv")))
             == "\xEF\xBB\xBF" "contest,player,started,question,question_text,chosen,chosen_text,correct,seconds\r\n"
                "1,\"ليلى %1\",\"2026-12-08T09:00:00.000+01:00\",1,\"س\",a1,\"1\",1,1.3\r\n"
                "1,\"ليلى %1\",\"2026-12-08T09:00:00.000+01:00\",2,\"ص\",a3,\"x\",0,4.0\r\n"
                "2,\"\",\"2026-12-08T09:01:00.000+01:00\",2,\"ص\",a3,\"x\",0,0.5\r\n";
     }},
    {"settings: as designed on a bank of three", kNothing, {"settings", "%D/app"}, 0, {"length=25\norder=random\nnames=false"},
     [](const QDir &d) { return !QFileInfo::exists(d.filePath(QStringLiteral("app/contest.ini"))); }},
    {"settings: changed", kNothing, {"settings", "%D/app", "--length", "2", "--fixed", "--reveal"}, 0, {"length=2\norder=fixed\nnames=false\nreveal=true"},
     [](const QDir &d) { return readFile(d.filePath(QStringLiteral("app/contest.ini"))).startsWith("[General]\nlength=2\norder=fixed\n"); }},
    {"settings: longer than the bank", kNothing, {"settings", "%D/app", "--length", "4"}, 1, {"length must be a whole number from 1 to 3"},
     [](const QDir &d) { return !QFileInfo::exists(d.filePath(QStringLiteral("app/contest.ini"))); }},
    {"results --csv over a teacher's file", recordContests, {"results", "%D/app", "--csv", "%D/mine.csv"}, 1, {"--force"}, kMineIntact},
    // The bank made again in its own folder from a question file that names
    // a photo kept in that folder's img: the photo stays, or nothing is done.
    {"create --force in place keeps a photo it reads", photoIn("app/img/photo.jpg"), kCreateInPlace, 0, {"wrote 1 question to"},
     [](const QDir &d) { return photoKept("app/img/photo.jpg")(d) && QImage(d.filePath(QStringLiteral("app/img/1.jpg"))).size() == QSize(173, 130); }},
    {"create --force in place would write over a photo it reads", photoIn("app/img/1.jpg"), kCreateInPlace, 1, {"it would be lost"},
     [](const QDir &d) { return photoKept("app/img/1.jpg")(d) && kBankIntact(d); }},
    {"export over a teacher's file", kNothing, {"export", "%D/app", "--csv", "%D/mine.csv"}, 1, {"--force"}, kMineIntact},
    {"export --force through a link to the bank",
     [](const QDir &d) { QFile::link(d.filePath(QStringLiteral("app/db1.sqlite")), d.filePath(QStringLiteral("link.csv"))); },
     {"export", "%D/app", "--csv", "%D/link.csv", "--force"}, 1, {"over a file of the contest folder"}, kBankIntact},
    // A PDF goes where a question file may go, never over the bank.
    {"print --force over the bank", kNothing, {"print", "%D/app", "--pdf", "%D/app/db1.sqlite", "--force"}, 1, {"over a file of the contest folder"}, kBankIntact},
    {"results --pdf --force over the bank", kNothing, {"results", "%D/app", "--pdf", "%D/app/db1.sqlite", "--force"}, 1, {"over a file of the contest folder"},
     kBankIntact},
    // A link that leads nowhere yet still names a file of the folder.
    {"print through a link leading nowhere into the contest folder",
     [](const QDir &d) { QFile::link(d.filePath(QStringLiteral("app/contest.ini")), d.filePath(QStringLiteral("w.pdf"))); }, {"print", "%D/app", "--pdf", "%D/w.pdf"}, 1,
     {"over a file of the contest folder"}, [](const QDir &d) { return !QFileInfo(d.filePath(QStringLiteral("app/contest.ini"))).exists(); }},
    {"settings: a key that would drive the terminal", writing("app/contest.ini", "\x1b]0;x\x07=1\n"), {"settings", "%D/app"}, 1,
     {"\\x1b]0;x\\x07 must be one of length"}, kAlways},
    {"create: a column name that would drive the terminal", writing("p.csv", "question,a1,a2,a3,a4,\x1b[2J\n"), kCreate, 1, {"unknown column \"\\x1b[2J\""}, kNoOut},
    // Reading the results leaves an empty record as it is: the game writes
    // its tables, under its lock.
    {"results on a record still empty", writing("app/results.sqlite", ""), {"results", "%D/app"}, 0, {"Contests:\nQuestions, hardest first:\n"},
     [](const QDir &d) { return QFileInfo(d.filePath(QStringLiteral("app/results.sqlite"))).size() == 0; }},
    {"print over a teacher's file", kNothing, {"print", "%D/app", "--pdf", "%D/mine.csv"}, 1, {"--force"}, kMineIntact},
    {"export --force over a picture", kNothing, {"export", "%D/app", "--csv", "%D/app/img/1.jpg", "--force"}, 1,
     {"over a file of the contest folder"}, kBankIntact},
    {"export --force over a teacher's file, with a byte-order mark", kNothing, {"export", "%D/app", "--csv", "%D/mine.csv", "--force"}, 0,
     {"wrote 3 questions", "every column as Text"},
     [](const QDir &d) { return !kMineIntact(d) && readFile(d.filePath(QStringLiteral("mine.csv"))).startsWith("\xEF\xBB\xBF" "question"); }},
    // Notation that could not be read is drawn as typed, and named first
    // with its place, by create, and by check.
    {"create names notation it cannot read", writing("p.csv", "question,a1,a2,a3,a4\nما قيمة x^ + 1 ؟,2,(3,4,5\n"), kCreate, 0,
     {"line 2, the question: ^ at character 10 has no exponent after it: it is shown as typed", "line 2, answer a2: the bracket ( at character 1 is never closed"},
     [](const QDir &d) { return tool({"check", "%D/new"}, d.path()).out.contains(QStringLiteral("question 1, answer a2: the bracket ( at character 1 is never closed")); }},
    {"a phone photo, scaled to fit", writing("photo.jpg", jpeg({4000, 3000})), kCreate, 0, {"wrote 1 question to"},
     [](const QDir &d) { return QImage(d.filePath(QStringLiteral("new/img/1.jpg"))).size() == QSize(173, 130); }},
    // Pictures as screenshots and geometry programs save them, whatever
    // their name says: made the JPEG the game loads, transparent areas white.
    {"a PNG named .jpg, with transparent areas", writing("photo.jpg", picture("PNG", {900, 300})), kCreate, 0, {"wrote 1 question to"}, madeJpeg({390, 130})},
    {"a GIF", [](const QDir &d) { writeFile(d.filePath(QStringLiteral("photo.jpg")), readFile(qEnvironmentVariable("MC_SOURCE_DIR") + QStringLiteral("/tests/tools/fixtures/figure.gif"))); },
     kCreate, 0, {"wrote 1 question to"}, madeJpeg({200, 100})},
    {"a BMP", writing("photo.jpg", picture("BMP", {200, 100})), kCreate, 0, {"wrote 1 question to"}, madeJpeg({200, 100}, false)},
    {"a WebP", writing("photo.jpg", picture("WEBP", {200, 100})), kCreate, 0, {"wrote 1 question to"}, madeJpeg({200, 100})},
    {"not a picture at all", writing("photo.jpg", "GIF89a, or so it says"), kCreate, 1, {":2: picture \"photo.jpg\": A picture file is not a picture the bank tool reads"}, kNoOut},
    // A text and a figure: both in the one picture, the figure left of the
    // text on at least half of the box, its transparent ground the box's
    // colour, and the figure kept for export.
    {"a question with a text and a figure",
     [](const QDir &d) {
         writeFile(d.filePath(QStringLiteral("p.csv")), "question,a1,a2,a3,a4,picture\nفي الشكل المجاور، أوجد قياس الزاوية س,60,30,90,120,photo.jpg\n");
         writeFile(d.filePath(QStringLiteral("photo.jpg")), picture("PNG", {400, 100}));
     },
     kCreate, 0, {"wrote 1 question to"}, [](const QDir &d) {
         const QImage made(d.filePath(QStringLiteral("new/img/1.jpg")));
         // The figure's blue on the left half only; the text's ink on the right.
         auto blueIn = [&](int from, int to) {
             for (int y = 0; y < made.height(); ++y)
                 for (int x = from; x < to; ++x)
                     if (qBlue(made.pixel(x, y)) > 150 && qRed(made.pixel(x, y)) < 80)
                         return true;
             return false;
         };
         return made.size() == QSize(900, 260) && blueIn(430, 540) && !blueIn(560, 900) && onBox(made.pixel(400, 20))
             && QFileInfo::exists(d.filePath(QStringLiteral("new/img/figure-1.png")));
     }},
    {"a picture claiming 65000 x 65000", writing("photo.jpg", lyingJpeg(65000, 65000)), kCreate, 1,
     {":2: picture \"photo.jpg\": A JPEG picture claims to be 65000 x 65000"}, kNoOut},
    // A small picture whose header claims far more: the decoder warns of
    // data it had to make up, and the picture is refused.
    {"a damaged picture claiming 24000 x 24000", writing("photo.jpg", lyingJpeg(24000, 24000)), kCreate, 1,
     {":2: picture \"photo.jpg\": A JPEG picture could not be decoded; the file is damaged"}, kNoOut},
    {"check: a damaged picture claiming 1000 x 1000", writing("app/img/2.jpg", lyingJpeg(1000, 1000)), {"check", "%D/app"}, 1,
     {"img/2.jpg (the picture of question 2): A JPEG picture could not be decoded"}, kBankIntact},
    {"a picture the game cannot show", writing("app/img/2.jpg", jpeg({600, 500})), {"check", "%D/app"}, 1,
     {"too large for the game to show: 600 x 500 pixels"}, kBankIntact, {"QT_IMAGEIO_MAXALLOC=1"}},
    {"a FIFO picture", fifo("photo.jpg"), kCreate, 1, {"is not a regular file"}, kNoOut},
    {"a FIFO question file", fifo("p.csv"), kCreate, 1, {"The question file is not a regular file"}, kNoOut},
    {"a FIFO bank", fifo("app/db1.sqlite"), {"reset", "%D/app"}, 1, {"The question bank file is not a regular file"}, kAlways},
    {"a failed create leaves no folder", kNothing, {"create", "--from", "%D/p.csv", "--out", "%D/new/sub"}, 1,
     {"p.csv:2: picture \"photo.jpg\": A picture file is missing"}, kNoOut},
    {"check of a missing folder", kNothing, {"check", "%D/none"}, 1, {"none: the folder does not exist\nnot ready: 1 problem in"}, kAlways},
    {"--out names a file", kNothing, {"create", "--from", "%D/p.csv", "--out", "%D/mine.csv"}, 1, {"is a file, not a folder"}, kMineIntact},
    {"a folder path too long for the engine", [](const QDir &d) { d.mkpath(QStringLiteral("%1/%1/%1").arg(QString(200, u'x'))); },
     {"reset", "%D/" + QStringLiteral("%1/%1/%1").arg(QString(200, u'x'))}, 1, {"too long for the database engine"}, kAlways},
    {"a question too long for any picture", writing("p.csv", kHeader + "\"" + QByteArray("سؤال طويل جدا ").repeated(600) + "\",1,2,3,4\n"), kCreate, 1,
     {"p.csv:2: the picture of question 1 could not be made: the question is too long for the question picture"}, kNoOut},
    {"create over a bank without --force", kNothing, {"create", "--from", "%D/q.csv", "--out", "%D/app"}, 1, {"--force"}, kBankIntact},
    {"create --force replaces it whole", writing("q.csv", kHeader + "س,1,2,3,4\nص,5,6,7,8\n"), {"create", "--from", "%D/q.csv", "--out", "%D/app", "--force"}, 0,
     {"wrote 2 questions"}, [](const QDir &d) { return rows(d.filePath(QStringLiteral("app"))).size() == 2
                                && QDir(d.filePath(QStringLiteral("app"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) == QStringList{"db1.sqlite", "img"}; }},
    {"reset clears every mark", [](const QDir &d) { sql(d, QStringLiteral("update soaal set YN=1 where ID>1")); }, {"reset", "%D/app"}, 0,
     {"cleared 2 used marks of 3 questions"}, [](const QDir &d) { return QuestionBank::openBank(d.filePath(QStringLiteral("app"))).countUsedQuestions() == 0; }},
    {"check: ready, but short, a picture larger than its box", writing("app/img/2.jpg", jpeg({600, 500})), {"check", "%D/app"}, 0,
     {"warning: the bank holds 3 questions, fewer than the 25", "warning: img/2.jpg is 600 x 500 pixels, larger than the question box", "ready: 3 questions"}, kBankIntact},
    {"check: no bank", [](const QDir &d) { QFile::remove(d.filePath(QStringLiteral("app/db1.sqlite"))); }, {"check", "%D/app"}, 1,
     {"problem: %D/app/db1.sqlite: The question bank file is missing."}, kAlways},
    {"check: pictures", [](const QDir &d) {
         QFile::remove(d.filePath(QStringLiteral("app/img/2.jpg")));
         writeFile(d.filePath(QStringLiteral("app/img/bak.jpg")), "not a picture");
         // Cameras and editors may write more after the end of the picture.
         writeFile(d.filePath(QStringLiteral("app/img/1.jpg")), readFile(d.filePath(QStringLiteral("app/img/1.jpg"))) + QByteArray(200, '\0'));
         fifo("app/img/soal.jpg")(d);
         const QByteArray three = readFile(d.filePath(QStringLiteral("app/img/3.jpg")));
         writeFile(d.filePath(QStringLiteral("app/img/3.jpg")), three.left(three.size() / 2)); },
     {"check", "%D/app"}, 1, {"img/2.jpg (the picture of question 2): A picture file is missing.", "img/bak.jpg (the quiz window's background): A picture file is not a JPEG picture.",
                              "img/3.jpg (the picture of question 3): A JPEG picture is cut short",
                              "img/soal.jpg (the question placeholder picture): A picture file is not a regular file", "not ready: 4 problems in"}, kAlways},
    {"check: answers", [](const QDir &d) {
         sql(d, QStringLiteral("update soaal set a3=NULL where ID=1"));
         sql(d, QStringLiteral("update soaal set a4='7' where ID=2"));
         sql(d, QStringLiteral("update soaal set a2=char(8203, 8238) where ID=3")); },
     {"check", "%D/app"}, 1, {"problem: question 1: answer a3 is empty", "problem: question 2: answer a4 \"7\" is the same as an earlier answer",
                              "problem: question 3: answer a2 is empty", "not ready: 3 problems in"}, kAlways},
    // Answers that would set the terminal's title and clear it, and turn
    // the line around, come out as escapes.
    {"check: answers that would drive the terminal",
     [](const QDir &d) { sql(d, QStringLiteral("update soaal set a3=char(27)||']0;x'||char(7)||char(8238), a4=char(27)||']0;x'||char(7)||char(8238) where ID=1")); }, {"check", "%D/app"}, 1,
     {"answer a4 \"\\x1b]0;x\\x07\\u202e\" is the same as an earlier answer"}, kAlways},
    {"check: a trigger that swallows the marks",
     [](const QDir &d) { sql(d, QStringLiteral("create trigger keep before update on soaal begin select raise(ignore); end")); }, {"check", "%D/app"}, 1,
     {"Trigger keep of table soaal can undo what the game writes", "not ready: 1 problem in"}, kAlways},
    // The numbering fault, and what can still be checked: question 4's picture.
    {"check: numbering, and on", [](const QDir &d) { sql(d, QStringLiteral("update soaal set ID=4 where ID=2")); }, {"check", "%D/app"}, 1,
     {"Question number 2 is missing", "img/4.jpg (the picture of question 4): A picture file is missing."}, kAlways},
    {"a command's help", kNothing, {"create", "--help"}, 0, {"create --from FILE.csv"}, kAlways},
    {"no command", kNothing, {}, 2, {"no command given"}, kAlways},
    {"no --out", kNothing, {"create", "--from", "x.csv"}, 2, {"needs --from FILE.csv and --out DIR"}, kAlways},
    {"an option a command does not take", kNothing, {"reset", "--force", "/tmp"}, 2, {"reset: unknown option '--force'"}, kAlways},
};

} // namespace

class TestBankTool : public QObject {
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

    void createExportAndCreateAgainGiveTheSameBank_data()
    {
        addColumns<QString>("format");
        QTest::newRow("CSV") << "csv";
        QTest::newRow("Excel workbook") << "xlsx";
    }
    void createExportAndCreateAgainGiveTheSameBank()
    {
        auto [format] = fetchRow<QString>("format");
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("circle.jpg")), jpeg({300, 100}, Qt::green));
        writeFile(dir.filePath(QStringLiteral("q.csv")), "\xEF\xBB\xBFquestion,a1,a2,a3,a4,picture\r\n"
                                                         "ما ناتج 3/4 + 1/8 ؟,7/8,\" 4 \",\"قيمة، مع فاصلة\",\"قال \"\"نعم\"\"\",\r\n"
                                                         "\"سطر\nثان\",\"3,14\",٣/٤,0.75,\"a\tb\",circle.jpg\r\n"
                                                         ",1,2,3,4,circle.jpg\r\n");
        QCOMPARE(tool({"create", "--from", "%D/q.csv", "--out", "%D/first"}, dir.path()).status, 0);
        const QString first = dir.filePath(QStringLiteral("first"));
        QCOMPARE(rows(first), (QList<QVariant>{"1|0|7/8| 4 |قيمة، مع فاصلة|قال \"نعم\"", "2|0|3,14|٣/٤|0.75|a\tb", "3|0|1|2|3|4"}));
        // A given picture alone is copied as it is; the contest is ready to
        // play, with no staging leftovers.
        QCOMPARE(readFile(first + QStringLiteral("/img/3.jpg")), readFile(dir.filePath(QStringLiteral("circle.jpg"))));
        QVERIFY(tool({"check", first}).out.contains(QStringLiteral("ready: 3 questions")));
        QCOMPARE(QDir(first).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), (QStringList{"db1.sqlite", "img"}));

        // The export names only the pictures that were given, copied beside
        // it: the file and its folder are the whole bank, to make anywhere.
        QDir(dir.path()).mkdir(QStringLiteral("sheets"));
        const QString exported = QStringLiteral("%D/sheets/export.") + format;
        QCOMPARE(tool({"export", "%D/first", "--" + format, exported}, dir.path()).status, 0);
        const std::vector<QuestionFile::Question> back = QuestionFile::read(dir.filePath(QStringLiteral("sheets/export.") + format));
        QCOMPARE(back.size(), size_t(3));
        QCOMPARE(back[0].picture, QString());
        QCOMPARE(back[1].picture, QStringLiteral("export-pictures/2.png"));
        QCOMPARE(back[2].picture, QStringLiteral("export-pictures/3.jpg"));
        QVERIFY(QDir(dir.path()).rename(QStringLiteral("sheets"), QStringLiteral("elsewhere")));
        QCOMPARE(tool({"create", "--from", "%D/elsewhere/export." + format, "--out", "%D/second"}, dir.path()).status, 0);
        const QString second = dir.filePath(QStringLiteral("second"));
        QCOMPARE(rows(second), rows(first));
        QCOMPARE(QuestionBank::openBank(second).questionTexts(),
                 (std::map<qint64, QString>{{1, QStringLiteral("ما ناتج 3/4 + 1/8 ؟")}, {2, QStringLiteral("سطر\nثان")}}));
        for (const QString name : {"/img/1.jpg", "/img/2.jpg", "/img/3.jpg", "/img/figure-2.png"})
            QCOMPARE(readFile(second + name), readFile(first + name));

        // A question corrected in the exported file is rendered anew.
        if (format == QLatin1String("csv")) {
            const QString path = dir.filePath(QStringLiteral("elsewhere/export.csv"));
            writeFile(path, readFile(path).replace("3/4 + 1/8", "3/4 + 3/8").replace("\"7/8\"", "\"9/8\""));
            QCOMPARE(tool({"create", "--from", "%D/elsewhere/export.csv", "--out", "%D/second", "--force"}, dir.path()).status, 0);
            QVERIFY(readFile(second + QStringLiteral("/img/1.jpg")) != readFile(first + QStringLiteral("/img/1.jpg")));
            QCOMPARE(QImage(second + QStringLiteral("/img/1.jpg")), QImage::fromData(renderedJpeg(QStringLiteral("ما ناتج 3/4 + 3/8 ؟"))));
            QCOMPARE(readFile(second + QStringLiteral("/img/3.jpg")), readFile(first + QStringLiteral("/img/3.jpg")));
        }
    }

    // What is a number and what is not, both ways.
    void numbersTakeOneDigitSet_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("western");
        QTest::addColumn<QString>("eastern");
        auto row = [](const char *name, const char *text, const char *western, const char *eastern) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(western) << QString::fromUtf8(eastern);
        };
        row("whole numbers and operators", "12 + 7 = ?", "12 + 7 = ?", "١٢ + ٧ = ?");
        row("Eastern to Western", "٨ - ٤ = ؟", "8 - 4 = ؟", "٨ - ٤ = ؟");
        row("Persian digits", "۴ + ۵", "4 + 5", "٤ + ٥");
        row("decimal separator", "3.14 × 2", "3.14 × 2", "٣٫١٤ × ٢");
        row("Eastern decimal separator", "٣٫١٤", "3.14", "٣٫١٤");
        row("leading separator", "x = .5", "x = .5", "x = ٫٥");
        row("full stop after a number", "The answer is 7.", "The answer is 7.", "The answer is ٧.");
        row("two separators are no number's", "1.2.3", "1.2.3", "١.٢.٣");
        row("per cent", "25% of 80", "25% of 80", "٢٥٪ of ٨٠");
        row("per cent after a blank", "٢٥ ٪", "25 %", "٢٥ ٪");
        row("a lone per cent sign", "% sign", "% sign", "% sign");
        row("a word's digits", "A4 paper, CO2, H2O", "A4 paper, CO2, H2O", "A4 paper, CO2, H2O");
        row("an Arabic word's digits", "سؤال٣", "سؤال٣", "سؤال٣");
        row("a coefficient before a letter", "2x + 3س", "2x + 3س", "٢x + ٣س");
        row("a letter between numbers", "3x2 = ?", "3x2 = ?", "٣x٢ = ?");
        row("a file name's digits", "see 2.png or fig-3.jpg", "see 2.png or fig-3.jpg", "see 2.png or fig-3.jpg");
        row("fractions, powers, roots", "3/4 + 2^(n + 1) - sqrt(16)", "3/4 + 2^(n + 1) - sqrt(16)", "٣/٤ + ٢^(n + ١) - sqrt(١٦)");
        row("subscript", "x_1 + x_2", "x_1 + x_2", "x_١ + x_٢");
        row("superscript digits", "x² + y¹⁰", "x² + y¹⁰", "x^٢ + y^١٠");
        row("vulgar fractions", "2½ and ¾", "2½ and ¾", "٢ ١/٢ and ٣/٤");
        row("a number at the end and alone", "7", "7", "٧");
    }
    void numbersTakeOneDigitSet()
    {
        QFETCH(QString, text);
        QFETCH(QString, western);
        QFETCH(QString, eastern);
        QCOMPARE(NumberDigits::convert(text, NumberDigits::Set::Western), western);
        QCOMPARE(NumberDigits::convert(text, NumberDigits::Set::Eastern), eastern);
        QCOMPARE(NumberDigits::convert(text, NumberDigits::Set::AsTyped), text);
        // Converting again changes nothing.
        QCOMPARE(NumberDigits::convert(eastern, NumberDigits::Set::Eastern), eastern);
    }

    void commandsDoWhatTheySay_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < kCommandCases.size(); ++i)
            QTest::newRow(kCommandCases[i].name) << i;
    }
    void commandsDoWhatTheySay()
    {
        QFETCH(int, index);
        const CommandCase &row = kCommandCases[index];
        QTemporaryDir work;
        const QDir dir(work.path());
        writeFile(dir.filePath(QStringLiteral("q.csv")), kHeader + "س,1,2,3,4\nص,5,6,7,8\nع,9,10,11,12\n");
        writeFile(dir.filePath(QStringLiteral("mine.csv")), "my own questions");
        writeFile(dir.filePath(QStringLiteral("p.csv")), "question,a1,a2,a3,a4,picture\n,1,2,3,4,photo.jpg\n");
        QCOMPARE(tool({"create", "--from", "%D/q.csv", "--out", "%D/app"}, work.path()).status, 0);
        row.prepare(dir);
        const Run run = tool(row.arguments, work.path(), row.env);
        QVERIFY2(run.status == row.status, qPrintable(run.out));
        for (QString fragment : row.message)
            QVERIFY2(run.out.contains(fragment.replace(QStringLiteral("%D"), work.path())), qPrintable(run.out));
        QVERIFY(row.after(dir));
    }

    void aFullDiskKeepsTheOldFile_data()
    {
        // The command (%D: the work folder, whose full/ is a small disk
        // filled up) and the file it replaces there.
        addColumns<QStringList, QString>("arguments", "file");
        QTest::newRow("export --csv") << QStringList{"export", "%D/app", "--csv", "%D/full/old", "--force"} << "old";
        QTest::newRow("export --xlsx") << QStringList{"export", "%D/app", "--xlsx", "%D/full/old", "--force"} << "old";
        QTest::newRow("results --csv") << QStringList{"results", "%D/app", "--csv", "%D/full/old", "--force"} << "old";
        QTest::newRow("results --pdf") << QStringList{"results", "%D/app", "--pdf", "%D/full/old", "--force"} << "old";
        QTest::newRow("print --pdf") << QStringList{"print", "%D/app", "--pdf", "%D/full/old", "--force"} << "old";
        QTest::newRow("settings --length") << QStringList{"settings", "%D/full/app", "--length", "2"} << "app/contest.ini";
    }
    void aFullDiskKeepsTheOldFile()
    {
        auto [arguments, file] = fetchRow<QStringList, QString>("arguments", "file");
        QTemporaryDir work;
        const QDir dir(work.path());
        writeFile(dir.filePath(QStringLiteral("q.csv")), kHeader + "س,1,2,3,4\nص,5,6,7,8\nع,9,10,11,12\n");
        QCOMPARE(tool({"create", "--from", "%D/q.csv", "--out", "%D/app"}, work.path()).status, 0);
        recordContests(dir);
        const SmallDisk disk(dir.filePath(QStringLiteral("full")));
        if (!disk.mounted)
            QSKIP("a small tmpfs cannot be mounted here (it takes root): nothing to fill up");
        QVERIFY(dir.mkpath(QStringLiteral("full/app")));
        QVERIFY(QFile::copy(dir.filePath(QStringLiteral("app/db1.sqlite")), dir.filePath(QStringLiteral("full/app/db1.sqlite"))));
        const QByteArray old = "[General]\nlength=3\n";
        writeFile(dir.filePath(QStringLiteral("full/") + file), old);
        QVERIFY(disk.fill());
        const Run run = tool(arguments, work.path());
        QVERIFY2(run.status == 1 && run.out.contains(QStringLiteral("the disk is not full")), qPrintable(run.out));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("full/") + file)), old);
    }

    void countsTakeTheirPluralForms_data()
    {
        // Arabic has a form for one, two, three to ten, eleven to 99 and a
        // hundred; English one for one and one for the rest.
        addColumns<QString, int, QString>("language", "questions", "expected");
        QTest::newRow("English, one") << "en_GB" << 1 << "ready: 1 question in";
        QTest::newRow("English, three") << "en_GB" << 3 << "the bank holds 3 questions, fewer";
        QTest::newRow("Arabic, one") << "ar_EG" << 1 << "جاهز: سؤال واحد في";
        QTest::newRow("Arabic, two") << "ar_EG" << 2 << "في البنك سؤالان، وهذا أقل";
        QTest::newRow("Arabic, three to ten") << "ar_EG" << 3 << "جاهز: 3 أسئلة في";
        QTest::newRow("Arabic, eleven to 99") << "ar_EG" << 11 << "جاهز: 11 سؤالاً في";
        QTest::newRow("Arabic, a hundred") << "ar_EG" << 100 << "جاهز: 100 سؤال في";
    }
    void countsTakeTheirPluralForms()
    {
        auto [language, questions, expected] = fetchRow<QString, int, QString>("language", "questions", "expected");
        TestFolder folder;
        folder.writeBank(questions);
        folder.writePictures(questions);
        const Run run = tool({"check", folder.path()}, {}, {QStringLiteral("LC_ALL=%1.UTF-8").arg(language), QStringLiteral("LANGUAGE=")});
        QVERIFY2(run.out.contains(expected), qPrintable(run.out));
    }

    void everyMessageHasItsArabicTranslation()
    {
        // The translation file, brought up to date with the sources as
        // scripts/update-translations does: no message may be left without
        // its Arabic, nor lose a %1 on the way.
        const QString source = qEnvironmentVariable("MC_SOURCE_DIR");
        QTemporaryDir dir;
        const QString ts = dir.filePath(QStringLiteral("ar.ts"));
        QVERIFY(QFile::copy(source + QStringLiteral("/translations/mathcontest_ar.ts"), ts));
        QStringList arguments;
        for (const QString folder : {"/src", "/tools"}) {
            for (QDirIterator it(source + folder, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
                arguments << it.next();
        }
        // The teacher's window speaks the user's language; the game's designs
        // are Arabic as they are.
        arguments << source + QStringLiteral("/src/designs/teacher.ui");
        arguments << QStringLiteral("-ts") << ts << QStringLiteral("-no-obsolete") << QStringLiteral("-locations") << QStringLiteral("none") << QStringLiteral("-silent");
        QCOMPARE(QProcess::execute(QStringLiteral("/usr/lib/qt6/bin/lupdate"), arguments), 0);
        const QString text = QString::fromUtf8(readFile(ts));
        auto placeholders = [](const QString &message) {
            QStringList found;
            for (auto it = QRegularExpression(QStringLiteral("%\\d")).globalMatch(message); it.hasNext();)
                found << it.next().captured();
            found.sort();
            found.removeDuplicates();
            return found;
        };
        // A message still to translate has a translation element with a type.
        const QRegularExpression message(QStringLiteral("<source>(.*?)</source>\\s*<translation>(.+?)</translation>"), QRegularExpression::DotMatchesEverythingOption);
        int messages = 0;
        for (auto it = message.globalMatch(text); it.hasNext(); ++messages) {
            const QRegularExpressionMatch m = it.next();
            QVERIFY2(placeholders(m.captured(1)) == placeholders(m.captured(2)), qPrintable(m.captured(1)));
        }
        QCOMPARE(messages, text.count(QStringLiteral("<source>")));
        QVERIFY(messages > 100);
        // The English plural forms are all written.
        QVERIFY(!readFile(source + QStringLiteral("/translations/mathcontest_en.ts")).contains("unfinished"));
        // And an Arabic locale shows them, and the advice many messages share.
        writeFile(dir.filePath(QStringLiteral("db1.sqlite")), "not a bank");
        const QStringList arabic{QStringLiteral("LC_ALL=ar_EG.UTF-8")};
        QVERIFY(tool({"check", "%D/none"}, dir.path(), arabic).out.contains(QStringLiteral("المجلد غير موجود")));
        QVERIFY(tool({"reset", "%D"}, dir.path(), arabic).out.contains(QStringLiteral("افحص بنك الأسئلة")));
    }
};

MC_TEST_MAIN(TestBankTool)
#include "tst_banktool.moc"
