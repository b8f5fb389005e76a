#pragma once

#include <QString>

// Where the program's own files are, found from its executable: beside it in
// a program folder (the build tree, or a copied folder), or where the install
// put them (the helper in ../libexec/mathcontest, the sample contest in
// ../share/mathcontest/sample), whatever the install prefix.
class InstallPaths {
public:
    // The folder that holds the running executable, symbolic links resolved.
    static QString programFolder();
    // The helper program of that name: beside the executable when it is
    // there, else in the installed helper folder.
    static QString helper(const QString &name);
    // The installed sample contest: a bank and its img folder.
    static QString sampleFolder();
};
