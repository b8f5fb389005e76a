#include "teacher.h"

#include "application.h"
#include "qtmessages.h"
#include "teacherwindow.h"
#include "translation.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <memory>

int Teacher::run(int argc, char **argv)
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
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument(QStringLiteral("FILE|FOLDER"), QCoreApplication::translate("Teacher", "A question file (CSV, .xlsx, .ods, .xls), an Access bank or a contest folder."),
                                     QStringLiteral("[FILE|FOLDER]"));
        parser.process(early);
        if (parser.positionalArguments().size() > 1) {
            std::fprintf(stderr, "%s\n", qPrintable(QCoreApplication::translate("Teacher", "mathcontest-teacher: give at most one file or folder")));
            return 2;
        }
        argument = parser.positionalArguments().value(0);
    }
    Application app(argc, argv);
    std::unique_ptr<TeacherWindow> window;
    return app.run([&] {
        window = std::make_unique<TeacherWindow>();
        if (!argument.isEmpty())
            window->open(argument);
        window->show();
    });
}
