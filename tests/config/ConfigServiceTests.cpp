#include "ConfigTestSupport.h"

#include "app/config/ConfigManager.h"
#include "app/config/ConfigService.h"

#include <QFile>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <functional>

using ns::Array;
using ns::Dictionary;
using ns::Value;

namespace
{

struct Case {
    const char* what;
    std::function<Value(ConfigService&)> read;
    Value expected;
};

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ConfigService, PlainSwitchesReadTheirKindAndFallBackWhenMissing)
{
    TemporaryAppBundle app(Dictionary{
        {"DifferentWorkingMothodForZerivad", true},
        {"ImsiMatchApn", "YES"},
        {"RudaMatchApn", "NO"},
        {"SpecialImsiRoam", Dictionary{{"YES", true}}},
        {"DefaultProfileNum", 4},
        {"PurchargeBySMS", Array{"1", "2"}},
        {"Main", Dictionary{{"Main_DisplayCheckSIMStatus", true},
                            {"Main_CloseUI_IfDeviceRemoved", false},
                            {"Main_EncryptURLPattern_IfNeeded", 1}}},
        {"Internet",
         Dictionary{{"Internet_setPasswordLenOfAPN", "16"}, {"Internet_isCheckImsiEncipher", 2.7}}},
        {"Setting", "a string, not a module"},
        {"MAINFORM", Dictionary{{"StartupWindow", Dictionary{{"DisplayCount", 3}, {"DelayTime", 1.5}}}}},
    });
    ConfigManager store;
    ConfigService service(store);

    const Case cases[] = {
        {"top-level BOOL", [](ConfigService& s) { return Value(s.isSkinVersionForZErivad()); }, true},
        {"string \"YES\" reads as its boolean", [](ConfigService& s) { return Value(s.isImsiMatchApn()); },
         true},
        {"string \"NO\"", [](ConfigService& s) { return Value(s.isRudaMatchApn()); }, false},
        {"dictionary where a BOOL is expected", [](ConfigService& s) { return Value(s.isSpecialImsiRoam()); },
         false},
        {"missing top-level BOOL", [](ConfigService& s) { return Value(s.isAPNMatchWithMCCMNC()); }, false},
        {"top-level int", [](ConfigService& s) { return Value(s.readDefaultProfileNum()); }, 4},
        {"top-level value as stored", [](ConfigService& s) { return s.readPurchaseProcessList(); },
         Array{"1", "2"}},
        {"module BOOL", [](ConfigService& s) { return Value(s.isDisplayCheckSimStatus()); }, true},
        {"module BOOL stored NO", [](ConfigService& s) { return Value(s.isCloseUIIfDeviceRemoved()); },
         false},
        {"missing key of a module", [](ConfigService& s) { return Value(s.doNotCloseApp()); }, false},
        {"module int", [](ConfigService& s) { return Value(s.getURLEncryptPattern()); }, 1},
        {"int from a string", [](ConfigService& s) { return Value(s.getPassWordLimitLen()); }, 16},
        {"int from a real", [](ConfigService& s) { return Value(s.getIsCheckEncipher()); }, 2},
        {"missing module BOOL", [](ConfigService& s) { return Value(s.isCheckPCCompacity()); }, false},
        {"missing module int", [](ConfigService& s) { return Value(s.getUserNameLen()); }, 0},
        {"missing module value", [](ConfigService& s) { return s.getServerNumberWhenRechargeByUSSD(); },
         Value()},
        {"module that is not a dictionary", [](ConfigService& s) { return Value(s.isRoamingImsiSet()); },
         false},
        {"module value as stored",
         [](ConfigService& s) { return s.getStartupInfo().toDictionary().value("DisplayCount"); }, 3},
        {"int inside the start-up window",
         [](ConfigService& s) { return Value(s.getDisplayStartupFlashTimes()); }, 3},
        {"float inside the start-up window",
         [](ConfigService& s) { return Value(s.getStartupViewDelayTime()); }, 1.5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.read(service), c.expected) << c.what;
}

TEST(ConfigService, AnEmptySettingsFileGivesThePlainBuild)
{
    TemporaryAppBundle app;
    ConfigManager store;
    ConfigService service(store);

    struct Expect {
        static void isDefault(const char* selector, bool value) { EXPECT_FALSE(value) << selector; }
        static void isDefault(const char* selector, int value) { EXPECT_EQ(value, 0) << selector; }
        static void isDefault(const char* selector, const Value& value)
        {
            EXPECT_TRUE(value.isNull()) << selector;
        }
    };
#define EXPECT_SWITCH_DEFAULT(selector, module, key, kind) Expect::isDefault(#selector, service.selector());
    TRELVAN_CONFIG_SWITCHES(EXPECT_SWITCH_DEFAULT)
#undef EXPECT_SWITCH_DEFAULT

    EXPECT_EQ(service.getUIModelConfig(), 3);
    EXPECT_TRUE(service.isEnableAutoApnMatch());
    EXPECT_TRUE(service.getIsSupportMutalsLanguages());
    EXPECT_TRUE(service.checkMccMncIsRegister("46000"));
    EXPECT_EQ(service.getSMSDefaultBrowsePosWhenOpenSmsUI(), "AT_PC");
    EXPECT_EQ(service.getSMSDefaultStorePosWhenFirstStartUpUI(), "SetAtPC");
    EXPECT_TRUE(service.isDisabledLimits());
    EXPECT_TRUE(service.judgeRecordLastResetTimeWhetherEmptyWhenUIInit());
    EXPECT_FALSE(service.hasImsiPhoneConfig());
    EXPECT_TRUE(service.getPhoneNumWithImsi("460001234567890").isNull());
    EXPECT_TRUE(service.getUIDateFormat().isNull());
    EXPECT_FALSE(service.getUIFont().has_value());
    EXPECT_FALSE(service.isSupportInterfaceInversionForPhoneBook());
}

TEST(ConfigService, CombiningAccessorsFollowTheirRules)
{
    struct Row {
        const char* what;
        Dictionary settings;
        std::function<Value(ConfigService&)> read;
        Value expected;
    };
    const auto registers = [](const char* code) {
        return [code](ConfigService& s) { return Value(s.checkMccMncIsRegister(code)); };
    };
    const auto disabledLimits = [](ConfigService& s) { return Value(s.isDisabledLimits()); };
    const auto browsePos = [](ConfigService& s) { return Value(s.getSMSDefaultBrowsePosWhenOpenSmsUI()); };
    const auto replaceNumbers = [](ConfigService& s) {
        return Value(s.checkIfRepalceSpecialPhoneNumberToSpecialString());
    };
    const auto languages = [](ConfigService& s) { return Value(s.getIsSupportMutalsLanguages()); };
    const auto preferredMode = [](ConfigService& s) { return Value(s.isSetCurrentNetPreferedMode()); };
    const Dictionary allowList{{kAllowMCCMNCList, Array{"46000", "46002"}}};

    const Row rows[] = {
        {"listed network code may not register", allowList, registers("46002"), false},
        {"unlisted network code registers", allowList, registers("46001"), true},
        {"limits on when a reset frequency is set",
         {{"Record", Dictionary{{"IfSetRecordResetFrequence", true}}}},
         disabledLimits,
         false},
        {"limits on when reset every days is set",
         {{"Record", Dictionary{{"IfSetRecordResetEveryDays", true}}}},
         disabledLimits,
         false},
        {"limits off when neither is set",
         {{"Record", Dictionary{{"IfSetRecordResetFrequence", false}, {"IfSetRecordResetEveryDays", false}}}},
         disabledLimits,
         true},
        {"empty browse position",
         {{"SMS", Dictionary{{"SMS_DefaultPos_WhenOpenSMSUI", ""}}}},
         browsePos,
         "AT_PC"},
        {"configured browse position",
         {{"SMS", Dictionary{{"SMS_DefaultPos_WhenOpenSMSUI", "AT_SIM"}}}},
         browsePos,
         "AT_SIM"},
        {"replacement wanted but no numbers",
         {{"SMS", Dictionary{{"Sms_ReplaceSpecialNumberToSpecialString_IfNeeded", true},
                             {"SpecialNumberToHidden", Array{}}}}},
         replaceNumbers,
         false},
        {"replacement wanted with numbers",
         {{"SMS", Dictionary{{"Sms_ReplaceSpecialNumberToSpecialString_IfNeeded", true},
                             {"SpecialNumberToHidden", Array{Dictionary{{"10086", "Operator"}}}}}}},
         replaceNumbers,
         true},
        {"numbers without the switch",
         {{"SMS", Dictionary{{"SpecialNumberToHidden", Array{"10086"}}}}},
         replaceNumbers,
         false},
        {"speed test wanted whatever the value",
         {{"Internet", Dictionary{{"Internet_IsNeedTestSpeedAtConnected", false}}}},
         [](ConfigService& s) { return Value(s.isNeedTestSpeedAtConnected()); },
         true},
        {"automatic APN match switched off",
         {{"EnableAutoApnMatch", false}},
         [](ConfigService& s) { return Value(s.isEnableAutoApnMatch()); },
         false},
        {"empty language list", {{"SupportLanguages", Array{}}}, languages, true},
        {"language list", {{"SupportLanguages", Array{"English", "Arabic"}}}, languages, false},
        {"preferred network mode 3",
         {{"Setting", Dictionary{{"Setting_CurrentNetPreSys", 3}}}},
         preferredMode,
         true},
        {"other network mode",
         {{"Setting", Dictionary{{"Setting_CurrentNetPreSys", "2"}}}},
         preferredMode,
         false},
        {"window model stored as 0",
         {{"Main", Dictionary{{"Main_UIModel", 0}}}},
         [](ConfigService& s) { return Value(s.getUIModelConfig()); },
         0},
        {"shaking PIN window",
         {{"UIAnimation", Dictionary{{"ShakeWindow", Dictionary{{"PinWindow", true}}}}}},
         [](ConfigService& s) { return Value(s.needShakePinWindow()); },
         true},
        {"toolbar skin",
         {{"UIConfig", Dictionary{{"ToolbarItems", Array{}}}}},
         [](ConfigService& s) { return Value(s.hasToolbarSkinInfo()); },
         true},
        {"software version in the start-up window",
         {{"MAINFORM",
           Dictionary{{"StartupWindow", Dictionary{{"StartupWindow_GetSoftwareVersionString", true}}}}}},
         [](ConfigService& s) { return Value(s.startupWindowControlGetSoftwareVersionString()); },
         true},
        {"phone number by IMSI",
         {{"ImsiPhone", Dictionary{{"460001234567890", "+8613800000000"}}}},
         [](ConfigService& s) { return Value(s.getPhoneNumWithImsi("460001234567890")); },
         "+8613800000000"},
        {"connect button image",
         {{"Internet", Dictionary{{"ConnectButton_imageName", "connect.png"}}}},
         [](ConfigService& s) { return Value(s.getConnectButtonImageName("ConnectButton_imageName")); },
         "connect.png"},
    };

    TemporaryAppBundle app;
    ConfigManager store;
    ConfigService service(store);
    for (const Row& row : rows) {
        store.getConfiguration().setDictionary(row.settings);
        EXPECT_EQ(row.read(service), row.expected) << row.what;
    }
}

TEST(ConfigService, TheFontIsACopy)
{
    TemporaryAppBundle app(
        Dictionary{{"Main", Dictionary{{"TextFont", Dictionary{{"FontName", "Lucida"}}}}}});
    ConfigManager store;
    ConfigService service(store);

    std::optional<Dictionary> font = service.getUIFont();
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->value("FontName").toString(), "Lucida");
    font->setValue("FontName", "Other");
    EXPECT_EQ(service.getUIFont()->value("FontName").toString(), "Lucida");
}

