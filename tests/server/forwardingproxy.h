#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QTcpServer>

class QNetworkAccessManager;

/**
 * Loopback HTTP proxy that forwards the app's requests to a service on
 * other ports: the app's hosts are fixed at build time, the test service
 * listens on free ports. Plain requests are rewritten to origin form (one
 * request per connection); CONNECT tunnels carry TLS end to end. The raw
 * bytes of the last plain request are kept so a test can send them again.
 * A test may script faults for plain requests to a path: a canned answer,
 * a connection dropped without one, or a request held unanswered.
 */
class ForwardingProxy : public QTcpServer
{
    Q_OBJECT
public:
    // `ports` maps a port the app uses to the port that answers it.
    explicit ForwardingProxy(const QHash<int, int> &ports, QObject *parent = nullptr);

    struct Fault
    {
        enum Kind { Answer, Drop, Hold };
        QByteArray path; // the request path ends with this
        Kind kind = Answer;
        int status = 500;
        QByteArray body;
        int after = 0; // matching requests let through before this one
    };

    bool start(QNetworkAccessManager *manager);
    QByteArray lastPlainRequest() const { return m_lastPlainRequest; }
    // Applied once each, in order, to the next plain requests that match.
    void addFault(const Fault &fault) { m_faults.append(fault); }
    // The path of every plain request so far.
    QList<QByteArray> plainPaths() const { return m_plainPaths; }

signals:
    // A request met its fault, its whole body read.
    void faultApplied(QByteArray path);

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    friend class ProxyTunnel;
    bool takeFault(const QByteArray &path, Fault *fault);

    QHash<int, int> m_ports;
    QByteArray m_lastPlainRequest;
    QList<Fault> m_faults;
    QList<QByteArray> m_plainPaths;
};
