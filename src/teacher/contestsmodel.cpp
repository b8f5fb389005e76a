#include "contestsmodel.h"

#include "resultsreport.h"

#include <QCoreApplication>

void ContestsModel::setResults(const ContestResults &results)
{
    beginResetModel();
    m_contests = ResultsReport::shownContests(results);
    endResetModel();
}

int ContestsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_contests.size());
}

int ContestsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ContestsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const ContestResults::Contest &c = m_contests[size_t(index.row())];
    switch (index.column()) {
    case Number: return QString::number(c.number);
    case Player: return c.player.isEmpty() ? QCoreApplication::translate("BankTool", "(no name)") : c.player;
    case Started: return ResultsReport::startedText(c.started);
    case Score: return ResultsReport::scoreText(c);
    case Ending: return ResultsReport::endingText(c.ending);
    case ClassPlay: return c.classPlay > 0 ? QVariant(QString::number(c.classPlay)) : QVariant();
    default: return {};
    }
}

QVariant ContestsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Number: return QCoreApplication::translate("ContestsModel", "Contest");
    case Player: return QCoreApplication::translate("ContestsModel", "Player");
    case Started: return QCoreApplication::translate("ContestsModel", "Started");
    case Score: return QCoreApplication::translate("ContestsModel", "Score");
    case Ending: return QCoreApplication::translate("ContestsModel", "How it ended");
    case ClassPlay: return QCoreApplication::translate("ContestsModel", "Class play");
    default: return {};
    }
}
