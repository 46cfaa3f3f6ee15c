#include "server/taviroservice.h"

#include "server/apiservice.h"
#include "server/boundedserver.h"
#include "server/database.h"
#include "server/demoseeder.h"
#include "server/externalnetworks.h"
#include "server/httpfrontend.h"
#include "server/photostore.h"
#include "server/requestverifier.h"
#include "server/serverlog.h"

#include <httplib.h>

#include <QDir>
#include <QFile>

#include <csignal>

namespace {

// cpp-httplib's stop() does nothing until the listener runs: wait for it to
// run (or to have given up) before stopping it.
void stopServing(httplib::Server &server, std::thread &thread, const std::atomic<bool> &done)
{
    if (!thread.joinable())
        return;
    while (!done && !server.is_running())
        std::this_thread::yield();
    server.stop();
    thread.join();
}

} // namespace

TaviroService::TaviroService(const ServiceOptions &options)
    : m_options(options)
{
}

TaviroService::~TaviroService()
{
    stop();
}

bool TaviroService::open(QString *error)
{
    if (!QDir().mkpath(m_options.dataFolder)) {
        *error = QStringLiteral("Cannot create the data folder ") + m_options.dataFolder;
        return false;
    }
    // It holds password hashes and tokens: owner-only, made so before SQLite
    // opens it, since its journal files take the database file's rights.
    const QString dbPath = m_options.dataFolder + QStringLiteral("/taviro.db");
    QFile dbFile(dbPath);
    if (dbFile.open(QIODevice::Append))
        dbFile.close();
    dbFile.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    m_db = std::make_unique<Database>();
    if (!m_db->open(dbPath)) {
        *error = QStringLiteral("Cannot open the database in ") + m_options.dataFolder;
        return false;
    }
    m_photos = std::make_unique<PhotoStore>(m_options.dataFolder);

    const QString cert = m_options.certFolder + QStringLiteral("/taviro-service.pem");
    const QString key = m_options.certFolder + QStringLiteral("/taviro-service.key");
    if (!QFile::exists(cert) || !QFile::exists(key)) {
        *error = QStringLiteral("No certificate and key in ") + m_options.certFolder;
        return false;
    }
    const ConnectionBounds bounds;
    m_http = std::make_unique<BoundedServer<httplib::Server>>(bounds);
    m_https = std::make_unique<BoundedServer<httplib::SSLServer>>(bounds, QFile::encodeName(cert).constData(),
                                                                  QFile::encodeName(key).constData());
    if (!m_https->is_valid()) {
        *error = QStringLiteral("The certificate or key in %1 cannot be used").arg(m_options.certFolder);
        return false;
    }
    const std::string host = m_options.bindAddress.toStdString();
    auto bind = [&host](httplib::Server &server, int port) {
        if (port == 0)
            return server.bind_to_any_port(host);
        return server.bind_to_port(host, port) ? port : -1;
    };
    m_httpPort = bind(*m_http, m_options.httpPort);
    m_httpsPort = bind(*m_https, m_options.httpsPort);
    if (m_httpPort <= 0 || m_httpsPort <= 0) {
        *error = QStringLiteral("Cannot listen on %1 ports %2 and %3")
                     .arg(m_options.bindAddress)
                     .arg(m_options.httpPort)
                     .arg(m_options.httpsPort);
        return false;
    }

    // Pictures are always addressed through the plain web host.
    const QString webBase = QStringLiteral("http://%1:%2").arg(m_options.bindAddress).arg(m_httpPort);
    m_api = std::make_unique<ApiService>(*m_db, *m_photos, webBase);
    m_verifier = std::make_unique<RequestVerifier>(*m_db, *m_api);
    m_networks = std::make_unique<ExternalNetworks>(*m_db, *m_verifier);
    m_frontend = std::make_unique<HttpFrontend>(*m_db, *m_api, *m_verifier, *m_networks);
    m_frontend->install(*m_http, "http");
    m_frontend->install(*m_https, "https");
    return true;
}

void TaviroService::seedDemoIfEmpty()
{
    std::lock_guard<std::recursive_mutex> lock(m_db->mutex());
    if (!m_db->isEmpty()) {
        qCInfo(lcServer) << "The database already has a community: not seeding";
        return;
    }
    m_db->exec("BEGIN");
    DemoSeeder(*m_api, m_options.photoFolder).seed();
    m_db->exec("COMMIT");
}

void TaviroService::start()
{
    // A client gone mid-answer is a failed write, not the end of the process.
    std::signal(SIGPIPE, SIG_IGN);
    m_httpDone = false;
    m_httpsDone = false;
    m_httpThread = std::thread([this] {
        m_http->listen_after_bind();
        m_httpDone = true;
    });
    m_httpsThread = std::thread([this] {
        m_https->listen_after_bind();
        m_httpsDone = true;
    });
    qCInfo(lcServer).noquote() << QStringLiteral("Serving http://%1:%2 and https://%1:%3, data in %4")
                                      .arg(m_options.bindAddress)
                                      .arg(m_httpPort)
                                      .arg(m_httpsPort)
                                      .arg(m_options.dataFolder);
}

void TaviroService::stop()
{
    if (m_http)
        m_http->endConnections();
    if (m_https)
        m_https->endConnections();
    if (m_http)
        stopServing(*m_http, m_httpThread, m_httpDone);
    if (m_https)
        stopServing(*m_https, m_httpsThread, m_httpsDone);
}
