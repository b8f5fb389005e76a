#include "answerbutton.h"
#include "application.h"
#include "countertext.h"
#include "failure.h"
#include "failurereport.h"
#include "messagebox.h"
#include "picture.h"
#include "picturebox.h"
#include "contestfolder.h"
#include "programlock.h"
#include "random.h"
#include "testhelpers.h"
#include "testmain.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QSet>
#include <QTemporaryDir>

#include <cmath>

namespace {

QByteArray validJpeg()
{
    return jpeg({64, 48}, Qt::blue);
}

// An object whose handler fails, to see the failure pass through the
// application's one catching place.
class FailingObject : public QObject {
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw Failure(QStringLiteral("Test step failed."), QStringLiteral("/some/file.jpg"), QStringLiteral("Do this."));
        return QObject::event(event);
    }
};

} // namespace

class TestRuntime : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        MessageBox::clearHistory();
        Random::clearQueuedValues();
        Random::setClock({});
    }

    void counterReadsLeadingNumber_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("not a number") << "abc" << 0.0;
        QTest::newRow("leading blank") << "  12" << 12.0;
        QTest::newRow("trailing text") << "12abc" << 12.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("decimal") << "2.5x" << 2.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("bare exponent sign") << "4e" << 4.0;
        QTest::newRow("arabic digits are not read") << "٣" << 0.0;
    }
    void counterReadsLeadingNumber()
    {
        QFETCH(QString, caption);
        QFETCH(double, value);
        QCOMPARE(CounterText::toNumber(caption), value);
    }

    void counterIncrements_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("next");
        QTest::newRow("nine to ten") << "9" << "10";
        QTest::newRow("empty reads as zero") << "" << "1";
        QTest::newRow("blank before") << " 3" << "4";
        QTest::newRow("large stays whole") << "123456789" << "123456790";
    }
    void counterIncrements()
    {
        QFETCH(QString, caption);
        QFETCH(QString, next);
        QCOMPARE(CounterText::increment(caption), next);
    }

    void counterOverflowIsAFailure()
    {
        QVERIFY_THROWS_EXCEPTION(Failure, CounterText::increment(QStringLiteral("1e999")));
    }

    void randomValuesStayBelowOne()
    {
        int counts[4] = {0, 0, 0, 0};
        const int draws = 40000;
        for (int i = 0; i < draws; ++i) {
            Random::reseedFromClock();
            const float r = Random::next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            ++counts[static_cast<int>(std::floor(4.0f * r))];
        }
        // Each arrangement about a quarter of the time.
        for (int k = 0; k < 4; ++k)
            QVERIFY2(counts[k] > draws * 22 / 100 && counts[k] < draws * 28 / 100, qPrintable(QString::number(counts[k])));
    }

    void reseedAtAnEqualClockReadingDoesNotReplay()
    {
        Random::setClock([] { return std::int64_t{1234567890}; });
        QSet<float> seen;
        for (int i = 0; i < 1000; ++i) {
            Random::reseedFromClock();
            seen.insert(Random::next());
        }
        QVERIFY2(seen.size() > 990, qPrintable(QString::number(seen.size())));
    }

    void pictureFailuresNameThePath_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("create");
        QTest::addColumn<QString>("fault");
        QTest::newRow("missing") << QByteArray() << false << "missing";
        QTest::newRow("empty file") << QByteArray() << true << "not a JPEG";
        QTest::newRow("text file") << QByteArray("hello") << true << "not a JPEG";
        QTest::newRow("png file") << QByteArray("\x89PNG\r\n\x1a\n0000") << true << "not a JPEG";
        QTest::newRow("damaged jpeg") << QByteArray("\xFF\xD8\xFF\xE0garbage-garbage\xFF\xD9") << true << "damaged";
        QTest::newRow("truncated jpeg") << validJpeg().left(validJpeg().size() / 2) << true << "cut short";
        QTest::newRow("cut just before its end") << validJpeg().chopped(2) << true << "cut short";
        QTest::newRow("claims 65000 x 65000") << lyingJpeg(65000, 65000) << true << "too large for the game to show: 65000 x 65000";
        QTest::newRow("a folder in its place") << QByteArray("folder") << false << "not a regular file";
        QTest::newRow("whole") << validJpeg() << true << "";
        QTest::newRow("data after its end") << validJpeg() + QByteArray(200, '\0') << true << "";
    }
    void pictureFailuresNameThePath()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, create);
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("7.jpg"));
        if (create)
            writeFile(path, content);
        if (content == "folder")
            QDir().mkpath(path);
        if (fault.isEmpty()) {
            QCOMPARE(Picture::verify(path), QSize(64, 48));
            QCOMPARE(Picture::load(path).size(), QSize(64, 48));
            return;
        }
        // Loading and the check find the same fault.
        for (const auto &step : {std::function<void()>([&] { Picture::load(path, QStringLiteral("the picture of question 7")); }),
                                 std::function<void()>([&] { Picture::verify(path, QStringLiteral("the picture of question 7")); })}) {
            try {
                step();
                QFAIL("no failure");
            } catch (const Failure &failure) {
                QVERIFY2(failure.whatFailed().contains(fault), qPrintable(failure.message()));
                QVERIFY(failure.where().contains(path));
                QVERIFY(failure.where().contains(QStringLiteral("question 7")));
                QVERIFY(!failure.whatToDo().isEmpty());
            }
        }
    }

    void contestFolderIsChosenOnceAtStart_data()
    {
        // Paths relative to a work folder that holds program/ (with
        // programHolds, if any), data/, and contests/ with a folder with
        // blanks and Arabic letters, a link to it and a few files.
        QTest::addColumn<QString>("programHolds");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("folder");
        using S = ContestFolder::Source;
        const QString arabic = QStringLiteral("contests/الصف الأول");
        QTest::newRow("own folder with a bank") << "db1.sqlite" << "" << int(S::ProgramFolder) << "program";
        QTest::newRow("own folder with an Access bank") << "db1.mdb" << "" << int(S::ProgramFolder) << "program";
        QTest::newRow("installed: the player's own") << "" << "" << int(S::PerUser) << "data/contest";
        QTest::newRow("a folder") << "db1.sqlite" << arabic << int(S::Folder) << arabic;
        QTest::newRow("a link to a folder") << "" << "contests/link" << int(S::Folder) << arabic;
        QTest::newRow("its bank") << "" << arabic + "/db1.sqlite" << int(S::BankFile) << arabic;
        QTest::newRow("an Access bank") << "" << "contests/old bank.MDB" << int(S::AccessFile) << "contests";
        QTest::newRow("a question file") << "" << "contests/my questions.csv" << int(S::QuestionFile) << "data/csv/my questions";
        QTest::newRow("missing") << "" << "contests/none" << -1 << "was not found";
        QTest::newRow("another file") << "" << "contests/notes.txt" << -1 << "cannot start on this file";
        QTest::newRow("a bank of another name") << "" << "contests/other.sqlite" << -1 << "cannot start on this file";
    }
    void contestFolderIsChosenOnceAtStart()
    {
        QFETCH(QString, programHolds);
        QFETCH(QString, argument);
        QFETCH(int, source);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        const QDir work(dir.path());
        work.mkpath(QStringLiteral("program"));
        work.mkpath(QStringLiteral("contests/الصف الأول"));
        for (const QString &file : {QStringLiteral("contests/الصف الأول/db1.sqlite"), QStringLiteral("contests/old bank.MDB"),
                                    QStringLiteral("contests/my questions.csv"), QStringLiteral("contests/notes.txt"),
                                    QStringLiteral("contests/other.sqlite"), QStringLiteral("program/") + programHolds})
            QFile(work.filePath(file)).open(QIODevice::WriteOnly);
        QFile::link(work.filePath(QStringLiteral("contests/الصف الأول")), work.filePath(QStringLiteral("contests/link")));
        const auto choose = [&] {
            return ContestFolder::choose(argument.isEmpty() ? QString() : work.filePath(argument), work.filePath(QStringLiteral("program")),
                                         work.filePath(QStringLiteral("data")));
        };
        if (source < 0) {
            QVERIFY2(failureOf([&] { choose(); }).contains(folder), qPrintable(failureOf([&] { choose(); })));
            return;
        }
        const ContestFolder::Choice choice = choose();
        QCOMPARE(int(choice.source), source);
        QCOMPARE(choice.folder, QFileInfo(work.filePath(folder)).absoluteFilePath());
    }

    void secondCopyIsRefusedAndStaleLockTakenOver()
    {
        QTemporaryDir dir;
        {
            ProgramLock first(dir.path());
            QVERIFY_THROWS_EXCEPTION(Failure, ProgramLock second(dir.path()));
        }
        // A lock left by a process that is gone.
        QFile stale(dir.filePath(QString::fromLatin1(ProgramLock::kLockFileName)));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("2147483000\nmathcontest\n\n");
        stale.close();
        ProgramLock taken(dir.path());
        QVERIFY(QFile::exists(stale.fileName()));
    }

    void failureInAHandlerIsReportedAndEndsWithStatusOne()
    {
        int status = -1;
        Application::setEndProgramHook([&](int s) { status = s; });
        FailingObject object;
        QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
        Application::setEndProgramHook({});
        QCOMPARE(status, FailureReport::kExitStatus);
        QCOMPARE(MessageBox::history().size(), 1);
        const MessageBox::Shown shown = MessageBox::history().first();
        QCOMPARE(shown.icon, MessageBox::Icon::Critical);
        QVERIFY(shown.prompt.contains(QStringLiteral("Test step failed.")));
        QVERIFY(shown.prompt.contains(QStringLiteral("/some/file.jpg")));
    }

    void windowsFontsAreReplaced_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QString>("family");
        QTest::newRow("Traditional Arabic") << "Traditional Arabic" << "Amiri";
        QTest::newRow("Arabic Transparent") << "Arabic Transparent" << "Amiri";
        QTest::newRow("Simplified Arabic") << "Simplified Arabic" << "Noto Naskh Arabic";
        QTest::newRow("Arial") << "Arial" << "Liberation Sans";
        QTest::newRow("MS Sans Serif") << "MS Sans Serif" << "Noto Sans";
    }
    void windowsFontsAreReplaced()
    {
        QFETCH(QString, design);
        QFETCH(QString, family);
        QCOMPARE(QFontInfo(QFont(design)).family(), family);
    }
};

MC_TEST_MAIN(TestRuntime)
#include "tst_runtime.moc"
