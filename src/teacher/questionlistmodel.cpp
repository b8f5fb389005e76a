#include "questionlistmodel.h"

#include "failure.h"
#include "picture.h"
#include "translation.h"

#include <QColor>
#include <QCoreApplication>

#include <memory>

void QuestionListModel::setQuestions(std::vector<TeacherContest::Question> questions)
{
    beginResetModel();
    m_questions = std::move(questions);
    m_pictures.clear();
    endResetModel();
}

int QuestionListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_questions.size());
}

int QuestionListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QuestionListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TeacherContest::Question &q = m_questions[size_t(index.row())];
    switch (index.column()) {
    case Picture:
        if (role == Qt::DecorationRole) {
            if (const QPixmap *held = m_pictures.object(index.row()))
                return *held;
            auto picture = std::make_unique<QPixmap>();
            try {
                *picture = Picture::load(q.picture);
            } catch (const Failure &) {
                // What is wrong with it is in the problems column.
            }
            const QPixmap shown = *picture;
            m_pictures.insert(index.row(), picture.release());
            return shown;
        }
        if (role == Qt::SizeHintRole)
            return kPictureCell;
        if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return q.text;
        break;
    case Number:
        if (role == Qt::DisplayRole)
            return q.place.isEmpty() ? QString::number(q.id) : QStringLiteral("%1\n%2").arg(q.id).arg(q.place);
        break;
    case Answers:
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
            QStringList lines{QStringLiteral("✔ ") + Translation::isolate(q.answers[0])};
            for (size_t a = 1; a < 4; ++a)
                lines << QStringLiteral("✘ ") + Translation::isolate(q.answers[a]);
            return lines.join(u'\n');
        }
        break;
    case Problems:
        if (role == Qt::DisplayRole)
            return Translation::forWindow(q.problems.join(u'\n'));
        if (role == Qt::ForegroundRole && !q.problems.isEmpty())
            return QColor(170, 20, 20);
        break;
    default:
        break;
    }
    if (role == Qt::BackgroundRole && !q.problems.isEmpty())
        return QColor(255, 235, 230);
    return {};
}

QVariant QuestionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Picture: return QCoreApplication::translate("QuestionListModel", "Question as pupils see it");
    case Number: return QCoreApplication::translate("QuestionListModel", "Number");
    case Answers: return QCoreApplication::translate("QuestionListModel", "Answers (✔ correct)");
    case Problems: return QCoreApplication::translate("QuestionListModel", "Problems");
    default: return {};
    }
}
