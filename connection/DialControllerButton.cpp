// The connect controls, the NDIS requests as far as the state machine needs
// them, and the calls into features still to come, each doing the least its
// caller needs.
#include "connection/DialController.h"

#include "app/interfaces/InitControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "jCommon/ConnectionMessages.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TextField.h"

namespace
{

const QString kInternet = QStringLiteral("Internet");

} // namespace

void DialController::setDialBtnWithStatus(bool connected)
{
    if (!isDeviceRemoved)
        setConnectBtnEnable(true);
    setConnectStatus(connected ? Connected : Idle);
    setDialBtnTitle(connected);
    setConnectStateText(connected ? QStringLiteral("Connected") : QStringLiteral("Idle"));
    if (connected) {
        // The profile that connected is kept: no further profiles are tried.
        apnCycleEnd();
        setApnCycleEnable(false);
    }
}

void DialController::setDialBtnTitle(bool connected)
{
    if (m_ConnectButton)
        m_ConnectButton->setTitle(
            localized(connected ? QStringLiteral("Disconnect") : QStringLiteral("Connect")));
}

void DialController::setConnectBtnEnable(bool enabled)
{
    for (ns::Button* button : {m_ConnectButton, btnConnectSimple})
        if (button)
            button->setEnabled(enabled);
}

void DialController::netcardChanged(ns::Notification*)
{
    isDeviceRemoved = false;
    setDialBtnWithStatus(false);
    // An NDIS link outlives the program: the device says whether one is up.
    sendDialMessage(msg::connection::kNDISDialIsConnected.majorID,
                    msg::connection::kNDISDialIsConnected.minorID);
}

bool DialController::deviceLockDialOption()
{
    if (!configFlag(QString(), QStringLiteral("DeviceLockDialFunction")) || !g_SettingController ||
        !g_SettingController->getDeviceUnlockCodeState() || !g_InitControlling)
        return false;
    g_InitControlling->openUnlockDeviceWindow(wndMain);
    g_InitControlling->setDeviceLockFunctionModule(0);
    return true;
}

bool DialController::checkAPNAccount()
{
    return false;
}

bool DialController::doBeforeConnect()
{
    const bool reminderDue = configFlag(kInternet, QStringLiteral("r3aRemindWhilteNetAlertBeforeConnect")) &&
                             g_InitControlling && g_InitControlling->networkRoamStatus() == 0 &&
                             g_InitControlling->isInWhiteList() &&
                             g_InitControlling->roamTipWhenInWhiteList();
    if (!reminderDue || confirmWarning(QStringLiteral("remindInWhiteList")))
        return true;
    setConnectBtnEnable(true);
    return false;
}

bool DialController::dialDisconnectWhenRoamForZudera()
{
    return true;
}

void DialController::beginConnectWarningSheet() {}

void DialController::runMTSPrompt(const QString& prompt)
{
    clickOKForAPNPromptFlag_ =
        NSRunAlertPanelExt(localized(QStringLiteral("Warning")), prompt, localized(QStringLiteral("OK")),
                           localized(QStringLiteral("Cancel"))) == 1;
}

void DialController::monitorNetworkService(bool) {}

void DialController::setConnectStateForZudera(int) {}

void DialController::setIsHiddenConnectBtn(bool hidden)
{
    if (m_ConnectButton)
        m_ConnectButton->setHidden(hidden);
}

void DialController::setModemAndSimStateString(const QString& key)
{
    if (m_ModemAndSimState)
        m_ModemAndSimState->setStringValue(localized(key));
}

void DialController::smartUITopFixedImage(const QString&, const QString&, const QString&, const QString&) {}

void DialController::setWCDMAConfigHidden(bool) {}

// ---- calls into features that are not here yet ----

// No usage limits are checked while connected.
void DialController::checkRecordLimit() {}

void DialController::recordLimitWarnForVazo() {}

// No operator connect-state window.
void DialController::openConnectStateWindowForZudera(bool) {}

// No first-connect actions: only the once-per-connection mark is taken.
void DialController::performActionWhenFirstConnected()
{
    m_launchURLState = false;
}

// No monthly total is shown.
void DialController::displayMonthlyData() {}

// No failure window.
void DialController::openConnectFailedWindow() {}

// The SmartUI look is not built: nothing to change at a disconnect or on the cancel title.
void DialController::smartUIManualDisconnect() {}

void DialController::smartUISetConnectBtnTitle(const QString&) {}

// The connect button keeps its plain look (no "ConnectBtnDisplayWithImage" images).
void DialController::setConnectBtnImage() {}

// No split connection process, no operator web view.
void DialController::switchInternetTabAction() {}

void DialController::detachSpecialWebview() {}
