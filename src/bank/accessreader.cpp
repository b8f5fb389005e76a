#include "accessreader.h"
#include "translation.h"

#include "failure.h"
#include "installpaths.h"
#include "regularfile.h"

#include <QFileInfo>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <QCoreApplication>

namespace {

constexpr qsizetype kMaxSaidBytes = 4096;
// The Access engine's answer holds the table's text, at most a few times the
// file's own size (each character in UTF-8, escaped): an answer larger than
// this comes from a damaged file or a runaway engine.
constexpr qint64 kAnswerBytesPerFileByte = 8;
constexpr qint64 kAnswerBytesBeyond = 1024 * 1024;
constexpr qsizetype kMaxDetailChars = 300;

// Translated when asked, after the translator is installed.
QString advice()
{
    return QCoreApplication::translate("AccessReader", "Open the file in Microsoft Access, repair it (Compact and Repair) and save it without a password, or make the bank with \"mathcontest-bank create\".");
}

[[noreturn]] void fail(const QString &path, const QString &what)
{
    throw Failure(QCoreApplication::translate("AccessReader", "The Access question bank could not be read: %1.").arg(what), path, advice());
}

QString unescape(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\' || i + 1 == field.size()) {
            out.append(c);
            continue;
        }
        switch (field[++i]) {
        case 't': out.append('\t'); break;
        case 'n': out.append('\n'); break;
        case 'r': out.append('\r'); break;
        default: out.append(field[i]);
        }
    }
    return QString::fromUtf8(out);
}

QList<QByteArrayView> splitTabs(QByteArrayView line)
{
    QList<QByteArrayView> fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == '\t') {
            fields.append(line.sliced(start, i - start));
            start = i + 1;
        }
    }
    return fields;
}

} // namespace

