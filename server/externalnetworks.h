#pragma once

#include <QString>

#include <string>

class Database;
class RequestVerifier;

/**
 * Stand-ins for the OAuth 1.0 providers of Twitter, Tumblr, Flickr, Sina
 * Weibo and Dropbox: request token, authorisation (which grants at once and
 * sends the browser to the callback) and access token, each under the
 * network's own paths and checked against the network's consumer pair.
 */
class ExternalNetworks
{
public:
    struct Answer
    {
        int status = 200;
        std::string contentType;
        std::string body;
        std::string location;
    };

    ExternalNetworks(Database &db, RequestVerifier &verifier);

    // `path` follows the network's base ("/oauth/request_token", ...).
    Answer post(const std::string &network, const std::string &path, const QString &url,
                const std::string &authorization);
    Answer authorise(const std::string &network, const std::string &path, const std::string &requestToken);

private:
    Answer requestToken(const std::string &network, const QString &url, const std::string &authorization);
    Answer accessToken(const std::string &network, const QString &url, const std::string &authorization);

    Database &m_db;
    RequestVerifier &m_verifier;
};
