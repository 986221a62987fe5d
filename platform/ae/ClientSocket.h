#pragma once

#include "platform/ae/Types.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDeadlineTimer>
#include <QString>

namespace ae
{

// The sending end of a connection to a listening process. Every call blocks
// the calling thread, never past its deadline (a read at most a tick, 1/60 s,
// past it), and needs no event loop. The
// results are AESend's: noErr, procNotFound (nobody listens), errAETimeout,
// connectionInvalid (the peer closed or died). A write that the socket takes
// at once is one system call, and so is a read of what has already arrived or
// arrives within the deadline.
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
    void close();

    OSErr write(QByteArrayView bytes, const QDeadlineTimer& deadline);
    // Reads exactly size bytes into out.
    OSErr read(qsizetype size, QByteArray& out, const QDeadlineTimer& deadline);
    // Reads at least size bytes and at most limit into out: what has arrived
    // beyond the first size bytes comes with them.
    OSErr readSome(qsizetype size, qsizetype limit, QByteArray& out, const QDeadlineTimer& deadline);

private:
    // Waits until the socket can be written to.
    OSErr waitForWritable(const QDeadlineTimer& deadline) const;
    // Makes a blocking read give up when the deadline passes (in whole ticks).
    void setReceiveTimeout(const QDeadlineTimer& deadline);

    int fd_ = -1;
    qint64 receiveTimeoutMs_ = 0; // what the socket has now; 0 waits for ever
};

} // namespace ae
