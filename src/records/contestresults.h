#pragma once

#include <QString>

#include <vector>

// What a contest folder's record says, for the teacher: each contest, and
// each question asked at least once, hardest first.
class ContestResults {
public:
    // Fewer answers than this tell little of a question's difficulty.
    static constexpr int kFewAnswers = 5;

    struct Contest {
        qint64 number = 0;
        QString player;  // empty when no name was asked
        QString started; // ISO 8601, local time with its offset
        int correct = 0;
        int asked = 0;
        QString ending;  // "completed", ..., or empty (the program was killed)
        qint64 classPlay = 0; // the class play it was played in, 0 for the game's
        int drawn = 0;        // questions asked, answered or not
    };
    struct Question {
        qint64 id = 0;
        QString text;       // as it was when last asked (empty: none)
        int asked = 0;      // times answered
        int correct = 0;
        QString mostWrong;  // the wrong answer chosen most ("" when none)
        int mostWrongTimes = 0;
        double percentCorrect() const { return asked ? 100.0 * correct / asked : 0.0; }
    };
    // One answered question, as the CSV has it.
    struct Answer {
        qint64 contest = 0;
        QString player, started;
        qint64 question = 0;
        QString text, chosen, chosenText;
        bool correct = false;
        qint64 milliseconds = 0;
    };

    // Reads the record of the folder (none yet: no contests). Throws a
    // Failure naming the file.
    static ContestResults read(const QString &folder);

    std::vector<Contest> contests;
    std::vector<Question> questions; // hardest first: least right, most asked
    std::vector<Answer> answers;     // in contest and place order
};