TEST(ConfigService, SettersStoreThroughTheStoreAndWriteTheFile)
{
    TemporaryAppBundle app(Dictionary{
        {"ImsiPhone", Dictionary{}},
        {"Setting", Dictionary{}},
    });
    ConfigManager store;
    ConfigService service(store);

    service.setImsi("460001234567890", "+8613800000000");
    EXPECT_TRUE(service.isImsiPhoneDictContainCertainImsi("460001234567890"));
    service.writeCurrentProfile(2);
    service.writeDefaultProfileNum(1);
    service.writePurchaseProcessListInFile(Array{"step"});
    Dictionary onDisk = app.settingsOnDisk();
    EXPECT_EQ(onDisk.value("ImsiPhone").toDictionary().value("460001234567890").toString(), "+8613800000000");
    EXPECT_EQ(onDisk.value("ProfileID").intValue(), 2);
    EXPECT_EQ(onDisk.value("DefaultProfileNum").intValue(), 1);
    EXPECT_EQ(onDisk.value("PurchargeBySMS"), Value(Array{"step"}));

    // A module that does not exist is not created.
    service.writeDisconnectAskState(true);
    service.setRecordLastResetTimeValueWhenEmpty(QDateTime::currentDateTimeUtc());
    EXPECT_FALSE(service.isDisconnectAsk());
    EXPECT_TRUE(service.judgeRecordLastResetTimeWhetherEmptyWhenUIInit());
    onDisk = app.settingsOnDisk();
    EXPECT_FALSE(onDisk.contains("Internet"));
    EXPECT_FALSE(onDisk.contains("Record"));

    // Values stored only where the key already exists.
    service.writeSMSStoreLocSettingFlagAfterFirstStartupUI(true);
    EXPECT_FALSE(service.isSupportSetSMSDefaultStorePosWhenFirstStartUpUI());
    store.setConfigurationByModuleKeyAndValue("Setting", "Setting_SetSMSDefaultStore_WhenFirstStartUpUI",
                                              false);
    service.writeSMSStoreLocSettingFlagAfterFirstStartupUI(true);
    EXPECT_TRUE(app.settingsOnDisk()
                    .value("Setting")
                    .toDictionary()
                    .value("Setting_SetSMSDefaultStore_WhenFirstStartUpUI")
                    .boolValue());
}

