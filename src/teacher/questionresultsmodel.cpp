#include "questionresultsmodel.h"

#include "resultsreport.h"

#include <QCoreApplication>

#include <algorithm>

void QuestionResultsModel::setResults(const ContestResults &results)
{
    beginResetModel();
    m_questions = results.questions;
    endResetModel();
}

int QuestionResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_questions.size());
}

int QuestionResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant QuestionResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const ContestResults::Question &q = m_questions[size_t(index.row())];
    switch (index.column()) {
    case 0: return QString::number(q.id);
    case 1: return ResultsReport::questionText(q.text);
    case 2: return QString::number(q.asked);
    case 3: return QStringLiteral("%1%").arg(qRound(q.percentCorrect()));
    case 4: return q.mostWrongTimes ? QStringLiteral("%1 (%2)").arg(q.mostWrong).arg(q.mostWrongTimes) : QString();
    default: return {};
    }
}

QVariant QuestionResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const char *const names[] = {QT_TRANSLATE_NOOP("QuestionResultsModel", "Question"), QT_TRANSLATE_NOOP("QuestionResultsModel", "Text"),
                                 QT_TRANSLATE_NOOP("QuestionResultsModel", "Answered"), QT_TRANSLATE_NOOP("QuestionResultsModel", "Right"),
                                 QT_TRANSLATE_NOOP("QuestionResultsModel", "Wrong answer chosen most")};
    return section >= 0 && section < 5 ? QCoreApplication::translate("QuestionResultsModel", names[section]) : QVariant();
}
