#include "bankexport.h"
#include "translation.h"

#include "contestfolder.h"
#include "failure.h"
#include "programlock.h"
#include "questionbank.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <csv.h>
#include <QCoreApplication>

QByteArray BankExport::quoted(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out(utf8.size() * 2 + 2, Qt::Uninitialized);
    const size_t written = csv_write(out.data(), static_cast<size_t>(out.size()), utf8.constData(), static_cast<size_t>(utf8.size()));
    out.truncate(static_cast<qsizetype>(written));
    return out;
}

namespace {

// The file a path names once every symbolic link on the way is resolved
// (the path itself when it does not exist yet: its folder, resolved).
QString resolved(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName());
}

// Whether path is the bank or any other file of the contest folder.
bool isContestFile(const QString &path, const QString &programFolder)
{
    const QString folder = resolved(programFolder) + u'/';
    if (path.startsWith(folder + QStringLiteral("img/")))
        return true;
    for (const char *name : {ContestFolder::kBankFileName, ContestFolder::kAccessFileName, ProgramLock::kLockFileName, ".mathcontest-source", "results.sqlite",
                             "contest.ini"}) {
        if (path == folder + QLatin1String(name))
            return true;
    }
    return false;
}

// Throws a Failure when csvPath may not be written: a file of the contest
// folder, or a file already there unless replace is true.
void refuseToWrite(const QString &programFolder, const QString &csvPath, bool replace)
{
    const QString target = resolved(csvPath);
    if (isContestFile(target, programFolder))
        throw Failure(QCoreApplication::translate("BankExport", "The file would be written over a file of the contest folder."), csvPath,
                      QCoreApplication::translate("BankExport", "Choose another name for the file, outside the contest folder's img folder."));
    if (!replace && QFileInfo::exists(target))
        throw Failure(QCoreApplication::translate("BankExport", "A file is already there."), csvPath,
                      QCoreApplication::translate("BankExport", "Choose another name, or add --force to replace it."));
}

} // namespace

void BankExport::writeFile(const QString &programFolder, const QString &csvPath, const QByteArray &text, bool replace)
{
    refuseToWrite(programFolder, csvPath, replace);
    const QString target = resolved(csvPath);
    // Written beside it under another name and renamed into place: a failure
    // leaves the old file whole.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw Failure(QCoreApplication::translate("BankExport", "The file could not be written: %1.").arg(Translation::isolate(file.errorString())), csvPath,
                      QCoreApplication::translate("BankExport", "Make sure the folder can be written to and the disk is not full."));
}

int BankExport::write(const QString &programFolder, const QString &csvPath, bool replace)
{
    // Refused before the bank is read when it would be refused after.
    refuseToWrite(programFolder, csvPath, replace);

    QuestionBank bank = QuestionBank::openBank(QDir(programFolder).absolutePath());
    bank.checkForContest(bank.countQuestions());
    const auto answers = bank.allAnswers();
    const std::map<qint64, QString> texts = bank.questionTexts();

    const QDir csvFolder = QFileInfo(csvPath).absoluteDir();
    const QDir img(QDir(programFolder).absoluteFilePath(QStringLiteral("img")));
    QByteArray text("\xEF\xBB\xBF" "question,a1,a2,a3,a4,picture\r\n");
    for (size_t i = 0; i < answers.size(); ++i) {
        const auto written = texts.find(answers[i].id);
        QByteArray line = quoted(written == texts.end() ? QString() : written->second);
        for (const QString &answer : answers[i].answers)
            line += ',' + quoted(answer);
        const QString picture = csvFolder.relativeFilePath(img.absoluteFilePath(QStringLiteral("%1.jpg").arg(i + 1)));
        line += ',' + quoted(picture) + "\r\n";
        text += line;
    }
    writeFile(programFolder, csvPath, text, replace);
    return static_cast<int>(answers.size());
}
