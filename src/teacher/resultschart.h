#pragma once

#include "contestresults.h"

#include <QWidget>

// The bar chart of each question's share of right answers, hardest first,
// as the report prints it.
class ResultsChart : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void setResults(const ContestResults &results);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<ContestResults::Question> m_questions;
};
