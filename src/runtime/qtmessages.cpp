#include "qtmessages.h"

#include <QtGlobal>

#include <cstring>

namespace {

QtMessageHandler g_next = nullptr;
thread_local QtMessages::Capture *t_capture = nullptr;

// Each notice left out, by the start of its text.
const char *const kNoise[] = {
    "QStandardPaths: XDG_RUNTIME_DIR not set",
    "QStandardPaths: runtime directory",
    "Populating font family aliases took",
    "This plugin does not support",
};

} // namespace

void QtMessages::handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && t_capture) {
        t_capture->m_warnings.append(message);
        return;
    }
    if (type != QtFatalMsg && type != QtCriticalMsg && QtMessages::isNoise(message))
        return;
    if (g_next)
        g_next(type, context, message);
}

QtMessages::Capture::Capture()
    : m_outer(t_capture)
{
    install();
    t_capture = this;
}

QtMessages::Capture::~Capture()
{
    t_capture = m_outer;
}

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
