#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>

/**
 * OAuth 1.0 HMAC-SHA1 signing of the service's and the external networks'
 * requests, and the three ways the signature travels: the service header,
 * the external network header and the signed body block. Stateless.
 */
class OAuthEncrypt : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The percent-encoded signature.
    static QString generateSignature(const QString &method, const QString &url, const QString &consumerKey,
                                     const QString &consumerSecret, const QString &nonce, uint timestamp,
                                     const QString &token, const QString &tokenSecret,
                                     const QString &bodyParameters);
    static QString generateSignature(const QString &method, const QString &url, const QString &consumerKey,
                                     const QString &consumerSecret, const QString &nonce, uint timestamp,
                                     const QString &token, const QString &tokenSecret,
                                     const QMap<QString, QString> &extraParameters, const QString &bodyParameters);

    // The text that is signed: method, url and sorted parameters.
    static QString signatureBaseString(const QString &method, const QString &url, const QString &consumerKey,
                                       const QString &nonce, uint timestamp, const QString &token,
                                       const QMap<QString, QString> &extraParameters,
                                       const QString &bodyParameters);

    // Base64 of HMAC-SHA1(data, key), percent-encoded.
    static QString hmacSha1(const QString &data, const QString &key);
    // The raw 20-byte HMAC-SHA1 digest.
    static QByteArray hmacSha1Digest(const QByteArray &data, const QByteArray &key);

    // UTF-8, then every byte but A-Z a-z 0-9 - . _ ~ as %XX.
    static QString percentEncode(const QString &text);

    static QString generateNonce();
    static uint generateTimestamp();

    // Authorization header of the photo service; oauth_token is always present.
    static QByteArray serviceAuthorizationHeader(const QString &nonce, uint timestamp, const QString &consumerKey,
                                                 const QString &token, const QString &signature);
    // Authorization header towards an external network.
    static QByteArray networkAuthorizationHeader(const QString &nonce, uint timestamp, const QString &consumerKey,
                                                 const QString &signature, const QString &token,
                                                 const QMap<QString, QString> &extraParameters);
    // The block appended to a body that carries its own signature.
    static QString bodySignatureBlock(const QString &signature, const QString &nonce, uint timestamp,
                                      const QString &consumerKey);
};
