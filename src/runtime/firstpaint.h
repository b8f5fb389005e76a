#pragma once

#include <QObject>
#include <functional>

// Calls back once, on the first paint of the window it watches: when a
// program's first window has come on the screen.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> callback);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_callback;
};
