#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>

// The question record set of one handler run: it stands on the row of one
// question and is released or marked used through QuestionBank.
class QuestionRecord {
public:
    QuestionRecord() = default;
    QuestionRecord(QuestionRecord &&) = default;
    QuestionRecord &operator=(QuestionRecord &&) = default;

    bool isOpen() const { return m_open; }
    qint64 id() const { return m_id; }

    // A field of the row by name ("YN", "a1" .. "a4"), as stored.
    QVariant field(const QString &name) const;
    bool used() const;
    // Answer 1..4 as caption text; an empty (NULL) answer gives "".
    QString answer(int number) const;

private:
    friend class QuestionBank;
    QSqlQuery m_query;
    qint64 m_id = 0;
    bool m_open = false;
};
