#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Reads a question file as spreadsheets write it: CSV (RFC 4180) separated
// by commas, semicolons or tabs; UTF-8 (with or without a byte-order mark),
// UTF-16 with one, or else Windows-1256; the header question,a1,a2,a3,a4 and
// an optional picture column, in any order, in English or in Arabic; blank
// rows and blank columns at the end left out. Every fault is a Failure that
// names the file and the line.
class CsvReader {
public:
    // A question file larger than this is refused before it is read.
    static constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;

    struct Question {
        int line = 0;       // where the record starts in the file
        QString question;   // the text to render (may be empty with a picture)
        QString answers[4]; // a1 (correct) .. a4
        QString picture;    // a JPEG path as written in the file, or empty
    };

    // note, when given, gets a note for the user on how the file was read
    // (an encoding other than UTF-8), or stays as it is.
    static std::vector<Question> read(const QString &path, QString *note = nullptr);
    // The file's bytes, read only when it is a regular file of at most
    // kMaxFileBytes (a FIFO or a device is refused, never waited on).
    static QByteArray readFile(const QString &path);
    static std::vector<Question> parse(const QByteArray &data, const QString &fileName, QString *note = nullptr);

    // Whether text shows nothing: empty, blanks, or only invisible characters
    // (zero-width spaces, direction marks, control characters).
    static bool isBlank(const QString &text);

    // The file's text as UTF-8, whatever of the encodings above it is in
    // (a Failure naming fileName and the line for UTF-16 that is not).
    static QByteArray toUtf8(const QByteArray &raw, QString *note, const QString &fileName);
};
