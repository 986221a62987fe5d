// The PPP connection: the device server dials and runs the link; the
// controller asks it to connect or disconnect, polls its status ten times a
// second and turns each status into text, button state, sounds,
// notifications and the connection record.
#include "connection/DialController.h"

#include "app/interfaces/DialRecordControlling.h"
#include "app/interfaces/MMSControlling.h"
#include "app/interfaces/MainWindowing.h"
#include "app/interfaces/SettingControlling.h"
#include "app/interfaces/UpdateLinking.h"
#include "app/language/WordingOperation.h"
#include "app/ui/controller/EventSoundPlayer.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/StatisticsController/statisticsView.h"
#include "jCommon/ConnectionMessages.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

#include <algorithm>
#include <limits>

namespace
{

const QString kInternet = QStringLiteral("Internet");
constexpr double kPollInterval = 0.1;

using enum PPPConnectStatus::Code;

// The server's seconds as whole seconds; what no clock could show reads as 0
// or the largest count.
long wholeSeconds(double seconds)
{
    if (!(seconds > 0))
        return 0;
    constexpr double kMost = double(std::numeric_limits<int32_t>::max());
    return long(seconds < kMost ? seconds : kMost);
}

const QString kFieldPlaceholder = QStringLiteral("_____");

} // namespace

void DialController::DialConnect()
{
    setConnectStatus(Connecting);
    setManualDisconnect(false);
    apnCycleEnd();
    apnCycleStart();

    connectTime15 = 0;
    saveRecordFlag = false;
    warnLimitFlag = warnLimitExceedFlag = true;
    warnLimit25Flag_ = warnLimit50Flag_ = warnLimit75Flag_ = true;
    m_sendData = m_receiveData = 0;
    m_notified = false;
    m_launchURLState = true;

    beginConnectionRecord();

    sendDialConnectMsg(true);

    if (m_TimerToGetConnectState)
        m_TimerToGetConnectState->invalidate();
    pppStatusAnswersDue_ = 0;
    m_TimerToGetConnectState = ns::Timer::scheduledTimer(
        kPollInterval, this, QStringLiteral("getConnectStatus:"), ns::Value(), true);

    sendConnectStatusMsg(true);
    hadConnectAction_ = true;
    if (g_SettingController)
        g_SettingController->setSettingBtnStatus(false);

    statusDict_.setValue(QStringLiteral("starttime"), ns::Clock::current().now());
    statusDict_.setValue(QStringLiteral("connectname"),
                         m_DialConfigList ? m_DialConfigList->stringValue() : QString());

    openConnectStateWindowForZudera(true);
}

void DialController::DialDisconnect()
{
    setConnectStatus(Disconnecting);
    saveRecordFlag = true;
    saveDialRecord();
    sendDialConnectMsg(false);
    apnCycleEnd();
    if (configFlag(kInternet, QStringLiteral("DisplayStatisticsWin")))
        displayStatisticsForDisconnect();
    sendResetStatisticsNotification();
    openConnectStateWindowForZudera(true);
}

void DialController::DialCancelConnect()
{
    setManualDisconnect(true);
    setConnectStatus(Disconnecting);
    sendDialConnectMsg(false);
    apnCycleEnd();
}

void DialController::sendDialConnectMsg(bool connect)
{
    const MessageID id = connect ? msg::connection::kDialConnect : msg::connection::kDialDisconnect;
    sendDialMessage(id.majorID, id.minorID);
}

void DialController::sendConnectStatusMsg(bool started)
{
    ns::Dictionary info;
    info.setValue(kStartConnectionNotification, ns::Value(started));
    notificationCenter.postNotificationName(kStartConnectionNotification, nullptr, info);
}

// ---- the poll and its answers ----

void DialController::getConnectStatus(ns::Timer*)
{
    ++pppStatusAnswersDue_;
    sendDialMessage(msg::connection::kPPPConnectStatus.majorID, msg::connection::kPPPConnectStatus.minorID);
    getConnectPppOption();
    checkRecordLimit();
    recordLimitWarnForVazo();
}

