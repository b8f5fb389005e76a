#pragma once

#include "questionfile.h"

#include <QByteArray>
#include <QString>

// The readers of spreadsheet files, each giving the rows of the sheet that
// holds the questions: the first sheet named "questions" or "الأسئلة" when
// there is one, else the first visible one. A cell's text is the text the
// spreadsheet shows for it. A value the spreadsheet made of what was typed,
// or shows otherwise than it holds it, is recorded with what it did: a date,
// a time, a number shown as a fraction, a percentage, rounded, or in a format
// shown here otherwise than the spreadsheet shows it; and a formula with no
// stored value. A picture pasted into a row (anchored to one of its cells)
// comes with the row.
//   .xlsx  the workbook's parts read here, through liborcus's ZIP reader
//   .ods   the document's content read here: it holds each cell's shown
//          text and value type, which liborcus's document model drops
//   .xls   FreeXL for the cells; the code page, the sheets' visibility and
//          the cells' number formats from the workbook's records (XlsRecords)
// Every size is bounded before it is held: a file that is not what its name
// says, damaged, encrypted, or larger than the bounds below is a Failure
// naming it, and a cell past them one naming the cell.
class SpreadsheetReader {
public:
    // The most a spreadsheet's parts may take unpacked, together.
    static constexpr qint64 kMaxUnpackedBytes = 512LL * 1024 * 1024;
    // Rows and columns read at most: far more than any bank. Something in a
    // row or a column past them is refused; empty rows and cells past them
    // (spreadsheets write them to the sheet's end) are not.
    static constexpr qint64 kMaxRows = 200000;
    static constexpr qint64 kMaxColumns = 64;
    // The cells holding something that the rows may take together.
    static constexpr qint64 kMaxCells = 4000000;
    // The longest text a cell holds (Excel's and Calc's own bound).
    static constexpr qint64 kMaxCellChars = 32767;
    // The most entries a part of a workbook may hold: its shared texts,
    // number formats, cell formats, relationships.
    static constexpr qint64 kMaxEntries = 2000000;

    static QuestionFile::Table readXlsx(const QString &path, const QByteArray &data);
    static QuestionFile::Table readOds(const QString &path, const QByteArray &data);
    static QuestionFile::Table readXls(const QString &path, const QByteArray &data);

    // The text a spreadsheet shows for number under format code (Excel's
    // codes: General, 0.00, #,##0, 0%, 0.00E+00, "$"0;(0), 000, 0" cm", ...),
    // and what kind of value the code makes of it. A null text when the code
    // is one the bank tool cannot show exactly as the spreadsheet does.
    enum class Shown { Number, Date, Time, Fraction };
    static Shown kindOf(const QString &code);
    static QString formatNumber(double number, const QString &code);
    // Excel's number format of a built-in id (0: General, 9: 0%, ...).
    static QString builtinFormat(int id);
};
