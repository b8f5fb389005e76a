#include "conteststart.h"
#include "failure.h"
#include "form1.h"
#include "questionbank.h"
#include "quizdriver.h"
#include "testhelpers.h"
#include "testmain.h"

#include <QElapsedTimer>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageBox::clearHistory(); }
    void cleanup() { ContestFolder::use(QString()); }

    void questionFileStartsOnAFolderMadeFromIt_data()
    {
        addColumns<QByteArray, int, QString>("secondFile", "usedAfter", "failure");
        QTest::newRow("unchanged: reused") << QByteArray() << 1 << QString();
        QTest::newRow("changed: made anew") << QByteArray("question,a1,a2,a3,a4\nq,1,2,3,4\nq2,5,6,7,8\n") << 0 << QString();
        QTest::newRow("an error: its line") << QByteArray("question,a1,a2,a3,a4\nq,1,2,3\n") << 1 << "line 2";
    }
    void questionFileStartsOnAFolderMadeFromIt()
    {
        auto [secondFile, usedAfter, failure] = fetchRow<QByteArray, int, QString>("secondFile", "usedAfter", "failure");
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        const QString csv = data.filePath(QStringLiteral("أسئلتي.csv"));
        writeFile(csv, "question,a1,a2,a3,a4\nq,1,2,3,4\nq2,5,6,7,8\nq3,9,10,11,12\n");
        ContestStart::open(csv).reset();
        const QString folder = ContestFolder::path();
        QVERIFY2(folder.startsWith(data.filePath(QStringLiteral("mathcontest/csv/أسئلتي-"))), qPrintable(folder));
        {
            QuestionBank bank = QuestionBank::openBank(folder);
            QuestionRecord second = bank.openQuestion(2);
            bank.markQuestionUsed(second);
        }
        if (!secondFile.isEmpty())
            writeFile(csv, secondFile);
        const QString failed = failureOf([&] { ContestStart::open(csv); });
        QVERIFY2(failedAsExpected(failed, failure), qPrintable(failed));
        QCOMPARE(QuestionBank::openBank(folder).countUsedQuestions(), usedAfter);
        // A spreadsheet opens as a question file does.
        const QString sheet = data.filePath(QStringLiteral("أسئلتي.xlsx"));
        QVERIFY(QFile::copy(qEnvironmentVariable("MC_SOURCE_DIR") + QStringLiteral("/tests/tools/fixtures/calc-text-arabic.xlsx"), sheet));
        ContestStart::open(sheet).reset();
        QCOMPARE(QuestionBank::openBank(ContestFolder::path()).countQuestions(), 2);
    }

    void questionFileIsCheckedBeforeItIsRead_data()
    {
        // What stands where the game expects a question file, or the record
        // of the one its contest was made from: refused at once, never read
        // without end or waited on.
        addColumns<QString, QString, QString>("csv", "record", "expected");
        QTest::newRow("a FIFO") << "fifo" << "" << "is not a regular file";
        QTest::newRow("a device") << "device" << "" << "is not a regular file";
        QTest::newRow("a sparse 20 GiB file") << "sparse" << "" << "is too large to be read";
        QTest::newRow("the record a FIFO") << "" << "fifo" << "is not a regular file";
        QTest::newRow("the record a folder") << "" << "folder" << "is not a regular file";
    }
    void questionFileIsCheckedBeforeItIsRead()
    {
        auto [csvKind, recordKind, expected] = fetchRow<QString, QString, QString>("csv", "record", "expected");
        if (csvKind == QLatin1String("device") && ::geteuid() != 0)
            QSKIP("making a device needs root");
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        const QString csv = data.filePath(QStringLiteral("q.csv"));
        // Puts a thing of kind at path.
        auto make = [](const QString &kind, const QString &path) {
            if (kind == QLatin1String("fifo"))
                QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
            else if (kind == QLatin1String("device"))
                QVERIFY(::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 5)) == 0); // /dev/zero's
            else if (kind == QLatin1String("sparse")) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(20LL * 1024 * 1024 * 1024));
            } else if (kind == QLatin1String("folder"))
                QVERIFY(QDir().mkpath(path));
        };
        if (csvKind.isEmpty()) {
            writeFile(csv, "question,a1,a2,a3,a4\nq,1,2,3,4\n");
            ContestStart::open(csv).reset();
            const QString record = QDir(ContestFolder::path()).filePath(QString::fromLatin1(ContestStart::kSourceFileName));
            QVERIFY(QFile::remove(record));
            make(recordKind, record);
        } else {
            make(csvKind, csv);
        }
        const Watchdog watchdog(std::chrono::seconds(20), "the start on a question file");
        const QString failed = failureOf([&] { ContestStart::open(csv); });
        QVERIFY2(failed.contains(expected), qPrintable(failed));
    }

    void ownFolderGetsWhatTheSampleHasButKeepsItsBank()
    {
        TestFolder sample, own;
        sample.prepareContest(3);
        own.writeBank(5, {4});
        ContestFolder::fillFromSample(own.path(), sample.path());
        QCOMPARE(own.usedIds(), QList<int>{4});
        QVERIFY(QFile::exists(own.imgPath(QStringLiteral("3.jpg"))));
        QVERIFY(failureOf([&] { ContestFolder::fillFromSample(own.path(), own.imgPath(QString())); }).contains("sample contest"));
    }

    void splashPreparesTheBankThenHandsOverOnce_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("marks cleared before the hand-over") << false;
        QTest::newRow("a damaged bank refused before the quiz window") << true;
    }
    void splashPreparesTheBankThenHandsOverOnce()
    {
        QFETCH(bool, damaged);
        EndWatch ended;
        TestFolder folder;
        folder.prepareContest(300, {3, 4, 28});
        if (damaged) {
            QFile bank(folder.bankPath());
            QVERIFY(bank.open(QIODevice::ReadWrite) && bank.seek(3 * 4096));
            bank.write(QByteArray(4096, '\x5a'));
        }
        QElapsedTimer sinceCreation;
        sinceCreation.start();
        Form1 splash;
        splash.Form_Load();
        Application::showCentred(&splash);
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        if (damaged) {
            QTRY_COMPARE(ended.status, 1);
            QVERIFY(MessageBox::history().value(0).prompt.contains(QStringLiteral("damaged")));
            // The failure ends the start: no hand-over after it, no second
            // report.
            QTest::qWait(Form1::kTimer1IntervalMs + 200);
            QVERIFY(!splash.quizWindow());
            QCOMPARE(MessageBox::history().size(), 1);
            return;
        }
        QTRY_COMPARE(folder.usedIds(), QList<int>{});
        QVERIFY(!splash.quizWindow());
        QTRY_VERIFY_WITH_TIMEOUT(splash.quizWindow() != nullptr, 5000);
        QVERIFY(sinceCreation.elapsed() >= Form1::kTimer1IntervalMs - 20);
        Form2 *quiz = splash.quizWindow();
        QVERIFY(quiz->isVisible() && !splash.isVisible());
        // No second hand-over.
        QTest::qWait(Form1::kTimer1IntervalMs + 200);
        QCOMPARE(splash.quizWindow(), quiz);
        QCOMPARE(ended.status, -1);
    }

    void accessBankIsReadBeforeTheStart()
    {
        // A folder brought with only its Access bank: the game reads it
        // first (this one has no table soaal, so the start stops, clearly).
        TestFolder folder;
        const QString access = folder.path() + QStringLiteral("/db1.mdb");
        QVERIFY(QFile::copy(qEnvironmentVariable("MC_SOURCE_DIR") + QStringLiteral("/../shared/fixtures/access/V2000-test.mdb"), access));
        folder.use();
        Form1 splash;
        const QString message = failureOf([&] { splash.Form_Load(); });
        QVERIFY2(message.contains(QStringLiteral("has no table soaal")) && message.contains(access), qPrintable(message));
        QVERIFY(!QFile::exists(folder.bankPath()));
    }

    void quizWindowShowsItsPicturesAndClosesTheProgram()
    {
        QuizDriver quiz(30, {}, {100, 80});
        const QImage shown = quiz.window->grab().toImage();
        // The question placeholder in its box.
        QVERIFY(qAbs(shown.pixelColor(300, 170).hue() - TestFolder::pictureColour(0).hue()) <= 4);
        // The background at its own size: beyond it the window colour, not
        // the picture stretched or again.
        const QColor inside = shown.pixelColor(5, 70);
        QVERIFY(qAbs(inside.red() - 30) <= 6 && qAbs(inside.blue() - 90) <= 6);
        QCOMPARE(shown.pixelColor(150, 530), quiz.window->palette().color(QPalette::Window));
        QCOMPARE(shown.pixelColor(50, 530), quiz.window->palette().color(QPalette::Window));
        // The exit label on the window colour and sized to its caption, the
        // frame centred on the screen.
        const QLabel *exit = quiz.control("Label1");
        QCOMPARE(exit->size(), exit->sizeHint());
        QCOMPARE(shown.pixelColor(exit->pos() + QPoint(4, 4)), quiz.window->palette().color(QPalette::Base));
        const QRect frame = quiz.window->frameGeometry(), area = quiz.window->screen()->availableGeometry();
        QVERIFY2(qAbs(frame.center().x() - area.center().x()) <= 1 && qAbs(frame.center().y() - area.center().y()) <= 1,
                 qPrintable(QStringLiteral("%1 %2").arg(frame.center().x()).arg(frame.center().y())));
        quiz.window->close();
        QCOMPARE(quiz.ended.status, 0);
    }
};

MC_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