void DialController::getConnectPppOption()
{
    sendDialMessage(msg::connection::kPPPConnectOption.majorID, msg::connection::kPPPConnectOption.minorID);
}

bool DialController::readStatusAnswer(ns::Notification* notification, _UI_MSG* msg)
{
    if (!readRecord(notification, msg) || msg->type != kTypeReport)
        return false;
    pppStatusAnswersDue_ = std::max(0, pppStatusAnswersDue_ - 1);
    return m_TimerToGetConnectState != nullptr;
}

void DialController::dealWithMsgOfPPPConnectStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readStatusAnswer(notification, &msg))
        return;
    const PPPConnectStatus status = PPPConnectStatus::fromRecord(msg);
    processPPPConnectStatus(status);
    setIPAddress(status.localAddress);
    calculateTransferSpeed();
}

void DialController::dealWithMsgOfDialConnectStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readStatusAnswer(notification, &msg))
        return;
    processPPPConnectStatus(PPPConnectStatus::fromOldRecord(msg));
    calculateTransferSpeed();
}

void DialController::dealWithMsgOfDialConnectPppOption(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.type != kTypeReport)
        return;
    const uint32_t address = pppAddressFromRecord(msg);
    statusDict_.setValue(QStringLiteral("localaddr"), ns::Value(qint64(address)));
    if (connectStatus_ != Idle && m_IPAddress)
        m_IPAddress->setStringValue(filterIPAddress(pppAddressText(address)));
}

void DialController::setIPAddress(const QString& address)
{
    statusDict_.setValue(QStringLiteral("localaddr"), address);
    if (connectStatus_ != Idle && m_IPAddress)
        m_IPAddress->setStringValue(filterIPAddress(address));
}

QString DialController::filterIPAddress(const QString& address) const
{
    if (switches_.isNotShowIPAddressWhenDhcpFailed() && address.startsWith(QLatin1String("169.254")))
        return QString();
    return address;
}

// ---- the status codes ----

int DialController::preDealWithConnectStatus(int code)
{
    if (!configFlag(kInternet, QStringLiteral("noNeedMiddleStatus")))
        return code;
    switch (code) {
    case kNegotiatingLink:
    case kAuthenticating:
    case kNegotiatingNetwork:
        return kConnectingLink;
    case kTerminating:
        setConnectBtnEnable(false);
        return kDisconnectingLink;
    default:
        return code;
    }
}

void DialController::processPPPConnectStatus(const PPPConnectStatus& status)
{
    if (!apnCycleTakesStatus())
        return;
    switch (preDealWithConnectStatus(status.code)) {
    case kDisconnected:
        setPPPDisconnectedSatus();
        break;
    case kInitialising:
        setConnectStateText(QStringLiteral("Init"));
        break;
    case kConnectingLink:
        if (showDialingWording())
            setConnectStateText(alternatingText(QStringLiteral("Connecting"), connectingWordingFlag_));
        if (configFlag(kInternet, QStringLiteral("ResetConnectBtnWhenConnecting")))
            resetConnectBtnStatusWhenConnecting();
        break;
    case kNegotiatingLink:
        setConnectStateText(QStringLiteral("Establish"));
        break;
    case kAuthenticating:
        setConnectStateText(QStringLiteral("Authenticate"));
        break;
    case kNegotiatingNetwork:
        setConnectStateText(QStringLiteral("Create Network"));
        performCancelDialAction();
        break;
    case kConnected:
        setPPPConnectedStatusWithTime(wholeSeconds(status.seconds), status.sendBytes, status.receiveBytes);
        break;
    case kTerminating:
        setConnectBtnEnable(false);
        setConnectStateText(QStringLiteral("Terminate"));
        break;
    case kDisconnectingLink:
        setPPPDisconnectingLinkStatus();
        break;
    default: // 3, 6 and above 10 mean nothing here
        break;
    }
}

