#include "banktool.h"

#include "bankcreator.h"
#include "failure.h"

#include <QCoreApplication>

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

int create(const QStringList &options, QTextStream &out, QTextStream &err)
{
    QString from, outDir;
    bool force = false;
    for (qsizetype i = 0; i < options.size(); ++i) {
        const QString &option = options[i];
        if (option == QLatin1String("--force")) {
            force = true;
        } else if (option == QLatin1String("--from") || option == QLatin1String("--out")) {
            if (i + 1 >= options.size())
                return usageError(err, QStringLiteral("%1 needs a value").arg(option));
            (option == QLatin1String("--from") ? from : outDir) = options[++i];
        } else {
            return usageError(err, QStringLiteral("create: unknown option '%1'").arg(option));
        }
    }
    if (from.isEmpty() || outDir.isEmpty())
        return usageError(err, QStringLiteral("create needs --from FILE.csv and --out DIR"));
    const BankCreator::Result result = BankCreator::create(from, outDir, force);
    out << "mathcontest-bank: wrote " << result.questions << " questions to " << result.bankPath << "\n";
    return BankTool::kOk;
}

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
    try {
        if (command == QLatin1String("create"))
            return create(options, out, err);
    } catch (const Failure &failure) {
        err << "mathcontest-bank: " << failure.message() << "\n";
        err.flush();
        return kFailed;
    }
    return usageError(err, QStringLiteral("unknown command '%1'").arg(command));
}
