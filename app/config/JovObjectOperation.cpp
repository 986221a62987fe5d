#include "app/config/JovObjectOperation.h"

#include "platform/ns/Clock.h"

ns::Value JovObjectOperation::checkNilWithObject(const ns::Value& object, ObjectClass objectClass)
{
    if (!object.isNull())
        return object;
    switch (objectClass) {
    case ObjectClass::String:
        return ns::Value(QStringLiteral(""));
    case ObjectClass::Number:
        return ns::Value(0);
    case ObjectClass::Date:
        return ns::Value(ns::Clock::current().now());
    case ObjectClass::Other:
        break;
    }
    return ns::Value();
}
