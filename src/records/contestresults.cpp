#include "contestresults.h"

#include "contestrecord.h"
#include "failure.h"
#include "translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <unordered_map>

namespace {

// Runs sql on the record and calls row for each row.
template <typename Row>
void each(const QSqlDatabase &db, const QString &path, const char *sql, Row row)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QString::fromLatin1(sql)))
        throw Failure(QCoreApplication::translate("ContestResults", "The record of the contests could not be read: %1.").arg(Translation::shown(query.lastError().text())),
                      path, QCoreApplication::translate("ContestResults", "Check the file, or move it away to start a new record."));
    while (query.next())
        row(query);
}

} // namespace

ContestResults ContestResults::read(const QString &folder)
{
    ContestResults results;
    if (!QFileInfo::exists(QDir(folder).filePath(QString::fromLatin1(ContestRecord::kFileName))))
        return results;
    // Read as it is, never made or changed: the game writes it, under its
    // lock.
    const ContestRecord record = ContestRecord::open(folder, ContestRecord::Access::Read);
    if (!record.hasContests())
        return results;
    const QSqlDatabase db = record.database();
    // A record of the first version has no class plays.
    const QByteArray classPlay = record.version() >= 2 ? "ifnull(c.class_play, 0)" : "0";
    each(db, record.path(),
         QByteArray("select c.number, ifnull(c.player, ''), c.started, ifnull(c.ending, ''), count(a.chosen), ifnull(sum(a.correct), 0), " + classPlay
             + ", count(a.position) from contest c left join asked a on a.contest = c.number group by c.number order by c.number")
             .constData(),
         [&](const QSqlQuery &q) {
             results.contests.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(5).toInt(), q.value(4).toInt(),
                                         q.value(3).toString(), q.value(6).toLongLong(), q.value(7).toInt()});
         });
    // Each question answered with its text as it was last asked (SQLite
    // takes a bare column from the row that gives max() its value), then
    // the wrong answer chosen most, by its text as it was shown: a pass over
    // the record each, joined here by the question's place.
    std::unordered_map<qint64, size_t> place;
    each(db, record.path(),
         "select question, count(chosen), ifnull(sum(correct), 0), question_text, max(contest * 4294967296 + position) from asked group by question "
         "having count(chosen) > 0",
         [&](const QSqlQuery &q) {
             place.emplace(q.value(0).toLongLong(), results.questions.size());
             results.questions.push_back({q.value(0).toLongLong(), q.value(3).toString(), q.value(1).toInt(), q.value(2).toInt(), {}, 0});
         });
    each(db, record.path(),
         "select question, case chosen when 'a2' then a2 when 'a3' then a3 else a4 end as text, count(*) as times from asked "
         "where chosen is not null and correct = 0 group by question, text order by question, times desc, text",
         [&](const QSqlQuery &q) {
             Question &question = results.questions[place.at(q.value(0).toLongLong())];
             if (question.mostWrongTimes == 0) {
                 question.mostWrong = q.value(1).toString();
                 question.mostWrongTimes = q.value(2).toInt();
             }
         });
    std::stable_sort(results.questions.begin(), results.questions.end(), [](const Question &a, const Question &b) {
        if (a.percentCorrect() != b.percentCorrect())
            return a.percentCorrect() < b.percentCorrect();
        return a.asked != b.asked ? a.asked > b.asked : a.id < b.id;
    });
    each(db, record.path(),
         "select a.contest, ifnull(c.player, ''), c.started, a.question, ifnull(a.question_text, ''), a.chosen, "
         "case a.chosen when 'a1' then a.a1 when 'a2' then a.a2 when 'a3' then a.a3 else a.a4 end, a.correct, ifnull(a.milliseconds, 0) "
         "from asked a join contest c on c.number = a.contest where a.chosen is not null order by a.contest, a.position",
         [&](const QSqlQuery &q) {
             results.answers.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(3).toLongLong(), q.value(4).toString(),
                                        q.value(5).toString(), q.value(6).toString(), q.value(7).toInt() == 1, q.value(8).toLongLong()});
         });
    return results;
}
