// The connect button's procedure: the checks and prompts before a connect
// or a disconnect, and the action itself a moment later.
#include "connection/DialController.h"

#include "app/config/ConfigService.h"
#include "app/interfaces/DialRecordControlling.h"
#include "app/interfaces/InitControlling.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "connection/RecordSettingsKeys.h"
#include "jCommon/ConnectionMessages.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"

namespace
{

// Lets the button's click finish before a modal alert or a state change.
constexpr double kDialOptionDelay = 0.05;

const QString kInternet = QStringLiteral("Internet");

// The service prompts of the MTS profiles, by combo box entry.
const char* const kMTSPrompts[] = {"Detail Service Mobile GPRS-Internet", "Detail Service HyperActive",
                                   "Detail Service Hyper.NET"};

} // namespace

void DialController::DialOption(ns::Object* sender)
{
    if (connectStatus_ == Idle) {
        if (checkDeviceLockStatus(sender) || !allowUserConnect() || !allowRoamWithAlert())
            return;
        const bool underLimit = configFlag(record_keys::kRecord, QStringLiteral("recordLimitState"))
                                    ? displayDataLimitWarning()
                                    : displayTimeLimitWarning();
        if (!underLimit)
            return;
        if (checkUsernameFlag_ && checkAPNAccount())
            return;
        if (configFlag(QStringLiteral("Setting"), QStringLiteral("connectWarningsDisplay")) &&
            connectWarningsDisplayFlag_) {
            beginConnectWarningSheet();
            return;
        }
        if (configFlag(kInternet, QStringLiteral("ChangePosForProfile"))) {
            displayUKMTSWaring();
            if (!clickOKForAPNPromptFlag_)
                return;
        }
        if (!configStore()
                 .getConfigurationByModuleAndKey(kInternet, QStringLiteral("LockNetFrequencyWhenConnect"))
                 .isNull())
            readNetFrequencyLockStatus();
        if (sender)
            setManualConnect(true);
        bManualConnectSuccess_ = false;
    } else if (connectStatus_ == Connected) {
        if (!allowUserDisconnect() || !dialDisconnectWhenRoamForZudera())
            return;
        autoDisconnectFlag = false;
        warnLimitFlag = false;
        if (sender)
            setHadDoManualDisconnect(true);
    }
    ns::performSelectorAfterDelay(this, QStringLiteral("performDialOption:"), sender, kDialOptionDelay);
}

void DialController::performDialOption(ns::Object* sender)
{
    if (readConnectType() != 0) {
        if (connectStatus_ == Connected) {
            setManualDisconnect(true);
            NDISDialDisconnect();
        } else if (connectStatus_ == Idle) {
            if (sender)
                setApnCycleEnable(true);
            NDISDialConnect();
        }
    } else if (connectStatus_ == Connected) {
        setManualDisconnect(true);
        DialDisconnect();
    } else if (connectStatus_ == Connecting) {
        DialCancelConnect();
    } else if (connectStatus_ == Idle && doBeforeConnect()) {
        if (sender)
            setApnCycleEnable(true);
        setDisplayDisConnectingFlag(false);
        checkIsAttachPSForConnect();
    }
    setConnectBtnEnable(false);
}

void DialController::CancelConnect(ns::Object*)
{
    getConnectStatus();
    setConnectBtnEnable(true);
    DialDisconnect();
}

bool DialController::checkDeviceLockStatus(ns::Object* sender)
{
    return configFlag(QString(), QStringLiteral("DeviceLockDialFunction")) &&
           (!sender || sender == m_ConnectButton) && deviceLockDialOption();
}

bool DialController::allowUserConnect()
{
    return !configFlag(kInternet, QStringLiteral("PopUpConnectWaring")) ||
           confirmWarning(QStringLiteral("Do you want to establish a connection?"));
}

bool DialController::allowUserDisconnect()
{
    return !configFlag(kInternet, QStringLiteral("PopUpDisconnectWaring")) ||
           confirmWarning(QStringLiteral("Do you want to terminate current connection?"));
}

bool DialController::allowRoamWithAlert()
{
    const bool whiteListed = g_InitControlling && g_InitControlling->isInWhiteList();
    const bool promptWanted =
        !(configFlag(kInternet, QStringLiteral("noRoamingAlertBeforeConnectIfIsWhiteNet")) && whiteListed);
    const bool roaming = g_InitControlling && g_InitControlling->networkRoamStatus() == 0;
    bool answer = true;
    roamingPromptAnswer_ = ns::Value();
    if (roaming && !configFlag(kInternet, QStringLiteral("ForbidRoamingAlert")) && promptWanted) {
        answer = showAlertWin();
        roamingPromptAnswer_ = ns::Value(answer ? 1 : 0);
        statusDict_.setValue(QStringLiteral("roaming"), roamingPromptAnswer_);
    }
    if (configFlag(kInternet, QStringLiteral("Internet_PopAlertWindow_IfConnect2GNetwork")) && is2GNetWork_)
        answer = showAlertWin();
    return answer;
}

bool DialController::showAlertWin()
{
    if (NSRunAlertPanelExt(localized(QStringLiteral("Warning")),
                           localized(QStringLiteral("Cost will be increased at roaming status")),
                           roamAlertOKBtnWording(), localized(QStringLiteral("Cancel"))) == 1)
        return true;
    manualDisconnectFlag = true;
    return false;
}

QString DialController::roamAlertOKBtnWording() const
{
    return localized(configFlag(kInternet, QStringLiteral("RoamAlertContinue")) ? QStringLiteral("Continue")
                                                                                : QStringLiteral("OK"));
}

int DialController::delayForLimistDisconnect() const
{
    return configStore()
        .getConfigurationByModuleAndKey(kInternet, QStringLiteral("LimitDisconnectDelay"))
        .intValue();
}

bool DialController::limitWarningApplies(const QString& warningSwitch)
{
    autoDisconnectFlag = true;
    if (g_DialRecordController)
        g_DialRecordController->getTotalDataAndTime();
    return configFlag(kInternet, warningSwitch) && !ConfigService(configStore()).isDisabledLimits();
}

bool DialController::displayTimeLimitWarning()
{
    if (!limitWarningApplies(QStringLiteral("timeLimitWarning")))
        return true;
    const long used = runningTotalSeconds();
    const long hours =
        long(configStore()
                 .getConfigurationByModuleAndKey(record_keys::kRecord, QStringLiteral("recordTimeLimit"))
                 .doubleValue());
    const long limit = hours * 3600 - delayForLimistDisconnect();
    if (limit < 1 || used < limit)
        return true;
    return limitReachedWarning();
}

bool DialController::displayDataLimitWarning()
{
    if (!limitWarningApplies(QStringLiteral("dataLimitWarning")))
        return true;
    const double used = runningTotalKilobytes();
    const double limitMB =
        configStore()
            .getConfigurationByModuleAndKey(record_keys::kRecord, QStringLiteral("recordDataLimit"))
            .doubleValue();
    if (limitMB <= 0 || used < limitMB * 1024)
        return true;
    return limitReachedWarning();
}

bool DialController::limitReachedWarning()
{
    autoDisconnectFlag = false;
    return confirmWarning(QStringLiteral("Pre-set limit has been reached. Do you want to connect anyway?"));
}

void DialController::displayUKMTSWaring()
{
    const int index = m_DialConfigList ? m_DialConfigList->indexOfSelectedItem() : -1;
    if (index < 1 || index > 3) {
        clickOKForAPNPromptFlag_ = true;
        return;
    }
    runMTSPrompt(localized(QString::fromLatin1(kMTSPrompts[index - 1])));
}
