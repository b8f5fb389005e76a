#include "bankcreator.h"

#include "contestfolder.h"
#include "mathtext.h"
#include "translation.h"

#include "bankfile.h"
#include "questionfile.h"
#include "failure.h"
#include "newfolder.h"
#include "picture.h"
#include "questionbank.h"
#include "questionpicture.h"
#include "regularfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentMap>

#include <cstring>
#include <functional>
#include <optional>
#include <numeric>
#include <vector>
#include <QCoreApplication>

namespace {

constexpr int kJpegQuality = 88;

// The picture encoded, then written with every write checked: the image
// writer does not report a failure of its last flush.
bool saved(const QImage &image, const QString &path, const char *format = "JPEG")
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    return buffer.open(QIODevice::WriteOnly) && image.save(&buffer, format, std::strcmp(format, "JPEG") == 0 ? kJpegQuality : -1)
        && RegularFile::write(path, bytes, RegularFile::Mode::Staged).isEmpty();
}

// A plain copy into the staging folder.
bool copyFile(const QString &from, const QString &to)
{
    QFile source(from);
    const QByteArray bytes = source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
    return source.isOpen() && source.error() == QFileDevice::NoError && RegularFile::write(to, bytes, RegularFile::Mode::Staged).isEmpty();
}

void save(const QImage &image, const QString &path)
{
    if (!saved(image, path))
        throw Failure(QCoreApplication::translate("BankCreator", "A picture could not be written."), path,
                      QCoreApplication::translate("BankCreator", "Make sure the folder can be written to and the disk is not full."));
}

// Writes question's picture at target: its text rendered; or the picture it
// is given (a file it names, or one pasted into its row of a spreadsheet): a
// JPEG copied as it is when it fits the question box and scaled down to fit
// it when not, any other picture made a JPEG the same way; or, given both a
// text and a picture, the two composed, and the picture kept as it was given
// at figureTarget, a PNG (for export). Throws a Failure saying what went wrong.
void writeQuestionPicture(const QuestionFile::Question &question, const QString &given, const QString &target, const QString &figureTarget)
{
    bool written = false;
    if (given.isEmpty() && question.pastedPicture.isEmpty()) {
        written = saved(QuestionPicture::render(question.question), target);
    } else {
        const QString place = given.isEmpty() ? QCoreApplication::translate("BankCreator", "the picture pasted into the question's row") : given;
        const QByteArray bytes = given.isEmpty() ? question.pastedPicture
                                                 : RegularFile::read(given, QCoreApplication::translate("BankCreator", "A picture file"),
                                                                     QCoreApplication::translate("BankCreator", "Check the picture's path in the question file."),
                                                                     RegularFile::kMaxBytes);
        if (!question.question.isEmpty()) {
            const QImage figure = Picture::decodeAny(bytes, place);
            // Kept without loss, so that the file export writes makes the
            // same picture again.
            written = saved(QuestionPicture::compose(question.question, figure), target) && saved(figure, figureTarget, "PNG");
        } else if (Picture::isJpeg(bytes) && !given.isEmpty()) {
            const std::optional<QImage> scaled = Picture::fitted(given, Picture::kQuestionBox);
            // A plain copy: the staging folder already makes the output whole or
            // nothing, and syncing thousands of pictures costs seconds.
            written = scaled ? saved(*scaled, target) : RegularFile::write(target, bytes, RegularFile::Mode::Staged).isEmpty();
        } else {
            const QImage picture = QuestionPicture::onBox(Picture::decodeAny(bytes, place));
            written = saved(picture.size().boundedTo(Picture::kQuestionBox) == picture.size()
                                ? picture
                                : picture.scaled(Picture::kQuestionBox, Qt::KeepAspectRatio, Qt::SmoothTransformation),
                            target);
        }
    }
    if (!written)
        throw Failure(QCoreApplication::translate("BankCreator", "the picture could not be written"), target,
                      QCoreApplication::translate("BankCreator", "Make sure the folder can be written to and the disk is not full."));
}

