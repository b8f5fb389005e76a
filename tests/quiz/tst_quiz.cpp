#include "accessibility.h"
#include "quizdriver.h"
#include "scaledview.h"
#include "contestsettings.h"
#include "testhelpers.h"
#include "testmain.h"

#include <QAccessible>
#include <QGroupBox>
#include <QApplication>
#include <QKeyEvent>

namespace {

enum class State { Waiting, Answering, RoundEnding, ContestOver };

// Checks every control of the state table for the given state.
void verifyState(const QuizDriver &quiz, State state, int question = 0)
{
    const bool waiting = state == State::Waiting || state == State::ContestOver;
    QCOMPARE(quiz.soal()->isEnabled(), state == State::Waiting);
    for (int b = 1; b <= 4; ++b) {
        QCOMPARE(quiz.button(b)->isEnabled(), state == State::Answering);
        QCOMPARE(quiz.button(b)->text(), waiting ? Form2::kAnswerPlaceholder : QStringLiteral("q%1a%2").arg(question).arg(b));
    }
    QCOMPARE(quiz.questionShown(), waiting ? 0 : question);
    QCOMPARE(quiz.control("natijatrueorfalse")->isVisible(), state == State::RoundEnding || state == State::ContestOver);
    if (state == State::ContestOver)
        QCOMPARE(quiz.control("natijatrueorfalse")->text(), Form2::kContestOver);
    // Answering keeps Timermove running only until its tick; callers check it.
    if (state != State::Answering)
        QVERIFY(!quiz.timer("Timermove")->isActive());
    QCOMPARE(quiz.timer("Timeranswar")->isActive(), state == State::RoundEnding);
}

constexpr int kEnds = -1;

} // namespace

class TestQuiz : public QObject {
    Q_OBJECT
private slots:
    void roundFollowsTheStateTable_data()
    {
        // The shuffle's first tick puts the buttons in arrangement previous
        // (as a tick of the round before would have left them), its next in
        // arrangement k; then the player clicks a button.
        // buttons: in slots 1..4 after the shuffle
        addColumns<int, int, int, QList<int>>("previous", "k", "clicked", "buttons");
        const QList<QList<int>> arrangements{{1, 2, 3, 4}, {2, 1, 3, 4}, {3, 2, 1, 4}, {4, 2, 3, 1}};
        for (int previous = 0; previous < 4; ++previous)
            for (int k = 0; k < 4; ++k)
                QTest::addRow("from %d to %d, tta%d clicked", previous, k, 1 + (previous + k) % 4) << previous << k << 1 + (previous + k) % 4 << arrangements[k];
    }
    void roundFollowsTheStateTable()
    {
        auto [previous, k, clicked, buttons] = fetchRow<int, int, int, QList<int>>("previous", "k", "clicked", "buttons");
        QuizDriver quiz(30);
        verifyState(quiz, State::Waiting);

        // r = 0.3 draws question floor(31 * 0.3) = 9.
        Random::queueValues({0.3f, (previous + 0.5f) / 4.0f, (k + 0.5f) / 4.0f});
        quiz.draw();
        verifyState(quiz, State::Answering, 9);
        QVERIFY(quiz.timer("Timermove")->isActive());
        QCOMPARE(quiz.counter("namberq"), 1);
        const auto inSlots = [&] { return QList<int>{quiz.buttonInSlot(1), quiz.buttonInSlot(2), quiz.buttonInSlot(3), quiz.buttonInSlot(4)}; };
        QCOMPARE(inSlots(), (QList<int>{1, 2, 3, 4}));

        quiz.window->Timermove_Timer();
        quiz.window->tta1_MouseMove(); // a lit button stays lit at its new place
        const QSize size = quiz.button(2)->size();
        quiz.window->Timermove_Timer();
        verifyState(quiz, State::Answering, 9);
        QCOMPARE(inSlots(), buttons);
        QCOMPARE(quiz.button(2)->size(), size);
        QCOMPARE(quiz.button(1)->backColor(), QColor(Form2::kHighlightColour));
        QCOMPARE(quiz.button(2)->backColor(), QColor(Form2::kNormalColour));

        // Judged by the button, not by its place.
        quiz.answer(clicked);
        verifyState(quiz, State::RoundEnding, 9);
        const bool correct = clicked == 1;
        const QString verdict = correct ? Form2::kCorrectVerdict : Form2::kWrongVerdict;
        QCOMPARE(quiz.control("natijatrueorfalse")->text(), verdict);
        QCOMPARE(quiz.control("natijatrueorfalse")->palette().color(QPalette::WindowText), QColor(correct ? Form2::kCorrectColour : Form2::kWrongColour));
        QCOMPARE(quiz.counter("nambertrue") * 10 + quiz.counter("namberfalse"), correct ? 10 : 1);
        QCOMPARE(quiz.control("Lanatija25")->text(), QStringLiteral("00"));
        // A second click on any answer changes nothing.
        for (int b = 1; b <= 4; ++b)
            quiz.answer(b);
        QCOMPARE(quiz.counter("nambertrue") + quiz.counter("namberfalse"), 1);

        quiz.window->Timeranswar_Timer();
        verifyState(quiz, State::Waiting);
        QCOMPARE(quiz.control("Lanatija25")->text(), correct ? QStringLiteral("1") : QStringLiteral("0"));
        // The verdict keeps its caption while hidden; the buttons stay where
        // the shuffle put them.
        QCOMPARE(quiz.control("natijatrueorfalse")->text(), verdict);
        QCOMPARE(inSlots(), buttons);
    }

