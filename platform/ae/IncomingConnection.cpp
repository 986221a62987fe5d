#include "platform/ae/IncomingConnection.h"

#include "platform/ae/AppleEventManager.h"
#include "platform/ae/Frame.h"
#include "platform/ae/Logging.h"

#include <QLocalSocket>
#include <QPointer>

namespace ae
{

namespace
{

// How much the socket reads ahead of the frame being assembled.
constexpr qint64 kReadAhead = 64 * 1024;

} // namespace

IncomingConnection::IncomingConnection(QLocalSocket* socket, AppleEventManager& manager, QObject* parent)
    : QObject(parent), socket_(socket), manager_(manager)
{
    socket_->setParent(this);
    socket_->setReadBufferSize(kReadAhead);
    connect(socket_, &QLocalSocket::readyRead, this, &IncomingConnection::readFrames);
    connect(socket_, &QLocalSocket::disconnected, this, &QObject::deleteLater);
}

void IncomingConnection::close()
{
    pending_.clear();
    socket_->abort();
}

void IncomingConnection::refuse(const QString& reason)
{
    qCWarning(lcAppleEvents).noquote() << "frame refused, connection closed:" << reason;
    close();
}

void IncomingConnection::readFrames()
{
    const QPointer<IncomingConnection> alive(this);
    while (socket_->bytesAvailable() > 0) {
        if (pending_.size() < Frame::kHeaderSize) {
            pending_ += socket_->read(Frame::kHeaderSize - pending_.size());
            if (pending_.size() < Frame::kHeaderSize)
                return;
        }
        QString error;
        const std::optional<int> length = Frame::declaredLength(pending_, &error);
        if (!length)
            return refuse(error);
        pending_ += socket_->read(*length - pending_.size());
        if (pending_.size() < *length)
            return;

        std::optional<Frame> frame = Frame::decode(pending_, &error);
        pending_.clear(); // before the handler, which may run a nested event loop that reads on
        if (frame && frame->kind != Frame::Kind::Event)
            error = QStringLiteral("a reply where an event belongs");
        if (!frame || frame->kind != Frame::Kind::Event)
            return refuse(error);

        Frame reply{Frame::Kind::Reply, false, noErr, {}};
        reply.status = manager_.dispatchEvent(frame->event, reply.event);
        if (!alive)
            return; // deleted while the handler ran a nested event loop
        if (!frame->replyWanted)
            continue;
        if (socket_->state() != QLocalSocket::ConnectedState)
            return; // the sender is gone, or this end was closed while the handler ran
        QByteArray bytes = reply.encoded();
        if (bytes.isEmpty()) {
            qCWarning(lcAppleEvents) << "reply too large to send";
            reply.status = errAEEventFailed;
            reply.event = AppleEvent(kCoreEventClass, kAEAnswer, Descriptor(), frame->event.returnID(),
                                     frame->event.transactionID());
            bytes = reply.encoded();
        }
        socket_->write(bytes);
        socket_->flush();
    }
}

} // namespace ae
