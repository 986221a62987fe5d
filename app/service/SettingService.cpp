#include "app/service/SettingService.h"

SettingService& SettingService::sharedSettingService()
{
    static SettingService* shared = new SettingService; // never freed
    return *shared;
}

int SettingService::checkPinInputStatusByLeftTimes(int leftTimes) const
{
    if (leftTimes < 1)
        return 2;
    return isNeedAlertLeftTimesFlag_ ? 1 : 0;
}