    void drawRejectsZeroAndUsedNumbers_data()
    {
        // A bank changed by another program while the contest runs (a mark
        // set to 2, or to Access's True, -1) is reported, naming the bank and
        // the question, never drawn from without end.
        addColumns<int, QList<int>, QList<float>, QString, int>("questions", "used", "values", "change", "expected");
        QTest::newRow("one question, zeros first") << 1 << QList<int>{} << QList<float>{0.0f, 0.3f, 0.49f, 0.5f} << "" << 1;
        QTest::newRow("one left") << 5 << QList<int>{1, 2, 4, 5} << QList<float>{0.0f, 0.2f, 0.4f, 0.7f, 0.9f, 0.6f} << "" << 3;
        QTest::newRow("highest number") << 5 << QList<int>{} << QList<float>{0.9999f} << "" << 5;
        QTest::newRow("a mark of 2") << 5 << QList<int>{} << QList<float>{} << "update soaal set YN=2" << 1;
        QTest::newRow("Access's True, -1") << 5 << QList<int>{} << QList<float>{} << "update soaal set YN=-1 where ID=3" << 3;
    }
    void drawRejectsZeroAndUsedNumbers()
    {
        auto [questions, used, values, change, expected] = fetchRow<int, QList<int>, QList<float>, QString, int>("questions", "used", "values", "change", "expected");
        QuizDriver quiz(questions, used);
        Random::queueValues(std::deque<float>(values.begin(), values.end()));
        if (!change.isEmpty())
            quiz.folder.query(change);
        const Watchdog watchdog(std::chrono::seconds(20), "the draw");
        // The handler itself, not the event loop, reports what failed in it.
        quiz.window->soal_Click();
        if (!change.isEmpty()) {
            const QString shown = MessageBox::history().value(0).prompt;
            QVERIFY2(quiz.ended.status == 1 && shown.contains(QStringLiteral("question %1 is").arg(expected)) && shown.contains(quiz.folder.bankPath()),
                     qPrintable(shown));
            return;
        }
        QCOMPARE(quiz.questionShown(), expected);
        used.append(expected);
        std::sort(used.begin(), used.end());
        QCOMPARE(quiz.folder.usedIds(), used);
    }

