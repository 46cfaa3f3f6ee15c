#pragma once

#include "server/serviceoptions.h"

#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace httplib {
class Server;
class SSLServer;
}
template <class Base>
class BoundedServer;

class ApiService;
class Database;
class ExternalNetworks;
class HttpFrontend;
class PhotoStore;
class RequestVerifier;

/**
 * The whole stand-in service: the data folder with its SQLite file and
 * pictures, and the HTTP and HTTPS servers on 127.0.0.1.
 */
class TaviroService
{
public:
    explicit TaviroService(const ServiceOptions &options);
    ~TaviroService();

    // Opens the data folder and binds both ports; on failure `error` says why.
    bool open(QString *error);
    // Seeds the demo community when the database has no user yet.
    void seedDemoIfEmpty();
    // Serves on background threads until `stop()`.
    void start();
    // Safe at any moment, also right after start() and more than once.
    void stop();

    int httpPort() const { return m_httpPort; }
    int httpsPort() const { return m_httpsPort; }

private:
    ServiceOptions m_options;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<PhotoStore> m_photos;
    std::unique_ptr<ApiService> m_api;
    std::unique_ptr<RequestVerifier> m_verifier;
    std::unique_ptr<ExternalNetworks> m_networks;
    std::unique_ptr<HttpFrontend> m_frontend;
    std::unique_ptr<BoundedServer<httplib::Server>> m_http;
    std::unique_ptr<BoundedServer<httplib::SSLServer>> m_https;
    std::thread m_httpThread;
    std::thread m_httpsThread;
    std::atomic<bool> m_httpDone{false};
    std::atomic<bool> m_httpsDone{false};
    int m_httpPort = 0;
    int m_httpsPort = 0;
};
