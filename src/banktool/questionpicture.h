#pragma once

#include "mathparagraph.h"

#include <QImage>
#include <QString>

// The pictures a bank's img folder needs: one per question, rendered from
// its text, and the three pictures of the quiz window.
class QuestionPicture {
public:
    static constexpr int kWidth = 450;
    static constexpr int kHeight = 130;

    static constexpr int kPixelSize = 28;    // the text's size, when it fits
    static constexpr int kMinPixelSize = 18; // the smallest that reads well
    // Every picture made has this many pixels to a pixel of its size, so it
    // is sharp full screen and on a screen of double density.
    static constexpr int kDensity = 2;

    // The question's text, right to left, centred and wrapped, at the largest
    // size from kPixelSize down to kMinPixelSize at which it fits the
    // question picture (a word too long for a line, such as a long number, is
    // broken); mathematics in it is laid out as MathParagraph does. A text
    // that does not fit even at kMinPixelSize is a Failure.
    static MathParagraph fit(const QString &text);
    // That layout drawn on a 450 x 130 picture (of kDensity).
    static QImage render(const QString &text);
    // A question with both a text and a figure: the figure on the left, as
    // large as the box allows beside the text, its transparent areas on the
    // box's own colour; the text on the right at the size a text alone would
    // have when it fits there. The figure gives way, down to kMinFigureShare
    // of the width (half: its labels must read from the back of a class),
    // before the text gets smaller, down to kMinPixelSize.
    static QImage compose(const QString &text, const QImage &figure);
    static constexpr qreal kMaxFigureShare = 0.6;
    static constexpr qreal kMinFigureShare = 0.5;
    // The question box's colour, under every question picture.
    static constexpr QRgb kBoxColour = qRgb(255, 255, 250);
    // A given picture with transparent areas on the box's colour.
    static QImage onBox(const QImage &picture);

    // The quiz window's pictures, of kDensity.
    static QImage background();        // bak.jpg, 800 x 600
    static QImage placeholder();       // soal.jpg, 450 x 130
    static QImage questionButtonFace(); // bsoal.jpg, 104 x 57

};
