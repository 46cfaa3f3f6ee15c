#include "proxycaptureserver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QSslSocket>

#include <utility>

namespace {

QByteArray readFixture(const char *name)
{
    QFile file(QStringLiteral(TAVIRO_TEST_DATA "/service/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QByteArray ProxyCaptureServer::Request::header(const QByteArray &name) const
{
    for (const auto &entry : headers) {
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return entry.second;
    }
    return QByteArray();
}

bool ProxyCaptureServer::Request::hasHeader(const QByteArray &name) const
{
    for (const auto &entry : headers) {
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

ProxyCaptureServer::ProxyCaptureServer(QObject *parent)
    : QTcpServer(parent)
    , m_key(readFixture("capture-key.pem"), QSsl::Rsa)
{
}

QSslCertificate ProxyCaptureServer::certificate()
{
    return QSslCertificate(readFixture("capture-cert.pem"));
}

bool ProxyCaptureServer::start(QNetworkAccessManager *manager)
{
    if (!listen(QHostAddress::LocalHost))
        return false;
    manager->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), serverPort()));
    manager->clearConnectionCache();
    return true;
}

void ProxyCaptureServer::enqueueResponse(const Response &response)
{
    m_responses.append(response);
}

void ProxyCaptureServer::setHoldAnswers(bool hold)
{
    m_hold = hold;
}

void ProxyCaptureServer::release()
{
    m_hold = false;
    const QList<QSslSocket *> held = std::exchange(m_held, {});
    for (QSslSocket *socket : held)
        answer(socket);
}

bool ProxyCaptureServer::waitForRequests(int count, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (m_requests.size() < count && timer.elapsed() < timeoutMs) {
        QSignalSpy spy(this, &ProxyCaptureServer::requestCaptured);
        spy.wait(50);
    }
    return m_requests.size() >= count;
}

void ProxyCaptureServer::incomingConnection(qintptr socketDescriptor)
{
    auto *socket = new QSslSocket(this);
    socket->setSocketDescriptor(socketDescriptor);
    m_connections.insert(socket, Connection());
    connect(socket, &QSslSocket::readyRead, this, [this, socket] { readFrom(socket); });
    connect(socket, &QSslSocket::disconnected, this, [this, socket] {
        m_connections.remove(socket);
        m_held.removeAll(socket);
        socket->deleteLater();
    });
}

void ProxyCaptureServer::readFrom(QSslSocket *socket)
{
    Connection &state = m_connections[socket];
    state.buffer += socket->readAll();
    for (;;) {
        const int headEnd = state.buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        const QList<QByteArray> lines = state.buffer.left(headEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        Request request;
        request.method = requestLine.value(0);
        qint64 contentLength = 0;
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines[i].indexOf(':');
            const QByteArray name = lines[i].left(colon).trimmed();
            const QByteArray value = lines[i].mid(colon + 1).trimmed();
            request.headers.append({name, value});
            if (name.compare("Content-Length", Qt::CaseInsensitive) == 0)
                contentLength = value.toLongLong();
        }
        if (request.method == "CONNECT") {
            state.tunnel = requestLine.value(1);
            state.buffer.clear();
            socket->write("HTTP/1.1 200 Connection established\r\n\r\n");
            socket->setLocalCertificate(certificate());
            socket->setPrivateKey(m_key);
            socket->startServerEncryption();
            return;
        }
        if (state.buffer.size() < headEnd + 4 + contentLength)
            return;
        request.body = state.buffer.mid(headEnd + 4, contentLength);
        state.buffer.remove(0, headEnd + 4 + contentLength);
        const QByteArray target = requestLine.value(1);
        request.url = state.tunnel.isEmpty() ? QString::fromLatin1(target)
                                             : QStringLiteral("https://") + QString::fromLatin1(state.tunnel + target);
        m_requests.append(request);
        if (m_hold)
            m_held.append(socket);
        else
            answer(socket);
        emit requestCaptured();
    }
}

void ProxyCaptureServer::answer(QSslSocket *socket)
{
    const Response response = m_responses.isEmpty() ? Response() : m_responses.takeFirst();
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(response.status) + " Captured\r\n";
    reply += "Content-Type: " + response.contentType + "\r\n";
    reply += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    reply += "Connection: keep-alive\r\n\r\n";
    reply += response.body;
    socket->write(reply);
}
