#pragma once

#include <QApplication>
#include <functional>

// The program's application object. It installs the fonts, and it is the one
// place where a failure that escapes an event handler is caught and reported.
class Application : public QApplication {
public:
    Application(int &argc, char **argv);

    // Runs start() (create the first window, load it, show it), then the event
    // loop. A failure in either is reported and ends the program with status 1.
    int run(const std::function<void()> &start);

    bool notify(QObject *receiver, QEvent *event) override;

    // Ends the program at once with this status: every window closes, no
    // further handler runs. Callers do nothing after it.
    static void endProgram(int status);

    // For tests: called instead of ending the process, which then goes on.
    static void setEndProgramHook(std::function<void(int)> hook);

    // Shows a window centred on its screen.
    static void showCentred(QWidget *window);
};
