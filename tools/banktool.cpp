#include "banktool.h"
#include "translation.h"

#include "accessimport.h"
#include "bankcheck.h"
#include "bankcreator.h"
#include "bankexport.h"
#include "resultsreport.h"
#include "worksheet.h"
#include "contestresults.h"
#include "contestsettings.h"
#include "questionbank.h"
#include "failure.h"
#include "newfolder.h"
#include "programlock.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>
#include <QDir>

namespace {

int usageError(QTextStream &err, const QString &message)
{
    err << "mathcontest-bank: " << message << "\n"
        << BankTool::tr("Try 'mathcontest-bank --help'.") << "\n";
    err.flush();
    return BankTool::kUsage;
}

// What a command was given: the one plain argument it takes (a folder or a
// file), the values of --from, --out and --csv, and --force.
struct Options {
    QString argument, from, out, csv, xlsx, pdf, length, digits;
    bool force = false;
    QStringList switches; // settings given on or off: --fixed, --no-names, ...
};

// An option of a command: its name (or its names, apart by |, one of which
// may be given), the value it takes (none for a switch), and whether the
// command needs it.
struct Option {
    const char *names;
    const char *value = nullptr;
    bool required = false;
};

// A command: the plain argument it takes (none: nullptr), its options, what
// it cannot do without (and says so when missing), its work, and its help:
// one line for the tool's, what it does for its own. Its usage and the
// options the parser allows both come from the same list.
struct Command {
    const char *name;
    const char *argument;
    std::vector<Option> options;
    bool (*complete)(const Options &);
    const char *needs;
    int (*work)(const Options &, QTextStream &out);
    const char *summary;
    const char *help;

    bool allows(const QString &option) const
    {
        return std::any_of(options.begin(), options.end(), [&](const Option &o) { return QString::fromLatin1(o.names).split(u'|').contains(option); });
    }
    bool takesValue(const QString &option) const
    {
        return std::any_of(options.begin(), options.end(), [&](const Option &o) { return o.value && QString::fromLatin1(o.names).split(u'|').contains(option); });
    }
    // "create --from FILE --out DIR [--digits SET] [--force]"
    QString usage() const
    {
        QStringList words{QString::fromLatin1(name)};
        if (argument)
            words << QString::fromLatin1(argument);
        for (const Option &o : options) {
            const QString word = o.value ? QStringLiteral("%1 %2").arg(QLatin1String(o.names), QLatin1String(o.value)) : QString::fromLatin1(o.names);
            words << (o.required ? word : QStringLiteral("[%1]").arg(word));
        }
        return words.join(u' ');
    }
};

// Parses arguments for command; false, after a usage message, when an option
// is unknown, lacks its value, or an argument is too many.
bool parseOptions(const Command &command, const QStringList &arguments, Options &options, QTextStream &err, int &status)
{
    const QString name = QString::fromLatin1(command.name);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments[i];
        if (option.startsWith(QLatin1String("--")) && !command.allows(option)) {
            status = usageError(err, BankTool::tr("%1: unknown option '%2'").arg(Translation::isolate(name), Translation::isolate(option)));
            return false;
        }
        if (option == QLatin1String("--force")) {
            options.force = true;
        } else if (option.startsWith(QLatin1String("--")) && !command.takesValue(option)) {
            options.switches << option;
        } else if (option.startsWith(QLatin1String("--"))) {
            if (i + 1 >= arguments.size()) {
                status = usageError(err, BankTool::tr("%1 needs a value").arg(Translation::isolate(option)));
                return false;
            }
            QString &target = option == QLatin1String("--from") ? options.from
                : option == QLatin1String("--out")              ? options.out
                : option == QLatin1String("--length")           ? options.length
                : option == QLatin1String("--xlsx")             ? options.xlsx
                : option == QLatin1String("--pdf")              ? options.pdf
                : option == QLatin1String("--digits")           ? options.digits
                                                                : options.csv;
            target = arguments[++i];
        } else if (command.argument && options.argument.isEmpty()) {
            options.argument = option;
        } else {
            status = usageError(err, BankTool::tr("%1: unexpected argument '%2'").arg(Translation::isolate(name), Translation::isolate(option)));
            return false;
        }
    }
    if (!command.complete(options)) {
        status = usageError(err, BankTool::tr(command.needs));
        return false;
    }
    return true;
}

