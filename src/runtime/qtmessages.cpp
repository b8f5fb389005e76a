#include "qtmessages.h"

#include <QtGlobal>

#include <cstring>

namespace {

QtMessageHandler g_next = nullptr;

// Each notice left out, by the start of its text.
const char *const kNoise[] = {
    "QStandardPaths: XDG_RUNTIME_DIR not set",
    "QStandardPaths: runtime directory",
    "Populating font family aliases took",
    "This plugin does not support",
};

void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg && type != QtCriticalMsg && QtMessages::isNoise(message))
        return;
    if (g_next)
        g_next(type, context, message);
}

} // namespace

void QtMessages::install()
{
    if (!g_next)
        g_next = qInstallMessageHandler(handle);
}

bool QtMessages::isNoise(const QString &message)
{
    for (const char *start : kNoise) {
        if (message.startsWith(QLatin1String(start, qsizetype(std::strlen(start)))))
            return true;
    }
    return false;
}
