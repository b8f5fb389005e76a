#include "accessimport.h"
#include "accessreader.h"
#include "failure.h"
#include "questionbank.h"
#include "testfolder.h"
#include "testhelpers.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kFixtures = qEnvironmentVariable("MC_SOURCE_DIR") + QStringLiteral("/../shared/fixtures/access/");
const QString kHelper = qEnvironmentVariable("MC_PROGRAM_DIR") + QStringLiteral("/mathcontest-mdb");

// A stand-in for the helper process that prints what a test wants.
QString fakeHelper(const QTemporaryDir &dir, const QByteArray &script)
{
    const QString path = dir.filePath(QStringLiteral("fake-mdb"));
    writeFile(path, "#!/bin/sh\n" + script);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    return path;
}

// The helper's answer for a soaal table of the rows given, tab-separated.
QByteArray soaalAnswer(const QByteArray &rows)
{
    return "printf 'MDBTABLE 1\\n6\\nC\\tID\\tYN\\ta1\\ta2\\ta3\\ta4\\n" + rows + "END %d\\n' " + QByteArray::number(rows.count("R\\t")) + "\n";
}

const QStringList kSoaal{"ID", "YN", "a1", "a2", "a3", "a4"};

} // namespace

class TestAccessReader : public QObject {
    Q_OBJECT
private slots:
    void readsAccessTables_data()
    {
        // text: in place of "abcdefg"
        addColumns<QString, bool, QString>("file", "noise", "text");
        QTest::newRow("Jet 3, Access 97") << "V1997-test.mdb" << false << "abcdefg";
        QTest::newRow("Jet 4, Access 2000") << "V2000-test.mdb" << false << "abcdefg";
        QTest::newRow("ACE, Access 2007") << "V2007-test.accdb" << false << "abcdefg";
        QTest::newRow("the library prints on standard output") << "V2000-test.mdb" << true << "abcdefg";
        QTest::newRow("Jet 3 in the file's code page") << "V1997-test.mdb" << false << "العربية";
    }
    void readsAccessTables()
    {
        auto [file, noise, text] = fetchRow<QString, bool, QString>("file", "noise", "text");
        // Arabic: the file marked as written in Windows-1256 (the header field
        // is stored masked, so one bit pattern is flipped: 1252 -> 1256), with
        // the text in Windows-1256 bytes.
        QByteArray bytes = readFile(kFixtures + file);
        QVERIFY2(bytes.contains("abcdefg"), "the Access fixtures are not where MC_SOURCE_DIR says");
        if (text != QLatin1String("abcdefg")) {
            bytes[0x3C] = static_cast<char>(bytes[0x3C] ^ (1252 ^ 1256));
            bytes.replace(bytes.indexOf("abcdefg"), 7, QByteArray(QStringEncoder("windows-1256").encode(text)));
        }
        QTemporaryDir dir;
        writeFile(dir.filePath(file), bytes);
        if (noise)
            qputenv("LD_PRELOAD", qgetenv("MC_MDB_NOISE"));
        const AccessReader::Table t = AccessReader::readTable(dir.filePath(file), QStringLiteral("Table1"), kHelper);
        qunsetenv("LD_PRELOAD");
        QCOMPARE(t.columns, (QStringList{"A", "B", "C", "D", "E", "F", "G", "H", "I"}));
        QCOMPARE(t.column(QStringLiteral("e")), 4);
        // Text, a long integer and a boolean of each row.
        QStringList rows;
        for (const auto &row : t.rows)
            rows << QStringList{row[0].toString(), row[1].toString(), row[4].toString(), row[8].toString()}.join(u'|');
        QCOMPARE(QSet<QString>(rows.begin(), rows.end()), (QSet<QString>{"a|b|0|0", text + "|hijklmnop|333333333|1"}));
    }

