#include "game.h"

#include "application.h"
#include "form1.h"
#include "programfolder.h"
#include "programlock.h"

#include <QEvent>
#include <memory>

namespace {

// Calls back once, on the first paint of the watched window.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::function<void()> callback)
        : m_callback(std::move(callback))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_callback) {
            auto callback = std::move(m_callback);
            m_callback = nullptr;
            watched->removeEventFilter(this);
            callback();
        }
        return false;
    }

private:
    std::function<void()> m_callback;
};

} // namespace

int Game::run(int argc, char **argv, std::function<void()> splashShown)
{
    Application app(argc, argv);
    std::unique_ptr<ProgramLock> lock;
    std::unique_ptr<Form1> splash;
    std::unique_ptr<FirstPaint> firstPaint;
    return app.run([&] {
        lock = std::make_unique<ProgramLock>(ProgramFolder::path());
        splash = std::make_unique<Form1>();
        splash->Form_Load();
        if (splashShown) {
            firstPaint = std::make_unique<FirstPaint>(std::move(splashShown));
            splash->installEventFilter(firstPaint.get());
        }
        Application::showCentred(splash.get());
    });
}
