// The connect controls and the first steps of the connection procedures, as
// far as the state machine needs them: a connect or disconnect request moves
// the state and goes to the device; the status replies that complete them
// come with the PPP and NDIS procedures.
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

void DialController::DialConnect()
{
    setConnectStatus(Connecting);
    sendDialMessage(msg::connection::kDialConnect.majorID, msg::connection::kDialConnect.minorID);
}

void DialController::DialDisconnect()
{
    setConnectStatus(Disconnecting);
    sendDialMessage(msg::connection::kDialDisconnect.majorID, msg::connection::kDialDisconnect.minorID);
}

void DialController::DialCancelConnect()
{
    DialDisconnect();
}

void DialController::NDISDialConnect()
{
    setConnectStatus(Connecting);
    sendDialMessage(msg::connection::kNDISDialConnect.majorID, msg::connection::kNDISDialConnect.minorID);
}

void DialController::NDISDialDisconnect()
{
    setConnectStatus(Disconnecting);
    sendDialMessage(msg::connection::kNDISDialDisconnect.majorID,
                    msg::connection::kNDISDialDisconnect.minorID);
}

void DialController::getConnectStatus(ns::Timer*)
{
    sendDialMessage(msg::connection::kPPPConnectStatus.majorID, msg::connection::kPPPConnectStatus.minorID);
}

void DialController::StopTimerOfGetConnectState()
{
    if (m_TimerToGetConnectState) {
        m_TimerToGetConnectState->invalidate();
        m_TimerToGetConnectState.reset();
    }
    if (connectStatus_ != Idle)
        setDialBtnWithStatus(false);
}

void DialController::netcardChanged(ns::Notification*)
{
    isDeviceRemoved = false;
    setDialBtnWithStatus(false);
}

void DialController::checkIsAttachPSForConnect()
{
    DialConnect();
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
