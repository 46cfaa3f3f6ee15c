#pragma once

#include <QString>

#include <string>

namespace httplib {
struct Request;
struct Response;
class Server;
}

class ApiService;
class Database;
class ExternalNetworks;
class RequestVerifier;

/**
 * The service's HTTP face: routes every path of the API, sign-in, the
 * external networks and the public web pages to their handlers, checks
 * signatures, and turns every refusal into a JSON answer with a "reason".
 */
class HttpFrontend
{
public:
    static constexpr size_t kMaxBodyBytes = 16 * 1024 * 1024;

    HttpFrontend(Database &db, ApiService &api, RequestVerifier &verifier, ExternalNetworks &networks);

    // `scheme` ("http" or "https") is the one the server speaks: it is part
    // of every signed URL.
    void install(httplib::Server &server, const std::string &scheme);

private:
    void installCatalogue(httplib::Server &server, const std::string &scheme);
    void upload(const httplib::Request &req, httplib::Response &res, const QString &url, const std::string &body);
    void installSignIn(httplib::Server &server, const std::string &scheme);
    void installNetworks(httplib::Server &server, const std::string &scheme);
    void installFiles(httplib::Server &server);
    void installPages(httplib::Server &server);
    void installErrorAnswers(httplib::Server &server, const std::string &scheme);

    Database &m_db;
    ApiService &m_api;
    RequestVerifier &m_verifier;
    ExternalNetworks &m_networks;
};
