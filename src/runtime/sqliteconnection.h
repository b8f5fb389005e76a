#pragma once

#include <QSqlDatabase>
#include <QString>

// One SQLite connection of its own: added under a name no other connection
// has and opened on construction, closed and removed on destruction, so
// that nothing else holding the file keeps it. Whether it opened is
// database().isOpen(), and why not, database().lastError(). Movable, not
// copyable: one owner removes it.
class SqliteConnection {
public:
    SqliteConnection() = default;
    // options: QSqlDatabase::setConnectOptions()'s, e.g.
    // "QSQLITE_OPEN_READONLY".
    explicit SqliteConnection(const QString &path, const QString &options = {});
    ~SqliteConnection();
    SqliteConnection(SqliteConnection &&other) noexcept;
    SqliteConnection &operator=(SqliteConnection &&other) noexcept;
    SqliteConnection(const SqliteConnection &) = delete;
    SqliteConnection &operator=(const SqliteConnection &) = delete;

    QSqlDatabase &database() { return m_db; }
    const QSqlDatabase &database() const { return m_db; }
    const QString &name() const { return m_name; }

private:
    void release();

    QString m_name;
    QSqlDatabase m_db;
};
