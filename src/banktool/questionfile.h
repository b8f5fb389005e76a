#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class Failure;

// A question file, whatever program wrote it: CSV, an Excel workbook (.xlsx,
// or .xls of Excel 97-2003) or an OpenDocument spreadsheet (.ods). Each
// format has its reader, which gives the file's rows; the header and the
// checks are the same for all. Every fault is a Failure naming the file and
// the place in it: the line of a CSV file, the cell of a spreadsheet
// (Sheet1!C7).
class QuestionFile {
public:
    struct Question {
        int line = 0;       // the row (the line, in a CSV file) where it starts
        QString cell;       // a spreadsheet's cell of its question ("Sheet1!A7"); empty in CSV
        QString question;   // the text to render (may be empty with a picture)
        QString answers[4]; // a1 (correct) .. a4
        QString picture;    // a picture's path as written in the file, or empty
        // A picture pasted into the spreadsheet in the question's row (its
        // file's bytes), taken when the picture column is empty.
        QByteArray pastedPicture;

        // Where it stands, as messages say it: "line 7" or "cell Sheet1!A7".
        QString place() const;
    };

    // What a reader gives: the rows of the sheet the questions are on, each
    // row its cells' texts (as the spreadsheet shows them), and for a cell
    // whose value the spreadsheet changed from what was typed, what it did.
    struct Row {
        int line = 0;
        std::vector<QString> cells;
        std::vector<QString> changed; // empty, or one entry a cell
        QByteArray pastedPicture;
    };
    struct Table {
        QString sheet; // empty for CSV
        std::vector<Row> rows;
    };

    enum class Format { Csv, Xlsx, Ods, Xls };
    // The format by the file's first bytes (a ZIP or OLE2 container by its
    // name's suffix), CSV for anything else.
    static Format formatOf(const QString &path, const QByteArray &start);

    // note, when given, gets notes for the user on how the file was read
    // (its encoding, answers that look like dates), or stays as it is.
    // Every fault of the file's rows is found: without faults, they are
    // thrown as one Failure that lists them (allFaults); with it, they are
    // put there and the rows without a fault are given. A fault of the whole
    // file (not a question file, no header, damaged) is always thrown.
    static std::vector<Question> read(const QString &path, QString *note = nullptr, std::vector<Failure> *faults = nullptr);

    // The questions of a table, by its header, in English or in Arabic.
    static std::vector<Question> questions(Table table, const QString &fileName, QString *note, std::vector<Failure> *faults = nullptr);

    // The faults of a file as one Failure: the one, or the first
    // kFaultsListed of them listed, each with its line or cell.
    static Failure allFaults(const std::vector<Failure> &faults, const QString &fileName);
    static constexpr size_t kFaultsListed = 50;

    // The name of a spreadsheet's column (0: A, 26: AA) and of a cell.
    static QString columnName(int column);
    static QString cellName(const QString &sheet, int column, qint64 line);

    // The failure of a question file's cell: "q.xlsx:Sheet1!C7: what".
    static Failure cellFailure(const QString &fileName, const QString &sheet, int column, qint64 line, const QString &what);

    // Adds a note to note, after the ones it holds.
    static void addNote(QString *note, const QString &more);
};
