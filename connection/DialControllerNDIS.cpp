// The NDIS connection: the device server brings the link up and reports its
// status and transfer figures by itself. The controller asks for the link,
// follows the four statuses, takes the counters from the transfer reports and
// counts the connection time on a one-second clock of the main run loop, the
// same loop the reports arrive on, so the counters are never shared between
// threads.
#include "connection/DialController.h"

#include "app/interfaces/SettingControlling.h"
#include "app/interfaces/UpdateLinking.h"
#include "app/ui/controller/EventSoundPlayer.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/NDISTransferReport.h"
#include "jCommon/PayloadReader.h"
#include "platform/ns/Clock.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/Workspace.h"

#include <QUrl>

namespace
{

const QString kInternet = QStringLiteral("Internet");

// NDIS statuses (0x0102/71).
enum NDISStatus : int32_t {
    kNDISDisconnected = 0,
    kNDISConnected = 1,
    kNDISConnecting = 2,
    kNDISConnectFailed = 3,
};

constexpr double kClockInterval = 1.0;
// The update link hears of the device a moment after the link is usable.
constexpr double kAutoUpdateDelay = 5.0;

} // namespace

void DialController::sendNDISDialConnectMsg(bool connect)
{
    const MessageID id = connect ? msg::connection::kNDISDialConnect : msg::connection::kNDISDialDisconnect;
    sendDialMessage(id.majorID, id.minorID);
}

void DialController::NDISDialConnect()
{
    setConnectStatus(Connecting);
    setManualDisconnect(false);
    apnCycleEnd();
    apnCycleStart();
    warnLimitFlag = true;
    m_notified = false;
    m_launchURLState = true;
    beginConnectionRecord();
    sendNDISDialConnectMsg(true);
    setConnectStateText(QStringLiteral("Connecting..."));
    if (g_SettingController)
        g_SettingController->setSettingBtnStatus(false);
    statusDict_.setValue(QStringLiteral("connectname"),
                         m_DialConfigList ? m_DialConfigList->stringValue() : QString());
}

void DialController::NDISDialDisconnect()
{
    setConnectStatus(Disconnecting);
    saveDialRecord();
    setConnectStateText(QStringLiteral("Disconnecting..."));
    if (configFlag(kInternet, QStringLiteral("ResetConnectBtnWhenDisconnecting")))
        resetConnectBtnStatusWhenDisconnecting();
    sendResetStatisticsNotification();
    sendNDISDialConnectMsg(false);
}

void DialController::dealWithMsgOfNDISDialStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.type != kTypeReport)
        return;
    switch (payloadInt32(msg, 0)) {
    case kNDISDisconnected:
        dealWithOfNDISDialDisconnected();
        break;
    case kNDISConnected:
        dealWithOfNDISDialConnected();
        break;
    case kNDISConnecting:
        dealWithOfNDISDialConnecting();
        break;
    case kNDISConnectFailed:
        dealWithOfNDISDialConnectFailed();
        break;
    default:
        break;
    }
}

void DialController::dealWithOfNDISDialConnecting()
{
    setConnectStateText(QStringLiteral("Connecting..."));
    if (configFlag(kInternet, QStringLiteral("ResetConnectBtnWhenConnecting")))
        resetConnectBtnStatusWhenConnecting();
}

void DialController::dealWithOfNDISDialConnected()
{
    if (isDeviceRemoved)
        return;
    // One clock per connection, also for a link found already up.
    if (!timerConnectInterval_)
        refereshConnectTimeThread();
    if (m_launchURLState) {
        if (g_SettingController)
            g_SettingController->AutoLaunchURL();
        launchURLAtFirstAPN();
        m_launchURLState = false;
    }
    if (!m_notified) {
        m_notified = true;
        playShortSound(kSoundOnline);
    }
    if (connectStatus_ != Connected)
        setDialBtnWithStatus(true);
    recordInState(QStringLiteral("Record In Runing"));
    statusDict_.setValue(QStringLiteral("starttime"), ns::Clock::current().now());
    switchInternetTabAction();
    imageDownloadFinishForBillboard();
}

