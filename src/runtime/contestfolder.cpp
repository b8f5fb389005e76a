#include "contestfolder.h"

#include "failure.h"
#include "installpaths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <unistd.h>
#include <QCoreApplication>

namespace {
QString g_folder;

// Translated when asked, after the translator is installed.
QString toUseYourOwn()
{
    return QCoreApplication::translate("ContestFolder", "start mathcontest without an argument to use your own contest folder");
}

QString resolved(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return QDir::cleanPath(canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical);
}

// The name of the folder made from a question file: its base name, without
// the dots that would make it "." or ".." or hidden, and a short digest of
// its path, so that two files of one name in different folders never share
// a contest.
QString questionFileFolderName(const QString &path)
{
    QString base = QFileInfo(path).completeBaseName();
    while (base.startsWith(u'.'))
        base.remove(0, 1);
    if (base.isEmpty())
        base = QStringLiteral("questions");
    const QByteArray digest = QCryptographicHash::hash(QFile::encodeName(path), QCryptographicHash::Sha256).toHex().left(8);
    return base + u'-' + QString::fromLatin1(digest);
}

bool canWrite(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}
} // namespace

ContestFolder::Choice ContestFolder::choose(const QString &argument, const QString &programFolder, const QString &userDataFolder,
                                            const QString &lastOpened)
{
    if (argument.isEmpty()) {
        if (holdsBank(programFolder))
            return {Source::ProgramFolder, resolved(programFolder), {}};
        if (!lastOpened.isEmpty() && QFileInfo::exists(lastOpened))
            return choose(lastOpened, programFolder, userDataFolder);
        return {Source::PerUser, QDir::cleanPath(userDataFolder + QStringLiteral("/contest")), {}};
    }
    const QFileInfo given(argument);
    if (!given.exists())
        throw Failure(QCoreApplication::translate("ContestFolder", "The contest folder or file given to the game was not found."), given.absoluteFilePath(),
                      QCoreApplication::translate("ContestFolder", "Check the name, or %1.").arg(toUseYourOwn()));
    const QString path = resolved(argument);
    if (QFileInfo(path).isDir())
        return {Source::Folder, path, {}};
    const QString folder = QFileInfo(path).absolutePath();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (QFileInfo(path).fileName() == QLatin1String(kBankFileName))
        return {Source::BankFile, folder, path};
    if (suffix == QLatin1String("mdb") || suffix == QLatin1String("accdb"))
        return {Source::AccessFile, folder, path};
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("xlsx") || suffix == QLatin1String("ods") || suffix == QLatin1String("xls"))
        return {Source::QuestionFile, QDir(userDataFolder + QStringLiteral("/csv")).filePath(questionFileFolderName(path)), path};
    throw Failure(QCoreApplication::translate("ContestFolder", "The game cannot start on this file: it is not a contest folder, a question bank (db1.sqlite or an "
                                 "Access .mdb file) or a question file (.csv, .xlsx, .ods or .xls)."),
                  path, QCoreApplication::translate("ContestFolder", "Give a contest folder, its db1.sqlite, an Access bank or a question file (CSV or a spreadsheet), or %1.").arg(toUseYourOwn()));
}

namespace {
constexpr auto kLastOpenedKey = "lastOpened";

// A folder of the player's, as the XDG base directories name it: the
// variable's value when it is an absolute path (a relative one is ignored,
// as the XDG rules say), else its default under the home folder.
QString xdgFolder(const char *variable, const char *underHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + u'/' + QLatin1String(underHome);
}

// The player's own settings: $XDG_CONFIG_HOME/mathcontest/mathcontest.conf.
QString userSettingsFile()
{
    return xdgFolder("XDG_CONFIG_HOME", ".config") + QStringLiteral("/mathcontest/mathcontest.conf");
}
} // namespace

QString ContestFolder::lastOpened()
{
    return QSettings(userSettingsFile(), QSettings::IniFormat).value(QLatin1String(kLastOpenedKey)).toString();
}