// The files the command reads (the question file, the pictures it names)
// that lie in the img folder it replaces go into the new one, so nothing the
// teacher gave is lost: under their own names where the new folder has none,
// and where it has one, only if it is that very file (a picture copied as it
// is). Anything else stops the command before anything is replaced.
void keepInputs(const std::vector<QString> &inputs, const QString &oldImg, const QString &newImg)
{
    const QString old = QFileInfo(oldImg).canonicalFilePath();
    if (old.isEmpty())
        return;
    for (const QString &input : inputs) {
        const QString path = QFileInfo(input).canonicalFilePath();
        if (path.isEmpty() || !path.startsWith(old + u'/'))
            continue;
        const QString kept = QDir(newImg).filePath(QDir(old).relativeFilePath(path));
        if (QFileInfo::exists(kept)) {
            QFile mine(path), made(kept);
            if (mine.open(QIODevice::ReadOnly) && made.open(QIODevice::ReadOnly) && mine.readAll() == made.readAll())
                continue;
            throw Failure(QCoreApplication::translate("BankCreator", "A file the command reads is in the img folder it replaces, under a name the new bank "
                                                                     "writes there, and it would be lost."),
                          input, QCoreApplication::translate("BankCreator", "Move the file out of the contest folder's img folder (or rename it), "
                                                                            "change the question file to name it there, and run the command again."));
        }
        if (!QDir().mkpath(QFileInfo(kept).absolutePath()) || !copyFile(path, kept))
            throw Failure(QCoreApplication::translate("BankCreator", "A picture could not be written."), kept,
                          QCoreApplication::translate("BankCreator", "Make sure the folder can be written to and the disk is not full."));
    }
}

void moveInto(const QString &from, const QString &to)
{
    if (!QDir().rename(from, to))
        throw Failure(QCoreApplication::translate("BankCreator", "The new bank could not be moved into place."), to,
                      QCoreApplication::translate("BankCreator", "Make sure the folder can be written to, then run the command again."));
}

// The numbers of the questions' texts and answers in one digit set. Two
// answers that differed only in their digits ("3" and "٣") would become the
// same: such a question cannot be answered, and is refused as in the file.
void writeDigits(std::vector<QuestionFile::Question> &questions, NumberDigits::Set digits, const QString &csvPath)
{
    if (digits == NumberDigits::Set::AsTyped)
        return;
    for (QuestionFile::Question &question : questions) {
        question.question = NumberDigits::convert(question.question, digits);
        for (QString &answer : question.answers)
            answer = NumberDigits::convert(answer, digits);
        for (int a = 1; a < 4; ++a) {
            for (int b = 0; b < a; ++b) {
                if (question.answers[a].trimmed() != question.answers[b].trimmed())
                    continue;
                const QString place = QCoreApplication::translate("BankCreator", "%1, %2").arg(Translation::isolate(csvPath), question.place());
                throw Failure(QCoreApplication::translate("BankCreator", "%1: answers a%2 and a%3 are the same, \"%4\", once their numbers are written in %5 digits; "
                                                                         "a question with two equal answers cannot be answered")
                                  .arg(place)
                                  .arg(b + 1)
                                  .arg(a + 1)
                                  .arg(Translation::shown(question.answers[a].trimmed()), NumberDigits::name(digits)),
                              place, QCoreApplication::translate("BankCreator", "Make the two answers different numbers, or make the bank with --digits typed."));
            }
        }
    }
}

// What of the notation could not be read is drawn as typed: said in the
// note, with its place, before a pupil sees it.
void noteUnreadNotation(const std::vector<QuestionFile::Question> &questions, QString *note)
{
    for (const QuestionFile::Question &question : questions) {
        for (int field = 0; field < 5; ++field) {
            for (const QString &unread : MathText::unreadNotation(field == 0 ? question.question : question.answers[field - 1]))
                QuestionFile::addNote(note, QCoreApplication::translate("BankCreator", "%1, %2: %3")
                                                .arg(question.place(),
                                                     field == 0 ? QCoreApplication::translate("BankCreator", "the question")
                                                                : QCoreApplication::translate("BankCreator", "answer a%1").arg(field),
                                                     unread));
        }
    }
}

