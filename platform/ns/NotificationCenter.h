#pragma once

#include "platform/ns/Notification.h"

#include <QList>

#include <memory>
#include <mutex>

namespace ns
{

// The in-process notification centre: delivery is synchronous, on the posting
// thread, to observers registered by (name, object); an empty name or a null
// object matches every notification.
class NotificationCenter
{
public:
    static NotificationCenter& defaultCenter();

    void addObserver(Object* observer, const QString& selector, const QString& name, Object* object);
    // Block observers, owned by the centre; the returned object is the observer
    // to remove later.
    Object* addObserverForName(const QString& name, Object* object,
                               std::function<void(const Notification&)> block);
    void removeObserver(Object* observer);
    void removeObserver(Object* observer, const QString& name, Object* object);

    void postNotification(const Notification& notification);
    void postNotificationName(const QString& name, Object* object, const Dictionary& userInfo = Dictionary());

private:
    NotificationCenter() = default;
    ~NotificationCenter() = default;

    struct Registration {
        Object* observer;
        QString selector;
        QString name;
        Object* object;
        quint64 serial;
    };

    bool isRegistered(quint64 serial) const;

    mutable std::recursive_mutex mutex_;
    QList<Registration> registrations_;
    std::vector<std::unique_ptr<Object>> blockObservers_;
    quint64 nextSerial_ = 1;
};

} // namespace ns
