#include "resultsreport.h"

#include "bankexport.h"
#include "pdfpages.h"
#include "translation.h"

#include "mathtext.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include <unordered_set>
#include <QDir>
#include <QPainter>

QString ResultsReport::endingText(const QString &ending)
{
    if (ending == QLatin1String("completed"))
        return QCoreApplication::translate("BankTool", "completed");
    if (ending == QLatin1String("bank exhausted"))
        return QCoreApplication::translate("BankTool", "the bank ran out");
    if (ending == QLatin1String("exit"))
        return QCoreApplication::translate("BankTool", "ended with the exit label");
    if (ending == QLatin1String("new contest"))
        return QCoreApplication::translate("BankTool", "ended for a new contest");
    return QCoreApplication::translate("BankTool", "not ended (the program was stopped)");
}

std::vector<ContestResults::Contest> ResultsReport::shownContests(const ContestResults &results)
{
    std::vector<ContestResults::Contest> shown;
    std::unordered_set<qint64> answered;
    for (const ContestResults::Answer &a : results.answers)
        answered.insert(a.contest);
    // A pupil of a class play who answered nothing still has a mark.
    for (const ContestResults::Contest &c : results.contests) {
        if (answered.count(c.number) || c.classPlay > 0)
            shown.push_back(c);
    }
    return shown;
}

QString ResultsReport::startedText(const QString &started)
{
    const QDateTime at = QDateTime::fromString(started, Qt::ISODateWithMs);
    return at.isValid() ? QLocale().toString(at.toLocalTime(), QLocale::ShortFormat) : Translation::shown(started);
}

QString ResultsReport::scoreText(const ContestResults::Contest &contest)
{
    // In class play, a question left unanswered counts as asked.
    return QCoreApplication::translate("BankTool", "%1 of %2").arg(contest.correct).arg(contest.classPlay > 0 ? contest.drawn : contest.asked);
}

QString ResultsReport::contestLine(const ContestResults::Contest &c)
{
    return QCoreApplication::translate("BankTool", "%1. %2, %3: %4 right, %5")
        .arg(QString::number(c.number), c.player.isEmpty() ? QCoreApplication::translate("BankTool", "(no name)") : Translation::shown(c.player),
             Translation::isolate(startedText(c.started)), scoreText(c), endingText(c.ending));
}

QString ResultsReport::questionText(const QString &text)
{
    return MathText::isolated(Translation::shown(text));
}

QByteArray ResultsReport::csv(const ContestResults &results)
{
    QByteArray text("\xEF\xBB\xBF" "contest,player,started,question,question_text,chosen,chosen_text,correct,seconds\r\n");
    for (const ContestResults::Answer &a : results.answers) {
        text += QByteArray::number(a.contest) + ',' + BankExport::quoted(a.player) + ',' + BankExport::quoted(a.started) + ','
            + QByteArray::number(a.question) + ',' + BankExport::quoted(a.text) + ',' + a.chosen.toLatin1() + ',' + BankExport::quoted(a.chosenText) + ','
            + (a.correct ? '1' : '0') + ',' + QByteArray::number(double(a.milliseconds) / 1000.0, 'f', 1) + "\r\n";
    }
    return text;
}

