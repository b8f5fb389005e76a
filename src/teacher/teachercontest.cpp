#include "teachercontest.h"

#include "conteststart.h"
#include "contestfolder.h"
#include "contestrecord.h"
#include "failure.h"
#include "installpaths.h"
#include "questionbank.h"
#include "questionfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

void TeacherContest::open(const QString &path)
{
    const ContestFolder::Choice choice = ContestFolder::choose(path, QString(), ContestFolder::userDataFolder());
    m_path = path;
    m_questionFile = choice.source == ContestFolder::Source::QuestionFile ? choice.file : QString();
    m_folder = choice.folder;
    reload();
}

void TeacherContest::reload()
{
    m_questions.clear();
    m_bankProblems.clear();
    // A question file is made into its contest (and an Access bank imported)
    // as the game does, under the game's lock, which is let go at once; a
    // folder is only read, so it can be looked at while a contest runs.
    const bool made = !m_questionFile.isEmpty() || !QFileInfo::exists(QuestionBank::filePath(m_folder));
    if (made) {
        try {
            ContestStart::open(m_path).reset();
        } catch (const Failure &) {
            // A question file with faults: its good rows are shown, so the
            // teacher sees what is right while correcting the rest.
            preview();
            throw;
        }
    }
    std::vector<QString> places;
    if (!m_questionFile.isEmpty()) {
        for (const QuestionFile::Question &q : QuestionFile::read(m_questionFile))
            places.push_back(q.place());
    }
    const BankCheck::Report report = BankCheck::run(m_folder);
    QuestionBank bank = QuestionBank::openBank(m_folder);
    const std::map<qint64, QString> texts = bank.questionTexts();
    for (const QuestionBank::Answers &row : bank.allAnswers()) {
        Question q;
        q.id = row.id;
        const auto text = texts.find(row.id);
        q.text = text == texts.end() ? QString() : text->second;
        q.answers = row.answers;
        q.picture = ContestFolder::questionPicture(m_folder, row.id);
        if (row.id >= 1 && size_t(row.id) <= places.size())
            q.place = places[size_t(row.id - 1)];
        const auto problems = report.byQuestion.find(row.id);
        if (problems != report.byQuestion.end())
            q.problems = problems->second;
        m_questions.push_back(std::move(q));
    }
    QStringList ofQuestions;
    for (const auto &[id, problems] : report.byQuestion)
        ofQuestions << problems;
    for (const QString &problem : report.problems + report.warnings) {
        if (!ofQuestions.contains(problem))
            m_bankProblems << problem;
    }
}

void TeacherContest::preview()
{
    if (m_questionFile.isEmpty())
        return;
    std::vector<Failure> faults;
    std::vector<QuestionFile::Question> good;
    try {
        good = QuestionFile::read(m_questionFile, nullptr, &faults);
    } catch (const Failure &) {
        return; // a fault of the whole file: nothing to show
    }
    qint64 id = 0;
    for (QuestionFile::Question &row : good) {
        Question q;
        q.id = ++id;
        q.text = row.question;
        for (size_t a = 0; a < 4; ++a)
            q.answers[a] = row.answers[a];
        q.place = row.place();
        m_questions.push_back(std::move(q));
    }
}

ContestSettings TeacherContest::settings() const
{
    return ContestSettings::load(m_folder);
}

void TeacherContest::saveSettings(const ContestSettings &settings) const
{
    settings.check(qint64(m_questions.size()), ContestSettings::filePath(m_folder));
    settings.save(m_folder);
}

ContestResults TeacherContest::results() const
{
    return ContestResults::read(m_folder);
}

QByteArray TeacherContest::resultsStamp() const
{
    QByteArray stamp;
    const QString record = QDir(m_folder).filePath(QString::fromLatin1(ContestRecord::kFileName));
    for (const QString &file : {record, record + QStringLiteral("-journal"), record + QStringLiteral("-wal")}) {
        const QFileInfo info(file);
        stamp += QByteArray::number(info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1) + ':' + QByteArray::number(info.size()) + ';';
    }
    return stamp;
}

bool TeacherContest::startGame(bool fullScreen, bool classPlay) const
{
    QStringList arguments{m_folder};
    if (fullScreen)
        arguments.prepend(QStringLiteral("--fullscreen"));
    if (classPlay)
        arguments.prepend(QStringLiteral("--class"));
    return QProcess::startDetached(QDir(InstallPaths::programFolder()).filePath(QStringLiteral("mathcontest")), arguments);
}
