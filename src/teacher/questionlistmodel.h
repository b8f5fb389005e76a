#pragma once

#include "teachercontest.h"

#include <QAbstractTableModel>
#include <QCache>
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

    // Pictures held now: those of the rows shown lately, at most kPicturesHeld.
    int picturesLoaded() const { return int(m_pictures.size()); }
    // Enough for the rows of a screen and the ones scrolled past, never a
    // bank's worth (100 000 pictures would not fit in memory).
    static constexpr int kPicturesHeld = 64;
    // The size of a picture's cell, known without loading the picture.
    static constexpr QSize kPictureCell{456, 136};
    // The answers' cell: the four captions as the quiz window's buttons
    // draw them (649 x 41 each, a mark beside), at half their size.
    static constexpr QSize kAnswersCell{350, 90};
    // The answers drawn so: a pixel of the button a pixel of the picture.
    static QPixmap answersPicture(const std::array<QString, 4> &answers);

private:
    std::vector<TeacherContest::Question> m_questions;
    mutable QCache<int, QPixmap> m_pictures{kPicturesHeld};
    mutable QCache<int, QPixmap> m_answers{kPicturesHeld};
};
