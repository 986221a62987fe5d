#include "platform/ns/StringsFile.h"

#include <gtest/gtest.h>

using namespace ns;

TEST(StringsFile, ParsesKeysValuesEscapesAndComments)
{
    const QString text = QString::fromUtf8("/* header */\n"
                                           "\"Main_Title\" = \"Trelvan\";\n"
                                           "// a line comment\n"
                                           "\"SMS_Quote\" = \"He said \\\"hi\\\"\\n\\U00e9\";\n"
                                           "Plain = \"Ünïcode\";\n");
    std::optional<Dictionary> d = StringsFile::parse(text);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->keys(), (QStringList{"Main_Title", "SMS_Quote", "Plain"}));
    EXPECT_EQ(d->value("SMS_Quote").toString(), QString::fromUtf8("He said \"hi\"\né"));
    EXPECT_EQ(d->value("Plain").toString(), QString::fromUtf8("Ünïcode"));
}

TEST(StringsFile, MalformedTextIsRefused)
{
    for (const char* bad : {"\"a\" = \"b\"", "\"a\" \"b\";", "\"a\" = \"unterminated;", "= \"b\";"})
        EXPECT_FALSE(StringsFile::parse(QString::fromUtf8(bad))) << bad;
    EXPECT_TRUE(StringsFile::parse(""));
}
