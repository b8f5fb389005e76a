#include "accessimport.h"
#include "translation.h"

#include "failure.h"
#include "questionbank.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <cstdio>
#include <QCoreApplication>

namespace {

// Translated when asked, after the translator is installed.
QString advice()
{
    return QCoreApplication::translate("AccessImport", "Correct table soaal in Microsoft Access, or make the bank with \"mathcontest-bank create\".");
}

// A whole number written as text ("7", "7.0"); false for anything else.
bool wholeNumber(const QVariant &value, qint64 &number)
{
    if (value.isNull())
        return false;
    bool ok = false;
    const double d = value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 9e15)
        return false;
    number = static_cast<qint64>(d);
    return true;
}

bool isBoolean(const QVariant &value)
{
    static const QStringList words{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("true"),
                                   QStringLiteral("false"), QStringLiteral("yes"), QStringLiteral("no")};
    return !value.isNull() && words.contains(value.toString().trimmed().toLower());
}

} // namespace

std::vector<BankFile::Answers> AccessImport::questions(const AccessReader::Table &table, const QString &path)
{
    const QStringList fields{QStringLiteral("ID"), QStringLiteral("YN"), QStringLiteral("a1"), QStringLiteral("a2"), QStringLiteral("a3"),
                             QStringLiteral("a4")};
    qsizetype column[6];
    for (int i = 0; i < 6; ++i) {
        column[i] = table.column(fields[i]);
        if (column[i] < 0)
            throw Failure(QCoreApplication::translate("AccessImport", "Table soaal of the Access database has no field %1.").arg(Translation::isolate(fields[i])), path, advice());
    }
    if (table.rows.isEmpty())
        throw Failure(QCoreApplication::translate("AccessImport", "Table soaal of the Access database holds no questions."), path, advice());

    const qsizetype n = table.rows.size();
    std::vector<const QList<QVariant> *> byId(static_cast<size_t>(n), nullptr);
    for (qsizetype r = 0; r < n; ++r) {
        const QList<QVariant> &row = table.rows[r];
        qint64 id = 0;
        if (!wholeNumber(row[column[0]], id))
            throw Failure(QCoreApplication::translate("AccessImport", "Row %1 of table soaal has an ID that is not a whole number: \"%2\".")
                              .arg(r + 1)
                              .arg(row[column[0]].isNull() ? QCoreApplication::translate("AccessImport", "(empty)") : Translation::shown(row[column[0]].toString())),
                          path, advice());
        if (!isBoolean(row[column[1]]))
            throw Failure(QCoreApplication::translate("AccessImport", "Question %1 has a used mark YN that is not a boolean: \"%2\".")
                              .arg(id)
                              .arg(row[column[1]].isNull() ? QCoreApplication::translate("AccessImport", "(empty)") : Translation::shown(row[column[1]].toString())),
                          QCoreApplication::translate("AccessImport", "%1, question %2").arg(Translation::isolate(path)).arg(id), advice());
        if (id < 1 || id > n)
            throw Failure(QCoreApplication::translate("AccessImport", "Question number %1 is outside 1 to %2: the %2 questions must be numbered 1 to %2.").arg(id).arg(n),
                          path, advice());
        if (byId[static_cast<size_t>(id - 1)])
            throw Failure(QCoreApplication::translate("AccessImport", "Question number %1 is used twice.").arg(id), path, advice());
        byId[static_cast<size_t>(id - 1)] = &row;
    }
    std::vector<BankFile::Answers> questions;
    questions.reserve(static_cast<size_t>(n));
    for (const QList<QVariant> *row : byId) {
        // Every number 1..n is there: n distinct numbers within 1..n.
        BankFile::Answers answers;
        for (int a = 0; a < 4; ++a) {
            const QVariant &value = (*row)[column[a + 2]];
            answers[a] = value.isNull() ? QString() : value.toString();
        }
        questions.push_back(std::move(answers));
    }
    return questions;
}

int AccessImport::importFile(const QString &mdbPath, const QString &bankPath, bool replace, const QString &helper)
{
    // Taken before the file is read: a change while it is read shows next time.
    const QString source = sourceRecord(mdbPath);
    const AccessReader::Table table = AccessReader::readTable(mdbPath, QString::fromLatin1(QuestionBank::kTable), helper);
    const std::vector<BankFile::Answers> rows = questions(table, mdbPath);
    BankFile::Extras extras;
    extras.accessSource = source;
    BankFile::writeWhole(bankPath, rows, replace, extras);
    return static_cast<int>(rows.size());
}

QString AccessImport::sourceRecord(const QString &mdbPath)
{
    const QFileInfo info(mdbPath);
    return QStringLiteral("%1\n%2\n%3").arg(info.canonicalFilePath()).arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
}

bool AccessImport::importIfChanged(const QString &contestFolder, const QString &helper)
{
    const QString bank = QuestionBank::filePath(contestFolder);
    const QString access = QDir(contestFolder).filePath(QString::fromLatin1(kAccessFileName));
    if (!QFileInfo::exists(bank)) {
        if (!QFileInfo::exists(access))
            return false;
        importFile(access, bank, false, helper);
        return true;
    }
    // Only the file the bank was imported from is followed, never another
    // Access file that lies beside it.
    const QString recorded = QuestionBank::openBank(contestFolder).accessSource();
    const QString source = recorded.section(u'\n', 0, 0);
    if (recorded.isEmpty() || !QFileInfo(source).isFile() || recorded == sourceRecord(source))
        return false;
    importFile(source, bank, true, helper);
    std::fputs(QCoreApplication::translate("AccessImport", "mathcontest: %1 has changed since its questions were imported; imported them again into %2\n")
                   .arg(Translation::isolate(source), Translation::isolate(bank))
                   .toUtf8()
                   .constData(),
               stderr);
    return true;
}
