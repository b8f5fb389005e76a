#pragma once

#include "contestresults.h"

#include <QAbstractTableModel>

// The questions asked, hardest first: times answered, share right and the
// wrong answer chosen most.
class QuestionResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Text, Answered, Right, MostWrong, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;
    void setResults(const ContestResults &results);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ContestResults::Question> m_questions;
};