    void contestIsRecordedAndShaped_data()
    {
        // Settings, then rounds played with question 9 drawn (random order)
        // and arrangement 2 (tta1 in slot 3, tta3 in slot 1), the button
        // clicked in each: the record's rows ("question|chosen|slot|
        // correct") and how the contest ended.
        addColumns<QString, QList<int>, QStringList, QString>("settings", "clicked", "asked", "ending");
        QTest::newRow("as designed, then the exit label") << "" << QList<int>{3, 1} << QStringList{"9|a3|1|0", "9|a1|3|1"} << "exit";
        QTest::newRow("a lesson quiz of two, in order") << "length=2\norder=fixed" << QList<int>{1, 4} << QStringList{"1|a1|3|1", "2|a4|4|0"} << "completed";
    }
    void contestIsRecordedAndShaped()
    {
        auto [ini, clicked, asked, ending] = fetchRow<QString, QList<int>, QStringList, QString>("settings", "clicked", "asked", "ending");
        TestFolder shaping;
        writeFile(shaping.path() + QStringLiteral("/contest.ini"), ini.toUtf8());
        const ContestSettings settings = ContestSettings::load(shaping.path());
        QuizDriver quiz(30, {}, {800, 600}, settings);
        QCOMPARE(quiz.control<QGroupBox>("Frame1")->title(), QStringLiteral("الدرجة من %1").arg(settings.length));
        const bool random = settings.order == ContestSettings::Order::Random;
        for (int button : clicked) {
            // Question 9 again (its mark cleared), or the next in order.
            Random::queueValues(random ? std::deque<float>{0.3f, 0.6f} : std::deque<float>{0.6f});
            quiz.folder.query(QStringLiteral("update soaal set YN=0"));
            quiz.draw();
            quiz.window->Timermove_Timer();
            quiz.answer(button);
            quiz.window->Timeranswar_Timer();
        }
        QCOMPARE(quiz.control("natijatrueorfalse")->isVisible(), ending == QLatin1String("completed"));
        if (ending == QLatin1String("exit"))
            quiz.window->Label1_Click();
        const QString record = quiz.folder.path() + QStringLiteral("/results.sqlite");
        QCOMPARE(TestFolder::query(record, QStringLiteral("select question||'|'||chosen||'|'||slot||'|'||correct from asked order by position")),
                 QList<QVariant>(asked.begin(), asked.end()));
        QCOMPARE(TestFolder::query(record, QStringLiteral("select ending||'|'||settings from contest")), QList<QVariant>{ending + u'|' + settings.text()});
    }

    void settingsShapeThePlay_data()
    {
        // A setting, the button clicked in a round with arrangement 2 (tta1
        // in slot 3): then, before the round's end, tta1's colour and
        // whether the round-end timer runs; and the player recorded.
        addColumns<QString, int, QRgb, bool, QString>("setting", "clicked", "tta1Colour", "timed", "player");
        QTest::newRow("as designed") << "" << 2 << Form2::kNormalColour << true << "";
        QTest::newRow("reveal: marked after a wrong answer") << "reveal=true" << 2 << Form2::kRevealColour << true << "";
        QTest::newRow("reveal: not after a right one") << "reveal=true" << 1 << Form2::kNormalColour << true << "";
        QTest::newRow("hold: the verdict stays") << "hold=true" << 3 << Form2::kNormalColour << false << "";
        QTest::newRow("names: asked at the start") << "names=true" << 3 << Form2::kNormalColour << true << "ليلى";
    }
    void settingsShapeThePlay()
    {
        auto [setting, clicked, tta1Colour, timed, player] = fetchRow<QString, int, QRgb, bool, QString>("setting", "clicked", "tta1Colour", "timed", "player");
        TestFolder shaping;
        writeFile(shaping.path() + QStringLiteral("/contest.ini"), setting.toUtf8());
        MessageBox::queueAnswers({player});
        QuizDriver quiz(30, {}, {800, 600}, ContestSettings::load(shaping.path()));
        Random::queueValues({0.3f, 0.6f});
        quiz.draw();
        quiz.window->Timermove_Timer();
        quiz.answer(clicked);
        quiz.window->Form_MouseMove(); // the pointer leaves the buttons
        QCOMPARE(quiz.button(1)->backColor(), QColor(tta1Colour));
        QCOMPARE(quiz.timer("Timeranswar")->isActive(), timed);
        // Held, the verdict goes with Space (the question button), to the
        // waiting state, without a new question.
        if (!timed) {
            QVERIFY(quiz.control("natijatrueorfalse")->isVisible() && quiz.soal()->isEnabled());
            QTest::keyClick(quiz.window.get(), Qt::Key_Space);
        } else {
            quiz.window->Timeranswar_Timer();
        }
        verifyState(quiz, State::Waiting);
        QCOMPARE(quiz.counter("namberq"), 1);
        QCOMPARE(quiz.button(1)->backColor(), QColor(Form2::kNormalColour));
        QCOMPARE(TestFolder::query(quiz.folder.path() + QStringLiteral("/results.sqlite"), QStringLiteral("select ifnull(player, '') from contest")),
                 QList<QVariant>{player});
        QCOMPARE(quiz.control("playerName")->isVisible() ? quiz.control("playerName")->text() : QString(), player);
    }

