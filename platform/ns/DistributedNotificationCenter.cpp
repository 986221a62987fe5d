#include "platform/ns/DistributedNotificationCenter.h"

#include "platform/ns/FrameServer.h"
#include "platform/ns/NotificationFrame.h"
#include "platform/ns/RuntimeDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QLoggingCategory>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include <signal.h>
#include <unistd.h>

namespace ns
{

namespace
{

Q_LOGGING_CATEGORY(lcNotifications, "trelvan.notifications")

// Each process of the user may hold a few connections open.
constexpr int kMaxConnections = 16;
const QString kFolder = QStringLiteral("notifications");

// Each listening process has the socket "<pid>.sock": true when the process a
// socket of that name belongs to has ended.
bool isLeftBehind(const QString& fileName)
{
    if (!fileName.endsWith(QStringLiteral(".sock")))
        return false;
    bool ok = false;
    const qint64 pid = QStringView(fileName).chopped(5).toLongLong(&ok);
    if (!ok || pid <= 0 || pid != qint64(pid_t(pid)))
        return false;
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

QStringList socketsIn(const QString& dir)
{
    return QDir(dir).entryList({QStringLiteral("*.sock")}, QDir::System | QDir::Files);
}

} // namespace

DistributedNotificationCenter& DistributedNotificationCenter::defaultCenter()
{
    static DistributedNotificationCenter* center =
        new DistributedNotificationCenter; // lives as long as the process
    return *center;
}

DistributedNotificationCenter::DistributedNotificationCenter() = default;

DistributedNotificationCenter::~DistributedNotificationCenter() = default;

bool DistributedNotificationCenter::ensureListening()
{
    if (server_ && server_->isListening())
        return true;
    const QString dir = runtimeSubdirectory(kFolder);
    if (dir.isEmpty())
        return false;
    for (const QString& entry : socketsIn(dir)) {
        if (isLeftBehind(entry))
            QFile::remove(dir + u'/' + entry);
    }
    const QString path = dir + QStringLiteral("/%1.sock").arg(::getpid());
    QFile::remove(path); // of a process of the same number that is gone
    if (!server_) {
        server_ = std::make_unique<FrameServer>(
            &lcNotifications, Framing{NotificationFrame::kHeaderSize, &NotificationFrame::frameLength}, kMaxConnections,
            [this](FrameConnection&, const QByteArray& frame) { deliver(frame.sliced(NotificationFrame::kHeaderSize)); });
    }
    QString error;
    if (!server_->listen(path, &error)) {
        qCWarning(lcNotifications).noquote() << "cannot listen on" << path << ":" << error;
        return false;
    }
    socketFile_ = QFile::encodeName(path);
    // A normal exit runs no destructor of this centre, which lives as long as
    // the process; its socket goes all the same.
    static const bool removedAtExit = [] {
        return std::atexit([] { defaultCenter().removeSocketFile(); }) == 0;
    }();
    Q_UNUSED(removedAtExit);
    return true;
}

void DistributedNotificationCenter::stopListening()
{
    if (server_)
        server_->close();
    removeSocketFile();
}

void DistributedNotificationCenter::removeSocketFile()
{
    if (!socketFile_.isEmpty())
        ::unlink(socketFile_.constData());
    socketFile_.clear();
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
    for (const QString& entry : socketsIn(dir)) {
        const QString path = dir + u'/' + entry;
        QLocalSocket socket;
        socket.connectToServer(path);
        if (!socket.waitForConnected(500)) {
            if (isLeftBehind(entry))
                QFile::remove(path);
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
        qCWarning(lcNotifications) << "malformed notification dropped";
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
