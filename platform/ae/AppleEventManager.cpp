#include "platform/ae/AppleEventManager.h"

#include "platform/ae/IncomingConnection.h"
#include "platform/ae/Logging.h"
#include "platform/ae/RuntimeDirectory.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
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

    auto* server = new QLocalServer(QCoreApplication::instance());
    if (!server->listen(path)) {
        qCWarning(lcAppleEvents).noquote() << "cannot listen on" << path << ":" << server->errorString();
        delete server;
        ::close(lockFd);
        return false;
    }
    server_ = server;
    lockFd_ = lockFd;
    bundleIdentifier_ = bundleIdentifier;
    socketPath_ = path;
    QObject::connect(server, &QLocalServer::newConnection, server, [this] { acceptConnections(); });
    return true;
}

void AppleEventManager::acceptConnections()
{
    // Data already waiting on a new connection is announced by its readyRead,
    // so no handler runs while connections are being taken.
    while (QLocalSocket* socket = server_->nextPendingConnection())
        new IncomingConnection(socket, *this, server_);
}

void AppleEventManager::stopListening()
{
    if (server_) {
        server_->close();
        // Connections end now; the objects go once the current handler, if
        // any, has returned to the event loop.
        for (IncomingConnection* connection : server_->findChildren<IncomingConnection*>())
            connection->close();
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
