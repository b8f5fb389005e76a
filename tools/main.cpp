#include "banktool.h"
#include "qtmessages.h"
#include "translation.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // The tool draws pictures but shows no window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QtMessages::install();
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("mathcontest-bank"));
    QGuiApplication::setApplicationVersion(QStringLiteral(MATHCONTEST_VERSION));
    Translation::install();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = BankTool::run(QGuiApplication::arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
