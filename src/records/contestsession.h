#pragma once

#include "contestrecord.h"
#include "contestsettings.h"

#include <QElapsedTimer>
#include <QString>

#include <array>

// The contests of one run of the game in a contest folder: the settings
// they are played by, and each step written to the record as it happens,
// before the player sees it (the question drawn before it is shown, the
// answer before the verdict).
class ContestSession {
public:
    // Opens the folder's record. Throws a Failure naming it.
    ContestSession(const QString &folder, ContestSettings settings);

    const ContestSettings &settings() const { return m_settings; }
    // The number of the contest under way (1, 2, ...), 0 before the first.
    qint64 contest() const { return m_contest; }

    // Begins a new contest, for player (empty when no name was asked).
    void begin(const QString &player);
    // The question drawn at the next place of the contest, with its text
    // (empty when the bank holds none) and its answers a1..a4.
    void drawn(qint64 question, const QString &text, const std::array<QString, 4> &answers);
    // The answer chosen for the question last drawn: its field (1..4 for
    // a1..a4, whatever the shuffle did) and the slot it stood in (1..4 from
    // the top).
    void answered(int field, int slot);
    // How the contest under way ended; the first ending given holds.
    void ended(ContestRecord::Ending ending);

private:
    ContestSettings m_settings;
    ContestRecord m_record;
    qint64 m_contest = 0;
    int m_position = 0;
    bool m_ended = false;
    QElapsedTimer m_shown;
};