void ContestFolder::rememberOpened(const QString &argument)
{
    // A contest that cannot be remembered is still played: the next start
    // without an argument opens the player's own folder instead.
    QSettings settings(userSettingsFile(), QSettings::IniFormat);
    settings.setValue(QLatin1String(kLastOpenedKey), QFileInfo(argument).absoluteFilePath());
}

bool ContestFolder::holdsBank(const QString &folder)
{
    const QDir dir(folder);
    return QFileInfo::exists(dir.filePath(QString::fromLatin1(kBankFileName))) || QFileInfo::exists(dir.filePath(QString::fromLatin1(kAccessFileName)));
}

QString ContestFolder::userDataFolder()
{
    return xdgFolder("XDG_DATA_HOME", ".local/share") + QStringLiteral("/mathcontest");
}

void ContestFolder::fillFromSample(const QString &folder, const QString &sampleFolder)
{
    const QDir sample(sampleFolder);
    if (!QFileInfo::exists(sample.filePath(QString::fromLatin1(kBankFileName))))
        throw Failure(QCoreApplication::translate("ContestFolder", "The sample contest that the game copies into your own contest folder was not found."), sampleFolder,
                      QCoreApplication::translate("ContestFolder", "Install the program again, or start it on a contest folder: mathcontest FOLDER."));
    QStringList files;
    for (QDirIterator it(sampleFolder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files.append(sample.relativeFilePath(it.next()));
    // The bank goes last: a folder with a bank is complete, so a first start
    // that was cut short is finished by the next one.
    files.removeAll(QString::fromLatin1(kBankFileName));
    files.append(QString::fromLatin1(kBankFileName));
    const QDir target(folder);
    for (const QString &file : files) {
        const QString to = target.filePath(file);
        if (QFileInfo::exists(to))
            continue;
        const QString part = to + QStringLiteral(".part");
        QFile::remove(part);
        if (!QDir().mkpath(QFileInfo(to).absolutePath()) || !QFile::copy(sample.filePath(file), part) || !QFile::rename(part, to)) {
            QFile::remove(part);
            throw Failure(QCoreApplication::translate("ContestFolder", "Your own contest folder could not be made from the sample contest."), to,
                          QCoreApplication::translate("ContestFolder", "Make sure your data folder can be written to and the disk is not full, then start the game again."));
        }
        QFile(to).setPermissions(QFile(to).permissions() | QFileDevice::WriteOwner);
    }
}

void ContestFolder::checkWritable(const QString &folder)
{
    const QString bank = QDir(folder).filePath(QString::fromLatin1(kBankFileName));
    const QString refused = !canWrite(folder) ? folder : QFileInfo::exists(bank) && !canWrite(bank) ? bank : QString();
    if (refused.isEmpty())
        return;
    throw Failure(QCoreApplication::translate("ContestFolder", "The contest folder cannot be written to, and the game writes into its bank which questions were asked."),
                  refused,
                  QCoreApplication::translate("ContestFolder", "Copy the contest folder somewhere you can write to and start the game on the copy (mathcontest FOLDER), or %1.")
                      .arg(toUseYourOwn()));
}

void ContestFolder::use(const QString &folder)
{
    g_folder = folder;
}

QString ContestFolder::chosen()
{
    return g_folder;
}

QString ContestFolder::path()
{
    return g_folder.isEmpty() ? InstallPaths::programFolder() : QDir::cleanPath(g_folder);
}

QString ContestFolder::questionPictureName(qint64 id)
{
    return QStringLiteral("%1.jpg").arg(id);
}

QString ContestFolder::picture(const QString &folder, const QString &name)
{
    return QDir(QDir(folder).filePath(QString::fromLatin1(kPictureFolder))).filePath(name);
}

QString ContestFolder::withSeparator()
{
    QString folder = path();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}
