#pragma once

#include "contestsession.h"
#include "contestsettings.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

// One player's contest in a contest folder, without a window: the draw of
// an unused question (at random or in order), the shuffle of the four
// answers over the four slots, the judging of an answer by its field (a1 is
// always the correct one), the counters, the round's end and the contest's,
// each step written to the folder's record before anyone sees it. What
// shows it (the quiz window, the class's host screen) follows its state.
class Contest : public QObject {
    Q_OBJECT
public:
    // Waiting for a draw; a question shown and Answering; its verdict shown
    // while the Round is Ending; Over (the last round ended, or the bank ran
    // out).
    enum class State { Waiting, Answering, RoundEnding, Over };
    enum class Draw { Drawn, Exhausted };

    // How many draws of a used number the draw makes before it asks the
    // bank again whether an unused question is left.
    static constexpr qint64 kDrawsBetweenChecks = 4096;
    // Which answer field stands in slot 1..4 for each arrangement k.
    static constexpr std::array<std::array<int, 4>, 4> kArrangements{{
        {1, 2, 3, 4},
        {2, 1, 3, 4},
        {3, 2, 1, 4},
        {4, 2, 3, 1},
    }};

    struct Question {
        qint64 id = 0;
        QString text;
        std::array<QString, 4> answers; // a1 (the correct one) .. a4
    };

    // Makes the folder's bank ready for the contests of a run: its
    // structure and integrity checked, the settings read (the command
    // line's over the folder's) and checked against the bank, every used
    // mark cleared. Gives the settings. Throws a Failure.
    static ContestSettings prepare(const QString &folder, const ContestSettings::Overrides &overrides);

    // The rules every way of playing shares. The bank's side of a draw: an
    // unused question for the next place of a contest (at random, or in
    // order the next one), nothing when the bank has none left. Throws a
    // Failure from the bank.
    static std::optional<Question> pick(const QString &folder, const ContestSettings &settings, int next);
    // The question is shown: marked used, never drawn again in this round
    // of contests.
    static void markUsed(const QString &folder, qint64 id);
    // One arrangement of kArrangements drawn.
    static int drawArrangement();
    // Whether the answer in field 1..4 is the correct one.
    static constexpr bool judge(int field) { return field == 1; }
    // Whether the asked-th question is the contest's last.
    static bool isLast(int asked, const ContestSettings &settings) { return asked >= settings.length; }
    // What the player is told: the verdict, the contest's end, the score
    // ("٧ من ١٠").
    static QString verdict(bool correct);
    static QString overText();
    static QString scoreText(int correct, int asked);

    // Opens the folder's record. Throws a Failure naming it.
    Contest(const QString &folder, const ContestSettings &settings);

    const ContestSettings &settings() const { return m_session.settings(); }
    const QString &folder() const { return m_folder; }
    State state() const { return m_state; }
    // Whether a contest was begun (a player's name is asked before).
    bool begun() const { return m_begun; }
    // Whether a contest is under way: a question asked and its end not
    // reached.
    bool underWay() const;

    int asked() const { return m_asked; }
    int correct() const { return m_correct; }
    int wrong() const { return m_wrong; }
    // The score as last shown: the right answers when the last round ended.
    int score() const { return m_score; }
    const QString &player() const { return m_player; }
    // The question on show (id 0 when none).
    const Question &question() const { return m_question; }
    // The field answered in the round, 0 before an answer.
    int answered() const { return m_answered; }
    // The verdict stays until the player goes on (hold).
    bool holding() const { return m_holding; }
    // The correct answer marked after a wrong one (reveal).
    bool revealing() const { return m_revealing; }

    // The arrangement of the answers now (an index of kArrangements), the
    // field in slot 1..4, and the slot of field 1..4.
    int arrangement() const { return m_arrangement; }
    int fieldInSlot(int slot) const;
    int slotOf(int field) const;

    // A new contest for player (empty when no name was asked).
    void begin(const QString &player);
    // Draws an unused question: Exhausted, with the contest over, when none
    // is left (or, in order, when the last was asked). Recorded before it
    // is shown; counted and marked used once shown() says it is on the
    // screen (a question that could not be shown is neither). Throws a
    // Failure from the bank.
    Draw draw();
    void shown();
    // The shuffle: one arrangement drawn for the answers.
    void shuffle();
    // Judges the answer in field 1..4: whether it is correct. Recorded
    // before the verdict is shown.
    bool answer(int field);
    // Ends the round the verdict stands on: waiting again, or over after the
    // contest's last question.
    void endRound();
    // Ends the contest under way for the next player's (every mark cleared
    // as at the start); begin() starts it.
    void renew();
    // The program ends during the contest.
    void leave();

signals:
    // Anything above changed.
    void changed();

private:
    void over(ContestRecord::Ending ending);

    QString m_folder;
    ContestSession m_session;
    State m_state = State::Waiting;
    bool m_begun = false;
    int m_asked = 0, m_correct = 0, m_wrong = 0, m_score = 0;
    QString m_player;
    Question m_question;
    int m_answered = 0;
    int m_arrangement = 0;
    bool m_holding = false;
    bool m_revealing = false;
};
