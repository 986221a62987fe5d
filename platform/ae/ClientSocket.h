#pragma once

#include "platform/ae/Types.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QString>

namespace ae
{

// The sending end of a connection to a listening process. Every call blocks
// the calling thread, never past its deadline, and needs no event loop. The
// results are AESend's: noErr, procNotFound (nobody listens), errAETimeout,
// connectionInvalid (the peer closed or died).
class ClientSocket
{
public:
    ClientSocket() = default;
    ClientSocket(ClientSocket&& other) noexcept;
    ClientSocket& operator=(ClientSocket&& other) noexcept;
    ClientSocket(const ClientSocket&) = delete;
    ClientSocket& operator=(const ClientSocket&) = delete;
    ~ClientSocket();

    OSErr connectTo(const QString& path, const QDeadlineTimer& deadline);
    bool isConnected() const { return fd_ >= 0; }
    // True while the connection can carry another event: the peer has neither
    // closed it nor sent anything that was not asked for.
    bool isIdle() const;
    void close();

    OSErr write(QByteArrayView bytes, const QDeadlineTimer& deadline);
    // Reads exactly size bytes into out.
    OSErr read(qsizetype size, QByteArray& out, const QDeadlineTimer& deadline);

private:
    // Waits until the socket is ready for events (POLLIN or POLLOUT).
    OSErr waitFor(short events, const QDeadlineTimer& deadline) const;

    int fd_ = -1;
};

} // namespace ae
