#pragma once

#include "contestfolder.h"
#include "questionrecord.h"
#include "sqliteconnection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <array>
#include <map>
#include <optional>
#include <set>
#include <vector>

class QSqlError;

// The question bank: the file db1.sqlite in the program folder, table soaal
// with ID (1..N), the used mark YN and the answers a1..a4 (a1 is the correct
// one). One QuestionBank is one handler run's connection: openBank() opens it
// with the table record set, and everything is released when it goes out of
// scope. Every failure is a Failure that names the file and, where there is
// one, the question number.
class QuestionBank {
public:
    static constexpr auto kFileName = ContestFolder::kBankFileName;
    static constexpr auto kTable = "soaal";
    // How long a bank locked by another program is waited for.
    static constexpr int kBusyTimeoutMs = 1500;

    // The longest bank path the database engine opens.
    static constexpr qsizetype kMaxPathBytes = 512;

    static QString filePath(const QString &contestFolder);
    // Throws a Failure when path is longer than the engine opens.
    static void checkPathLength(const QString &path);

    static QuestionBank openBank(const QString &contestFolder);
    ~QuestionBank();
    QuestionBank(QuestionBank &&other) noexcept;
    QuestionBank &operator=(QuestionBank &&) = delete;

    // N, the number of questions.
    qint64 countQuestions();
    // The number of questions whose used mark is set.
    qint64 countUsedQuestions();

    // Everything that would stop a contest on this bank: damage, a missing
    // field, no rows, IDs that are not exactly 1..n, a used mark that is not
    // 0 or 1. Throws a Failure for the first fault found.
    void checkForContest(qint64 n);
    // The same in two parts: the structure and numbering (quick, whatever
    // the bank's size) and the whole file's integrity (reads every page).
    void checkStructure(qint64 n);
    void checkIntegrity();
    // That the marks the game writes stay written: soaal a table, and no
    // trigger on it that stops or undoes a write.
    void checkWritesStick();
    // The part of the check that a bank changed while a contest runs can
    // fail: a used mark that is not 0 or 1 (quick, whatever the bank's size).
    void checkMarks();

    // Sets every used mark of questions 1..n to False, all or nothing; only
    // the rows that were marked are written.
    void clearUsedMarks(qint64 n);

    // The question record set standing on question id's row.
    QuestionRecord openQuestion(qint64 id);
    // Closes it; nothing is written.
    void releaseQuestion(QuestionRecord &record);
    // Sets its used mark, saved before this returns, and closes it.
    void markQuestionUsed(QuestionRecord &record);

    // Every question's ID and answers a1..a4, in ID order (NULL as an empty
    // text).
    struct Answers {
        qint64 id;
        std::array<QString, 4> answers;
    };
    std::vector<Answers> allAnswers();

    // The record of the Access file the bank was imported from, or an empty
    // text for a bank made otherwise.
    QString accessSource();
    // The texts the bank holds, by question ID (none for a bank without
    // them).
    std::map<qint64, QString> questionTexts();
    // The questions whose pictures were given rather than rendered from
    // their texts; nothing for a bank made before the record was kept.
    std::optional<std::set<qint64>> givenPictures();
    // The digit set the bank's numbers were written in ("western",
    // "eastern"), or an empty text when they are as typed.
    QString digitSet();
    // Question id's text, or an empty text.
    QString questionText(qint64 id);

    const QString &path() const { return m_path; }

private:
    // The value of a one-row table the bank tool writes (empty when the
    // bank has no such table); operation names the read in a failure.
    QString singleValue(const QString &table, const QString &column, const QString &operation);
    explicit QuestionBank(QString path);
    [[noreturn]] void fail(const QString &operation, const QSqlError &error, qint64 questionId = 0) const;
    qint64 scalar(const QString &sql, const QString &operation);

    QSqlDatabase &db() { return m_connection.database(); }

    QString m_path;
    SqliteConnection m_connection;
};
