// The game's own start, then a whole contest played from the keyboard as a
// pupil plays it (with --hold: Space draws, 1 answers, Space ends the
// round), then Ctrl+Q. Reports "shown" once the contest is over, and ends
// with status 1 when it did not end as played.
#include "application.h"
#include "form2.h"
#include "game.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

constexpr int kQuestions = 25;

Form2 *quizWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *quiz = qobject_cast<Form2 *>(window); quiz && quiz->isVisible())
            return quiz;
    }
    return nullptr;
}

void press(QWidget *window, int key, const QString &text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(window, &event);
}

// The keys of one question, then the next question's; the contest's end
// once every question was played.
void play(int question)
{
    Form2 *quiz = quizWindow();
    if (question == kQuestions) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const bool over = quiz->findChild<QLabel *>(QStringLiteral("namberq"))->text() == QString::number(kQuestions);
        std::printf("shown %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        if (!over)
            Application::endProgram(1);
        press(quiz, Qt::Key_Q, QStringLiteral("\x11"), Qt::ControlModifier);
        return;
    }
    press(quiz, Qt::Key_Space, QStringLiteral(" "));
    // After the shuffle has moved the answers.
    QTimer::singleShot(80, quiz, [quiz, question] {
        press(quiz, Qt::Key_1, QStringLiteral("1"));
        QTimer::singleShot(30, quiz, [quiz, question] {
            press(quiz, Qt::Key_Space, QStringLiteral(" "));
            QTimer::singleShot(30, quiz, [question] { play(question + 1); });
        });
    });
}

// Waits for the quiz window, then plays.
void whenQuizShown()
{
    if (quizWindow())
        QTimer::singleShot(100, [] { play(0); });
    else
        QTimer::singleShot(20, whenQuizShown);
}

} // namespace

int main(int argc, char **argv)
{
    return Game::run(argc, argv, [] { whenQuizShown(); });
}
