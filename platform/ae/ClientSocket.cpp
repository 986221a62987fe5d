#include "platform/ae/ClientSocket.h"

#include "platform/ae/Logging.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace ae
{

ClientSocket::ClientSocket(ClientSocket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

ClientSocket& ClientSocket::operator=(ClientSocket&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

ClientSocket::~ClientSocket()
{
    close();
}

void ClientSocket::close()
{
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
}

OSErr ClientSocket::connectTo(const QString& path, const QDeadlineTimer& deadline)
{
    close();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.size() >= qsizetype(sizeof address.sun_path))
        return procNotFound;
    std::memcpy(address.sun_path, encoded.constData(), encoded.size());

    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        qCWarning(lcAppleEvents) << "cannot create a socket:" << std::strerror(errno);
        return connectionInvalid;
    }
    // A blocking connect waits only while the listener's backlog is full; the
    // send time-out bounds that wait.
    for (;;) {
        const qint64 ms = deadline.remainingTime();
        timeval limit{}; // zero waits for ever
        if (ms > 0) {
            limit.tv_sec = ms / 1000;
            limit.tv_usec = (ms % 1000) * 1000;
        } else if (ms == 0) {
            limit.tv_usec = 1; // expired: give up at once
        }
        setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            break;
        const int error = errno;
        if (error == EISCONN) // an interrupted attempt that completed after all
            break;
        if (error == EINTR && !deadline.hasExpired())
            continue;
        close();
        if (error == ENOENT || error == ECONNREFUSED || error == ENOTDIR)
            return procNotFound;
        if (error == EAGAIN || error == EINPROGRESS || error == EINTR)
            return errAETimeout;
        qCWarning(lcAppleEvents).noquote() << "cannot connect to" << path << ":" << std::strerror(error);
        return procNotFound;
    }
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
    return noErr;
}

bool ClientSocket::isIdle() const
{
    if (fd_ < 0)
        return false;
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) == 0;
}

OSErr ClientSocket::waitFor(short events, const QDeadlineTimer& deadline) const
{
    for (;;) {
        pollfd p{fd_, events, 0};
        const int ready = ::poll(&p, 1, int(qMin<qint64>(deadline.remainingTime(), INT_MAX)));
        if (ready > 0)
            return noErr; // an error or hang-up shows in the read or write that follows
        if (ready == 0)
            return errAETimeout;
        if (errno != EINTR)
            return connectionInvalid;
    }
}

OSErr ClientSocket::write(QByteArrayView bytes, const QDeadlineTimer& deadline)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (const OSErr err = waitFor(POLLOUT, deadline))
                return err;
            continue;
        }
        return connectionInvalid;
    }
    return noErr;
}

OSErr ClientSocket::read(qsizetype size, QByteArray& out, const QDeadlineTimer& deadline)
{
    out.resize(size);
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::recv(fd_, out.data() + done, size - done, 0);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n == 0)
            return connectionInvalid;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (const OSErr err = waitFor(POLLIN, deadline))
                return err;
            continue;
        }
        return connectionInvalid;
    }
    return noErr;
}

} // namespace ae
