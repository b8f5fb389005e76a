#include "programlock.h"

#include "failure.h"
#include "translation.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QFile>
#include <QStorageInfo>

#include <unistd.h>
#include <QCoreApplication>

namespace {
// Less room than this on the disk is a full disk.
constexpr qint64 kRoomNeeded = 64 * 1024;

QLockFile *g_held = nullptr;

QString lockPath(const QString &contestFolder)
{
    return QDir(contestFolder).filePath(QString::fromLatin1(ProgramLock::kLockFileName));
}
} // namespace

ProgramLock::ProgramLock(const QString &contestFolder, Holder holder)
    : m_lock(lockPath(contestFolder))
{
    // Only the owner's process id decides whether a lock is stale, never its
    // age: a contest may run for hours.
    m_lock.setStaleLockTime(0);
    if (m_lock.tryLock(0)) {
        g_held = &m_lock;
        return;
    }
    const QString path = lockPath(contestFolder);
    if (m_lock.error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, app;
        const bool readable = m_lock.getLockInfo(&pid, &host, &app);
        const QDateTime changed = QFileInfo(path).lastModified();
        if (!readable && changed.isValid() && changed.secsTo(QDateTime::currentDateTime()) >= kWritingGraceSeconds && m_lock.removeStaleLockFile()
            && m_lock.tryLock(0)) {
            g_held = &m_lock;
            return;
        }
        if (readable && !host.isEmpty() && host != QSysInfo::machineHostName())
            throw Failure(QCoreApplication::translate("ProgramLock", "The contest folder is locked by a contest started on another computer, %1.").arg(Translation::isolate(host)),
                          path,
                          QCoreApplication::translate("ProgramLock", "End the contest on that computer; if none runs there any more, remove the lock file, then try again."));
        if (!readable)
            throw Failure(QCoreApplication::translate("ProgramLock", "The contest folder's lock file is being written, or cannot be read."), path,
                          QCoreApplication::translate("ProgramLock", "Wait a few seconds and try again; if it stays so, remove the lock file."));
        if (holder == Holder::BankTool)
            throw Failure(QCoreApplication::translate("ProgramLock", "A contest is running on this folder (process %1); its bank is not changed under it.").arg(pid), path,
                          QCoreApplication::translate("ProgramLock", "End the contest with its exit label, then run the command again."));
        throw Failure(QCoreApplication::translate("ProgramLock", "Another copy of the contest is already running on this question bank (process %1).").arg(pid),
                      path,
                      QCoreApplication::translate("ProgramLock", "Use the contest window that is already open, or close it before starting the program again."));
    }
    // Say why: a folder that cannot be written to, or a full disk.
    if (::access(QFile::encodeName(contestFolder).constData(), W_OK) != 0)
        throw Failure(QCoreApplication::translate("ProgramLock", "The contest folder cannot be written to, so the lock file could not be made."), path,
                      QCoreApplication::translate("ProgramLock", "Make the folder writable, or copy the contest folder somewhere you can write to; nothing was changed."));
    if (QStorageInfo(contestFolder).bytesAvailable() < kRoomNeeded)
        throw Failure(QCoreApplication::translate("ProgramLock", "The disk is full, so the lock file could not be made."), path,
                      QCoreApplication::translate("ProgramLock", "Free some space on the disk, then try again; nothing was changed."));
    throw Failure(QCoreApplication::translate("ProgramLock", "The program could not create its lock file in the contest folder."),
                  path,
                  QCoreApplication::translate("ProgramLock", "Make sure the contest folder can be written to, then try again."));
}

ProgramLock::~ProgramLock()
{
    if (g_held == &m_lock)
        g_held = nullptr;
}

void ProgramLock::releaseAtExit()
{
    if (g_held)
        g_held->unlock();
}
