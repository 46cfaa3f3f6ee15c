#include "service/extendednetworkaccessmanager.h"

#include "service/taviroserviceengine.h"

#include <QNetworkRequest>

const QByteArray ExtendedNetworkAccessManager::UserAgent = QByteArrayLiteral(
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.1 (KHTML, like Gecko) Chrome/21.0.1180.49 Safari/537.1");

ExtendedNetworkAccessManager::ExtendedNetworkAccessManager(QObject *parent)
    : QNetworkAccessManager(parent)
    , m_sslConfiguration(TAVIROServiceEngine::defaultSslConfiguration())
{
}

QNetworkReply *ExtendedNetworkAccessManager::createRequest(Operation op, const QNetworkRequest &request,
                                                           QIODevice *outgoingData)
{
    QNetworkRequest copy(request);
    copy.setRawHeader("User-Agent", UserAgent);
    copy.setSslConfiguration(m_sslConfiguration);
    return QNetworkAccessManager::createRequest(op, copy, outgoingData);
}
