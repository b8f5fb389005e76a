// The yardstick: a minimal Qt Widgets program that shows one frameless
// window with one Arabic label and reports when it has painted.
#include <QApplication>
#include <QEvent>
#include <QLabel>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
class Window : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("shown %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        std::_Exit(0);
    }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Window window(QStringLiteral("مسابقة رياضيات"));
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setFont(QFont(QStringLiteral("Amiri"), 48));
    window.setAlignment(Qt::AlignCenter);
    window.resize(364, 345);
    window.show();
    return app.exec();
}
