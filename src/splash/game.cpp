#include "game.h"

#include "application.h"
#include "contestfolder.h"
#include "installpaths.h"
#include "conteststart.h"
#include "firstpaint.h"
#include "form1.h"
#include "qtmessages.h"
#include "translation.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include <QFile>
#include <memory>
#include <optional>
#include <QCoreApplication>

namespace {

// The help's description, translated when asked.
QString description()
{
    return QCoreApplication::translate("Game",
        "A mathematics contest of 25 questions with an Arabic interface.\n"
        "\n"
        "The contest folder holds the question bank (db1.sqlite, or db1.mdb from\n"
        "Access) and its img folder of pictures; the game writes there which\n"
        "questions were asked. It is chosen at start:\n"
        "  mathcontest FOLDER          the contest in FOLDER\n"
        "  mathcontest FILE            the folder of FILE, a db1.sqlite or an Access\n"
        "                              .mdb bank (imported when no db1.sqlite is there)\n"
        "  mathcontest QUESTIONS.csv   a contest made from the question file, CSV or\n"
        "                              a spreadsheet (.xlsx, .ods, .xls), as\n"
        "                              mathcontest-bank create makes it, kept in\n"
        "                              $XDG_DATA_HOME/mathcontest/csv/ and made anew\n"
        "                              when the file changes\n"
        "  mathcontest                 the program's own folder when it holds a bank,\n"
        "                              else the contest opened last, else your own\n"
        "                              contest folder, $XDG_DATA_HOME/mathcontest/contest\n"
        "                              (by default ~/.local/share/mathcontest/contest),\n"
        "                              made from the sample contest at the first start");
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

// Reads the command line before any window system is needed. Gives the exit
// status when the program ends here (help, version, a usage error).
std::optional<int> parseCommandLine(int argc, char **argv, QString &argument, bool &fullScreen, ContestSettings::Overrides &overrides,
                                    std::optional<ClassOptions> &classPlay)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    parser.addPositionalArgument(QStringLiteral("FOLDER|FILE"), QCoreApplication::translate("Game", "The contest folder, a bank in it, or a question file (CSV or a spreadsheet)."),
                                 QStringLiteral("[FOLDER|FILE]"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QCoreApplication::translate("Game", "Shows this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QCoreApplication::translate("Game", "Shows the version and exits."));
    const QCommandLineOption fullScreenOption(QStringLiteral("fullscreen"),
                                              QCoreApplication::translate("Game", "Shows the quiz window full screen, for a projector (F11 switches, Escape leaves)."));
    // The contest folder's settings (contest.ini), for this run only.
    const QCommandLineOption length(QStringLiteral("length"), QCoreApplication::translate("Game", "Asks N questions in a contest (1 to the bank's size)."),
                                    QStringLiteral("N"));
    const QCommandLineOption fixed(QStringLiteral("fixed"), QCoreApplication::translate("Game", "Asks questions 1..N in order, the same for every player."));
    const QCommandLineOption names(QStringLiteral("names"), QCoreApplication::translate("Game", "Asks the player's name at each contest's start."));
    const QCommandLineOption reveal(QStringLiteral("reveal"), QCoreApplication::translate("Game", "After a wrong answer, marks the correct one."));
    const QCommandLineOption hold(QStringLiteral("hold"),
                                  QCoreApplication::translate("Game", "Keeps the verdict until Space, Enter or the question button, for the class to talk it over."));
    // Class play: every pupil answers on a phone or tablet.
    const QCommandLineOption classOption(QStringLiteral("class"),
                                         QCoreApplication::translate("Game", "Starts class play: every pupil answers on a phone or tablet over this network, "
                                                                             "at the address shown (and printed)."));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QCoreApplication::translate("Game", "Class play listens on port N (default %1; 0 picks a free one).").arg(ClassOptions::kDefaultPort),
                                  QStringLiteral("N"));
    const QCommandLineOption bindOption(QStringLiteral("bind"),
                                        QCoreApplication::translate("Game", "Class play listens on ADDRESS only (default: every address of this computer)."),
                                        QStringLiteral("ADDRESS"));
    parser.addOptions({help, version, fullScreenOption, length, fixed, names, reveal, hold, classOption, port, bindOption});
    const bool parsed = parser.parse(arguments);
    if (parsed && parser.isSet(help)) {
        // The usage line names the program as it is installed, not by the
        // path it was started with.
        QString text = parser.helpText();
        const qsizetype at = text.indexOf(arguments.constFirst());
        if (at >= 0)
            text.replace(at, arguments.constFirst().size(), QStringLiteral("mathcontest"));
        print(stdout, text);
        return 0;
    }
    if (parsed && parser.isSet(version)) {
        print(stdout, QStringLiteral("mathcontest %1\n").arg(QStringLiteral(MATHCONTEST_VERSION)));
        return 0;
    }
    bool lengthIsNumber = true;
    if (parsed && parser.isSet(length))
        overrides.length = parser.value(length).toInt(&lengthIsNumber);
    ClassOptions host;
    bool portIsNumber = true;
    if (parsed && parser.isSet(port))
        host.port = parser.value(port).toUShort(&portIsNumber);
    if (parsed && parser.isSet(bindOption))
        host.bind = parser.value(bindOption);
    const QString error = !parsed ? parser.errorText()
        : parser.positionalArguments().size() > 1 ? QCoreApplication::translate("Game", "more than one contest folder or file given")
        : !lengthIsNumber                         ? QCoreApplication::translate("Game", "--length needs a whole number, such as --length 10")
        : !portIsNumber                           ? QCoreApplication::translate("Game", "--port needs a port number from 0 to 65535, such as --port 8765")
        : (parser.isSet(port) || parser.isSet(bindOption)) && !parser.isSet(classOption)
            ? QCoreApplication::translate("Game", "--port and --bind are for class play: add --class")
            : QString();
    if (!error.isEmpty()) {
        print(stderr, QStringLiteral("mathcontest: %1\n%2\n").arg(error, QCoreApplication::translate("Game", "Try 'mathcontest --help'.")));
        return 2;
    }
    argument = parser.positionalArguments().value(0);
    fullScreen = parser.isSet(fullScreenOption);
    if (parser.isSet(classOption)) {
        host.fullScreen = fullScreen;
        classPlay = host;
    }
    if (parser.isSet(fixed))
        overrides.order = ContestSettings::Order::Fixed;
    for (const auto &[option, setting] : {std::pair{&names, &overrides.names}, std::pair{&reveal, &overrides.reveal}, std::pair{&hold, &overrides.hold}}) {
        if (parser.isSet(*option))
            *setting = true;
    }
    return std::nullopt;
}

} // namespace

int Game::run(int argc, char **argv, std::function<void()> splashShown, const ClassStart &classStart)
{
    QString argument;
    bool fullScreen = false;
    ContestSettings::Overrides overrides;
    std::optional<ClassOptions> classPlay;
    QString classHost;
    QtMessages::install();
    {
        // The command line is read in the user's language before any window
        // system is needed, so that --help works without a display.
        QCoreApplication early(argc, argv);
        Translation::install();
        if (const std::optional<int> status = parseCommandLine(argc, argv, argument, fullScreen, overrides, classPlay))
            return *status;
        if (classPlay && !classStart)
            classHost = InstallPaths::helper(QString::fromLatin1(ClassOptions::kHostProgram));
    }
    // Class play runs in a program of its own, the same command line given
    // over: the game never carries a server's libraries.
    if (!classHost.isEmpty()) {
        const QByteArray program = QFile::encodeName(classHost);
        argv[0] = const_cast<char *>(program.constData());
        ::execv(program.constData(), argv);
        const QString error = QString::fromLocal8Bit(std::strerror(errno));
        QCoreApplication early(argc, argv);
        Translation::install();
        print(stderr, QStringLiteral("mathcontest: %1\n%2\n")
                          .arg(QCoreApplication::translate("Game", "Class play could not be started from %1: %2.").arg(classHost, error),
                               QCoreApplication::translate("Game", "Install the program again: %1 belongs beside it, or in ../libexec/mathcontest/ from it.")
                                   .arg(QString::fromLatin1(ClassOptions::kHostProgram))));
        return 1;
    }
    Application app(argc, argv);
    // The game ends by its own exit (the label, Ctrl+Q, closing the quiz
    // window), never because a dialog closed while no other window counted
    // as open: a cancelled name prompt once ended the whole game.
    QApplication::setQuitOnLastWindowClosed(false);
    std::unique_ptr<ProgramLock> lock;
    std::unique_ptr<Form1> splash;
    std::unique_ptr<FirstPaint> firstPaint;
    // Goes before the application, as every window does.
    std::shared_ptr<void> classHosting;
    return app.run([&] {
        lock = ContestStart::open(argument);
        if (classPlay) {
            classPlay->overrides = overrides;
            QString line;
            classHosting = classStart(ContestFolder::path(), *classPlay, line);
            print(stdout, line + u'\n');
            return;
        }
        splash = std::make_unique<Form1>();
        splash->setQuizFullScreen(fullScreen);
        splash->setOverrides(overrides);
        splash->Form_Load();
        if (splashShown) {
            firstPaint = std::make_unique<FirstPaint>(std::move(splashShown));
            splash->installEventFilter(firstPaint.get());
        }
        Application::showCentred(splash.get());
    });
}
