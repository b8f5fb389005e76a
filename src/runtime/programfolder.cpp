#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString g_override;
}

QString ProgramFolder::path()
{
    QString folder = g_override;
    if (folder.isEmpty()) {
        const QString dir = QCoreApplication::applicationDirPath();
        const QString resolved = QFileInfo(dir).canonicalFilePath();
        folder = resolved.isEmpty() ? dir : resolved;
    }
    folder = QDir::cleanPath(folder);
    return folder;
}

QString ProgramFolder::withSeparator()
{
    QString folder = path();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

void ProgramFolder::setOverride(const QString &folder)
{
    g_override = folder;
}

void ProgramFolder::clearOverride()
{
    g_override.clear();
}
