#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTcpServer>

class QNetworkAccessManager;
class QSslSocket;

/**
 * Loopback HTTP proxy that answers every request itself and records it raw.
 * Plain requests arrive with their absolute URL; https requests arrive
 * through a CONNECT tunnel that the server terminates with a test
 * certificate, so their bodies are recorded as well.
 */
class ProxyCaptureServer : public QTcpServer
{
    Q_OBJECT
public:
    struct Request
    {
        QByteArray method;
        QString url;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;

        QByteArray header(const QByteArray &name) const;
        bool hasHeader(const QByteArray &name) const;
    };

    struct Response
    {
        int status = 200;
        QByteArray body = "{\"success\":true}";
        QByteArray contentType = "application/json";
    };

    explicit ProxyCaptureServer(QObject *parent = nullptr);

    // Listens on loopback and routes all of manager's requests here.
    bool start(QNetworkAccessManager *manager);

    // The test certificate the tunnel presents; clients must trust it.
    static QSslCertificate certificate();

    // Answer for the next request; once the queue is empty every request gets 200 {"success":true}.
    void enqueueResponse(const Response &response);
    // Holds back answers until release(), to keep requests in flight.
    void setHoldAnswers(bool hold);
    void release();

    QList<Request> requests() const { return m_requests; }
    // Waits until at least count requests have arrived.
    bool waitForRequests(int count, int timeoutMs = 5000);
    void clear() { m_requests.clear(); }

signals:
    void requestCaptured();

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    struct Connection
    {
        QByteArray buffer;
        QByteArray tunnel;
    };
    void readFrom(QSslSocket *socket);
    void answer(QSslSocket *socket);

    QHash<QSslSocket *, Connection> m_connections;
    QList<Request> m_requests;
    QList<Response> m_responses;
    QList<QSslSocket *> m_held;
    bool m_hold = false;
    QSslKey m_key;
};
