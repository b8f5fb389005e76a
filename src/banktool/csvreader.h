#pragma once

#include "questionfile.h"

#include <QString>
#include <QStringList>
#include <vector>

class Failure;

// Reads a CSV question file as spreadsheets write it: RFC 4180, separated by
// commas, semicolons or tabs; UTF-8 (with or without a byte-order mark),
// UTF-16 with one, or else Windows-1256; its rows go to QuestionFile for the
// header and the checks. Every fault is a Failure that names the file and
// the line.
class CsvReader {
public:
    // A question file larger than this is refused before it is read.
    static constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;

    using Question = QuestionFile::Question;

    // The file's bytes, read only when it is a regular file of at most
    // kMaxFileBytes (a FIFO or a device is refused, never waited on).
    static QByteArray readFile(const QString &path);
    static std::vector<Question> parse(const QByteArray &data, const QString &fileName, QString *note = nullptr, std::vector<Failure> *faults = nullptr);

    // Whether text shows nothing: empty, blanks, or only invisible characters
    // (zero-width spaces, direction marks, control characters).
    static bool isBlank(const QString &text);

    // The file's text as UTF-8, whatever of the encodings above it is in
    // (a Failure naming fileName and the line for UTF-16 that is not).
    static QByteArray toUtf8(const QByteArray &raw, QString *note, const QString &fileName);
};
