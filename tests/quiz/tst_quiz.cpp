#include "accessibility.h"
#include "answerbutton.h"
#include "application.h"
#include "form2.h"
#include "messagebox.h"
#include "picturebox.h"
#include "contestfolder.h"
#include "random.h"
#include "scaledview.h"
#include "testfolder.h"
#include "testmain.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QSet>
#include <QTimer>

#include <memory>

namespace {

// The quiz window on a test folder, loaded and shown.
struct Quiz {
    explicit Quiz(int questions, const QList<int> &used = {})
    {
        folder.prepareContest(questions, used);
        window = std::make_unique<Form2>();
        window->Form_Load();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("quiz window not exposed");
    }

    template <typename T>
    T *control(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    AnswerButton *button(int number) const { return control<AnswerButton>(QStringLiteral("tta%1").arg(number)); }
    QLabel *label(const char *name) const { return control<QLabel>(QString::fromLatin1(name)); }
    PictureBox *soal() const { return control<PictureBox>(QStringLiteral("soal")); }
    QTimer *timer(const char *name) const { return control<QTimer>(QString::fromLatin1(name)); }

    // The question on show in q, by the size of its picture; 0 for the
    // placeholder.
    int questionShown() const
    {
        const int width = control<PictureBox>(QStringLiteral("q"))->width() - 2;
        return width == 450 ? 0 : width - TestFolder::kQuestionPictureWidth;
    }
    // The button standing in slot 1..4.
    int buttonInSlot(int slot) const
    {
        for (int b = 1; b <= 4; ++b)
            if (button(b)->pos() == window->slot(slot))
                return b;
        return 0;
    }
    QStringList captions() const
    {
        QStringList all;
        for (int b = 1; b <= 4; ++b)
            all << button(b)->text();
        return all;
    }
    bool answersEnabled() const
    {
        bool all = true, none = true;
        for (int b = 1; b <= 4; ++b) {
            all = all && button(b)->isEnabled();
            none = none && !button(b)->isEnabled();
        }
        if (!all && !none)
            qFatal("answer buttons half enabled");
        return all;
    }
    // Moves the pointer to pos within a control, as the window system reports it.
    void moveTo(QWidget *target, QPoint pos) const
    {
        QTest::mouseMove(window->windowHandle(), target->mapTo(window.get(), pos));
    }
    // Clicks the question button as the player would.
    void draw() const { QTest::mouseClick(soal(), Qt::LeftButton); }
    void answer(int number) const { QTest::mouseClick(button(number), Qt::LeftButton); }

    TestFolder folder;
    std::unique_ptr<Form2> window;
};

enum class State { Waiting, Answering, RoundEnding, ContestOver };

// Checks every control of the state table for the given state.
void verifyState(const Quiz &quiz, State state, int question = 0)
{
    const bool waiting = state == State::Waiting || state == State::ContestOver;
    QCOMPARE(quiz.soal()->isEnabled(), state == State::Waiting);
    QCOMPARE(quiz.answersEnabled(), state == State::Answering);
    if (waiting) {
        QCOMPARE(quiz.captions(), QStringList(4, Form2::kAnswerPlaceholder));
        QCOMPARE(quiz.questionShown(), 0);
    } else {
        QCOMPARE(quiz.captions(), (QStringList{QStringLiteral("q%1a1").arg(question), QStringLiteral("q%1a2").arg(question),
                                               QStringLiteral("q%1a3").arg(question), QStringLiteral("q%1a4").arg(question)}));
        QCOMPARE(quiz.questionShown(), question);
    }
    QCOMPARE(quiz.label("natijatrueorfalse")->isVisible(), state == State::RoundEnding || state == State::ContestOver);
    if (state == State::ContestOver)
        QCOMPARE(quiz.label("natijatrueorfalse")->text(), Form2::kContestOver);
    // Answering keeps Timermove running only until its tick; callers check it.
    if (state != State::Answering)
        QVERIFY(!quiz.timer("Timermove")->isActive());
    QCOMPARE(quiz.timer("Timeranswar")->isActive(), state == State::RoundEnding);
}

int counter(const Quiz &quiz, const char *name)
{
    return quiz.label(name)->text().toInt();
}

// Plays the rounds left, to the end of the contest.
void playWholeContest(const Quiz &quiz)
{
    for (int round = counter(quiz, "namberq") + 1; round <= Form2::kContestLength; ++round) {
        quiz.draw();
        quiz.window->Timermove_Timer();
        quiz.answer(round % 3 == 0 ? 2 : 1);
        quiz.window->Timeranswar_Timer();
    }
}

} // namespace

class TestQuiz : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        MessageBox::clearHistory();
        Random::clearQueuedValues();
        m_endStatus = -1;
        Application::setEndProgramHook([this](int status) { m_endStatus = status; });
    }
    void cleanup()
    {
        Application::setEndProgramHook({});
        Random::clearQueuedValues();
        ContestFolder::use(QString());
    }

    void stateTableWalk_data()
    {
        QTest::addColumn<int>("clicked");
        QTest::newRow("correct answer") << 1;
        QTest::newRow("wrong answer tta2") << 2;
        QTest::newRow("wrong answer tta3") << 3;
        QTest::newRow("wrong answer tta4") << 4;
    }
    void stateTableWalk()
    {
        QFETCH(int, clicked);
        Quiz quiz(30);
        verifyState(quiz, State::Waiting);

        // r = 0.3 draws question floor(31 * 0.3) = 9.
        Random::queueValues({0.3f});
        quiz.draw();
        verifyState(quiz, State::Answering, 9);
        QVERIFY(quiz.timer("Timermove")->isActive());
        QCOMPARE(quiz.label("namberq")->text(), QStringLiteral("1"));
        QCOMPARE(quiz.folder.usedIds(), QList<int>{9});
        for (int slot = 1; slot <= 4; ++slot)
            QCOMPARE(quiz.buttonInSlot(slot), slot);

        Random::queueValues({0.6f}); // k = 2
        quiz.window->Timermove_Timer();
        verifyState(quiz, State::Answering, 9);
        QCOMPARE(quiz.timer("Timermove")->isActive(), false);
        QCOMPARE(quiz.buttonInSlot(3), 1);

        quiz.answer(clicked);
        verifyState(quiz, State::RoundEnding, 9);
        const bool correct = clicked == 1;
        QCOMPARE(quiz.label("natijatrueorfalse")->text(), correct ? Form2::kCorrectVerdict : Form2::kWrongVerdict);
        QCOMPARE(counter(quiz, "nambertrue"), correct ? 1 : 0);
        QCOMPARE(counter(quiz, "namberfalse"), correct ? 0 : 1);
        QCOMPARE(quiz.label("Lanatija25")->text(), QStringLiteral("00"));
        // A second click on any answer changes nothing.
        for (int b = 1; b <= 4; ++b)
            quiz.answer(b);
        QCOMPARE(counter(quiz, "nambertrue") + counter(quiz, "namberfalse"), 1);

        quiz.window->Timeranswar_Timer();
        verifyState(quiz, State::Waiting);
        QCOMPARE(quiz.label("Lanatija25")->text(), correct ? QStringLiteral("1") : QStringLiteral("0"));
        // The verdict keeps its caption while hidden; the buttons stay where
        // the shuffle put them.
        QCOMPARE(quiz.label("natijatrueorfalse")->text(), correct ? Form2::kCorrectVerdict : Form2::kWrongVerdict);
        QCOMPARE(quiz.buttonInSlot(3), 1);
    }

    void drawRejectsZeroAndUsedNumbers_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<QList<int>>("used");
        QTest::addColumn<QList<float>>("values");
        QTest::addColumn<int>("expected");
        QTest::newRow("one question, zeros first") << 1 << QList<int>{} << QList<float>{0.0f, 0.3f, 0.49f, 0.5f} << 1;
        QTest::newRow("one left") << 5 << QList<int>{1, 2, 4, 5} << QList<float>{0.0f, 0.2f, 0.4f, 0.7f, 0.9f, 0.6f} << 3;
        QTest::newRow("highest number") << 5 << QList<int>{} << QList<float>{0.9999f} << 5;
    }
    void drawRejectsZeroAndUsedNumbers()
    {
        QFETCH(int, questions);
        QFETCH(QList<int>, used);
        QFETCH(QList<float>, values);
        QFETCH(int, expected);
        Quiz quiz(questions, used);
        Random::queueValues(std::deque<float>(values.begin(), values.end()));
        quiz.draw();
        QCOMPARE(quiz.questionShown(), expected);
        QList<int> nowUsed = used;
        nowUsed.append(expected);
        std::sort(nowUsed.begin(), nowUsed.end());
        QCOMPARE(quiz.folder.usedIds(), nowUsed);
    }

    void exhaustedBankShowsTheMessage()
    {
        Quiz quiz(3);
        for (int round = 1; round <= 3; ++round) {
            quiz.draw();
            quiz.window->Timermove_Timer();
            quiz.answer(1);
            quiz.window->Timeranswar_Timer();
        }
        QCOMPARE(quiz.folder.usedIds(), (QList<int>{1, 2, 3}));
        for (int attempt = 1; attempt <= 2; ++attempt) {
            quiz.draw();
            QCOMPARE(MessageBox::history().size(), attempt);
            const MessageBox::Shown shown = MessageBox::history().last();
            QCOMPARE(shown.icon, MessageBox::Icon::Warning);
            QCOMPARE(shown.prompt, QStringLiteral("عفواً لقد نفذت الاسئلة"));
            QCOMPARE(shown.title, QStringLiteral("نفاذ الاسئلة"));
            verifyState(quiz, State::Waiting);
            QCOMPARE(quiz.label("namberq")->text(), QStringLiteral("3"));
        }
        QCOMPARE(quiz.folder.usedIds(), (QList<int>{1, 2, 3}));
        QVERIFY(!quiz.label("natijatrueorfalse")->isVisible());
    }

    void wholeContest()
    {
        Quiz quiz(40);
        QSet<int> asked;
        for (int round = 1; round <= Form2::kContestLength; ++round) {
            quiz.draw();
            const int question = quiz.questionShown();
            QVERIFY(question >= 1 && question <= 40);
            QVERIFY2(!asked.contains(question), qPrintable(QString::number(question)));
            asked.insert(question);
            verifyState(quiz, State::Answering, question);
            quiz.window->Timermove_Timer();
            quiz.answer(1 + round % 4);
            quiz.window->Timeranswar_Timer();
            QCOMPARE(counter(quiz, "nambertrue") + counter(quiz, "namberfalse"), counter(quiz, "namberq"));
            QCOMPARE(quiz.label("Lanatija25")->text(), quiz.label("nambertrue")->text());
            if (round < Form2::kContestLength)
                verifyState(quiz, State::Waiting);
        }
        verifyState(quiz, State::ContestOver);
        QCOMPARE(quiz.label("namberq")->text(), QStringLiteral("25"));
        // Rounds 4, 8 .. 24 clicked tta1.
        QCOMPARE(quiz.label("nambertrue")->text(), QStringLiteral("6"));
        QCOMPARE(quiz.label("Lanatija25")->text(), QStringLiteral("6"));
        QCOMPARE(quiz.folder.usedIds().size(), 25);
        // Nothing restarts it.
        quiz.draw();
        verifyState(quiz, State::ContestOver);
        QCOMPARE(quiz.folder.usedIds().size(), 25);
    }

    void shuffleGoesToRecordedSlots_data()
    {
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("k");
        for (int previous = 0; previous < 4; ++previous)
            for (int k = 0; k < 4; ++k)
                QTest::addRow("from %d to %d", previous, k) << previous << k;
    }
    void shuffleGoesToRecordedSlots()
    {
        QFETCH(int, previous);
        QFETCH(int, k);
        Quiz quiz(30);
        quiz.draw();
        Random::queueValues({(previous + 0.5f) / 4.0f});
        quiz.window->Timermove_Timer();
        quiz.window->tta1_MouseMove(); // a lit button stays lit at its new place
        const QSize size = quiz.button(2)->size();
        Random::queueValues({(k + 0.5f) / 4.0f});
        quiz.window->Timermove_Timer();
        for (int slot = 1; slot <= 4; ++slot)
            QCOMPARE(quiz.buttonInSlot(slot), Form2::kArrangements[k][slot - 1]);
        QCOMPARE(quiz.button(2)->size(), size);
        QCOMPARE(quiz.button(1)->backColor(), QColor(Form2::kHighlightColour));
        QCOMPARE(quiz.button(2)->backColor(), QColor(Form2::kNormalColour));
        QVERIFY(quiz.answersEnabled());
        QCOMPARE(quiz.button(1)->text(), QStringLiteral("q%1a1").arg(quiz.questionShown()));
        // Judged by the button, not by its place: the one in slot 1 is right
        // only when it is tta1.
        QTest::mouseClick(quiz.button(quiz.buttonInSlot(1)), Qt::LeftButton);
        QCOMPARE(counter(quiz, "nambertrue"), k == 0 ? 1 : 0);
    }

    void answerBeforeTheShuffleTick()
    {
        Quiz quiz(30);
        Random::queueValues({0.3f, 0.9f}); // question 9, then arrangement 3
        quiz.draw();
        quiz.answer(2);
        QVERIFY(quiz.timer("Timermove")->isActive());
        QVERIFY(quiz.timer("Timeranswar")->isActive());
        // The real 50 ms tick still comes and moves the disabled buttons.
        QTRY_VERIFY_WITH_TIMEOUT(!quiz.timer("Timermove")->isActive(), 1000);
        QCOMPARE(quiz.buttonInSlot(1), 4);
        QCOMPARE(quiz.buttonInSlot(4), 1);
        verifyState(quiz, State::RoundEnding, 9);
        QCOMPARE(counter(quiz, "namberfalse"), 1);
    }

    void missingQuestionPictureStopsTheDraw()
    {
        Quiz quiz(5, {1, 2, 4, 5});
        QFile::remove(quiz.folder.imgPath(QStringLiteral("3.jpg")));
        quiz.draw();
        QCOMPARE(m_endStatus, 1);
        QCOMPARE(MessageBox::history().size(), 1);
        const QString prompt = MessageBox::history().first().prompt;
        QVERIFY2(prompt.contains(quiz.folder.imgPath(QStringLiteral("3.jpg"))), qPrintable(prompt));
        QVERIFY(prompt.contains(QStringLiteral("question 3")));
        // Stopped at that step: placeholders shown, nothing enabled or marked.
        QCOMPARE(quiz.questionShown(), 0);
        QCOMPARE(quiz.captions(), QStringList(4, Form2::kAnswerPlaceholder));
        QVERIFY(quiz.soal()->isEnabled());
        QCOMPARE(quiz.label("namberq")->text(), QStringLiteral("0"));
        QCOMPARE(quiz.folder.usedIds(), (QList<int>{1, 2, 4, 5}));
    }

    void hoverLightsTheButtonUnderThePointer()
    {
        Quiz quiz(30);
        const QColor green(192, 255, 192), yellow(255, 255, 0);
        auto painted = [&](int b) {
            const QImage shown = quiz.window->grab().toImage();
            return shown.pixelColor(quiz.button(b)->geometry().topLeft() + QPoint(6, 6));
        };
        // Disabled buttons never light up, and stop the move reaching the window.
        quiz.moveTo(quiz.button(1), QPoint(20, 20));
        QCOMPARE(quiz.button(1)->backColor(), yellow);
        quiz.draw();
        quiz.moveTo(quiz.button(1), QPoint(24, 20));
        QCOMPARE(quiz.button(1)->backColor(), green);
        QCOMPARE(painted(1), green);
        // Straight onto the next button: both stay lit.
        quiz.moveTo(quiz.button(2), QPoint(30, 20));
        QCOMPARE(quiz.button(1)->backColor(), green);
        QCOMPARE(quiz.button(2)->backColor(), green);
        // Over a label, a picture box or the frame: nothing changes.
        for (const char *name : {"lanateega1", "Label1", "Lanatija25"}) {
            quiz.moveTo(quiz.label(name), QPoint(5, 5));
            QCOMPARE(quiz.button(1)->backColor(), green);
        }
        quiz.moveTo(quiz.control<PictureBox>(QStringLiteral("q")), QPoint(10, 10));
        quiz.moveTo(quiz.control<QGroupBox>(QStringLiteral("Frame1")), QPoint(5, 5));
        QCOMPARE(quiz.button(2)->backColor(), green);
        // The bare surface turns all four yellow.
        quiz.moveTo(quiz.window.get(), QPoint(400, 540));
        for (int b = 1; b <= 4; ++b) {
            QCOMPARE(quiz.button(b)->backColor(), yellow);
            QCOMPARE(painted(b), yellow);
        }
        // The clicked button stays lit after the answer disables it.
        quiz.moveTo(quiz.button(3), QPoint(20, 20));
        quiz.answer(3);
        QCOMPARE(painted(3), green);
    }

    void keysActAsTheirClicks_data()
    {
        // The state reached with question 9 and arrangement 2 (tta1 in slot
        // 3), the key (its code, modifiers, text, held), and what it does.
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QString>("effect");
        const int keypad = Qt::KeypadModifier;
        QTest::newRow("waiting: Space draws") << "waiting" << int(Qt::Key_Space) << 0 << " " << false << "draw";
        QTest::newRow("waiting: Enter draws") << "waiting" << int(Qt::Key_Return) << 0 << "\r" << false << "draw";
        QTest::newRow("waiting: keypad Enter draws") << "waiting" << int(Qt::Key_Enter) << keypad << "\r" << false << "draw";
        QTest::newRow("waiting: a held Space") << "waiting" << int(Qt::Key_Space) << 0 << " " << true << "";
        QTest::newRow("waiting: 1 does nothing") << "waiting" << int(Qt::Key_1) << 0 << "1" << false << "";
        QTest::newRow("waiting: Escape does not end") << "waiting" << int(Qt::Key_Escape) << 0 << "\x1b" << false << "";
        QTest::newRow("waiting: Ctrl+Q ends") << "waiting" << int(Qt::Key_Q) << int(Qt::ControlModifier) << "\x11" << false << "end";
        QTest::newRow("shuffling: 1 is tta1") << "shuffling" << int(Qt::Key_1) << 0 << "1" << false << "correct";
        QTest::newRow("shuffling: Space does nothing") << "shuffling" << int(Qt::Key_Space) << 0 << " " << false << "";
        QTest::newRow("answering: 3 is the slot of tta1") << "answering" << int(Qt::Key_3) << 0 << "3" << false << "correct";
        QTest::newRow("answering: 1 is the slot of tta3") << "answering" << int(Qt::Key_1) << 0 << "1" << false << "wrong";
        QTest::newRow("answering: keypad 3") << "answering" << int(Qt::Key_3) << keypad << "3" << false << "correct";
        QTest::newRow("answering: Arabic-Indic 3") << "answering" << 0x0663 << 0 << "٣" << false << "correct";
        QTest::newRow("answering: a held 3") << "answering" << int(Qt::Key_3) << 0 << "3" << true << "";
        QTest::newRow("answering: 5 does nothing") << "answering" << int(Qt::Key_5) << 0 << "5" << false << "";
        QTest::newRow("answering: Space does nothing") << "answering" << int(Qt::Key_Space) << 0 << " " << false << "";
        QTest::newRow("round end: 3 does nothing") << "round end" << int(Qt::Key_3) << 0 << "3" << false << "";
        QTest::newRow("round end: Space does nothing") << "round end" << int(Qt::Key_Space) << 0 << " " << false << "";
        QTest::newRow("round end: Ctrl+Q ends") << "round end" << int(Qt::Key_Q) << int(Qt::ControlModifier) << "\x11" << false << "end";
        QTest::newRow("contest over: Space does nothing") << "contest over" << int(Qt::Key_Space) << 0 << " " << false << "";
    }
    void keysActAsTheirClicks()
    {
        QFETCH(QString, state);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, held);
        QFETCH(QString, effect);
        Quiz quiz(30);
        Random::queueValues({0.3f, 0.6f});
        if (state == QLatin1String("contest over"))
            playWholeContest(quiz);
        if (state != QLatin1String("waiting") && state != QLatin1String("contest over"))
            quiz.draw();
        if (state == QLatin1String("answering") || state == QLatin1String("round end"))
            quiz.window->Timermove_Timer();
        if (state == QLatin1String("round end"))
            quiz.answer(2);
        const QList<int> before{counter(quiz, "namberq"), counter(quiz, "nambertrue"), counter(quiz, "namberfalse")};
        // Sent where the focus may be: on an answer button, which would take
        // Space for itself.
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text, held);
        QApplication::sendEvent(quiz.button(4), &press);
        const QList<int> after{counter(quiz, "namberq"), counter(quiz, "nambertrue"), counter(quiz, "namberfalse")};
        const QList<int> change{after[0] - before[0], after[1] - before[1], after[2] - before[2]};
        const QList<int> expected = effect == QLatin1String("draw") ? QList<int>{1, 0, 0}
            : effect == QLatin1String("correct")                  ? QList<int>{0, 1, 0}
            : effect == QLatin1String("wrong")                    ? QList<int>{0, 0, 1}
                                                                   : QList<int>{0, 0, 0};
        QCOMPARE(change, expected);
        QCOMPARE(m_endStatus, effect == QLatin1String("end") ? 0 : -1);
    }

    void fullScreenScalesAndMapsClicks()
    {
        Quiz quiz(30);
        QTest::keyClick(quiz.window.get(), Qt::Key_F11);
        QTRY_VERIFY(quiz.window->fullScreenView());
        ScaledView *view = quiz.window->fullScreenView();
        view->resize(1920, 1080);
        QTRY_COMPARE(view->factor(), 1080.0 / 566.0);
        // The question button's centre, where the view shows it.
        const QPoint centre = view->mapFromScene(QRectF(quiz.soal()->geometry()).center());
        QVERIFY(qAbs(centre.x() - 960 - (quiz.soal()->geometry().center().x() - 396) * 1080.0 / 566.0) <= 2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(counter(quiz, "namberq"), 1);
        QTest::keyClick(view->viewport(), Qt::Key_Escape);
        QTRY_VERIFY(!quiz.window->fullScreenView());
        QTRY_VERIFY(quiz.window->isVisible());
    }

    void assistiveTechnologyFollowsThePlay()
    {
        Quiz quiz(30);
        quiz.folder.query(QStringLiteral("create table question_text (ID INTEGER PRIMARY KEY, text TEXT NOT NULL)"));
        quiz.folder.query(QStringLiteral("insert into question_text values (9, 'ما ناتج 5 - 9 ؟')"));
        QList<std::pair<QObject *, QAccessible::Event>> events;
        Accessibility::setAnnouncementHook([&](QObject *object, QAccessible::Event event) { events.append({object, event}); });
        auto iface = [](QObject *object) { return QAccessible::queryAccessibleInterface(object); };
        QAccessibleInterface *window = iface(quiz.window.get());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("مسابقة رياضيات"));
        QCOMPARE(iface(quiz.soal())->role(), QAccessible::Button);
        QCOMPARE(iface(quiz.label("Label1"))->role(), QAccessible::Button);
        QCOMPARE(iface(quiz.control<PictureBox>(QStringLiteral("q")))->role(), QAccessible::Graphic);

        Random::queueValues({0.3f, 0.6f}); // question 9, arrangement 2
        iface(quiz.soal())->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        quiz.window->Timermove_Timer();
        QCOMPARE(iface(quiz.control<PictureBox>(QStringLiteral("q")))->text(QAccessible::Description), QStringLiteral("ما ناتج 5 - 9 ؟"));
        QVERIFY(events.contains({quiz.control<PictureBox>(QStringLiteral("q")), QAccessible::DescriptionChanged}));
        // The answers in their order on the screen: tta3, tta2, tta1, tta4.
        QStringList order;
        for (int i = 0; i < window->childCount(); ++i) {
            if (window->child(i)->object()->inherits("AnswerButton"))
                order << window->child(i)->text(QAccessible::Name);
        }
        QCOMPARE(order, (QStringList{"q9a3", "q9a2", "q9a1", "q9a4"}));

        quiz.answer(1);
        QCOMPARE(iface(quiz.label("natijatrueorfalse"))->text(QAccessible::Name), Form2::kCorrectVerdict);
        QVERIFY(events.contains({quiz.label("natijatrueorfalse"), QAccessible::Alert}));
        quiz.window->Timeranswar_Timer();
        const std::pair<const char *, const char *> counters[] = {{"namberq", "عدد الأسئلة: 1"}, {"nambertrue", "عدد الإجابات الصحيحة: 1"},
                                                                 {"namberfalse", "عدد الإجابات الخاطئة: 0"}, {"Lanatija25", "الدرجة من 25: 1"}};
        for (const auto &[name, said] : counters)
            QCOMPARE(iface(quiz.label(name))->text(QAccessible::Name), QString::fromUtf8(said));
        iface(quiz.label("Label1"))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(m_endStatus, 0);
        Accessibility::setAnnouncementHook({});
    }

private:
    int m_endStatus = -1;
};

MC_TEST_MAIN(TestQuiz)
#include "tst_quiz.moc"
