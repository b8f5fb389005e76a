#pragma once

#include "questionfile.h"

#include <QByteArray>
#include <QString>

// The readers of spreadsheet files, each giving the rows of the sheet that
// holds the questions: the sheet named "questions" or "الأسئلة" when there is
// one, else the first. A cell's text is the text the spreadsheet shows for
// it; a date, a time or a number shown as a fraction in a cell is recorded as
// changed by the spreadsheet, with what it stored. A picture pasted into a
// row (anchored to one of its cells) comes with the row.
//   .xlsx  liborcus for the cells, its ZIP reader for the number formats
//          and the pasted pictures, which its document model leaves out
//   .ods   the document's content read here: it holds each cell's shown
//          text and value type, which liborcus's document model drops
//   .xls   FreeXL, which tells dates and times from numbers
// A file that is not what its name says, damaged, encrypted or too large
// once unpacked is a Failure naming it.
class SpreadsheetReader {
public:
    // The most a spreadsheet's parts may take unpacked, together.
    static constexpr qint64 kMaxUnpackedBytes = 512LL * 1024 * 1024;

    static QuestionFile::Table readXlsx(const QString &path, const QByteArray &data);
    static QuestionFile::Table readOds(const QString &path, const QByteArray &data);
    static QuestionFile::Table readXls(const QString &path);

    // The text a spreadsheet shows for number under format code (Excel's
    // codes: General, 0.00, #,##0, 0%, ...), and what kind of value the code
    // makes of it.
    enum class Shown { Number, Date, Time, Fraction };
    static Shown kindOf(const QString &code);
    static QString formatNumber(double number, const QString &code);
};
