#include "questionlistmodel.h"

#include "answerbutton.h"

#include "failure.h"
#include "picture.h"
#include "questionpicture.h"
#include "translation.h"

#include <QColor>
#include <QPainter>
#include <QCoreApplication>

#include <memory>

QPixmap QuestionListModel::answersPicture(const std::array<QString, 4> &answers)
{
    // The quiz window's answer button: its face and font.
    constexpr int kWidth = 649, kHeight = 41, kMark = 40, kTextMargin = 4;
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(20.25);
    font.setBold(true);
    // A pixel of the button a pixel of the picture, shown at half the size.
    QImage picture(QSize(kWidth + kMark, kHeight * 4 + 6), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    picture.setDevicePixelRatio(2);
    QPainter painter(&picture);
    painter.scale(0.5, 0.5);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int a = 0; a < 4; ++a) {
        const QRect face(0, a * (kHeight + 2), kWidth, kHeight);
        painter.fillRect(face, QColor(255, 255, 190));
        painter.setPen(QColor(160, 160, 160));
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        painter.setPen(a == 0 ? QColor(0, 130, 0) : QColor(170, 20, 20));
        painter.setFont(font);
        painter.drawText(QRect(kWidth, face.top(), kMark, kHeight), Qt::AlignCenter, a == 0 ? QStringLiteral("✔") : QStringLiteral("✘"));
        painter.setPen(Qt::black);
        painter.setLayoutDirection(Qt::RightToLeft);
        AnswerButton::paintCaption(painter, answers[size_t(a)], font, face.adjusted(kTextMargin, 2, -kTextMargin, -2));
    }
    painter.end();
    return QPixmap::fromImage(picture);
}

void QuestionListModel::setQuestions(std::vector<TeacherContest::Question> questions)
{
    beginResetModel();
    m_questions = std::move(questions);
    m_pictures.clear();
    m_answers.clear();
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
                *picture = q.picture.isEmpty() ? QPixmap::fromImage(QuestionPicture::render(q.text)) : Picture::load(q.picture);
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
        // Drawn as pupils will see them on the buttons; as typed for screen
        // readers and in the tooltip.
        if (role == Qt::DecorationRole) {
            if (!m_answers.contains(index.row()))
                m_answers.insert(index.row(), new QPixmap(answersPicture(q.answers)));
            return *m_answers.object(index.row());
        }
        if (role == Qt::SizeHintRole)
            return kAnswersCell;
        if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
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
