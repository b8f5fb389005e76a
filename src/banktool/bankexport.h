#pragma once

#include <QString>

// Writes a program folder's bank as a question file in the format that
// "create" reads: the bank holds no question text, so each question names
// its picture instead. create --from that file gives back the same bank.
class BankExport {
public:
    // UTF-8 with a byte-order mark, so spreadsheet programs read the Arabic
    // right; picture paths relative to the CSV file's folder. Whole or not at
    // all. An existing file is replaced only when replace is true, and never
    // one of the contest folder's own files. Gives the number of questions.
    static int write(const QString &programFolder, const QString &csvPath, bool replace = false);

    // One CSV field, quoted (quotation marks inside doubled), in UTF-8.
    static QByteArray quoted(const QString &text);

    // Writes text to csvPath, whole or not at all, refusing an existing file
    // unless replace is true and any file of the contest folder whatever.
    static void writeFile(const QString &programFolder, const QString &csvPath, const QByteArray &text, bool replace);
};
