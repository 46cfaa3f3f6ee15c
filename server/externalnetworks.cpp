#include "server/externalnetworks.h"

#include "server/credentials.h"
#include "server/database.h"
#include "server/formbody.h"
#include "server/requestverifier.h"
#include "server/serverlog.h"

#include "taviroconfig.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr qint64 kRequestTokenLifetime = 600;

struct Network
{
    const char *name;
    const char *prefix; // path before "/oauth/..."
    const char *consumerKey;
    const char *consumerSecret;
    bool usesVerifier;
    // Whether the app signs the access-token call with the request token's secret.
    bool signsWithRequestSecret;
};

const Network kNetworks[] = {
    {"twitter", "", TaviroConfig::kTwitterConsumerKey, TaviroConfig::kTwitterConsumerSecret, true, false},
    {"tumblr", "", TaviroConfig::kTumblrConsumerKey, TaviroConfig::kTumblrConsumerSecret, true, true},
    {"flickr", "/services", TaviroConfig::kFlickrConsumerKey, TaviroConfig::kFlickrConsumerSecret, true, true},
    {"weibo", "", TaviroConfig::kWeiboConsumerKey, TaviroConfig::kWeiboConsumerSecret, true, false},
    {"dropbox", "/1", TaviroConfig::kDropBoxConsumerKey, TaviroConfig::kDropBoxConsumerSecret, false, true},
};

const Network *find(const std::string &name)
{
    for (const Network &network : kNetworks) {
        if (name == network.name)
            return &network;
    }
    return nullptr;
}

ExternalNetworks::Answer jsonError(int status, const QString &reason)
{
    ExternalNetworks::Answer answer;
    answer.status = status;
    answer.contentType = "application/json";
    answer.body = QJsonDocument(QJsonObject{{QStringLiteral("success"), false},
                                            {QStringLiteral("error_code"), 2},
                                            {QStringLiteral("reason"), reason}})
                      .toJson(QJsonDocument::Compact)
                      .toStdString();
    return answer;
}

ExternalNetworks::Answer formAnswer(const std::string &body)
{
    ExternalNetworks::Answer answer;
    answer.contentType = "application/x-www-form-urlencoded";
    answer.body = body;
    return answer;
}

std::string pair(const char *name, const QString &value)
{
    return std::string(name) + "=" + FormBody::percentEncode(value.toStdString());
}

qint64 now()
{
    return QDateTime::currentSecsSinceEpoch();
}

// The network's numeric user id: the hexadecimal tail of the account name.
QString accountNumber(const QString &account)
{
    return QString::number(account.section(QLatin1Char('_'), -1).toLongLong(nullptr, 16));
}

} // namespace

ExternalNetworks::ExternalNetworks(Database &db, RequestVerifier &verifier)
    : m_db(db)
    , m_verifier(verifier)
{
}

ExternalNetworks::Answer ExternalNetworks::post(const std::string &network, const std::string &path, const QString &url,
                                                const std::string &authorization)
{
    const Network *net = find(network);
    if (!net)
        return jsonError(404, QStringLiteral("Unknown network"));
    const std::string prefix = net->prefix;
    if (path == prefix + "/oauth/request_token")
        return requestToken(network, url, authorization);
    if (path == prefix + "/oauth/access_token")
        return accessToken(network, url, authorization);
    return jsonError(404, QStringLiteral("Unknown path"));
}

ExternalNetworks::Answer ExternalNetworks::requestToken(const std::string &network, const QString &url,
                                                        const std::string &authorization)
{
    const Network *net = find(network);
    QString callback;
    const auto outcome = m_verifier.verifyNetworkRequest(
        url, authorization, QLatin1String(net->consumerKey), QLatin1String(net->consumerSecret),
        [&](const QMap<QString, QString> &extras) -> std::optional<QString> {
            callback = extras.value(QStringLiteral("oauth_callback"));
            return QString();
        });
    if (!outcome.ok)
        return jsonError(401, outcome.reason);
    if (!callback.startsWith(QLatin1String("http://")) && !callback.startsWith(QLatin1String("https://")))
        return jsonError(400, QStringLiteral("oauth_callback must be an http or https URL"));
    const QString token = Credentials::randomHex(16);
    const QString secret = Credentials::randomHex(16);
    Statement purge(m_db, "DELETE FROM network_tokens WHERE kind = 'request' AND created < ?1");
    purge.bind(now() - kRequestTokenLifetime);
    purge.exec();
    Statement st(m_db, "INSERT INTO network_tokens(token, network, secret, kind, callback, created) "
                                "VALUES(?1, ?2, ?3, 'request', ?4, ?5)");
    st.bind(token).bind(network).bind(secret).bind(callback).bind(now());
    st.exec();
    return formAnswer(pair("oauth_token", token) + "&" + pair("oauth_token_secret", secret)
                      + "&oauth_callback_confirmed=true");
}

