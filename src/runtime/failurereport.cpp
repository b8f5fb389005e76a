#include "failurereport.h"

#include "application.h"
#include "contestfolder.h"
#include "failure.h"
#include "messagebox.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <QCoreApplication>

namespace {

bool g_reporting = false;

// A failure ends what was under way: no timer of any window ticks again (the
// splash's hand-over to the quiz window would otherwise run inside the
// message box, on a contest that failed).
void stopEverything()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        for (QTimer *timer : window->findChildren<QTimer *>())
            timer->stop();
    }
}

void reportText(QString text)
{
    // What fails while a failure is being shown follows from it, and would
    // only mislead.
    if (g_reporting)
        return;
    stopEverything();
    // Every report names the contest it stopped, once one is chosen.
    if (!ContestFolder::chosen().isEmpty())
        text += QCoreApplication::translate("FailureReport", "\nContest folder: ") + ContestFolder::chosen();
    const QByteArray utf8 = QStringLiteral("mathcontest: %1\n").arg(text).toUtf8();
    std::fputs(utf8.constData(), stderr);
    std::fflush(stderr);
    g_reporting = true;
    MessageBox::critical(text, QStringLiteral("تعذّر متابعة المسابقة"));
    g_reporting = false;
    Application::endProgram(FailureReport::kExitStatus);
}

} // namespace

void FailureReport::report(const Failure &failure)
{
    reportText(failure.message());
}

void FailureReport::report(const std::exception &error)
{
    reportText(Failure(QCoreApplication::translate("FailureReport", "The program stopped on an unexpected error: %1").arg(QString::fromLocal8Bit(error.what())),
                       QString(),
                       QCoreApplication::translate("FailureReport", "Start the program again; if it happens again, tell the person who prepared the contest."))
                   .message());
}