    void nextPlayerWithoutRestarting_data()
    {
        // Rounds played of a contest of length questions, and steps of the
        // next (1 drawn, 2 answered), then Ctrl+N, the question answered
        // ("yes", "no"): whether a new contest began, and how the first ended.
        addColumns<int, int, int, QString, bool, QString>("length", "rounds", "steps", "answer", "renewed", "ending");
        QTest::newRow("after the contest's end") << 2 << 2 << 0 << "" << true << "completed";
        QTest::newRow("waiting: yes") << 25 << 1 << 0 << "yes" << true << "new contest";
        QTest::newRow("waiting: no") << 25 << 1 << 0 << "no" << false << "";
        QTest::newRow("answering: yes") << 25 << 0 << 1 << "yes" << true << "new contest";
        QTest::newRow("round ending: yes") << 25 << 0 << 2 << "yes" << true << "new contest";
        QTest::newRow("before any question") << 25 << 0 << 0 << "" << true << "new contest";
        QTest::newRow("the last question answered, its verdict on") << 1 << 0 << 2 << "" << true << "completed";
    }
    void nextPlayerWithoutRestarting()
    {
        auto [length, rounds, steps, answer, renewed, ending] = fetchRow<int, int, int, QString, bool, QString>("length", "rounds", "steps", "answer", "renewed", "ending");
        ContestSettings settings;
        settings.length = length;
        QuizDriver quiz(30, {}, {800, 600}, settings);
        for (int round = 1; round <= rounds; ++round)
            quiz.playRound(round % 4 + 1);
        if (steps >= 1)
            quiz.draw();
        if (steps >= 2)
            quiz.answer(2);
        QCOMPARE(quiz.control("nextPlayerHint")->isVisible(), rounds == length);
        rounds += steps > 0;
        MessageBox::queueAnswers({answer});
        QTest::keyClick(quiz.window.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(MessageBox::history().size(), answer.isEmpty() ? 0 : 1);
        if (renewed) {
            verifyState(quiz, State::Waiting);
            QCOMPARE(quiz.counter("namberq") + quiz.counter("nambertrue") + quiz.counter("namberfalse"), 0);
            QCOMPARE(quiz.control("Lanatija25")->text(), QStringLiteral("00"));
            QVERIFY(!quiz.control("nextPlayerHint")->isVisible() && quiz.folder.usedIds().isEmpty());
        } else {
            QCOMPARE(quiz.counter("namberq"), rounds);
        }
        const QString record = quiz.folder.path() + QStringLiteral("/results.sqlite");
        const QList<QVariant> endings = renewed ? QList<QVariant>{ending, QString()} : QList<QVariant>{ending};
        QCOMPARE(TestFolder::query(record, QStringLiteral("select ifnull(ending, '') from contest order by number")), endings);
    }

    void contestPlaysToItsEnd_data()
    {
        QTest::addColumn<int>("questions");
        QTest::newRow("over after 25 questions") << 40;
        QTest::newRow("the bank runs out first") << 3;
    }
    void contestPlaysToItsEnd()
    {
        QFETCH(int, questions);
        QuizDriver quiz(questions);
        const int rounds = std::min(questions, Form2::kContestLength);
        const bool over = questions > rounds;
        for (int round = 1; round <= rounds; ++round) {
            quiz.draw();
            verifyState(quiz, State::Answering, quiz.questionShown());
            quiz.window->Timermove_Timer();
            quiz.answer(1 + round % 4);
            quiz.window->Timeranswar_Timer();
            QCOMPARE(quiz.counter("nambertrue") + quiz.counter("namberfalse"), round);
            QCOMPARE(quiz.control("Lanatija25")->text(), quiz.control("nambertrue")->text());
        }
        // Rounds 4, 8 .. 24 clicked tta1, each on a question of its own;
        // nothing restarts the contest, and a bank that ran out says so at
        // every click.
        QCOMPARE(quiz.counter("nambertrue"), rounds / 4);
        // The question box tells the score, not to ask for another question.
        const QString score = over ? QStringLiteral("٦ من ٢٥") : QStringLiteral("٠ من ٣");
        QCOMPARE(quiz.control("finalScore")->isVisible(), over);
        for (int attempt = 1; attempt <= 2; ++attempt) {
            quiz.draw();
            verifyState(quiz, over ? State::ContestOver : State::Waiting);
            QCOMPARE(quiz.counter("namberq"), rounds);
            QCOMPARE(quiz.folder.usedIds().size(), rounds);
            QCOMPARE(MessageBox::history().size(), over ? 0 : attempt);
            QVERIFY(quiz.control("finalScore")->isVisible());
            QCOMPARE(quiz.control("finalScore")->text(), score);
        }
        if (!over) {
            const MessageBox::Shown shown = MessageBox::history().last();
            QCOMPARE(shown.icon, MessageBox::Icon::Warning);
            QCOMPARE(shown.prompt + u'|' + shown.title, QStringLiteral("عفواً لقد نفذت الاسئلة|نفاذ الاسئلة"));
        }
    }

    void answerBeforeTheShuffleTick()
    {
        QuizDriver quiz(30);
        Random::queueValues({0.3f, 0.9f}); // question 9, then arrangement 3
        quiz.draw();
        quiz.answer(2);
        QVERIFY(quiz.timer("Timermove")->isActive() && quiz.timer("Timeranswar")->isActive());
        // The real 50 ms tick still comes and moves the disabled buttons.
        QTRY_VERIFY_WITH_TIMEOUT(!quiz.timer("Timermove")->isActive(), 1000);
        QVERIFY(quiz.buttonInSlot(1) == 4 && quiz.buttonInSlot(4) == 1);
        verifyState(quiz, State::RoundEnding, 9);
        QCOMPARE(quiz.counter("namberfalse"), 1);
    }

    void missingQuestionPictureStopsTheDraw()
    {
        QuizDriver quiz(5, {1, 2, 4, 5});
        QFile::remove(quiz.folder.imgPath(QStringLiteral("3.jpg")));
        quiz.draw();
        QCOMPARE(quiz.ended.status, 1);
        QCOMPARE(MessageBox::history().size(), 1);
        const QString prompt = MessageBox::history().first().prompt;
        QVERIFY2(prompt.contains(quiz.folder.imgPath(QStringLiteral("3.jpg"))) && prompt.contains(QStringLiteral("question 3")), qPrintable(prompt));
        // Stopped at that step: placeholders shown, nothing enabled or marked.
        verifyState(quiz, State::Waiting);
        QCOMPARE(quiz.counter("namberq"), 0);
        QCOMPARE(quiz.folder.usedIds(), (QList<int>{1, 2, 4, 5}));
    }

    void hoverLightsTheButtonUnderThePointer()
    {
        QuizDriver quiz(30);
        const QColor green(192, 255, 192), yellow(255, 255, 0);
        // The colour a button has and shows.
        auto lit = [&](int b, const QColor &colour) {
            const QImage shown = quiz.window->grab().toImage();
            return quiz.button(b)->backColor() == colour && shown.pixelColor(quiz.button(b)->geometry().topLeft() + QPoint(6, 6)) == colour;
        };
        // Disabled buttons never light up, and stop the move reaching the window.
        quiz.moveTo(quiz.button(1), QPoint(20, 20));
        QVERIFY(lit(1, yellow));
        quiz.draw();
        quiz.moveTo(quiz.button(1), QPoint(24, 20));
        QVERIFY(lit(1, green));
        // Straight onto the next button, or over a label, a picture box or
        // the frame: both stay lit.
        quiz.moveTo(quiz.button(2), QPoint(30, 20));
        for (const char *name : {"lanateega1", "Label1", "Lanatija25", "q", "Frame1"})
            quiz.moveTo(quiz.control<QWidget>(name), QPoint(5, 5));
        QVERIFY(lit(1, green) && lit(2, green));
        // The bare surface turns all four yellow.
        quiz.moveTo(quiz.window.get(), QPoint(400, 540));
        for (int b = 1; b <= 4; ++b)
            QVERIFY(lit(b, yellow));
        // The clicked button stays lit after the answer disables it.
        quiz.moveTo(quiz.button(3), QPoint(20, 20));
        quiz.answer(3);
        QVERIFY(lit(3, green));
        // Answered with the mouse, drawn with Space: the pointer has not
        // moved, and no button carries the last round's light (it would move
        // with the shuffle and point at an answer) until it moves again.
        quiz.window->Timeranswar_Timer();
        QTest::keyClick(quiz.window.get(), Qt::Key_Space);
        QCOMPARE(quiz.counter("namberq"), 2);
        quiz.window->Timermove_Timer();
        for (int b = 1; b <= 4; ++b)
            QVERIFY(lit(b, yellow));
        quiz.moveTo(quiz.button(4), QPoint(22, 20));
        QVERIFY(lit(4, green) && lit(1, yellow));
    }

    void keysActAsTheirClicks_data()
    {
        // A key pressed in the state reached by steps from the waiting state,
        // with question 9 and arrangement 2 (tta1 in slot 3): 1 the draw, 2
        // the shuffle's tick, 3 a wrong answer (-1: the contest played to its
        // end). Its effect: 100 a draw, 10 a right answer, 1 a wrong one, or
        // the end of the program.
        addColumns<int, int, int, QString, bool, int>("steps", "key", "modifiers", "text", "held", "effect");
        const int keypad = Qt::KeypadModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("waiting: Space draws") << 0 << int(Qt::Key_Space) << 0 << QString(" ") << false << 100;
        QTest::newRow("waiting: Enter draws") << 0 << int(Qt::Key_Return) << 0 << QString("\r") << false << 100;
        QTest::newRow("waiting: keypad Enter draws") << 0 << int(Qt::Key_Enter) << keypad << QString("\r") << false << 100;
        QTest::newRow("waiting: a held Space") << 0 << int(Qt::Key_Space) << 0 << QString(" ") << true << 0;
        QTest::newRow("waiting: Escape does not end") << 0 << int(Qt::Key_Escape) << 0 << QString("\x1b") << false << 0;
        QTest::newRow("waiting: Ctrl+Q ends") << 0 << int(Qt::Key_Q) << ctrl << QString("\x11") << false << kEnds;
        QTest::newRow("shuffling: 1 is tta1") << 1 << int(Qt::Key_1) << 0 << QString("1") << false << 10;
        QTest::newRow("answering: 3 is the slot of tta1") << 2 << int(Qt::Key_3) << 0 << QString("3") << false << 10;
        QTest::newRow("answering: 1 is the slot of tta3") << 2 << int(Qt::Key_1) << 0 << QString("1") << false << 1;
        QTest::newRow("answering: keypad 3") << 2 << int(Qt::Key_3) << keypad << QString("3") << false << 10;
        QTest::newRow("answering: Arabic-Indic 3") << 2 << int(0x0663) << 0 << QString("٣") << false << 10;
        QTest::newRow("answering: a held 3") << 2 << int(Qt::Key_3) << 0 << QString("3") << true << 0;
        QTest::newRow("answering: 5 does nothing") << 2 << int(Qt::Key_5) << 0 << QString("5") << false << 0;
        QTest::newRow("answering: Space does nothing") << 2 << int(Qt::Key_Space) << 0 << QString(" ") << false << 0;
        QTest::newRow("round end: Ctrl+Q ends") << 3 << int(Qt::Key_Q) << ctrl << QString("\x11") << false << kEnds;
        QTest::newRow("contest over: Space does nothing") << -1 << int(Qt::Key_Space) << 0 << QString(" ") << false << 0;
    }
    void keysActAsTheirClicks()
    {
        auto [steps, key, modifiers, text, held, effect] = fetchRow<int, int, int, QString, bool, int>("steps", "key", "modifiers", "text", "held", "effect");
        QuizDriver quiz(30);
        for (int round = 1; steps < 0 && round <= Form2::kContestLength; ++round)
            quiz.playRound(1);
        Random::queueValues({0.3f, 0.6f});
        if (steps >= 1)
            quiz.draw();
        if (steps >= 2)
            quiz.window->Timermove_Timer();
        if (steps >= 3)
            quiz.answer(2);
        auto counters = [&] { return quiz.counter("namberq") * 100 + quiz.counter("nambertrue") * 10 + quiz.counter("namberfalse"); };
        const int before = counters();
        // Sent where the focus may be: on an answer button, which would take
        // Space for itself.
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text, held);
        QApplication::sendEvent(quiz.button(4), &press);
        QCOMPARE(quiz.ended.status == 0 ? kEnds : counters() - before, effect);
    }

