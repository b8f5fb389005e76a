#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the game from starting on the same contest folder,
// where it would clear the marks of the contest that is running, and the bank
// tool from changing a running contest's bank. A lock left behind by a run
// that crashed is taken over, and so is one whose owner cannot be alive: an
// empty or unreadable lock file (as a power cut leaves it) older than a lock
// takes to be written.
class ProgramLock {
public:
    static constexpr auto kLockFileName = "mathcontest.lock";
    // An unreadable lock file younger than this may be one being written.
    static constexpr int kWritingGraceSeconds = 5;

    enum class Holder { Game, BankTool };

    // Throws a Failure naming the folder and the process when another holds
    // the lock.
    explicit ProgramLock(const QString &contestFolder, Holder holder = Holder::Game);
    ~ProgramLock();

    // Removes the lock of this process, for a program that ends at once
    // without running destructors.
    static void releaseAtExit();

private:
    QLockFile m_lock;
};
