#include "bankexport.h"

#include "contestrecord.h"
#include "contestsettings.h"
#include "translation.h"

#include "contestfolder.h"
#include "failure.h"
#include "programlock.h"
#include "questionbank.h"
#include "regularfile.h"

#include "bankcreator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <xlsxwriter.h>


#include <csv.h>
#include <QCoreApplication>

QByteArray BankExport::quoted(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out(utf8.size() * 2 + 2, Qt::Uninitialized);
    const size_t written = csv_write(out.data(), static_cast<size_t>(out.size()), utf8.constData(), static_cast<size_t>(utf8.size()));
    out.truncate(static_cast<qsizetype>(written));
    return out;
}

namespace {

// The file a path names once every symbolic link on the way is resolved,
// a link that leads nowhere yet included: a write through it makes the file
// it names. When that file does not exist, its folder is resolved.
QString resolved(const QString &path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    // As many links as the system itself follows before it gives up.
    for (int links = 0; info.isSymLink() && links < 40; ++links)
        info = QFileInfo(info.symLinkTarget());
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName());
}

// Whether path is the bank or any other file of the contest folder.
bool isContestFile(const QString &path, const QString &contestFolder)
{
    const QString folder = resolved(contestFolder) + u'/';
    if (path.startsWith(folder + QStringLiteral("img/")))
        return true;
    for (const char *name : {ContestFolder::kBankFileName, ContestFolder::kAccessFileName, ProgramLock::kLockFileName, ".mathcontest-source", ContestRecord::kFileName,
                             ContestSettings::kFileName}) {
        if (path == folder + QLatin1String(name))
            return true;
    }
    return false;
}

} // namespace

QString BankExport::refuseToWrite(const QString &contestFolder, const QString &csvPath, bool replace)
{
    const QString target = resolved(csvPath);
    if (isContestFile(target, contestFolder))
        throw Failure(QCoreApplication::translate("BankExport", "The file would be written over a file of the contest folder."), csvPath,
                      QCoreApplication::translate("BankExport", "Choose another name for the file, outside the contest folder's img folder."));
    if (!replace && QFileInfo::exists(target))
        throw Failure(QCoreApplication::translate("BankExport", "A file is already there."), csvPath,
                      QCoreApplication::translate("BankExport", "Choose another name, or add --force to replace it."));
    return target;
}

void BankExport::writeFile(const QString &contestFolder, const QString &csvPath, const QByteArray &text, bool replace)
{
    // The old file stays whole when the new one cannot be written whole.
    const QString failed = RegularFile::write(refuseToWrite(contestFolder, csvPath, replace), text);
    if (!failed.isEmpty())
        throw Failure(QCoreApplication::translate("BankExport", "The file could not be written: %1.").arg(Translation::isolate(failed)), csvPath,
                      QCoreApplication::translate("BankExport", "Make sure the folder can be written to and the disk is not full."));
}

QString BankExport::picturesFolder(const QString &path)
{
    const QFileInfo file(path);
    return file.absoluteDir().filePath(file.completeBaseName() + QStringLiteral("-pictures"));
}

void BankExport::writeXlsx(const std::vector<QStringList> &rows, const QString &path, bool rightToLeft)
{
    // Made in a folder of its own first (the library writes only to a path).
    const QTemporaryDir made;
    const QString partial = made.filePath(QStringLiteral("questions.xlsx"));
    lxw_workbook *workbook = workbook_new(QFile::encodeName(partial).constData());
    if (!workbook)
        throw Failure(QCoreApplication::translate("BankExport", "The file could not be written."), path,
                      QCoreApplication::translate("BankExport", "Make sure the folder can be written to and the disk is not full."));
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, "questions");
    lxw_format *text = workbook_add_format(workbook);
    format_set_num_format(text, "@");
    lxw_format *header = workbook_add_format(workbook);
    format_set_num_format(header, "@");
    format_set_bold(header);
    const int columns = rows.empty() ? 0 : int(rows.front().size());
    worksheet_set_column(sheet, 0, 0, 50, text);
    if (columns > 1)
        worksheet_set_column(sheet, 1, lxw_col_t(columns - 1), 16, text);
    if (rightToLeft)
        worksheet_right_to_left(sheet);
    lxw_error error = LXW_NO_ERROR;
    for (size_t r = 0; r < rows.size() && error == LXW_NO_ERROR; ++r) {
        for (int c = 0; c < rows[r].size() && error == LXW_NO_ERROR; ++c) {
            if (!rows[r][c].isEmpty())
                error = worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), rows[r][c].toUtf8().constData(), r == 0 ? header : text);
        }
    }
    const lxw_error closed = workbook_close(workbook);
    // The workbook as the library wrote it, then put in place as every file
    // is, each of its writes checked.
    QString failed = error != LXW_NO_ERROR || closed != LXW_NO_ERROR ? QString::fromUtf8(lxw_strerror(error != LXW_NO_ERROR ? error : closed)) : QString();
    if (failed.isEmpty()) {
        QFile workbookFile(partial);
        const QByteArray bytes = workbookFile.open(QIODevice::ReadOnly) ? workbookFile.readAll() : QByteArray();
        failed = workbookFile.error() != QFileDevice::NoError ? workbookFile.errorString() : RegularFile::write(resolved(path), bytes);
    }
    if (!failed.isEmpty())
        throw Failure(QCoreApplication::translate("BankExport", "The file could not be written: %1.").arg(Translation::isolate(failed)), path,
                      QCoreApplication::translate("BankExport", "Make sure the folder can be written to and the disk is not full."));
}

