#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <memory>

namespace ns
{

// Base of every object that can be sent a selector by name: observer tables,
// targets of controls and timers, delegates. Each class registers the
// selectors it implements, so "responds to" and "perform" work by name.
class Object
{
public:
    using Method = std::function<void(Object* argument)>;

    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object();

    bool respondsToSelector(const QString& selector) const { return selectors_.contains(selector); }
    // Runs the selector with the argument; false when it is not implemented.
    bool performSelector(const QString& selector, Object* argument = nullptr);

    // Expires when the object is destroyed, so that a holder that does not
    // own the object can tell whether it is still there (main thread).
    std::weak_ptr<const void> lifetime() const;

protected:
    void registerSelector(const QString& selector, Method method)
    {
        selectors_.insert(selector, std::move(method));
    }

    template <class C> void registerSelector(const QString& selector, void (C::*method)())
    {
        C* self = static_cast<C*>(this);
        registerSelector(selector, [self, method](Object*) { (self->*method)(); });
    }

    // The argument is handed over as A*, or null when it is of another class.
    template <class C, class A> void registerSelector(const QString& selector, void (C::*method)(A*))
    {
        C* self = static_cast<C*>(this);
        registerSelector(selector,
                         [self, method](Object* argument) { (self->*method)(dynamic_cast<A*>(argument)); });
    }

private:
    QHash<QString, Method> selectors_;
    mutable std::shared_ptr<const void> lifetime_;
};

} // namespace ns
