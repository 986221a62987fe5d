// The texts of the update information files: version numbers and the
// one-line rewrites of the agent's settings file.
#include "device/UpdateFileText.h"

#include <gtest/gtest.h>

using namespace update_file_text;

TEST(UpdateVersionNumbers, TakeTheTextAfterTheLastVWithItsFirstBAsADot)
{
    struct Row {
        const char* version;
        const char* ui;
        const char* firmware;
    };
    const Row rows[] = {
        {"Trelvan V1.0.0B05", "1.0.0.05", "1.0.0.05"},
        {"11.608.12.02.00V1B2B3", "1.2B3", "1.2B3"}, // only the first B
        {"V1.0V2.0B01", "2.0.01", "2.0.01"},         // the last V
        {"V1.2", "", "1.2"},                         // no B: the firmware keeps the text
        {"1.2.3", "", ""},
        {"Trelvan V", "", ""},
        {"", "", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(uiVersionNumber(row.version), row.ui) << row.version;
        EXPECT_EQ(firmwareVersionNumber(row.version), row.firmware) << row.version;
    }
}

TEST(UpdateCfgLineRewrite, SetsTheValueAndKeepsEveryOtherLine)
{
    struct Row {
        const char* name;
        QByteArray file;
        const char* key;
        QString value;
        QByteArray expected;
    };
    const Row rows[] = {
        {"as written", "ENABLE_UPDATE=1\n\nServiceURL=http://a\n\nUPDATE_FREQUENCE=30\n\n",
         "ServiceURL=", "https://b.example/check?x=1",
         "ENABLE_UPDATE=1\n\nServiceURL=https://b.example/check?x=1\n\nUPDATE_FREQUENCE=30\n\n"},
        {"CRLF lines", "# agent\r\n\r\nENABLE_UPDATE=1 ; on\r\nOTHER=x\r\n", "ENABLE_UPDATE=", "0",
         "# agent\r\n\nENABLE_UPDATE=0\n\nOTHER=x\r\n\n"},
        {"every line with the key", "ServiceURL=a\nOLD_ServiceURL=b\n", "ServiceURL=", "c",
         "ServiceURL=c\n\nOLD_ServiceURL=c\n\n"},
        {"no such line", "ENABLE_UPDATE=1\nLANG=\xc3\xa9\n", "UPDATE_FREQUENCE=", "14",
         "ENABLE_UPDATE=1\n\nLANG=\xc3\xa9\n\n"},
        {"UTF-8 value", "ServiceURL=\n", "ServiceURL=", QStringLiteral("http://h\u00e9.example"),
         "ServiceURL=http://h\xc3\xa9.example\n\n"},
    };
    for (const Row& row : rows) {
        const std::optional<QByteArray> once = rewriteLine(row.file, row.key, row.value, nullptr);
        ASSERT_TRUE(once) << row.name;
        EXPECT_EQ(*once, row.expected) << row.name;
        // Rewriting again changes nothing: the file does not grow.
        EXPECT_EQ(rewriteLine(*once, row.key, row.value, nullptr), once) << row.name;
    }
}

TEST(UpdateCfgLineRewrite, RefusesAValueThatWouldLeaveItsLineAndAFileThatIsNotText)
{
    const QByteArray file = "ENABLE_UPDATE=1\n\nServiceURL=http://a\n\n";
    for (const QString& value :
         {QStringLiteral("http://b\nENABLE_UPDATE=0"), QStringLiteral("http://b\r"), QStringLiteral("a\tb"),
          QStringLiteral("a\u0085b"), QStringLiteral("a\u2028b")}) {
        QString error;
        EXPECT_FALSE(rewriteLine(file, "ServiceURL=", value, &error)) << qPrintable(value);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(isSafeLineValue(value));
    }
    QString error;
    EXPECT_FALSE(rewriteLine("ServiceURL=\xff\xfe\n", "ServiceURL=", "x", &error));
    EXPECT_FALSE(error.isEmpty());
}
