#pragma once

#include "service/taviroservicedownloadingqueueitem.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSslConfiguration>
#include <QSslError>
#include <QString>

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

/**
 * Talks HTTP to the photo service and to the external networks' OAuth
 * endpoints: builds and signs each call, keeps it as a pending request with
 * a process-wide transaction number, and turns its reply into dataReceived
 * (HTTP 200) or dataErrored (anything else, status 0 for a network or TLS
 * failure). Certificates are always verified.
 */
class TAVIROServiceEngine : public QObject
{
    Q_OBJECT
public:
    enum UrlKind { PlainUrl = 0, SecureUrl = 1, CompleteUrl = 2 };

    // Request type of a large-picture download.
    static constexpr int LargePictureRequestType = 13;

    explicit TAVIROServiceEngine(QObject *parent = nullptr);
    ~TAVIROServiceEngine() override;

    // Signed API call (Authorization header); the body is the device
    // parameters followed by parameters, each of which starts with "&".
    int postApiRequest(int urlKind, const QString &path, const QString &parameters, bool acceptGzip, int requestType,
                       QObject *handler);
    // Sign-in style call: the body carries its own signature, no user token.
    int postXAuthRequest(const QString &url, const QString &parameters, int requestType, QObject *handler);
    // Call towards an external network, signed with its own consumer pair.
    int postNetworkOAuthRequest(const QString &url, const QString &body, const QString &consumerKey,
                                const QString &consumerSecret, const QString &token, const QString &tokenSecret,
                                const QMap<QString, QString> &extraParameters, int requestType, QObject *handler);
    // Unsigned GET of a large picture (request type 13); progress goes to the hub.
    int getUrl(const QString &url, QObject *handler);
    // Posts a request built by the caller (the photo upload) and tracks it
    // like any other; the engine adds its TLS configuration.
    int postRequest(QNetworkRequest request, const QByteArray &body, bool gzipEncoded, int requestType,
                    QObject *handler);
    // A call that failed before reaching the network: dataErrored follows
    // from the event loop with status 0 and `message`, like a network
    // failure, unless the call is cancelled first.
    int failLocally(int requestType, QObject *handler, const QString &message);
    // Abandons a pending call without a result; unknown numbers are ignored.
    void cancelTransactionByTransactionID(int transactionId);

    QString consumerKey() const { return m_consumerKey; }
    QString consumerSecret() const { return m_consumerSecret; }

    // Certificates trusted for every request; a change drops cached connections.
    QSslConfiguration sslConfiguration() const { return m_sslConfiguration; }
    void setSslConfiguration(const QSslConfiguration &configuration);

    static QString generateNonce();
    // "v=1.0&appv=...&manufacturer=...", read afresh from the device.
    static QString deviceParameters();
    // The scrambled cell id or area code as sent: "E" and a signed decimal.
    static QString scrambledCellValue(int value);
    // System certificates plus the build's extra CA file, when present.
    static QSslConfiguration defaultSslConfiguration();
    // Replies larger than this are aborted and reported as network failures.
    static constexpr qint64 MaxReplyBytes = 64 * 1024 * 1024;

signals:
    void dataReceived(TAVIROServiceDownloadingQueueItem queueData, QByteArray data);
    void dataErrored(TAVIROServiceDownloadingQueueItem queueData, int statusCode, QString message);
    // Bytes of a request body sent so far (the photo upload shows a bar).
    void uploadProgress(int transactionId, qint64 bytesSent, qint64 bytesTotal);

public slots:
    void replyFinished(QNetworkReply *reply);
    void slotAuthenticationRequired(QNetworkReply *reply, QAuthenticator *authenticator);
    void requestSslErrors(QNetworkReply *reply, QList<QSslError> errors);
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);

private:
    int track(QNetworkReply *reply, bool gzipEncoded, int requestType, QObject *handler,
              const QVariant &userData = QVariant());
    TAVIROServiceDownloadingQueueItem *findItem(const QNetworkReply *reply) const;

    QNetworkAccessManager *m_networkAccessManager = nullptr;
    QList<TAVIROServiceDownloadingQueueItem *> m_pending;
    QList<int> m_localFailures;
    QString m_consumerKey;
    QString m_consumerSecret;
    QSslConfiguration m_sslConfiguration;
};