void DialController::dealWithOfNDISDialIsConnected(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.type != kTypeReport)
        return;
    if (msg.result != kResultSuccess) {
        // No link is up: with a device there, the user may connect.
        if (connectStatus_ == Idle && !isDeviceRemoved)
            setConnectBtnEnable(true);
        return;
    }
    m_notified = false;
    if (m_DialConfigList)
        m_DialConfigList->setEnabled(false);
    recordInState(QStringLiteral("Record In Create"));
    InitConnectState();
    if (g_SettingController)
        g_SettingController->setSettingBtnStatus(false);
    statusDict_.setValue(QStringLiteral("connectname"),
                         m_DialConfigList ? m_DialConfigList->stringValue() : QString());
    dealWithOfNDISDialConnected();
}

void DialController::dealWithOfNDISDialDisconnected()
{
    if (connectStatus_ != Idle)
        playShortSound(kSoundOffline);
    if (g_SettingController)
        g_SettingController->setSettingBtnStatus(true);
    // Saved while the clock still holds the connection's seconds: ending the
    // display zeroes them.
    saveDialRecord();
    StopTimerOfGetConnectState();
    AutoReconnectForNdis();
    if (m_DialConfigList)
        m_DialConfigList->setEnabled(true);
    switchInternetTabAction();
}

void DialController::dealWithOfNDISDialConnectFailed()
{
    if (apnCycleTryNext()) {
        sendNDISDialConnectMsg(true);
        return;
    }
    playShortSound(kSoundOffline);
    setConnectStateText(QStringLiteral("Failed"));
    if (g_SettingController)
        g_SettingController->setSettingBtnStatus(true);
    if (m_DialConfigList)
        m_DialConfigList->setEnabled(true);
    StopTimerOfGetConnectState();
    const bool alertsOff = reconnectTimes > 1 &&
                           configFlag(kInternet, QStringLiteral("DisableAlertWindowWhileAutoConnectFailed"));
    if (!alertsOff)
        NSRunAlertPanelExt(localized(QStringLiteral("Warning!")),
                           localized(QStringLiteral("NDIS Connection failed!")),
                           localized(QStringLiteral("OK")), QString());
    AutoReconnectForNdis();
}

void DialController::AutoReconnectForNdis()
{
    if (isDoReconnectAfterDisconnect() && checkAutoConnectForPPPFailed() && !isDeviceRemoved &&
        configFlag(kInternet, QStringLiteral("AutoReconnectForNdis"))) {
        doReconnectAfterAutoDisconnect();
        setManualConnect(false);
    }
}

void DialController::dealWithMsgOfNDISDialTransferData(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.type != kTypeReport || isDeviceRemoved)
        return;
    const std::optional<NDISTransferReport> report = NDISTransferReport::fromRecord(msg);
    if (report) {
        m_sendData = report->sendBytes;
        m_receiveData = report->receiveBytes;
        m_sendSpeed = report->sendSpeed;
        m_receiveSpeed = report->receiveSpeed;
        setIPAddress(report->localAddress);
        setTransferDataInfo();
        checkRecordLimit();
    }
    if (isManalConnect()) {
        bManualConnectSuccess_ = true;
        setManualConnect(false);
    }
    if (!m_haveSendUpdateMessage) {
        // A report of another length has no address to go by.
        const QString address = report ? filterIPAddress(report->localAddress) : QString();
        if (g_UpdateLink && g_UpdateLink->isSupportUpdate() && !address.isEmpty())
            ns::performSelectorAfterDelay(this, QStringLiteral("sendAutoUpdate"), nullptr, kAutoUpdateDelay);
        m_haveSendUpdateMessage = true;
    }
}

void DialController::sendAutoUpdate()
{
    if (g_UpdateLink)
        g_UpdateLink->dealWithDeviceReady();
}

void DialController::refereshConnectTimeThread()
{
    m_connecttime = 0;
    timerConnectInterval_ = ns::Timer::scheduledTimer(
        kClockInterval, this, QStringLiteral("refereshConnectTime:"), ns::Value(), true);
}

void DialController::refereshConnectTime(ns::Timer*)
{
    ++m_connecttime;
    setConnectTimeInfo();
    setSpeedInfo();
    sendStatisticsNotification();
}

void DialController::launchURLAtFirstAPN()
{
    if (!configFlag(kInternet, QStringLiteral("AutoLaunchURLWithFirstDefaultAPN")) || !m_DialConfigList ||
        m_DialConfigList->indexOfSelectedItem() != 1)
        return;
    const QString address =
        configStore()
            .getConfigurationByModuleAndKey(kInternet, QStringLiteral("AutoLaunchURLString"))
            .toString();
    if (!address.isEmpty())
        ns::Workspace::sharedWorkspace().openURL(QUrl(address));
}
