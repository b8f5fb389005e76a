#include "application.h"

#include "failure.h"
#include "failurereport.h"
#include "fonts.h"
#include "programlock.h"

#include <QScreen>
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

void Application::showCentred(QWidget *window)
{
    if (QScreen *screen = window->screen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    }
    window->show();
}