ExternalNetworks::Answer ExternalNetworks::authorise(const std::string &network, const std::string &path,
                                                     const std::string &requestToken)
{
    const Network *net = find(network);
    if (!net || path != std::string(net->prefix) + "/oauth/authorize")
        return jsonError(404, QStringLiteral("Unknown path"));
    Statement st(m_db, "SELECT callback FROM network_tokens WHERE token = ?1 AND network = ?2 "
                                "AND kind = 'request' AND created >= ?3");
    st.bind(requestToken).bind(network).bind(now() - kRequestTokenLifetime);
    if (!st.next())
        return jsonError(404, QStringLiteral("Unknown or expired request token"));
    const QString callback = st.text(0);
    // The stand-in grants every request: a fresh account of the network.
    const QString verifier = Credentials::randomHex(8);
    const QString account = QStringLiteral("%1_%2").arg(QLatin1String(network.c_str()), Credentials::randomHex(3));
    Statement grant(m_db, "UPDATE network_tokens SET verifier = ?2, account = ?3 WHERE token = ?1");
    grant.bind(requestToken).bind(verifier).bind(account);
    grant.exec();

    std::string location = callback.toStdString();
    location += callback.contains(QLatin1Char('?')) ? "&" : "?";
    location += pair("oauth_token", QString::fromStdString(requestToken));
    if (net->usesVerifier)
        location += "&" + pair("oauth_verifier", verifier);
    else
        location += "&" + pair("uid", accountNumber(account));
    Answer answer;
    answer.status = 302;
    answer.location = location;
    answer.contentType = "text/html";
    answer.body = "<!DOCTYPE html><title>Authorised</title><p>Access granted. <a href=\""
        + QString::fromStdString(location).toHtmlEscaped().toStdString() + "\">Continue</a></p>";
    return answer;
}

ExternalNetworks::Answer ExternalNetworks::accessToken(const std::string &network, const QString &url,
                                                       const std::string &authorization)
{
    const Network *net = find(network);
    QString requestToken;
    QString account;
    const auto outcome = m_verifier.verifyNetworkRequest(
        url, authorization, QLatin1String(net->consumerKey), QLatin1String(net->consumerSecret),
        [&](const QMap<QString, QString> &extras) -> std::optional<QString> {
            requestToken = extras.value(QStringLiteral("oauth_token"));
            Statement st(m_db, "SELECT secret, verifier, account FROM network_tokens WHERE token = ?1 "
                                        "AND network = ?2 AND kind = 'request' AND created >= ?3");
            st.bind(requestToken).bind(network).bind(now() - kRequestTokenLifetime);
            if (!st.next() || st.text(1).isEmpty())
                return std::nullopt;
            if (net->usesVerifier
                && !Credentials::constantTimeEquals(st.text(1).toUtf8(),
                                                    extras.value(QStringLiteral("oauth_verifier")).toUtf8()))
                return std::nullopt;
            account = st.text(2);
            return net->signsWithRequestSecret ? st.text(0) : QString();
        });
    if (!outcome.ok)
        return jsonError(401, outcome.reason);
    Statement used(m_db, "DELETE FROM network_tokens WHERE token = ?1");
    used.bind(requestToken);
    used.exec();
    const QString token = Credentials::randomHex(16);
    const QString secret = Credentials::randomHex(16);
    Statement st(m_db, "INSERT INTO network_tokens(token, network, secret, kind, account, created) "
                                "VALUES(?1, ?2, ?3, 'access', ?4, ?5)");
    st.bind(token).bind(network).bind(secret).bind(account).bind(now());
    st.exec();
    qCInfo(lcServer) << "Access token issued for" << network.c_str() << account;

    const std::string tokens = pair("oauth_token", token) + "&" + pair("oauth_token_secret", secret);
    const QString userId = accountNumber(account);
    if (network == "twitter")
        return formAnswer(tokens + "&" + pair("user_id", userId) + "&" + pair("screen_name", account));
    if (network == "weibo")
        return formAnswer(tokens + "&" + pair("user_id", userId));
    if (network == "flickr") {
        return formAnswer(pair("fullname", account) + "&" + tokens + "&" + pair("user_nsid", userId + "@N00") + "&"
                          + pair("username", account));
    }
    if (network == "dropbox")
        return formAnswer(tokens + "&" + pair("uid", userId));
    return formAnswer(tokens);
}
