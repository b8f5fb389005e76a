#pragma once

#include <QString>
#include <array>
#include <vector>

// Writes a new question bank file: table soaal with IDs 1..N in the order
// given, every used mark False.
class BankFile {
public:
    using Answers = std::array<QString, 4>; // a1 (the correct one) .. a4

    // What a bank may hold beside table soaal, each in a table of its own.
    struct Extras {
        // The Access file it was imported from (table access_source).
        QString accessSource;
        // Each question's text, in ID order; empty for a question that has
        // none (table question_text).
        std::vector<QString> texts;
        // Whether each question's picture was given (a file, or one pasted
        // into a spreadsheet), in ID order, rather than rendered from its
        // text (table given_picture, of the IDs given one).
        std::vector<bool> givenPictures;
        // The digit set its numbers were written in ("western", "eastern"),
        // or nothing when they are as typed (table digit_set).
        QString digits;
    };

    // Writes the bank at path, which must not exist yet. All questions go in
    // one transaction. Throws a Failure naming the file.
    static void write(const QString &path, const std::vector<Answers> &questions, const Extras &extras = {});

    // The same, whole or not at all: written beside path under another name,
    // then renamed into place. An existing file at path is replaced only when
    // replace is true.
    static void writeWhole(const QString &path, const std::vector<Answers> &questions, bool replace, const Extras &extras = {});
};
