#include "platform/ns/DistributedNotificationCenter.h"

#include "platform/ns/NotificationFrame.h"
#include "platform/ns/RuntimeDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtDebug>

#include <algorithm>

#include <unistd.h>

namespace ns
{

namespace
{

const QString kFolder = QStringLiteral("notifications");

} // namespace

DistributedNotificationCenter& DistributedNotificationCenter::defaultCenter()
{
    static DistributedNotificationCenter* center =
        new DistributedNotificationCenter; // lives as long as the process
    return *center;
}

DistributedNotificationCenter::DistributedNotificationCenter() = default;

DistributedNotificationCenter::~DistributedNotificationCenter()
{
    if (!socketPath_.isEmpty())
        QFile::remove(socketPath_);
}

bool DistributedNotificationCenter::ensureListening()
{
    if (server_)
        return true;
    const QString dir = runtimeSubdirectory(kFolder);
    if (dir.isEmpty())
        return false;
    socketPath_ = dir + QStringLiteral("/%1.sock").arg(::getpid());
    QFile::remove(socketPath_); // a process of the same number that is gone
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_)) {
        qWarning("Distributed notifications: cannot listen on %s", qPrintable(socketPath_));
        server_.reset();
        return false;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            auto frames = std::make_shared<NotificationFrame::Reader>();
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            QObject::connect(peer, &QLocalSocket::readyRead, this, [this, peer, frames] {
                frames->append(peer->readAll());
                while (std::optional<QByteArray> body = frames->next())
                    deliver(*body);
                if (frames->refused()) {
                    qWarning("Distributed notifications: oversized frame refused");
                    peer->abort();
                }
            });
        }
    });
    return true;
}

void DistributedNotificationCenter::addObserver(Object* observer, const QString& selector,
                                                const QString& name, const QString& object)
{
    if (!observer || !ensureListening())
        return;
    registrations_.append({observer, selector, name, object, nextSerial_++});
}

void DistributedNotificationCenter::removeObserver(Object* observer)
{
    registrations_.removeIf([observer](const Registration& r) { return r.observer == observer; });
}

bool DistributedNotificationCenter::postNotificationName(const QString& name, const QString& object,
                                                         const Dictionary& userInfo)
{
    const QByteArray frame = NotificationFrame::encode({name, object, userInfo});
    if (frame.isEmpty())
        return false;
    const QString dir = runtimeSubdirectory(kFolder);
    if (dir.isEmpty())
        return false;
    const QStringList sockets = QDir(dir).entryList({QStringLiteral("*.sock")}, QDir::System | QDir::Files);
    for (const QString& entry : sockets) {
        const QString path = dir + u'/' + entry;
        QLocalSocket socket;
        socket.connectToServer(path);
        if (!socket.waitForConnected(500)) {
            if (socket.error() == QLocalSocket::ConnectionRefusedError ||
                socket.error() == QLocalSocket::ServerNotFoundError)
                QFile::remove(path); // its process is gone
            continue;
        }
        socket.write(frame);
        while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(1000)) {
        }
        socket.disconnectFromServer();
    }
    return true;
}

void DistributedNotificationCenter::deliver(const QByteArray& body)
{
    const std::optional<NotificationFrame::Contents> contents = NotificationFrame::decode(body);
    if (!contents) {
        qWarning("Distributed notifications: malformed notification dropped");
        return;
    }
    Notification n(contents->name, nullptr, contents->userInfo, contents->object);
    const QList<Registration> matching = registrations_;
    for (const Registration& r : matching) {
        const bool wanted =
            (r.name.isEmpty() || r.name == n.name()) && (r.object.isEmpty() || r.object == n.objectName());
        // An observer removed by an earlier one in this round is not called.
        if (wanted && isRegistered(r.serial))
            r.observer->performSelector(r.selector, &n);
    }
}

bool DistributedNotificationCenter::isRegistered(quint64 serial) const
{
    return std::any_of(registrations_.cbegin(), registrations_.cend(),
                       [serial](const Registration& r) { return r.serial == serial; });
}

} // namespace ns