void ResultsReport::paintChart(QPainter &painter, const QRectF &area, const std::vector<ContestResults::Question> &questions)
{
    painter.save();
    constexpr qreal kLabelWidth = 70, kValueWidth = 44;
    const qreal barSpace = area.width() - kLabelWidth - kValueWidth;
    QFont font = painter.font();
    font.setPixelSize(int(kBarHeight * 0.7));
    painter.setFont(font);
    qreal y = area.top();
    for (const ContestResults::Question &q : questions) {
        if (y + kBarHeight > area.bottom())
            break;
        const QRectF label(area.right() - kLabelWidth, y, kLabelWidth - 6, kBarHeight);
        painter.setPen(Qt::black);
        painter.drawText(label, Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter, QCoreApplication::translate("ResultsReport", "question %1").arg(q.id));
        // The question itself beside its number, as far as the bar leaves room.
        if (!q.text.isEmpty()) {
            const qreal length = barSpace * q.percentCorrect() / 100.0;
            const qreal room = barSpace - length - kValueWidth - 8;
            if (room > 40) {
                const QRectF textArea(area.right() - kLabelWidth - barSpace + 4, y, room, kBarHeight);
                painter.setPen(QColor(60, 60, 60));
                painter.drawText(textArea, Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter,
                                 painter.fontMetrics().elidedText(questionText(q.text), Qt::ElideMiddle, int(room)));
            }
        }
        // From the right, as Arabic reads; red below half right, green above.
        const qreal length = barSpace * q.percentCorrect() / 100.0;
        const QRectF bar(area.right() - kLabelWidth - length, y + 2, length, kBarHeight - 4);
        const QColor colour = q.percentCorrect() < 50 ? QColor(205, 70, 60) : QColor(60, 150, 80);
        painter.fillRect(bar, colour);
        painter.setPen(QColor(120, 120, 120));
        painter.drawLine(QPointF(area.right() - kLabelWidth, y), QPointF(area.right() - kLabelWidth, y + kBarHeight));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(bar.left() - kValueWidth, y, kValueWidth - 4, kBarHeight), Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1%").arg(qRound(q.percentCorrect())));
        y += kBarHeight;
    }
    painter.restore();
}

int ResultsReport::writePdf(const QString &folder, const QString &pdfPath, bool replace)
{
    const QString target = BankExport::refuseToWrite(folder, pdfPath, replace);
    const ContestResults results = ContestResults::read(QDir(folder).absolutePath());
    const QString title = QCoreApplication::translate("ResultsReport", "Results of the contests");
    PdfPages pages(target, title);
    QPainter &painter = pages.painter();
    pages.line(title, PdfPages::font(18, true), Qt::AlignHCenter);
    pages.line(Translation::isolate(QDir(folder).absolutePath()), PdfPages::font(10), Qt::AlignHCenter);
    pages.advance(10);
    pages.line(QCoreApplication::translate("ResultsReport", "The contests"), PdfPages::font(14, true));
    const QFont body = PdfPages::font(11);
    const std::vector<ContestResults::Contest> contests = shownContests(results);
    for (const ContestResults::Contest &c : contests)
        pages.line(contestLine(c), body);
    if (contests.empty())
        pages.line(QCoreApplication::translate("ResultsReport", "No contest has been played in this folder yet."), body);
    pages.advance(10);
    pages.line(QCoreApplication::translate("ResultsReport", "Right answers, hardest question first"), PdfPages::font(14, true));
    // The chart, a page at a time.
    for (size_t from = 0; from < results.questions.size();) {
        pages.need(3 * kBarHeight);
        const size_t fit = size_t(std::max(1.0, (PdfPages::kHeight - pages.y()) / kBarHeight));
        const std::vector<ContestResults::Question> part(results.questions.begin() + qsizetype(from),
                                                         results.questions.begin() + qsizetype(std::min(results.questions.size(), from + fit)));
        painter.setFont(body);
        paintChart(painter, QRectF(0, pages.y(), PdfPages::kWidth, part.size() * kBarHeight), part);
        pages.advance(part.size() * kBarHeight);
        from += part.size();
        if (from < results.questions.size())
            pages.newPage();
    }
    pages.advance(10);
    pages.line(QCoreApplication::translate("ResultsReport", "The questions"), PdfPages::font(14, true));
    for (const ContestResults::Question &q : results.questions) {
        QString line = QCoreApplication::translate("BankTool", "question %1: %2% right of %n answer(s)", nullptr, q.asked).arg(q.id).arg(qRound(q.percentCorrect()));
        if (!q.text.isEmpty())
            line += QStringLiteral(" — ") + questionText(q.text);
        if (q.mostWrongTimes > 0)
            line += QCoreApplication::translate("BankTool", "; wrong answer chosen most: %1 (%n time(s))", nullptr, q.mostWrongTimes).arg(Translation::shown(q.mostWrong));
        pages.line(line, body);
    }
    pages.finish();
    return pages.pages();
}