    void fullScreenScalesAndMapsClicks()
    {
        QuizDriver quiz(30);
        // Quick presses arrive flagged as a key's repeats: each switches,
        // the last one wins; a held key's later repeat switches nothing.
        auto f11 = [&](unsigned long at, bool repeat) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier, QString(), repeat);
            press.setTimestamp(at);
            QApplication::sendEvent(quiz.window.get(), &press);
        };
        for (unsigned long at : {1000, 1001, 1002})
            f11(at, at > 1000);
        f11(1003 + Form2::kAutoRepeatDelayMs, true);
        QTRY_VERIFY(quiz.window->fullScreenView());
        ScaledView *view = quiz.window->fullScreenView();
        view->resize(1920, 1080);
        QTRY_COMPARE(view->factor(), 1080.0 / 566.0);
        // A click where the question button shows: the window at the
        // middle, scaled about its centre.
        const QPointF centre = QRectF(quiz.soal()->geometry()).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(960 + (centre.x() - 396) * 1080.0 / 566.0, 540 + (centre.y() - 283) * 1080.0 / 566.0));
        QCOMPARE(quiz.counter("namberq"), 1);
        QTest::keyClick(view->viewport(), Qt::Key_Escape);
        QTRY_VERIFY(!quiz.window->fullScreenView() && quiz.window->isVisible());
        f11(5000, false);
        f11(5001, true);
        QTest::qWait(50);
        QVERIFY(!quiz.window->fullScreenView());
    }

    void largerWindowScalesItsContent()
    {
        // Drawn out to twice its size (or maximised), the window shows its
        // content scaled, in a window; F11 takes that full screen, and
        // leaving full screen gives the window of its own size again.
        QuizDriver quiz(30);
        const QSize own = quiz.window->size();
        quiz.window->resize(own * 2);
        QTRY_VERIFY(quiz.window->fullScreenView());
        ScaledView *view = quiz.window->fullScreenView();
        QVERIFY(!view->shownFullScreen());
        QTRY_COMPARE(view->factor(), 2.0);
        QTest::keyClick(view->viewport(), Qt::Key_F11);
        QTRY_VERIFY(view->shownFullScreen());
        QTest::keyClick(view->viewport(), Qt::Key_F11);
        QTRY_VERIFY(!quiz.window->fullScreenView() && quiz.window->isVisible());
        QCOMPARE(quiz.window->size(), own);
    }

    void assistiveTechnologyFollowsThePlay()
    {
        QuizDriver quiz(30);
        quiz.folder.query(QStringLiteral("create table question_text (ID INTEGER PRIMARY KEY, text TEXT NOT NULL)"));
        quiz.folder.query(QStringLiteral("insert into question_text values (9, 'ما ناتج 5 - 9 ؟')"));
        QList<std::pair<QObject *, QAccessible::Event>> events;
        Accessibility::setAnnouncementHook([&](QObject *object, QAccessible::Event event) { events.append({object, event}); });
        auto iface = [&](const char *name) { return QAccessible::queryAccessibleInterface(quiz.control<QWidget>(name)); };
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(quiz.window.get());
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("مسابقة رياضيات"));
        QCOMPARE(iface("q")->role(), QAccessible::Graphic);

        Random::queueValues({0.3f, 0.6f}); // question 9, arrangement 2
        iface("soal")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        quiz.window->Timermove_Timer();
        QCOMPARE(iface("q")->text(QAccessible::Description), QStringLiteral("ما ناتج 5 - 9 ؟"));
        QVERIFY(events.contains({quiz.control<QWidget>("q"), QAccessible::DescriptionChanged}));
        // The answers in their order on the screen: tta3, tta2, tta1, tta4.
        QStringList order;
        for (int i = 0; i < window->childCount(); ++i) {
            if (window->child(i)->object()->inherits("AnswerButton"))
                order << window->child(i)->text(QAccessible::Name);
        }
        QCOMPARE(order, (QStringList{"q9a3", "q9a2", "q9a1", "q9a4"}));

        quiz.answer(1);
        QCOMPARE(iface("natijatrueorfalse")->text(QAccessible::Name), Form2::kCorrectVerdict);
        QVERIFY(events.contains({quiz.control("natijatrueorfalse"), QAccessible::Alert}));
        quiz.window->Timeranswar_Timer();
        QStringList said;
        for (const char *name : {"namberq", "nambertrue", "namberfalse", "Lanatija25"})
            said << iface(name)->text(QAccessible::Name);
        QCOMPARE(said, (QStringList{"عدد الأسئلة: 1", "عدد الإجابات الصحيحة: 1", "عدد الإجابات الخاطئة: 0", "الدرجة من 25: 1"}));
        iface("Label1")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(quiz.ended.status, 0);
        Accessibility::setAnnouncementHook({});
    }
};

MC_TEST_MAIN(TestQuiz)
#include "tst_quiz.moc"
