#pragma once

#include <QNetworkAccessManager>
#include <QSslConfiguration>

/**
 * The QML engine's network access manager: every request goes out with the
 * fixed browser User-Agent and the application's trusted certificates.
 */
class ExtendedNetworkAccessManager : public QNetworkAccessManager
{
    Q_OBJECT
public:
    static const QByteArray UserAgent;

    explicit ExtendedNetworkAccessManager(QObject *parent = nullptr);

protected:
    QNetworkReply *createRequest(Operation op, const QNetworkRequest &request, QIODevice *outgoingData) override;

private:
    QSslConfiguration m_sslConfiguration;
};
