#include "platform/ns/Value.h"

#include <gtest/gtest.h>

using ns::Array;
using ns::Dictionary;
using ns::Value;

struct CoercionCase {
    Value value;
    bool isNumber;
    bool b;
    int i;
    double d;
};

TEST(Value, CocoaCoercionsOfStringsAndNumbers)
{
    const CoercionCase cases[] = {
        {Value("YES"), false, true, 0, 0.0},
        {Value("NO"), false, false, 0, 0.0},
        {Value("true"), false, true, 0, 0.0},
        {Value("  0012abc"), false, true, 12, 12.0},
        {Value("0"), false, false, 0, 0.0},
        {Value("-3.75e1x"), false, true, -3, -37.5},
        {Value(".5"), false, false, 0, 0.5},
        {Value("99999999999"), false, true, 2147483647, 99999999999.0},
        {Value("9223372036854775808"), false, true, 2147483647, 9223372036854775808.0},
        {Value(""), false, false, 0, 0.0},
        {Value(true), true, true, 1, 1.0},
        {Value(false), true, false, 0, 0.0},
        {Value(42), true, true, 42, 42.0},
        {Value(-2.9), true, true, -2, -2.9},
        {Value(), false, false, 0, 0.0},
        {Value(Array{1}), false, false, 0, 0.0},
    };
    for (const CoercionCase& c : cases) {
        SCOPED_TRACE(c.value.stringValue().toStdString());
        EXPECT_EQ(c.value.isNumber(), c.isNumber);
        EXPECT_EQ(c.value.boolValue(), c.b);
        EXPECT_EQ(c.value.intValue(), c.i);
        EXPECT_DOUBLE_EQ(c.value.doubleValue(), c.d);
    }
}

TEST(Value, ContainersShareIdentityBetweenHolders)
{
    Dictionary settings;
    Dictionary module;
    settings.setValue("Main", module);

    Dictionary sameModule = settings.value("Main").toDictionary();
    sameModule.setValue("Key", "changed");
    EXPECT_EQ(module.value("Key").toString(), "changed");

    Dictionary copy = settings.deepCopy();
    copy.value("Main").toDictionary().setValue("Key", "copy only");
    EXPECT_EQ(module.value("Key").toString(), "changed");

    Array list{"A"};
    Value held(list);
    held.toArray().append("B");
    EXPECT_EQ(list.count(), 2);
}

TEST(Value, DictionaryKeepsInsertionOrderThroughReplaceAndRemove)
{
    Dictionary d{{"z", 1}, {"a", 2}, {"m", 3}};
    d.setValue("a", 20);
    d.remove("z");
    d.setValue("b", 4);
    EXPECT_EQ(d.keys(), (QStringList{"a", "m", "b"}));
    EXPECT_EQ(d.value("a").intValue(), 20);
    EXPECT_EQ(d.value("m").intValue(), 3);
    EXPECT_TRUE(d.value("z").isNull());
}

TEST(Value, EqualityIsByContentsAndNumbersByValue)
{
    EXPECT_EQ(Value(1), Value(true));
    EXPECT_EQ(Value(2), Value(2.0));
    EXPECT_FALSE(Value("1") == Value(1));
    EXPECT_EQ(Value(Array{"x", Dictionary{{"k", 1}}}), Value(Array{"x", Dictionary{{"k", 1}}}));
    EXPECT_FALSE(Value(Dictionary{{"k", 1}}) == Value(Dictionary{{"k", 2}}));
}
