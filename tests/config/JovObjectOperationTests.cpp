#include "app/config/JovObjectOperation.h"

#include "platform/ns/Clock.h"

#include <gtest/gtest.h>

using ns::Value;
using ObjectClass = JovObjectOperation::ObjectClass;

TEST(JovObjectOperation, AMissingObjectBecomesAFreshDefaultOfItsClass)
{
    const QDateTime now(QDate(2024, 3, 5), QTime(7, 8, 9), Qt::UTC);
    ns::ManualClock clock(now);
    ns::Clock::setCurrent(&clock);

    const struct {
        Value object;
        ObjectClass objectClass;
        Value expected;
    } cases[] = {
        {Value(), ObjectClass::String, ""},    {Value(), ObjectClass::Number, 0},
        {Value(), ObjectClass::Date, now},     {Value(), ObjectClass::Other, Value()},
        {"kept", ObjectClass::Number, "kept"}, {0.5, ObjectClass::String, 0.5},
    };
    for (const auto& c : cases) {
        const Value result = JovObjectOperation::checkNilWithObject(c.object, c.objectClass);
        EXPECT_EQ(result.type(), c.expected.type()) << int(c.objectClass);
        EXPECT_EQ(result, c.expected) << int(c.objectClass);
    }
    ns::Clock::setCurrent(nullptr);
}
