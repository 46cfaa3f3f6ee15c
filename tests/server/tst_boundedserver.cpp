#include "server/boundedserver.h"

#include "taviroconfig.h"

#include <QFileInfo>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>
#include <thread>

/**
 * The service's HTTP servers: each request bounded as a whole, idle
 * connections closed, stalled TLS handshakes cut, every connection ended at
 * once on the way out, uploads read raw.
 */
class TestBoundedServer : public QObject
{
    Q_OBJECT

    template <class Server>
    struct Running
    {
        explicit Running(std::unique_ptr<Server> made)
            : server(std::move(made))
        {
        }

        std::unique_ptr<Server> server;
        std::thread thread;
        int port = 0;

        ~Running()
        {
            server->endConnections();
            while (thread.joinable() && !server->is_running())
                std::this_thread::yield();
            server->stop();
            if (thread.joinable())
                thread.join();
        }
    };

    static ConnectionBounds shortBounds()
    {
        ConnectionBounds bounds;
        bounds.request = std::chrono::milliseconds(800);
        bounds.idle = std::chrono::milliseconds(300);
        return bounds;
    }

    template <class Server>
    static void start(Running<Server> &running)
    {
        Server &server = *running.server;
        server.Get("/hello", [](const httplib::Request &, httplib::Response &res) { res.set_content("hi", "text/plain"); });
        server.Post("/raw", [](const httplib::Request &req, httplib::Response &res, const httplib::ContentReader &reader) {
            std::string body;
            reader([&body](const char *data, size_t length) {
                body.append(data, length);
                return true;
            });
            res.set_content(requestContentType(req) + "|" + req.get_header_value("Content-Type") + "|" + body,
                            "text/plain");
        });
        running.port = server.bind_to_any_port("127.0.0.1");
        QVERIFY(running.port > 0);
        running.thread = std::thread([&server] { server.listen_after_bind(); });
    }

    // A client that sends the start of a request and then one header line
    // every 100 ms, for as long as the server keeps the connection.
    static void trickle(QTcpSocket &socket, QTimer &timer)
    {
        socket.write("GET /hello HTTP/1.1\r\nHost: 127.0.0.1\r\n");
        connect(&timer, &QTimer::timeout, &socket, [&socket] { socket.write("X-Slow: 1\r\n"); });
        timer.start(100);
    }

private Q_SLOTS:
    void tricklingRequestIsCut()
    {
        Running<BoundedServer<httplib::Server>> running(std::make_unique<BoundedServer<httplib::Server>>(shortBounds()));
        start(running);
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(running.port));
        QVERIFY(socket.waitForConnected(5000));
        QTimer timer;
        trickle(socket, timer);
        // Each line comes well within any per-read limit; the whole request does not.
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QAbstractSocket::UnconnectedState, 10000);
        QVERIFY(!socket.readAll().contains("200 OK"));
    }

    void keptAliveConnectionIsClosedWhenIdle()
    {
        Running<BoundedServer<httplib::Server>> running(std::make_unique<BoundedServer<httplib::Server>>(shortBounds()));
        start(running);
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(running.port));
        QVERIFY(socket.waitForConnected(5000));
        socket.write("GET /hello HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
        QByteArray answer;
        QTRY_VERIFY((answer += socket.readAll()).endsWith("hi"));
        QVERIFY(answer.startsWith("HTTP/1.1 200 OK"));
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QAbstractSocket::UnconnectedState, 10000);
    }

    void stalledTlsHandshakeIsCut()
    {
        const QString certs = QFileInfo(QString::fromLatin1(TaviroConfig::kExtraCaCert)).absolutePath();
        Running<BoundedServer<httplib::SSLServer>> running(std::make_unique<BoundedServer<httplib::SSLServer>>(
            shortBounds(), QFile::encodeName(certs + QStringLiteral("/taviro-service.pem")).constData(),
            QFile::encodeName(certs + QStringLiteral("/taviro-service.key")).constData()));
        QVERIFY(running.server->is_valid());
        start(running);
        // Connected, and then silent: no ClientHello ever comes.
        QTcpSocket silent;
        silent.connectToHost(QStringLiteral("127.0.0.1"), quint16(running.port));
        QVERIFY(silent.waitForConnected(5000));
        QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QAbstractSocket::UnconnectedState, 10000);

        // A real client is served.
        QSslSocket tls;
        tls.setPeerVerifyMode(QSslSocket::VerifyNone);
        tls.connectToHostEncrypted(QStringLiteral("127.0.0.1"), quint16(running.port));
        QVERIFY(tls.waitForEncrypted(10000));
        tls.write("GET /hello HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
        QByteArray answer;
        QTRY_VERIFY((answer += tls.readAll()).endsWith("hi"));
    }

    void endConnectionsEndsThemAtOnce()
    {
        ConnectionBounds bounds;
        bounds.request = std::chrono::minutes(10);
        Running<BoundedServer<httplib::Server>> running(std::make_unique<BoundedServer<httplib::Server>>(bounds));
        start(running);
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(running.port));
        QVERIFY(socket.waitForConnected(5000));
        QTimer timer;
        trickle(socket, timer);
        running.server->endConnections();
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QAbstractSocket::UnconnectedState, 5000);
    }

    // Multipart bodies reach the handler raw, with the type they were sent with.
    void multipartBodyArrivesRaw()
    {
        Running<BoundedServer<httplib::Server>> running(std::make_unique<BoundedServer<httplib::Server>>(shortBounds()));
        start(running);
        const std::string type = "multipart/form-data; boundary=AaB03x";
        const std::string body = "--AaB03x\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\nv\r\n--AaB03x--";
        httplib::Client client("127.0.0.1", running.port);
        const auto reply = client.Post("/raw", body, type.c_str());
        QVERIFY(reply);
        QCOMPARE(reply->status, 200);
        QCOMPARE(QByteArray::fromStdString(reply->body),
                 QByteArray::fromStdString(type + "|application/octet-stream|" + body));
        const auto form = client.Post("/raw", "a=1", "application/x-www-form-urlencoded");
        QVERIFY(form);
        QCOMPARE(QByteArray::fromStdString(form->body),
                 QByteArray("application/x-www-form-urlencoded|application/x-www-form-urlencoded|a=1"));
    }
};

QTEST_GUILESS_MAIN(TestBoundedServer)
#include "tst_boundedserver.moc"