int create(const Options &options, QTextStream &out)
{
    // A folder that a running contest uses is never written under it.
    NewFolder outFolder(options.out);
    const ProgramLock lock(options.out, ProgramLock::Holder::BankTool);
    std::optional<NumberDigits::Set> digits;
    if (!options.digits.isEmpty())
        digits = NumberDigits::fromName(options.digits);
    const BankCreator::Result result = BankCreator::create(options.from, options.out, options.force, digits);
    outFolder.keep();
    if (!result.note.isEmpty())
        out << "mathcontest-bank: " << BankTool::tr("note: %1").arg(result.note) << "\n";
    out << "mathcontest-bank: " << BankTool::tr("wrote %n question(s) to %1", nullptr, result.questions).arg(Translation::isolate(result.bankPath)) << "\n";
    return BankTool::kOk;
}

int import(const Options &options, QTextStream &out)
{
    NewFolder outFolder(options.out);
    const ProgramLock lock(options.out, ProgramLock::Holder::BankTool);
    const QString bank = QuestionBank::filePath(QDir(options.out).absolutePath());
    const int questions = AccessImport::importFile(options.argument, bank, options.force);
    outFolder.keep();
    out << "mathcontest-bank: " << BankTool::tr("imported %n question(s) to %1", nullptr, questions).arg(Translation::isolate(bank)) << "\n";
    return BankTool::kOk;
}

int exportBank(const Options &options, QTextStream &out)
{
    const bool xlsx = !options.xlsx.isEmpty();
    const QString file = xlsx ? options.xlsx : options.csv;
    const int questions = BankExport::write(options.argument, file, options.force, xlsx ? BankExport::Format::Xlsx : BankExport::Format::Csv);
    out << "mathcontest-bank: " << BankTool::tr("wrote %n question(s) to %1", nullptr, questions).arg(Translation::isolate(file)) << "\n";
    if (xlsx)
        return BankTool::kOk;
    // The file holds every answer exactly; a spreadsheet left to guess turns
    // 007 into 7, 0.50 into 0.5 and works out =1+1.
    out << "mathcontest-bank: "
        << BankTool::tr("note: open the file in a spreadsheet with every column as Text, or it changes answers such as 007, 0.50 or =1+1 "
                        "(LibreOffice Calc: in the Text Import window, select all the columns and choose the column type Text)")
        << "\n";
    return BankTool::kOk;
}

int print(const Options &options, QTextStream &out)
{
    const int pages = Worksheet::write(options.argument, options.pdf, options.switches.contains(QStringLiteral("--key")), options.force);
    out << "mathcontest-bank: " << BankTool::tr("wrote %n page(s) to %1", nullptr, pages).arg(Translation::isolate(options.pdf)) << "\n";
    return BankTool::kOk;
}

int check(const Options &options, QTextStream &out)
{
    const BankCheck::Report report = BankCheck::run(options.argument);
    for (const QString &problem : report.problems)
        out << BankTool::tr("problem: %1").arg(problem) << "\n";
    for (const QString &warning : report.warnings)
        out << BankTool::tr("warning: %1").arg(warning) << "\n";
    if (report.ready())
        out << BankTool::tr("ready: %n question(s) in %1", nullptr, report.questions).arg(Translation::isolate(options.argument)) << "\n";
    else
        out << BankTool::tr("not ready: %n problem(s) in %1", nullptr, int(report.problems.size())).arg(Translation::isolate(options.argument)) << "\n";
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
    out << "mathcontest-bank: " << BankTool::tr("cleared %1 of %2 in %3")
               .arg(BankTool::tr("%n used mark(s)", nullptr, int(used)), BankTool::tr("%n question(s)", nullptr, int(n)), Translation::isolate(bank.path())) << "\n";
    return BankTool::kOk;
}

int settings(const Options &options, QTextStream &out)
{
    const QString folder = QDir(options.argument).absolutePath();
    const qint64 questions = QuestionBank::openBank(folder).countQuestions();
    ContestSettings shaped = ContestSettings::load(folder);
    const ContestSettings before = shaped;
    ContestSettings::Overrides given;
    if (!options.length.isEmpty()) {
        bool ok = false;
        given.length = options.length.toInt(&ok);
        if (!ok)
            given.length = 0;
    }
    for (const QString &option : options.switches) {
        const bool on = !option.startsWith(QLatin1String("--no-"));
        if (option == QLatin1String("--fixed") || option == QLatin1String("--random"))
            given.order = option == QLatin1String("--fixed") ? ContestSettings::Order::Fixed : ContestSettings::Order::Random;
        else
            (option.endsWith(QLatin1String("names")) ? given.names : option.endsWith(QLatin1String("reveal")) ? given.reveal : given.hold) = on;
    }
    given.applyTo(shaped);
    shaped.check(questions, given.length ? QStringLiteral("--length") : ContestSettings::filePath(folder));
    if (!(shaped == before))
        shaped.save(folder);
    for (const QString &setting : shaped.text().split(u' '))
        out << setting << "\n";
    out << "digits=" << NumberDigits::name(BankCreator::recordedDigits(folder)) << "\n";
    return BankTool::kOk;
}

