#pragma once

#include "failure.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

// The message of the Failure that step throws, or an empty text.
inline QString failureOf(const std::function<void()> &step)
{
    try {
        step();
    } catch (const Failure &failure) {
        return failure.message();
    }
    return QString();
}

inline void writeFile(const QString &path, const QByteArray &content, bool executable = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}
