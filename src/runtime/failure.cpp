#include "failure.h"
#include <QCoreApplication>

Failure::Failure(QString whatFailed, QString where, QString whatToDo)
    : m_whatFailed(std::move(whatFailed)), m_where(std::move(where)), m_whatToDo(std::move(whatToDo))
{
    m_utf8 = message().toUtf8();
}

QString Failure::message() const
{
    QString text = m_whatFailed;
    if (!m_where.isEmpty())
        text += QCoreApplication::translate("Failure", "\nWhere: ") + m_where;
    if (!m_whatToDo.isEmpty())
        text += QCoreApplication::translate("Failure", "\nWhat to do: ") + m_whatToDo;
    return text;
}
