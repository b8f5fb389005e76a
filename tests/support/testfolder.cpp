#include "testfolder.h"

#include "contestfolder.h"
#include "questionbank.h"
#include "testhelpers.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

void TestFolder::writeBank(int n, const QList<int> &used)
{
    QStringList values;
    for (int id = 1; id <= n; ++id)
        values << QStringLiteral("(%1,%2,'q%1a1','q%1a2','q%1a3','q%1a4')").arg(id).arg(used.contains(id) ? 1 : 0);
    QStringList statements{QStringLiteral("create table soaal (ID INTEGER PRIMARY KEY, YN BOOLEAN NOT NULL DEFAULT 0, a1 TEXT, a2 TEXT, a3 TEXT, a4 TEXT)"),
                           QStringLiteral("create index soaal_yn on soaal(YN)")};
    if (n > 0) // an empty bank, for the start's own refusal
        statements << QStringLiteral("insert into soaal values ") + values.join(u',');
    writeBankSql(statements);
}

void TestFolder::writeBankSql(const QStringList &statements)
{
    QFile::remove(bankPath());
    for (const QString &sql : statements)
        query(sql);
}

void TestFolder::logUpdates()
{
    query(QStringLiteral("create table written (ID INTEGER)"));
    query(QStringLiteral("create trigger log_update after update on soaal begin insert into written values (new.ID); end"));
}

QList<int> TestFolder::ids(const QString &sql) const
{
    QList<int> ids;
    for (const QVariant &v : query(sql))
        ids << v.toInt();
    return ids;
}

QList<QVariant> TestFolder::query(const QString &bank, const QString &sql)
{
    static std::atomic<int> connections{0};
    const QString name = QStringLiteral("testfolder-%1").arg(++connections);
    QList<QVariant> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(bank);
        if (!db.open())
            qFatal("cannot open test bank %s: %s", qPrintable(bank), qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        if (!q.exec(sql))
            qFatal("test query failed: %s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        while (q.next())
            rows << q.value(0);
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

void TestFolder::writePictures(int n, QSize background)
{
    writeFile(imgPath(QStringLiteral("bak.jpg")), jpeg(background, QColor(30, 60, 90)));
    writeFile(imgPath(QStringLiteral("soal.jpg")), jpeg({450, 130}, pictureColour(0)));
    writeFile(imgPath(QStringLiteral("bsoal.jpg")), jpeg({104, 57}, QColor(20, 80, 160)));
    for (int id = 1; id <= n; ++id)
        writeFile(imgPath(QStringLiteral("%1.jpg").arg(id)), jpeg({kQuestionPictureWidth + id, 100}, pictureColour(id)));
}

void TestFolder::prepareContest(int n, const QList<int> &used, QSize background)
{
    writeBank(n, used);
    writePictures(n, background);
    use();
}
