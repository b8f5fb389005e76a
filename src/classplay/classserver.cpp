#include "classserver.h"

#include "classpictures.h"
#include "contest.h"
#include "failure.h"
#include "translation.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

namespace {

// What a device is told when it cannot sit down, in the page's language.
QString refusal(ClassPlay::Join join)
{
    switch (join) {
    case ClassPlay::Join::WrongCode:
        return QStringLiteral("رمز الغرفة غير صحيح. انظر إلى الشاشة واكتبه مرة أخرى.");
    case ClassPlay::Join::Slowed:
        return QStringLiteral("محاولات كثيرة برمز خاطئ. انتظر قليلًا ثم حاول مرة أخرى.");
    case ClassPlay::Join::Locked:
        return QStringLiteral("الغرفة مقفلة. اطلب من المعلم فتحها.");
    case ClassPlay::Join::Full:
        return QStringLiteral("الغرفة ممتلئة.");
    case ClassPlay::Join::NoName:
        return QStringLiteral("اكتب اسمك.");
    case ClassPlay::Join::NameTaken:
        return QStringLiteral("هذا الاسم في الغرفة. اختر اسمًا آخر، أو اطلب من المعلم إخراج المقعد القديم.");
    case ClassPlay::Join::NotInClass:
        return QStringLiteral("اختر اسمك من القائمة.");
    case ClassPlay::Join::Over:
        return Contest::overText();
    case ClassPlay::Join::Seated:
        break;
    }
    return QString();
}

QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// Every response: never cached, never framed by another page, nothing read
// from outside the program, no type guessed.
void respond(QHttpServerResponder &responder, const QByteArray &body, const QByteArray &type, QHttpServerResponder::StatusCode status = QHttpServerResponder::StatusCode::Ok)
{
    responder.write(body,
                    {{"Content-Type", type},
                     {"Connection", "close"},
                     {"Cache-Control", "no-store"},
                     {"X-Content-Type-Options", "nosniff"},
                     {"X-Frame-Options", "DENY"},
                     {"Referrer-Policy", "no-referrer"},
                     {"Content-Security-Policy", "default-src 'self'; img-src 'self' data:; connect-src 'self'; frame-ancestors 'none'"}},
                    status);
    // One request a connection: closed once its answer is out.
    if (QTcpSocket *socket = responder.socket())
        socket->disconnectFromHost();
}

// Whether a request's head (up to its blank line) asks for nothing with a
// body: no Transfer-Encoding, and no Content-Length but 0.
bool withoutBody(const QByteArray &head)
{
    for (const QByteArray &line : head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        const QByteArray field = line.left(colon).trimmed().toLower();
        if (colon < 0)
            continue;
        if (field == "transfer-encoding")
            return false;
        if (field == "content-length") {
            bool number = false;
            if (line.mid(colon + 1).trimmed().toLongLong(&number) != 0 || !number)
                return false;
        }
    }
    return true;
}

// The listening socket. A connection reaches the server only once its
// request's whole head is in, within kMaxRequestBytes and kHeadTimeMs, and
// asks for nothing with a body; it carries that one request (the server
// closes it once answered, unless it became the live channel, whose
// messages the WebSocket side bounds). One address holds at most
// kConnectionsPerAddress connections still sending their head.
class BoundedServer : public QTcpServer {
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr handle) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(handle)) {
            delete socket;
            return;
        }
        const QString address = socket->peerAddress().toString();
        if (m_waiting.value(address) >= ClassServer::kConnectionsPerAddress) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        ++m_waiting[address];
        auto watch = std::make_shared<QMetaObject::Connection>();
        auto timer = new QTimer(socket);
        auto settle = [this, socket, watch, timer, address](bool handOver) {
            if (!*watch)
                return;
            QObject::disconnect(*watch);
            *watch = {};
            timer->stop();
            if (--m_waiting[address] <= 0)
                m_waiting.remove(address);
            if (handOver) {
                addPendingConnection(socket);
                emit newConnection();
                // The head came before the server listened to the socket.
                QMetaObject::invokeMethod(socket, [socket] { emit socket->readyRead(); }, Qt::QueuedConnection);
            } else {
                socket->abort();
                socket->deleteLater();
            }
        };
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, socket, [settle] { settle(false); });
        timer->start(ClassServer::kHeadTimeMs);
        *watch = connect(socket, &QTcpSocket::readyRead, socket, [socket, settle] {
            const QByteArray head = socket->peek(ClassServer::kMaxRequestBytes + 1);
            const qsizetype end = head.indexOf("\r\n\r\n");
            if (end < 0 && head.size() <= ClassServer::kMaxRequestBytes)
                return;
            settle(end >= 0 && end + 4 <= ClassServer::kMaxRequestBytes && withoutBody(head.left(end)));
        });
        connect(socket, &QTcpSocket::disconnected, socket, [settle] { settle(false); });
    }