int results(const Options &options, QTextStream &out)
{
    const QString folder = QDir(options.argument).absolutePath();
    // A folder that is no contest folder is said to be one, not reported empty.
    QuestionBank::openBank(folder);
    if (!options.pdf.isEmpty()) {
        const int pages = ResultsReport::writePdf(folder, options.pdf, options.force);
        out << "mathcontest-bank: " << BankTool::tr("wrote %n page(s) to %1", nullptr, pages).arg(Translation::isolate(options.pdf)) << "\n";
        return BankTool::kOk;
    }
    const ContestResults results = ContestResults::read(folder);
    if (!options.csv.isEmpty()) {
        const QByteArray text = ResultsReport::csv(results);
        BankExport::writeFile(folder, options.csv, text, options.force);
        out << "mathcontest-bank: " << BankTool::tr("wrote %n answer(s) to %1", nullptr, int(results.answers.size())).arg(Translation::isolate(options.csv)) << "\n";
        return BankTool::kOk;
    }
    out << BankTool::tr("Contests:") << "\n";
    const std::vector<ContestResults::Contest> shown = ResultsReport::shownContests(results);
    for (const ContestResults::Contest &c : shown) {
        if (c.classPlay == 0)
            out << "  " << ResultsReport::contestLine(c) << "\n";
    }
    // A class play: one row a pupil, the name and the score apart by a tab,
    // to be copied into a mark book.
    qint64 classPlay = 0;
    for (const ContestResults::Contest &c : shown) {
        if (c.classPlay == 0)
            continue;
        if (c.classPlay != classPlay) {
            classPlay = c.classPlay;
            out << BankTool::tr("Class play %1, %2:").arg(classPlay).arg(Translation::isolate(ResultsReport::startedText(c.started))) << "\n";
        }
        out << "  " << (c.player.isEmpty() ? BankTool::tr("(no name)") : Translation::shown(c.player)) << "\t" << ResultsReport::scoreText(c) << "\n";
    }
    out << BankTool::tr("Questions, hardest first:") << "\n";
    for (const ContestResults::Question &q : results.questions) {
        out << "  " << BankTool::tr("question %1: %2% right of %n answer(s)", nullptr, q.asked).arg(q.id).arg(qRound(q.percentCorrect()));
        if (q.mostWrongTimes > 0)
            out << BankTool::tr("; wrong answer chosen most: %1 (%n time(s))", nullptr, q.mostWrongTimes).arg(Translation::shown(q.mostWrong));
        if (q.asked < ContestResults::kFewAnswers)
            out << BankTool::tr(" (too few answers to tell its difficulty)");
        out << "\n";
    }
    return BankTool::kOk;
}

