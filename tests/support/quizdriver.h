#pragma once

#include "answerbutton.h"
#include "application.h"
#include "contestfolder.h"
#include "form2.h"
#include "messagebox.h"
#include "picturebox.h"
#include "random.h"
#include "testfolder.h"
#include "testhelpers.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

#include <memory>

// Watches for the end of the program while it lives: the status it ended
// with, or -1.
struct EndWatch {
    int status = -1;
    EndWatch() { Application::setEndProgramHook([this](int s) { status = s; }); }
    ~EndWatch() { Application::setEndProgramHook({}); }
};

// The quiz window on a contest folder of its own, loaded and shown as the
// hand-over shows it, with no message shown and no random value queued yet,
// and the ways a player reads and drives it.
class QuizDriver {
public:
    explicit QuizDriver(int questions, const QList<int> &used = {}, QSize background = {800, 600}, const ContestSettings &settings = {})
    {
        MessageBox::clearHistory();
        Random::clearQueuedValues();
        folder.prepareContest(questions, used, background);
        window = std::make_unique<Form2>();
        window->setSettings(settings);
        window->Form_Load();
        Application::showCentred(window.get());
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("quiz window not exposed");
    }
    ~QuizDriver()
    {
        Random::clearQueuedValues();
        ContestFolder::use(QString());
    }

    template <typename T = QLabel>
    T *control(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    AnswerButton *button(int number) const { return control<AnswerButton>(QStringLiteral("tta%1").arg(number).toLatin1().constData()); }
    PictureBox *soal() const { return control<PictureBox>("soal"); }
    QTimer *timer(const char *name) const { return control<QTimer>(name); }
    int counter(const char *name) const { return control(name)->text().toInt(); }

    // The question on show, told by the width of its picture; 0 for the
    // placeholder.
    int questionShown() const
    {
        const int width = control<PictureBox>("q")->width() - 2 * PictureBox::kBorder;
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
    // Moves the pointer to pos within a control, as the window system reports it.
    void moveTo(QWidget *target, QPoint pos) const { QTest::mouseMove(window->windowHandle(), target->mapTo(window.get(), pos)); }
    // Clicks the question button, or an answer, as the player would.
    void draw() const { QTest::mouseClick(soal(), Qt::LeftButton); }
    void answer(int number) const { QTest::mouseClick(button(number), Qt::LeftButton); }
    // A whole round: the draw, the shuffle's tick, the answer, the round's end.
    void playRound(int answerNumber) const
    {
        draw();
        window->Timermove_Timer();
        answer(answerNumber);
        window->Timeranswar_Timer();
    }

    EndWatch ended;
    TestFolder folder;
    std::unique_ptr<Form2> window;
};
