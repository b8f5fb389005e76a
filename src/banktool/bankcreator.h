#pragma once

#include "numberdigits.h"

#include <QString>

#include <optional>

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
        NumberDigits::Set digits = NumberDigits::Set::AsTyped;
    };

    // Throws a Failure (with the CSV line where there is one). An existing
    // bank or img folder in outDir is replaced only when replace is true.
    // The numbers of the question texts (and so of the pictures made from
    // them) and of the answers are written in digits, recorded with the
    // bank; without it, in the set the bank being replaced records, so a
    // bank made again keeps its digits (as typed for a new bank).
    static Result create(const QString &csvPath, const QString &outDir, bool replace,
                         std::optional<NumberDigits::Set> digits = std::nullopt);

    // The digit set the bank in folder records; as typed for a bank without
    // a record. Throws a Failure when the bank cannot be read.
    static NumberDigits::Set recordedDigits(const QString &folder);
};