const Command kCommands[] = {
    {"create", nullptr, {{"--from", "FILE", true}, {"--out", "DIR", true}, {"--digits", "SET"}, {"--force"}},
     [](const Options &o) { return !o.from.isEmpty() && !o.out.isEmpty() && (o.digits.isEmpty() || NumberDigits::fromName(o.digits)); },
     QT_TRANSLATE_NOOP("BankTool", "create needs --from FILE.csv and --out DIR, and --digits, when given, is western, eastern or typed"), create,
     QT_TRANSLATE_NOOP("BankTool", "a bank from a question file (CSV, .xlsx, .ods or .xls)"),
     QT_TRANSLATE_NOOP("BankTool",
     "Makes DIR/db1.sqlite (questions numbered 1..N in file order, none used,\n"
     "each with its text) and DIR/img/ (one picture per question and the quiz\n"
     "window's pictures bak.jpg, soal.jpg, bsoal.jpg) from a question file:\n"
     "CSV as spreadsheets save it (separated by commas, semicolons or tabs;\n"
     "UTF-8, UTF-16 or Windows-1256), or a spreadsheet (.xlsx, .ods, or .xls\n"
     "of Excel 97-2003: the sheet named questions or الأسئلة, else the first,\n"
     "each cell as the spreadsheet shows it). Its header names the columns,\n"
     "in English or in Arabic:\n"
     "  question  السؤال            the question's text\n"
     "  a1        الإجابة الصحيحة   the correct answer\n"
     "  a2..a4    إجابة خاطئة 1..3  the wrong answers\n"
     "  picture   الصورة            (if wanted) a picture for the question (JPEG,\n"
     "                              PNG, GIF, BMP or WebP), relative to the\n"
     "                              file's folder or absolute; a larger one\n"
     "                              than 450 x 130 is scaled down; with a text,\n"
     "                              the two are shown side by side; a picture\n"
     "                              pasted into a question's row of a sheet\n"
     "                              is its picture when this cell is empty\n"
     "A date, a time or a number shown as a fraction that the spreadsheet made\n"
     "of what was typed, and two equal answers, are errors naming the cell.\n"
     "Mathematics is written as in a textbook: 3/4 and (x + 1)/3 (fractions),\n"
     "2 1/2 and ½ (mixed numbers), x^2 and 2^(n + 1) (powers), sqrt(16 + 9),\n"
     "√3, root(3)(8) and ∛8 (roots); \\/ and \\^ are a slash and a caret as\n"
     "they are. With an Arabic letter an expression reads from the right.\n"
     "Templates, their columns Text: /usr/share/doc/mathcontest/examples/\n"
     "questions-template.xlsx and questions-template.csv\n"
     "--digits western|eastern|typed writes every number of the questions'\n"
     "pictures and of the answers in one digit set: western 0-9 with 3.5 and\n"
     "25%, or eastern ٠-٩ with ٣٫٥ and ٢٥٪ (x² becomes x^٢, ½ becomes ١/٢);\n"
     "typed leaves them as typed. Digits in a word (A4, CO2) or before a\n"
     "file name's suffix (2.png) are left as they are. The set is recorded\n"
     "with the bank and kept when the bank is made again without --digits;\n"
     "settings shows it. A new bank's numbers are as typed.\n"
     "--force replaces a bank and img folder that DIR already holds.\n")},
    {"import", "FILE.mdb", {{"--out", "DIR", true}, {"--force"}}, [](const Options &o) { return !o.argument.isEmpty() && !o.out.isEmpty(); },
     QT_TRANSLATE_NOOP("BankTool", "import needs FILE.mdb and --out DIR"), import, QT_TRANSLATE_NOOP("BankTool", "a bank from an Access bank"),
     QT_TRANSLATE_NOOP("BankTool",
     "Makes DIR/db1.sqlite from table soaal (ID, YN, a1..a4) of an Access\n"
     "question bank (.mdb or .accdb), none used. The Access file and the img\n"
     "folder are not touched. --force replaces a bank DIR already holds.\n")},
    {"export", "DIR", {{"--csv|--xlsx", "FILE", true}, {"--force"}}, [](const Options &o) { return !o.argument.isEmpty() && o.csv.isEmpty() != o.xlsx.isEmpty(); },
     QT_TRANSLATE_NOOP("BankTool", "export needs DIR and one of --csv FILE.csv and --xlsx FILE.xlsx"), exportBank,
     QT_TRANSLATE_NOOP("BankTool", "a bank's questions as a file"),
     QT_TRANSLATE_NOOP("BankTool",
     "Writes the bank of contest folder DIR as a question file that create\n"
     "reads back into the same bank: each question's text and answers, and\n"
     "the pictures that were given (not those made from a text), copied into\n"
     "FILE-pictures/ beside it. --csv writes UTF-8 with a byte-order mark;\n"
     "--xlsx an Excel workbook with every column as Text, so that 7/8 stays\n"
     "7/8. --force replaces an existing file and its pictures, never a file\n"
     "of the contest folder.\n")},
    {"check", "DIR", {}, [](const Options &o) { return !o.argument.isEmpty(); }, QT_TRANSLATE_NOOP("BankTool", "check needs DIR"), check,
     QT_TRANSLATE_NOOP("BankTool", "what would spoil a contest"),
     QT_TRANSLATE_NOOP("BankTool",
     "Lists, one a line, everything that would stop or spoil a contest in\n"
     "contest folder DIR. Exit status 0 when it is ready, 1 when not.\n")},
    {"reset", "DIR", {}, [](const Options &o) { return !o.argument.isEmpty(); }, QT_TRANSLATE_NOOP("BankTool", "reset needs DIR"), reset,
     QT_TRANSLATE_NOOP("BankTool", "clears every used mark"),
     QT_TRANSLATE_NOOP("BankTool",
     "Clears every used mark of DIR's bank, as the game does at start.\n")},
    {"settings", "DIR", {{"--length", "N"}, {"--fixed|--random"}, {"--names|--no-names"}, {"--reveal|--no-reveal"}, {"--hold|--no-hold"}},
     [](const Options &o) { return !o.argument.isEmpty(); }, QT_TRANSLATE_NOOP("BankTool", "settings needs DIR"), settings,
     QT_TRANSLATE_NOOP("BankTool", "the contests' settings"),
     QT_TRANSLATE_NOOP("BankTool",
     "Shows the settings of the contests in DIR (DIR/contest.ini), after\n"
     "changing those given:\n"
     "  --length N   questions in a contest, 1 to the bank's size (25)\n"
     "  --fixed      questions 1..N in order, the same for every player\n"
     "               (--random: drawn at random, as by default)\n"
     "  --names      the player's name asked at each contest's start\n"
     "  --reveal     after a wrong answer, the correct one is marked\n"
     "  --hold       the verdict stays until Space, Enter or the question\n"
     "               button, for the class to talk it over\n"
     "--no-names, --no-reveal and --no-hold switch them off again.\n"
     "Last, digits=western, eastern or typed: the digits the bank's numbers\n"
     "are written in, chosen by create --digits.\n")},
    {"results", "DIR", {{"--csv|--pdf", "FILE"}, {"--force"}}, [](const Options &o) { return !o.argument.isEmpty() && (o.csv.isEmpty() || o.pdf.isEmpty()); },
     QT_TRANSLATE_NOOP("BankTool", "results needs DIR, and at most one of --csv FILE.csv and --pdf FILE.pdf"), results,
     QT_TRANSLATE_NOOP("BankTool", "the contests played, as a list, a CSV file or a PDF report"),
     QT_TRANSLATE_NOOP("BankTool",
     "Lists the contests played in contest folder DIR (DIR/results.sqlite): a\n"
     "line a contest (player, start, right answers of those asked, how it\n"
     "ended), then a line a question asked, hardest first. --csv writes\n"
     "one row an answered question instead: contest, player, started,\n"
     "question, question_text, chosen (a1..a4), chosen_text, correct (1 or\n"
     "0), seconds; UTF-8 with a byte-order mark. --pdf writes a report of\n"
     "the contests, a chart of each question's right answers and the\n"
     "questions. --force replaces the file.\n")},
    {"print", "DIR", {{"--pdf", "FILE", true}, {"--key"}, {"--force"}}, [](const Options &o) { return !o.argument.isEmpty() && !o.pdf.isEmpty(); },
     QT_TRANSLATE_NOOP("BankTool", "print needs DIR and --pdf FILE.pdf"), print, QT_TRANSLATE_NOOP("BankTool", "a worksheet, or its key"),
     QT_TRANSLATE_NOOP("BankTool",
     "Writes a worksheet of the questions of contest folder DIR as a PDF:\n"
     "each question's picture and its four answers labelled أ ب ج د, in an\n"
     "order shuffled once per question (the same on every print), several\n"
     "questions a page. --key writes its answer key instead. --force\n"
     "replaces FILE.pdf.\n")},
};

