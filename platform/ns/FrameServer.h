#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLoggingCategory;
class QSocketNotifier;

namespace ns
{

// How a byte stream divides into frames: each frame starts with a header of
// headerSize bytes, from which frameLength reads the frame's whole length
// (header included), or refuses it (nullopt, with the reason in error) when
// that length is out of bounds. The longest length it accepts bounds what a
// peer can make this process hold.
struct Framing {
    int headerSize = 0;
    std::function<std::optional<int>(QByteArrayView header, QString* error)> frameLength;
};

class FrameServer;

// One peer of a FrameServer. Reads whole frames straight from its descriptor
// and hands each to the server's handler; writes what is sent back. Deletes
// itself once closed.
class FrameConnection : public QObject
{
public:
    // Sends bytes to the peer: at once when the socket takes them, else as the
    // peer reads them; until they are all gone, no more frames are read from it.
    void write(const QByteArray& bytes);
    // Closes the connection (logged with the reason when one is given).
    void close(const QString& reason = QString());
    bool isOpen() const { return fd_ >= 0; }

private:
    friend class FrameServer;
    FrameConnection(int fd, FrameServer& server);
    ~FrameConnection() override;

    void readFrames();
    void handleBufferedFrames();
    void writePending();
    void updateNotifiers();

    int fd_;
    FrameServer& server_;
    QSocketNotifier* reader_;
    QSocketNotifier* writer_;
    QByteArray buffer_;  // bytes read ahead of the frames handled so far
    QByteArray pending_; // bytes written that the socket has not taken yet
};

// A listening Unix-domain stream socket on the thread's event loop, open to
// this user only (mode 0600 whatever the umask). It takes at most
// maxConnections peers at a time; a frame whose header the framing refuses
// closes its connection, with a log line in the given category.
class FrameServer : public QObject
{
public:
    using FrameHandler = std::function<void(FrameConnection& connection, const QByteArray& frame)>;
    using LoggingCategory = const QLoggingCategory& (*)();

    FrameServer(LoggingCategory category, Framing framing, int maxConnections, FrameHandler handler,
                QObject* parent = nullptr);
    ~FrameServer() override;

    // Listens on path, where nothing may exist yet; false with the reason in error.
    bool listen(const QString& path, QString* error = nullptr);
    // Stops listening and closes every connection (the socket file stays).
    void close();
    bool isListening() const { return fd_ >= 0; }
    int connectionCount() const { return openConnections_; }

private:
    friend class FrameConnection;
    void acceptConnections();

    LoggingCategory category_;
    Framing framing_;
    int maxConnections_;
    FrameHandler handler_;
    int fd_ = -1;
    QSocketNotifier* acceptor_ = nullptr;
    QList<FrameConnection*> connections_; // closed ones too, until they are deleted
    int openConnections_ = 0;
};

} // namespace ns
