#include "service/oauthencrypt.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QRandomGenerator>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

namespace {

constexpr int kBlockSize = 64;

// Query items decoded by the URL parser; only spaces are written back encoded.
void appendQueryItems(const QUrl &url, QStringList &parameters)
{
    const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    for (const auto &item : items) {
        QString value = item.second;
        value.replace(QLatin1Char(' '), QLatin1String("%20"));
        parameters.append(item.first + QLatin1Char('=') + value);
    }
}

QString attribute(const QString &name, const QString &value)
{
    return name + QLatin1String("=\"") + value + QLatin1Char('"');
}

} // namespace

QString OAuthEncrypt::generateSignature(const QString &method, const QString &url, const QString &consumerKey,
                                        const QString &consumerSecret, const QString &nonce, uint timestamp,
                                        const QString &token, const QString &tokenSecret,
                                        const QString &bodyParameters)
{
    return generateSignature(method, url, consumerKey, consumerSecret, nonce, timestamp, token, tokenSecret, {},
                             bodyParameters);
}

QString OAuthEncrypt::generateSignature(const QString &method, const QString &url, const QString &consumerKey,
                                        const QString &consumerSecret, const QString &nonce, uint timestamp,
                                        const QString &token, const QString &tokenSecret,
                                        const QMap<QString, QString> &extraParameters, const QString &bodyParameters)
{
    const QString base = signatureBaseString(method, url, consumerKey, nonce, timestamp, token, extraParameters,
                                             bodyParameters);
    return hmacSha1(base, consumerSecret + QLatin1Char('&') + tokenSecret);
}

QString OAuthEncrypt::signatureBaseString(const QString &method, const QString &url, const QString &consumerKey,
                                          const QString &nonce, uint timestamp, const QString &token,
                                          const QMap<QString, QString> &extraParameters,
                                          const QString &bodyParameters)
{
    QStringList parameters;
    parameters << QLatin1String("oauth_consumer_key=") + consumerKey
               << QLatin1String("oauth_nonce=") + nonce
               << QStringLiteral("oauth_signature_method=HMAC-SHA1")
               << QLatin1String("oauth_timestamp=") + QString::number(timestamp);
    if (!token.isEmpty())
        parameters << QLatin1String("oauth_token=") + token;
    parameters << QStringLiteral("oauth_version=1.0");
    for (auto it = extraParameters.cbegin(); it != extraParameters.cend(); ++it)
        parameters << it.key() + QLatin1Char('=') + percentEncode(it.value());

    appendQueryItems(QUrl(url), parameters);
    appendQueryItems(QUrl(QLatin1String("http://localhost/?") + bodyParameters), parameters);

    // Whole name=value strings are compared, so "a1=x" sorts before "a=x".
    std::sort(parameters.begin(), parameters.end());

    return method + QLatin1Char('&') + percentEncode(url) + QLatin1Char('&')
        + percentEncode(parameters.join(QLatin1Char('&')));
}

QString OAuthEncrypt::hmacSha1(const QString &data, const QString &key)
{
    const QByteArray digest = hmacSha1Digest(data.toUtf8(), key.toUtf8());
    return percentEncode(QString::fromLatin1(digest.toBase64()));
}

QByteArray OAuthEncrypt::hmacSha1Digest(const QByteArray &data, const QByteArray &key)
{
    QByteArray blockKey = key.size() > kBlockSize ? QCryptographicHash::hash(key, QCryptographicHash::Sha1) : key;
    QByteArray innerPad(kBlockSize, char(0x36));
    QByteArray outerPad(kBlockSize, char(0x5c));
    for (int i = 0; i < blockKey.size(); ++i) {
        innerPad[i] = char(innerPad.at(i) ^ blockKey.at(i));
        outerPad[i] = char(outerPad.at(i) ^ blockKey.at(i));
    }
    const QByteArray inner = QCryptographicHash::hash(innerPad + data, QCryptographicHash::Sha1);
    return QCryptographicHash::hash(outerPad + inner, QCryptographicHash::Sha1);
}

QString OAuthEncrypt::percentEncode(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString OAuthEncrypt::generateNonce()
{
    // A generator seeded by the system: two processes starting in the same
    // second must not send the same nonces (the service refuses replays).
    const QString seed = QString::number(generateTimestamp())
        + QString::number(QRandomGenerator::global()->bounded(RAND_MAX));
    return QString::fromLatin1(QCryptographicHash::hash(seed.toUtf8(), QCryptographicHash::Md5).toHex());
}

uint OAuthEncrypt::generateTimestamp()
{
    return uint(QDateTime::currentSecsSinceEpoch());
}

QByteArray OAuthEncrypt::serviceAuthorizationHeader(const QString &nonce, uint timestamp, const QString &consumerKey,
                                                    const QString &token, const QString &signature)
{
    const QStringList attributes{
        attribute(QStringLiteral("oauth_nonce"), nonce),
        attribute(QStringLiteral("oauth_timestamp"), QString::number(timestamp)),
        attribute(QStringLiteral("oauth_consumer_key"), consumerKey),
        attribute(QStringLiteral("oauth_signature_method"), QStringLiteral("HMAC-SHA1")),
        attribute(QStringLiteral("oauth_version"), QStringLiteral("1.0")),
        attribute(QStringLiteral("oauth_token"), token),
        attribute(QStringLiteral("oauth_signature"), signature),
    };
    return (QLatin1String("OAuth ") + attributes.join(QLatin1String(", "))).toUtf8();
}

QByteArray OAuthEncrypt::networkAuthorizationHeader(const QString &nonce, uint timestamp, const QString &consumerKey,
                                                    const QString &signature, const QString &token,
                                                    const QMap<QString, QString> &extraParameters)
{
    QStringList attributes{
        attribute(QStringLiteral("oauth_nonce"), nonce),
        attribute(QStringLiteral("oauth_timestamp"), QString::number(timestamp)),
        attribute(QStringLiteral("oauth_consumer_key"), consumerKey),
        attribute(QStringLiteral("oauth_signature_method"), QStringLiteral("HMAC-SHA1")),
        attribute(QStringLiteral("oauth_version"), QStringLiteral("1.0")),
        attribute(QStringLiteral("oauth_signature"), signature),
    };
    if (!token.isEmpty())
        attributes << attribute(QStringLiteral("oauth_token"), percentEncode(token));
    for (auto it = extraParameters.cbegin(); it != extraParameters.cend(); ++it)
        attributes << attribute(it.key(), percentEncode(it.value()));
    return (QLatin1String("OAuth ") + attributes.join(QLatin1String(", "))).toUtf8();
}

QString OAuthEncrypt::bodySignatureBlock(const QString &signature, const QString &nonce, uint timestamp,
                                         const QString &consumerKey)
{
    return QLatin1String("&oauth_version=1.0&oauth_signature_method=HMAC-SHA1&oauth_signature=") + signature
        + QLatin1String("&oauth_nonce=") + nonce + QLatin1String("&oauth_timestamp=") + QString::number(timestamp)
        + QLatin1String("&oauth_consumer_key=") + consumerKey;
}
