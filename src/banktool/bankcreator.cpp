#include "bankcreator.h"

#include "bankfile.h"
#include "csvreader.h"
#include "failure.h"
#include "picture.h"
#include "questionbank.h"
#include "questionpicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentMap>

#include <functional>
#include <numeric>
#include <vector>

namespace {

constexpr int kJpegQuality = 88;

void save(const QImage &image, const QString &path)
{
    if (!image.save(path, "JPEG", kJpegQuality))
        throw Failure(QStringLiteral("A picture could not be written."), path,
                      QStringLiteral("Make sure the folder can be written to and the disk is not full."));
}

// A plain copy: QFile::copy syncs every file to disk, which costs seconds
// on thousands of pictures; the staging folder already makes the output
// whole or nothing.
bool copyFile(const QString &from, const QString &to)
{
    QFile source(from), target(to);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = source.readAll();
    return source.error() == QFileDevice::NoError && target.write(bytes) == bytes.size() && target.flush();
}

void moveInto(const QString &from, const QString &to)
{
    if (!QDir().rename(from, to))
        throw Failure(QStringLiteral("The new bank could not be moved into place."), to,
                      QStringLiteral("Make sure the folder can be written to, then run the command again."));
}

} // namespace

BankCreator::Result BankCreator::create(const QString &csvPath, const QString &outDir, bool replace)
{
    const std::vector<CsvReader::Question> questions = CsvReader::read(csvPath);
    const QDir csvFolder = QFileInfo(csvPath).absoluteDir();

    // Question pictures given in the file must be JPEG files that decode;
    // each file is checked once, however many questions name it.
    std::vector<QString> givenPictures(questions.size());
    QSet<QString> checked;
    for (size_t i = 0; i < questions.size(); ++i) {
        if (questions[i].picture.isEmpty())
            continue;
        const QString path = QDir::cleanPath(csvFolder.absoluteFilePath(questions[i].picture));
        givenPictures[i] = path;
        if (checked.contains(path))
            continue;
        checked.insert(path);
        try {
            Picture::verify(path);
        } catch (const Failure &failure) {
            throw Failure(QStringLiteral("%1:%2: picture \"%3\": %4")
                              .arg(csvPath)
                              .arg(questions[i].line)
                              .arg(questions[i].picture, failure.whatFailed()),
                          QStringLiteral("%1, line %2").arg(csvPath).arg(questions[i].line),
                          QStringLiteral("Give the path of a JPEG picture, relative to the question file's folder or absolute."));
        }
    }

    const QDir out(outDir);
    const QString bankPath = QuestionBank::filePath(out.absolutePath());
    const QString imgPath = out.absoluteFilePath(QStringLiteral("img"));
    if (!replace && (QFileInfo::exists(bankPath) || QFileInfo::exists(imgPath)))
        throw Failure(QStringLiteral("The folder already holds a question bank or an img folder."), out.absolutePath(),
                      QStringLiteral("Choose an empty folder, or add --force to replace them."));
    if (!QDir().mkpath(out.absolutePath()))
        throw Failure(QStringLiteral("The output folder could not be made."), out.absolutePath(),
                      QStringLiteral("Make sure the parent folder can be written to."));

    // Everything is made in a staging folder beside the output, then moved
    // into place; the staging folder and whatever it replaced go at the end.
    QTemporaryDir staging(out.absoluteFilePath(QStringLiteral(".mathcontest-bank-XXXXXX")));
    if (!staging.isValid())
        throw Failure(QStringLiteral("A staging folder could not be made in the output folder."), out.absolutePath(),
                      QStringLiteral("Make sure the folder can be written to."));
    const QDir stage(staging.path());
    std::vector<BankFile::Answers> answers;
    answers.reserve(questions.size());
    for (const auto &question : questions)
        answers.push_back({question.answers[0], question.answers[1], question.answers[2], question.answers[3]});
    BankFile::write(stage.filePath(QString::fromLatin1(QuestionBank::kFileName)), answers);

    const QString stagedImg = stage.filePath(QStringLiteral("img"));
    stage.mkdir(QStringLiteral("img"));
    // The question pictures, rendered or copied on every core; the first
    // picture that could not be written is reported.
    std::vector<int> order(questions.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<char> written(questions.size(), 0);
    QtConcurrent::blockingMap(order, [&](int i) {
        const auto index = static_cast<size_t>(i);
        const QString target = QStringLiteral("%1/%2.jpg").arg(stagedImg).arg(i + 1);
        written[index] = givenPictures[index].isEmpty()
            ? QuestionPicture::render(questions[index].question).save(target, "JPEG", kJpegQuality)
            : copyFile(givenPictures[index], target);
    });
    for (size_t i = 0; i < questions.size(); ++i) {
        if (!written[i])
            throw Failure(QStringLiteral("The picture of question %1 could not be written.").arg(i + 1),
                          QStringLiteral("%1/%2.jpg").arg(stagedImg).arg(i + 1),
                          QStringLiteral("Make sure the folder can be written to and the disk is not full."));
    }
    save(QuestionPicture::background(), stagedImg + QStringLiteral("/bak.jpg"));
    save(QuestionPicture::placeholder(), stagedImg + QStringLiteral("/soal.jpg"));
    save(QuestionPicture::questionButtonFace(), stagedImg + QStringLiteral("/bsoal.jpg"));

    // Each move into place records how to undo itself; a failed move undoes
    // the ones before it, so the folder keeps its old bank or gets the new one.
    std::vector<std::function<void()>> undo;
    auto step = [&](const QString &from, const QString &to) {
        if (!QFileInfo::exists(from))
            return;
        try {
            moveInto(from, to);
        } catch (const Failure &) {
            for (auto it = undo.rbegin(); it != undo.rend(); ++it)
                (*it)();
            throw;
        }
        undo.push_back([from, to] { QDir().rename(to, from); });
    };
    step(bankPath, stage.filePath(QStringLiteral("old-db1.sqlite")));
    step(imgPath, stage.filePath(QStringLiteral("old-img")));
    step(stagedImg, imgPath);
    step(stage.filePath(QString::fromLatin1(QuestionBank::kFileName)), bankPath);
    return {static_cast<int>(questions.size()), bankPath};
}
