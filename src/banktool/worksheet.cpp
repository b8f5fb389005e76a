#include "worksheet.h"

#include "contestfolder.h"

#include "bankexport.h"
#include "failure.h"
#include "mathparagraph.h"
#include "pdfpages.h"
#include "picture.h"
#include "questionbank.h"
#include "translation.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <random>

namespace {

constexpr qreal kPictureWidth = 360; // points: 450 x 130 at 0.8
constexpr qreal kPictureHeight = 104;
constexpr qreal kAnswerHeight = 30;
constexpr qreal kGap = 14;
constexpr qreal kAnswerPoints = 16;

} // namespace

std::array<int, 4> Worksheet::order(qint64 id)
{
    std::array<int, 4> fields{0, 1, 2, 3};
    // Seeded by the question, so every print (and the key) agrees.
    std::seed_seq seed{std::uint32_t(id), std::uint32_t(id >> 32), 0x6d617468u};
    std::mt19937 generator(seed);
    for (int i = 3; i > 0; --i)
        std::swap(fields[size_t(i)], fields[size_t(std::uniform_int_distribution<int>(0, i)(generator))]);
    return fields;
}

QString Worksheet::label(int place)
{
    return QString(QStringView(u"أبجد")[place]);
}

int Worksheet::write(const QString &folder, const QString &pdfPath, bool key, bool replace)
{
    const QString target = BankExport::refuseToWrite(folder, pdfPath, replace);
    QuestionBank bank = QuestionBank::openBank(QDir(folder).absolutePath());
    bank.checkForContest(bank.countQuestions());
    const std::vector<QuestionBank::Answers> answers = bank.allAnswers();
    const QString title = key ? QCoreApplication::translate("Worksheet", "Answer key") : QCoreApplication::translate("Worksheet", "Worksheet");
    PdfPages pages(target, title);
    QPainter &painter = pages.painter();
    pages.line(title, PdfPages::font(18, true), Qt::AlignHCenter);
    if (!key)
        pages.line(QCoreApplication::translate("Worksheet", "Name: ....................................    Class: ............"), PdfPages::font(12));
    pages.advance(kGap);
    const QFont answerFont = PdfPages::font(kAnswerPoints);
    const QFont numberFont = PdfPages::font(14, true);
    for (size_t i = 0; i < answers.size(); ++i) {
        const qint64 id = answers[i].id;
        const std::array<int, 4> fields = order(id);
        if (key) {
            // A line a question: its number, the label of the correct answer
            // and the answer itself.
            const int correct = int(std::find(fields.begin(), fields.end(), 0) - fields.begin());
            pages.need(kAnswerHeight);
            painter.setFont(numberFont);
            painter.drawText(QRectF(0, pages.y(), PdfPages::kWidth, kAnswerHeight), Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter,
                             QStringLiteral("%1. %2)").arg(i + 1).arg(label(correct)));
            constexpr qreal kKeyAnswerWidth = 200;
            const MathParagraph text(answers[i].answers[0], answerFont, kKeyAnswerWidth, false);
            text.paint(painter, QPointF(PdfPages::kWidth - 70 - (kKeyAnswerWidth + std::min(kKeyAnswerWidth, text.naturalWidth())) / 2,
                                        pages.y() + (kAnswerHeight - text.boundingRect().height()) / 2));
            pages.advance(kAnswerHeight);
            continue;
        }
        pages.need(kPictureHeight + 2 * kAnswerHeight + kGap);
        painter.setFont(numberFont);
        painter.drawText(QRectF(PdfPages::kWidth - 40, pages.y(), 40, 24), Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignTop, QStringLiteral("%1.").arg(i + 1));
        // The picture the pupils see, at its size on paper and its full pixels.
        const QImage picture = Picture::image(ContestFolder::questionPicture(folder, id),
                                              QCoreApplication::translate("Worksheet", "the picture of question %1").arg(id));
        const QSizeF shown = picture.deviceIndependentSize().scaled(QSizeF(kPictureWidth, kPictureHeight), Qt::KeepAspectRatio);
        const QRectF place(PdfPages::kWidth - 44 - shown.width(), pages.y(), shown.width(), shown.height());
        painter.drawImage(place, picture);
        painter.setPen(QPen(Qt::gray, 0.5));
        painter.drawRect(place);
        painter.setPen(Qt::black);
        pages.advance(kPictureHeight + 4);
        // Two answers a row, from the right: أ ب, then ج د.
        const qreal column = (PdfPages::kWidth - 44) / 2;
        for (int placeIndex = 0; placeIndex < 4; ++placeIndex) {
            const qreal right = PdfPages::kWidth - 44 - (placeIndex % 2) * column;
            const qreal top = pages.y() + (placeIndex / 2) * kAnswerHeight;
            painter.setFont(answerFont);
            painter.drawText(QRectF(right - 24, top, 24, kAnswerHeight), Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter, label(placeIndex) + u')');
            // Just left of its label, as Arabic reads on.
            const qreal width = column - 34;
            const MathParagraph text(answers[i].answers[size_t(fields[size_t(placeIndex)])], answerFont, width, false);
            text.paint(painter, QPointF(right - 30 - (width + std::min(width, text.naturalWidth())) / 2, top + (kAnswerHeight - text.boundingRect().height()) / 2));
        }
        pages.advance(2 * kAnswerHeight + kGap);
    }
    pages.finish();
    return pages.pages();
}