// The help of a command, or the tool's (command empty), which lists them.
QString commandHelp(const QString &command)
{
    for (const Command &known : kCommands) {
        if (command == QLatin1String(known.name))
            return BankTool::tr("Usage: %1").arg(QStringLiteral("mathcontest-bank ") + known.usage()) + u'\n' + BankTool::tr(known.help);
    }
    QString text = BankTool::tr("Usage: mathcontest-bank COMMAND [OPTIONS]\n"
                                "\n"
                                "Prepares question banks for mathcontest.\n"
                                "\n"
                                "Commands:\n");
    for (const Command &known : kCommands)
        text += QStringLiteral("  %1\n      %2\n").arg(known.usage(), BankTool::tr(known.summary));
    return text
        + BankTool::tr("\n"
                       "Options:\n"
                       "  -h, --help     show this help (after a command, that command's) and exit\n"
                       "  --version      show the version and exit\n"
                       "\n"
                       "Exit status: 0 done, 1 failed, 2 bad usage.\n");
}

} // namespace

int BankTool::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.isEmpty())
        return usageError(err, BankTool::tr("no command given"));
    const QString &command = arguments.first();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        out << commandHelp(QString());
        return kOk;
    }
    if (command == QLatin1String("--version")) {
        out << "mathcontest-bank " << QCoreApplication::applicationVersion() << "\n";
        return kOk;
    }
    const QStringList options = arguments.mid(1);
    if (options.contains(QStringLiteral("--help")) || options.contains(QStringLiteral("-h"))) {
        out << commandHelp(command);
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
        } catch (const std::exception &error) {
            // Whatever it was, the command's own clean-up (its lock, a folder
            // it made) has run on the way here.
            err << "mathcontest-bank: " << BankTool::tr("the command stopped on an unexpected error: %1").arg(QString::fromLocal8Bit(error.what())) << "\n";
            err.flush();
            return kFailed;
        }
    }
    return usageError(err, BankTool::tr("unknown command '%1'").arg(Translation::isolate(command)));
}
