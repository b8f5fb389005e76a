#include "contestrecord.h"
#include "contestresults.h"
#include "contestsettings.h"
#include "testfolder.h"
#include "testhelpers.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

static const QString kEmptyFile = QStringLiteral("(an empty file)");

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void settingsAreReadOrRefused_data()
    {
        // contest.ini's content (none: no file), for a bank of 30 questions:
        // the settings read ("length=... hold=..."), or what the refusal says.
        addColumns<QByteArray, QString>("ini", "expected");
        QTest::newRow("no file: the game as designed") << QByteArray() << "length=25 order=random names=false reveal=false hold=false";
        QTest::newRow("a lesson quiz") << QByteArray("[General]\nlength=6\norder=fixed\n") << "length=6 order=fixed names=false reveal=false hold=false";
        QTest::newRow("for a class") << QByteArray("; for 5B\nnames=true\r\nreveal=true\nhold = true\n") << "length=25 order=random names=true reveal=true hold=true";
        QTest::newRow("the whole bank") << QByteArray("length=30") << "length=30 order=random";
        QTest::newRow("longer than the bank") << QByteArray("length=31") << "length must be a whole number from 1 to 30";
        QTest::newRow("no questions") << QByteArray("length=0") << "length must be a whole number from 1 to the number of questions";
        QTest::newRow("not a number") << QByteArray("length=ten") << "length must be a whole number";
        QTest::newRow("an unknown order") << QByteArray("order=shuffled") << "order must be random or fixed";
        QTest::newRow("yes for true") << QByteArray("names=yes") << "names must be true or false";
        QTest::newRow("class play") << QByteArray("time=30\nspeed=true\npodium=true") << "length=25 order=random names=false reveal=false hold=false time=30 speed=true podium=true";
        QTest::newRow("a time over an hour") << QByteArray("time=3601") << "time must be a whole number of seconds from 0";
        QTest::newRow("an unknown key") << QByteArray("colour=red") << "colour must be one of length, order, names, reveal, hold, time, speed and podium";
        QTest::newRow("a FIFO") << QByteArray("fifo") << "is not a regular file";
        QTest::newRow("larger than any settings file") << QByteArray(70 * 1024, '#') << "is too large to be read: 70 KiB, more than 64 KiB";
    }
    void settingsAreReadOrRefused()
    {
        auto [ini, expected] = fetchRow<QByteArray, QString>("ini", "expected");
        QTemporaryDir dir;
        const QString file = dir.filePath(QString::fromLatin1(ContestSettings::kFileName));
        if (ini == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else if (!ini.isNull())
            writeFile(file, ini);
        const Watchdog watchdog(std::chrono::seconds(20), "reading the settings");
        ContestSettings settings;
        const QString failed = failureOf([&] {
            settings = ContestSettings::load(dir.path());
            settings.check(30, file);
        });
        QVERIFY2(failed.isEmpty() ? settings.text().startsWith(expected) : failed.contains(expected) && failed.contains(file), qPrintable(failed + settings.text()));
        if (failed.isEmpty()) {
            // Written and read again, they are the same.
            settings.save(dir.path());
            QCOMPARE(ContestSettings::load(dir.path()), settings);
            // Without a length of its own, a smaller bank plays until it
            // runs out, as the game always did.
            QCOMPARE(failureOf([&] { settings.check(3, file); }).isEmpty(), !settings.lengthGiven);
        }
    }

    void contestsAreRecordedAsTheyHappen()
    {
        QTemporaryDir dir;
        const QDateTime start(QDate(2026, 12, 8), QTime(9, 30), Qt::OffsetFromUTC, 3 * 3600);
        const QString stepFailed = failureOf([&] {
            ContestRecord record = ContestRecord::open(dir.path());
            const qint64 first = record.startContest(QStringLiteral("ليلى"), QStringLiteral("length=2 order=fixed"), start);
            record.recordDraw(first, 1, 7, QStringLiteral("ما ناتج 5 - 9 ؟"), {QStringLiteral("-4"), QStringLiteral("4"), QStringLiteral("14"), QStringLiteral("-14")}, start);
            record.recordAnswer(first, 1, 3, 1, false, 2450);
            record.recordDraw(first, 2, 2, QString(), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}, start.addSecs(5));
            record.endContest(first, ContestRecord::Ending::Exit, start.addSecs(9));
            // An ending is written once: the first one holds.
            record.endContest(first, ContestRecord::Ending::Completed, start.addSecs(20));
            QCOMPARE(record.startContest(QString(), QStringLiteral("length=25"), start.addSecs(30)), 2);
        });
        QVERIFY2(stepFailed.isEmpty(), qPrintable(stepFailed));
        // Opened again, the record goes on where it was.
        QCOMPARE(ContestRecord::open(dir.path()).startContest(QString(), QString(), start), 3);
        const QString path = dir.filePath(QString::fromLatin1(ContestRecord::kFileName));
        QCOMPARE(TestFolder::query(path, QStringLiteral("select number||'|'||ifnull(player,'')||'|'||started||'|'||ifnull(ended,'')||'|'||ifnull(ending,'') from contest")),
                 (QList<QVariant>{QStringLiteral("1|ليلى|2026-12-08T09:30:00.000+03:00|2026-12-08T09:30:09.000+03:00|exit"),
                                  QStringLiteral("2||2026-12-08T09:30:30.000+03:00||"), QStringLiteral("3||2026-12-08T09:30:00.000+03:00||")}));
        QCOMPARE(TestFolder::query(path, QStringLiteral("select position||'|'||question||'|'||ifnull(question_text,'')||'|'||a1||'|'||ifnull(chosen,'')||'|'||"
                                                        "ifnull(slot,'')||'|'||ifnull(correct,'')||'|'||ifnull(milliseconds,'') from asked order by position")),
                 (QList<QVariant>{QStringLiteral("1|7|ما ناتج 5 - 9 ؟|-4|a3|1|0|2450"), QStringLiteral("2|2||a||||")}));
        QCOMPARE(TestFolder::query(path, QStringLiteral("PRAGMA user_version")), QList<QVariant>{ContestRecord::kSchemaVersion});
        // A record from a newer program is left alone.
        TestFolder::query(path, QStringLiteral("PRAGMA user_version = %1").arg(ContestRecord::kSchemaVersion + 1));
        QVERIFY(failureOf([&] { ContestRecord::open(dir.path()); }).contains(QStringLiteral("newer version")));
    }

    void recordIsReadAsItIsOrRefused_data()
    {
        // What is done to a record of two contests that answered question 7
        // (as "old", wrongly with "b", then as "new", rightly) and drew 9,
        // and what opening it says (empty: it is read, and played on).
        addColumns<QStringList, QString>("statements", "refused");
        QTest::newRow("as the game wrote it") << QStringList() << QString();
        QTest::newRow("a trigger keeping a log")
            << QStringList{"create table log (n)", "create trigger logged after update on asked begin insert into log values (new.contest); end"} << QString();
        QTest::newRow("a trigger ignoring every answer") << QStringList{"create trigger keep before update on asked begin select raise(ignore); end"}
                                                         << "Trigger or view keep";
        QTest::newRow("a trigger emptying the contests") << QStringList{"create trigger gone after insert on contest begin delete from \"contest\"; end"}
                                                         << "Trigger or view gone";
        QTest::newRow("a view in a table's place") << QStringList{"drop table asked", "create view asked as select * from contest"} << "Trigger or view asked";
        QTest::newRow("empty, the game never started") << QStringList{kEmptyFile} << QString();
        QTest::newRow("of the first version, before class play")
            << QStringList{"alter table contest drop column class_play", "PRAGMA user_version = 1"} << QString();
    }
    void recordIsReadAsItIsOrRefused()
    {
        auto [statements, refused] = fetchRow<QStringList, QString>("statements", "refused");
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(ContestRecord::kFileName));
        const QDateTime at(QDate(2026, 12, 8), QTime(9, 0), Qt::OffsetFromUTC, 3600);
        if (statements == QStringList{kEmptyFile}) {
            writeFile(path, QByteArray());
        } else {
            ContestRecord record = ContestRecord::open(dir.path());
            for (const char *text : {"old", "new"}) {
                const qint64 contest = record.startContest(QString(), QString(), at);
                record.recordDraw(contest, 1, 7, QString::fromLatin1(text), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}, at);
                record.recordAnswer(contest, 1, contest == 1 ? 2 : 1, 1, contest != 1, 900);
            }
            record.recordDraw(2, 2, 9, QStringLiteral("unanswered"), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}, at);
            for (const QString &statement : statements)
                TestFolder::query(path, statement);
        }
        const QByteArray before = readFile(path);
        ContestResults results;
        const QString failed = failureOf([&] { results = ContestResults::read(dir.path()); });
        QVERIFY2(failedAsExpected(failed, refused), qPrintable(failed));
        // Reading never writes.
        QCOMPARE(readFile(path), before);
        if (!refused.isEmpty()) {
            // Nor does the game play on it.
            QVERIFY(failureOf([&] { ContestRecord::open(dir.path()); }).contains(refused));
            return;
        }
        QCOMPARE(results.contests.size(), before.isEmpty() ? 0u : 2u);
        // The game plays on it, brought up to date, every contest kept.
        ContestRecord::open(dir.path()).startContest(QString(), QString(), at, 4);
        QCOMPARE(ContestResults::read(dir.path()).contests.back().classPlay, 4);
        QCOMPARE(ContestResults::read(dir.path()).contests.size(), before.isEmpty() ? 1u : 3u);
        if (!before.isEmpty()) {
            QCOMPARE(results.questions.size(), 1u);
            const ContestResults::Question &q = results.questions.front();
            QCOMPARE(QStringList({QString::number(q.id), q.text, QString::number(q.asked), QString::number(q.correct), q.mostWrong, QString::number(q.mostWrongTimes)}),
                     QStringList({"7", "new", "2", "1", "b", "1"}));
        }
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