bool DialController::showDialingWording()
{
    const ns::Value pace =
        configStore().getConfigurationByModuleAndKey(kInternet, QStringLiteral("DialWordingSpeed"));
    if (pace.isNull())
        return true;
    ++dialWordingCount_;
    if (pace.intValue() > dialWordingCount_)
        return false;
    dialWordingCount_ = 0;
    return true;
}

QString DialController::alternatingText(const QString& word, bool& flag)
{
    const QString text = word + (flag ? QStringLiteral("...") : QStringLiteral("......"));
    flag = !flag;
    return text;
}

void DialController::setConnectStateText(const QString& key)
{
    if (m_ConnectState)
        m_ConnectState->setStringValue(localized(key));
}

void DialController::resetConnectBtnStatusWhenConnecting()
{
    disableConnectBtnWithTitle(QStringLiteral("Connecting"));
}

void DialController::resetConnectBtnStatusWhenDisconnecting()
{
    disableConnectBtnWithTitle(QStringLiteral("Disconnecting"));
}

void DialController::disableConnectBtnWithTitle(const QString& key)
{
    const QString title = localized(key);
    if (m_ConnectButton) {
        m_ConnectButton->setTitle(title);
        m_ConnectButton->setEnabled(false);
    }
    if (btnConnectSimple) {
        btnConnectSimple->setTitle(title);
        btnConnectSimple->setToolTip(title);
        btnConnectSimple->setEnabled(false);
    }
}

void DialController::performCancelDialAction()
{
    if (!m_ConnectButton || m_ConnectButton->isEnabled() || connectStatus_ != Connecting)
        return;
    m_ConnectButton->setEnabled(true);
    m_ConnectButton->setTitle(
        WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("Internet_btnConnect_Cancel")));
    if (switches_.displayTooltipForConnectBtn())
        m_ConnectButton->setToolTip(
            WordingOperation::getDisplayWordingValueByWordingKey(QStringLiteral("Internet_btnCancel")));
    if (btnConnectSimple) {
        const QString cancel = WordingOperation::getDisplayWordingValueByWordingKey(
            QStringLiteral("Internet_btnConnectSimple_Cancel"));
        btnConnectSimple->setTitle(cancel);
        btnConnectSimple->setToolTip(cancel);
    }
    smartUISetConnectBtnTitle(QStringLiteral("Cancel"));
    setConnectBtnImage();
}

void DialController::setPPPConnectedStatusWithTime(long seconds, float sendData, float receiveData)
{
    if (connectStatus_ != Connected && connectStatus_ != Disconnecting) {
        setDialBtnWithStatus(true);
        if (g_MainWindowing) {
            g_MainWindowing->openMainWindow();
            g_MainWindowing->miniaturizeMainWindowWhenConnectSucced();
        }
    }
    performActionWhenFirstConnected();
    if (isManalConnect()) {
        bManualConnectSuccess_ = true;
        setManualConnect(false);
    }
    recordInState(QStringLiteral("Record In Runing"));

    m_connecttime = seconds;
    setConnectTimeInfo();
    m_receiveData = receiveData;
    m_sendData = sendData;
    setTransferDataInfo();
    sendStatisticsNotification();
    displayMonthlyData();

    if (!m_haveSendUpdateMessage) {
        if (g_UpdateLink && g_UpdateLink->isSupportUpdate())
            g_UpdateLink->dealWithDeviceReady();
        m_haveSendUpdateMessage = true;
    }
    if (hasModuleWith(QStringLiteral("MMS")) && g_MMSController)
        g_MMSController->connectRunningStatuFromDial();
}

void DialController::setPPPDisconnectingLinkStatus()
{
    if (!showDialingWording())
        return;
    const bool connectingWords =
        configFlag(kInternet, QStringLiteral("noDisplayDisconnectingAfterConnectFailed")) &&
        !displayDisConnectingFlag_;
    setConnectStateText(
        alternatingText(connectingWords ? QStringLiteral("Connecting") : QStringLiteral("Disconnecting"),
                        disconnectingWordingFlag_));
    if (bAppWillClose_)
        ns::Application::sharedApplication().terminate(this);
    if (configFlag(kInternet, QStringLiteral("ResetConnectBtnWhenDisconnecting")))
        resetConnectBtnStatusWhenDisconnecting();
}

