#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A failure that stops the current step and reaches the user. It says what
// failed, where (the file, the question number, the operation) and what the
// user can do about it.
class Failure : public std::exception {
public:
    Failure(QString whatFailed, QString where, QString whatToDo);

    const QString &whatFailed() const { return m_whatFailed; }
    const QString &where() const { return m_where; }
    const QString &whatToDo() const { return m_whatToDo; }

    // where, as one unit inside right-to-left text when it is a bare path or
    // name (a place composed of words isolates its own paths).
    QString isolatedWhere() const;

    // The whole report, one part a line.
    QString message() const;
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_whatFailed;
    QString m_where;
    QString m_whatToDo;
    QByteArray m_utf8;
};
