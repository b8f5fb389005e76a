#pragma once

#include "sqliteconnection.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <array>
#include <functional>

// The record of a contest folder's contests: results.sqlite in the folder,
// beside the bank and never inside it, so a bank made again keeps its
// results. One row a contest (its number, the player, when it started and
// ended, the settings, how it ended) and one a question drawn (its place in
// the contest, the question and its text and answers as they were, when it
// was shown, and once answered: the answer field chosen, the slot it stood
// in, whether it was right and how long it took). Each step is written, in
// a transaction of its own, before the player sees it.
class ContestRecord {
public:
    static constexpr auto kFileName = "results.sqlite";
    // 2: a contest played in a class play names it (class_play).
    static constexpr int kSchemaVersion = 2;

    enum class Ending { Completed, BankExhausted, Exit, NewContest };
    // How an ending is stored: "completed", "bank exhausted", "exit",
    // "new contest".
    static QString endingName(Ending ending);

    // Write: the game's, under its lock. Read: opening it never makes or
    // changes the file.
    enum class Access { Write, Read };

    // Opens the record of the contest folder: to write, making it (or
    // bringing an older one up to date); to read, as it is. A trigger that
    // can undo what the game writes (answers lost without a word) is
    // refused, and so is a view in a table's place. Throws a Failure naming
    // the file.
    static ContestRecord open(const QString &folder, Access access = Access::Write);
    // False when read before the game ever wrote the tables (an empty file).
    bool hasContests() const { return m_tables; }
    ~ContestRecord();
    ContestRecord(ContestRecord &&other) noexcept;
    ContestRecord &operator=(ContestRecord &&) = delete;

    // A new contest's number (1, 2, ...).
    // classPlay: the class play it is played in (from newClassPlay()), 0 for
    // the game's own.
    qint64 startContest(const QString &player, const QString &settings, const QDateTime &at, qint64 classPlay = 0);
    // A number for a new class play (1, 2, ...).
    qint64 newClassPlay();
    // Runs writes in one transaction: every write in it stands, or none
    // does (the answers of a whole class written at once).
    void batch(const std::function<void()> &writes);
    // The schema version the file is read with (the older one a file read
    // as it is may have).
    int version() const { return m_version; }
    void recordDraw(qint64 contest, int position, qint64 question, const QString &text, const std::array<QString, 4> &answers, const QDateTime &at);
    // field: 1..4 for a1..a4; slot: 1..4 counted from the top.
    void recordAnswer(qint64 contest, int position, int field, int slot, bool correct, qint64 milliseconds);
    void endContest(qint64 contest, Ending ending, const QDateTime &at);

    const QString &path() const { return m_path; }
    // The open record, for reading it.
    const QSqlDatabase &database() const { return m_connection.database(); }

    // A time as the record keeps it: local time with its offset, ISO 8601.
    static QString timeText(const QDateTime &at);

private:
    explicit ContestRecord(QString path);
    // Runs statement with values bound in order, in a transaction of its
    // own; operation names it in a failure.
    void write(const QString &statement, const QVariantList &values, const QString &operation);
    // Throws the Failure of a write: what could not be written, and why.
    [[noreturn]] void failed(const QString &operation, const QString &error) const;
    // Throws a Failure when the file holds a trigger or a view that can undo
    // or swallow the record's writes.
    void checkWritesStick() const;

    QSqlDatabase &db() { return m_connection.database(); }
    const QSqlDatabase &db() const { return m_connection.database(); }

    QString m_path;
    SqliteConnection m_connection;
    bool m_tables = true;
    bool m_inBatch = false;
    int m_version = kSchemaVersion;
};
