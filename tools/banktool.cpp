#include "banktool.h"

#include "accessimport.h"
#include "bankcheck.h"
#include "bankcreator.h"
#include "bankexport.h"
#include "questionbank.h"
#include "failure.h"
#include "newfolder.h"
#include "programlock.h"

#include <QCoreApplication>
#include <QDir>

namespace {

const char *const kUsageText =
    "Usage: mathcontest-bank COMMAND [OPTIONS]\n"
    "\n"
    "Prepares question banks for mathcontest.\n"
    "\n"
    "Commands:\n"
    "  create --from FILE.csv --out DIR [--force]\n"
    "      Makes DIR/db1.sqlite (questions numbered 1..N in file order, none\n"
    "      used) and DIR/img/ (one picture per question and the quiz window's\n"
    "      pictures bak.jpg, soal.jpg, bsoal.jpg) from a UTF-8 CSV file with the\n"
    "      header question,a1,a2,a3,a4[,picture]; a1 is the correct answer.\n"
    "      A picture path is relative to the CSV file's folder, or absolute.\n"
    "      --force replaces a bank and img folder that DIR already holds.\n"
    "  import FILE.mdb --out DIR [--force]\n"
    "      Makes DIR/db1.sqlite from table soaal (ID, YN, a1..a4) of an Access\n"
    "      question bank (.mdb or .accdb), none used. The Access file and the\n"
    "      img folder are not touched.\n"
    "  export DIR --csv FILE.csv [--force]\n"
    "      Writes the bank of program folder DIR as a CSV file that create\n"
    "      reads back into the same bank: UTF-8 with a byte-order mark, the\n"
    "      question column empty and each question's picture named instead.\n"
    "      --force replaces an existing FILE.csv (never a file of DIR's contest).\n"
    "  check DIR\n"
    "      Lists, one a line, everything that would stop or spoil a contest in\n"
    "      program folder DIR. Exit status 0 when it is ready, 1 when not.\n"
    "  reset DIR\n"
    "      Clears every used mark of DIR's bank, as the game does at start.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Exit status: 0 done, 1 failed, 2 bad usage.\n";

int usageError(QTextStream &err, const QString &message)
{
    err << "mathcontest-bank: " << message << "\n"
        << "Try 'mathcontest-bank --help'.\n";
    err.flush();
    return BankTool::kUsage;
}

// What a command was given: the one plain argument it takes (a folder or a
// file), the values of --from, --out and --csv, and --force.
struct Options {
    QString argument, from, out, csv;
    bool force = false;
};

// A command: the options it allows, whether it takes a plain argument, what
// it cannot do without (and says so when missing), and its work.
struct Command {
    const char *name;
    QStringList allowed;
    bool takesArgument;
    bool (*complete)(const Options &);
    const char *needs;
    int (*work)(const Options &, QTextStream &out);
};

// Parses arguments for command; false, after a usage message, when an option
// is unknown, lacks its value, or an argument is too many.
bool parseOptions(const Command &command, const QStringList &arguments, Options &options, QTextStream &err, int &status)
{
    const QString name = QString::fromLatin1(command.name);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments[i];
        if (option.startsWith(QLatin1String("--")) && !command.allowed.contains(option)) {
            status = usageError(err, QStringLiteral("%1: unknown option '%2'").arg(name, option));
            return false;
        }
        if (option == QLatin1String("--force")) {
            options.force = true;
        } else if (option.startsWith(QLatin1String("--"))) {
            if (i + 1 >= arguments.size()) {
                status = usageError(err, QStringLiteral("%1 needs a value").arg(option));
                return false;
            }
            QString &target = option == QLatin1String("--from") ? options.from : option == QLatin1String("--out") ? options.out : options.csv;
            target = arguments[++i];
        } else if (command.takesArgument && options.argument.isEmpty()) {
            options.argument = option;
        } else {
            status = usageError(err, QStringLiteral("%1: unexpected argument '%2'").arg(name, option));
            return false;
        }
    }
    if (!command.complete(options)) {
        status = usageError(err, QString::fromLatin1(command.needs));
        return false;
    }
    return true;
}

