#include "bankfile.h"
#include "translation.h"

#include "failure.h"
#include "questionbank.h"
#include "sqliteconnection.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <QCoreApplication>

namespace {

// Runs sql unless an error came before; the error is kept.
void run(QSqlQuery &query, const QString &sql, QString &error)
{
    if (error.isEmpty() && !query.exec(sql))
        error = query.lastError().text();
}

// The questions and their answers, in the table made for them.
void writeQuestions(QSqlDatabase &db, const std::vector<BankFile::Answers> &questions, QString &error)
{
    QSqlQuery insert(db);
    if (error.isEmpty() && !insert.prepare(QStringLiteral("insert into soaal (ID, YN, a1, a2, a3, a4) values (?, 0, ?, ?, ?, ?)")))
        error = insert.lastError().text();
    qint64 id = 0;
    for (const BankFile::Answers &answers : questions) {
        if (!error.isEmpty())
            break;
        insert.bindValue(0, ++id);
        for (int i = 0; i < 4; ++i)
            insert.bindValue(i + 1, answers[i]);
        if (!insert.exec())
            error = QCoreApplication::translate("BankFile", "question %1: %2").arg(id).arg(Translation::isolate(insert.lastError().text()));
    }
    insert.finish();
}

// A table of one text value (the Access source, the digit set).
void writeValue(QSqlDatabase &db, const QString &table, const QString &column, const QString &value, QString &error)
{
    QSqlQuery query(db);
    run(query, QStringLiteral("create table %1 (%2 TEXT NOT NULL)").arg(table, column), error);
    QSqlQuery insert(db);
    if (error.isEmpty() && !insert.prepare(QStringLiteral("insert into %1 (%2) values (?)").arg(table, column)))
        error = insert.lastError().text();
    insert.bindValue(0, value);
    if (error.isEmpty() && !insert.exec())
        error = insert.lastError().text();
}

// The question texts, and which questions were given a picture.
void writeQuestionExtras(QSqlDatabase &db, const BankFile::Extras &extras, QString &error)
{
    QSqlQuery query(db);
    if (!extras.texts.empty()) {
        run(query, QStringLiteral("create table question_text (ID INTEGER PRIMARY KEY, text TEXT NOT NULL)"), error);
        QSqlQuery text(db);
        if (error.isEmpty() && !text.prepare(QStringLiteral("insert into question_text (ID, text) values (?, ?)")))
            error = text.lastError().text();
        for (size_t i = 0; i < extras.texts.size() && error.isEmpty(); ++i) {
            if (extras.texts[i].isEmpty())
                continue;
            text.bindValue(0, qint64(i + 1));
            text.bindValue(1, extras.texts[i]);
            if (!text.exec())
                error = QCoreApplication::translate("BankFile", "question %1: %2").arg(i + 1).arg(Translation::isolate(text.lastError().text()));
        }
    }
    if (error.isEmpty() && !extras.givenPictures.empty()) {
        run(query, QStringLiteral("create table given_picture (ID INTEGER PRIMARY KEY)"), error);
        QSqlQuery given(db);
        if (!given.prepare(QStringLiteral("insert into given_picture (ID) values (?)")))
            error = given.lastError().text();
        for (size_t i = 0; i < extras.givenPictures.size() && error.isEmpty(); ++i) {
            if (!extras.givenPictures[i])
                continue;
            given.bindValue(0, qint64(i + 1));
            if (!given.exec())
                error = QCoreApplication::translate("BankFile", "question %1: %2").arg(i + 1).arg(Translation::isolate(given.lastError().text()));
        }
    }
}

} // namespace

void BankFile::write(const QString &path, const std::vector<Answers> &questions, const Extras &extras)
{
    if (QFileInfo::exists(path))
        throw Failure(QCoreApplication::translate("BankFile", "A question bank file is already there."), path,
                      QCoreApplication::translate("BankFile", "Choose another place, or remove the old file first."));
    QuestionBank::checkPathLength(path);
    QString error;
    {
        // Closed and removed at the end of this block, before a failure is
        // reported or the file is moved.
        SqliteConnection connection(path);
        QSqlDatabase &db = connection.database();
        if (!db.isOpen()) {
            error = db.lastError().text();
        } else {
            QSqlQuery query(db);
            run(query, QStringLiteral("PRAGMA journal_mode=DELETE"), error);
            run(query, QStringLiteral("create table soaal (ID INTEGER PRIMARY KEY, "
                                      "YN BOOLEAN NOT NULL DEFAULT 0 CHECK (YN IN (0,1)), "
                                      "a1 TEXT, a2 TEXT, a3 TEXT, a4 TEXT)"), error);
            run(query, QStringLiteral("create index soaal_yn on soaal(YN)"), error);
            if (error.isEmpty() && !db.transaction())
                error = db.lastError().text();
            writeQuestions(db, questions, error);
            if (error.isEmpty() && !extras.accessSource.isEmpty())
                writeValue(db, QStringLiteral("access_source"), QStringLiteral("source"), extras.accessSource, error);
            writeQuestionExtras(db, extras, error);
            if (error.isEmpty() && !extras.digits.isEmpty())
                writeValue(db, QStringLiteral("digit_set"), QStringLiteral("digits"), extras.digits, error);
            if (error.isEmpty() && !db.commit())
                error = db.lastError().text();
        }
    }
    if (!error.isEmpty())
        throw Failure(QCoreApplication::translate("BankFile", "The question bank could not be written: %1.").arg(error), path,
                      QCoreApplication::translate("BankFile", "Make sure the folder can be written to and the disk is not full."));
}

void BankFile::writeWhole(const QString &path, const std::vector<Answers> &questions, bool replace, const Extras &extras)
{
    if (!replace && QFileInfo::exists(path))
        throw Failure(QCoreApplication::translate("BankFile", "A question bank file is already there."), path,
                      QCoreApplication::translate("BankFile", "Choose another folder, or add --force to replace it."));
    QString temporary;
    {
        // Only a free name is wanted; SQLite makes the file itself.
        QTemporaryFile name(QFileInfo(path).absoluteDir().filePath(QStringLiteral(".db1-XXXXXX.sqlite")));
        if (!name.open())
            throw Failure(QCoreApplication::translate("BankFile", "A new question bank could not be made in the folder."), path,
                          QCoreApplication::translate("BankFile", "Make sure the folder exists and can be written to."));
        temporary = name.fileName();
    }
    try {
        write(temporary, questions, extras);
    } catch (const Failure &) {
        QFile::remove(temporary);
        throw;
    }
    // rename() replaces the old file in one step.
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        throw Failure(QCoreApplication::translate("BankFile", "The new question bank could not be moved into place."), path,
                      QCoreApplication::translate("BankFile", "Make sure the folder can be written to."));
    }
}
