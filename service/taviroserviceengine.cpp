#include "service/taviroserviceengine.h"

#include "app/bitpairs.h"
#include "app/common.h"
#include "app/globalservices.h"
#include "app/qsysteminfomanager.h"
#include "app/usermanager.h"
#include "service/gzinflater.h"
#include "service/oauthencrypt.h"
#include "service/servicelog.h"
#include "taviroconfig.h"

#include <QAuthenticator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslCertificate>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <utility>

namespace {

int s_nextTransactionId = 1;

constexpr int kInflateCapacity = 100000;
const QByteArray kFormContentType = QByteArrayLiteral("application/x-www-form-urlencoded");

// Bit pairs exchanged, in this order, to scramble cell values.
constexpr std::pair<int, int> kCellSwaps[] = {{0, 12}, {3, 6}, {4, 8}, {2, 3}, {7, 10}, {1, 19}, {11, 20}, {13, 24}};

QString encodedNetworkCode(const QString &code)
{
    return OAuthEncrypt::percentEncode(QString::fromLatin1(code.toLatin1().toBase64()));
}

// Errors below 200 happen before or instead of a complete HTTP answer
// (refused, reset, timed out, TLS, proxy): they count as no status at all.
bool isTransportError(QNetworkReply::NetworkError error)
{
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

QString errorMessage(const QByteArray &body, int status, const QNetworkReply *reply)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    const bool parsed = parseError.error == QJsonParseError::NoError;
    qCDebug(lcService).noquote() << QStringLiteral("***** Parse OK = %1, statusCode = %2")
                                        .arg(parsed ? QStringLiteral("true") : QStringLiteral("false"))
                                        .arg(status);
    if (status == 0)
        return reply->errorString();
    if (parsed)
        return document.object().value(QStringLiteral("reason")).toVariant().toString();
    return QString::fromUtf8(body.constData());
}

} // namespace

TAVIROServiceEngine::TAVIROServiceEngine(QObject *parent)
    : QObject(parent)
    , m_networkAccessManager(new QNetworkAccessManager(this))
    , m_consumerKey(Common().getConsumerKey())
    , m_consumerSecret(Common().getConsumerSecret())
    , m_sslConfiguration(defaultSslConfiguration())
{
    qRegisterMetaType<TAVIROServiceDownloadingQueueItem>();
    connect(m_networkAccessManager, &QNetworkAccessManager::finished, this, &TAVIROServiceEngine::replyFinished);
    connect(m_networkAccessManager, &QNetworkAccessManager::authenticationRequired, this,
            &TAVIROServiceEngine::slotAuthenticationRequired);
    connect(m_networkAccessManager, &QNetworkAccessManager::sslErrors, this, &TAVIROServiceEngine::requestSslErrors);
}

TAVIROServiceEngine::~TAVIROServiceEngine()
{
    m_networkAccessManager->disconnect(this);
    qDeleteAll(m_pending);
}

int TAVIROServiceEngine::postApiRequest(int urlKind, const QString &path, const QString &parameters, bool acceptGzip,
                                        int requestType, QObject *handler)
{
    const QString nonce = generateNonce();
    const uint timestamp = OAuthEncrypt::generateTimestamp();
    QString url = path;
    if (urlKind == PlainUrl)
        url = QString::fromUtf8(TaviroConfig::kApiBasePlain) + path;
    else if (urlKind == SecureUrl)
        url = QString::fromUtf8(TaviroConfig::kApiBaseSecure) + path;
    const QString body = deviceParameters() + parameters;

    const auto user = UserManager::getInstance();
    const QString token = user->getToken();
    const QString signature = OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, m_consumerKey,
                                                              m_consumerSecret, nonce, timestamp, token,
                                                              user->getTokenSecret(), body);

    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, kFormContentType);
    if (acceptGzip)
        request.setRawHeader("Accept-Encoding", "gzip");
    request.setRawHeader("Authorization",
                         OAuthEncrypt::serviceAuthorizationHeader(nonce, timestamp, m_consumerKey, token, signature));
    return postRequest(request, body.toUtf8(), acceptGzip, requestType, handler);
}

