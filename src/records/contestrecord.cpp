#include "contestrecord.h"

#include "failure.h"
#include "translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const char *const kSchema[] = {
    "create table if not exists contest (number integer primary key, player text, started text not null, ended text, settings text not null, "
    "ending text check (ending in ('completed', 'bank exhausted', 'exit', 'new contest')), class_play integer)",
    "create table if not exists asked (contest integer not null references contest(number), position integer not null, question integer not null, "
    "question_text text, a1 text, a2 text, a3 text, a4 text, shown text not null, chosen text check (chosen in ('a1', 'a2', 'a3', 'a4')), "
    "slot integer check (slot between 1 and 4), correct integer check (correct in (0, 1)), milliseconds integer, primary key (contest, position))",
};

QString advice()
{
    return QCoreApplication::translate("ContestRecord", "Make sure the contest folder can be written to and the disk is not full; if the file is damaged, "
                                                        "move it away (the contests recorded in it are then no longer listed) and start again.");
}

} // namespace

QString ContestRecord::endingName(Ending ending)
{
    switch (ending) {
    case Ending::Completed:
        return QStringLiteral("completed");
    case Ending::BankExhausted:
        return QStringLiteral("bank exhausted");
    case Ending::Exit:
        return QStringLiteral("exit");
    case Ending::NewContest:
        return QStringLiteral("new contest");
    }
    return QString();
}

QString ContestRecord::timeText(const QDateTime &at)
{
    return at.toOffsetFromUtc(at.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

ContestRecord::ContestRecord(QString path)
    : m_path(std::move(path))
{
}

ContestRecord::ContestRecord(ContestRecord &&other) noexcept = default;

ContestRecord::~ContestRecord() = default;

ContestRecord ContestRecord::open(const QString &folder, Access access)
{
    ContestRecord record(QDir(folder).filePath(QString::fromLatin1(kFileName)));
    const QString operation = QCoreApplication::translate("ContestRecord", "open the record of the contests");
    record.m_connection = SqliteConnection(record.m_path, access == Access::Read ? QStringLiteral("QSQLITE_OPEN_READONLY") : QString());
    QSqlQuery version(record.db());
    if (!record.db().isOpen() || !version.exec(QStringLiteral("PRAGMA user_version")) || !version.next())
        throw Failure(QCoreApplication::translate("ContestRecord", "The record of the contests could not be opened: %1.")
                          .arg(Translation::shown(record.db().lastError().text() + version.lastError().text())),
                      record.m_path, advice());
    const int found = version.value(0).toInt();
    if (found > kSchemaVersion)
        throw Failure(QCoreApplication::translate("ContestRecord", "The record of the contests was written by a newer version of the program."), record.m_path,
                      QCoreApplication::translate("ContestRecord", "Use that version, or move the file away to start a new record."));
    record.checkWritesStick();
    // Made anew whole when a first start was cut short part-way; until
    // then, there is nothing to read.
    record.m_tables = found != 0;
    if (found == 0 && access == Access::Write) {
        for (const char *statement : kSchema)
            record.write(QString::fromLatin1(statement), {}, operation);
        record.write(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion), {}, operation);
        record.m_tables = true;
    } else if (found == 1 && access == Access::Write) {
        // The contests of a class play are linked by its number; every
        // contest recorded before has none.
        record.batch([&] {
            record.write(QStringLiteral("alter table contest add column class_play integer"), {}, operation);
            record.write(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion), {}, operation);
        });
    }
    record.m_version = access == Access::Write ? kSchemaVersion : found;
    return record;
}

