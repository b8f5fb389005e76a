#include "questionbank.h"
#include "translation.h"

#include "failure.h"
#include "regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QRegularExpression>
#include <QSqlRecord>
#include <QStringList>

#include <QCoreApplication>

namespace {

constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteNotADatabase = 26;

// Translated when asked, after the translator is installed.
QString advice()
{
    return QCoreApplication::translate("QuestionBank", "Check the question bank with \"mathcontest-bank check\" in the program folder, or make it again with \"mathcontest-bank create\".");
}

QString question(qint64 id)
{
    return QCoreApplication::translate("QuestionBank", "question %1").arg(id);
}

// A statement on the bank's table, %1 standing for its name.
QString onTable(const char *statement)
{
    return QString::fromLatin1(statement).arg(QLatin1String(QuestionBank::kTable));
}

} // namespace

QString QuestionBank::filePath(const QString &contestFolder)
{
    return QDir(contestFolder).filePath(QString::fromLatin1(kFileName));
}

QuestionBank::QuestionBank(QString path)
    : m_path(std::move(path))
{
}

QuestionBank::QuestionBank(QuestionBank &&other) noexcept = default;

QuestionBank::~QuestionBank() = default;

QuestionBank QuestionBank::openBank(const QString &contestFolder)
{
    QuestionBank bank(filePath(contestFolder));
    const QString &path = bank.m_path;

    // SQLite would make a new empty bank where none is, so look first.
    if (!QFileInfo(contestFolder).isDir())
        throw Failure(QCoreApplication::translate("QuestionBank", "The contest folder does not exist."), contestFolder,
                      QCoreApplication::translate("QuestionBank", "Check the folder's name and where it is."));
    checkPathLength(path);
    RegularFile::require(path, QCoreApplication::translate("QuestionBank", "The question bank file"),
                         QCoreApplication::translate("QuestionBank", "Put the question bank db1.sqlite (made with \"mathcontest-bank create\") in the contest folder."));
    const QFileInfo info(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QCoreApplication::translate("QuestionBank", "The question bank file could not be read: %1.").arg(Translation::isolate(file.errorString())), path,
                      QCoreApplication::translate("QuestionBank", "Make sure the file can be read and written by the player's account."));
    const QByteArray header = file.read(16);
    file.close();
    if (header != QByteArray("SQLite format 3\0", 16))
        throw Failure(QCoreApplication::translate("QuestionBank", "The question bank file is not an SQLite database%1.")
                          .arg(info.size() == 0 ? QCoreApplication::translate("QuestionBank", " (the file is empty)") : QString()),
                      path, advice());

    bank.m_connection = SqliteConnection(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!bank.db().isOpen())
        bank.fail(QCoreApplication::translate("QuestionBank", "open the question bank"), bank.db().lastError());

    // The file a database with table soaal, found when a statement on the
    // table is prepared (never run): a folder whose bank is none is told so
    // at once.
    QSqlQuery table(bank.db());
    if (!table.prepare(onTable("select 1 from %1")))
        bank.fail(QCoreApplication::translate("QuestionBank", "open table soaal"), table.lastError());
    return bank;
}

void QuestionBank::checkPathLength(const QString &path)
{
    const qsizetype bytes = QFile::encodeName(QFileInfo(path).absoluteFilePath()).size();
    if (bytes > kMaxPathBytes)
        throw Failure(QCoreApplication::translate("QuestionBank", "The path of the question bank is too long for the database engine: %1 bytes, at most %2.")
                          .arg(bytes)
                          .arg(kMaxPathBytes),
                      path, QCoreApplication::translate("QuestionBank", "Move the contest folder to a folder with a shorter path, then try again."));
}

void QuestionBank::fail(const QString &operation, const QSqlError &error, qint64 questionId) const
{
    const QString where = questionId > 0 ? QStringLiteral("%1, %2").arg(Translation::isolate(m_path), question(questionId)) : m_path;
    // The primary result code, without the extended code's upper bits.
    const int code = error.nativeErrorCode().toInt() & 0xff;
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (code == kSqliteBusy || code == kSqliteLocked)
        throw Failure(QCoreApplication::translate("QuestionBank", "The question bank is locked by another program, so the program could not %1.").arg(operation),
                      where, QCoreApplication::translate("QuestionBank", "Close any other program that has the question bank open, then start the contest again."));
    if (code == kSqliteCorrupt || code == kSqliteNotADatabase)
        throw Failure(QCoreApplication::translate("QuestionBank", "The question bank file is damaged, so the program could not %1 (%2).").arg(operation, Translation::shown(text)), where,
                      advice());
    if (code == kSqliteReadOnly)
        throw Failure(QCoreApplication::translate("QuestionBank", "The question bank file cannot be written to, so the program could not %1.").arg(operation), where,
                      QCoreApplication::translate("QuestionBank", "Make the file (and its folder) writable for the player's account, or copy the contest folder "
                                     "somewhere you can write to; nothing in the bank was lost."));
    if (code == kSqliteFull)
        throw Failure(QCoreApplication::translate("QuestionBank", "The disk is full, so the program could not %1.").arg(operation), where,
                      QCoreApplication::translate("QuestionBank", "Free some space on the disk, then start the contest again; nothing in the bank was lost."));
    if (text.contains(QStringLiteral("no such table")))
        throw Failure(QCoreApplication::translate("QuestionBank", "The question bank has no table soaal."), where, advice());
    throw Failure(QCoreApplication::translate("QuestionBank", "The program could not %1: %2.").arg(operation, Translation::shown(text)), where, advice());
}

