#include "contestsession.h"

#include "clock.h"

ContestSession::ContestSession(const QString &folder, ContestSettings settings)
    : m_settings(std::move(settings))
    , m_record(ContestRecord::open(folder))
{
}

void ContestSession::begin(const QString &player)
{
    m_contest = m_record.startContest(player, m_settings.text(), Clock::now());
    m_position = 0;
    m_ended = false;
}

void ContestSession::drawn(qint64 question, const QString &text, const std::array<QString, 4> &answers)
{
    m_record.recordDraw(m_contest, ++m_position, question, text, answers, Clock::now());
    m_shown.start();
}

void ContestSession::answered(int field, int slot)
{
    m_record.recordAnswer(m_contest, m_position, field, slot, field == 1, m_shown.elapsed());
}

void ContestSession::ended(ContestRecord::Ending ending)
{
    if (m_ended || m_contest == 0)
        return;
    m_record.endContest(m_contest, ending, Clock::now());
    m_ended = true;
}
