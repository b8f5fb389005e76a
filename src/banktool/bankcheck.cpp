#include "bankcheck.h"

#include "contestfolder.h"
#include "mathtext.h"
#include "csvreader.h"
#include "translation.h"

#include "failure.h"
#include "picture.h"
#include "questionbank.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentMap>

namespace {
// The contest ends after this many questions (the quiz window's length).
constexpr int kContestLength = 25;

// A picture of the folder to check: decoded whole, as the game will, on
// every core; what each finds is reported in order.
struct PictureJob {
    QString name, role;
    bool question;
    QStringList problems, warnings;
    qint64 id = 0; // the question's, for its picture
};

// The bank's answers and question texts. A fault in the numbering is
// reported, and the questions that are there are checked all the same, so
// that the folder is mended in one pass.
void readBank(const QDir &folder, BankCheck::Report &report, std::vector<QuestionBank::Answers> *answers, std::map<qint64, QString> *texts)
{
    try {
        QuestionBank bank = QuestionBank::openBank(folder.absolutePath());
        bank.checkIntegrity();
        const qint64 n = bank.countQuestions();
        try {
            bank.checkStructure(n);
        } catch (const Failure &failure) {
            report.problems << QStringLiteral("%1: %2").arg(failure.isolatedWhere(), failure.whatFailed());
        }
        *answers = bank.allAnswers();
        *texts = bank.questionTexts();
        for (const auto &[id, text] : *texts) {
            if (id < 1 || id > n)
                report.warnings << QCoreApplication::translate("BankCheck", "the table of question texts holds a text for question %1, which the bank does not have").arg(id);
        }
    } catch (const Failure &failure) {
        report.problems << QStringLiteral("%1: %2").arg(failure.isolatedWhere(), failure.whatFailed());
    }
}

// A question's answers: none empty, none the same as another; and what of
// its notation could not be read, which is drawn as typed.
void checkAnswers(const QuestionBank::Answers &row, const std::map<qint64, QString> &texts, BankCheck::Report &report)
{
    const QString question = QCoreApplication::translate("BankCheck", "question %1").arg(row.id);
    QSet<QString> seen;
    for (int a = 0; a < 4; ++a) {
        const QString text = row.answers[static_cast<size_t>(a)].trimmed();
        if (CsvReader::isBlank(text)) {
            report.problems << QCoreApplication::translate("BankCheck", "%1: answer a%2 is empty").arg(question).arg(a + 1);
            report.byQuestion[row.id] << report.problems.back();
            continue;
        }
        if (seen.contains(text)) {
            report.problems << QCoreApplication::translate("BankCheck", "%1: answer a%2 \"%3\" is the same as an earlier answer of the question")
                                   .arg(question)
                                   .arg(a + 1)
                                   .arg(Translation::shown(text));
            report.byQuestion[row.id] << report.problems.back();
        }
        seen.insert(text);
    }
    const auto text = texts.find(row.id);
    for (int field = 0; field < 5; ++field) {
        const QString &typed = field > 0 ? row.answers[size_t(field - 1)] : text == texts.end() ? QString() : text->second;
        for (const QString &unread : MathText::unreadNotation(typed)) {
            report.warnings << QCoreApplication::translate("BankCheck", "%1, %2: %3")
                                   .arg(question,
                                        field == 0 ? QCoreApplication::translate("BankCheck", "its text") : QCoreApplication::translate("BankCheck", "answer a%1").arg(field),
                                        unread);
            report.byQuestion[row.id] << report.warnings.back();
        }
    }
}

// Every picture decoded, on every core, and what each finds reported in
// order.
void checkPictures(const QDir &folder, std::vector<PictureJob> &pictures, BankCheck::Report &report)
{
    QtConcurrent::blockingMap(pictures, [&](PictureJob &job) {
        try {
            const QSize size = Picture::verify(folder.filePath(QStringLiteral("img/") + job.name), job.role);
            if (job.question && size.boundedTo(Picture::kQuestionBox) != size)
                job.warnings << QCoreApplication::translate("BankCheck", "%1 is %2 pixels, larger than the question box (%3): it spreads under the answer buttons")
                                    .arg(Translation::isolate(QStringLiteral("img/") + job.name), Picture::sizeText(size), Picture::sizeText(Picture::kQuestionBox));
        } catch (const Failure &failure) {
            job.problems << QStringLiteral("%1: %2").arg(failure.isolatedWhere(), failure.whatFailed());
        }
    });
    for (const PictureJob &job : pictures) {
        report.problems << job.problems;
        report.warnings << job.warnings;
        if (job.id)
            report.byQuestion[job.id] << job.problems << job.warnings;
    }
}

} // namespace

BankCheck::Report BankCheck::run(const QString &contestFolder)
{
    Report report;
    const QDir folder(contestFolder);
    if (!QFileInfo(contestFolder).isDir()) {
        report.problems << QCoreApplication::translate("BankCheck", "%1: the folder does not exist").arg(Translation::isolate(contestFolder));
        return report;
    }
    std::vector<PictureJob> pictures{
        {QString::fromLatin1(ContestFolder::kBackgroundPicture), QCoreApplication::translate("BankCheck", "the quiz window's background"), false, {}, {}},
        {QString::fromLatin1(ContestFolder::kPlaceholderPicture), QCoreApplication::translate("BankCheck", "the question placeholder picture"), false, {}, {}},
        {QString::fromLatin1(ContestFolder::kQuestionButtonPicture), QCoreApplication::translate("BankCheck", "the face of the question button"), false, {}, {}},
    };
    std::vector<QuestionBank::Answers> answers;
    std::map<qint64, QString> texts;
    readBank(folder, report, &answers, &texts);
    report.questions = static_cast<int>(answers.size());
    for (const QuestionBank::Answers &row : answers) {
        checkAnswers(row, texts, report);
        pictures.push_back({ContestFolder::questionPictureName(row.id),
                            QCoreApplication::translate("BankCheck", "the picture of %1").arg(QCoreApplication::translate("BankCheck", "question %1").arg(row.id)), true, {}, {},
                            row.id});
    }
    checkPictures(folder, pictures, report);
    std::erase_if(report.byQuestion, [](const auto &entry) { return entry.second.isEmpty(); });
    if (report.questions < kContestLength)
        report.warnings << QCoreApplication::translate("BankCheck", "the bank holds %n question(s), fewer than the %1 a contest asks: the contest could never end",
                                                          nullptr, report.questions)
                               .arg(kContestLength);
    return report;
}
