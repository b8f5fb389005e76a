#pragma once

#include "teachercontest.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>

// The questions of a contest as a table: each picture as pupils see it
// (loaded when its row is first shown), the number and the place in the
// question file, the four answers with the correct one marked, and what
// check finds on the question.
class QuestionListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Picture, Number, Answers, Problems, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setQuestions(std::vector<TeacherContest::Question> questions);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Pictures loaded so far (rows shown).
    int picturesLoaded() const { return int(m_pictures.size()); }

private:
    std::vector<TeacherContest::Question> m_questions;
    mutable QHash<int, QPixmap> m_pictures;
};
