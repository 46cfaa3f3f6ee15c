#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSslCertificate>
#include <QSslKey>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

/**
 * HTTP/1.1 server on loopback for tests: records every request and answers
 * each with the next scripted reply. A request with no reply left fails
 * the running test, is recorded as unexpected and answered 500. With a certificate and key set
 * it speaks TLS.
 */
class CaptureServer : public QTcpServer
{
    Q_OBJECT
public:
    struct Reply
    {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
        // Never answered: the connection stays open with no reply.
        bool hold = false;
        // Announce the whole body but send only this many bytes, then close.
        int truncateAt = -1;
    };

    struct Request
    {
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };

    explicit CaptureServer(QObject *parent = nullptr);

    // A throwaway self-signed certificate for 127.0.0.1, made with the
    // openssl command in folder; false when openssl is missing or fails.
    static bool makeCertificate(const QString &folder, QSslCertificate *certificate, QSslKey *key);

    bool listenOnLoopback();
    QString url(const QString &path) const;
    void setTls(const QSslCertificate &certificate, const QSslKey &key);

    void expect(const Reply &reply) { m_replies.append(reply); }
    void expect(int status, const QByteArray &body = QByteArray(),
                const QList<QPair<QByteArray, QByteArray>> &headers = {});

    const QList<Request> &requests() const { return m_requests; }
    const QStringList &unexpected() const { return m_unexpected; }
    int pendingReplies() const { return m_replies.size(); }

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    void readFrom(QTcpSocket *socket);

    QList<Reply> m_replies;
    QList<Request> m_requests;
    QStringList m_unexpected;
    QMap<QTcpSocket *, QByteArray> m_buffers;
    QSslCertificate m_certificate;
    QSslKey m_key;
};
