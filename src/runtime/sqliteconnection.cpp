#include "sqliteconnection.h"

#include <atomic>
#include <utility>

namespace {
std::atomic<quint64> g_connections{0};
}

SqliteConnection::SqliteConnection(const QString &path, const QString &options)
    : m_name(QStringLiteral("sqlite-%1").arg(++g_connections))
    , m_db(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name))
{
    m_db.setDatabaseName(path);
    m_db.setConnectOptions(options);
    m_db.open();
}

SqliteConnection::~SqliteConnection()
{
    release();
}

SqliteConnection::SqliteConnection(SqliteConnection &&other) noexcept
    : m_name(std::exchange(other.m_name, QString()))
    , m_db(std::exchange(other.m_db, QSqlDatabase()))
{
}

SqliteConnection &SqliteConnection::operator=(SqliteConnection &&other) noexcept
{
    if (this != &other) {
        release();
        m_name = std::exchange(other.m_name, QString());
        m_db = std::exchange(other.m_db, QSqlDatabase());
    }
    return *this;
}

void SqliteConnection::release()
{
    if (m_name.isEmpty())
        return;
    if (m_db.isOpen())
        m_db.close();
    // The last handle goes before the connection is removed, or Qt warns
    // that it is still in use.
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
}
