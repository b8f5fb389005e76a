#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <utility>
#include <vector>

// What an Excel 97-2003 workbook holds that FreeXL does not tell: the code
// page it was written in, which of its sheets are hidden, and the number
// format of each cell holding a number. Read from the BIFF8 records of the
// Workbook stream of its compound file, and from the compound file's
// directory whether it is an encrypted Office 2007 workbook instead. Every
// size is bounded by the file's: nothing is held that the file does not hold.
class XlsRecords {
public:
    enum class Kind {
        NotCompound, // not a compound file, or a damaged one
        Encrypted,   // an .xlsx encrypted with a password (EncryptedPackage)
        NoWorkbook,  // a compound file without a workbook (a .doc, say)
        Workbook,
    };
    struct Sheet {
        QString name;
        bool visible = true;
        quint32 offset = 0; // of its BOF record in the Workbook stream
    };

    // The workbook's records; cells of the sheet chosen with readCells.
    static XlsRecords read(const QByteArray &file);

    Kind kind() const { return m_kind; }
    // The CODEPAGE record's, or 0 when there is none.
    int codePage() const { return m_codePage; }
    // Whether the workbook's global records were read whole (BIFF8): its
    // worksheets and number formats below are known.
    bool complete() const { return m_complete; }
    // The worksheets, in their order (charts and macro sheets left out).
    const std::vector<Sheet> &sheets() const { return m_sheets; }

    // Reads the number formats of the cells of sheet, up to maxRows and
    // maxColumns.
    void readCells(const Sheet &sheet, int maxRows, int maxColumns);
    // The number format id of the cell at row and column (from 0) that
    // readCells found holding a number, and the workbook's own formats.
    std::optional<int> formatId(int row, int column) const;
    const std::map<int, QString> &formats() const { return m_formats; }

private:
    Kind m_kind = Kind::NotCompound;
    int m_codePage = 0;
    bool m_complete = false;
    QByteArray m_stream;
    std::vector<Sheet> m_sheets;
    std::map<int, QString> m_formats;
    std::vector<quint16> m_xfFormats; // by cell format (XF) index
    std::vector<std::pair<quint32, quint16>> m_cells; // row << 8 | column, XF index
};
