#include "app/language/WordingOperation.h"

#include "TextPrinting.h"
#include "platform/lindora/Lindora.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace
{

QStringList& logLines()
{
    static QStringList lines;
    return lines;
}

void collectLog(QtMsgType, const QMessageLogContext&, const QString& message)
{
    logLines().append(message);
}

} // namespace

TEST(WordingOperation, TranslatesKeysOfKnownModulesOnly)
{
    struct Case {
        const char* key;
        const char* text;
        const char* log;
    };
    const Case cases[] = {
        {"Main_Title", "Verbindungsmanager", nullptr},
        {"SMS_btnSend", "Senden", nullptr},
        {"PhoneBook_btnNew", "PhoneBook_btnNew", nullptr}, // not in the table: the framework's answer
        {"USSD_x_y", "USSD_x_y", nullptr},
        {"Sms_btnSend", "",
         "error://Sms_btnSend has no module before the character of _  by the  standard Wording rule"},
        {"_Main", "", "error://_Main has no module before the character of _  by the  standard Wording rule"},
        {"Main", "", "error://Main has no the characer of _  by the  standard Wording rule"},
        {"", "", "error:// has no the characer of _  by the  standard Wording rule"},
    };
    ASSERT_TRUE(Lindora_Init(TRELVAN_FIXTURES_DIR "/language/TokenList.txt"));
    const QtMessageHandler previous = qInstallMessageHandler(collectLog);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        logLines().clear();
        EXPECT_EQ(WordingOperation::getDisplayWordingValueByWordingKey(c.key), QString(c.text));
        EXPECT_EQ(logLines(), c.log ? QStringList{c.log} : QStringList());
    }
    qInstallMessageHandler(previous);
}
