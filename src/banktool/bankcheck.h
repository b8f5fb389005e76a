#pragma once

#include <QString>
#include <QStringList>

#include <map>

// Everything that would stop or spoil a contest in a program folder, found
// all at once: the bank (file, table, fields, numbering, marks), the answers
// of every question (empty, two the same) and every picture.
class BankCheck {
public:
    struct Report {
        QStringList problems; // each stops or spoils the contest
        QStringList warnings; // worth knowing, the contest can still run
        // The problems and warnings that concern one question, by its ID
        // (also in the lists above).
        std::map<qint64, QStringList> byQuestion;
        int questions = 0;
        bool ready() const { return problems.isEmpty(); }
    };

    static Report run(const QString &contestFolder);
};
