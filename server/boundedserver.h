#pragma once

#include <httplib.h>

#include <chrono>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>

/** How long a connection may hold one of the server's workers. */
struct ConnectionBounds
{
    // One whole request, from its first byte (for a new connection: from
    // the accept, TLS handshake included) to the last byte of its answer.
    std::chrono::milliseconds request{30000};
    // Waiting on a kept-alive connection for its next request.
    std::chrono::milliseconds idle{5000};
    int requestsPerConnection = 20;
    // Connections served at once; more wait for a free worker.
    size_t workers = 64;
};

namespace boundedserver {

using Process = std::function<bool(httplib::Stream &stream, bool lastRequest, bool &connectionClosed)>;

// Serves one accepted socket (over TLS when `tls` is set) within `bounds`,
// then closes it. `wakeFd` becoming readable ends it at once.
void serveConnection(int fd, const ConnectionBounds &bounds, int wakeFd, SSL_CTX *tls, const Process &process);
// Hides a multipart upload's type from cpp-httplib's own parser, which
// refuses the app's uploads (they end without a line break after the
// closing boundary), so that the body arrives raw for MultipartForm.
void prepareRequest(httplib::Request &request);
int createWakeFd();
void wake(int wakeFd);
void closeWakeFd(int wakeFd);

} // namespace boundedserver

// The Content-Type a request was sent with, also for an upload whose type
// was hidden from cpp-httplib (call it on the request's own thread).
std::string requestContentType(const httplib::Request &request);

/**
 * cpp-httplib's server (or its TLS server) with every request bounded as a
 * whole rather than per read, so that clients that trickle their requests
 * a byte at a time hold a worker for a bounded time only, and a pool sized
 * so that a handful of them leaves the others served.
 */
template <class Base>
class BoundedServer : public Base
{
public:
    template <class... Args>
    explicit BoundedServer(const ConnectionBounds &bounds, Args &&...args)
        : Base(std::forward<Args>(args)...)
        , m_bounds(bounds)
        , m_wakeFd(boundedserver::createWakeFd())
    {
        this->new_task_queue = [workers = bounds.workers] { return new httplib::ThreadPool(workers); };
    }
    ~BoundedServer() override { boundedserver::closeWakeFd(m_wakeFd); }

    // Ends every open connection at once; call before stop() when stopping.
    void endConnections() { boundedserver::wake(m_wakeFd); }

private:
    bool process_and_close_socket(socket_t sock) override
    {
        SSL_CTX *tls = nullptr;
        if constexpr (std::is_base_of_v<httplib::SSLServer, Base>)
            tls = this->ssl_context();
        boundedserver::serveConnection(sock, m_bounds, m_wakeFd, tls,
                                       [this](httplib::Stream &stream, bool last, bool &closed) {
                                           return this->process_request(stream, last, closed,
                                                                        boundedserver::prepareRequest);
                                       });
        return true;
    }

    ConnectionBounds m_bounds;
    int m_wakeFd;
};
