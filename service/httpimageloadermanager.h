#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslError>
#include <QString>

class QAuthenticator;
class QNetworkAccessManager;
class QNetworkReply;

/**
 * Downloads pictures for the image cache, either directly or through the
 * service's large-picture GET, and reports each finished picture with
 * imageLoaded. Loads are kept as records keyed by url until the picture
 * arrives or cancelImage drops them; a failed load keeps its record.
 */
class HTTPImageLoaderManager : public QObject
{
    Q_OBJECT
public:
    explicit HTTPImageLoaderManager(QObject *parent = nullptr);
    ~HTTPImageLoaderManager() override;

    void loadImage(QString url, bool needOAuth);
    void cancelImage(QString url, bool needOAuth);

    // The object whose invokables getLargePicture(QString) -> int and
    // cancelTransactionByTransactionID(int) fetch through the service: the
    // service controller.
    void setLargePictureService(QObject *service);

signals:
    void imageLoaded(QString url, QByteArray data);
    void oauthUnauthorized();

public slots:
    void replyFinished(QNetworkReply *reply);
    void slotAuthenticationRequired(QNetworkReply *reply, QAuthenticator *authenticator);
    void requestSslErrors(QNetworkReply *reply, QList<QSslError> errors);
    void connectSignal();
    void largePictureLoadingCompleted(QString url, QByteArray data);

private:
    struct Load
    {
        QNetworkReply *reply = nullptr;
        QString url;
        int transactionId = 0;
    };

    static void stop(QNetworkReply *reply);

    QNetworkAccessManager *m_networkAccessManager = nullptr;
    QList<Load *> m_loads;
    QPointer<QObject> m_service;
    QSslConfiguration m_sslConfiguration;
};
