#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Reads a question file: UTF-8 CSV (RFC 4180) with the header
// question,a1,a2,a3,a4 and an optional picture column, in any order.
// Every fault is a Failure that names the file and the line.
class CsvReader {
public:
    struct Question {
        int line = 0;       // where the record starts in the file
        QString question;   // the text to render (may be empty with a picture)
        QString answers[4]; // a1 (correct) .. a4
        QString picture;    // a JPEG path as written in the file, or empty
    };

    static std::vector<Question> read(const QString &path);
    static std::vector<Question> parse(const QByteArray &data, const QString &fileName);
};
