#include "failure.h"
#include "translation.h"

#include <QCoreApplication>

#include <algorithm>

Failure::Failure(QString whatFailed, QString where, QString whatToDo)
    : m_whatFailed(std::move(whatFailed)), m_where(std::move(where)), m_whatToDo(std::move(whatToDo))
{
    m_utf8 = message().toUtf8();
}

QString Failure::isolatedWhere() const
{
    const bool composed = std::any_of(m_where.cbegin(), m_where.cend(), [](QChar c) {
        return c.direction() == QChar::DirR || c.direction() == QChar::DirAL;
    });
    return composed ? m_where : Translation::isolate(m_where);
}

QString Failure::message() const
{
    QString text = m_whatFailed;
    if (!m_where.isEmpty())
        text += QCoreApplication::translate("Failure", "\nWhere: ") + isolatedWhere();
    if (!m_whatToDo.isEmpty())
        text += QCoreApplication::translate("Failure", "\nWhat to do: ") + m_whatToDo;
    return text;
}
