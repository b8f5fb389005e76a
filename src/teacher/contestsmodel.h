#pragma once

#include "contestresults.h"

#include <QAbstractTableModel>

// The contests of a folder's record as a table: number, player, start,
// score and how each ended.
class ContestsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Player, Started, Score, Ending, ClassPlay, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;
    void setResults(const ContestResults &results);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ContestResults::Contest> m_contests;
};
