#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Qt's own notices on standard error: the ones that tell the user nothing
// (the runtime folder Qt picks by itself where XDG_RUNTIME_DIR is not set, as
// under sudo or cron; the cost of looking up the designs' font names; what the
// offscreen platform cannot do) are left out, every other is written as Qt
// writes it, so real problems are still reported.
class QtMessages {
public:
    // Once, before the application object is made.
    static void install();

    // Whether a notice is one of those left out.
    static bool isNoise(const QString &message);

    // While one is alive, Qt's warnings on its thread (a picture decoder's
    // "Corrupt JPEG data", say) are kept here instead of written out.
    class Capture {
    public:
        Capture();
        ~Capture();
        Capture(const Capture &) = delete;
        Capture &operator=(const Capture &) = delete;
        const QStringList &warnings() const { return m_warnings; }

    private:
        friend class QtMessages;
        QStringList m_warnings;
        Capture *m_outer;
    };

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message);
};
