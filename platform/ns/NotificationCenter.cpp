#include "platform/ns/NotificationCenter.h"

namespace ns
{

namespace
{

class BlockObserver : public Object
{
public:
    explicit BlockObserver(std::function<void(const Notification&)> block)
    {
        registerSelector("notify:",
                         [block = std::move(block)](Object* n) { block(*static_cast<Notification*>(n)); });
    }
};

} // namespace

NotificationCenter& NotificationCenter::defaultCenter()
{
    // Lives as long as the process: objects destroyed at exit, block observers
    // it owns among them, unregister from it on their way out.
    static NotificationCenter* center = new NotificationCenter;
    return *center;
}

void NotificationCenter::addObserver(Object* observer, const QString& selector, const QString& name,
                                     Object* object)
{
    if (!observer || selector.isEmpty())
        return;
    std::lock_guard lock(mutex_);
    registrations_.append({observer, selector, name, object, nextSerial_++});
}

Object* NotificationCenter::addObserverForName(const QString& name, Object* object,
                                               std::function<void(const Notification&)> block)
{
    auto observer = std::make_unique<BlockObserver>(std::move(block));
    Object* raw = observer.get();
    std::lock_guard lock(mutex_);
    blockObservers_.push_back(std::move(observer));
    addObserver(raw, "notify:", name, object);
    return raw;
}

void NotificationCenter::removeObserver(Object* observer)
{
    std::unique_ptr<Object> released;
    std::lock_guard lock(mutex_);
    registrations_.removeIf([observer](const Registration& r) { return r.observer == observer; });
    for (auto it = blockObservers_.begin(); it != blockObservers_.end(); ++it) {
        if (it->get() == observer) {
            released = std::move(*it);
            blockObservers_.erase(it);
            break;
        }
    }
}

void NotificationCenter::removeObserver(Object* observer, const QString& name, Object* object)
{
    std::lock_guard lock(mutex_);
    registrations_.removeIf([&](const Registration& r) {
        return r.observer == observer && (name.isEmpty() || r.name == name) &&
               (!object || r.object == object);
    });
}

bool NotificationCenter::isRegistered(quint64 serial) const
{
    for (const Registration& r : registrations_)
        if (r.serial == serial)
            return true;
    return false;
}

void NotificationCenter::postNotification(const Notification& notification)
{
    std::unique_lock lock(mutex_);
    QList<Registration> matching;
    for (const Registration& r : registrations_) {
        if ((r.name.isEmpty() || r.name == notification.name()) &&
            (!r.object || r.object == notification.object()))
            matching.append(r);
    }
    for (const Registration& r : matching) {
        // An observer removed by an earlier one in this round is not called.
        if (!isRegistered(r.serial))
            continue;
        r.observer->performSelector(r.selector, const_cast<Notification*>(&notification));
    }
}

void NotificationCenter::postNotificationName(const QString& name, Object* object, const Dictionary& userInfo)
{
    postNotification(Notification(name, object, userInfo));
}

} // namespace ns
