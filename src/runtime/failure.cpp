#include "failure.h"

Failure::Failure(QString whatFailed, QString where, QString whatToDo)
    : m_whatFailed(std::move(whatFailed)), m_where(std::move(where)), m_whatToDo(std::move(whatToDo))
{
    m_utf8 = message().toUtf8();
}

QString Failure::message() const
{
    QString text = m_whatFailed;
    if (!m_where.isEmpty())
        text += QStringLiteral("\nWhere: ") + m_where;
    if (!m_whatToDo.isEmpty())
        text += QStringLiteral("\nWhat to do: ") + m_whatToDo;
    return text;
}
