#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Writes a program folder's bank as a question file in the format that
// "create" reads: each question's text and answers, and the picture of a
// question whose picture was given (not one rendered from its text), copied
// into a folder beside the file (NAME-pictures/), so that the file and its
// folder are a whole bank, to make again anywhere. create --from that file
// gives back the same bank.
class BankExport {
public:
    enum class Format { Csv, Xlsx };

    // CSV: UTF-8 with a byte-order mark, so spreadsheet programs read the
    // Arabic right. Xlsx: an Excel workbook whose columns are Text, so a
    // spreadsheet never turns 7/8 into a date. Whole or not at all. An
    // existing file (or pictures' folder) is replaced only when replace is
    // true, and never one of the contest folder's own files. Gives the
    // number of questions.
    static int write(const QString &contestFolder, const QString &path, bool replace = false, Format format = Format::Csv);

    // The folder beside path that holds its pictures.
    static QString picturesFolder(const QString &path);

    // Writes rows (the first the header) as an Excel workbook of one sheet,
    // "questions", every column Text, the sheet right to left when asked;
    // whole or not at all.
    static void writeXlsx(const std::vector<QStringList> &rows, const QString &path, bool rightToLeft);

    // One CSV field, quoted (quotation marks inside doubled), in UTF-8.
    static QByteArray quoted(const QString &text);

    // Throws a Failure when path may not be written: a file of the contest
    // folder whatever (through any symbolic link, one leading nowhere yet
    // too), or a file already there unless replace is true. Gives the file
    // path names, every link resolved: the one to write.
    static QString refuseToWrite(const QString &contestFolder, const QString &path, bool replace);

    // Writes text to csvPath, whole or not at all, refusing an existing file
    // unless replace is true and any file of the contest folder whatever.
    static void writeFile(const QString &contestFolder, const QString &csvPath, const QByteArray &text, bool replace);
};