int TAVIROServiceEngine::postXAuthRequest(const QString &url, const QString &parameters, int requestType,
                                          QObject *handler)
{
    const QString nonce = generateNonce();
    const uint timestamp = OAuthEncrypt::generateTimestamp();
    QString body = deviceParameters() + parameters;
    const QString signature = OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, m_consumerKey,
                                                              m_consumerSecret, nonce, timestamp, QString(),
                                                              QString(), body);
    body += OAuthEncrypt::bodySignatureBlock(signature, nonce, timestamp, m_consumerKey);

    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, kFormContentType);
    return postRequest(request, body.toUtf8(), false, requestType, handler);
}

int TAVIROServiceEngine::postNetworkOAuthRequest(const QString &url, const QString &body, const QString &consumerKey,
                                                 const QString &consumerSecret, const QString &token,
                                                 const QString &tokenSecret,
                                                 const QMap<QString, QString> &extraParameters, int requestType,
                                                 QObject *handler)
{
    const QString nonce = generateNonce();
    const uint timestamp = OAuthEncrypt::generateTimestamp();
    const QString signature = OAuthEncrypt::generateSignature(QStringLiteral("POST"), url, consumerKey,
                                                              consumerSecret, nonce, timestamp, token, tokenSecret,
                                                              extraParameters, body);

    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, kFormContentType);
    request.setRawHeader("Authorization", OAuthEncrypt::networkAuthorizationHeader(
                                              nonce, timestamp, consumerKey, signature, token, extraParameters));
    return postRequest(request, body.toUtf8(), false, requestType, handler);
}

int TAVIROServiceEngine::getUrl(const QString &url, QObject *handler)
{
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, kFormContentType);
    request.setSslConfiguration(m_sslConfiguration);
    QNetworkReply *reply = m_networkAccessManager->get(request);
    return track(reply, false, LargePictureRequestType, handler, url);
}

int TAVIROServiceEngine::postRequest(QNetworkRequest request, const QByteArray &body, bool gzipEncoded,
                                     int requestType, QObject *handler)
{
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    request.setSslConfiguration(m_sslConfiguration);
    QNetworkReply *reply = m_networkAccessManager->post(request, body);
    return track(reply, gzipEncoded, requestType, handler);
}

int TAVIROServiceEngine::failLocally(int requestType, QObject *handler, const QString &message)
{
    TAVIROServiceDownloadingQueueItem item;
    item.requestType = requestType;
    item.handler = handler;
    item.transactionId = s_nextTransactionId++;
    m_localFailures.append(item.transactionId);
    QTimer::singleShot(0, this, [this, item, message] {
        if (m_localFailures.removeOne(item.transactionId))
            emit dataErrored(item, 0, message);
    });
    return item.transactionId;
}

int TAVIROServiceEngine::track(QNetworkReply *reply, bool gzipEncoded, int requestType, QObject *handler,
                               const QVariant &userData)
{
    auto *item = new TAVIROServiceDownloadingQueueItem;
    item->requestType = requestType;
    item->handler = handler;
    item->reply = reply;
    item->gzipEncoded = gzipEncoded;
    item->transactionId = s_nextTransactionId++;
    item->userData = userData;
    connect(reply, &QNetworkReply::downloadProgress, this, &TAVIROServiceEngine::downloadProgress);
    const int transactionId = item->transactionId;
    connect(reply, &QNetworkReply::uploadProgress, this, [this, transactionId](qint64 bytesSent, qint64 bytesTotal) {
        if (bytesTotal > 0)
            emit uploadProgress(transactionId, bytesSent, bytesTotal);
    });
    m_pending.append(item);
    return item->transactionId;
}

TAVIROServiceDownloadingQueueItem *TAVIROServiceEngine::findItem(const QNetworkReply *reply) const
{
    for (auto *item : m_pending) {
        if (item->reply == reply)
            return item;
    }
    return nullptr;
}

void TAVIROServiceEngine::cancelTransactionByTransactionID(int transactionId)
{
    if (m_localFailures.removeOne(transactionId))
        return;
    for (int i = 0; i < m_pending.size(); ++i) {
        TAVIROServiceDownloadingQueueItem *item = m_pending.at(i);
        if (item->transactionId != transactionId)
            continue;
        m_pending.removeAt(i);
        QNetworkReply *reply = item->reply;
        delete item;
        // The caller may be inside one of this reply's own signals, so the
        // object itself goes later; the transfer stops now.
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
        return;
    }
}

void TAVIROServiceEngine::setSslConfiguration(const QSslConfiguration &configuration)
{
    m_sslConfiguration = configuration;
    m_networkAccessManager->clearConnectionCache();
}