void DialController::setPPPDisconnectedSatus()
{
    if (apnCycleTryNext()) {
        sendDialConnectMsg(true);
        return;
    }
    if (isDoReconnectAfterDisconnect() && checkAutoConnectForPPPFailed()) {
        doReconnectAfterAutoDisconnect();
        setManualConnect(false);
        if (g_MainWindowing)
            g_MainWindowing->openMainWindow();
        openConnectFailedWindow();
    } else if (apnCyleWhenRoamToNoRoam_) {
        // The home network came back while connected: connect there.
        setApnCyleWhenRoamToNoRoam(false);
        DialOption(nullptr);
    }
    if (configFlag(kInternet, QStringLiteral("minMainWindowWhenAutoConnectToTheNoRoamNet")) && wndMain &&
        wndMain->isMiniaturized())
        wndMain->deminiaturize(nullptr);

    playShortSound(kSoundOffline);
    if (g_SettingController)
        g_SettingController->setSettingBtnStatus(true);
    sendConnectStatusMsg(false);
    if (m_DialConfigList)
        m_DialConfigList->setEnabled(true);

    if (!saveRecordFlag)
        saveDialRecord();

    if (speedView)
        speedView->setUndisplay();
    if (g_DialRecordController)
        g_DialRecordController->updateInterface();
    StopTimerOfGetConnectState();
    switchInternetTabAction();
    detachSpecialWebview();
    if (hasModuleWith(QStringLiteral("MMS")) && g_MMSController)
        g_MMSController->connectIdleStatuFromDial();
    smartUIManualDisconnect();
    if (!manualDisconnectFlag)
        notificationCenter.postNotificationName(QStringLiteral("ConnectFailed"), this);
    checkISDetatchPS();
}

// ---- the end of a connection's display ----

void DialController::stopConnectionTimer()
{
    // The PPP poll and the NDIS clock.
    for (std::shared_ptr<ns::Timer>* timer : {&m_TimerToGetConnectState, &timerConnectInterval_})
        if (*timer) {
            (*timer)->invalidate();
            timer->reset();
        }
}

void DialController::StopTimerOfGetConnectState()
{
    stopConnectionTimer();

    resetConnectStateFields();
    setConnectStateHidden(true);
    isOpenURL = true;
    statisticsInfo_ = ns::Dictionary();
    if (m_DialConfigList)
        m_DialConfigList->setEnabled(true);
    InitConnectState();
    if (speedView)
        speedView->setUndisplay();
    if (g_DialRecordController)
        g_DialRecordController->updateInterface();
    sendResetStatisticsNotification();

    if (connectStatus_ != Idle)
        setDialBtnWithStatus(false);
}

void DialController::resetConnectStateFields()
{
    if (m_IPAddress)
        m_IPAddress->setStringValue(QStringLiteral("0.0.0.0"));
    for (ns::TextField* field : {m_ConnectTime, labelConnectTimeSimple, InterUiTotalTime_})
        if (field)
            field->setStringValue(QStringLiteral("00:00:00"));
    const bool inKB = configFlag(kInternet, QStringLiteral("InitDataWithKB"));
    for (ns::TextField* field : {m_FluxForSend, m_FluxForReceive, m_TotalData})
        if (field)
            field->setStringValue(inKB ? QStringLiteral("0.00 KB") : kFieldPlaceholder);
    for (ns::TextField* field :
         {m_SpeedForSend, m_SpeedForReceive, labelSpeedForSendSimple, labelSpeedForReceiveSimple})
        if (field)
            field->setStringValue(inKB ? QStringLiteral("0.00 KBPS") : kFieldPlaceholder);
    if (monthlyData_)
        monthlyData_->setStringValue(kFieldPlaceholder);
}
