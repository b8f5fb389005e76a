#pragma once

#include "contest.h"
#include "contestrecord.h"
#include "contestsettings.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>
#include <vector>

// One class play, without a network or a window: the room and its code, the
// pupils seated in it, one question at a time asked of all of them (drawn
// by the game's own rules), each pupil's answer in the order of the answers
// on that pupil's device, the question closed (everyone answered, the time
// up, or the teacher), and the contest's end. Every pupil's contest goes to
// the folder's record as the game writes one, linked to the others by the
// class play's number; an answer is written before the pupil is told it was
// received.
class ClassPlay : public QObject {
    Q_OBJECT
public:
    // Gathering: pupils join, nothing asked yet; Asking a question; the
    // question Closed (its verdicts out); Over.
    enum class State { Gathering, Asking, Closed, Over };
    enum class Join { Seated, WrongCode, Slowed, Locked, Full, NoName, NameTaken, NotInClass, Over };
    enum class Answer { Received, Already, NotAsking, NoSeat };

    static constexpr int kMaxSeats = 300;
    static constexpr int kMaxNameLength = 40;
    static constexpr int kCodeDigits = 4;
    // Wrong codes from one address before each next try waits, and how
    // long it waits (doubling with every further wrong code, up to a minute).
    static constexpr int kFreeTries = 5;
    static constexpr qint64 kFirstWaitMs = 2000;
    static constexpr qint64 kLongestWaitMs = 60000;
    // The class list in a contest folder: one name a line, UTF-8.
    static constexpr auto kClassListFile = "pupils.txt";

    struct Seat {
        QString name;
        QByteArray token;
        qint64 contest = 0; // its number in the record
        bool removed = false;
        int asked = 0, correct = 0, points = 0;
        std::array<int, 4> order{1, 2, 3, 4}; // the fields in slots 1..4 of its device
        int field = 0;       // answered this question (0: not yet)
    };

    // Opens the folder's record and numbers the class play. classList: the
    // class's names (empty: pupils type theirs). Throws a Failure.
    ClassPlay(const QString &folder, const ContestSettings &settings, const QStringList &classList = {});
    // Every contest still under way ends as left.
    ~ClassPlay() override;

    // The folder's class list, or none; names trimmed, blank lines and
    // repeats left out. Throws a Failure naming the file.
    static QStringList readClassList(const QString &folder);

    const QString &folder() const { return m_folder; }
    const QString &code() const { return m_code; }
    State state() const { return m_state; }
    const ContestSettings &settings() const { return m_settings; }
    qint64 number() const { return m_number; }

    // Seats a pupil by the room's code and a name (from the class list when
    // there is one); from: the device's address, whose wrong codes are
    // counted.
    struct Joined {
        Join result = Join::WrongCode;
        int seat = -1;
        QByteArray token; // the seat's, 32 hexadecimal digits (128 bits)
    };
    Joined join(const QString &code, const QString &name, const QString &from);
    // Whether code is the room's, for a device at from that has not sat
    // yet: Seated when it is (its wrong tries forgotten), else WrongCode or
    // Slowed, counted as a join's are.
    Join checkCode(const QString &code, const QString &from);
    // The seat a token acts for, -1 for none (or one removed).
    int seatOf(const QByteArray &token) const;
    const std::vector<Seat> &seats() const { return m_seats; }
    int seated() const;
    bool hasClassList() const { return !m_classList.isEmpty(); }
    // The class list's names nobody sits on yet.
    QStringList freeNames() const;
    void remove(int seat);
    void setLocked(bool locked);
    bool locked() const { return m_locked; }

    // The next question, asked of every seated pupil (recorded for each
    // before anyone sees it); Exhausted, and over, when the bank has none
    // left. Only while gathering or after a question closed.
    Contest::Draw next();
    const Contest::Question &question() const { return m_question; }
    // Questions asked so far (the one asked now included).
    int asked() const { return m_asked; }
    // The answer fields 1..4 in the order the seat's device shows them:
    // any of the 24 orders, so that no device's order, nor several compared,
    // tells which one is correct (the game's four arrangements each move the
    // correct answer, and it alone, to another slot).
    std::array<int, 4> fieldsFor(int seat) const;
    static std::array<int, 4> drawOrder();
    // The order the host screen shows the answers in, its own.
    const std::array<int, 4> &hostOrder() const { return m_hostOrder; }
    // The answer in slot 1..4 of the seat's device; written to the record
    // before it is Received. The first answer counts.
    Answer answer(int seat, int slot);
    // Several answers at once, in one write: what a whole class sends in
    // the same moment.
    std::vector<Answer> answerAll(const std::vector<std::pair<int, int>> &answers);
    int answeredCount() const;
    // How many chose each answer field 1..4 (index 0 for a1, the correct one).
    std::array<int, 4> tally() const;
    // Milliseconds left of the question's time, -1 when it has none.
    qint64 remainingMs() const;
    // Closes the question: the verdicts are out; over after the last.
    void close();
    // The teacher ends the class play.
    void end();
    // The three best seats (fewer when fewer answered right), best first.
    std::vector<int> podium() const;

signals:
    void changed();
    // The record could not be written when the time closed a question.
    void failed(const QString &message);

private:
    void startContest(Seat &seat);
    void recordQuestion(Seat &seat);
    void finish(ContestRecord::Ending ending);
    Answer take(int seat, int slot);
    bool everyoneAnswered() const;
    int pointsFor(qint64 milliseconds) const;

    QString m_folder;
    ContestSettings m_settings;
    QStringList m_classList;
    ContestRecord m_record;
    qint64 m_number = 0;
    QString m_code;
    State m_state = State::Gathering;
    bool m_locked = false;
    std::vector<Seat> m_seats;
    QHash<QByteArray, int> m_tokens;
    struct Tries {
        int wrong = 0;
        qint64 waitUntil = 0;
    };
    QHash<QString, Tries> m_tries;
    Contest::Question m_question;
    int m_asked = 0;
    std::array<int, 4> m_hostOrder{1, 2, 3, 4};
    QElapsedTimer m_shown;
    QTimer m_time;
};
