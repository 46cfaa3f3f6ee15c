#include "tests/server/signedclient.h"

#include "service/oauthencrypt.h"
#include "taviroconfig.h"

#include <httplib.h>

#include <QJsonDocument>

namespace {

const QString kKey = QString::fromLatin1(TaviroConfig::kConsumerKey);
const QString kSecret = QString::fromLatin1(TaviroConfig::kConsumerSecret);

} // namespace

QString SignedClient::deviceParameters()
{
    return QStringLiteral("v=1.0&appv=2.5.1&pf=meego&cellid=E0&lac=E4096&mnc=_MDE%3D&mcc=_MjQ0&model=N9%20test"
                          "&manufacturer=Test%20Phones");
}

SignedClient::SignedClient(const QString &scheme, int port, const QString &caFile)
    : m_scheme(scheme)
    , m_port(port)
    , m_caFile(caFile)
{
}

QString SignedClient::baseUrl() const
{
    return QStringLiteral("%1://127.0.0.1:%2").arg(m_scheme).arg(m_port);
}

void SignedClient::setToken(const QString &token, const QString &secret)
{
    m_token = token;
    m_tokenSecret = secret;
}

SignedClient::Request SignedClient::serviceRequest(const QString &path, const QString &parameters, bool gzip) const
{
    const QString body = deviceParameters() + parameters;
    const QString nonce = OAuthEncrypt::generateNonce();
    const uint timestamp = OAuthEncrypt::generateTimestamp();
    const QString signature = OAuthEncrypt::generateSignature(QStringLiteral("POST"), baseUrl() + path, kKey, kSecret,
                                                              nonce, timestamp, m_token, m_tokenSecret, body);
    Request request;
    request.path = path.toStdString();
    request.body = body.toStdString();
    request.headers.emplace_back(
        "Authorization",
        OAuthEncrypt::serviceAuthorizationHeader(nonce, timestamp, kKey, m_token, signature).toStdString());
    if (gzip)
        request.headers.emplace_back("Accept-Encoding", "gzip");
    return request;
}

SignedClient::Request SignedClient::bodySignedRequest(const QString &path, const QString &parameters) const
{
    const QString body = deviceParameters() + parameters;
    const QString nonce = OAuthEncrypt::generateNonce();
    const uint timestamp = OAuthEncrypt::generateTimestamp();
    const QString signature = OAuthEncrypt::generateSignature(QStringLiteral("POST"), baseUrl() + path, kKey, kSecret,
                                                              nonce, timestamp, QString(), QString(), body);
    Request request;
    request.path = path.toStdString();
    request.body = (body + OAuthEncrypt::bodySignatureBlock(signature, nonce, timestamp, kKey)).toStdString();
    return request;
}

SignedClient::Request SignedClient::networkRequest(const QString &path, const QString &consumerKey,
                                                   const QString &consumerSecret, const QString &tokenSecret,
                                                   const QMap<QString, QString> &extras) const
{
    const QString nonce = OAuthEncrypt::generateNonce();
    const uint timestamp = OAuthEncrypt::generateTimestamp();
    const QString signature = OAuthEncrypt::generateSignature(QStringLiteral("POST"), baseUrl() + path, consumerKey,
                                                              consumerSecret, nonce, timestamp, QString(), tokenSecret,
                                                              extras, QString());
    Request request;
    request.path = path.toStdString();
    request.headers.emplace_back("Authorization", OAuthEncrypt::networkAuthorizationHeader(
                                                      nonce, timestamp, consumerKey, signature, QString(), extras)
                                                      .toStdString());
    return request;
}

