// The dial-parameter record: the profile in use, handed to the device.
#include "connection/DialController.h"

#include "connection/DialProfile.h"
#include "jCommon/ConnectionMessages.h"

void DialController::setDialParams()
{
    // With no profile listed the device gets the all-automatic record.
    DialProfile::DialParamsContext context;
    context.connectType = readConnectType();
    context.disableAlertWindow = setParaDisableAlertWindow();
    context.mtuSize =
        configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("Internet"), QStringLiteral("MTUSize"))
            .intValue();
    context.dualPdp = isSupportDoblePdpSettings();
    const MessageID id = msg::connection::kSetDialParams;
    sendDialMessage(
        id.majorID, id.minorID,
        dialParamsBytes(DialProfile::dialParamsOfProfile(createSafeDialConfig(currentProfile()), context)));
}

bool DialController::setParaDisableAlertWindow()
{
    if (configFlag(QStringLiteral("Internet"), QStringLiteral("DisableAlertWindowWhileAutoConnectFailed")) &&
        reconnectTimes > 0)
        return true;
    return !apnCycleLastTry();
}

ns::Dictionary DialController::createSafeDialConfig(const ns::Dictionary& profile) const
{
    return DialProfile::safeDialConfig(profile, isSupportDoblePdpSettings());
}
