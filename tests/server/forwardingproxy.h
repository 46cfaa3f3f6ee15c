#pragma once

#include <QByteArray>
#include <QHash>
#include <QTcpServer>

class QNetworkAccessManager;

/**
 * Loopback HTTP proxy that forwards the app's requests to a service on
 * other ports: the app's hosts are fixed at build time, the test service
 * listens on free ports. Plain requests are rewritten to origin form (one
 * request per connection); CONNECT tunnels carry TLS end to end. The raw
 * bytes of the last plain request are kept so a test can send them again.
 */
class ForwardingProxy : public QTcpServer
{
    Q_OBJECT
public:
    // `ports` maps a port the app uses to the port that answers it.
    explicit ForwardingProxy(const QHash<int, int> &ports, QObject *parent = nullptr);

    bool start(QNetworkAccessManager *manager);
    QByteArray lastPlainRequest() const { return m_lastPlainRequest; }

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    friend class ProxyTunnel;
    QHash<int, int> m_ports;
    QByteArray m_lastPlainRequest;
};
