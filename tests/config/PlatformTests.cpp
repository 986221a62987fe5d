#include "ConfigTestSupport.h"

#include "app/config/ConfigManager.h"
#include "app/config/Platform.h"

#include <gtest/gtest.h>

using ns::Dictionary;
using ns::Value;

TEST(Platform, TheDeviceTypeGivesTheCodeExactly)
{
    const struct {
        Value deviceType;
        int code;
    } cases[] = {
        {"Icera", Platform::Icera}, {"RV52", Platform::RV52},   {"CDMA", Platform::CDMA},
        {"rv52", Platform::Other},  {"RV52 ", Platform::Other}, {Value(), Platform::Other},
        {52, Platform::Other},
    };
    for (const auto& c : cases) {
        Dictionary main;
        if (!c.deviceType.isNull())
            main.setValue("DeviceType", c.deviceType);
        TemporaryAppBundle app(Dictionary{{"Main", main}});
        ConfigManager store;
        EXPECT_EQ(Platform(store).platform(), c.code) << c.deviceType.stringValue().toStdString();
    }
}

TEST(Platform, TheCodeIsReadOnceAndCanBeOverridden)
{
    TemporaryAppBundle app(Dictionary{{"Main", Dictionary{{"DeviceType", "CDMA"}}}});
    ConfigManager store;
    Platform platform(store);

    store.setConfigurationByModuleKeyAndValue("Main", "DeviceType", "Icera");
    EXPECT_EQ(platform.platform(), Platform::CDMA);
    platform.setPlatform(Platform::RV52);
    EXPECT_EQ(platform.platform(), Platform::RV52);
}
