#include "platform/ns/FrameServer.h"

#include <QFile>
#include <QLoggingCategory>
#include <QPointer>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace ns
{

namespace
{

// How much is read beyond the frame begun, so that frames sent close together
// are taken in with one read.
constexpr qsizetype kReadAhead = 16 * 1024;

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

// ---- connection ----

FrameConnection::FrameConnection(int fd, FrameServer& server)
    : QObject(&server), fd_(fd), server_(server),
      reader_(new QSocketNotifier(fd, QSocketNotifier::Read, this)),
      writer_(new QSocketNotifier(fd, QSocketNotifier::Write, this))
{
    server_.connections_.append(this);
    ++server_.openConnections_;
    writer_->setEnabled(false);
    connect(reader_, &QSocketNotifier::activated, this, &FrameConnection::readFrames);
    connect(writer_, &QSocketNotifier::activated, this, &FrameConnection::writePending);
}

FrameConnection::~FrameConnection()
{
    if (isOpen()) {
        ::close(fd_);
        --server_.openConnections_;
    }
    server_.connections_.removeOne(this);
}

void FrameConnection::close(const QString& reason)
{
    if (!isOpen())
        return;
    if (!reason.isEmpty())
        qCWarning(server_.category_).noquote() << reason << "- connection closed";
    reader_->setEnabled(false);
    writer_->setEnabled(false);
    ::close(std::exchange(fd_, -1));
    --server_.openConnections_;
    buffer_.clear();
    pending_.clear();
    // Deleted once the handler that may be running for it has returned.
    deleteLater();
}

void FrameConnection::readFrames()
{
    const QPointer<FrameConnection> alive(this);
    const int headerSize = server_.framing_.headerSize;
    while (isOpen() && pending_.isEmpty()) {
        // The rest of the frame begun (or of its header), and what follows it.
        qsizetype rest = headerSize - buffer_.size();
        if (rest <= 0) {
            const std::optional<int> length =
                server_.framing_.frameLength(QByteArrayView(buffer_).first(headerSize), nullptr);
            rest = length ? *length - buffer_.size() : 0; // a refused one was closed before
        }
        const qsizetype want = std::max(rest, kReadAhead);
        const qsizetype have = buffer_.size();
        buffer_.resize(have + want);
        const ssize_t n = ::recv(fd_, buffer_.data() + have, size_t(want), MSG_DONTWAIT);
        buffer_.resize(have + std::max<ssize_t>(n, 0));
        if (n == 0)
            return close(); // the peer is done
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                close(QStringLiteral("cannot read from a peer: %1").arg(lastError()));
            return;
        }
        handleBufferedFrames();
        if (!alive || n < want)
            return; // gone, or the socket holds nothing more for now
    }
}

void FrameConnection::handleBufferedFrames()
{
    const QPointer<FrameConnection> alive(this);
    const Framing& framing = server_.framing_;
    while (isOpen() && pending_.isEmpty() && buffer_.size() >= framing.headerSize) {
        QString error;
        const std::optional<int> length =
            framing.frameLength(QByteArrayView(buffer_).first(framing.headerSize), &error);
        if (!length || *length < framing.headerSize)
            return close(QStringLiteral("frame refused: %1").arg(error));
        if (buffer_.size() < *length)
            return;
        // Out of the buffer before the handler runs, which may run a nested
        // event loop that reads on.
        QByteArray frame;
        if (buffer_.size() == *length) {
            frame = std::exchange(buffer_, QByteArray());
        } else {
            frame = buffer_.first(*length);
            buffer_.remove(0, *length);
        }
        server_.handler_(*this, frame);
        if (!alive)
            return;
    }
}

void FrameConnection::write(const QByteArray& bytes)
{
    if (!isOpen())
        return;
    if (!pending_.isEmpty()) {
        pending_ += bytes;
        return;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::send(fd_, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0)
            done += n;
        else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        else if (n == 0 || errno != EINTR)
            return close(); // the peer is gone
    }
    if (done == bytes.size())
        return;
    pending_ = bytes.sliced(done);
    updateNotifiers();
}

void FrameConnection::writePending()
{
    const QByteArray bytes = std::exchange(pending_, QByteArray());
    updateNotifiers();
    write(bytes);
    if (isOpen() && pending_.isEmpty())
        handleBufferedFrames(); // those read before the peer stopped reading
}

void FrameConnection::updateNotifiers()
{
    reader_->setEnabled(pending_.isEmpty());
    writer_->setEnabled(!pending_.isEmpty());
}

// ---- server ----

FrameServer::FrameServer(LoggingCategory category, Framing framing, int maxConnections, FrameHandler handler,
                         QObject* parent)
    : QObject(parent), category_(category), framing_(std::move(framing)), maxConnections_(maxConnections),
      handler_(std::move(handler))
{
}

FrameServer::~FrameServer()
{
    close();
    // Connections go with the server, not later.
    for (FrameConnection* connection : QList<FrameConnection*>(connections_))
        delete connection;
}

bool FrameServer::listen(const QString& path, QString* error)
{
    close();
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (encoded.isEmpty() || encoded.size() >= qsizetype(sizeof address.sun_path)) {
        if (error)
            *error = QStringLiteral("the path does not fit a socket address");
        return false;
    }
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    // The mode is set before the socket listens, so no peer of another user can
    // ever connect, whatever the umask gave it.
    const bool ok = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                    ::chmod(encoded.constData(), 0600) == 0 && ::listen(fd, SOMAXCONN) == 0;
    if (!ok) {
        if (error)
            *error = lastError();
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    fd_ = fd;
    acceptor_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(acceptor_, &QSocketNotifier::activated, this, &FrameServer::acceptConnections);
    return true;
}

void FrameServer::close()
{
    for (FrameConnection* connection : QList<FrameConnection*>(connections_))
        connection->close();
    if (fd_ < 0)
        return;
    delete acceptor_;
    acceptor_ = nullptr;
    ::close(std::exchange(fd_, -1));
}

void FrameServer::acceptConnections()
{
    for (;;) {
        const int peer = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (peer < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                qCWarning(category_).noquote() << "cannot take a connection:" << lastError();
            return;
        }
        if (openConnections_ >= maxConnections_) {
            qCWarning(category_).noquote()
                << "a peer refused: already" << openConnections_ << "connections, the most taken";
            ::close(peer);
            continue;
        }
        new FrameConnection(peer, *this);
    }
}

} // namespace ns
