#include "installpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString besideProgram(const QString &relative)
{
    return QDir::cleanPath(QDir(InstallPaths::programFolder()).filePath(relative));
}
} // namespace

QString InstallPaths::programFolder()
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString resolved = QFileInfo(dir).canonicalFilePath();
    return QDir::cleanPath(resolved.isEmpty() ? dir : resolved);
}

QString InstallPaths::helper(const QString &name)
{
    const QString beside = besideProgram(name);
    if (QFileInfo::exists(beside))
        return beside;
    return besideProgram(QStringLiteral(MC_BIN_TO_HELPER "/") + name);
}

QString InstallPaths::sampleFolder()
{
    return besideProgram(QStringLiteral(MC_BIN_TO_SAMPLE));
}
