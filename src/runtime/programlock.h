#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the game from starting on the same program folder,
// where it would clear the marks of the contest that is running. A lock left
// behind by a run that crashed is taken over.
class ProgramLock {
public:
    static constexpr auto kLockFileName = "mathcontest.lock";

    // Throws a Failure naming the folder when another copy holds the lock.
    explicit ProgramLock(const QString &programFolder);
    ~ProgramLock();

    // Removes the lock of this process, for a program that ends at once
    // without running destructors.
    static void releaseAtExit();

private:
    QLockFile m_lock;
};
