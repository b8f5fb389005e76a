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
    // The contests a report lists: those in which a question was answered
    // (a contest begun and left at once, such as one ended by Ctrl+N or a
    // cancelled start, tells nothing).
    static std::vector<ContestResults::Contest> shownContests(const ContestResults &results);
    // When a contest began, in local time as the user's language writes it
    // (the record and the CSV keep ISO 8601).
    static QString startedText(const QString &started);
    // "6 of 10", read the same way in either direction.
    static QString scoreText(const ContestResults::Contest &contest);
    // One contest in a line: number, player, start, score, ending.
    static QString contestLine(const ContestResults::Contest &contest);
    // A question's text as the pupils read it: expressions kept in their
    // own order inside the Arabic, never reordered by it.
    static QString questionText(const QString &text);
    // UTF-8 with a byte-order mark; seconds with one decimal.
    static QByteArray csv(const ContestResults &results);
    // Bars from the right, one a question, in area; as many as fit.
    static void paintChart(QPainter &painter, const QRectF &area, const std::vector<ContestResults::Question> &questions);
    static constexpr qreal kBarHeight = 16;
    // Writes the PDF report of folder's results at pdfPath (refused where a
    // file is, unless replace is true). Gives its pages. Throws a Failure.
    static int writePdf(const QString &folder, const QString &pdfPath, bool replace);
};
