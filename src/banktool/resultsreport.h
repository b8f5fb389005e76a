#pragma once

#include "contestresults.h"

#include <QByteArray>
#include <QRectF>
#include <QString>

class QPainter;

// The teacher's report of a contest folder's results, in the forms it is
// read in: each contest's ending in words, the answers as CSV (one row an
// answer), the bar chart of each question's share of right answers
// (hardest first), and a PDF of the contests, the chart and the questions.
class ResultsReport {
public:
    static QString endingText(const QString &ending);
    // UTF-8 with a byte-order mark; seconds with one decimal.
    static QByteArray csv(const ContestResults &results);
    // Bars from the right, one a question, in area; as many as fit.
    static void paintChart(QPainter &painter, const QRectF &area, const std::vector<ContestResults::Question> &questions);
    static constexpr qreal kBarHeight = 16;
    // Writes the PDF report of folder's results at pdfPath (refused where a
    // file is, unless replace is true). Gives its pages. Throws a Failure.
    static int writePdf(const QString &folder, const QString &pdfPath, bool replace);
};
