#include "tests/connection/ConnectionCoreTestSupport.h"

#include "connection/DialConfigFile.h"
#include "connection/DialInputLimits.h"
#include "connection/DialProfile.h"
#include "connection/DialService.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(DialProfile, AnEmptyProfileGivesTheAllAutomaticRecord)
{
    const ns::Dictionary safe = DialProfile::safeDialConfig(ns::Dictionary(), false);
    EXPECT_EQ(safe.value("apnName"), ns::Value(QString()));
    EXPECT_EQ(safe.value("pppFlag"), ns::Value(0));
    EXPECT_FALSE(safe.contains("IPv6ApnName"));
    EXPECT_TRUE(DialProfile::safeDialConfig(ns::Dictionary(), true).contains("IPv6ApnName"));

    const QByteArray bytes = dialParamsBytes(DialProfile::dialParamsOfProfile(safe, {}));
    EXPECT_EQ(bytes, QByteArray(DialParamsLayout::kSize, '\0'));
}

TEST(DialProfile, TheRecordTakesTheProfileAndTheIPv6FieldsOnlyWithDualPdp)
{
    const ns::Dictionary profile{
        {"apnName", "web"},         {"telNumber", "*99#"}, {"accountName", "u"},  {"password", "p"},
        {"pdpAddress", "10.1.1.1"}, {"pppFlag", 1},        {"pdpType", 3},        {"pdpFlag", 1},
        {"preDns", "1.1.1.1"},      {"altDns", "9.9.9.9"}, {"IPv6ApnName", "v6"}, {"IPv6PrefDNS", "::1"},
        {"IPv6AltDNS", "::2"}};
    for (const bool dualPdp : {false, true}) {
        const DialParams params = DialProfile::dialParamsOfProfile(profile, {1, true, 1400, dualPdp});
        EXPECT_EQ(params.apn, "web");
        EXPECT_EQ(params.telNumber, "*99#");
        EXPECT_EQ(params.userName, "u");
        EXPECT_EQ(params.password, "p");
        EXPECT_EQ(params.pdpAddress, "10.1.1.1");
        EXPECT_EQ(params.connectType, 1);
        EXPECT_EQ(params.authentication, 1);
        EXPECT_EQ(params.pdpType, 3);
        EXPECT_EQ(params.pdpAddressMode, 1);
        EXPECT_EQ(params.disableAlertWindow, 1);
        EXPECT_EQ(params.mtuSize, 1400);
        EXPECT_EQ(params.preferredDns, "1.1.1.1");
        EXPECT_EQ(params.alternateDns, "9.9.9.9");
        EXPECT_EQ(params.ipv6Apn, dualPdp ? "v6" : "");
        EXPECT_EQ(params.ipv6PreferredDns, dualPdp ? "::1" : "");
        EXPECT_EQ(params.ipv6AlternateDns, dualPdp ? "::2" : "");
    }
}

TEST(DialProfile, TheMmsProfileFollowsTheMmsSettings)
{
    const struct {
        const char* name;
        ns::Dictionary settings;
        ns::Value apnFlag, apnName, saveUsernameFlag, accountName, password;
    } cases[] = {
        {"full",
         {{"APN", "mms"}, {"WapGateUserName", "wap"}, {"WapGatePassword", "pw"}},
         "1",
         "mms",
         1,
         "wap",
         "pw"},
        {"empty APN", {{"APN", ""}}, "0", "0", 0, "", ""},
        {"no gateway user", {{"APN", "mms"}, {"WapGatePassword", "pw"}}, "1", "mms", 0, "", ""},
    };
    for (const auto& c : cases) {
        const ns::Dictionary mms = DialProfile::mmsDialConfig(c.settings, "MMS");
        EXPECT_EQ(mms.value("provider"), ns::Value("MMS")) << c.name;
        EXPECT_EQ(mms.value("apnFlag"), c.apnFlag) << c.name;
        EXPECT_EQ(mms.value("apnName"), c.apnName) << c.name;
        EXPECT_EQ(mms.value("saveUsernameFlag"), c.saveUsernameFlag) << c.name;
        EXPECT_EQ(mms.value("accountName"), c.accountName) << c.name;
        EXPECT_EQ(mms.value("password"), c.password) << c.name;
        EXPECT_EQ(mms.value("telNumber"), ns::Value("*99#")) << c.name;
        for (const char* key : {"dnsFlag", "pdpFlag", "pppFlag"})
            EXPECT_EQ(mms.value(key), ns::Value(0)) << c.name << ' ' << key;
    }
}

TEST(DialConfigFile, AnUnreadableFileIsSetAsideBeforeTheFirstWrite)
{
    TransplantUnderTest t;
    const DialConfigFile file(t.store);
    EXPECT_EQ(file.read(), ns::Array()); // missing: no profiles

    QFile broken(t.dialConfigPath());
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a property list");
    broken.close();
    EXPECT_FALSE(file.read());

    ASSERT_TRUE(file.write(ns::Array{profileNamed("A")}));
    EXPECT_EQ(providersOf(t.dialConfigOnDisk()), QStringList{"A"});
    QFile aside(t.dialConfigPath() + ".unreadable");
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), QByteArray("not a property list"));
}

TEST(DialService, ALinkLocalAddressIsHiddenOnlyWhenTheSettingsSaySo)
{
    for (const bool hide : {false, true}) {
        TransplantUnderTest t(
            {{"Internet", ns::Dictionary{{"Internet_doNotDisplayIPAddress_whenDHCPFailed", hide}}}});
        const DialService service(t.switches);
        EXPECT_EQ(service.filterIPAddress("169.254.10.1"), hide ? "" : "169.254.10.1");
        EXPECT_EQ(service.filterIPAddress("10.169.254.1"), "10.169.254.1");
    }
}

TEST(DialInputLimits, EachFieldKeepsItsCharactersUpToItsLength)
{
    const struct {
        DialInputField field;
        QString typed;
        int passwordLimit;
        QString kept;
    } cases[] = {
        {DialInputField::TelephoneNumber, "*99#-e1 D", 0, "*99#1D"},
        {DialInputField::TelephoneNumber, QString(40, u'1'), 0, QString(30, u'1')},
        {DialInputField::Apn, "my apn.example-1_x", 0, "myapn.example-1x"},
        {DialInputField::Apn, QString(70, u'a'), 0, QString(60, u'a')},
        {DialInputField::Apn, QStringLiteral("caf\u00e9"), 0, QStringLiteral("caf\u00e9")},
        {DialInputField::Account, "us er`!@{}~", 0, "user!@{}~"},
        {DialInputField::Account, QString(40, u'p'), 0, QString(30, u'p')},
        {DialInputField::Account, QString(40, u'p'), 12, QString(12, u'p')},
        {DialInputField::IPv6Dns, "2001:db8::g1 ", 0, "2001:db8::1"},
        {DialInputField::IPv6Dns, QString(45, u'f'), 0, QString(39, u'f')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(limitDialInput(c.field, c.typed, c.passwordLimit), c.kept) << c.typed.toStdString();
}