private:
    QHash<QString, int> m_waiting;
};

} // namespace

struct ClassServer::Device {
    std::unique_ptr<QWebSocket> socket;
    QString address;
    int seat = -1;
    QByteArray stamp; // what it was last told, in short
    bool knowsCode = false; // gave the room's code, to see the class list
    qint64 second = 0;
    int messages = 0;
};

ClassServer::ClassServer(ClassPlay &play, QObject *parent)
    : QAbstractHttpServer(parent)
    , m_play(play)
{
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, &ClassServer::acceptDevices);
    connect(&m_play, &ClassPlay::changed, this, &ClassServer::update);
    // The page's own font: the first of the Arabic fonts the program uses.
    for (const char *path : {"/usr/share/fonts/truetype/noto/NotoNaskhArabic-Regular.ttf", "/usr/share/fonts/truetype/fonts-hosny-amiri/Amiri-Regular.ttf",
                             "/usr/share/fonts/opentype/fonts-hosny-amiri/Amiri-Regular.ttf"}) {
        QFile font(QString::fromLatin1(path));
        if (font.open(QIODevice::ReadOnly) && font.size() < 4 * 1024 * 1024) {
            m_font = font.readAll();
            break;
        }
    }
    m_page = page();
}

ClassServer::~ClassServer() = default;

quint16 ClassServer::start(const QHostAddress &address, quint16 port)
{
    auto *server = new BoundedServer(this);
    if (!server->listen(address, port)) {
        const QString error = server->errorString();
        delete server;
        throw Failure(QCoreApplication::translate("ClassServer", "Class play could not listen on the network: %1.").arg(Translation::shown(error)),
                      QStringLiteral("%1:%2").arg(address.toString()).arg(port),
                      QCoreApplication::translate("ClassServer", "Choose another port with --port (0 picks a free one), or an address of this computer with --bind."));
    }
    bind(server);
    return server->serverPort();
}

QString ClassServer::joinAddress(const QHostAddress &address, quint16 port)
{
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol ? QStringLiteral("[%1]").arg(address.toString()) : address.toString();
    return QStringLiteral("http://%1:%2/").arg(host).arg(port);
}

QList<QHostAddress> ClassServer::localAddresses()
{
    QList<QHostAddress> found;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback() && !address.isLinkLocal())
                found.append(address);
        }
    }
    return found;
}

void ClassServer::setPictures(const QByteArray &question, const std::array<QByteArray, 4> &answers)
{
    m_questionPicture = question;
    for (size_t i = 0; i < answers.size(); ++i)
        m_answerPictures[i] = QStringLiteral("data:image/png;base64,") + QString::fromLatin1(answers[i].toBase64());
}

