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

// Idle connections by socket path. A sender takes one out for the duration of
// an event, so threads never share one, and puts it back when it is clean.
class ConnectionPool
{
public:
    static ConnectionPool& instance()
    {
        static ConnectionPool pool;
        return pool;
    }

    ClientSocket take(const QString& path)
    {
        QMutexLocker lock(&mutex_);
        auto it = idle_.find(path);
        if (it == idle_.end())
            return {};
        ClientSocket socket = std::move(it->second);
        idle_.erase(it);
        return socket;
    }

    void giveBack(const QString& path, ClientSocket&& socket)
    {
        QMutexLocker lock(&mutex_);
        idle_.try_emplace(path, std::move(socket)); // when another is already idle there, this one closes
    }

private:
    QMutex mutex_;
    std::map<QString, ClientSocket> idle_;
};

// Writes the frame on a pooled connection to path, or on a new one when none
// is idle or the pooled one turns out to be closed by a target that went away.
OSErr deliver(const QString& path, const QByteArray& bytes, const QDeadlineTimer& deadline,
              ClientSocket& socket)
{
    socket = ConnectionPool::instance().take(path);
    if (socket.isConnected() && socket.isIdle()) {
        // A refused write means the target never took the event in: it is safe to send again.
        const OSErr err = socket.write(bytes, deadline);
        if (err != connectionInvalid)
            return err;
    }
    if (const OSErr err = socket.connectTo(path, deadline))
        return err;
    return socket.write(bytes, deadline);
}

OSErr receiveReply(ClientSocket& socket, AEReturnID returnID, const QDeadlineTimer& deadline, Frame& reply)
{
    QByteArray header;
    if (const OSErr err = socket.read(Frame::kHeaderSize, header, deadline))
        return err;
    QString error;
    std::optional<Frame> frame;
    if (const std::optional<int> length = Frame::declaredLength(header, &error)) {
        QByteArray body;
        if (const OSErr err = socket.read(*length - Frame::kHeaderSize, body, deadline))
            return err;
        frame = Frame::decode(header + body, &error);
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
    const QString path = socketPath(bundleIdentifier);
    if (path.isEmpty())
        return procNotFound;

    ClientSocket socket;
    if (const OSErr err = deliver(path, bytes, deadline, socket))
        return err;
    if (waitReply) {
        Frame answer;
        if (const OSErr err = receiveReply(socket, frame.event.returnID(), deadline, answer))
            return err;
        if (reply)
            *reply = std::move(answer.event);
        ConnectionPool::instance().giveBack(path, std::move(socket));
        return answer.status;
    }
    ConnectionPool::instance().giveBack(path, std::move(socket));
    return noErr;
}

} // namespace ae
