#include "classplay.h"
#include "classserver.h"
#include "clock.h"
#include "random.h"
#include "testfolder.h"
#include "testhelpers.h"
#include "testmain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QWebSocket>

namespace {

const QDateTime kStart(QDate(2026, 12, 8), QTime(9, 0));

// Each pupil's contest in the record: "name:ending:field/slot/right ..." (a
// question asked and not answered reads "-").
QStringList recorded(const TestFolder &folder)
{
    const QString record = folder.path() + QStringLiteral("/results.sqlite");
    QStringList pupils;
    for (const QVariant &row : TestFolder::query(record, QStringLiteral(
             "select c.player || ':' || ifnull(c.ending, '') || ':' || ifnull(group_concat(ifnull(substr(a.chosen, 2) || '/' || a.slot || '/' || a.correct, '-'), ' '), '') "
             "from contest c left join asked a on a.contest = c.number group by c.number order by c.number")))
        pupils << row.toString();
    return pupils;
}

// The slot of field on the seat's device.
int slotOf(const ClassPlay &play, int seat, int field)
{
    const std::array<int, 4> order = play.fieldsFor(seat);
    return int(std::find(order.begin(), order.end(), field) - order.begin()) + 1;
}

// HTTP requests as a device sends them, one after the other on one
// connection (apart by a NUL), and the status line of each answer ("" when
// the connection was cut).
QByteArray statusOf(quint16 port, const QByteArray &requests)
{
    // The server runs on this thread: waited for with its events served.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    QByteArrayList statuses;
    for (const QByteArray &request : requests.split('\0')) {
        socket.write(request);
        QByteArray answer;
        const bool ended = QTest::qWaitFor([&] {
            if (socket.isOpen())
                answer += socket.readAll();
            return answer.contains("\r\n") || socket.state() == QAbstractSocket::UnconnectedState;
        }, 5000);
        statuses << (ended ? answer.left(answer.indexOf("\r\n")) : QByteArray("no answer in time"));
        if (socket.state() == QAbstractSocket::UnconnectedState)
            break;
        // The rest of the answer (its body) before the next request.
        QTest::qWait(50);
        socket.readAll();
    }
    return statuses.join('|');
}

// A device on the live channel: every message it was told, in order.
struct Device {
    QWebSocket socket;
    QList<QJsonObject> told;
    explicit Device(quint16 port)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString &text) { told << QJsonDocument::fromJson(text.toUtf8()).object(); });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
    }
    void send(const QJsonObject &message) { socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson())); }
    bool waitFor(const QString &type)
    {
        return QTest::qWaitFor([&] { return !told.isEmpty() && told.back().value(QStringLiteral("t")).toString() == type; }, 5000);
    }
};

} // namespace