void TAVIROServiceEngine::replyFinished(QNetworkReply *reply)
{
    TAVIROServiceDownloadingQueueItem *found = findItem(reply);
    if (found) {
        int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (isTransportError(reply->error()))
            status = 0;
        QByteArray body = reply->isOpen() ? reply->readAll() : QByteArray();
        // Progress comes at most every 100 ms, so the abort in downloadProgress
        // misses a body that ends soon after passing the limit.
        const bool tooLarge = body.size() > MaxReplyBytes;
        if (tooLarge) {
            status = 0;
            body.clear();
        }
        // Out of the list before anyone hears of it: a cancel from a slot is
        // then a no-op for an answered transaction.
        m_pending.removeOne(found);
        const std::unique_ptr<TAVIROServiceDownloadingQueueItem> item(found);
        if (item->gzipEncoded && !body.isEmpty())
            body = GZInflater::inflate(body, kInflateCapacity);

        const QPointer<TAVIROServiceEngine> self(this);
        if (status == 200) {
            emit dataReceived(*item, body);
        } else {
            const QString message = errorMessage(body, status, reply);
            emit dataErrored(*item, status,
                             tooLarge ? QStringLiteral("The reply is larger than %1 bytes").arg(MaxReplyBytes)
                                      : message);
        }
        if (!self)
            return;
    }
    qCDebug(lcService) << "Finished";
    reply->deleteLater();
}

void TAVIROServiceEngine::slotAuthenticationRequired(QNetworkReply *reply, QAuthenticator *authenticator)
{
    Q_UNUSED(authenticator)
    qCDebug(lcService) << "authentication requested by" << reply->url().host() << "- none given";
}

void TAVIROServiceEngine::requestSslErrors(QNetworkReply *reply, QList<QSslError> errors)
{
    // Never ignored: the reply fails and is reported with status 0.
    for (const QSslError &error : qAsConst(errors))
        qCDebug(lcService) << "TLS error from" << reply->url().host() << ":" << error.errorString();
}

void TAVIROServiceEngine::downloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    const TAVIROServiceDownloadingQueueItem *item = findItem(reply);
    if (!item)
        return;
    if (bytesReceived > MaxReplyBytes) {
        qCDebug(lcService) << "reply larger than" << MaxReplyBytes << "bytes, aborted";
        reply->abort();
        return;
    }
    GlobalServices *hub = GlobalServices::getInstance();
    if (item->requestType == LargePictureRequestType && hub)
        hub->emitLargePictureDownloadProgressUpdated(item->userData.toString(), bytesReceived, bytesTotal);
}

QString TAVIROServiceEngine::generateNonce()
{
    return OAuthEncrypt::generateNonce();
}

QString TAVIROServiceEngine::deviceParameters()
{
    const QSystemInfoManager *device = QSystemInfoManager::getInstance();
    return QLatin1String("v=1.0&appv=") + QString::fromLatin1(TaviroConfig::kAppVersion) + QLatin1String("&pf=")
        + QString::fromLatin1(TaviroConfig::kPlatformWord) + QLatin1String("&cellid=")
        + scrambledCellValue(device->getCellId()) + QLatin1String("&lac=")
        + scrambledCellValue(device->getLocationAreaCode()) + QLatin1String("&mnc=_")
        + encodedNetworkCode(device->getCurrentMobileNetworkCode()) + QLatin1String("&mcc=_")
        + encodedNetworkCode(device->getCurrentMobileCountryCode()) + QLatin1String("&model=")
        + OAuthEncrypt::percentEncode(device->getModel()) + QLatin1String("&manufacturer=")
        + OAuthEncrypt::percentEncode(device->getManufacturer());
}

QString TAVIROServiceEngine::scrambledCellValue(int value)
{
    return QLatin1Char('E') + QString::number(qint32(swapBitPairs(quint32(value), kCellSwaps)));
}

QSslConfiguration TAVIROServiceEngine::defaultSslConfiguration()
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    QList<QSslCertificate> certificates = QSslConfiguration::systemCaCertificates();
    certificates += QSslCertificate::fromPath(QString::fromUtf8(TaviroConfig::kExtraCaCert), QSsl::Pem);
    configuration.setCaCertificates(certificates);
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    return configuration;
}
