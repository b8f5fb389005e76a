#include "questionrecord.h"

#include <QSqlRecord>

QVariant QuestionRecord::field(const QString &name) const
{
    return m_open ? m_query.value(name) : QVariant();
}

bool QuestionRecord::used() const
{
    // Used is YN = 1, as the count of used questions and the sweep have it.
    return field(QStringLiteral("YN")).toLongLong() == 1;
}

QString QuestionRecord::answer(int number) const
{
    const QVariant value = field(QStringLiteral("a%1").arg(number));
    return value.isNull() ? QString() : value.toString();
}
