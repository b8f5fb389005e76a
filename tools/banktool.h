#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

// mathcontest-bank: the command-line tool that prepares question banks.
class BankTool {
    Q_DECLARE_TR_FUNCTIONS(BankTool)
public:
    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;
    static constexpr int kUsage = 2;

    // arguments without the program name; output and errors go to out and err.
    static int run(const QStringList &arguments, QTextStream &out, QTextStream &err);
};
