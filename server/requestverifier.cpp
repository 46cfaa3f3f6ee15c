#include "server/requestverifier.h"

#include "server/apiservice.h"
#include "server/credentials.h"
#include "server/database.h"
#include "server/formbody.h"
#include "service/oauthencrypt.h"

#include "taviroconfig.h"

#include <QDateTime>

namespace {

const QString kServiceKey = QString::fromLatin1(TaviroConfig::kConsumerKey);
const QString kServiceSecret = QString::fromLatin1(TaviroConfig::kConsumerSecret);

RequestVerifier::Outcome refuse(const QString &reason)
{
    RequestVerifier::Outcome outcome;
    outcome.reason = reason;
    return outcome;
}

QString attribute(const QList<QPair<QString, QString>> &attributes, const char *name)
{
    for (const auto &pair : attributes) {
        if (pair.first == QLatin1String(name))
            return pair.second;
    }
    return {};
}

bool hasAttribute(const QList<QPair<QString, QString>> &attributes, const char *name)
{
    for (const auto &pair : attributes) {
        if (pair.first == QLatin1String(name))
            return true;
    }
    return false;
}

QString decoded(const QString &text)
{
    const auto value = FormBody::percentDecode(text.toStdString());
    return value ? QString::fromStdString(*value) : QString();
}

// Method and version must be the only ones the service speaks.
QString protocolProblem(const QString &method, const QString &version)
{
    if (method != QLatin1String("HMAC-SHA1"))
        return QStringLiteral("oauth_signature_method must be HMAC-SHA1");
    if (!version.isEmpty() && version != QLatin1String("1.0"))
        return QStringLiteral("oauth_version must be 1.0");
    return {};
}

} // namespace

RequestVerifier::RequestVerifier(Database &db, ApiService &api)
    : m_db(db)
    , m_api(api)
{
}