TEST(ConfigService, SavingAModelTheSettingsDoNotHoldLeavesTheFileUntouched)
{
    TemporaryAppBundle app;
    // A hand-written file: any rewrite would change its bytes.
    const QByteArray handWritten = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                   "<plist version=\"1.0\"><dict><key>Main</key><dict>"
                                   "<key>Main_DisplayCheckSIMStatus</key><true/></dict>"
                                   "<key>Setting</key><dict/></dict></plist>\n";
    {
        QFile file(app.settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(handWritten);
    }
    ConfigManager store;
    ConfigService service(store);
    ASSERT_TRUE(service.isDisplayCheckSimStatus());

    service.saveCurrentUIModel(1);
    service.saveCurrentNetPreferedMode(3);
    EXPECT_EQ(fileBytes(app.settingsPath()), handWritten);
    EXPECT_EQ(service.getUIModelConfig(), 3);

    store.setConfigurationByModuleKeyAndValue("Main", "Main_UIModel", 3);
    service.saveCurrentUIModel(1);
    EXPECT_EQ(app.settingsOnDisk().value("Main").toDictionary().value("Main_UIModel").intValue(), 1);
}

TEST(ConfigService, TheSubscriberProfileRequestIsOneLineOfSoapWithTheImsiPlaceholder)
{
    TemporaryAppBundle app;
    ConfigManager store;
    ConfigService service(store);

    const QUrl address(service.getSoapServiceName());
    EXPECT_TRUE(address.isValid());
    EXPECT_EQ(address.scheme(), "http");
    EXPECT_EQ(address.port(), 7002);
    EXPECT_EQ(address.path(), "/SPBUUP/SPBService");
    EXPECT_EQ(address.query(), "WSDL");

    QString request = service.getSoapServiceContent();
    EXPECT_FALSE(request.contains(u'\n'));
    EXPECT_EQ(request.count("%@"), 1);
    EXPECT_TRUE(request.startsWith(R"(<?xml version="1.0" encoding="UTF-8"?><soapenv:Envelope )"));
    EXPECT_TRUE(request.contains("<Password>vym</Password> </loc:Authentication>"));

    request.replace("%@", "460001234567890");
    QXmlStreamReader xml(request);
    QStringList path;
    QStringList leaves;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            path.append(xml.qualifiedName().toString());
            if (xml.qualifiedName() == u"soapenv:Envelope") {
                EXPECT_EQ(xml.namespaceUri().toString(), "http://schemas.xmlsoap.org/soap/envelope/");
            }
        } else if (xml.isEndElement()) {
            path.removeLast();
        } else if (xml.isCharacters() && !xml.isWhitespace()) {
            leaves.append(path.join(u'/') + u'=' + xml.text().toString());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(leaves, (QStringList{
                          "soapenv:Envelope/soapenv:Header/loc:Authentication/Username=jov_kelb",
                          "soapenv:Envelope/soapenv:Header/loc:Authentication/Password=vym",
                          "soapenv:Envelope/soapenv:Body/loc:getDeviceProfileByIMSI/loc:IMSI=460001234567890",
                      }));
}
