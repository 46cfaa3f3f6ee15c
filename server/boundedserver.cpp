#include "server/boundedserver.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace {

using Clock = std::chrono::steady_clock;

thread_local std::string t_hiddenType;

// A non-blocking socket, plain or TLS, whose every wait ends at one
// deadline or when the wake descriptor fires.
class BoundedStream : public httplib::Stream
{
public:
    BoundedStream(int fd, int wakeFd)
        : m_fd(fd)
        , m_wakeFd(wakeFd)
    {
    }

    void setDeadline(Clock::time_point deadline) { m_deadline = deadline; }

    bool handshake(SSL *ssl)
    {
        m_ssl = ssl;
        SSL_set_fd(m_ssl, m_fd);
        while (true) {
            const int result = SSL_accept(m_ssl);
            if (result == 1)
                return true;
            if (!waitAfter(result))
                return false;
        }
    }

    bool is_readable() const override { return (m_ssl && SSL_pending(m_ssl) > 0) || wait(POLLIN); }
    bool is_writable() const override { return wait(POLLOUT); }

    ssize_t read(char *ptr, size_t size) override
    {
        const int length = int(std::min<size_t>(size, INT_MAX));
        while (true) {
            if (m_ssl) {
                const int n = SSL_read(m_ssl, ptr, length);
                if (n > 0)
                    return n;
                if (SSL_get_error(m_ssl, n) == SSL_ERROR_ZERO_RETURN)
                    return 0;
                if (!waitAfter(n))
                    return -1;
            } else {
                const ssize_t n = recv(m_fd, ptr, size_t(length), 0);
                if (n >= 0)
                    return n;
                if (errno != EINTR && (!wouldBlock() || !wait(POLLIN)))
                    return -1;
            }
        }
    }

    ssize_t write(const char *ptr, size_t size) override
    {
        const int length = int(std::min<size_t>(size, INT_MAX));
        while (true) {
            if (m_ssl) {
                const int n = SSL_write(m_ssl, ptr, length);
                if (n > 0)
                    return n;
                if (!waitAfter(n))
                    return -1;
            } else {
                const ssize_t n = send(m_fd, ptr, size_t(length), MSG_NOSIGNAL);
                if (n >= 0)
                    return n;
                if (errno != EINTR && (!wouldBlock() || !wait(POLLOUT)))
                    return -1;
            }
        }
    }

    void get_remote_ip_and_port(std::string &ip, int &port) const override { address(getpeername, ip, port); }
    void get_local_ip_and_port(std::string &ip, int &port) const override { address(getsockname, ip, port); }
    socket_t socket() const override { return m_fd; }

private:
    static bool wouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK; }

    // After a TLS call that did not complete: waits for what it wants.
    bool waitAfter(int result) const
    {
        switch (SSL_get_error(m_ssl, result)) {
        case SSL_ERROR_WANT_READ:
            return wait(POLLIN);
        case SSL_ERROR_WANT_WRITE:
            return wait(POLLOUT);
        default:
            return false;
        }
    }

    bool wait(short events) const
    {
        while (true) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - Clock::now());
            if (left.count() <= 0)
                return false;
            pollfd fds[2] = {{m_fd, events, 0}, {m_wakeFd, POLLIN, 0}};
            const int ready = poll(fds, 2, int(std::min<long long>(left.count(), INT_MAX)));
            if (ready < 0 && errno == EINTR)
                continue;
            return ready > 0 && fds[1].revents == 0 && (fds[0].revents & (events | POLLHUP | POLLERR)) != 0;
        }
    }

    template <class Query>
    void address(Query query, std::string &ip, int &port) const
    {
        sockaddr_storage storage{};
        socklen_t length = sizeof(storage);
        ip.clear();
        port = 0;
        if (query(m_fd, reinterpret_cast<sockaddr *>(&storage), &length) != 0)
            return;
        char text[INET6_ADDRSTRLEN] = {};
        if (storage.ss_family == AF_INET) {
            const auto *in = reinterpret_cast<const sockaddr_in *>(&storage);
            inet_ntop(AF_INET, &in->sin_addr, text, sizeof(text));
            port = ntohs(in->sin_port);
        } else if (storage.ss_family == AF_INET6) {
            const auto *in = reinterpret_cast<const sockaddr_in6 *>(&storage);
            inet_ntop(AF_INET6, &in->sin6_addr, text, sizeof(text));
            port = ntohs(in->sin6_port);
        }
        ip = text;
    }

    int m_fd;
    int m_wakeFd;
    SSL *m_ssl = nullptr;
    Clock::time_point m_deadline = Clock::now();
};

} // namespace

namespace boundedserver {

void serveConnection(int fd, const ConnectionBounds &bounds, int wakeFd, SSL_CTX *tls, const Process &process)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    BoundedStream stream(fd, wakeFd);
    stream.setDeadline(Clock::now() + bounds.request);
    SSL *ssl = tls ? SSL_new(tls) : nullptr;
    bool open = !tls || (ssl && stream.handshake(ssl));
    for (int served = 0; open && served < bounds.requestsPerConnection; ++served) {
        if (served > 0) {
            stream.setDeadline(Clock::now() + bounds.idle);
            if (!stream.is_readable())
                break;
            stream.setDeadline(Clock::now() + bounds.request);
        }
        bool closed = false;
        open = process(stream, served + 1 == bounds.requestsPerConnection, closed) && !closed;
    }
    if (ssl) {
        SSL_shutdown(ssl);
        SSL_free(ssl);
    }
    shutdown(fd, SHUT_RDWR);
    close(fd);
}

void prepareRequest(httplib::Request &request)
{
    t_hiddenType.clear();
    if (!request.is_multipart_form_data())
        return;
    t_hiddenType = request.get_header_value("Content-Type");
    request.headers.erase("Content-Type");
    request.headers.emplace("Content-Type", "application/octet-stream");
}

int createWakeFd()
{
    return eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

void wake(int wakeFd)
{
    const uint64_t one = 1;
    // A full counter has woken every connection already.
    const ssize_t written = ::write(wakeFd, &one, sizeof(one));
    static_cast<void>(written);
}

void closeWakeFd(int wakeFd)
{
    if (wakeFd >= 0)
        close(wakeFd);
}

} // namespace boundedserver

std::string requestContentType(const httplib::Request &request)
{
    return t_hiddenType.empty() ? request.get_header_value("Content-Type") : t_hiddenType;
}
