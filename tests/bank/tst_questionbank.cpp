#include "failure.h"
#include "questionbank.h"
#include "testfolder.h"
#include "testhelpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
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
        addColumns<int, QList<int>>("questions", "marked");
        QTest::newRow("partly used") << 10 << QList<int>{2, 5, 9};
        QTest::newRow("all used") << 4 << QList<int>{1, 2, 3, 4};
    }
    void sweepWritesOnlyTheMarkedRows()
    {
        auto [questions, marked] = fetchRow<int, QList<int>>("questions", "marked");
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
        // Released: nothing written.
        QuestionRecord record = bank.openQuestion(2);
        QVERIFY(record.used());
        bank.releaseQuestion(record);
        QVERIFY(!record.isOpen() && folder.updatedIds().isEmpty());
        // Read as it stands (a NULL answer as an empty caption), then marked,
        // committed before the handler's connection goes.
        record = bank.openQuestion(1);
        QCOMPARE(record.id(), 1);
        QCOMPARE(QStringList({record.answer(1), record.answer(2), record.answer(3), record.answer(4)}), QStringList({"-4", "", "x", "7"}));
        bank.markQuestionUsed(record);
        QCOMPARE(folder.usedIds(), (QList<int>{1, 2}));
        QCOMPARE(bank.countUsedQuestions(), 2); // counted, as the exhausted check counts
        QVERIFY2(failureOf([&] { (void)bank.openQuestion(4); }).contains(QStringLiteral("question 4")), "a question that is not there");
    }

    void malformedBankStopsTheStart_data()
    {
        // The bank file: raw bytes, or SQL statements, or a table soaal of
        // the given (ID, YN) rows, each with answers.
        addColumns<QByteArray, QString, QString, QString>("raw", "sql", "rows", "expected");
        QTest::newRow("missing file") << QByteArray() << "" << "" << "question bank file is missing";
        QTest::newRow("empty file") << QByteArray("") << "" << "" << "not an SQLite database (the file is empty)";
        QTest::newRow("text file") << QByteArray("ID,YN\n1,0\n") << "" << "" << "not an SQLite database";
        QTest::newRow("damaged") << QByteArray("SQLite format 3\0", 16) + QByteArray(4000, '\x7f') << "" << "" << "damaged";
        QTest::newRow("no table") << QByteArray() << "create table other (x)" << "" << "no table soaal";
        QTest::newRow("no field a3") << QByteArray() << "create table soaal (ID, YN, a1, a2, a4);insert into soaal values (1,0,'a','b','d')" << ""
                                     << "no field a3";
        QTest::newRow("empty table") << QByteArray() << "create table soaal (ID, YN, a1, a2, a3, a4)" << "" << "holds no questions";
        QTest::newRow("gap") << QByteArray() << "" << "(1,0),(2,0),(4,0)" << "Question number 3 is missing";
        QTest::newRow("gap before the last") << QByteArray() << "" << "(1,0),(2,0),(3,0),(5,0)" << "Question number 4 is missing";
        QTest::newRow("starts at two") << QByteArray() << "" << "(2,0),(3,0)" << "Question number 1 is missing";
        QTest::newRow("duplicate") << QByteArray() << "" << "(1,0),(2,0),(2,0)" << "Question number 2 is used twice";
        QTest::newRow("text ID") << QByteArray() << "" << "('one',0)" << "not a whole number: 'one'";
        QTest::newRow("bad mark") << QByteArray() << "" << "(1,0),(2,'yes')" << "used mark (YN) of question 2";
        QTest::newRow("half mark") << QByteArray() << "" << "(1,0),(2,0.5)" << "used mark (YN) of question 2 is 0.5";
        QTest::newRow("negative mark") << QByteArray() << "" << "(1,-1)" << "used mark (YN) of question 1 is -1";
        QTest::newRow("null mark") << QByteArray() << "" << "(1,NULL)" << "used mark (YN) of question 1 is NULL";
        const QString table = QStringLiteral("create table t (ID, YN, a1, a2, a3, a4);insert into t values (1,0,'a','b','c','d');");
        QTest::newRow("soaal a view") << QByteArray() << table + "create view soaal as select * from t" << "" << "soaal in the question bank is a view";
        QTest::newRow("a trigger that swallows the marks")
            << QByteArray() << "create table soaal (ID, YN, a1, a2, a3, a4);insert into soaal values (1,0,'a','b','c','d');"
                               "create trigger keep before update on soaal begin select raise(ignore); end"
            << "" << "Trigger keep of table soaal can undo";
        QTest::newRow("a trigger that clears them again")
            << QByteArray() << "create table soaal (ID, YN, a1, a2, a3, a4);insert into soaal values (1,0,'a','b','c','d');"
                               "create trigger undo after update on soaal begin UPDATE soaal set YN=0; end"
            << "" << "Trigger undo of table soaal";
    }
    void malformedBankStopsTheStart()
    {
        auto [raw, sql, rows, expected] = fetchRow<QByteArray, QString, QString, QString>("raw", "sql", "rows", "expected");
        TestFolder folder;
        if (!raw.isNull())
            writeFile(folder.bankPath(), raw);
        // Statements apart at each ";", but for the one that closes a
        // trigger's statement before its "end".
        QStringList statements = sql.isEmpty() ? QStringList() : sql.split(QRegularExpression(QStringLiteral(";(?! end)")));
        if (!rows.isEmpty())
            statements << QStringLiteral("create table soaal (ID, YN, a1, a2, a3, a4)")
                       << QStringLiteral("insert into soaal values ") + rows.replace(u')', QStringLiteral(",'a','b','c','d')"));
        if (!statements.isEmpty())
            folder.writeBankSql(statements);
        const QString message = failureOf([&] { startUp(folder.path()); });
        QVERIFY2(message.contains(expected) && message.contains(folder.bankPath()), qPrintable(message));
        // A missing bank is not made by looking for it.
        QCOMPARE(QFile::exists(folder.bankPath()), !raw.isNull() || !statements.isEmpty());
    }

    // A file that is no bank is told so when it is opened, before anything
    // is asked of it (the splash window's load, the results command).
    void noBankIsToldAtOpen_data()
    {
        addColumns<QByteArray, QString>("raw", "expected");
        QTest::newRow("no table soaal") << QByteArray() << "no table soaal";
        QTest::newRow("damaged") << QByteArray("SQLite format 3\0", 16) + QByteArray(4000, '\x7f') << "damaged";
    }
    void noBankIsToldAtOpen()
    {
        auto [raw, expected] = fetchRow<QByteArray, QString>("raw", "expected");
        TestFolder folder;
        raw.isNull() ? folder.writeBankSql({QStringLiteral("create table other (x)")}) : writeFile(folder.bankPath(), raw);
        const QString message = failureOf([&] { QuestionBank::openBank(folder.path()); });
        QVERIFY2(message.contains(expected) && message.contains(folder.bankPath()), qPrintable(message));
    }

    void lockedBankGivesAClearMessage()
    {
        TestFolder folder;
        folder.writeBank(3, {1});
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(folder.bankPath());
        QVERIFY(other.open() && QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QElapsedTimer waited;
        waited.start();
        const QString message = failureOf([&] { startUp(folder.path()); });
        QVERIFY2(message.contains(QStringLiteral("locked by another program")), qPrintable(message));
        QVERIFY(waited.elapsed() >= QuestionBank::kBusyTimeoutMs / 2);
        other.close();
        // Nothing was changed by the failed start.
        QCOMPARE(folder.usedIds(), QList<int>{1});
    }
};

QTEST_GUILESS_MAIN(TestQuestionBank)
#include "tst_questionbank.moc"
