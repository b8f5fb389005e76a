#include "failurereport.h"

#include "application.h"
#include "contestfolder.h"
#include "failure.h"
#include "messagebox.h"

#include <cstdio>
#include <QCoreApplication>

namespace {

void reportText(QString text)
{
    // Every report names the contest it stopped, once one is chosen.
    if (!ContestFolder::chosen().isEmpty())
        text += QCoreApplication::translate("FailureReport", "\nContest folder: ") + ContestFolder::chosen();
    const QByteArray utf8 = QStringLiteral("mathcontest: %1\n").arg(text).toUtf8();
    std::fputs(utf8.constData(), stderr);
    std::fflush(stderr);
    MessageBox::critical(text, QStringLiteral("تعذّر متابعة المسابقة"));
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
