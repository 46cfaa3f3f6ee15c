#include "captureserver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslSocket>
#include <QStandardPaths>
#include <QtTest>

CaptureServer::CaptureServer(QObject *parent)
    : QTcpServer(parent)
{
}

bool CaptureServer::makeCertificate(const QString &folder, QSslCertificate *certificate, QSslKey *key)
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty())
        return false;
    const QString keyPath = QDir(folder).filePath(QStringLiteral("key.pem"));
    const QString certificatePath = QDir(folder).filePath(QStringLiteral("cert.pem"));
    const int rc = QProcess::execute(
        openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                  QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                  QStringLiteral("-keyout"), keyPath, QStringLiteral("-out"), certificatePath, QStringLiteral("-days"),
                  QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                  QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
    if (rc != 0)
        return false;
    *certificate = QSslCertificate::fromPath(certificatePath).value(0);
    QFile keyFile(keyPath);
    if (!keyFile.open(QIODevice::ReadOnly))
        return false;
    *key = QSslKey(&keyFile, QSsl::Ec);
    return !certificate->isNull() && !key->isNull();
}

bool CaptureServer::listenOnLoopback()
{
    return listen(QHostAddress::LocalHost, 0);
}

QString CaptureServer::url(const QString &path) const
{
    const QString scheme = m_certificate.isNull() ? QStringLiteral("http") : QStringLiteral("https");
    return QStringLiteral("%1://127.0.0.1:%2%3").arg(scheme).arg(serverPort()).arg(path);
}

void CaptureServer::setTls(const QSslCertificate &certificate, const QSslKey &key)
{
    m_certificate = certificate;
    m_key = key;
}

void CaptureServer::expect(int status, const QByteArray &body, const QList<QPair<QByteArray, QByteArray>> &headers)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    reply.headers = headers;
    expect(reply);
}

void CaptureServer::incomingConnection(qintptr socketDescriptor)
{
    QTcpSocket *socket = nullptr;
    if (m_certificate.isNull()) {
        socket = new QTcpSocket(this);
        socket->setSocketDescriptor(socketDescriptor);
    } else {
        auto *sslSocket = new QSslSocket(this);
        sslSocket->setSocketDescriptor(socketDescriptor);
        sslSocket->setLocalCertificate(m_certificate);
        sslSocket->setPrivateKey(m_key);
        sslSocket->setPeerVerifyMode(QSslSocket::VerifyNone);
        sslSocket->startServerEncryption();
        socket = sslSocket;
    }
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        m_buffers.remove(socket);
        socket->deleteLater();
    });
}

void CaptureServer::readFrom(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    for (;;) {
        const int headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        Request request;
        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        request.method = requestLine.value(0);
        request.path = requestLine.value(1);
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines.at(i).indexOf(':');
            if (colon > 0)
                request.headers.insert(lines.at(i).left(colon).trimmed().toLower(), lines.at(i).mid(colon + 1).trimmed());
        }
        const int length = request.headers.value("content-length", "0").toInt();
        if (buffer.size() < headerEnd + 4 + length)
            return;
        request.body = buffer.mid(headerEnd + 4, length);
        buffer.remove(0, headerEnd + 4 + length);
        m_requests.append(request);

        Reply reply;
        if (m_replies.isEmpty()) {
            const QByteArray what = request.method + ' ' + request.path;
            m_unexpected.append(QString::fromLatin1(what));
            QTest::qFail(("unexpected request: " + what).constData(), __FILE__, __LINE__);
            reply.status = 500;
        } else {
            reply = m_replies.takeFirst();
        }
        if (reply.hold)
            continue;

        QByteArray answer = "HTTP/1.1 " + QByteArray::number(reply.status) + " Status\r\n";
        for (const auto &header : qAsConst(reply.headers))
            answer += header.first + ": " + header.second + "\r\n";
        answer += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n\r\n";
        if (reply.truncateAt >= 0) {
            socket->write(answer + reply.body.left(reply.truncateAt));
            socket->flush();
            socket->disconnectFromHost();
            return;
        }
        socket->write(answer + reply.body);
    }
}
