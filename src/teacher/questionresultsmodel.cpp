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
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QuestionResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const ContestResults::Question &q = m_questions[size_t(index.row())];
    switch (index.column()) {
    case Number: return QString::number(q.id);
    case Text: return ResultsReport::questionText(q.text);
    case Answered: return QString::number(q.asked);
    case Right: return QStringLiteral("%1%").arg(qRound(q.percentCorrect()));
    case MostWrong: return q.mostWrongTimes ? QStringLiteral("%1 (%2)").arg(q.mostWrong).arg(q.mostWrongTimes) : QString();
    default: return {};
    }
}

QVariant QuestionResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Number: return QCoreApplication::translate("QuestionResultsModel", "Question");
    case Text: return QCoreApplication::translate("QuestionResultsModel", "Text");
    case Answered: return QCoreApplication::translate("QuestionResultsModel", "Answered");
    case Right: return QCoreApplication::translate("QuestionResultsModel", "Right");
    case MostWrong: return QCoreApplication::translate("QuestionResultsModel", "Wrong answer chosen most");
    default: return {};
    }
}