int BankExport::write(const QString &contestFolder, const QString &path, bool replace, Format format)
{
    // Refused before the bank is read when it would be refused after.
    refuseToWrite(contestFolder, path, replace);
    const QString pictures = picturesFolder(path);
    if (!replace && QFileInfo::exists(pictures))
        throw Failure(QCoreApplication::translate("BankExport", "A folder is already there, where the file's pictures go."), pictures,
                      QCoreApplication::translate("BankExport", "Choose another name, or add --force to replace its pictures."));

    QuestionBank bank = QuestionBank::openBank(QDir(contestFolder).absolutePath());
    bank.checkForContest(bank.countQuestions());
    const auto answers = bank.allAnswers();
    const std::map<qint64, QString> texts = bank.questionTexts();
    const std::optional<std::set<qint64>> given = bank.givenPictures();

    const QDir img(QDir(contestFolder).absoluteFilePath(QStringLiteral("img")));
    std::vector<QStringList> rows{{QStringLiteral("question"), QStringLiteral("a1"), QStringLiteral("a2"), QStringLiteral("a3"), QStringLiteral("a4"),
                                   QStringLiteral("picture")}};
    std::vector<std::pair<QString, QString>> copies; // from, to
    for (size_t i = 0; i < answers.size(); ++i) {
        const auto written = texts.find(answers[i].id);
        const QString text = written == texts.end() ? QString() : written->second;
        QStringList row{text};
        for (const QString &answer : answers[i].answers)
            row << answer;
        // A picture was given when the bank says so; a bank made before it
        // kept the record had a picture given just where it has no text.
        const bool givenPicture = given ? given->count(answers[i].id) > 0 : text.isEmpty();
        QString picture;
        if (givenPicture) {
            const QString figure = img.filePath(QStringLiteral("%1%2.png").arg(QString::fromLatin1(BankCreator::kFigurePrefix)).arg(i + 1));
            const bool composed = !text.isEmpty() && QFileInfo::exists(figure);
            const QString name = (composed ? QStringLiteral("%1.png") : QStringLiteral("%1.jpg")).arg(i + 1);
            copies.emplace_back(composed ? figure : img.filePath(name), QDir(pictures).filePath(name));
            picture = QFileInfo(pictures).fileName() + u'/' + name;
        }
        row << picture;
        rows.push_back(row);
    }
    if (!copies.empty()) {
        if (!QDir().mkpath(pictures))
            throw Failure(QCoreApplication::translate("BankExport", "The folder of the file's pictures could not be made."), pictures,
                          QCoreApplication::translate("BankExport", "Make sure the folder can be written to."));
        for (const auto &[from, to] : copies) {
            // A link left in the pictures' folder leads nowhere in the contest
            // folder either.
            const QString target = refuseToWrite(contestFolder, to, true);
            const QByteArray bytes =
                RegularFile::read(from, QCoreApplication::translate("BankExport", "The picture of a question"),
                                  QCoreApplication::translate("BankExport", "Make sure the picture is there (check lists every picture that is missing)."));
            const QString failed = RegularFile::write(target, bytes);
            if (!failed.isEmpty())
                throw Failure(QCoreApplication::translate("BankExport", "A picture could not be copied beside the file: %1.").arg(Translation::isolate(failed)), to,
                              QCoreApplication::translate("BankExport", "Make sure the folder can be written to and the disk is not full."));
        }
    }
    if (format == Format::Xlsx) {
        writeXlsx(rows, path, Translation::rightToLeft());
    } else {
        QByteArray text("\xEF\xBB\xBF");
        for (size_t r = 0; r < rows.size(); ++r) {
            QByteArrayList fields;
            for (const QString &field : rows[r])
                fields << (r == 0 ? field.toUtf8() : quoted(field));
            text += fields.join(',') + "\r\n";
        }
        writeFile(contestFolder, path, text, replace);
    }
    return static_cast<int>(answers.size());
}
