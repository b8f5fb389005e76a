#include "answerbutton.h"
#include "application.h"
#include "form1.h"
#include "failure.h"
#include "form2.h"
#include "messagebox.h"
#include "picturebox.h"
#include "contestfolder.h"
#include "conteststart.h"
#include "questionbank.h"
#include "testhelpers.h"
#include "testfolder.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>

namespace {

template <typename T>
T *control(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// Loads and shows the quiz window as the hand-over does.
bool openQuiz(Form2 &quiz)
{
    quiz.Form_Load();
    Application::showCentred(&quiz);
    return QTest::qWaitForWindowExposed(&quiz);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        MessageBox::clearHistory();
        m_endStatus = -1;
        Application::setEndProgramHook([this](int status) { m_endStatus = status; });
    }
    void cleanup()
    {
        Application::setEndProgramHook({});
        ContestFolder::use(QString());
    }

    void questionFileStartsOnAFolderMadeFromIt_data()
    {
        QTest::addColumn<QByteArray>("secondFile");
        QTest::addColumn<int>("usedAfter");
        QTest::addColumn<QString>("failure");
        QTest::newRow("unchanged: reused") << QByteArray() << 1 << QString();
        QTest::newRow("changed: made anew") << QByteArray("question,a1,a2,a3,a4\nq,1,2,3,4\nq2,5,6,7,8\n") << 0 << QString();
        QTest::newRow("an error: its line") << QByteArray("question,a1,a2,a3,a4\nq,1,2,3\n") << 1 << "line 2";
    }
    void questionFileStartsOnAFolderMadeFromIt()
    {
        QFETCH(QByteArray, secondFile);
        QFETCH(int, usedAfter);
        QFETCH(QString, failure);
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        const QString csv = data.filePath(QStringLiteral("أسئلتي.csv"));
        writeFile(csv, "question,a1,a2,a3,a4\nq,1,2,3,4\nq2,5,6,7,8\nq3,9,10,11,12\n");
        const QString folder = data.filePath(QStringLiteral("mathcontest/csv/أسئلتي"));
        ContestStart::open(csv).reset();
        QCOMPARE(ContestFolder::path(), folder);
        {
            QuestionBank bank = QuestionBank::openBank(folder);
            QCOMPARE(bank.countQuestions(), 3);
            QuestionRecord second = bank.openQuestion(2);
            bank.markQuestionUsed(second);
        }
        if (!secondFile.isEmpty())
            writeFile(csv, secondFile);
        const QString failed = failureOf([&] { ContestStart::open(csv); });
        QVERIFY2(failedAsExpected(failed, failure), qPrintable(failed));
        QCOMPARE(QuestionBank::openBank(folder).countUsedQuestions(), usedAfter);
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

    void bankIsPreparedOnceTheSplashShows_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("marks cleared before the hand-over") << false;
        QTest::newRow("a damaged bank refused before the quiz window") << true;
    }
    void bankIsPreparedOnceTheSplashShows()
    {
        QFETCH(bool, damaged);
        TestFolder folder;
        folder.prepareContest(300, {3, 4, 28});
        if (damaged) {
            QFile bank(folder.bankPath());
            QVERIFY(bank.open(QIODevice::ReadWrite) && bank.seek(3 * 4096));
            bank.write(QByteArray(4096, '\x5a'));
        }
        Form1 splash;
        splash.Form_Load();
        Application::showCentred(&splash);
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        if (damaged) {
            QTRY_COMPARE(m_endStatus, 1);
            QVERIFY(MessageBox::history().value(0).prompt.contains(QStringLiteral("damaged")));
        } else {
            QTRY_COMPARE(folder.usedIds(), QList<int>{});
        }
        QVERIFY(!splash.quizWindow());
    }

    void accessBankIsReadBeforeTheStart()
    {
        // A folder brought with only its Access bank: the game reads it
        // first (this one has no table soaal, so the start stops, clearly).
        TestFolder folder;
        folder.writePictures(30);
        const QString access = folder.path() + QStringLiteral("/db1.mdb");
        QVERIFY(QFile::copy(qEnvironmentVariable("MC_SOURCE_DIR") + QStringLiteral("/../shared/fixtures/access/V2000-test.mdb"), access));
        folder.use();
        Form1 splash;
        try {
            splash.Form_Load();
            QFAIL("the start went on");
        } catch (const Failure &failure) {
            QVERIFY2(failure.message().contains(QStringLiteral("has no table soaal")), qPrintable(failure.message()));
            QVERIFY(failure.message().contains(access));
        }
        QVERIFY(!QFile::exists(folder.bankPath()));
    }

    void handOverOnceAfterTwoSeconds()
    {
        TestFolder folder;
        folder.prepareContest(30);
        QElapsedTimer sinceCreation;
        sinceCreation.start();
        Form1 splash;
        splash.Form_Load();
        Application::showCentred(&splash);
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QTRY_VERIFY_WITH_TIMEOUT(splash.quizWindow() != nullptr, 5000);
        QVERIFY(sinceCreation.elapsed() >= Form1::kTimer1IntervalMs - 20);
        Form2 *quiz = splash.quizWindow();
        QVERIFY(quiz->isVisible());
        QVERIFY(!splash.isVisible());
        QVERIFY(!control<QTimer>(&splash, "Timer1")->isActive());
        // No second hand-over.
        QTest::qWait(Form1::kTimer1IntervalMs + 200);
        QCOMPARE(splash.quizWindow(), quiz);
        QVERIFY(!splash.isVisible());
        QCOMPARE(m_endStatus, -1);
    }

    void quizWindowOpensWaiting()
    {
        TestFolder folder;
        folder.prepareContest(30);
        Form2 quiz;
        QVERIFY(openQuiz(quiz));
        // (Its waiting state is walked through in the quiz's own tests.) The
        // pictures from img, each box one pixel wider on every side.
        QCOMPARE(control<PictureBox>(&quiz, "soal")->geometry(), QRect(672, 136, 106, 59));
        const QImage shown = quiz.grab().toImage();
        QVERIFY(qAbs(shown.pixelColor(300, 170).hue() - TestFolder::pictureColour(0).hue()) <= 4);
        // No title in the title bar (nothing visible: Qt would show the
        // program's name for an empty one), the exit label on the window
        // colour and sized to its caption, the frame centred on the screen.
        QVERIFY(!quiz.windowTitle().isEmpty());
        for (const QChar c : quiz.windowTitle())
            QCOMPARE(c.category(), QChar::Other_Format);
        const QLabel *exit = control<QLabel>(&quiz, "Label1");
        QCOMPARE(exit->size(), exit->sizeHint());
        QCOMPARE(shown.pixelColor(exit->pos() + QPoint(4, 4)), quiz.palette().color(QPalette::Base));
        const QRect frame = quiz.frameGeometry(), area = quiz.screen()->availableGeometry();
        const QPoint offCentre = frame.topLeft() * 2 + QPoint(frame.width(), frame.height()) - area.topLeft() * 2 - QPoint(area.width(), area.height());
        QVERIFY2(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1, qPrintable(QStringLiteral("%1 %2").arg(offCentre.x()).arg(offCentre.y())));
    }

    void backgroundIsNeitherStretchedNorTiled()
    {
        TestFolder folder;
        folder.writeBank(30);
        folder.writePictures(30, {100, 80});
        folder.use();
        Form2 quiz;
        QVERIFY(openQuiz(quiz));
        const QImage shown = quiz.grab().toImage();
        const QColor inside = shown.pixelColor(5, 90 - 20);
        QVERIFY(qAbs(inside.red() - 30) <= 6 && qAbs(inside.blue() - 90) <= 6);
        // Beyond the picture: the window colour, not the picture again.
        QCOMPARE(shown.pixelColor(150, 530), quiz.palette().color(QPalette::Window));
        QCOMPARE(shown.pixelColor(50, 530), quiz.palette().color(QPalette::Window));
    }

    void closingTheQuizWindowEndsTheProgram()
    {
        TestFolder folder;
        folder.prepareContest(30);
        Form2 quiz;
        QVERIFY(openQuiz(quiz));
        quiz.close();
        QCOMPARE(m_endStatus, 0);
    }

private:
    int m_endStatus = -1;
};

MC_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
