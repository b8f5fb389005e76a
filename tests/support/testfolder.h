#pragma once

#include "contestfolder.h"
#include "questionbank.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

// A temporary program folder for tests: a question bank built from SQL or
// from a number of questions, and the img folder of pictures.
class TestFolder {
public:
    TestFolder() { QDir(m_dir.path()).mkdir(QStringLiteral("img")); }

    QString path() const { return m_dir.path(); }
    QString bankPath() const { return QuestionBank::filePath(path()); }
    QString imgPath(const QString &name) const { return path() + QStringLiteral("/img/") + name; }

    // A bank of n questions, IDs 1..n, answers "q<ID>a1".."q<ID>a4", the
    // questions listed in used marked used.
    void writeBank(int n, const QList<int> &used = {});
    // Runs each statement on a new bank file (for malformed banks).
    void writeBankSql(const QStringList &statements);
    // Adds a trigger that logs the ID of every updated row to table written.
    void logUpdates();
    QList<int> updatedIds() const { return ids(QStringLiteral("select ID from written order by rowid")); }
    QList<int> usedIds() const { return ids(QStringLiteral("select ID from soaal where YN<>0 order by ID")); }

    // bak.jpg, soal.jpg, bsoal.jpg and 1.jpg .. n.jpg, each a plain colour
    // of its own; the window pictures at their usual sizes.
    void writePictures(int n, QSize background = {800, 600});
    // The colour of question picture id (and the placeholder's, id 0): far
    // apart hues, so JPEG noise never makes two pictures alike.
    static QColor pictureColour(int id) { return QColor::fromHsv((id * 47) % 360, 200, 220); }
    // Question picture id is kQuestionPictureWidth + id pixels wide, so the
    // size of the picture box tells which question is on show.
    static constexpr int kQuestionPictureWidth = 300;

    // Runs a statement on a bank (this folder's, or any) and gives the first
    // column of every row.
    QList<QVariant> query(const QString &sql) const { return query(bankPath(), sql); }
    static QList<QVariant> query(const QString &bank, const QString &sql);

    // Makes this the program folder of the code under test.
    void use() const { ContestFolder::use(path()); }

    // A contest folder in one step: a bank of n questions (those in used
    // marked), every picture (the background of the size given), and made
    // the program folder.
    void prepareContest(int n, const QList<int> &used = {}, QSize background = {800, 600});

private:
    QList<int> ids(const QString &sql) const;
    QTemporaryDir m_dir;
};
