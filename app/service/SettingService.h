#pragma once

#include "app/service/JovServiceBase.h"

// The small service of the settings feature: the flags that the PIN windows
// and the manual network selection share.
class SettingService : public JovServiceBase
{
public:
    static SettingService& sharedSettingService();

    // 2 when no attempt is left, 1 when the remaining-attempts alert is wanted, else 0.
    int checkPinInputStatusByLeftTimes(int leftTimes) const;

    bool isNeedAlertLeftTimesFlag() const { return isNeedAlertLeftTimesFlag_; }
    void setIsNeedAlertLeftTimesFlag(bool flag) { isNeedAlertLeftTimesFlag_ = flag; }
    // The running manual selection is the automatic retry of the current operator.
    bool isSecondManualSelectNetFlag() const { return isSecondManualSelectNetFlag_; }
    void setIsSecondManualSelectNetFlag(bool flag) { isSecondManualSelectNetFlag_ = flag; }

private:
    bool isNeedAlertLeftTimesFlag_ = false;
    bool isSecondManualSelectNetFlag_ = false;
};
