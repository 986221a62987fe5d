// What reaches the controller from elsewhere: connect requests by
// notification, a change of connection type, the machine's sleep and wake,
// the device going off-line or away, the network status and the device's
// frequency lock.
#include "connection/DialController.h"

#include "app/interfaces/CompoundCallControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/ui/controller/EventSoundPlayer.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "connection/NetworkStatusText.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Notification.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

namespace
{

const QString kInternet = QStringLiteral("Internet");
const QString kLockNetFrequency = QStringLiteral("LockNetFrequencyWhenConnect");

} // namespace

void DialController::dialNotification(ns::Notification*)
{
    // A 2G registration carries no data while a call is in progress.
    if (g_CompoundCallController && g_CompoundCallController->callStage() != 0 && is2GNetWork_) {
        NSRunAlertPanelExt(localized(QStringLiteral("Tips")),
                           localized(QStringLiteral("Please disconnet the calliing first!")),
                           localized(QStringLiteral("OK")), QString());
        return;
    }
    // One request, one connect action: the simple window's button shows the
    // same state and is never a second sender.
    DialOption(m_ConnectButton);
}

void DialController::connectTypeDidChanged(ns::Notification*)
{
    setDialParams();
}

void DialController::machineWillSleep(ns::Notification*)
{
    if (readConnectType() != 0 && connectStatus_ != Idle) {
        setConnectBtnEnable(false);
        NDISDialDisconnect();
    }
    manualDisconnectFlag = true;
}

void DialController::machineDidWake(ns::Notification*)
{
    if (configFlag(kInternet, QStringLiteral("NotAutoConnectForPPPFailed")) &&
        !configFlag(QString(), QStringLiteral("AutoConnect")))
        return;
    reconnect(true);
}

void DialController::dealWithMsgOfDeviceOffline()
{
    if (GetisDialNow()) {
        SelectDisconnectAction();
        StopTimerOfGetConnectState();
        playShortSound(kSoundOffline);
    }
    manualDisconnectFlag = false;
    reconnectTimes = 0;
    StopTimerOfGetConnectState();
    setConnectBtnEnable(false);
    if (m_ConnectState)
        m_ConnectState->setStringValue(localized(QStringLiteral("Idle")));
    setConnectStateForZudera(0);
    willConnectToInternet_ = false;
}

void DialController::deviceRemoved(ns::Notification*)
{
    isDeviceRemoved = true;
    dealWithMsgOfDeviceOffline();
    for (ns::TextField* field : {m_TelephoneNumber, m_Username, m_Password})
        if (field)
            field->setEnabled(false);
    bManualConnectSuccess_ = false;
    alreadyGetSimIMSIFlag_ = false;
    bAttatchPS_ = false;
    setPSDomainStatus(false);
    reconnectTimes = 0;
    modemStartUpProcessStateChanged_ = false;
    if (configFlag(QString(), QStringLiteral("DisplayBackgroundWhileDisconnect"))) {
        for (ns::View* view : {viewBackground_, viewContainerEmbedInUI_})
            if (view)
                view->setHidden(true);
    }
    setConnectBtnEnable(false);
    setApnCycleEnable(true);
    if (wndMain && wndMain->isMiniaturized())
        wndMain->deminiaturize(nullptr);
    setDeviceStatusStringRows(1);
    smartUITopFixedImage(QStringLiteral("freeToFun_HomePage.png"), QString(),
                         localized(QStringLiteral("Connect")), localized(QStringLiteral("No Device")));
    hadDoManualDisconnect_ = false;
    displayDisConnectingFlag_ = false;
    if (configFlag(kInternet, QStringLiteral("AddAPNWithSIM"))) {
        dialConfigListSelectItemAtIndex(1);
        if (m_DialConfigList)
            m_DialConfigList->setEnabled(false);
    }
    connectWarningsDisplayFlag_ = true;
    hadConnectAction_ = false;
    setModemAndSimStateString(QStringLiteral("Dial_tfdDeviceNotDetected"));
}

void DialController::updateNetworkStatus(ns::Notification* notification)
{
    const QString status =
        notification ? notification->userInfo().value(QStringLiteral("init_NetworkStatus")).toString()
                     : QString();
    const bool usable = network_status::isUsable(status);
    setIs2GNetWork(network_status::is2G(status));
    if (configFlag(QString(), QStringLiteral("EnableConnectByNetStatus"))) {
        if (g_SettingController)
            g_SettingController->setAutoConnectBtnEnable(usable);
        setPSDomainStatus(usable);
    }
    if (configFlag(QString(), QStringLiteral("NetworkServiceMonitor")))
        monitorNetworkService(usable);
}

void DialController::readNetFrequencyLockStatus()
{
    sendDialMessage(msg::connection::kReadNetFrequencyLock.majorID,
                    msg::connection::kReadNetFrequencyLock.minorID);
}

void DialController::dealWithNetFrequencyLockReadResult(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    if (payloadInt32(msg, 0) == 0 &&
        !configStore().getConfigurationByModuleAndKey(kInternet, kLockNetFrequency).isNull())
        setNetFrequencyLockStatus();
}

void DialController::setNetFrequencyLockStatus()
{
    const int32_t value =
        configStore().getConfigurationByModuleAndKey(kInternet, kLockNetFrequency).intValue();
    sendDialMessage(msg::connection::kSetNetFrequencyLock.majorID,
                    msg::connection::kSetNetFrequencyLock.minorID,
                    PayloadWriter(8).setInt32(0, 1).setInt32(4, value).bytes());
}