QByteArray ClassServer::page() const
{
    QFile file(QStringLiteral(":/classplay/index.html"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool ClassServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // The live channel: the server turns the connection over to the
    // WebSocket side when this says yes, and answers nothing itself.
    if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
        return request.url().path() == QLatin1String("/live") && request.method() == QHttpServerRequest::Method::Get;
    QHttpServerResponder responder = makeResponder(request, socket);
    if (request.method() != QHttpServerRequest::Method::Get) {
        respond(responder, QByteArray(), "text/plain", QHttpServerResponder::StatusCode::MethodNotAllowed);
        return true;
    }
    // Only these paths, compared whole as they came: nothing in a path is
    // ever a file's name.
    const QByteArray path = request.url().path(QUrl::FullyEncoded).toLatin1();
    static const QHash<QByteArray, std::pair<const char *, const char *>> assets{
        {"/", {":/classplay/index.html", "text/html; charset=utf-8"}},
        {"/page.js", {":/classplay/page.js", "text/javascript; charset=utf-8"}},
        {"/page.css", {":/classplay/page.css", "text/css; charset=utf-8"}},
    };
    if (const auto asset = assets.constFind(path); asset != assets.constEnd()) {
        QFile file(QString::fromLatin1(asset->first));
        respond(responder, path == "/" ? m_page : (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray()), asset->second);
        return true;
    }
    if (path == "/font.ttf" && !m_font.isEmpty()) {
        respond(responder, m_font, "font/ttf");
        return true;
    }
    const QByteArray shown = "/question/" + QByteArray::number(m_play.asked()) + ".png";
    if (path == shown && m_play.asked() > 0 && m_play.state() != ClassPlay::State::Over && !m_questionPicture.isEmpty()) {
        respond(responder, m_questionPicture, "image/png");
        return true;
    }
    respond(responder, "not found\n", "text/plain; charset=utf-8", QHttpServerResponder::StatusCode::NotFound);
    return true;
}

void ClassServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    respond(responder, "not found\n", "text/plain; charset=utf-8", QHttpServerResponder::StatusCode::NotFound);
}

void ClassServer::acceptDevices()
{
    while (hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = nextPendingWebSocketConnection();
        if (!socket)
            continue;
        // One address holds at most as many channels not yet seated as it
        // may have connections: one device cannot fill the room's doors.
        const QString address = socket->peerAddress().toString();
        const auto waiting = std::count_if(m_devices.begin(), m_devices.end(),
                                           [&](const std::unique_ptr<Device> &device) { return device->seat < 0 && device->address == address; });
        if (int(m_devices.size()) >= kMaxDevices || waiting >= kConnectionsPerAddress || socket->requestUrl().path() != QLatin1String("/live")) {
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
            continue;
        }
        socket->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
        socket->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
        auto device = std::make_unique<Device>();
        QWebSocket *raw = socket.get();
        device->address = address;
        device->socket = std::move(socket);
        connect(raw, &QWebSocket::textMessageReceived, this, [this, raw](const QString &text) { received(raw, text); });
        connect(raw, &QWebSocket::binaryMessageReceived, raw, [raw] { raw->close(QWebSocketProtocol::CloseCodeDatatypeNotSupported); });
        connect(raw, &QWebSocket::disconnected, this, [this, raw] {
            // Gone later, not while its own signal runs.
            QTimer::singleShot(0, this, [this, raw] {
                std::erase_if(m_pending, [raw](const Pending &pending) { return pending.socket == raw; });
                std::erase_if(m_devices, [raw](const std::unique_ptr<Device> &device) { return device->socket.get() == raw; });
            });
        });
        m_devices.push_back(std::move(device));
        m_devices.back()->stamp = welcome();
        send(*m_devices.back(), m_devices.back()->stamp);
    }
}

QByteArray ClassServer::welcome() const
{
    // The class's names only to a device that knows the room's code.
    return json({{QStringLiteral("t"), QStringLiteral("welcome")}, {QStringLiteral("list"), m_play.hasClassList()}});
}

QByteArray ClassServer::names() const
{
    return json({{QStringLiteral("t"), QStringLiteral("names")}, {QStringLiteral("names"), QJsonArray::fromStringList(m_play.freeNames())}});
}

void ClassServer::received(QWebSocket *socket, const QString &text)
{
    const auto found = std::find_if(m_devices.begin(), m_devices.end(), [socket](const std::unique_ptr<Device> &device) { return device->socket.get() == socket; });
    if (found == m_devices.end())
        return;
    Device &device = **found;
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    device.messages = second == device.second ? device.messages + 1 : 1;
    device.second = second;
    if (device.messages > kMaxMessagesPerSecond || text.size() > kMaxMessageBytes) {
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
        return;
    }
    try {
        take(device, QJsonDocument::fromJson(text.toUtf8()).object());
    } catch (const Failure &failure) {
        // The record could not take a new seat: the device is told to try
        // again, the teacher why.
        send(device, json({{QStringLiteral("t"), QStringLiteral("refused")}, {QStringLiteral("why"), QStringLiteral("تعذّر الانضمام الآن. حاول مرة أخرى بعد قليل.")}}));
        emit failed(failure.message());
    }
}

void ClassServer::take(Device &device, const QJsonObject &message)
{
    const QString type = message.value(QStringLiteral("t")).toString();
    if (type == QLatin1String("join") || type == QLatin1String("resume")) {
        // A device sits on one seat: joining again keeps it there.
        int seat = device.seat;
        if (type == QLatin1String("resume")) {
            seat = m_play.seatOf(message.value(QStringLiteral("token")).toString().toLatin1());
            if (seat < 0) {
                send(device, json({{QStringLiteral("t"), QStringLiteral("unknown")}}));
                return;
            }
        } else if (seat < 0) {
            const ClassPlay::Joined joined = m_play.join(message.value(QStringLiteral("room")).toString().left(16),
                                                         message.value(QStringLiteral("name")).toString().left(4 * ClassPlay::kMaxNameLength), device.address);
            if (joined.result != ClassPlay::Join::Seated) {
                send(device, json({{QStringLiteral("t"), QStringLiteral("refused")}, {QStringLiteral("why"), refusal(joined.result)}}));
                return;
            }
            seat = joined.seat;
        }
        const ClassPlay::Seat &sitting = m_play.seats()[size_t(seat)];
        device.seat = seat;
        device.stamp.clear();
        send(device, json({{QStringLiteral("t"), QStringLiteral("seat")}, {QStringLiteral("token"), QString::fromLatin1(sitting.token)}, {QStringLiteral("name"), sitting.name}}));
        update();
    } else if (type == QLatin1String("names") && m_play.hasClassList() && device.seat < 0) {
        const ClassPlay::Join checked = m_play.checkCode(message.value(QStringLiteral("room")).toString().left(16), device.address);
        if (checked != ClassPlay::Join::Seated) {
            send(device, json({{QStringLiteral("t"), QStringLiteral("refused")}, {QStringLiteral("why"), refusal(checked)}}));
            return;
        }
        device.knowsCode = true;
        device.stamp = names();
        send(device, device.stamp);
    } else if (type == QLatin1String("answer") && device.seat >= 0) {
        // Only for the question now asked, and only for the device's own
        // seat; written with the others of the moment, then told.
        if (message.value(QStringLiteral("q")).toInt() != m_play.asked())
            return;
        m_pending.push_back({device.socket.get(), device.seat, message.value(QStringLiteral("slot")).toInt()});
        if (!m_flushScheduled) {
            m_flushScheduled = true;
            QTimer::singleShot(0, this, &ClassServer::flushAnswers);
        }
    }
}

void ClassServer::flushAnswers()
{
    m_flushScheduled = false;
    std::vector<std::pair<int, int>> answers;
    for (const Pending &pending : m_pending)
        answers.emplace_back(pending.seat, pending.slot);
    m_pending.clear();
    if (answers.empty())
        return;
    try {
        m_play.answerAll(answers);
    } catch (const Failure &failure) {
        emit failed(failure.message());
    }
}

QByteArray ClassServer::stampOf(int seat) const
{
    const ClassPlay::Seat &pupil = m_play.seats()[size_t(seat)];
    const QByteArray asked = QByteArray::number(m_play.asked());
    switch (m_play.state()) {
    case ClassPlay::State::Gathering:
        return "wait";
    case ClassPlay::State::Asking:
        return pupil.asked == 0 ? "wait " + asked : "question " + asked + (pupil.field ? " answered" : "");
    case ClassPlay::State::Closed:
        return "closed " + asked;
    case ClassPlay::State::Over:
        return "over";
    }
    return QByteArray();
}

QByteArray ClassServer::stateOf(int seat, const QByteArray &told) const
{
    const ClassPlay::Seat &pupil = m_play.seats()[size_t(seat)];
    switch (m_play.state()) {
    case ClassPlay::State::Gathering:
        return json({{QStringLiteral("t"), QStringLiteral("wait")}});
    case ClassPlay::State::Asking: {
        if (pupil.asked == 0)
            return json({{QStringLiteral("t"), QStringLiteral("wait")}});
        // A device that has the question is only told its answer came.
        if (pupil.field != 0 && told == "question " + QByteArray::number(m_play.asked()))
            return json({{QStringLiteral("t"), QStringLiteral("received")}, {QStringLiteral("q"), m_play.asked()}});
        QJsonArray answers;
        const Contest::Question &question = m_play.question();
        for (const int field : pupil.order)
            answers.append(QJsonObject{{QStringLiteral("img"), m_answerPictures[size_t(field - 1)]}, {QStringLiteral("label"), question.answers[size_t(field - 1)]}});
        return json({{QStringLiteral("t"), QStringLiteral("question")},
                     {QStringLiteral("q"), m_play.asked()},
                     {QStringLiteral("of"), m_play.settings().length},
                     {QStringLiteral("picture"), QStringLiteral("/question/%1.png").arg(m_play.asked())},
                     {QStringLiteral("text"), question.text},
                     {QStringLiteral("answers"), answers},
                     {QStringLiteral("answered"), pupil.field != 0},
                     {QStringLiteral("ms"), m_play.remainingMs()}});
    }
    case ClassPlay::State::Closed: {
        const bool answered = pupil.field != 0 && pupil.asked == m_play.asked();
        const bool correct = answered && Contest::judge(pupil.field);
        return json({{QStringLiteral("t"), QStringLiteral("verdict")},
                     {QStringLiteral("answered"), answered},
                     {QStringLiteral("correct"), correct},
                     {QStringLiteral("text"), answered ? Contest::verdict(correct) : QStringLiteral("لم تُرسل إجابة")},
                     {QStringLiteral("answer"), QJsonObject{{QStringLiteral("img"), m_answerPictures[0]}, {QStringLiteral("label"), m_play.question().answers[0]}}}});
    }
    case ClassPlay::State::Over:
        return json({{QStringLiteral("t"), QStringLiteral("end")},
                     {QStringLiteral("text"), Contest::overText()},
                     {QStringLiteral("score"), QStringLiteral("الدرجة: %1").arg(Contest::scoreText(pupil.correct, pupil.asked))}});
    }
    return QByteArray();
}

void ClassServer::update()
{
    // The pictures of a question, made once it is asked.
    if (m_picturesOf != m_play.asked() && m_play.question().id > 0) {
        m_picturesOf = m_play.asked();
        try {
            setPictures(ClassPictures::question(m_play.folder(), m_play.question().id), ClassPictures::answers(m_play.question().answers));
        } catch (const Failure &failure) {
            // The question is asked without its picture (its text stays
            // the picture's description); the host says why.
            setPictures(QByteArray(), ClassPictures::answers(m_play.question().answers));
            emit failed(failure.message());
        }
    }
    // Devices still choosing a name, once they gave the room's code, see the
    // class list's free names.
    const QByteArray names = m_play.hasClassList() ? this->names() : QByteArray();
    for (const std::unique_ptr<Device> &device : m_devices) {
        if (device->seat >= 0 && m_play.seatOf(m_play.seats()[size_t(device->seat)].token) < 0) {
            device->seat = -1;
            device->stamp.clear();
            send(*device, json({{QStringLiteral("t"), QStringLiteral("removed")}}));
            continue;
        }
        if (device->seat < 0) {
            if (device->knowsCode && !names.isEmpty() && device->stamp != names) {
                device->stamp = names;
                send(*device, names);
            }
            continue;
        }
        // Told again only what changed for it, and the message made only
        // then.
        const QByteArray stamp = stampOf(device->seat);
        if (stamp != device->stamp) {
            send(*device, stateOf(device->seat, device->stamp));
            device->stamp = stamp;
        }
    }
}

void ClassServer::send(Device &device, const QByteArray &message)
{
    device.socket->sendTextMessage(QString::fromUtf8(message));
}
