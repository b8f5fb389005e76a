#pragma once

#include <QString>

#include <array>

// A contest folder's questions on paper: a worksheet PDF, each question's
// picture with its four answers labelled أ ب ج د (in an order shuffled once
// per question, the same on every print, so the answer key fits every copy),
// several questions a page, right to left, the pictures at their full
// density; and its answer key.
class Worksheet {
public:
    static constexpr int kQuestionsPerPage = 4;

    // The order of question id's answers on paper: the field (0 for a1, the
    // correct one, .. 3) under each label.
    static std::array<int, 4> order(qint64 id);
    // The label of place 0..3: أ ب ج د.
    static QString label(int place);

    // Writes the worksheet (key false) or its answer key (key true) of the
    // bank in folder at pdfPath, refused where a file is unless replace is
    // true. Gives the number of pages. Throws a Failure.
    static int write(const QString &folder, const QString &pdfPath, bool key, bool replace);
};