// One class play without a window: who may sit, what each pupil is asked
// and told, what the record keeps; and its server, as a device meets it.
class TestClassPlay : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Random::clearQueuedValues();
        Clock::set([] { return kStart; });
    }
    void cleanup() { Clock::set({}); }

    void joiningIsBoundedAndRefusedInWords_data()
    {
        // Names asked for in turn, each with the right code unless it starts
        // with "wrong"; what the last one gives and the names seated.
        addColumns<QStringList, int, QString>("names", "result", "seated");
        using J = ClassPlay::Join;
        QTest::newRow("two pupils") << QStringList{"أمينة", "سامي"} << int(J::Seated) << "أمينة,سامي";
        QTest::newRow("a name taken, whatever its case") << QStringList{"Sami", "sami "} << int(J::NameTaken) << "Sami";
        QTest::newRow("no name") << QStringList{"  \t "} << int(J::NoName) << "";
        QTest::newRow("markup stays text") << QStringList{"<b>Bob</b>"} << int(J::Seated) << "<b>Bob</b>";
        QTest::newRow("controls and line breaks made spaces") << QStringList{"Ali\nBaba\u202E\u0007x"} << int(J::Seated) << "Ali Baba x";
        QTest::newRow("a long name cut") << QStringList{QString(100, u'م')} << int(J::Seated) << QString(ClassPlay::kMaxNameLength, u'م');
        QTest::newRow("a wrong code") << QStringList{"wrong"} << int(J::WrongCode) << "";
        QTest::newRow("a flood of wrong codes slowed, the right one too")
            << QStringList{"wrong", "wrong", "wrong", "wrong", "wrong", "Ali"} << int(J::Slowed) << "";
        QTest::newRow("not on the class list") << QStringList{"list", "Zaid"} << int(J::NotInClass) << "";
        QTest::newRow("on the class list") << QStringList{"list", "Huda"} << int(J::Seated) << "Huda";
        QTest::newRow("a locked room") << QStringList{"lock", "Ali"} << int(J::Locked) << "";
    }
    void joiningIsBoundedAndRefusedInWords()
    {
        auto [names, result, seated] = fetchRow<QStringList, int, QString>("names", "result", "seated");
        TestFolder folder;
        folder.prepareContest(5);
        ClassPlay play(folder.path(), {}, names.value(0) == QLatin1String("list") ? QStringList{QStringLiteral("Huda"), QStringLiteral("Omar")} : QStringList{});
        ClassPlay::Joined last;
        for (const QString &name : names) {
            if (name == QLatin1String("lock"))
                play.setLocked(true);
            else if (name != QLatin1String("list"))
                last = play.join(name == QLatin1String("wrong") ? play.code() + u'0' : play.code(), name, QStringLiteral("10.0.0.7"));
        }
        QCOMPARE(int(last.result), result);
        QStringList sitting;
        for (const ClassPlay::Seat &seat : play.seats())
            sitting << seat.name;
        QCOMPARE(sitting.join(u','), seated);
        if (last.result == ClassPlay::Join::Seated) {
            QCOMPARE(last.token.size(), 32);
            QCOMPARE(play.seatOf(last.token), last.seat);
        }
        if (last.result == ClassPlay::Join::Slowed) {
            // Another device is not slowed; this one is, until the wait is over.
            QCOMPARE(int(play.join(play.code(), QStringLiteral("Omar"), QStringLiteral("10.0.0.8")).result), int(ClassPlay::Join::Seated));
            Clock::set([] { return kStart.addMSecs(ClassPlay::kFirstWaitMs); });
            QCOMPARE(int(play.join(play.code(), QStringLiteral("Ali"), QStringLiteral("10.0.0.7")).result), int(ClassPlay::Join::Seated));
        }
    }

    void aClassPlaysThroughAndIsRecorded()
    {
        TestFolder folder;
        folder.prepareContest(5);
        ContestSettings settings;
        settings.length = 2;
        settings.podium = true;
        ClassPlay play(folder.path(), settings);
        const int amina = play.join(play.code(), QStringLiteral("Amina"), {}).seat;
        const int sami = play.join(play.code(), QStringLiteral("Sami"), {}).seat;
        const int huda = play.join(play.code(), QStringLiteral("Huda"), {}).seat;
        QCOMPARE(int(play.answer(amina, 1)), int(ClassPlay::Answer::NotAsking));

        QCOMPARE(play.next(), Contest::Draw::Drawn);
        QCOMPARE(int(play.state()), int(ClassPlay::State::Asking));
        QCOMPARE(folder.usedIds(), QList<int>{int(play.question().id)});
        // Amina right, Sami wrong; a second answer changes nothing; Huda
        // never answers; a slot that is none is no answer.
        QCOMPARE(int(play.answer(amina, slotOf(play, amina, 1))), int(ClassPlay::Answer::Received));
        QCOMPARE(int(play.answer(amina, slotOf(play, amina, 2))), int(ClassPlay::Answer::Already));
        QCOMPARE(int(play.answer(sami, 5)), int(ClassPlay::Answer::NotAsking));
        QCOMPARE(int(play.answer(sami, slotOf(play, sami, 3))), int(ClassPlay::Answer::Received));
        QCOMPARE(play.answeredCount(), 2);
        QCOMPARE(play.tally(), (std::array<int, 4>{1, 0, 1, 0}));
        QCOMPARE(int(play.state()), int(ClassPlay::State::Asking));
        play.close();
        QCOMPARE(int(play.answer(huda, 1)), int(ClassPlay::Answer::NotAsking));

        // Huda leaves; once the two left answered, the question closes by
        // itself, and the last one completes their contests.
        play.remove(huda);
        QCOMPARE(play.next(), Contest::Draw::Drawn);
        QCOMPARE(int(play.answer(huda, 1)), int(ClassPlay::Answer::NoSeat));
        play.answerAll({{sami, slotOf(play, sami, 1)}, {amina, slotOf(play, amina, 1)}});
        QCOMPARE(int(play.state()), int(ClassPlay::State::Closed));
        QCOMPARE(play.podium(), (std::vector<int>{amina, sami}));
        // Nothing is left to play once the last question closed.
        QCOMPARE(int(play.join(play.code(), QStringLiteral("Late"), {}).result), int(ClassPlay::Join::Over));
        QCOMPARE(play.next(), Contest::Draw::Exhausted);
        QCOMPARE(int(play.state()), int(ClassPlay::State::Over));

        const QStringList rows = recorded(folder);
        QCOMPARE(rows.size(), 3);
        QVERIFY2(rows[0].startsWith(QStringLiteral("Amina:completed:1/")) && rows[0].endsWith(QStringLiteral("/1")) && rows[0].count(QStringLiteral("/1 1/")) == 1,
                 qPrintable(rows[0]));
        QVERIFY2(rows[1].startsWith(QStringLiteral("Sami:completed:3/")) && rows[1].contains(QStringLiteral("/0 1/")), qPrintable(rows[1]));
        QCOMPARE(rows[2], QStringLiteral("Huda:exit:-"));
        QCOMPARE(TestFolder::query(folder.path() + QStringLiteral("/results.sqlite"), QStringLiteral("select count(distinct class_play) from contest")),
                 QList<QVariant>{1});
    }

    void aLateComerTheTimeAndAnEmptyBank()
    {
        TestFolder folder;
        folder.prepareContest(2);
        ContestSettings settings;
        settings.time = 1;
        ClassPlay play(folder.path(), settings);
        QCOMPARE(play.next(), Contest::Draw::Drawn);
        QVERIFY(play.remainingMs() >= 0 && play.remainingMs() <= 1000);
        // A pupil who comes in while a question is open may answer it; the
        // one seated answered, it closes before its time.
        const int late = play.join(play.code(), QStringLiteral("Late"), {}).seat;
        const int slot = slotOf(play, late, 1);
        QCOMPARE(int(play.answer(late, slot)), int(ClassPlay::Answer::Received));
        QCOMPARE(int(play.state()), int(ClassPlay::State::Closed));
        // Unanswered, the next closes when its time is up.
        QCOMPARE(play.next(), Contest::Draw::Drawn);
        QTRY_COMPARE_WITH_TIMEOUT(int(play.state()), int(ClassPlay::State::Closed), 3000);
        QCOMPARE(play.next(), Contest::Draw::Exhausted);
        QCOMPARE(recorded(folder), QStringList{QStringLiteral("Late:bank exhausted:1/%1/1 -").arg(slot)});
    }

    void everyOrderIsDrawn()
    {
        // Any of the 24 orders: the correct answer is not the one that
        // moves when two devices are compared.
        QSet<QString> orders;
        for (int i = 0; i < 400; ++i) {
            const std::array<int, 4> order = ClassPlay::drawOrder();
            QCOMPARE(QSet<int>(order.begin(), order.end()), (QSet<int>{1, 2, 3, 4}));
            orders.insert(QStringLiteral("%1%2%3%4").arg(order[0]).arg(order[1]).arg(order[2]).arg(order[3]));
        }
        QCOMPARE(orders.size(), 24);
    }

    void theServerServesOnlyItsOwn_data()
    {
        addColumns<QByteArray, QByteArray>("request", "status");
        QTest::newRow("the page") << QByteArray("GET / HTTP/1.1\r\nHost: x\r\n\r\n") << QByteArray("HTTP/1.1 200 OK");
        QTest::newRow("up and out") << QByteArray("GET /../../etc/passwd HTTP/1.1\r\nHost: x\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found");
        QTest::newRow("up, encoded") << QByteArray("GET /%2e%2e/%2e%2e/etc/passwd HTTP/1.1\r\nHost: x\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found");
        QTest::newRow("an absolute path") << QByteArray("GET //etc/passwd HTTP/1.1\r\nHost: x\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found");
        QTest::newRow("the bank") << QByteArray("GET /db1.sqlite HTTP/1.1\r\nHost: x\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found");
        QTest::newRow("a picture not drawn") << QByteArray("GET /question/1.png HTTP/1.1\r\nHost: x\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found");
        QTest::newRow("a picture from the folder") << QByteArray("GET /img/1.jpg HTTP/1.1\r\nHost: x\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found");
        QTest::newRow("a body") << QByteArray("POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello") << QByteArray();
        QTest::newRow("a head without end") << QByteArray("GET / HTTP/1.1\r\nX: " + QByteArray(20000, 'x')) << QByteArray();
        QTest::newRow("a length of zero that is none") << QByteArray("POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 0400\r\n\r\n") << QByteArray();
        QTest::newRow("a body after a head that asked to upgrade")
            << QByteArray("GET / HTTP/1.1\r\nHost: x\r\nUpgrade: x\r\n\r\n\0POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello", 92) << QByteArray("HTTP/1.1 200 OK|");
        QTest::newRow("a body on a connection kept") << QByteArray("GET /page.css HTTP/1.1\r\nHost: x\r\n\r\n\0POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello", 88)
                                                     << QByteArray("HTTP/1.1 200 OK|");
    }
    void theServerServesOnlyItsOwn()
    {
        auto [request, status] = fetchRow<QByteArray, QByteArray>("request", "status");
        TestFolder folder;
        folder.prepareContest(3);
        ClassPlay play(folder.path(), {});
        ClassServer server(play);
        const quint16 port = server.start(QHostAddress::LocalHost, 0);
        QCOMPARE(statusOf(port, request), status);
    }

    void theClassListOnlyForTheRoomsCode()
    {
        TestFolder folder;
        folder.prepareContest(3);
        ClassPlay play(folder.path(), {}, {QStringLiteral("Huda"), QStringLiteral("Omar")});
        ClassServer server(play);
        Device device(server.start(QHostAddress::LocalHost, 0));
        QVERIFY(device.waitFor(QStringLiteral("welcome")));
        QCOMPARE(device.told.back(), (QJsonObject{{"t", "welcome"}, {"list", true}}));
        device.send({{"t", "names"}, {"room", play.code() + u'9'}});
        QVERIFY(device.waitFor(QStringLiteral("refused")));
        device.send({{"t", "names"}, {"room", play.code()}});
        QVERIFY(device.waitFor(QStringLiteral("names")));
        QCOMPARE(device.told.back().value(QStringLiteral("names")).toVariant().toStringList(), (QStringList{QStringLiteral("Huda"), QStringLiteral("Omar")}));
    }

    void devicesAreToldOnlyWhatIsTheirs()
    {
        TestFolder folder;
        folder.prepareContest(3);
        ClassPlay play(folder.path(), {});
        ClassServer server(play);
        const quint16 port = server.start(QHostAddress::LocalHost, 0);
        Device amina(port), sami(port), stranger(port);
        QVERIFY(amina.waitFor(QStringLiteral("welcome")) && sami.waitFor(QStringLiteral("welcome")) && stranger.waitFor(QStringLiteral("welcome")));
        amina.send({{"t", "join"}, {"room", play.code()}, {"name", "Amina"}});
        sami.send({{"t", "join"}, {"room", play.code()}, {"name", "Sami"}});
        QVERIFY(amina.waitFor(QStringLiteral("wait")) && sami.waitFor(QStringLiteral("wait")));
        const QString aminaToken = amina.told[1].value(QStringLiteral("token")).toString();
        // Joining again keeps the device on its seat.
        const qsizetype before = amina.told.size();
        amina.send({{"t", "join"}, {"room", play.code()}, {"name", "Amina again"}});
        QVERIFY(QTest::qWaitFor([&] { return amina.told.size() > before; }, 5000));
        QCOMPARE(amina.told[before].value(QStringLiteral("token")).toString(), aminaToken);
        QCOMPARE(play.seated(), 2);

        play.next();
        QVERIFY(amina.waitFor(QStringLiteral("question")) && sami.waitFor(QStringLiteral("question")));
        QCOMPARE(statusOf(port, "GET /question/1.png HTTP/1.1\r\nHost: x\r\n\r\n"), QByteArray("HTTP/1.1 200 OK"));
        // The stranger takes Amina's token: it acts for Amina, and only her.
        stranger.send({{"t", "resume"}, {"token", aminaToken}});
        QVERIFY(stranger.waitFor(QStringLiteral("question")));
        stranger.send({{"t", "answer"}, {"slot", slotOf(play, 0, 2)}, {"q", 1}});
        QVERIFY(QTest::qWaitFor([&] { return play.answeredCount() == 1; }, 5000));
        QCOMPARE(play.seats()[0].field, 2);
        QCOMPARE(play.seats()[1].field, 0);
        // A message over the bound cuts the device off.
        QSignalSpy gone(&sami.socket, &QWebSocket::disconnected);
        sami.send({{"t", "answer"}, {"pad", QString(ClassServer::kMaxMessageBytes, u'x')}});
        QVERIFY(gone.wait(5000));
        QCOMPARE(play.answeredCount(), 1);
        play.close();
        QVERIFY(amina.waitFor(QStringLiteral("verdict")));
        QCOMPARE(amina.told.back().value(QStringLiteral("text")).toString(), Contest::verdict(false));
        // Nothing before the close said which answer is correct.
        for (const Device *device : {&amina, &sami}) {
            for (const QJsonObject &message : device->told) {
                if (message.value(QStringLiteral("t")).toString() != QLatin1String("verdict"))
                    QVERIFY2(!message.contains(QStringLiteral("correct")) && !message.contains(QStringLiteral("answer")), qPrintable(QJsonDocument(message).toJson()));
            }
        }
    }
};

MC_TEST_MAIN(TestClassPlay)
#include "tst_classplay.moc"
