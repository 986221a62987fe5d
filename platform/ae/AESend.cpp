#include "platform/ae/AESend.h"

#include "platform/ae/AppleEventManager.h"
#include "platform/ae/ClientSocket.h"
#include "platform/ae/Frame.h"
#include "platform/ae/Logging.h"
#include "platform/ae/RuntimeDirectory.h"

#include <QMutex>

#include <atomic>
#include <map>

namespace ae
{

namespace
{

constexpr long kTicksPerSecond = 60;
constexpr long kDefaultTimeoutTicks = 60 * kTicksPerSecond;

QDeadlineTimer deadlineAfter(long ticks)
{
    if (ticks == kNoTimeOut)
        return QDeadlineTimer(QDeadlineTimer::Forever);
    if (ticks == kAEDefaultTimeout)
        ticks = kDefaultTimeoutTicks;
    return QDeadlineTimer(qMax(0L, ticks) * 1000 / kTicksPerSecond);
}

AEReturnID nextReturnID()
{
    static std::atomic<quint32> sent{0};
    return AEReturnID(sent.fetch_add(1) % 0x7fffffff + 1); // 1 to INT_MAX, never the reserved -1 or 0
}

// A reply is usually a few dozen bytes: one read of this much takes it whole.
constexpr qsizetype kReplyReadAhead = 4096;

// Connections by target bundle identifier, kept from one event to the next. A
// sender takes one out for the duration of an event, so threads never share
// one, and puts it back when it is clean.
class ConnectionPool
{
public:
    static ConnectionPool& instance()
    {
        static ConnectionPool pool;
        return pool;
    }

    ClientSocket take(const QString& bundleIdentifier)
    {
        QMutexLocker lock(&mutex_);
        auto it = idle_.find(bundleIdentifier);
        if (it == idle_.end())
            return {};
        ClientSocket socket = std::move(it->second);
        idle_.erase(it);
        return socket;
    }

    void giveBack(const QString& bundleIdentifier, ClientSocket&& socket)
    {
        QMutexLocker lock(&mutex_);
        // When another is already idle there, this one closes.
        idle_.try_emplace(bundleIdentifier, std::move(socket));
    }

private:
    QMutex mutex_;
    std::map<QString, ClientSocket> idle_;
};

// Writes the frame on the kept connection to the target. The target's socket
// is looked up only when there is none, or when the kept one turns out to be
// closed by a target that went away: a refused write means that the target
// never took the event in, so it is safe to send it again on a new connection.
OSErr deliver(const QString& bundleIdentifier, const QByteArray& bytes, const QDeadlineTimer& deadline,
              ClientSocket& socket)
{
    socket = ConnectionPool::instance().take(bundleIdentifier);
    if (socket.isConnected()) {
        const OSErr err = socket.write(bytes, deadline);
        if (err != connectionInvalid)
            return err;
    }
    const QString path = socketPath(bundleIdentifier);
    if (path.isEmpty())
        return procNotFound;
    if (const OSErr err = socket.connectTo(path, deadline))
        return err;
    return socket.write(bytes, deadline);
}

OSErr receiveReply(ClientSocket& socket, AEReturnID returnID, const QDeadlineTimer& deadline, Frame& reply)
{
    QByteArray bytes;
    if (const OSErr err = socket.readSome(Frame::kHeaderSize, kReplyReadAhead, bytes, deadline))
        return err;
    QString error;
    std::optional<Frame> frame;
    if (const std::optional<int> length = Frame::declaredLength(bytes, &error)) {
        if (bytes.size() < *length) {
            QByteArray rest;
            if (const OSErr err = socket.read(*length - bytes.size(), rest, deadline))
                return err;
            bytes += rest;
        }
        if (bytes.size() > *length)
            error = QStringLiteral("more bytes than the reply came with it");
        else
            frame = Frame::decode(bytes, &error);
    }
    if (frame && (frame->kind != Frame::Kind::Reply || frame->event.returnID() != returnID)) {
        frame.reset();
        error = QStringLiteral("it answers another event");
    }
    if (!frame) {
        qCWarning(lcAppleEvents).noquote() << "reply refused:" << error;
        return connectionInvalid;
    }
    reply = std::move(*frame);
    return noErr;
}

} // namespace

OSErr AESend(const AppleEvent& event, AppleEvent* reply, int sendMode, int priority, long timeOutInTicks)
{
    Q_UNUSED(priority); // events to one target are delivered in the order sent
    if (reply)
        *reply = AppleEvent();
    const int mode = sendMode & kAEWaitReply;
    if (mode != kAENoReply && mode != kAEWaitReply)
        return paramErr;
    const bool waitReply = mode == kAEWaitReply;
    const QDeadlineTimer deadline = deadlineAfter(timeOutInTicks);

    Frame frame{Frame::Kind::Event, waitReply, noErr, event};
    if (frame.event.returnID() == kAutoGenerateReturnID)
        frame.event.setReturnID(nextReturnID());

    const QString bundleIdentifier = event.targetBundleIdentifier();
    if (bundleIdentifier.isEmpty())
        return procNotFound;
    AppleEventManager& manager = AppleEventManager::sharedAppleEventManager();
    if (waitReply && manager.handlesInCallingThread(bundleIdentifier)) {
        AppleEvent answer;
        const OSErr result = manager.dispatchEvent(frame.event, answer);
        if (reply)
            *reply = std::move(answer);
        return result;
    }

    const QByteArray bytes = frame.encoded();
    if (bytes.isEmpty()) {
        qCWarning(lcAppleEvents) << "event too large to send";
        return paramErr;
    }

    ClientSocket socket;
    if (const OSErr err = deliver(bundleIdentifier, bytes, deadline, socket))
        return err;
    if (waitReply) {
        Frame answer;
        if (const OSErr err = receiveReply(socket, frame.event.returnID(), deadline, answer))
            return err;
        if (reply)
            *reply = std::move(answer.event);
        ConnectionPool::instance().giveBack(bundleIdentifier, std::move(socket));
        return answer.status;
    }
    ConnectionPool::instance().giveBack(bundleIdentifier, std::move(socket));
    return noErr;
}

} // namespace ae
