#include "app/utils/IPAddressFormatter.h"
#include "app/utils/TPAddressFormatter.h"

#include <gtest/gtest.h>

namespace
{

struct Case {
    ns::Value input;
    QString expected;
};

} // namespace

TEST(TPAddressFormatter, KeepsTheDiallingPrefix)
{
    const auto formatter = TPAddressFormatter::defaultTPAddressFormatter();
    const Case cases[] = {
        {"12a#3x45", "12a#3"}, {"*100#", "*100#"}, {"+4412", ""}, {"0123456789*#abc", "0123456789*#abc"},
        {"12A", "12"},         {"12 34", "12"},    {"", ""},      {12345, ""},
        {ns::Value(), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatter->stringForObjectValue(c.input), c.expected) << qPrintable(c.input.stringValue());
}

TEST(IPAddressFormatter, MakesFourGroupsFrom0To255)
{
    const auto formatter = IPAddressFormatter::defaultIPAddressFormatter();
    const Case cases[] = {
        {"192.168.1.10", "192.168.1.10"},
        {"192.168", "192.168.0.0"},
        {"", "0.0.0.0"},
        {"300.1.2.3", "255.1.2.3"},
        {"256.255.0.0", "255.255.0.0"},
        {"-5.1.1.1", "0.1.1.1"},
        {"1.2.3.4.5", "1.2.3.4"},
        {"10..1.1", "10.0.1.1"},
        {" 7.8x.9 .10", "7.8.9.10"},
        {"abc", "0.0.0.0"},
        {"99999999999999999999.1.1.1", "255.1.1.1"},
        {"1.2.3.", "1.2.3.0"},
        {1234, "0.0.0.0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatter->stringForObjectValue(c.input), c.expected) << qPrintable(c.input.stringValue());
}

TEST(Formatters, ObjectValueIsTheCleanedTextAndNeverRefused)
{
    ns::Value value;
    QString error = "untouched";
    EXPECT_TRUE(IPAddressFormatter::defaultIPAddressFormatter()->getObjectValue(&value, "10.1", &error));
    EXPECT_EQ(value, ns::Value("10.1.0.0"));
    EXPECT_TRUE(TPAddressFormatter::defaultTPAddressFormatter()->getObjectValue(&value, "13x", &error));
    EXPECT_EQ(value, ns::Value("13"));
    EXPECT_EQ(error, "untouched");
}