    void unreadableFilesGiveClearErrors_data()
    {
        // A file (the Access 2000 one, when empty) read by the real helper, or
        // by a stand-in for it that runs script.
        addColumns<QByteArray, QByteArray, QString>("content", "script", "expected");
        const QByteArray good = readFile(kFixtures + QStringLiteral("V2000-test.mdb"));
        QTest::newRow("empty file") << QByteArray("") << QByteArray() << "not a Microsoft Access database";
        QTest::newRow("cut in the middle") << good.left(good.size() / 2) << QByteArray() << "could not be read";
        QTest::newRow("pages shuffled") << good.mid(8192) + good.left(8192) << QByteArray() << "not a Microsoft Access database";
        QTest::newRow("helper hangs") << QByteArray() << QByteArray("exec sleep 30\n") << "did not finish within";
        QTest::newRow("helper crashes") << QByteArray() << QByteArray("kill -SEGV $$\n") << "crashed";
        QTest::newRow("helper answers without end") << QByteArray() << QByteArray("exec yes 'R\t1\t0'\n") << "larger than this file could hold";
        QTest::newRow("helper answers nonsense") << QByteArray() << QByteArray("echo hello\n") << "was not understood";
        QTest::newRow("answer cut short") << QByteArray() << QByteArray("printf 'MDBTABLE 1\\n1\\nC\\tID\\nR\\t1\\n'\n") << "stopped part-way";
        QTest::newRow("wrong row count") << QByteArray() << QByteArray("printf 'MDBTABLE 1\\n1\\nC\\tID\\nR\\t1\\nEND 2\\n'\n") << "stopped part-way";
        QTest::newRow("row too short") << QByteArray() << QByteArray("printf 'MDBTABLE 1\\n2\\nC\\tID\\tYN\\nR\\t1\\nEND 1\\n'\n") << "row 1 of table soaal";
        QTest::newRow("engine error") << QByteArray() << QByteArray("echo 'ERROR unreadable the list of tables could not be read'; exit 1\n")
                                      << "may be encrypted, password-protected or damaged";
    }
    void unreadableFilesGiveClearErrors()
    {
        auto [content, script, expected] = fetchRow<QByteArray, QByteArray, QString>("content", "script", "expected");
        QTemporaryDir dir;
        const QString path = content.isNull() ? kFixtures + QStringLiteral("V2000-test.mdb") : dir.filePath(QStringLiteral("db1.mdb"));
        if (!content.isNull())
            writeFile(path, content);
        const QString reader = script.isNull() ? kHelper : fakeHelper(dir, script);
        const QString message = failureOf([&] { AccessReader::readTable(path, QStringLiteral("soaal"), reader, script.isNull() ? 10000 : 500); });
        // Whatever the engine made of it: a clear error naming the file.
        QVERIFY2(message.contains(path) && (message.contains(expected) || (script.isNull() && message.contains(QStringLiteral("has no table soaal")))),
                 qPrintable(message));
    }

    void soaalRowsBecomeQuestions_data()
    {
        // expected: a fault, or the a1 of each question in order
        addColumns<QStringList, QList<QList<QVariant>>, QString>("columns", "rows", "expected");
        const QVariant null;
        QTest::newRow("out of order, fields in another order, any case")
            << QStringList{"a4", "a3", "a2", "a1", "yn", "id"}
            << QList<QList<QVariant>>{{"d", "c", "b", "ثلاثة", "False", "3"}, {"d", "c", "b", "واحد", "-1", "1.0"}, {"d", "c", "b", "اثنان", "0", "2"}}
            << "واحد|اثنان|ثلاثة";
        QTest::newRow("empty answer kept empty") << kSoaal << QList<QList<QVariant>>{{"1", "0", "a", null, "c", "d"}} << "a";
        QTest::newRow("missing field") << QStringList{"ID", "YN", "a1", "a2", "a3"} << QList<QList<QVariant>>{} << "has no field a4";
        QTest::newRow("no rows") << kSoaal << QList<QList<QVariant>>{} << "holds no questions";
        QTest::newRow("text ID") << kSoaal << QList<QList<QVariant>>{{"one", "0", "a", "b", "c", "d"}} << "Row 1 of table soaal has an ID that is not a whole number: \"one\"";
        QTest::newRow("YN not boolean") << kSoaal << QList<QList<QVariant>>{{"1", "maybe", "a", "b", "c", "d"}} << "Question 1 has a used mark YN that is not a boolean: \"maybe\"";
        QTest::newRow("gap") << kSoaal << QList<QList<QVariant>>{{"1", "0", "a", "b", "c", "d"}, {"3", "0", "a", "b", "c", "d"}} << "Question number 3 is outside 1 to 2";
        QTest::newRow("twice") << kSoaal << QList<QList<QVariant>>{{"2", "0", "a", "b", "c", "d"}, {"2", "0", "a", "b", "c", "d"}} << "Question number 2 is used twice";
    }
    void soaalRowsBecomeQuestions()
    {
        auto [columns, rows, expected] = fetchRow<QStringList, QList<QList<QVariant>>, QString>("columns", "rows", "expected");
        const AccessReader::Table table{columns, rows};
        QStringList firsts;
        const QString message = failureOf([&] {
            for (const auto &answers : AccessImport::questions(table, QStringLiteral("/x/db1.mdb")))
                firsts << answers[0];
        });
        const QString result = message.isEmpty() ? firsts.join(u'|') : message;
        QVERIFY2(result.contains(expected) && (message.isEmpty() || message.contains(QStringLiteral("/x/db1.mdb"))), qPrintable(result));
    }