// The bank of the questions at path, with their texts, the digits they are
// written in and which were given a picture.
void writeBank(const std::vector<QuestionFile::Question> &questions, NumberDigits::Set digits, const QString &path)
{
    std::vector<BankFile::Answers> answers;
    BankFile::Extras extras;
    if (digits != NumberDigits::Set::AsTyped)
        extras.digits = NumberDigits::name(digits);
    answers.reserve(questions.size());
    for (const auto &question : questions) {
        answers.push_back({question.answers[0], question.answers[1], question.answers[2], question.answers[3]});
        extras.texts.push_back(question.question);
        extras.givenPictures.push_back(!question.picture.isEmpty() || !question.pastedPicture.isEmpty());
    }
    BankFile::write(path, answers, extras);
}

// The question pictures in the folder stagedImg, rendered, copied or scaled
// down on every core; every one that could not be made is reported, in the
// file's order, with its line.
void writeQuestionPictures(const std::vector<QuestionFile::Question> &questions, const std::vector<QString> &givenPictures, const QString &stagedImg,
                           const QString &csvPath)
{
    std::vector<int> order(questions.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<std::optional<Failure>> faults(questions.size());
    QtConcurrent::blockingMap(order, [&](int i) {
        const auto index = static_cast<size_t>(i);
        try {
            writeQuestionPicture(questions[index], givenPictures[index], QDir(stagedImg).filePath(ContestFolder::questionPictureName(i + 1)),
                                 QStringLiteral("%1/%2%3.png").arg(stagedImg, QString::fromLatin1(BankCreator::kFigurePrefix)).arg(i + 1));
        } catch (const Failure &failure) {
            faults[index] = failure;
        }
    });
    std::vector<Failure> pictureFaults;
    for (size_t i = 0; i < questions.size(); ++i) {
        if (!faults[i])
            continue;
        const auto &question = questions[i];
        if (givenPictures[i].isEmpty())
            pictureFaults.push_back(Failure(QCoreApplication::translate("BankCreator", "%1:%2: the picture of question %3 could not be made: %4")
                              .arg(Translation::isolate(csvPath))
                              .arg(question.line)
                              .arg(i + 1)
                              .arg(faults[i]->whatFailed()),
                          QCoreApplication::translate("BankCreator", "%1, line %2").arg(Translation::isolate(csvPath)).arg(question.line), faults[i]->whatToDo()));
        else
            pictureFaults.push_back(Failure(QCoreApplication::translate("BankCreator", "%1:%2: picture \"%3\": %4").arg(Translation::isolate(csvPath)).arg(question.line).arg(Translation::isolate(question.picture), faults[i]->whatFailed()),
                                            QCoreApplication::translate("BankCreator", "%1, line %2").arg(Translation::isolate(csvPath)).arg(question.line),
                                            QCoreApplication::translate("BankCreator", "Give the path of a JPEG picture, relative to the question file's folder or absolute.")));
    }
    if (!pictureFaults.empty())
        throw QuestionFile::allFaults(pictureFaults, csvPath);
}

// Moves each existing path of moves to its place, in order. Each move
// records how to undo itself; a failed move undoes the ones before it, so
// the folder keeps its old bank or gets the new one.
void moveIntoPlace(const std::vector<std::pair<QString, QString>> &moves)
{
    std::vector<std::function<void()>> undo;
    for (const auto &[from, to] : moves) {
        if (!QFileInfo::exists(from))
            continue;
        try {
            moveInto(from, to);
        } catch (const Failure &) {
            for (auto it = undo.rbegin(); it != undo.rend(); ++it)
                (*it)();
            throw;
        }
        undo.push_back([from, to] { QDir().rename(to, from); });
    }
}

} // namespace

