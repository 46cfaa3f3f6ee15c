#pragma once

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class ApiService;
class Database;

/**
 * Checks OAuth 1.0 signatures the way the app makes them: the service's
 * Authorization header, the external networks' header and the body-signed
 * sign-in form. A request passes with a known consumer key, a matching
 * signature, a token that belongs to a user (where one is needed), a
 * timestamp within five minutes of the server's clock and a nonce not seen
 * before for the same key, token and timestamp.
 */
class RequestVerifier
{
public:
    static constexpr qint64 kWindowSeconds = 300;

    struct Outcome
    {
        bool ok = false;
        QString reason;
        // Of a refusal: 401, or 500 when the server failed, not the request.
        int status = 401;
        qint64 userId = 0;
        QMap<QString, QString> extras;
    };
    using TokenSecretLookup = std::function<std::optional<QString>(const QMap<QString, QString> &extras)>;

    RequestVerifier(Database &db, ApiService &api);

    // Attributes of an "OAuth ..." header in their order, values as sent.
    static std::optional<QList<QPair<QString, QString>>> parseHeader(const std::string &value);

    // The service's header; `userRequired` refuses requests without a token.
    Outcome verifyServiceRequest(const QString &url, const std::string &authorization, const QString &bodyParameters,
                                 bool userRequired);
    // A body that ends with its own signature block; `signedPart` receives
    // the body without that block.
    Outcome verifyBodySigned(const QString &url, const std::string &body, std::string *signedPart);
    // An external network's header, signed with that network's pair. The
    // token secret depends on the call: `tokenSecret` picks it from the
    // header's extra parameters, or refuses with nullopt.
    Outcome verifyNetworkRequest(const QString &url, const std::string &authorization, const QString &consumerKey,
                                 const QString &consumerSecret, const TokenSecretLookup &tokenSecret);

private:
    struct Signed
    {
        QString url;
        QString consumerKey;
        QString consumerSecret;
        QString nonce;
        QString timestamp;
        QString token;
        QString tokenSecret;
        QString signature;
        QString body;
        QMap<QString, QString> extras;
        bool withExtras = false;
    };
    QString verify(const Signed &request, bool *storageFailed);
    void check(const Signed &request, Outcome *outcome);

    Database &m_db;
    ApiService &m_api;
};