qint64 QuestionBank::scalar(const QString &sql, const QString &operation)
{
    QSqlQuery query(db());
    query.setForwardOnly(true);
    if (!query.exec(sql))
        fail(operation, query.lastError());
    if (!query.next())
        fail(operation, query.lastError());
    return query.value(0).toLongLong();
}

qint64 QuestionBank::countQuestions()
{
    return scalar(onTable("select count(*) from %1"), QCoreApplication::translate("QuestionBank", "count the questions"));
}

qint64 QuestionBank::countUsedQuestions()
{
    return scalar(onTable("select count(*) from %1 where YN=1"), QCoreApplication::translate("QuestionBank", "count the used questions"));
}

void QuestionBank::checkIntegrity()
{
    const QString operation = QCoreApplication::translate("QuestionBank", "check the question bank");
    {
        QSqlQuery check(db());
        if (!check.exec(QStringLiteral("PRAGMA quick_check")))
            fail(operation, check.lastError());
        QStringList problems;
        while (check.next())
            problems << check.value(0).toString();
        if (problems != QStringList{QStringLiteral("ok")})
            throw Failure(QCoreApplication::translate("QuestionBank", "The question bank file is damaged: %1").arg(Translation::isolate(problems.mid(0, 3).join(QStringLiteral("; ")))),
                          m_path, advice());
    }
}

void QuestionBank::checkForContest(qint64 n)
{
    checkIntegrity();
    checkStructure(n);
}

void QuestionBank::checkStructure(qint64 n)
{
    const QString operation = QCoreApplication::translate("QuestionBank", "check the question bank");
    checkWritesStick();
    // With ID the table's integer primary key, the numbers are whole and
    // distinct already, and 1..n is a matter of the smallest and largest.
    bool idIsKey = false;
    {
        QSqlQuery columns(db());
        if (!columns.exec(onTable("PRAGMA table_info(%1)")))
            fail(operation, columns.lastError());
        QStringList present;
        int keyColumns = 0;
        while (columns.next()) {
            const QString name = columns.value(1).toString().toLower();
            present << name;
            if (columns.value(5).toInt() > 0)
                ++keyColumns;
            if (name == QLatin1String("id") && columns.value(2).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0
                && columns.value(5).toInt() == 1)
                idIsKey = true;
        }
        idIsKey = idIsKey && keyColumns == 1;
        for (const char *field : {"ID", "YN", "a1", "a2", "a3", "a4"}) {
            if (!present.contains(QString::fromLatin1(field).toLower()))
                throw Failure(QCoreApplication::translate("QuestionBank", "Table soaal of the question bank has no field %1.").arg(Translation::isolate(QString::fromLatin1(field))), m_path,
                              advice());
        }
    }
    if (n == 0)
        throw Failure(QCoreApplication::translate("QuestionBank", "The question bank holds no questions (table soaal is empty)."), m_path,
                      QCoreApplication::translate("QuestionBank", "Add questions with \"mathcontest-bank create\"."));

    const QString idAdvice = QCoreApplication::translate("QuestionBank", "The questions must be numbered 1, 2, 3 ... with no gap and no number twice; make the bank again with \"mathcontest-bank create\".");
    if (!idIsKey) {
        QSqlQuery bad(db());
        if (!bad.exec(onTable("select quote(ID) from %1 where typeof(ID)<>'integer' limit 1")))
            fail(operation, bad.lastError());
        if (bad.next())
            throw Failure(QCoreApplication::translate("QuestionBank", "A question number (ID) is not a whole number: %1.").arg(Translation::shown(bad.value(0).toString())), m_path,
                          idAdvice);
        QSqlQuery twice(db());
        if (!twice.exec(onTable("select ID from %1 group by ID having count(*)>1 order by ID limit 1")))
            fail(operation, twice.lastError());
        if (twice.next())
            throw Failure(QCoreApplication::translate("QuestionBank", "Question number %1 is used twice.").arg(twice.value(0).toLongLong()), m_path, idAdvice);
    }
    bool numberedOneToN = false;
    if (idIsKey) {
        QSqlQuery range(db());
        // Two lookups at the ends of the key, not a scan of the table.
        if (!range.exec(onTable("select (select min(ID) from %1), (select max(ID) from %1)")) || !range.next())
            fail(operation, range.lastError());
        numberedOneToN = range.value(0).toLongLong() == 1 && range.value(1).toLongLong() == n;
    }
    if (!numberedOneToN) {
        QSqlQuery gap(db());
        gap.prepare(onTable(
            "select case when not exists (select 1 from %1 where ID=1) then 1 else "
            "(select a.ID+1 from %1 a where a.ID>=1 and a.ID<:n and not exists (select 1 from %1 b where b.ID=a.ID+1) "
            "order by a.ID limit 1) end"));
        gap.bindValue(QStringLiteral(":n"), n);
        if (!gap.exec() || !gap.next())
            fail(operation, gap.lastError());
        if (!gap.value(0).isNull())
            throw Failure(QCoreApplication::translate("QuestionBank", "Question number %1 is missing: the %2 questions must be numbered 1 to %2.")
                              .arg(gap.value(0).toLongLong())
                              .arg(n),
                          m_path, idAdvice);
    }
    checkMarks();
}

