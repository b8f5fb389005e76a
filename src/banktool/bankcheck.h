#pragma once

#include <QString>
#include <QStringList>

// Everything that would stop or spoil a contest in a program folder, found
// all at once: the bank (file, table, fields, numbering, marks), the answers
// of every question (empty, two the same) and every picture.
class BankCheck {
public:
    struct Report {
        QStringList problems; // each stops or spoils the contest
        QStringList warnings; // worth knowing, the contest can still run
        int questions = 0;
        bool ready() const { return problems.isEmpty(); }
    };

    static Report run(const QString &programFolder);
};
