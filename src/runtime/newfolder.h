#pragma once

#include <QString>

// A folder a command makes for its output (with any missing parents): when
// the command fails, what it made is removed again, never a folder that was
// there before.
class NewFolder {
public:
    // Makes path; throws a Failure when it cannot, or when path is a file.
    explicit NewFolder(const QString &path);
    ~NewFolder();
    NewFolder(const NewFolder &) = delete;
    NewFolder &operator=(const NewFolder &) = delete;

    // The command succeeded: the folder stays.
    void keep() { m_made.clear(); }

private:
    QString m_made; // the topmost folder this made, or empty
};
