#pragma once

#include "classoptions.h"
#include "classplay.h"
#include "classserver.h"
#include "classwindow.h"
#include "contestsettings.h"

#include <QHostAddress>
#include <QString>

#include <memory>

// Class play started on the contest folder of the run: the bank made ready
// as the game makes it, the class play, its server on the network, and the
// host screen.
class ClassHost {
public:
    // Throws a Failure (the bank, the record, the class list, the network,
    // an address that is none).
    ClassHost(const QString &folder, const ClassOptions &options);
    ~ClassHost();

    // The line printed for scripts: "class: http://ADDRESS:PORT/ room CODE".
    const QString &line() const { return m_line; }
    ClassWindow &window() { return *m_window; }

private:
    std::unique_ptr<ClassPlay> m_play;
    std::unique_ptr<ClassServer> m_server;
    std::unique_ptr<ClassWindow> m_window;
    QString m_line;
};
