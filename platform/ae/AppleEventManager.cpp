#include "platform/ae/AppleEventManager.h"

#include "platform/ae/Frame.h"
#include "platform/ae/Logging.h"
#include "platform/ae/RuntimeDirectory.h"
#include "platform/ns/FrameServer.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ae
{

namespace
{

bool onMainThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace

AppleEventManager& AppleEventManager::sharedAppleEventManager()
{
    static AppleEventManager manager;
    return manager;
}

AppleEventManager::~AppleEventManager()
{
    releaseSocket();
}

bool AppleEventManager::listen(const QString& bundleIdentifier)
{
    if (!onMainThread()) {
        qCWarning(lcAppleEvents) << "listen needs the main thread of an application object";
        return false;
    }
    stopListening();
    const QString path = socketPath(bundleIdentifier);
    if (path.isEmpty())
        return false;

    // The lock beside the socket is held for as long as its process listens,
    // so a free lock means that a socket found there was left behind.
    const QByteArray lockPath = QFile::encodeName(path + QStringLiteral(".lock"));
    const int lockFd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0) {
        qCWarning(lcAppleEvents) << "cannot open" << lockPath << ":" << std::strerror(errno);
        return false;
    }
    if (::flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
        qCWarning(lcAppleEvents).noquote() << "another process already listens as" << bundleIdentifier;
        ::close(lockFd);
        return false;
    }
    ::unlink(QFile::encodeName(path).constData());

    const ns::Framing framing{Frame::kHeaderSize, &Frame::declaredLength};
    auto* server = new ns::FrameServer(
        &lcAppleEvents, framing, kMaxConnections,
        [this](ns::FrameConnection& connection, const QByteArray& bytes) { handleFrame(connection, bytes); },
        QCoreApplication::instance());
    QString error;
    if (!server->listen(path, &error)) {
        qCWarning(lcAppleEvents).noquote() << "cannot listen on" << path << ":" << error;
        delete server;
        ::close(lockFd);
        return false;
    }
    server_ = server;
    lockFd_ = lockFd;
    bundleIdentifier_ = bundleIdentifier;
    socketPath_ = path;
    return true;
}

void AppleEventManager::handleFrame(ns::FrameConnection& connection, const QByteArray& bytes)
{
    QString error;
    std::optional<Frame> frame = Frame::decode(bytes, &error);
    if (frame && frame->kind != Frame::Kind::Event)
        error = QStringLiteral("a reply where an event belongs");
    if (!frame || frame->kind != Frame::Kind::Event)
        return connection.close(QStringLiteral("frame refused: %1").arg(error));

    const QPointer<ns::FrameConnection> alive(&connection);
    Frame reply{Frame::Kind::Reply, false, noErr, {}};
    reply.status = dispatchEvent(frame->event, reply.event);
    // The handler may have run a nested event loop in which the sender went
    // away or this end was closed.
    if (!frame->replyWanted || !alive || !alive->isOpen())
        return;
    QByteArray answer = reply.encoded();
    if (answer.isEmpty()) {
        qCWarning(lcAppleEvents) << "reply too large to send";
        reply.status = errAEEventFailed;
        reply.event = AppleEvent(kCoreEventClass, kAEAnswer, Descriptor(), frame->event.returnID(),
                                 frame->event.transactionID());
        answer = reply.encoded();
    }
    connection.write(answer);
}

void AppleEventManager::stopListening()
{
    if (server_) {
        // Connections end now; the objects go once the current handler, if
        // any, has returned to the event loop.
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
    releaseSocket();
}

void AppleEventManager::releaseSocket()
{
    if (lockFd_ < 0)
        return;
    // The socket goes before the lock, so that it never removes a successor's.
    ::unlink(QFile::encodeName(socketPath_).constData());
    ::close(lockFd_);
    lockFd_ = -1;
    socketPath_.clear();
    bundleIdentifier_.clear();
}

bool AppleEventManager::isListening() const
{
    return server_ && server_->isListening();
}

void AppleEventManager::setEventHandler(OSType eventClass, OSType eventID, EventHandler handler)
{
    handlers_[{eventClass, eventID}] = std::move(handler);
}

void AppleEventManager::removeEventHandler(OSType eventClass, OSType eventID)
{
    handlers_.erase({eventClass, eventID});
}

OSErr AppleEventManager::dispatchEvent(const AppleEvent& event, AppleEvent& reply)
{
    reply = AppleEvent(kCoreEventClass, kAEAnswer, Descriptor(), event.returnID(), event.transactionID());
    const auto it = handlers_.find({event.eventClass(), event.eventID()});
    if (it == handlers_.end())
        return errAEEventNotHandled;
    const EventHandler handler = it->second; // a copy: the handler may replace or remove itself
    handler(event, reply);
    return noErr;
}

bool AppleEventManager::handlesInCallingThread(const QString& bundleIdentifier) const
{
    return onMainThread() && isListening() && bundleIdentifier_ == bundleIdentifier;
}

} // namespace ae
