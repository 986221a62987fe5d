#include "platform/ae/ClientSocket.h"

#include "platform/ae/Logging.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace ae
{

namespace
{
constexpr qint64 kTicksPerSecond = 60;
} // namespace

ClientSocket::ClientSocket(ClientSocket&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), receiveTimeoutMs_(other.receiveTimeoutMs_)
{
}

ClientSocket& ClientSocket::operator=(ClientSocket&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        receiveTimeoutMs_ = other.receiveTimeoutMs_;
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
    receiveTimeoutMs_ = 0;
    return noErr;
}

OSErr ClientSocket::waitForWritable(const QDeadlineTimer& deadline) const
{
    for (;;) {
        pollfd p{fd_, POLLOUT, 0};
        const int ready = ::poll(&p, 1, int(qMin<qint64>(deadline.remainingTime(), INT_MAX)));
        if (ready > 0)
            return noErr; // an error or hang-up shows in the write that follows
        if (ready == 0)
            return errAETimeout;
        if (errno != EINTR)
            return connectionInvalid;
    }
}

void ClientSocket::setReceiveTimeout(const QDeadlineTimer& deadline)
{
    // Whole ticks, rounded up: the same as for the event before, usually, and
    // then left as it is. A read gives up at most a tick after the deadline.
    qint64 ms = 0; // waits for ever
    if (!deadline.isForever()) {
        const qint64 ticks = (qMax<qint64>(1, deadline.remainingTime()) * kTicksPerSecond + 999) / 1000;
        ms = (ticks * 1000 + kTicksPerSecond - 1) / kTicksPerSecond;
    }
    if (ms == receiveTimeoutMs_)
        return;
    timeval limit{};
    limit.tv_sec = ms / 1000;
    limit.tv_usec = (ms % 1000) * 1000;
    if (setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit) == 0)
        receiveTimeoutMs_ = ms;
}

OSErr ClientSocket::write(QByteArrayView bytes, const QDeadlineTimer& deadline)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::send(fd_, bytes.data() + done, size_t(bytes.size() - done), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (const OSErr err = waitForWritable(deadline))
                return err;
            continue;
        }
        return connectionInvalid;
    }
    return noErr;
}

OSErr ClientSocket::read(qsizetype size, QByteArray& out, const QDeadlineTimer& deadline)
{
    return readSome(size, size, out, deadline);
}

OSErr ClientSocket::readSome(qsizetype size, qsizetype limit, QByteArray& out, const QDeadlineTimer& deadline)
{
    out.resize(limit);
    qsizetype done = 0;
    while (done < size) {
        // The socket blocks until something arrives or its time-out passes.
        const bool expired = deadline.hasExpired();
        if (!expired)
            setReceiveTimeout(deadline);
        const ssize_t n = ::recv(fd_, out.data() + done, size_t(limit - done), expired ? MSG_DONTWAIT : 0);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (deadline.hasExpired())
                return errAETimeout;
            continue;
        }
        return connectionInvalid; // closed by the peer, or broken
    }
    out.resize(done);
    return noErr;
}

} // namespace ae
