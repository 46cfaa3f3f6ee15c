#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>

#include <string>
#include <utility>
#include <vector>

/**
 * Test client of the stand-in service: builds requests signed exactly as
 * the app signs them (with OAuthEncrypt) and sends them over loopback, so a
 * test can also tamper with them or send one twice.
 */
class SignedClient
{
public:
    struct Request
    {
        std::string path;
        std::string contentType = "application/x-www-form-urlencoded";
        std::string body;
        std::vector<std::pair<std::string, std::string>> headers;
    };
    struct Reply
    {
        int status = 0;
        QByteArray body;
        QJsonObject json;
        std::string contentEncoding;
        std::string contentType;
        std::string location;
    };

    static QString deviceParameters();

    SignedClient(const QString &scheme, int port, const QString &caFile = {});

    QString baseUrl() const;
    void setToken(const QString &token, const QString &secret);

    // Service header (form A) over the device parameters and `parameters`.
    Request serviceRequest(const QString &path, const QString &parameters, bool gzip = false) const;
    // Body-signed form C.
    Request bodySignedRequest(const QString &path, const QString &parameters) const;
    // External network header (form B).
    Request networkRequest(const QString &path, const QString &consumerKey, const QString &consumerSecret,
                           const QString &tokenSecret, const QMap<QString, QString> &extras) const;
    // The multipart upload with its signed parameter string.
    Request uploadRequest(const QByteArray &picture, const QString &name, int accessLevel) const;

    Reply send(const Request &request) const;
    Reply get(const std::string &pathAndQuery) const;
    Reply call(const QString &path, const QString &parameters) const { return send(serviceRequest(path, parameters)); }

private:
    QString m_scheme;
    int m_port;
    QString m_caFile;
    QString m_token;
    QString m_tokenSecret;
};
