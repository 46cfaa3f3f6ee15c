#include "tests/server/forwardingproxy.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QUrl>

/** One client connection and its upstream socket. */
class ProxyTunnel : public QObject
{
public:
    ProxyTunnel(ForwardingProxy *proxy, qintptr descriptor)
        : QObject(proxy)
        , m_proxy(proxy)
    {
        m_client.setSocketDescriptor(descriptor);
        connect(&m_client, &QTcpSocket::readyRead, this, &ProxyTunnel::clientData);
        connect(&m_client, &QTcpSocket::disconnected, this, &ProxyTunnel::finish);
        connect(&m_upstream, &QTcpSocket::readyRead, this, [this] { m_client.write(m_upstream.readAll()); });
        connect(&m_upstream, &QTcpSocket::disconnected, this, &ProxyTunnel::finish);
        connect(&m_upstream, &QTcpSocket::connected, this, [this] {
            m_upstream.write(m_pending);
            if (m_plain)
                m_proxy->m_lastPlainRequest = m_pending;
            m_pending.clear();
        });
    }

    // The sockets are members: destroying them signals disconnected(), which
    // must not reach a tunnel that is half destroyed.
    ~ProxyTunnel() override
    {
        m_client.disconnect(this);
        m_upstream.disconnect(this);
    }

private:
    void clientData()
    {
        const QByteArray data = m_client.readAll();
        if (m_faulted) {
            m_faultBody += data;
            applyFaultWhenComplete();
            return;
        }
        if (m_started) {
            if (m_upstream.state() != QAbstractSocket::ConnectedState) {
                m_pending += data;
                return;
            }
            m_upstream.write(data);
            if (m_plain)
                m_proxy->m_lastPlainRequest += data;
            return;
        }
        m_head += data;
        const int end = m_head.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        m_started = true;
        const QByteArray rest = m_head.mid(end + 4);
        QList<QByteArray> lines = m_head.left(end).split('\n');
        const QList<QByteArray> requestLine = lines.takeFirst().trimmed().split(' ');
        if (requestLine.size() != 3)
            return finish();
        if (requestLine[0] == "CONNECT") {
            const QList<QByteArray> hostPort = requestLine[1].split(':');
            const int port = hostPort.value(1).toInt();
            m_client.write("HTTP/1.1 200 Connection established\r\n\r\n");
            m_pending = rest;
            m_upstream.connectToHost(QStringLiteral("127.0.0.1"), quint16(m_proxy->m_ports.value(port, port)));
            return;
        }
        const QUrl url(QString::fromLatin1(requestLine[1]));
        const QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
        m_proxy->m_plainPaths.append(path);
        if (m_proxy->takeFault(path, &m_fault)) {
            m_faulted = true;
            for (const QByteArray &line : lines) {
                if (line.trimmed().toLower().startsWith("content-length:"))
                    m_faultLength = line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
            }
            m_faultBody = rest;
            applyFaultWhenComplete();
            return;
        }
        QByteArray head = requestLine[0] + ' ' + url.path(QUrl::FullyEncoded).toLatin1();
        if (url.hasQuery())
            head += '?' + url.query(QUrl::FullyEncoded).toLatin1();
        head += " HTTP/1.1\r\n";
        for (const QByteArray &line : lines) {
            const QByteArray lower = line.trimmed().toLower();
            if (lower.startsWith("connection:") || lower.startsWith("proxy-connection:") || lower.startsWith("keep-alive:"))
                continue;
            head += line.trimmed() + "\r\n";
        }
        head += "Connection: close\r\n\r\n";
        m_plain = true;
        m_pending = head + rest;
        const int port = url.port(80);
        m_upstream.connectToHost(QStringLiteral("127.0.0.1"), quint16(m_proxy->m_ports.value(port, port)));
    }

    void applyFaultWhenComplete()
    {
        if (m_faultBody.size() < m_faultLength || m_faultDone)
            return;
        m_faultDone = true;
        if (m_fault.kind == ForwardingProxy::Fault::Answer) {
            m_client.write("HTTP/1.1 " + QByteArray::number(m_fault.status) + " Scripted\r\n"
                           "Content-Type: application/json\r\nContent-Length: "
                           + QByteArray::number(m_fault.body.size()) + "\r\nConnection: close\r\n\r\n" + m_fault.body);
            m_client.disconnectFromHost();
        } else if (m_fault.kind == ForwardingProxy::Fault::Drop) {
            m_client.abort();
        }
        emit m_proxy->faultApplied(m_fault.path);
    }

    // Closes both sides; the tunnel goes once the client side has flushed.
    void finish()
    {
        if (m_upstream.bytesAvailable() > 0)
            m_client.write(m_upstream.readAll());
        m_upstream.disconnectFromHost();
        m_client.disconnectFromHost();
        if (m_client.state() == QAbstractSocket::UnconnectedState)
            deleteLater();
    }

    ForwardingProxy *m_proxy;
    QTcpSocket m_client;
    QTcpSocket m_upstream;
    QByteArray m_head;
    QByteArray m_pending;
    bool m_started = false;
    bool m_plain = false;
    ForwardingProxy::Fault m_fault;
    bool m_faulted = false;
    bool m_faultDone = false;
    qint64 m_faultLength = 0;
    QByteArray m_faultBody;
};

ForwardingProxy::ForwardingProxy(const QHash<int, int> &ports, QObject *parent)
    : QTcpServer(parent)
    , m_ports(ports)
{
}

bool ForwardingProxy::start(QNetworkAccessManager *manager)
{
    if (!listen(QHostAddress::LocalHost))
        return false;
    manager->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), serverPort()));
    manager->clearConnectionCache();
    return true;
}

bool ForwardingProxy::takeFault(const QByteArray &path, Fault *fault)
{
    for (int i = 0; i < m_faults.size(); ++i) {
        if (!path.endsWith(m_faults.at(i).path))
            continue;
        if (m_faults.at(i).after > 0) {
            --m_faults[i].after;
            return false;
        }
        *fault = m_faults.takeAt(i);
        return true;
    }
    return false;
}

void ForwardingProxy::incomingConnection(qintptr socketDescriptor)
{
    new ProxyTunnel(this, socketDescriptor);
}
