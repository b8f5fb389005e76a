#pragma once

#include <QString>

// Makes a program folder's bank from a question file: DIR/db1.sqlite and
// DIR/img with one picture per question and the quiz window's three
// pictures. The output appears whole or not at all.
class BankCreator {
public:
    // A question with both a text and a picture has the two composed in its
    // picture, and the picture as it was given kept in img/ under this
    // prefix and its number (figure-7.png, without loss), so that export can
    // give it back.
    static constexpr const char *kFigurePrefix = "figure-";

    struct Result {
        int questions = 0;
        QString bankPath;
        QString note; // how the question file was read, when worth saying
    };

    // Throws a Failure (with the CSV line where there is one). An existing
    // bank or img folder in outDir is replaced only when replace is true.
    static Result create(const QString &csvPath, const QString &outDir, bool replace);
};
