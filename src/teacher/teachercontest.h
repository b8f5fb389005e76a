#pragma once

#include "bankcheck.h"
#include "contestresults.h"
#include "contestsettings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// A contest as the teacher sees it, for the teacher's window: opened from a
// contest folder, a bank in one, or a question file (made into its contest
// folder as the game makes it, with the same code), its questions with what
// check finds on each and where each stands in the question file, its
// settings and its results. It reads; it writes only the settings and, for a
// question file, the contest folder made from it.
class TeacherContest {
public:
    struct Question {
        qint64 id = 0;
        QString text;
        std::array<QString, 4> answers; // a1, the correct one, first
        QString picture;                // the path of its picture; empty: made from text
        QString place;                  // "line 7", "cell Sheet1!A7"; empty without a question file
        QStringList problems;           // what check finds on it
    };

    // Opens path. Throws a Failure (a question file that cannot be made into
    // a contest: its first fault, naming the line or the cell).
    void open(const QString &path);
    // Makes the contest again from the question file (after it changed on
    // disk), or reads the folder again. Throws as open() does.
    void reload();

    const QString &path() const { return m_path; }
    const QString &folder() const { return m_folder; }
    // The question file it was made from; empty for a folder.
    const QString &questionFile() const { return m_questionFile; }

    const std::vector<Question> &questions() const { return m_questions; }
    // The problems of the whole bank (not of one question), and its warnings.
    const QStringList &bankProblems() const { return m_bankProblems; }

    ContestSettings settings() const;
    void saveSettings(const ContestSettings &settings) const;
    ContestResults results() const;
    // Changes whenever the game writes to the record: its file's and its
    // journal's times and sizes.
    QByteArray resultsStamp() const;

    // The game on this contest, in a window or full screen; false when it
    // could not be started.
    // classPlay: the whole class on phones and tablets (mathcontest --class).
    bool startGame(bool fullScreen, bool classPlay = false) const;

private:
    // The rows without a fault of a question file that could not be made
    // into a contest, as its questions (no picture made yet).
    void preview();

    QString m_path, m_folder, m_questionFile;
    std::vector<Question> m_questions;
    QStringList m_bankProblems;
};
