// A class of 60 pupils on loopback against the real host (its class play,
// server and host screen, offscreen): each question reaches every device,
// all 60 answer at once, and each answer's acknowledgement is timed from
// its send to the device being told it was received. Then: answers lost
// (the record against the answers acknowledged), latency at p50, p99 and
// the worst, and the host's memory with 60 pupils seated and playing.
//   bench_classplay [PUPILS] [QUESTIONS]
#include "classplay.h"
#include "classserver.h"
#include "classwindow.h"
#include "fonts.h"
#include "testfolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// The pupils, on a thread of their own: every device answers a question the
// moment it arrives, and notes how long the acknowledgement took.
class Class : public QObject {
public:
    Class(quint16 port, QString code, int pupils)
        : m_port(port)
        , m_code(std::move(code))
        , m_pupils(pupils)
    {
    }
    void start()
    {
        for (int i = 0; i < m_pupils; ++i) {
            auto device = std::make_unique<Device>();
            Device *d = device.get();
            d->socket = std::make_unique<QWebSocket>();
            connect(d->socket.get(), &QWebSocket::connected, this, [this, d, i] {
                d->socket->sendTextMessage(QString::fromUtf8(QJsonDocument(QJsonObject{{"t", "join"}, {"room", m_code}, {"name", QStringLiteral("pupil %1").arg(i)}}).toJson()));
            });
            connect(d->socket.get(), &QWebSocket::textMessageReceived, this, [this, d, i](const QString &text) { told(*d, i, text); });
            d->socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(m_port)));
            m_devices.push_back(std::move(device));
        }
    }
    std::vector<double> latencies;
    int acknowledged = 0;

private:
    struct Device {
        std::unique_ptr<QWebSocket> socket;
        int answeredQuestion = 0;
        QElapsedTimer sent;
    };
    void told(Device &device, int index, const QString &text)
    {
        const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
        const QString type = message.value("t").toString();
        if (type != QLatin1String("question") && type != QLatin1String("received"))
            return;
        const int question = message.value("q").toInt();
        if (type == QLatin1String("received") || message.value("answered").toBool()) {
            if (device.answeredQuestion == question && device.sent.isValid()) {
                latencies.push_back(double(device.sent.nsecsElapsed()) / 1e6);
                device.sent.invalidate();
                ++acknowledged;
            }
            return;
        }
        if (device.answeredQuestion == question)
            return;
        device.answeredQuestion = question;
        device.sent.start();
        device.socket->sendTextMessage(QString::fromUtf8(QJsonDocument(QJsonObject{{"t", "answer"}, {"slot", 1 + (index % 4)}, {"q", question}}).toJson()));
    }
    quint16 m_port;
    QString m_code;
    int m_pupils;
    std::vector<std::unique_ptr<Device>> m_devices;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fonts::install();
    const int pupils = argc > 1 ? std::atoi(argv[1]) : 60;
    const int questions = argc > 2 ? std::atoi(argv[2]) : 10;
    TestFolder folder;
    folder.prepareContest(questions + 5);
    ContestSettings settings;
    settings.length = questions;
    const long startKb = statusKb("VmRSS:");

    ClassPlay play(folder.path(), settings);
    ClassServer server(play);
    const quint16 port = server.start(QHostAddress::LocalHost, 0);
    ClassWindow window(play, ClassServer::joinAddress(QHostAddress::LocalHost, port));
    window.show();

    QThread thread;
    Class pupilsClass(port, play.code(), pupils);
    pupilsClass.moveToThread(&thread);
    thread.start();
    QMetaObject::invokeMethod(&pupilsClass, &Class::start);

    long seatedKb = 0;
    // The teacher: the first question once everyone sat, the next a moment
    // after each closed, the end after the last.
    QTimer teacher;
    QObject::connect(&teacher, &QTimer::timeout, [&] {
        if (play.state() == ClassPlay::State::Gathering && play.seated() == pupils) {
            seatedKb = statusKb("VmRSS:");
            play.next();
        } else if (play.state() == ClassPlay::State::Closed) {
            if (play.next() == Contest::Draw::Exhausted)
                app.quit();
        }
    });
    teacher.start(200);
    QTimer::singleShot(120000, &app, [&] {
        std::fprintf(stderr, "bench_classplay: timed out (%d seated, %d asked)\n", play.seated(), play.asked());
        app.exit(1);
    });
    const int status = app.exec();
    thread.quit();
    thread.wait();

    std::vector<double> latencies = pupilsClass.latencies;
    std::sort(latencies.begin(), latencies.end());
    auto at = [&](double share) { return latencies.empty() ? 0.0 : latencies[std::min(latencies.size() - 1, size_t(share * double(latencies.size())))]; };
    const QList<QVariant> recorded = TestFolder::query(folder.path() + QStringLiteral("/results.sqlite"),
                                                       QStringLiteral("select count(*) from asked where chosen is not null"));
    const int written = recorded.value(0).toInt();
    std::printf("class play: %d pupils, %d questions, %d answers acknowledged, %d written (%d lost)\n", pupils, questions, pupilsClass.acknowledged, written,
                pupilsClass.acknowledged - written);
    std::printf("acknowledged within: p50 %.1f ms, p99 %.1f ms, worst %.1f ms (target: p99 under 50 ms)\n", at(0.5), at(0.99), latencies.empty() ? 0.0 : latencies.back());
    std::printf("host memory: %ld KiB before, %ld KiB with %d pupils seated, peak %ld KiB (the pupils' own sockets included)\n", startKb, seatedKb, pupils,
                statusKb("VmHWM:"));
    return status == 0 && pupilsClass.acknowledged == pupils * questions && written == pupilsClass.acknowledged ? 0 : 1;
}