SignedClient::Request SignedClient::uploadRequest(const QByteArray &picture, const QString &name, int accessLevel) const
{
    const QList<QPair<QString, QString>> parts{
        {QStringLiteral("name"), name},
        {QStringLiteral("description"), QStringLiteral("uploaded by a test")},
        {QStringLiteral("geo_location_lat"), QStringLiteral("13.75")},
        {QStringLiteral("geo_location_long"), QStringLiteral("1e-05")},
        {QStringLiteral("effect_filter_type"), QStringLiteral("3")},
        {QStringLiteral("image_source"), QStringLiteral("1")},
        {QStringLiteral("timestamp"), QStringLiteral("1700000000")},
        {QStringLiteral("v"), QStringLiteral("1.0")},
        {QStringLiteral("appv"), QStringLiteral("2.5.1")},
        {QStringLiteral("pf"), QStringLiteral("meego")},
        {QStringLiteral("cellid"), QStringLiteral("E0")},
        {QStringLiteral("lac"), QStringLiteral("E-4096")},
        {QStringLiteral("mnc"), QStringLiteral("_MDE=")},
        {QStringLiteral("mcc"), QStringLiteral("_MjQ0")},
        {QStringLiteral("model"), QStringLiteral("N9 test")},
        {QStringLiteral("manufacturer"), QStringLiteral("Test Phones")},
        {QStringLiteral("access_level"), QString::number(accessLevel)},
        {QStringLiteral("share_on_weibo"), QStringLiteral("true")},
    };
    QByteArray body;
    QString signedParameters;
    for (const auto &part : parts) {
        body += "--AaB03x\r\nContent-Disposition: form-data; name=\"" + part.first.toUtf8() + "\"\r\n\r\n"
            + part.second.toUtf8() + "\r\n";
        if (!signedParameters.isEmpty())
            signedParameters += QLatin1Char('&');
        signedParameters += part.first + QLatin1Char('=') + OAuthEncrypt::percentEncode(part.second);
    }
    body += "--AaB03x\r\nContent-Disposition: form-data; name=\"picture_file\"; filename=\"save.jpg\"\r\n"
            "Content-Type: image/jpeg\r\n\r\n"
        + picture + "\r\n--AaB03x--";

    const QString nonce = OAuthEncrypt::generateNonce();
    const uint timestamp = OAuthEncrypt::generateTimestamp();
    const QString signature =
        OAuthEncrypt::generateSignature(QStringLiteral("POST"), baseUrl() + QStringLiteral("/v1/picture_insert"), kKey,
                                        kSecret, nonce, timestamp, m_token, m_tokenSecret, signedParameters);
    Request request;
    request.path = "/v1/picture_insert";
    request.contentType = "multipart/form-data; boundary=AaB03x";
    request.body = body.toStdString();
    request.headers.emplace_back(
        "Authorization",
        OAuthEncrypt::serviceAuthorizationHeader(nonce, timestamp, kKey, m_token, signature).toStdString());
    return request;
}

namespace {

SignedClient::Reply toReply(const httplib::Result &result)
{
    SignedClient::Reply reply;
    if (!result)
        return reply;
    reply.status = result->status;
    reply.body = QByteArray::fromStdString(result->body);
    reply.json = QJsonDocument::fromJson(reply.body).object();
    reply.contentEncoding = result->get_header_value("Content-Encoding");
    reply.contentType = result->get_header_value("Content-Type");
    reply.location = result->get_header_value("Location");
    return reply;
}

template<typename Client>
SignedClient::Reply sendWith(Client &client, const SignedClient::Request &request)
{
    client.set_decompress(false);
    client.set_read_timeout(30, 0);
    httplib::Headers headers;
    for (const auto &header : request.headers)
        headers.emplace(header.first, header.second);
    return toReply(client.Post(request.path.c_str(), headers, request.body, request.contentType.c_str()));
}

} // namespace

SignedClient::Reply SignedClient::send(const Request &request) const
{
    if (m_scheme == QLatin1String("https")) {
        httplib::SSLClient client("127.0.0.1", m_port);
        client.set_ca_cert_path(m_caFile.toStdString().c_str());
        client.enable_server_certificate_verification(true);
        return sendWith(client, request);
    }
    httplib::Client client("127.0.0.1", m_port);
    return sendWith(client, request);
}

SignedClient::Reply SignedClient::get(const std::string &pathAndQuery) const
{
    httplib::Client client("127.0.0.1", m_port);
    client.set_decompress(false);
    return toReply(client.Get(pathAndQuery.c_str()));
}
