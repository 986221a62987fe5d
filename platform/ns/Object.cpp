#include "platform/ns/Object.h"

#include "platform/ns/DistributedNotificationCenter.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/Timer.h"

namespace ns
{

Object::~Object()
{
    NotificationCenter::defaultCenter().removeObserver(this);
    DistributedNotificationCenter::defaultCenter().removeObserver(this);
    cancelPreviousPerformRequestsWithTarget(this);
}

std::weak_ptr<const void> Object::lifetime() const
{
    if (!lifetime_)
        lifetime_ = std::make_shared<char>(0);
    return lifetime_;
}

bool Object::performSelector(const QString& selector, Object* argument)
{
    auto it = selectors_.constFind(selector);
    if (it == selectors_.cend())
        return false;
    Method method = *it; // the call may change the table
    method(argument);
    return true;
}

} // namespace ns
