#include "teacher.h"

#include "application.h"
#include "firstpaint.h"
#include "qtmessages.h"
#include "teacherwindow.h"
#include "translation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

int Teacher::run(int argc, char **argv, std::function<void()> windowShown)
{
    QtMessages::install();
    QString argument;
    {
        // Read in the user's language before any window system is needed,
        // so that --help works without a display.
        QCoreApplication early(argc, argv);
        Translation::install();
        QCoreApplication::setApplicationVersion(QStringLiteral(MATHCONTEST_VERSION));
        QCommandLineParser parser;
        parser.setApplicationDescription(QCoreApplication::translate("Teacher", "The teacher's window of the mathematics contest: open a question file, an "
                                                                                "Access bank or a contest folder, see every question as pupils will, shape the "
                                                                                "contest, start it, read its results and print a worksheet."));
        // Help and version of its own, in the user's language (Qt's own
        // add a line of Qt's options, in English).
        const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QCoreApplication::translate("Teacher", "Shows this help and exits."));
        const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QCoreApplication::translate("Teacher", "Shows the version and exits."));
        parser.addOptions({help, version});
        parser.addPositionalArgument(QStringLiteral("FILE|FOLDER"), QCoreApplication::translate("Teacher", "A question file (CSV, .xlsx, .ods, .xls), an Access bank or a contest folder."),
                                     QStringLiteral("[FILE|FOLDER]"));
        const bool parsed = parser.parse(early.arguments());
        if (parsed && parser.isSet(help)) {
            QString text = parser.helpText();
            const QString invoked = early.arguments().constFirst();
            if (const qsizetype at = text.indexOf(invoked); at >= 0)
                text.replace(at, invoked.size(), QStringLiteral("mathcontest-teacher"));
            std::fputs(text.toUtf8().constData(), stdout);
            return 0;
        }
        if (parsed && parser.isSet(version)) {
            std::printf("mathcontest-teacher %s\n", MATHCONTEST_VERSION);
            return 0;
        }
        const QString error = !parsed                                    ? parser.errorText()
            : parser.positionalArguments().size() > 1 ? QCoreApplication::translate("Teacher", "give at most one file or folder")
                                                      : QString();
        if (!error.isEmpty()) {
            std::fprintf(stderr, "mathcontest-teacher: %s\n%s\n", qPrintable(error), qPrintable(QCoreApplication::translate("Teacher", "Try 'mathcontest-teacher --help'.")));
            return 2;
        }
        argument = parser.positionalArguments().value(0);
    }
    Application app(argc, argv);
    std::unique_ptr<TeacherWindow> window;
    std::unique_ptr<FirstPaint> firstPaint;
    return app.run([&] {
        // The window first, filled once its contest is read: the reading
        // starts once the window has painted, so that it does not delay it.
        window = std::make_unique<TeacherWindow>();
        firstPaint = std::make_unique<FirstPaint>([&, shown = std::move(windowShown)] {
            if (shown)
                shown();
            if (!argument.isEmpty())
                QTimer::singleShot(0, window.get(), [&] { window->openInBackground(argument); });
        });
        window->installEventFilter(firstPaint.get());
        window->show();
    });
}