void ContestRecord::checkWritesStick() const
{
    QSqlQuery schema(db());
    if (!schema.exec(QStringLiteral("select type, name, sql from sqlite_master where lower(tbl_name) in ('contest', 'asked') and type in ('view', 'trigger')")))
        throw Failure(QCoreApplication::translate("ContestRecord", "The record of the contests could not be opened: %1.").arg(Translation::shown(schema.lastError().text())),
                      m_path, advice());
    // A trigger that stops a write (RAISE, IGNORE included) or writes the
    // record's tables itself can drop or change the answers without a word.
    static const QRegularExpression undoes(QStringLiteral("\\braise\\s*\\(|\\b(update(\\s+or\\s+\\w+)?|delete\\s+from|insert(\\s+or\\s+\\w+)?\\s+into|"
                                                          "replace\\s+into)\\s+[\"`\\[]?(contest|asked)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    while (schema.next()) {
        const QString body = schema.value(2).toString().section(QRegularExpression(QStringLiteral("\\bbegin\\b"), QRegularExpression::CaseInsensitiveOption), 1);
        if (schema.value(0).toString() == QLatin1String("view") || undoes.match(body).hasMatch())
            throw Failure(QCoreApplication::translate("ContestRecord", "Trigger or view %1 in the record of the contests can undo what the game writes there: answers would be lost "
                                                                       "without a word.")
                              .arg(Translation::shown(schema.value(1).toString())),
                          m_path,
                          QCoreApplication::translate("ContestRecord", "Remove it from the file (or move the file away to start a new record), then start again."));
    }
}

void ContestRecord::failed(const QString &operation, const QString &error) const
{
    throw Failure(QCoreApplication::translate("ContestRecord", "The program could not %1 in the record of the contests: %2.").arg(operation, Translation::shown(error)),
                  m_path, advice());
}

void ContestRecord::write(const QString &statement, const QVariantList &values, const QString &operation)
{
    QSqlQuery query(db());
    // Inside a batch, its transaction holds the write.
    const bool own = !m_inBatch;
    const bool ok = (!own || db().transaction()) && query.prepare(statement) && [&] {
        for (const QVariant &value : values)
            query.addBindValue(value);
        return query.exec();
    }() && (!own || db().commit());
    if (ok)
        return;
    const QString error = (query.lastError().isValid() ? query.lastError() : db().lastError()).text();
    if (own)
        db().rollback();
    failed(operation, error);
}

void ContestRecord::batch(const std::function<void()> &writes)
{
    if (m_inBatch) {
        writes();
        return;
    }
    const QString operation = QCoreApplication::translate("ContestRecord", "write the answers");
    if (!db().transaction())
        failed(operation, db().lastError().text());
    m_inBatch = true;
    try {
        writes();
    } catch (...) {
        m_inBatch = false;
        db().rollback();
        throw;
    }
    m_inBatch = false;
    if (!db().commit()) {
        const QString error = db().lastError().text();
        db().rollback();
        failed(operation, error);
    }
}

qint64 ContestRecord::newClassPlay()
{
    QSqlQuery last(db());
    if (!last.exec(QStringLiteral("select coalesce(max(class_play), 0) + 1 from contest")) || !last.next())
        failed(QCoreApplication::translate("ContestRecord", "write a new contest"), last.lastError().text());
    return last.value(0).toLongLong();
}

qint64 ContestRecord::startContest(const QString &player, const QString &settings, const QDateTime &at, qint64 classPlay)
{
    write(QStringLiteral("insert into contest (player, started, settings, class_play) values (?, ?, ?, ?)"),
          {player.isEmpty() ? QVariant() : QVariant(player), timeText(at), settings.isNull() ? QStringLiteral("") : settings,
           classPlay > 0 ? QVariant(classPlay) : QVariant()},
          QCoreApplication::translate("ContestRecord", "write a new contest"));
    QSqlQuery last(db());
    if (!last.exec(QStringLiteral("select max(number) from contest")) || !last.next())
        failed(QCoreApplication::translate("ContestRecord", "write a new contest"), last.lastError().text());
    return last.value(0).toLongLong();
}

void ContestRecord::recordDraw(qint64 contest, int position, qint64 question, const QString &text, const std::array<QString, 4> &answers, const QDateTime &at)
{
    write(QStringLiteral("insert into asked (contest, position, question, question_text, a1, a2, a3, a4, shown) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
          {contest, position, question, text.isEmpty() ? QVariant() : QVariant(text), answers[0], answers[1], answers[2], answers[3], timeText(at)},
          QCoreApplication::translate("ContestRecord", "write the question drawn"));
}

void ContestRecord::recordAnswer(qint64 contest, int position, int field, int slot, bool correct, qint64 milliseconds)
{
    write(QStringLiteral("update asked set chosen = ?, slot = ?, correct = ?, milliseconds = ? where contest = ? and position = ?"),
          {QStringLiteral("a%1").arg(field), slot, correct ? 1 : 0, milliseconds, contest, position}, QCoreApplication::translate("ContestRecord", "write the answer"));
}

void ContestRecord::endContest(qint64 contest, Ending ending, const QDateTime &at)
{
    write(QStringLiteral("update contest set ended = ?, ending = ? where number = ? and ending is null"), {timeText(at), endingName(ending), contest},
          QCoreApplication::translate("ContestRecord", "write how the contest ended"));
}
