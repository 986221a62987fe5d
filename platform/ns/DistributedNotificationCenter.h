#pragma once

#include "platform/ns/Notification.h"

#include <QList>

#include <memory>

namespace ns
{

class FrameServer;

// Notifications between the user's Trelvan-family processes. Each process that
// observes listens on its socket "notifications/<pid>.sock" in the runtime
// folder (open to this user only, and removed when the process exits; those of
// processes that are gone are removed when another starts listening); a post
// reaches every listening process, the poster's own included, on its main loop.
// A notification is at most 1 MiB of XML.
class DistributedNotificationCenter
{
public:
    static DistributedNotificationCenter& defaultCenter();

    // An empty name matches every notification, an empty object every sender.
    void addObserver(Object* observer, const QString& selector, const QString& name, const QString& object);
    void removeObserver(Object* observer);
    // Sends to every listening process; false when the notification cannot be
    // encoded (its user information is not a property list) or is over 1 MiB.
    bool postNotificationName(const QString& name, const QString& object, const Dictionary& userInfo);
    // Stops listening and removes the socket, as a process does on its way
    // out; an observer added later listens again.
    void stopListening();

private:
    DistributedNotificationCenter();
    ~DistributedNotificationCenter(); // lives as long as the process
    bool ensureListening();
    void removeSocketFile();
    void deliver(const QByteArray& body);

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
    std::unique_ptr<FrameServer> server_;
    QByteArray socketFile_; // while listening
};

} // namespace ns
