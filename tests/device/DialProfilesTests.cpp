// The connection profiles against the simulated modem: the profile in use
// reaches the device when the SIM is ready and whenever the user picks
// another; a new SIM gets its operator's default profile.
#include "connection/DialController.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/ComboBox.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/HalvexControl.h"

#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace device_test;

namespace
{

ns::Dictionary profile(const QString& provider, const QString& apn)
{
    return ns::Dictionary{{"provider", provider}, {"apnName", apn}, {"telNumber", "*99#"}, {"apnFlag", 1}};
}

// The shipped profiles and one of the user's own.
ns::Array profiles()
{
    ns::Dictionary mine = profile("Mine", "my.apn");
    mine.setValue("accountName", "me");
    mine.setValue("password", "secret");
    mine.setValue("pppFlag", 1);
    mine.setValue("pdpType", 2);
    return ns::Array{profile("Halvex Internet", "internet"), profile("Halvex Web", "web.halvex"), mine};
}

// Trelvan's main window against Halvex playing the shipped scenario with the changes.
class DialProfilesTest : public ::testing::Test
{
protected:
    void start(const ns::Dictionary& settings, const ns::Array& dialConfig = profiles(),
               const std::vector<std::pair<QString, ns::Value>>& changes = {})
    {
        ASSERT_TRUE(halvex.start(writeScenario(folder_.path(), changes)))
            << halvex.errorOutput().toStdString();
        app = std::make_unique<DeviceApp>(settings, Runtime::Current);
        if (!dialConfig.isEmpty())
            ns::PropertyList::writeFile(app->bundle.dataFolder() + "/dialConfig.plist", dialConfig);
        app->nib.awakeFromNib();
    }
    int dialParamsCount()
    {
        return halvex.state().value_or(ns::Dictionary()).value("DialParamsCount").intValue();
    }
    // The fields of the last dial-parameter record the device received.
    ns::Dictionary dialParams()
    {
        return halvex.state().value_or(ns::Dictionary()).value("DialParams").toDictionary();
    }
    bool waitForApn(const QString& apn)
    {
        return QTest::qWaitFor([&] { return dialParams().value("APN").toString() == apn; }, 20000);
    }

    QTemporaryDir folder_;
    HalvexControl halvex;
    std::unique_ptr<DeviceApp> app;
};

} // namespace

TEST_F(DialProfilesTest, TheProfileInUseReachesTheDeviceAtSimReadyAndAnotherChoiceSendsANewOne)
{
    // No operator table: the network's code leaves the profiles as they are.
    ASSERT_NO_FATAL_FAILURE(
        start(shippedSettings({{"IMSI2DialConfigIdx", ns::Dictionary()}, {"ProfileID", 2}})));
    ASSERT_TRUE(waitForApn("my.apn")) << dialParams().value("APN").toString().toStdString();
    const ns::Dictionary sent = dialParams();
    EXPECT_EQ(sent.value("User").toString(), "me");
    EXPECT_EQ(sent.value("Password").toString(), "secret");
    EXPECT_EQ(sent.value("TelNumber").toString(), "*99#");
    EXPECT_EQ(sent.value("Authentication").intValue(), 1);
    EXPECT_EQ(sent.value("PdpType").intValue(), 2);
    EXPECT_EQ(sent.value("ConnectType").intValue(), 0);

    // The user picks the first profile in the Internet view's profile box.
    ns::ComboBox* box = app->nib.dialController().m_DialConfigList;
    ASSERT_TRUE(box);
    ASSERT_EQ(box->numberOfItems(), 4);
    Q_EMIT box->qComboBox()->activated(1);
    ASSERT_TRUE(waitForApn("internet"));
    EXPECT_EQ(dialParams().value("User").toString(), "");
    EXPECT_EQ(app->store.getConfigurationByModule("ProfileID").intValue(), 0);
}

TEST_F(DialProfilesTest, ASimOfAnotherOperatorGetsItsDefaultProfile)
{
    ASSERT_NO_FATAL_FAILURE(
        start(shippedSettings({{"ImsiMatchApn", true}, {"IMSI2DialConfigIdx", ns::Dictionary{{"46001", 1}}}}),
              profiles(), {{"SIM/IMSI", "460011234567890"}, {"Network/Roaming", true}}));
    ASSERT_TRUE(waitForApn("web.halvex")) << dialParams().value("APN").toString().toStdString();
    EXPECT_EQ(app->store.getConfigurationByModule("ProfileID").intValue(), 1);
    EXPECT_EQ(app->nib.dialController().m_DialConfigList->indexOfSelectedItem(), 2);
}

TEST_F(DialProfilesTest, WithoutAnyProfileTheDeviceGetsTheAllAutomaticRecord)
{
    ASSERT_NO_FATAL_FAILURE(start(shippedSettings({{"IMSI2DialConfigIdx", ns::Dictionary()}}), ns::Array()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialParamsCount() > 0; }, 20000));
    const ns::Dictionary sent = dialParams();
    for (const char* text : {"APN", "TelNumber", "User", "Password", "PreferredDNS"})
        EXPECT_EQ(sent.value(text).toString(), "") << text;
    for (const char* number : {"Authentication", "PdpType", "PdpAddressMode"})
        EXPECT_EQ(sent.value(number).intValue(), 0) << number;
}