qsizetype AccessReader::Table::column(const QString &name) const
{
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

AccessReader::Table AccessReader::parse(const QByteArray &output, const QString &path, const QString &table)
{
    const QList<QByteArray> lines = output.split('\n');
    if (lines.isEmpty())
        fail(path, QCoreApplication::translate("AccessReader", "the Access engine gave no answer"));
    if (lines.first().startsWith("ERROR ")) {
        const QByteArray kind = lines.first().mid(6).split(' ').value(0);
        const QString message = unescape(lines.first().mid(6 + kind.size() + 1));
        if (kind == "not-access")
            throw Failure(QCoreApplication::translate("AccessReader", "The file is not a Microsoft Access database."), path,
                          QCoreApplication::translate("AccessReader", "Give the path of the contest's Access file (db1.mdb), or make the bank with \"mathcontest-bank create\"."));
        if (kind == "no-table")
            throw Failure(QCoreApplication::translate("AccessReader", "The Access database has no table %1.").arg(Translation::isolate(table)), path,
                          QCoreApplication::translate("AccessReader", "The questions must be in a table named %1 with the fields ID, YN, a1, a2, a3 and a4.").arg(table));
        fail(path, QCoreApplication::translate("AccessReader", "%1; the file may be encrypted, password-protected or damaged").arg(Translation::isolate(message)));
    }
    if (lines.size() < 4 || lines[0] != "MDBTABLE 1")
        fail(path, QCoreApplication::translate("AccessReader", "the Access engine's answer was not understood; the file may be damaged"));
    bool ok = false;
    const qsizetype columnCount = lines[1].toLongLong(&ok);
    if (!ok || columnCount < 0 || !lines[2].startsWith('C'))
        fail(path, QCoreApplication::translate("AccessReader", "the Access engine's answer was not understood; the file may be damaged"));
    Table result;
    const QList<QByteArrayView> names = splitTabs(QByteArrayView(lines[2]).sliced(1));
    if (names.size() != columnCount + 1 || !names.first().isEmpty())
        fail(path, QCoreApplication::translate("AccessReader", "the columns of table %1 could not be read; the file may be damaged").arg(table));
    for (qsizetype i = 1; i < names.size(); ++i)
        result.columns.append(unescape(names[i]));

    qsizetype line = 3;
    for (; line < lines.size() && lines[line].startsWith('R'); ++line) {
        const QList<QByteArrayView> fields = splitTabs(QByteArrayView(lines[line]).sliced(1));
        if (fields.size() != columnCount + 1 || !fields.first().isEmpty())
            fail(path, QCoreApplication::translate("AccessReader", "row %1 of table %2 could not be read; the file may be damaged").arg(result.rows.size() + 1).arg(table));
        QList<QVariant> row;
        row.reserve(columnCount);
        for (qsizetype i = 1; i < fields.size(); ++i)
            row.append(fields[i] == "\\N" ? QVariant() : QVariant(unescape(fields[i])));
        result.rows.append(std::move(row));
    }
    // The last line tells how many rows were sent: a cut answer is caught.
    if (line >= lines.size() || lines[line] != "END " + QByteArray::number(result.rows.size()))
        fail(path, QCoreApplication::translate("AccessReader", "the Access engine stopped part-way through table %1; the file may be damaged").arg(table));
    return result;
}

AccessReader::Table AccessReader::readTable(const QString &path, const QString &table, const QString &helper, int timeLimitMs)
{
    RegularFile::require(path, QCoreApplication::translate("AccessReader", "The Access question bank file"), QCoreApplication::translate("AccessReader", "Check the path of the Access file."));
    const QString program = helper.isEmpty() ? InstallPaths::helper(QString::fromLatin1(kHelperName)) : helper;
    QProcess process;
    process.setProgram(program);
    process.setArguments({path, table});
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted())
        throw Failure(QCoreApplication::translate("AccessReader", "The Access reader %1 could not be started: %2.").arg(Translation::isolate(program), Translation::isolate(process.errorString())), path,
                      QCoreApplication::translate("AccessReader", "Install the program again: mathcontest-mdb belongs beside it, or in ../libexec/mathcontest/ from it."));
    QByteArray output, said;
    const qint64 maxAnswerBytes = QFileInfo(path).size() * kAnswerBytesPerFileByte + kAnswerBytesBeyond;
    // What the library printed, kept for the report as far as it is useful.
    auto readBoth = [&] {
        output += process.readAllStandardOutput();
        said += process.readAllStandardError().left(std::max<qsizetype>(0, kMaxSaidBytes - said.size()));
        if (output.size() > maxAnswerBytes) {
            process.kill();
            process.waitForFinished();
            fail(path, QCoreApplication::translate("AccessReader", "the Access engine's answer is larger than this file could hold; the file may be damaged"));
        }
    };
    QElapsedTimer clock;
    clock.start();
    try {
        // Read as it comes, so a large table never fills a pipe.
        while (process.state() != QProcess::NotRunning) {
            const qint64 left = timeLimitMs - clock.elapsed();
            if (left <= 0) {
                process.kill();
                process.waitForFinished();
                const int seconds = static_cast<int>(timeLimitMs / 1000);
                fail(path, QCoreApplication::translate("AccessReader", "the Access engine did not finish within %n second(s); the file may be damaged", nullptr,
                                                       seconds));
            }
            process.waitForReadyRead(static_cast<int>(std::min<qint64>(left, 200)));
            readBoth();
        }
        readBoth();
        if (process.exitStatus() == QProcess::CrashExit)
            fail(path, QCoreApplication::translate("AccessReader", "the Access engine crashed on this file; it is damaged or not a database it can read"));
        return parse(output, path, table);
    } catch (const Failure &failure) {
        const QString detail = QString::fromUtf8(said).simplified().left(kMaxDetailChars);
        if (detail.isEmpty())
            throw;
        throw Failure(failure.whatFailed() + QCoreApplication::translate("AccessReader", " (the Access engine said: %1)").arg(Translation::isolate(detail)), failure.where(), failure.whatToDo());
    }
}
