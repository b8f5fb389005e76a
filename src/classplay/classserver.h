#pragma once

#include "classplay.h"

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QString>

#include <array>
#include <memory>
#include <vector>

class QJsonObject;
class QWebSocket;

// The class play on the school's network: the pupils' page and its assets,
// the picture of the question now asked (of none other, and only once it
// is asked), and one live channel a device (/live, JSON messages) through
// which a pupil joins, comes back to the seat by its token, answers, and is
// told what to show. Nothing reaches the disk from a request; every request
// and message is bounded; a device learns which answer was correct only
// once the question closed.
class ClassServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    // A request's head and a message, at most.
    static constexpr qint64 kMaxRequestBytes = 8 * 1024;
    static constexpr qint64 kMaxMessageBytes = 4 * 1024;
    // How long a connection may take to send its request's head, and how
    // many connections one address may have sending theirs.
    static constexpr int kHeadTimeMs = 10000;
    static constexpr int kConnectionsPerAddress = 64;
    // Messages a device may send in a second before it is cut off.
    static constexpr int kMaxMessagesPerSecond = 20;
    static constexpr int kMaxDevices = 3 * ClassPlay::kMaxSeats;

    explicit ClassServer(ClassPlay &play, QObject *parent = nullptr);
    ~ClassServer() override;

    // Listens on address and port (0: any free one); gives the port. Throws
    // a Failure naming the address and port.
    quint16 start(const QHostAddress &address, quint16 port);
    // The address pupils type (or scan): http://ADDRESS:PORT/.
    static QString joinAddress(const QHostAddress &address, quint16 port);
    // The machine's addresses on its local networks, the first one best.
    static QList<QHostAddress> localAddresses();


signals:
    // A write to the record failed: nobody was told an answer was received.
    void failed(const QString &message);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct Device;
    // The pictures of the question now asked: the question, and each answer
    // as the game's buttons draw it, by field (PNG bytes), made once a
    // question.
    void setPictures(const QByteArray &question, const std::array<QByteArray, 4> &answers);
    void acceptDevices();
    void received(QWebSocket *socket, const QString &text);
    // What a device asks: to join, to come back to its seat, to answer.
    void take(Device &device, const QJsonObject &message);
    void flushAnswers();
    void update();
    void send(Device &device, const QByteArray &message);
    // What the seat's device is to show, in short: it is told again when
    // this changes.
    QByteArray stampOf(int seat) const;
    // The message that tells it, for a device last told told.
    QByteArray stateOf(int seat, const QByteArray &told) const;
    QByteArray page() const;
    QByteArray welcome() const;
    QByteArray names() const;

    ClassPlay &m_play;
    std::vector<std::unique_ptr<Device>> m_devices;
    struct Pending {
        QWebSocket *socket;
        int seat;
        int slot;
    };
    std::vector<Pending> m_pending;
    bool m_flushScheduled = false;
    int m_picturesOf = 0;
    QByteArray m_questionPicture;
    std::array<QString, 4> m_answerPictures; // data: addresses, by field
    QByteArray m_font;
    QByteArray m_page;
};
