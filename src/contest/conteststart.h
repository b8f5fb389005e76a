#pragma once

#include "programlock.h"

#include <QString>
#include <memory>

// Opens the contest of this run, once at start: chooses the contest folder
// from the command-line argument, makes it ready (the player's own folder
// from the sample contest, a folder from a CSV question file, a bank from an
// Access file), refuses one that cannot be written, takes its lock and makes
// it the contest folder of the run.
class ContestStart {
public:
    // The file in a folder made from a question file that records which file,
    // with which content, it was made from.
    static constexpr auto kSourceFileName = ".mathcontest-source";

    // argument is empty when none was given. Throws a Failure.
    static std::unique_ptr<ProgramLock> open(const QString &argument);
};
