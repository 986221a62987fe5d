#include "app/service/JovServiceBase.h"
#include "app/service/SettingService.h"

#include <gtest/gtest.h>

TEST(JovServiceBase, NetworkTypesAreClassifiedByExactName)
{
    const struct {
        const char* netType;
        int code;
    } cases[] = {
        {"GSM", 0},   {"EDGE", 0},     {"GPRS", 0}, {"2G", 0},    {"UMTS", 1}, {"HSDPA", 2}, {"HSUPA", 2},
        {"HSPA+", 3}, {"DC-HSPA+", 3}, {"HSPA", 0}, {"hsdpa", 0}, {"LTE", 0},  {"", 0},
    };
    const JovServiceBase service;
    for (const auto& c : cases)
        EXPECT_EQ(service.getNetTypeWithNetStr(c.netType), c.code) << c.netType;
}

TEST(JovServiceBase, TheImsiIsOneValueForEveryService)
{
    JovServiceBase one;
    const JovServiceBase other;
    one.setImsi("460001234567890");
    EXPECT_EQ(other.imsi(), "460001234567890");
    EXPECT_EQ(SettingService::sharedSettingService().imsi(), "460001234567890");
    SettingService::sharedSettingService().setImsi("460009876543210");
    EXPECT_EQ(one.imsi(), "460009876543210");
}

TEST(SettingService, PinInputStatusFollowsTheAttemptsLeftAndTheAlertFlag)
{
    const struct {
        int leftTimes;
        bool alertFlag;
        int status;
    } cases[] = {
        {0, false, 2}, {0, true, 2}, {-1, false, 2}, {1, false, 0}, {1, true, 1}, {3, true, 1}, {3, false, 0},
    };
    SettingService& service = SettingService::sharedSettingService();
    EXPECT_FALSE(service.isNeedAlertLeftTimesFlag());
    EXPECT_FALSE(service.isSecondManualSelectNetFlag());
    for (const auto& c : cases) {
        service.setIsNeedAlertLeftTimesFlag(c.alertFlag);
        EXPECT_EQ(service.checkPinInputStatusByLeftTimes(c.leftTimes), c.status)
            << c.leftTimes << " attempts, flag " << c.alertFlag;
    }
    service.setIsNeedAlertLeftTimesFlag(false);
}
