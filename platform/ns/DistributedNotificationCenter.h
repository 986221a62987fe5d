#pragma once

#include "platform/ns/Notification.h"

#include <QList>
#include <QObject>

#include <memory>

class QLocalServer;

namespace ns
{

// Notifications between the user's Trelvan-family processes. Each process that
// observes listens on a socket in the runtime folder; a post reaches every
// listening process, the poster's own included, on its main loop.
class DistributedNotificationCenter : public QObject
{
public:
    static DistributedNotificationCenter& defaultCenter();
    ~DistributedNotificationCenter() override;

    // An empty name matches every notification, an empty object every sender.
    void addObserver(Object* observer, const QString& selector, const QString& name, const QString& object);
    void removeObserver(Object* observer);
    // Sends to every listening process; false when the notification cannot be
    // encoded (its user information is not a property list).
    bool postNotificationName(const QString& name, const QString& object, const Dictionary& userInfo);

private:
    DistributedNotificationCenter();
    bool ensureListening();
    void deliver(const QByteArray& frame);

    struct Registration {
        Object* observer;
        QString selector;
        QString name;
        QString object;
        quint64 serial;
    };
    bool isRegistered(quint64 serial) const;

    QList<Registration> registrations_;
    quint64 nextSerial_ = 1;
    std::unique_ptr<QLocalServer> server_;
    QString socketPath_;
};

} // namespace ns