int create(const Options &options, QTextStream &out)
{
    // A folder that a running contest uses is never written under it.
    NewFolder outFolder(options.out);
    const ProgramLock lock(options.out, ProgramLock::Holder::BankTool);
    const BankCreator::Result result = BankCreator::create(options.from, options.out, options.force);
    outFolder.keep();
    out << "mathcontest-bank: wrote " << result.questions << " questions to " << result.bankPath << "\n";
    return BankTool::kOk;
}

int import(const Options &options, QTextStream &out)
{
    NewFolder outFolder(options.out);
    const ProgramLock lock(options.out, ProgramLock::Holder::BankTool);
    const QString bank = QuestionBank::filePath(QDir(options.out).absolutePath());
    const int questions = AccessImport::importFile(options.argument, bank, options.force);
    outFolder.keep();
    out << "mathcontest-bank: imported " << questions << " questions to " << bank << "\n";
    return BankTool::kOk;
}

int exportBank(const Options &options, QTextStream &out)
{
    const int questions = BankExport::write(options.argument, options.csv, options.force);
    out << "mathcontest-bank: wrote " << questions << " questions to " << options.csv << "\n";
    return BankTool::kOk;
}

int check(const Options &options, QTextStream &out)
{
    const BankCheck::Report report = BankCheck::run(options.argument);
    for (const QString &problem : report.problems)
        out << "problem: " << problem << "\n";
    for (const QString &warning : report.warnings)
        out << "warning: " << warning << "\n";
    if (report.ready())
        out << "ready: " << report.questions << " questions in " << options.argument << "\n";
    else
        out << "not ready: " << report.problems.size() << " problem(s) in " << options.argument << "\n";
    return report.ready() ? BankTool::kOk : BankTool::kFailed;
}

int reset(const Options &options, QTextStream &out)
{
    QuestionBank bank = QuestionBank::openBank(QDir(options.argument).absolutePath());
    const ProgramLock lock(options.argument, ProgramLock::Holder::BankTool);
    const qint64 n = bank.countQuestions();
    bank.checkForContest(n);
    const qint64 used = bank.countUsedQuestions();
    bank.clearUsedMarks(n);
    out << "mathcontest-bank: cleared " << used << " used mark(s) of " << n << " questions in " << bank.path() << "\n";
    return BankTool::kOk;
}

const QString kForce = QStringLiteral("--force");
const Command kCommands[] = {
    {"create", {QStringLiteral("--from"), QStringLiteral("--out"), kForce}, false,
     [](const Options &o) { return !o.from.isEmpty() && !o.out.isEmpty(); }, "create needs --from FILE.csv and --out DIR", create},
    {"import", {QStringLiteral("--out"), kForce}, true, [](const Options &o) { return !o.argument.isEmpty() && !o.out.isEmpty(); },
     "import needs FILE.mdb and --out DIR", import},
    {"export", {QStringLiteral("--csv"), kForce}, true, [](const Options &o) { return !o.argument.isEmpty() && !o.csv.isEmpty(); },
     "export needs DIR and --csv FILE.csv", exportBank},
    {"check", {}, true, [](const Options &o) { return !o.argument.isEmpty(); }, "check needs DIR", check},
    {"reset", {}, true, [](const Options &o) { return !o.argument.isEmpty(); }, "reset needs DIR", reset},
};

} // namespace

int BankTool::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.isEmpty())
        return usageError(err, QStringLiteral("no command given"));
    const QString &command = arguments.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        out << kUsageText;
        return kOk;
    }
    if (command == QLatin1String("--version")) {
        out << "mathcontest-bank " << QCoreApplication::applicationVersion() << "\n";
        return kOk;
    }
    const QStringList options = arguments.mid(1);
    if (options.contains(QStringLiteral("--help")) || options.contains(QStringLiteral("-h"))) {
        out << kUsageText;
        return kOk;
    }
    for (const Command &known : kCommands) {
        if (command != QLatin1String(known.name))
            continue;
        Options parsed;
        int status = kOk;
        if (!parseOptions(known, options, parsed, err, status))
            return status;
        try {
            return known.work(parsed, out);
        } catch (const Failure &failure) {
            err << "mathcontest-bank: " << failure.message() << "\n";
            err.flush();
            return kFailed;
        }
    }
    return usageError(err, QStringLiteral("unknown command '%1'").arg(command));
}
