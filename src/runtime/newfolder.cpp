#include "newfolder.h"

#include "failure.h"

#include <QDir>
#include <QFileInfo>
#include <QCoreApplication>

NewFolder::NewFolder(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(absolute).exists() && !QFileInfo(absolute).isDir())
        throw Failure(QCoreApplication::translate("NewFolder", "The output folder is a file, not a folder."), absolute,
                      QCoreApplication::translate("NewFolder", "Give the name of a folder (a new one is made) for the output."));
    for (QString folder = absolute; !QFileInfo::exists(folder); folder = QFileInfo(folder).absolutePath())
        m_made = folder;
    if (!QDir().mkpath(absolute))
        throw Failure(QCoreApplication::translate("NewFolder", "The output folder could not be made."), absolute,
                      QCoreApplication::translate("NewFolder", "Make sure the parent folder can be written to."));
}

NewFolder::~NewFolder()
{
    if (!m_made.isEmpty())
        QDir(m_made).removeRecursively();
}
