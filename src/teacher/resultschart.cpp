#include "resultschart.h"

#include "resultsreport.h"

#include <QPainter>

void ResultsChart::setResults(const ContestResults &results)
{
    m_questions = results.questions;
    setMinimumHeight(int(std::max<size_t>(1, m_questions.size()) * ResultsReport::kBarHeight) + 8);
    updateGeometry();
    update();
}

QSize ResultsChart::sizeHint() const
{
    return QSize(360, minimumHeight());
}

void ResultsChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    ResultsReport::paintChart(painter, QRectF(rect()).adjusted(4, 4, -4, -4), m_questions);
}
