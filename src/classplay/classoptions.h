#pragma once

#include "contestsettings.h"

#include <QString>

// Class play as the command line asks for it.
struct ClassOptions {
    static constexpr quint16 kDefaultPort = 8765;
    // The program that hosts class play, beside the game or in its helper
    // folder: the game itself never loads the network's libraries.
    static constexpr auto kHostProgram = "mathcontest-class";

    quint16 port = kDefaultPort;
    QString bind; // one address of this computer; empty: every one
    bool fullScreen = false;
    ContestSettings::Overrides overrides;
};
