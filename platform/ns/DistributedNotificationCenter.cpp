#include "platform/ns/DistributedNotificationCenter.h"

#include "platform/ns/PropertyList.h"
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

// A frame is a 4-byte big-endian length followed by an XML property list
// {name, object, userInfo}.
constexpr qint32 kMaxFrame = 16 * 1024 * 1024;
const QString kFolder = QStringLiteral("notifications");

QByteArray encodeFrame(const QByteArray& body)
{
    QByteArray frame(4, '\0');
    const quint32 n = quint32(body.size());
    for (int i = 0; i < 4; ++i)
        frame[i] = char((n >> (24 - 8 * i)) & 0xff);
    return frame + body;
}

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
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            QObject::connect(peer, &QLocalSocket::readyRead, this, [this, peer, buffer] {
                buffer->append(peer->readAll());
                while (buffer->size() >= 4) {
                    const auto* b = reinterpret_cast<const uchar*>(buffer->constData());
                    const qint64 n = (qint64(b[0]) << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
                    if (n > kMaxFrame) {
                        qWarning("Distributed notifications: oversized frame refused");
                        peer->abort();
                        return;
                    }
                    if (buffer->size() < 4 + n)
                        return;
                    const QByteArray body = buffer->mid(4, n);
                    buffer->remove(0, int(4 + n));
                    deliver(body);
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
    const QByteArray body =
        PropertyList::toXml(Dictionary{{"name", name}, {"object", object}, {"userInfo", userInfo}});
    if (body.isEmpty() || body.size() > kMaxFrame)
        return false;
    const QByteArray frame = encodeFrame(body);
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
    std::optional<Value> decoded = PropertyList::fromData(body);
    if (!decoded || !decoded->isDictionary()) {
        qWarning("Distributed notifications: malformed notification dropped");
        return;
    }
    const Dictionary d = decoded->toDictionary();
    Notification n(d.value("name").toString(), nullptr, d.value("userInfo").toDictionary(),
                   d.value("object").toString());
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
