#include "service/httpimageloadermanager.h"

#include "app/globalservices.h"
#include "service/servicelog.h"
#include "service/taviroserviceengine.h"

#include <QAuthenticator>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringList>
#include <QUrl>

#include <memory>

HTTPImageLoaderManager::HTTPImageLoaderManager(QObject *parent)
    : QObject(parent)
    , m_networkAccessManager(new QNetworkAccessManager(this))
    , m_sslConfiguration(TAVIROServiceEngine::defaultSslConfiguration())
{
    connect(m_networkAccessManager, &QNetworkAccessManager::finished, this, &HTTPImageLoaderManager::replyFinished);
    connect(m_networkAccessManager, &QNetworkAccessManager::authenticationRequired, this,
            &HTTPImageLoaderManager::slotAuthenticationRequired);
    connect(m_networkAccessManager, &QNetworkAccessManager::sslErrors, this,
            &HTTPImageLoaderManager::requestSslErrors);
}

HTTPImageLoaderManager::~HTTPImageLoaderManager()
{
    m_networkAccessManager->disconnect(this);
    for (Load *load : qAsConst(m_loads)) {
        if (load->reply)
            stop(load->reply);
    }
    qDeleteAll(m_loads);
}

void HTTPImageLoaderManager::setLargePictureService(QObject *service)
{
    m_service = service;
}

void HTTPImageLoaderManager::loadImage(QString url, bool needOAuth)
{
    // Listening before asking: no picture can arrive unheard.
    connectSignal();
    auto *load = new Load;
    load->url = url;
    if (needOAuth) {
        if (!m_service || !QMetaObject::invokeMethod(m_service, "getLargePicture", Q_RETURN_ARG(int, load->transactionId),
                                                     Q_ARG(QString, url)))
            qCDebug(lcService) << "no service to fetch" << url;
    } else {
        QNetworkRequest request{QUrl(url)};
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
        request.setSslConfiguration(m_sslConfiguration);
        QNetworkReply *reply = m_networkAccessManager->get(request);
        // Picture addresses come from service answers: a body without end
        // must not take all memory. A load cut off here fails like any other.
        connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 bytesReceived, qint64) {
            if (bytesReceived > TAVIROServiceEngine::MaxReplyBytes)
                reply->abort();
        });
        load->reply = reply;
    }
    m_loads.append(load);
}

void HTTPImageLoaderManager::cancelImage(QString url, bool needOAuth)
{
    for (int i = m_loads.size() - 1; i >= 0; --i) {
        if (m_loads.at(i)->url != url)
            continue;
        const std::unique_ptr<Load> load(m_loads.takeAt(i));
        if (needOAuth) {
            if (m_service)
                QMetaObject::invokeMethod(m_service, "cancelTransactionByTransactionID",
                                          Q_ARG(int, load->transactionId));
        } else if (load->reply) {
            stop(load->reply);
        }
    }
}

void HTTPImageLoaderManager::connectSignal()
{
    if (GlobalServices *hub = GlobalServices::getInstance())
        connect(hub, &GlobalServices::largePictureLoadingCompleted, this,
                &HTTPImageLoaderManager::largePictureLoadingCompleted, Qt::UniqueConnection);
}

void HTTPImageLoaderManager::largePictureLoadingCompleted(QString url, QByteArray data)
{
    for (int i = m_loads.size() - 1; i >= 0; --i) {
        if (m_loads.at(i)->url != url)
            continue;
        delete m_loads.takeAt(i);
        emit imageLoaded(url, data);
        return;
    }
}

void HTTPImageLoaderManager::replyFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    Load *load = nullptr;
    for (Load *candidate : qAsConst(m_loads)) {
        if (candidate->reply == reply)
            load = candidate;
    }
    if (!load)
        return;

    int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // A transfer cut short after its status line is no picture.
    if (reply->error() != QNetworkReply::NoError && reply->error() < QNetworkReply::ContentAccessDenied)
        status = 0;
    const QByteArray body = status == 200 ? reply->readAll() : QByteArray();
    if (body.size() > TAVIROServiceEngine::MaxReplyBytes)
        status = 0;
    if (status == 200) {
        const QString url = load->url;
        m_loads.removeOne(load);
        delete load;
        emit imageLoaded(url, body);
        return;
    }
    load->reply = nullptr;
    qCDebug(lcService) << "picture not loaded:" << load->url << "status" << status;
    if (status == 401)
        emit oauthUnauthorized();
}

void HTTPImageLoaderManager::slotAuthenticationRequired(QNetworkReply *reply, QAuthenticator *authenticator)
{
    Q_UNUSED(reply)
    Q_UNUSED(authenticator)
}

void HTTPImageLoaderManager::requestSslErrors(QNetworkReply *reply, QList<QSslError> errors)
{
    // Never ignored: the load fails like any other network failure.
    for (const QSslError &error : qAsConst(errors))
        qCDebug(lcService) << "TLS error for" << (reply ? reply->url().toString() : QString()) << error.errorString();
}

void HTTPImageLoaderManager::stop(QNetworkReply *reply)
{
    // May run inside one of the reply's own signals: the object goes later.
    reply->abort();
    reply->deleteLater();
}