    void importWritesTheWholeBank()
    {
        // The helper's answer for a real soaal table, Arabic text and all.
        QTemporaryDir dir;
        const QString fake = fakeHelper(dir, soaalAnswer("R\\t2\\t1\\t\\330\\263\\331\\205\\t-4\\t\\\\N\\tx\\\\ty\\nR\\t1\\t0\\t3/4\\tb\\tc\\td\\n"));
        TestFolder folder;
        const QString access = folder.path() + QStringLiteral("/db1.mdb");
        writeFile(access, "not read by the fake helper");
        QCOMPARE(AccessImport::importFile(access, folder.bankPath(), false, fake), 2);
        // Every mark False, an empty answer NULL.
        QCOMPARE(folder.query(QStringLiteral("select YN||'|'||a1||'|'||ifnull(a3,'(null)')||'|'||a4 from soaal order by ID")),
                 (QList<QVariant>{"0|3/4|c|d", QStringLiteral("0|سم|(null)|x\ty")}));
        QCOMPARE(readFile(access), QByteArray("not read by the fake helper"));
        // A bank already there is kept unless replacing is asked for.
        QVERIFY(failureOf([&] { AccessImport::importFile(access, folder.bankPath(), false, fake); }).contains(QStringLiteral("already there")));
        QCOMPARE(AccessImport::importFile(access, folder.bankPath(), true, fake), 2);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"db1.mdb", "db1.sqlite"}));
    }

    void accessBankFollowsItsFile_data()
    {
        // Before the start: which files the folder holds ("mdb", or
        // "another name" for an .accdb beside no db1.mdb; a "create"d bank,
        // or one "imported" from the Access file with question 1 used
        // since), then whether that file is "changed" or "broken" (its
        // helper fails).
        addColumns<QStringList, bool, QList<int>, QString>("before", "imports", "usedAfter", "failure");
        QTest::newRow("neither file") << QStringList{} << false << QList<int>{} << "";
        QTest::newRow("only the Access file") << QStringList{"mdb"} << true << QList<int>{} << "";
        QTest::newRow("a bank made by create") << QStringList{"mdb", "create"} << false << QList<int>{1} << "";
        QTest::newRow("imported, unchanged") << QStringList{"mdb", "imported"} << false << QList<int>{1} << "";
        QTest::newRow("imported, then changed") << QStringList{"mdb", "imported", "changed"} << true << QList<int>{} << "";
        QTest::newRow("another name, imported, then changed") << QStringList{"another name", "imported", "changed"} << true << QList<int>{} << "";
        QTest::newRow("changed, and now broken") << QStringList{"mdb", "imported", "changed", "broken"} << false << QList<int>{1} << "not understood";
    }
    void accessBankFollowsItsFile()
    {
        auto [before, imports, usedAfter, failure] = fetchRow<QStringList, bool, QList<int>, QString>("before", "imports", "usedAfter", "failure");
        QTemporaryDir dir;
        const QString fake = fakeHelper(dir, soaalAnswer("R\\t1\\t0\\t1\\t2\\t3\\t4\\n"));
        TestFolder folder;
        const bool otherName = before.contains(QStringLiteral("another name"));
        const QString access = folder.path() + (otherName ? QStringLiteral("/old bank.accdb") : QStringLiteral("/db1.mdb"));
        if (before.contains(QStringLiteral("mdb")) || otherName)
            writeFile(access, "an Access file");
        if (before.contains(QStringLiteral("create")))
            folder.writeBank(1, {1});
        if (before.contains(QStringLiteral("imported"))) {
            AccessImport::importFile(access, folder.bankPath(), false, fake);
            folder.query(QStringLiteral("update soaal set YN=1 where ID=1"));
        }
        if (before.contains(QStringLiteral("changed")))
            writeFile(access, "an Access file, edited");
        const QString helper = before.contains(QStringLiteral("broken")) ? fakeHelper(dir, "echo nonsense\n") : fake;
        bool imported = false;
        const QString message = failureOf([&] { imported = AccessImport::importIfChanged(folder.path(), helper); });
        QVERIFY2(failedAsExpected(message, failure), qPrintable(message));
        QCOMPARE(imported, imports);
        if (QFile::exists(folder.bankPath()))
            QCOMPARE(folder.usedIds(), usedAfter);
    }
};

QTEST_GUILESS_MAIN(TestAccessReader)
#include "tst_accessreader.moc"
