#pragma once

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <QHash>

#include "contest.h"
#include "contestsettings.h"

#include <memory>

class AnswerButton;
class ScaledView;
class QKeyEvent;
class QTimer;

namespace Ui {
class Form2;
}

// The quiz window and the play of the contest: each click on the question
// button draws an unused question, the shuffle moves the answer buttons, a
// click on an answer is judged and counted, and the round end returns to the
// waiting state until 25 questions have been asked.
class Form2 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimermoveIntervalMs = 50;
    // The rows of the background decoded at a time, to paint it.
    static constexpr int kBackgroundBand = 64;
    static constexpr int kTimeranswarIntervalMs = 3000;
    // A key's repeat that comes sooner than this after it went down is a
    // new press: no keyboard repeats that fast, but quick presses arrive so.
    static constexpr unsigned long kAutoRepeatDelayMs = 150;
    static constexpr qint64 kDrawsBetweenChecks = Contest::kDrawsBetweenChecks;
    static constexpr int kContestLength = ContestSettings::kDefaultLength;
    static constexpr QRgb kNormalColour = qRgb(255, 255, 0);     // yellow
    static constexpr QRgb kHighlightColour = qRgb(192, 255, 192); // light green
    // The correct answer's button after a wrong answer, with reveal on.
    static constexpr QRgb kRevealColour = qRgb(0, 176, 240); // sky blue
    // The verdicts' colours: right, wrong, and the contest's end.
    static constexpr QRgb kCorrectColour = qRgb(0, 128, 0);  // green
    static constexpr QRgb kWrongColour = qRgb(255, 0, 0);    // red
    static constexpr QRgb kOverColour = qRgb(0, 0, 128);     // dark blue

    static const QString kAnswerPlaceholder;
    static const QString kCorrectVerdict;
    static const QString kWrongVerdict;
    static const QString kContestOver;
    static const QString kExhaustedPrompt;
    static const QString kExhaustedTitle;
    static const QString kNewContestTitle;

    // Which button stands in slot 1..4 for each arrangement number k.
    static constexpr auto kArrangements = Contest::kArrangements;

    explicit Form2(QWidget *parent = nullptr);
    ~Form2() override;

    // The settings the contests are played by; before Form_Load (a window
    // that gets none plays the contest as designed).
    void setSettings(const ContestSettings &settings) { m_settings = settings; }

    // Program folder, the three pictures, counters, answer slots, captions;
    // the record of the folder's contests opened and the first begun.
    void Form_Load();

    // The top-left corner of answer slot 1..4.
    QPoint slot(int number) const;

    // The quiz window's keys, wherever the focus is in the window: 1..4 (and
    // the keypad's and the Arabic-Indic digits) press the answer shown in
    // that slot from the top, Space and Enter the question button, Ctrl+Q
    // the exit label, F11 switches full screen, Escape leaves it. A held key
    // acts once; quick presses act each. Gives whether the key is one of
    // these.
    bool Form_KeyDown(QKeyEvent *event);

    // Ctrl+N: the next player's contest in this window. During a contest it
    // first asks whether to end this one.
    void newContest();

    // Shows the window full screen (scaled to fit, on black), or as a window
    // of its own size again, centred. A window made larger (maximised or
    // drawn out) shows its content scaled in the same way, in a window.
    void setFullScreenView(bool fullScreen);
    // The scaled view (full screen, or a window larger than this one) while
    // the window is shown in it.
    ScaledView *fullScreenView() const { return m_view.get(); }

public slots:
    void soal_Click();
    void Timermove_Timer();
    void tta1_Click();
    void tta2_Click();
    void tta3_Click();
    void tta4_Click();
    void Timeranswar_Timer();
    void Form_MouseMove();
    void tta1_MouseMove();
    void tta2_MouseMove();
    void tta3_MouseMove();
    void tta4_MouseMove();
    void Label1_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Runs a handler's work; a failure in it is reported where it happened
    // (the error box, the program ended), never unwound through the event
    // loop. Gives whether the work was done.
    bool attempt(const std::function<void()> &work);
    AnswerButton *answerButton(int number) const;
    void setAnswerCaptions(const std::array<QString, 4> &captions);
    void showPlaceholderQuestion();
    // The window's pictures and the question's, decoded at the pixels they
    // take on the screen now: the window's device pixel ratio, or their
    // whole density while the scaled view enlarges them.
    void loadPictures();
    void showVerdict(const QString &verdict);
    // A click on the button of answer field (1 is tta1, the correct one).
    void judge(int field);
    // The answer button that stands in slot 1..4, counted from the top.
    AnswerButton *buttonInSlot(int number) const;
    // Gives assistive technology what the player sees now: the counters with
    // their meaning, the answers in their order on the screen, the question's
    // text, the verdict (announced when it appears).
    void describe();
    // Begins a contest: the player's name asked when the settings say so.
    void beginContest();
    // Ends the contest on the screen (its last round, or the bank run out):
    // the final score and the hint for the next player shown.
    void contestEnded();
    // The three counters as the contest has them.
    void showCounters();
    // Whether a press is a held key's repeat rather than a press of its own.
    bool isHeld(const QKeyEvent *event);
    // Asks for full screen or a window; the last request of a burst is done,
    // once the keys that asked are delivered.
    void requestFullScreen(bool fullScreen);

    std::unique_ptr<Ui::Form2> ui;
    QTimer *Timermove;
    QTimer *Timeranswar;
    // The background while the scaled view enlarges it; in a window, its
    // file and its size, and only the part painted is decoded.
    QPixmap m_background;
    QByteArray m_backgroundFile;
    QSize m_backgroundSize;
    QPixmap m_placeholder;
    // The scale the pictures were decoded for; 0 for their whole density.
    qreal m_pictureScale = -1;
    // The picture of the question on show and what it is; none for the
    // placeholder.
    QString m_questionPicture, m_questionRole;
    std::unique_ptr<ScaledView> m_view;
    ContestSettings m_settings;
    std::unique_ptr<Contest> m_contest;
    bool m_awaitingName = false; // the player's name not yet given
    bool m_fullScreenWanted = false;
    QSize m_designSize;
    bool m_fullScreenSwitchPending = false;
    QHash<int, unsigned long> m_keyDownAt;

    QString apppath;
    int top1 = 0, top2 = 0, top3 = 0, top4 = 0;
    int left1 = 0, left2 = 0, left3 = 0, left4 = 0;
};
