#include "bankcreator.h"
#include "contestrecord.h"
#include "questionfile.h"
#include "questionbank.h"
#include "questionpicture.h"
#include "testfolder.h"
#include "testhelpers.h"
#include "testmain.h"

#include <QBuffer>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
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
    {"a command's help", kNothing, {"create", "--help"}, 0, {"Usage: mathcontest-bank create --from FILE --out DIR [--digits SET] [--force]"}, kAlways},
    {"no command", kNothing, {}, 2, {"no command given"}, kAlways},
    {"no --out", kNothing, {"create", "--from", "x.csv"}, 2, {"needs --from FILE.csv and --out DIR"}, kAlways},
    {"an option a command does not take", kNothing, {"reset", "--force", "/tmp"}, 2, {"reset: unknown option '--force'"}, kAlways},
};

} // namespace

class TestBankTool : public QObject {
    Q_OBJECT
private slots:
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
