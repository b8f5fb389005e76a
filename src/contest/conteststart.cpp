#include "conteststart.h"

#include "accessimport.h"
#include "bankcreator.h"
#include "contestfolder.h"
#include "csvreader.h"
#include "failure.h"
#include "installpaths.h"
#include "questionbank.h"
#include "regularfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>

namespace {

// The question file's path and a digest of its content: the same file,
// unchanged, gives the same record. The file is read as the bank tool reads
// it: a FIFO, a device or a file too large is refused before any reading.
QByteArray sourceRecord(const QString &csvPath)
{
    const QByteArray digest = QCryptographicHash::hash(CsvReader::readFile(csvPath), QCryptographicHash::Sha256).toHex();
    return csvPath.toUtf8() + '\n' + digest + '\n';
}

// The record kept in the folder, or nothing when there is none. Anything
// but a small regular file in its place is refused, never read or waited on.
QByteArray keptRecord(const QString &recordPath)
{
    constexpr qint64 kMaxRecordBytes = 64 * 1024;
    if (!QFileInfo::exists(recordPath) && !QFileInfo(recordPath).isSymLink())
        return QByteArray();
    return RegularFile::read(recordPath, QCoreApplication::translate("ContestStart", "The record of the question file the contest was made from"),
                             QCoreApplication::translate("ContestStart", "Remove it, then start the game again: the contest is made anew from the question file."),
                             kMaxRecordBytes);
}

// A folder made from a question file is made anew when the file has changed
// since, and reused as it is when not.
void makeFromQuestionFile(const QString &csvPath, const QString &folder)
{
    const QByteArray record = sourceRecord(csvPath);
    const QString recordPath = QDir(folder).filePath(QString::fromLatin1(ContestStart::kSourceFileName));
    if (keptRecord(recordPath) == record && QFileInfo::exists(QuestionBank::filePath(folder)))
        return;
    QFile::remove(recordPath);
    BankCreator::create(csvPath, folder, true);
    if (!RegularFile::write(recordPath, record).isEmpty())
        throw Failure(QCoreApplication::translate("ContestStart", "The contest folder made from the question file could not be completed."), recordPath,
                      QCoreApplication::translate("ContestStart", "Make sure the disk is not full, then start the game again."));
}

} // namespace

std::unique_ptr<ProgramLock> ContestStart::open(const QString &argument)
{
    using Source = ContestFolder::Source;
    const ContestFolder::Choice choice =
        ContestFolder::choose(argument, InstallPaths::programFolder(), ContestFolder::userDataFolder(), ContestFolder::lastOpened());
    if ((choice.source == Source::QuestionFile || choice.source == Source::PerUser) && !QDir().mkpath(choice.folder))
        throw Failure(QCoreApplication::translate("ContestStart", "The contest folder could not be made."), choice.folder,
                      QCoreApplication::translate("ContestStart", "Make sure your data folder can be written to."));
    ContestFolder::checkWritable(choice.folder);
    // Taken before anything is written, so a running contest is never
    // changed, and two first starts never fill one folder together.
    auto lock = std::make_unique<ProgramLock>(choice.folder);
    const QString bank = QuestionBank::filePath(choice.folder);
    // The player's own folder is made from the sample once; a bank of the
    // player's own never gets the sample's pictures in its gaps.
    if (choice.source == Source::PerUser && !ContestFolder::holdsBank(choice.folder))
        ContestFolder::fillFromSample(choice.folder, InstallPaths::sampleFolder());
    if (choice.source == Source::QuestionFile)
        makeFromQuestionFile(choice.file, choice.folder);
    else if (choice.source == Source::AccessFile && !QFileInfo::exists(bank))
        AccessImport::importFile(choice.file, bank, false);
    ContestFolder::use(choice.folder);
    if (!argument.isEmpty())
        ContestFolder::rememberOpened(argument);
    return lock;
}
