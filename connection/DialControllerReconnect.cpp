// Automatic reconnection: after a drop, a failed attempt or a wake the
// controller connects again by itself, through the ordinary connect action,
// as often and after the delays the configuration names.
#include "connection/DialController.h"

#include "app/interfaces/InitControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Window.h"

#include <algorithm>

namespace
{

const QString kInternet = QStringLiteral("Internet");
const QString kAutoReconnect = QStringLiteral("autoReconnect");
const QString kReconnectAfterAutoDisconnect = QStringLiteral("reconnectAfterAutoDisconnect");

// The delay of a missing key, and the wait while the device is busy.
constexpr double kDefaultDelay = 10.0;
constexpr double kBusyRetry = 10.0;
constexpr int kDefaultMaxReconnectTimes = 3;
constexpr int kDefaultContinueReconnectTimes = 5;

} // namespace

void DialController::initReconnectTimes()
{
    const ns::Value maxTimes =
        configStore().getConfigurationByModuleAndKey(kInternet, QStringLiteral("MaxReconnectTimes"));
    max_ReconnectTimes_ = maxTimes.isNull() ? kDefaultMaxReconnectTimes : maxTimes.intValue();
    const ns::Value continueTimes =
        configStore().getConfigurationByModuleAndKey(kInternet, QStringLiteral("ContinueReconnectTiems"));
    continueReconnectTiems_ =
        continueTimes.isNull() ? kDefaultContinueReconnectTimes : continueTimes.intValue();
}

void DialController::reconnect(bool reconnect)
{
    if (isDeviceRemoved)
        return;
    const bool roamBlocked = configFlag(kInternet, QStringLiteral("noAutoConnectWhenInRoam")) &&
                             g_InitControlling && g_InitControlling->networkRoamStatus() == 0;
    if (roamBlocked || !g_SettingController || !g_SettingController->allowAutoReconnect())
        return;
    if (reconnect) {
        setManualDisconnect(false);
        reconnectTimes = 0;
    }
    if (configFlag(kInternet, QStringLiteral("minMainWindowWhenAutoConnectToTheNoRoamNet")) &&
        g_InitControlling && g_InitControlling->networkRoamStatus() == 1 &&
        g_InitControlling->roamTransferMode() != 0 && apnCycleEnabled() && wndMain)
        wndMain->miniaturize(nullptr);
    // One chain of attempts at a time: a new schedule replaces a waiting one.
    ns::cancelPreviousPerformRequests(this, kAutoReconnect, nullptr);
    ns::performSelectorAfterDelay(this, kAutoReconnect, nullptr, autoReconnectInterval());
}

void DialController::autoReconnect()
{
    if (isDeviceRemoved || !checkAutoConnectByTimes() || manualDisconnectFlag || !g_SettingController ||
        !g_SettingController->allowAutoReconnect() || willConnectToInternet_ ||
        notAutoConnectWhenInterRoaming() || g_SettingController->getOperatorSelectionForNetwork())
        return;
    const bool ready = g_InitControlling && g_InitControlling->checkToReturnPSDomain() &&
                       !g_SettingController->isPinPukOrNetSelectWinBeginSheet() && connectStatus_ == Idle;
    if (!ready) {
        ns::performSelectorAfterDelay(this, kAutoReconnect, nullptr, kBusyRetry);
        return;
    }
    ++reconnectTimes;
    disableConnectionAlertWindow();
    DialOption(nullptr);
}

double DialController::autoReconnectInterval()
{
    ns::Value delay;
    if (reconnectTimes >= max_ReconnectTimes_) {
        if (configFlag(kInternet, QStringLiteral("ContinueAutoConnect")))
            delay = configStore().getConfigurationByModuleAndKey(kInternet,
                                                                 QStringLiteral("ContinueAutoConnectTime"));
    } else if (reconnectTimes == 0) {
        delay = configStore().getConfigurationByModuleAndKey(
            kInternet, QStringLiteral("AutoReconnectStartTimeAfterDisconnect"));
    } else {
        delay = configStore().getConfigurationByModule(QStringLiteral("AutoConnectDelayTime"));
    }
    return delay.isNull() ? kDefaultDelay : std::max(0.0, delay.doubleValue());
}

bool DialController::checkAutoConnectByTimes()
{
    return reconnectTimes < max_ReconnectTimes_ ||
           configFlag(kInternet, QStringLiteral("ContinueAutoConnect"));
}

bool DialController::notAutoConnectWhenInterRoaming()
{
    return configFlag(kInternet, QStringLiteral("NotAutoConnectForInterRoam")) &&
           !runtimeObjectForKey(kRTIsSameMCC).boolValue();
}

bool DialController::isDoReconnectAfterDisconnect()
{
    if (!manualDisconnectFlag && !configFlag(kInternet, QStringLiteral("apnCycle")))
        return true;
    return !apnCycleEnabled();
}

bool DialController::checkAutoConnectForPPPFailed()
{
    return !configFlag(kInternet, QStringLiteral("NotAutoConnectForPPPFailed")) || bManualConnectSuccess_ ||
           !isManalConnect();
}

void DialController::doReconnectAfterAutoDisconnect()
{
    const ns::Value extra =
        configStore().getConfigurationByModule(QStringLiteral("autoReConnectdelayTimeAfterAutoDisconnect"));
    const int delay = reconnectTimes > 0 && !extra.isNull() ? std::max(0, extra.intValue()) : 0;
    if (delay == 0) {
        reconnectAfterAutoDisconnect();
        return;
    }
    ns::cancelPreviousPerformRequests(this, kReconnectAfterAutoDisconnect, nullptr);
    ns::performSelectorAfterDelay(this, kReconnectAfterAutoDisconnect, nullptr, delay);
}

void DialController::reconnectAfterAutoDisconnect()
{
    reconnect(false);
}

void DialController::disableConnectionAlertWindow()
{
    if (configFlag(kInternet, QStringLiteral("DisableAlertWindowWhileAutoConnectFailed")))
        setDialParams();
}
