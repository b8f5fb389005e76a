#pragma once

#include <QString>

// The folder that holds the program file, with symbolic links resolved. The
// bank, its lock and the img folder of pictures live there.
class ProgramFolder {
public:
    // As the system reports it: no trailing separator except at the root.
    static QString path();
    // With exactly one trailing separator, ready to have file names appended.
    static QString withSeparator();

    // For tests: use this folder instead of the program's own.
    static void setOverride(const QString &folder);
    static void clearOverride();
};