void QuestionBank::checkWritesStick()
{
    const QString operation = QCoreApplication::translate("QuestionBank", "check the question bank");
    QSqlQuery schema(db());
    if (!schema.exec(onTable("select type, name, sql from sqlite_master where tbl_name='%1' collate nocase and type in ('table', 'view', 'trigger')")))
        fail(operation, schema.lastError());
    // A trigger that stops a write (RAISE) or writes soaal itself can undo a
    // used mark: questions would come again.
    static const QRegularExpression undoes(onTable("\\braise\\s*\\(|\\b(update|delete\\s+from|insert(\\s+or\\s+\\w+)?\\s+into|replace\\s+into)\\s+[\"`\\[]?%1\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    while (schema.next()) {
        const QString type = schema.value(0).toString();
        if (type == QLatin1String("view"))
            throw Failure(QCoreApplication::translate("QuestionBank", "soaal in the question bank is a view, not a table: the game cannot write its used marks there."), m_path,
                          advice());
        if (type != QLatin1String("trigger"))
            continue;
        const QString body = schema.value(2).toString().section(QRegularExpression(QStringLiteral("\\bbegin\\b"), QRegularExpression::CaseInsensitiveOption), 1);
        if (undoes.match(body).hasMatch())
            throw Failure(QCoreApplication::translate("QuestionBank", "Trigger %1 of table soaal can undo what the game writes: questions already asked would come again.")
                              .arg(Translation::shown(schema.value(1).toString())),
                          m_path, advice());
    }
}

void QuestionBank::checkMarks()
{
    const QString operation = QCoreApplication::translate("QuestionBank", "check the question bank");
    QSqlQuery marks(db());
    // Whether there is one at all, asked as ranges that the index on YN
    // serves; only then the first of them, by a scan.
    if (!marks.exec(onTable("select ID, quote(YN) from %1 where (select exists (select 1 from %1 where YN is null) "
                            "or exists (select 1 from %1 where YN<0) or exists (select 1 from %1 where YN>0 and YN<1) "
                            "or exists (select 1 from %1 where YN>1)) and (YN is null or YN<0 or (YN>0 and YN<1) or YN>1) "
                            "order by ID limit 1")))
        fail(operation, marks.lastError());
    if (marks.next())
        throw Failure(QCoreApplication::translate("QuestionBank", "The used mark (YN) of question %1 is %2, not 0 or 1.")
                          .arg(marks.value(0).toLongLong())
                          .arg(Translation::shown(marks.value(1).toString())),
                      QStringLiteral("%1, %2").arg(Translation::isolate(m_path), question(marks.value(0).toLongLong())), advice());
}

void QuestionBank::clearUsedMarks(qint64 n)
{
    const QString operation = QCoreApplication::translate("QuestionBank", "clear the used marks");
    if (n <= 0)
        return;
    if (!db().transaction())
        fail(operation, db().lastError());
    QSqlQuery sweep(db());
    sweep.prepare(onTable("update %1 set YN=0 where YN=1 and ID between 1 and :n"));
    sweep.bindValue(QStringLiteral(":n"), n);
    if (!sweep.exec()) {
        const QSqlError error = sweep.lastError();
        db().rollback();
        fail(operation, error);
    }
    sweep.finish();
    if (!db().commit()) {
        const QSqlError error = db().lastError();
        db().rollback();
        fail(operation, error);
    }
}

QuestionRecord QuestionBank::openQuestion(qint64 id)
{
    QuestionRecord record;
    record.m_query = QSqlQuery(db());
    record.m_query.setForwardOnly(true);
    const QString operation = QCoreApplication::translate("QuestionBank", "open %1").arg(question(id));
    if (!record.m_query.prepare(onTable("select * from %1 where ID=:id")))
        fail(operation, record.m_query.lastError(), id);
    record.m_query.bindValue(QStringLiteral(":id"), id);
    if (!record.m_query.exec())
        fail(operation, record.m_query.lastError(), id);
    if (!record.m_query.next()) {
        if (record.m_query.lastError().isValid())
            fail(operation, record.m_query.lastError(), id);
        throw Failure(QCoreApplication::translate("QuestionBank", "Question number %1 is missing from the question bank.").arg(id),
                      QStringLiteral("%1, %2").arg(Translation::isolate(m_path), question(id)), advice());
    }
    record.m_id = id;
    record.m_open = true;
    return record;
}

void QuestionBank::releaseQuestion(QuestionRecord &record)
{
    record.m_query = QSqlQuery();
    record.m_open = false;
}

void QuestionBank::markQuestionUsed(QuestionRecord &record)
{
    const qint64 id = record.m_id;
    releaseQuestion(record);
    QSqlQuery mark(db());
    mark.prepare(onTable("update %1 set YN=1 where ID=:id"));
    mark.bindValue(QStringLiteral(":id"), id);
    // Outside a transaction the update is committed before exec() returns.
    if (!mark.exec())
        fail(QCoreApplication::translate("QuestionBank", "mark %1 as used").arg(question(id)), mark.lastError(), id);
}

std::vector<QuestionBank::Answers> QuestionBank::allAnswers()
{
    QSqlQuery rows(db());
    rows.setForwardOnly(true);
    if (!rows.exec(onTable("select ID, a1, a2, a3, a4 from %1 order by ID")))
        fail(QCoreApplication::translate("QuestionBank", "read the answers"), rows.lastError());
    std::vector<Answers> answers;
    while (rows.next()) {
        Answers row{rows.value(0).toLongLong(), {}};
        for (int i = 0; i < 4; ++i)
            row.answers[static_cast<size_t>(i)] = rows.value(i + 1).isNull() ? QString() : rows.value(i + 1).toString();
        answers.push_back(std::move(row));
    }
    if (rows.lastError().isValid())
        fail(QCoreApplication::translate("QuestionBank", "read the answers"), rows.lastError());
    return answers;
}

namespace {
// Whether the bank has table name (the tables beside soaal are optional).
bool hasTable(const QSqlDatabase &db, const QString &name)
{
    return db.tables().contains(name);
}
} // namespace

QString QuestionBank::singleValue(const QString &table, const QString &column, const QString &operation)
{
    if (!hasTable(db(), table))
        return QString();
    QSqlQuery query(db());
    if (!query.exec(QStringLiteral("select %1 from %2").arg(column, table)))
        fail(operation, query.lastError());
    return query.next() ? query.value(0).toString() : QString();
}

QString QuestionBank::accessSource()
{
    return singleValue(QStringLiteral("access_source"), QStringLiteral("source"),
                       QCoreApplication::translate("QuestionBank", "read which Access file the bank came from"));
}

std::map<qint64, QString> QuestionBank::questionTexts()
{
    std::map<qint64, QString> texts;
    if (!hasTable(db(), QStringLiteral("question_text")))
        return texts;
    QSqlQuery query(db());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select ID, text from question_text")))
        fail(QCoreApplication::translate("QuestionBank", "read the questions' texts"), query.lastError());
    while (query.next())
        texts[query.value(0).toLongLong()] = query.value(1).toString();
    return texts;
}

std::optional<std::set<qint64>> QuestionBank::givenPictures()
{
    if (!hasTable(db(), QStringLiteral("given_picture")))
        return std::nullopt;
    QSqlQuery query(db());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select ID from given_picture")))
        fail(QCoreApplication::translate("QuestionBank", "read which pictures were given"), query.lastError());
    std::set<qint64> given;
    while (query.next())
        given.insert(query.value(0).toLongLong());
    return given;
}

QString QuestionBank::digitSet()
{
    return singleValue(QStringLiteral("digit_set"), QStringLiteral("digits"), QCoreApplication::translate("QuestionBank", "read the digit set of its numbers"));
}

QString QuestionBank::questionText(qint64 id)
{
    if (!hasTable(db(), QStringLiteral("question_text")))
        return QString();
    QSqlQuery query(db());
    query.prepare(QStringLiteral("select text from question_text where ID=?"));
    query.bindValue(0, id);
    if (!query.exec())
        fail(QCoreApplication::translate("QuestionBank", "read the question's text"), query.lastError(), id);
    return query.next() ? query.value(0).toString() : QString();
}
