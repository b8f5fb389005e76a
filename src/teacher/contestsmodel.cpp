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
    return parent.isValid() ? 0 : 5;
}

QVariant ContestsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const ContestResults::Contest &c = m_contests[size_t(index.row())];
    switch (index.column()) {
    case 0: return QString::number(c.number);
    case 1: return c.player.isEmpty() ? QCoreApplication::translate("BankTool", "(no name)") : c.player;
    case 2: return ResultsReport::startedText(c.started);
    case 3: return ResultsReport::scoreText(c);
    case 4: return ResultsReport::endingText(c.ending);
    default: return {};
    }
}

QVariant ContestsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const char *const names[] = {QT_TRANSLATE_NOOP("ContestsModel", "Contest"), QT_TRANSLATE_NOOP("ContestsModel", "Player"),
                                 QT_TRANSLATE_NOOP("ContestsModel", "Started"), QT_TRANSLATE_NOOP("ContestsModel", "Score"),
                                 QT_TRANSLATE_NOOP("ContestsModel", "How it ended")};
    return section >= 0 && section < 5 ? QCoreApplication::translate("ContestsModel", names[section]) : QVariant();
}