NumberDigits::Set BankCreator::recordedDigits(const QString &folder)
{
    const QString recorded = QuestionBank::openBank(folder).digitSet();
    return NumberDigits::fromName(recorded).value_or(NumberDigits::Set::AsTyped);
}

BankCreator::Result BankCreator::create(const QString &csvPath, const QString &outDir, bool replace, std::optional<NumberDigits::Set> digits)
{
    QString note;
    std::vector<QuestionFile::Question> questions = QuestionFile::read(csvPath, &note);
    const QDir csvFolder = QFileInfo(csvPath).absoluteDir();

    std::vector<QString> givenPictures(questions.size());
    for (size_t i = 0; i < questions.size(); ++i) {
        if (!questions[i].picture.isEmpty())
            givenPictures[i] = QDir::cleanPath(csvFolder.absoluteFilePath(questions[i].picture));
    }

    const QDir out(outDir);
    const QString bankPath = QuestionBank::filePath(out.absolutePath());
    const QString imgPath = out.absoluteFilePath(QStringLiteral("img"));
    if (!replace && (QFileInfo::exists(bankPath) || QFileInfo::exists(imgPath)))
        throw Failure(QCoreApplication::translate("BankCreator", "The folder already holds a question bank or an img folder."), out.absolutePath(),
                      QCoreApplication::translate("BankCreator", "Choose an empty folder, or add --force to replace them."));
    // A bank made again keeps the digits it was made with.
    // One that cannot be read is being replaced: its numbers are as typed,
    // and the note says why.
    if (!digits && replace && QFileInfo::exists(bankPath)) {
        try {
            digits = recordedDigits(out.absolutePath());
        } catch (const Failure &failure) {
            QuestionFile::addNote(&note, QCoreApplication::translate("BankCreator", "the bank being replaced could not be read (%1), so the digits it was made "
                                                                                    "with are not known: its numbers are as typed; give --digits to choose")
                                             .arg(failure.whatFailed()));
        }
    }
    if (!digits)
        digits = NumberDigits::Set::AsTyped;
    writeDigits(questions, *digits, csvPath);
    noteUnreadNotation(questions, &note);
    NewFolder outFolder(out.absolutePath());

    // Everything is made in a staging folder beside the output, then moved
    // into place; the staging folder and whatever it replaced go at the end.
    QTemporaryDir staging(out.absoluteFilePath(QStringLiteral(".mathcontest-bank-XXXXXX")));
    if (!staging.isValid())
        throw Failure(QCoreApplication::translate("BankCreator", "A staging folder could not be made in the output folder."), out.absolutePath(),
                      QCoreApplication::translate("BankCreator", "Make sure the folder can be written to."));
    const QDir stage(staging.path());
    writeBank(questions, *digits, stage.filePath(QString::fromLatin1(QuestionBank::kFileName)));
    const QString stagedImg = stage.filePath(QStringLiteral("img"));
    stage.mkdir(QStringLiteral("img"));
    writeQuestionPictures(questions, givenPictures, stagedImg, csvPath);
    save(QuestionPicture::background(), QDir(stagedImg).filePath(QString::fromLatin1(ContestFolder::kBackgroundPicture)));
    save(QuestionPicture::placeholder(), QDir(stagedImg).filePath(QString::fromLatin1(ContestFolder::kPlaceholderPicture)));
    save(QuestionPicture::questionButtonFace(), QDir(stagedImg).filePath(QString::fromLatin1(ContestFolder::kQuestionButtonPicture)));
    std::vector<QString> inputs(givenPictures);
    inputs.push_back(QFileInfo(csvPath).absoluteFilePath());
    keepInputs(inputs, imgPath, stagedImg);

    moveIntoPlace({{bankPath, stage.filePath(QStringLiteral("old-db1.sqlite"))},
                   {imgPath, stage.filePath(QStringLiteral("old-img"))},
                   {stagedImg, imgPath},
                   {stage.filePath(QString::fromLatin1(QuestionBank::kFileName)), bankPath}});
    outFolder.keep();
    return {static_cast<int>(questions.size()), bankPath, note, *digits};
}
