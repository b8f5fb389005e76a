#pragma once

#include <QImage>
#include <QString>

// The pictures a bank's img folder needs: one per question, rendered from
// its text, and the three pictures of the quiz window.
class QuestionPicture {
public:
    static constexpr int kWidth = 450;
    static constexpr int kHeight = 130;

    // The question's text, right to left, centred and wrapped; taller than
    // 450 x 130 only when the text needs it. Numbers and expressions inside
    // the text ("3/4 + 1/4", "-4") keep their left-to-right order.
    static QImage render(const QString &text);

    static QImage background();        // bak.jpg, 800 x 600
    static QImage placeholder();       // soal.jpg, 450 x 130
    static QImage questionButtonFace(); // bsoal.jpg, 104 x 57

    // Wraps every mathematical expression of text in a left-to-right isolate.
    static QString isolateExpressions(const QString &text);
};
