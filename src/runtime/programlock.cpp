#include "programlock.h"

#include "failure.h"

#include <QDir>

namespace {
QLockFile *g_held = nullptr;

QString lockPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QString::fromLatin1(ProgramLock::kLockFileName));
}
} // namespace

ProgramLock::ProgramLock(const QString &programFolder, Holder holder)
    : m_lock(lockPath(programFolder))
{
    // Only the owner's process id decides whether a lock is stale, never its
    // age: a contest may run for hours.
    m_lock.setStaleLockTime(0);
    if (m_lock.tryLock(0)) {
        g_held = &m_lock;
        return;
    }
    const QString path = lockPath(programFolder);
    if (m_lock.error() == QLockFile::LockFailedError) {
        qint64 pid = 0;
        QString host, app;
        m_lock.getLockInfo(&pid, &host, &app);
        if (holder == Holder::BankTool)
            throw Failure(QStringLiteral("A contest is running on this folder (process %1); its bank is not changed under it.").arg(pid), path,
                          QStringLiteral("End the contest with its exit label, then run the command again."));
        throw Failure(QStringLiteral("Another copy of the contest is already running on this question bank (process %1).").arg(pid),
                      path,
                      QStringLiteral("Use the contest window that is already open, or close it before starting the program again."));
    }
    throw Failure(QStringLiteral("The program could not create its lock file in the contest folder."),
                  path,
                  QStringLiteral("Make sure the contest folder can be written to, then try again."));
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
