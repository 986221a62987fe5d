// The machine's sleep and wake, as the login manager announces them.
#include "platform/ns/appkit/Workspace.h"

#include "platform/ns/NotificationCenter.h"

#include <QDBusConnection>
#include <QObject>
#include <QtDebug>

namespace ns
{

namespace
{

// Receives logind's PrepareForSleep(bool): true before sleeping, false after waking.
class SleepSignalReceiver : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void prepareForSleep(bool sleeping)
    {
        NotificationCenter::defaultCenter().postNotificationName(
            sleeping ? kWorkspaceWillSleepNotification : kWorkspaceDidWakeNotification, nullptr);
    }
};

} // namespace

void Workspace::watchSleepAndWake()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    QDBusConnection bus = QDBusConnection::systemBus();
    static SleepSignalReceiver receiver;
    if (!bus.isConnected() ||
        !bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                     QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                     &receiver, SLOT(prepareForSleep(bool))))
        qInfo("No system bus: the machine's sleep and wake are not followed");
}

} // namespace ns

#include "WorkspaceSleep.moc"