std::optional<QList<QPair<QString, QString>>> RequestVerifier::parseHeader(const std::string &value)
{
    static const std::string prefix = "OAuth ";
    if (value.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    QList<QPair<QString, QString>> attributes;
    size_t pos = prefix.size();
    while (pos < value.size()) {
        while (pos < value.size() && (value[pos] == ' ' || value[pos] == ','))
            ++pos;
        if (pos >= value.size())
            break;
        const size_t eq = value.find('=', pos);
        if (eq == std::string::npos || eq + 1 >= value.size() || value[eq + 1] != '"')
            return std::nullopt;
        const size_t close = value.find('"', eq + 2);
        if (close == std::string::npos)
            return std::nullopt;
        const QString name = QString::fromStdString(value.substr(pos, eq - pos)).trimmed();
        if (name.isEmpty() || attributes.size() > 32)
            return std::nullopt;
        attributes.append({name, QString::fromStdString(value.substr(eq + 2, close - eq - 2))});
        pos = close + 1;
        if (pos < value.size() && value[pos] != ',')
            return std::nullopt;
    }
    return attributes;
}

QString RequestVerifier::verify(const Signed &request, bool *storageFailed)
{
    bool numeric = !request.timestamp.isEmpty() && request.timestamp.size() <= 10;
    for (QChar c : request.timestamp)
        numeric = numeric && c.isDigit();
    const qint64 timestamp = request.timestamp.toLongLong();
    if (!numeric || timestamp > std::numeric_limits<uint>::max())
        return QStringLiteral("oauth_timestamp is not a number");
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (qAbs(now - timestamp) > kWindowSeconds)
        return QStringLiteral("oauth_timestamp is too far from the server's clock");
    if (request.nonce.isEmpty() || request.nonce.size() > 128)
        return QStringLiteral("oauth_nonce is missing");

    const QString expected = request.withExtras
        ? OAuthEncrypt::generateSignature(QStringLiteral("POST"), request.url, request.consumerKey,
                                          request.consumerSecret, request.nonce, static_cast<uint>(timestamp),
                                          request.token, request.tokenSecret, request.extras, request.body)
        : OAuthEncrypt::generateSignature(QStringLiteral("POST"), request.url, request.consumerKey,
                                          request.consumerSecret, request.nonce, static_cast<uint>(timestamp),
                                          request.token, request.tokenSecret, request.body);
    if (!Credentials::constantTimeEquals(decoded(expected).toUtf8(), decoded(request.signature).toUtf8()))
        return QStringLiteral("The signature does not match");

    Statement purge(m_db, "DELETE FROM nonces WHERE timestamp < ?1");
    purge.bind(now - 2 * kWindowSeconds);
    Statement record(m_db, "INSERT INTO nonces(consumer_key, token, nonce, timestamp) VALUES(?1, ?2, ?3, ?4)");
    record.bind(request.consumerKey).bind(request.token).bind(request.nonce).bind(timestamp);
    if (!purge.exec() || !record.exec()) {
        // Only the unique key says the nonce was seen; anything else is
        // the store failing, not the client.
        if (record.violatedConstraint())
            return QStringLiteral("oauth_nonce was used before");
        *storageFailed = true;
        return QStringLiteral("The server could not record the nonce");
    }
    return {};
}

void RequestVerifier::check(const Signed &request, Outcome *outcome)
{
    bool storageFailed = false;
    outcome->reason = verify(request, &storageFailed);
    outcome->ok = outcome->reason.isEmpty();
    outcome->status = storageFailed ? 500 : 401;
}

namespace {

// The header, method, version and consumer key checks that every
// header-signed request passes first; on failure *problem says why.
std::optional<QList<QPair<QString, QString>>> headerAttributes(const std::string &authorization,
                                                               const QString &consumerKey, QString *problem)
{
    if (authorization.empty()) {
        *problem = QStringLiteral("The request is not signed");
        return std::nullopt;
    }
    auto attributes = RequestVerifier::parseHeader(authorization);
    if (!attributes) {
        *problem = QStringLiteral("The Authorization header is malformed");
        return std::nullopt;
    }
    *problem = protocolProblem(attribute(*attributes, "oauth_signature_method"), attribute(*attributes, "oauth_version"));
    if (problem->isEmpty() && attribute(*attributes, "oauth_consumer_key") != consumerKey)
        *problem = QStringLiteral("Unknown consumer key");
    if (!problem->isEmpty())
        return std::nullopt;
    return attributes;
}

} // namespace

RequestVerifier::Outcome RequestVerifier::verifyServiceRequest(const QString &url, const std::string &authorization,
                                                               const QString &bodyParameters, bool userRequired)
{
    QString problem;
    const auto attributes = headerAttributes(authorization, kServiceKey, &problem);
    if (!attributes)
        return refuse(problem);

    Signed request;
    request.url = url;
    request.consumerKey = kServiceKey;
    request.consumerSecret = kServiceSecret;
    request.nonce = attribute(*attributes, "oauth_nonce");
    request.timestamp = attribute(*attributes, "oauth_timestamp");
    request.token = attribute(*attributes, "oauth_token");
    request.signature = attribute(*attributes, "oauth_signature");
    request.body = bodyParameters;

    Outcome outcome;
    if (!request.token.isEmpty()) {
        if (!m_api.tokenOwner(request.token, &outcome.userId, &request.tokenSecret))
            return refuse(QStringLiteral("Unknown or revoked token"));
    } else if (userRequired) {
        return refuse(QStringLiteral("Sign in first"));
    }
    check(request, &outcome);
    if (!outcome.ok)
        outcome.userId = 0;
    return outcome;
}

RequestVerifier::Outcome RequestVerifier::verifyBodySigned(const QString &url, const std::string &body,
                                                           std::string *signedPart)
{
    static const std::string blockStart = "&oauth_version=";
    const size_t start = body.rfind(blockStart);
    if (start == std::string::npos)
        return refuse(QStringLiteral("The request is not signed"));
    const auto block = FormBody::parse(body.substr(start + 1));
    if (!block)
        return refuse(QStringLiteral("The signature block is malformed"));
    static const char *const order[] = {"oauth_version", "oauth_signature_method", "oauth_signature",
                                        "oauth_nonce", "oauth_timestamp", "oauth_consumer_key"};
    if (block->pairs().size() != 6)
        return refuse(QStringLiteral("The signature block is malformed"));
    for (int i = 0; i < 6; ++i) {
        if (block->pairs()[i].first != order[i])
            return refuse(QStringLiteral("The signature block is malformed"));
    }
    const QString problem = protocolProblem(QString::fromStdString(block->value("oauth_signature_method")),
                                            QString::fromStdString(block->value("oauth_version")));
    if (!problem.isEmpty())
        return refuse(problem);
    if (QString::fromStdString(block->value("oauth_consumer_key")) != kServiceKey)
        return refuse(QStringLiteral("Unknown consumer key"));

    // The signature was sent encoded and was decoded with the block.
    Signed request;
    request.url = url;
    request.consumerKey = kServiceKey;
    request.consumerSecret = kServiceSecret;
    request.nonce = QString::fromStdString(block->value("oauth_nonce"));
    request.timestamp = QString::fromStdString(block->value("oauth_timestamp"));
    request.signature = QString::fromStdString(FormBody::percentEncode(block->value("oauth_signature")));
    request.body = QString::fromUtf8(body.data(), static_cast<int>(start));
    Outcome outcome;
    check(request, &outcome);
    if (outcome.ok)
        *signedPart = body.substr(0, start);
    return outcome;
}

RequestVerifier::Outcome RequestVerifier::verifyNetworkRequest(const QString &url, const std::string &authorization,
                                                               const QString &consumerKey,
                                                               const QString &consumerSecret,
                                                               const TokenSecretLookup &tokenSecret)
{
    QString problem;
    const auto attributes = headerAttributes(authorization, consumerKey, &problem);
    if (!attributes)
        return refuse(problem);

    static const QStringList fixed{QStringLiteral("oauth_nonce"), QStringLiteral("oauth_timestamp"),
                                   QStringLiteral("oauth_consumer_key"), QStringLiteral("oauth_signature_method"),
                                   QStringLiteral("oauth_version"), QStringLiteral("oauth_signature")};
    Signed request;
    request.withExtras = true;
    for (const auto &pair : *attributes) {
        if (fixed.contains(pair.first))
            continue;
        const auto value = FormBody::percentDecode(pair.second.toStdString());
        if (!value)
            return refuse(QStringLiteral("The Authorization header is malformed"));
        request.extras.insert(pair.first, QString::fromStdString(*value));
    }
    if (!hasAttribute(*attributes, "oauth_signature"))
        return refuse(QStringLiteral("The request is not signed"));
    const auto secret = tokenSecret(request.extras);
    if (!secret)
        return refuse(QStringLiteral("Unknown or used request token"));

    request.url = url;
    request.consumerKey = consumerKey;
    request.consumerSecret = consumerSecret;
    request.nonce = attribute(*attributes, "oauth_nonce");
    request.timestamp = attribute(*attributes, "oauth_timestamp");
    request.tokenSecret = *secret;
    request.signature = attribute(*attributes, "oauth_signature");
    Outcome outcome;
    check(request, &outcome);
    outcome.extras = request.extras;
    return outcome;
}
