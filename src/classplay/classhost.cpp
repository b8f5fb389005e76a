#include "classhost.h"

#include "application.h"
#include "contest.h"
#include "failure.h"
#include "translation.h"

#include <QCoreApplication>

ClassHost::ClassHost(const QString &folder, const ClassOptions &options)
{
    const QHostAddress bind(options.bind);
    if (!options.bind.isEmpty() && bind.isNull())
        throw Failure(QCoreApplication::translate("ClassHost", "Class play cannot listen on %1: it is not an address.").arg(Translation::isolate(options.bind)),
                      QStringLiteral("--bind"), QCoreApplication::translate("ClassHost", "Give an address of this computer, such as --bind 192.168.1.10, or leave --bind out."));
    const ContestSettings settings = Contest::prepare(folder, options.overrides);
    m_play = std::make_unique<ClassPlay>(folder, settings, ClassPlay::readClassList(folder));
    m_server = std::make_unique<ClassServer>(*m_play);
    const QHostAddress listenOn = bind.isNull() ? QHostAddress(QHostAddress::AnyIPv4) : bind;
    const quint16 port = m_server->start(listenOn, options.port);
    // The address pupils type: the one asked for, else the machine's first
    // on a local network (loopback only on a machine with none).
    QHostAddress shown = bind;
    if (shown.isNull() || shown == QHostAddress(QHostAddress::AnyIPv4) || shown == QHostAddress(QHostAddress::Any))
        shown = ClassServer::localAddresses().value(0, QHostAddress(QHostAddress::LocalHost));
    const QString address = ClassServer::joinAddress(shown, port);
    m_line = QStringLiteral("class: %1 room %2").arg(address, m_play->code());
    m_window = std::make_unique<ClassWindow>(*m_play, address);
    QObject::connect(m_server.get(), &ClassServer::failed, m_window.get(), &ClassWindow::report);
    QObject::connect(m_play.get(), &ClassPlay::failed, m_window.get(), &ClassWindow::report);
    Application::showCentred(m_window.get());
    if (options.fullScreen)
        m_window->setFullScreen(true);
}

ClassHost::~ClassHost()
{
    // The window and the server go before the class play they show.
    m_window.reset();
    m_server.reset();
}
