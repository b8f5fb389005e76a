#include "application.h"

#include "accessibility.h"
#include "translation.h"
#include "windowwatch.h"

#include "failure.h"
#include "failurereport.h"
#include "fonts.h"
#include "programlock.h"

#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {
std::function<void(int)> g_endHook;
}

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    Fonts::install();
    Accessibility::install();
    Translation::install();
    WindowWatch::install();
}

int Application::run(const std::function<void()> &start)
{
    try {
        start();
        return exec();
    } catch (const Failure &failure) {
        FailureReport::report(failure);
    } catch (const std::exception &error) {
        FailureReport::report(error);
    }
    return 1;
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Failure &failure) {
        FailureReport::report(failure);
    } catch (const std::exception &error) {
        FailureReport::report(error);
    }
    return true;
}

void Application::endProgram(int status)
{
    if (g_endHook) {
        g_endHook(status);
        return;
    }
    ProgramLock::releaseAtExit();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

void Application::setEndProgramHook(std::function<void(int)> hook)
{
    g_endHook = std::move(hook);
}

namespace {

// Places window so that its frame, as the platform reports it now, is
// centred on its screen; gives the frame margins it used.
QMargins centre(QWidget *window)
{
    const QMargins frame = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    if (QScreen *screen = window->screen()) {
        const QSize outer = window->size().grownBy(frame);
        // move() places a window by its frame's top-left corner.
        const QRect area = screen->availableGeometry();
        window->move(area.topLeft() + QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2));
    }
    return frame;
}

// Under a window manager the frame is known only once the window is on the
// screen: centres the window again, once, if its frame is not the one that
// was assumed.
class Recentre : public QObject {
public:
    Recentre(QWidget *window, QMargins assumed)
        : QObject(window), m_window(window), m_assumed(assumed)
    {
        window->installEventFilter(this);
        // A platform that never reports a frame leaves the window as it is.
        QTimer::singleShot(kWaitMs, this, [this] { deleteLater(); });
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // The frame is known by the first paint or move after the window is
        // on the screen.
        if ((event->type() == QEvent::Move || event->type() == QEvent::Paint) && m_window->windowHandle()
            && m_window->windowHandle()->frameMargins() != m_assumed) {
            m_window->removeEventFilter(this);
            centre(m_window);
            deleteLater();
        }
        return false;
    }

private:
    static constexpr int kWaitMs = 2000;
    QWidget *m_window;
    QMargins m_assumed;
};

} // namespace

void Application::showCentred(QWidget *window)
{
    // The native window first: some platforms know its frame before it shows.
    window->winId();
    const QMargins assumed = centre(window);
    window->show();
    if (!window->windowFlags().testFlag(Qt::FramelessWindowHint))
        new Recentre(window, assumed);
}
