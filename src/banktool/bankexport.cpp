#include "bankexport.h"

#include "failure.h"
#include "questionbank.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <csv.h>

namespace {

// One field, quoted by the CSV library (quotes inside doubled).
QByteArray quoted(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out(utf8.size() * 2 + 2, Qt::Uninitialized);
    const size_t written = csv_write(out.data(), static_cast<size_t>(out.size()), utf8.constData(), static_cast<size_t>(utf8.size()));
    out.truncate(static_cast<qsizetype>(written));
    return out;
}

} // namespace

int BankExport::write(const QString &programFolder, const QString &csvPath)
{
    QuestionBank bank = QuestionBank::openBank(QDir(programFolder).absolutePath());
    bank.checkForContest(bank.countQuestions());
    const auto answers = bank.allAnswers();

    const QDir csvFolder = QFileInfo(csvPath).absoluteDir();
    const QDir img(QDir(programFolder).absoluteFilePath(QStringLiteral("img")));
    QByteArray text("\xEF\xBB\xBF" "question,a1,a2,a3,a4,picture\r\n");
    for (size_t i = 0; i < answers.size(); ++i) {
        QByteArray line = quoted(QString());
        for (const QString &answer : answers[i])
            line += ',' + quoted(answer);
        const QString picture = csvFolder.relativeFilePath(img.absoluteFilePath(QStringLiteral("%1.jpg").arg(i + 1)));
        line += ',' + quoted(picture) + "\r\n";
        text += line;
    }
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw Failure(QStringLiteral("The question file could not be written: %1.").arg(file.errorString()), csvPath,
                      QStringLiteral("Make sure the folder can be written to and the disk is not full."));
    return static_cast<int>(answers.size());
}
