#include "failure.h"
#include "questionbank.h"
#include "testfolder.h"
#include "testhelpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

// The start-up sequence of the splash window's load.
void startUp(const QString &folder)
{
    QuestionBank bank = QuestionBank::openBank(folder);
    const qint64 n = bank.countQuestions();
    bank.checkForContest(n);
    bank.clearUsedMarks(n);
}

} // namespace

class TestQuestionBank : public QObject {
    Q_OBJECT
private slots:
    void sweepWritesOnlyTheMarkedRows_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<QList<int>>("marked");
        QTest::newRow("partly used") << 10 << QList<int>{2, 5, 9};
        QTest::newRow("none used") << 6 << QList<int>{};
        QTest::newRow("all used") << 4 << QList<int>{1, 2, 3, 4};
        QTest::newRow("one question") << 1 << QList<int>{1};
    }
    void sweepWritesOnlyTheMarkedRows()
    {
        QFETCH(int, questions);
        QFETCH(QList<int>, marked);
        TestFolder folder;
        folder.writeBank(questions, marked);
        folder.logUpdates();
        startUp(folder.path());
        QCOMPARE(folder.usedIds(), QList<int>{});
        QCOMPARE(folder.updatedIds(), marked);
    }

    void questionsAreReadReleasedAndMarked()
    {
        TestFolder folder;
        folder.writeBankSql({QStringLiteral("create table soaal (ID INTEGER PRIMARY KEY, YN BOOLEAN NOT NULL, a1 TEXT, a2 TEXT, a3 TEXT, a4 TEXT)"),
                             QStringLiteral("insert into soaal values (1, 0, '-4', NULL, 'x', 7), (2, 1, 'a', 'b', 'c', 'd'), (3, 0, 'e', 'f', 'g', 'h')")});
        folder.logUpdates();
        QuestionBank bank = QuestionBank::openBank(folder.path());
        QCOMPARE(bank.countQuestions(), 3);
        QCOMPARE(bank.countUsedQuestions(), 1);
        // Released: nothing written.
        QuestionRecord record = bank.openQuestion(2);
        QVERIFY(record.used());
        bank.releaseQuestion(record);
        QVERIFY(!record.isOpen());
        QCOMPARE(folder.updatedIds(), QList<int>{});
        // Read as it stands (a NULL answer as an empty caption), then marked,
        // committed before the handler's connection goes.
        record = bank.openQuestion(1);
        QCOMPARE(record.id(), 1);
        QCOMPARE(QStringList({record.answer(1), record.answer(2), record.answer(3), record.answer(4)}), QStringList({"-4", "", "x", "7"}));
        bank.markQuestionUsed(record);
        QCOMPARE(folder.usedIds(), (QList<int>{1, 2}));
        QCOMPARE(bank.countUsedQuestions(), 2);
        QVERIFY2(failureOf([&] { (void)bank.openQuestion(4); }).contains(QStringLiteral("question 4")), "a question that is not there");
    }

    void malformedBankStopsTheStart_data()
    {
        const QString create = QStringLiteral("create table soaal (ID INTEGER PRIMARY KEY, YN BOOLEAN NOT NULL, a1 TEXT, a2 TEXT, a3 TEXT, a4 TEXT)");
        const QString loose = QStringLiteral("create table soaal (ID, YN, a1 TEXT, a2 TEXT, a3 TEXT, a4 TEXT)");
        QTest::addColumn<QStringList>("sql");
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing file") << QStringList() << QByteArray() << "question bank file is missing";
        QTest::newRow("empty file") << QStringList() << QByteArray("") << "not an SQLite database (the file is empty)";
        QTest::newRow("text file") << QStringList() << QByteArray("ID,YN\n1,0\n") << "not an SQLite database";
        QTest::newRow("damaged") << QStringList() << QByteArray("SQLite format 3\0", 16) + QByteArray(4000, '\x7f')
                                 << "damaged";
        QTest::newRow("no table") << QStringList{QStringLiteral("create table other (x)")} << QByteArray() << "no table soaal";
        QTest::newRow("no field a3") << QStringList{QStringLiteral("create table soaal (ID INTEGER PRIMARY KEY, YN, a1, a2, a4)"),
                                                    QStringLiteral("insert into soaal values (1,0,'a','b','d')")}
                                     << QByteArray() << "no field a3";
        QTest::newRow("empty table") << QStringList{create} << QByteArray() << "holds no questions";
        QTest::newRow("gap") << QStringList{create, QStringLiteral("insert into soaal values (1,0,'a','b','c','d'),(2,0,'a','b','c','d'),(4,0,'a','b','c','d')")}
                             << QByteArray() << "Question number 3 is missing";
        QTest::newRow("gap before the last") << QStringList{create, QStringLiteral("insert into soaal values (1,0,'a','b','c','d'),(2,0,'a','b','c','d'),(3,0,'a','b','c','d'),(5,0,'a','b','c','d')")}
                                             << QByteArray() << "Question number 4 is missing";
        QTest::newRow("starts at two") << QStringList{create, QStringLiteral("insert into soaal values (2,0,'a','b','c','d'),(3,0,'a','b','c','d')")}
                                       << QByteArray() << "Question number 1 is missing";
        QTest::newRow("duplicate") << QStringList{loose, QStringLiteral("insert into soaal values (1,0,'a','b','c','d'),(2,0,'a','b','c','d'),(2,0,'a','b','c','d')")}
                                   << QByteArray() << "Question number 2 is used twice";
        QTest::newRow("text ID") << QStringList{loose, QStringLiteral("insert into soaal values ('one',0,'a','b','c','d')")} << QByteArray()
                                 << "not a whole number: 'one'";
        QTest::newRow("bad mark") << QStringList{loose, QStringLiteral("insert into soaal values (1,0,'a','b','c','d'),(2,'yes','a','b','c','d')")}
                                  << QByteArray() << "used mark (YN) of question 2";
        QTest::newRow("negative mark") << QStringList{create, QStringLiteral("insert into soaal values (1,-1,'a','b','c','d')")}
                                       << QByteArray() << "used mark (YN) of question 1 is -1";
        QTest::newRow("null mark") << QStringList{loose, QStringLiteral("insert into soaal values (1,NULL,'a','b','c','d')")} << QByteArray()
                                   << "used mark (YN) of question 1 is NULL";
    }
    void malformedBankStopsTheStart()
    {
        QFETCH(QStringList, sql);
        QFETCH(QByteArray, raw);
        QFETCH(QString, expected);
        TestFolder folder;
        if (!sql.isEmpty())
            folder.writeBankSql(sql);
        else if (!raw.isNull())
            writeFile(folder.bankPath(), raw);
        const QString message = failureOf([&] { startUp(folder.path()); });
        QVERIFY2(message.contains(expected) && message.contains(folder.bankPath()), qPrintable(message));
        // A missing bank is not made by looking for it.
        if (sql.isEmpty() && raw.isNull())
            QVERIFY(!QFile::exists(folder.bankPath()));
    }

    void lockedBankGivesAClearMessage()
    {
        TestFolder folder;
        folder.writeBank(3, {1});
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(folder.bankPath());
            QVERIFY(other.open());
            QSqlQuery lock(other);
            QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            QElapsedTimer waited;
            waited.start();
            const QString message = failureOf([&] { startUp(folder.path()); });
            QVERIFY2(message.contains(QStringLiteral("locked by another program")), qPrintable(message));
            QVERIFY(waited.elapsed() >= QuestionBank::kBusyTimeoutMs / 2);
            QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        // Nothing was changed by the failed start.
        QCOMPARE(folder.usedIds(), QList<int>{1});
    }
};

QTEST_GUILESS_MAIN(TestQuestionBank)
#include "tst_questionbank.moc"
