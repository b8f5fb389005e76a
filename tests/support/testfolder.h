#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary program folder for tests: a question bank built from SQL or
// from a number of questions, and the img folder of pictures.
class TestFolder {
public:
    TestFolder();

    QString path() const { return m_dir.path(); }
    QString bankPath() const;
    QString imgPath(const QString &name) const;

    // A bank of n questions, IDs 1..n, answers "q<ID>a1".."q<ID>a4", the
    // questions listed in used marked used.
    void writeBank(int n, const QList<int> &used = {});
    // Runs each statement on a new bank file (for malformed banks).
    void writeBankSql(const QStringList &statements);
    // Adds a trigger that logs the ID of every updated row to table written.
    void logUpdates();
    QList<int> updatedIds() const;
    QList<int> usedIds() const;

    // bak.jpg, soal.jpg, bsoal.jpg and 1.jpg .. n.jpg, each a plain colour
    // of its own; the window pictures at their usual sizes.
    void writePictures(int n, QSize background = {800, 600});
    // The colour of question picture id (and the placeholder's, id 0).
    static QColor pictureColour(int id);
    // Question picture id is kQuestionPictureWidth + id pixels wide, so the
    // size of the picture box tells which question is on show.
    static constexpr int kQuestionPictureWidth = 300;
    static QSize questionPictureSize(int id);

    // Runs a query on the bank and returns the first column of every row.
    QList<QVariant> query(const QString &sql) const;

    // Makes this the program folder of the code under test.
    void use() const;

    // A contest folder in one step: a bank of n questions (those in used
    // marked), every picture, and made the program folder.
    void prepareContest(int n, const QList<int> &used = {});

private:
    QTemporaryDir m_dir;
};
