// The connect controls and the status display: the connected and idle
// looks, enabling and publishing the controls, the device events, the
// disconnect reason and the operator links; the NDIS requests as far as the
// state machine needs them.
#include "connection/DialController.h"

#include "app/interfaces/InitControlling.h"
#include "app/interfaces/MainWindowing.h"
#include "app/interfaces/SettingControlling.h"
#include "app/language/WordingOperation.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/Dovure/WebLinkImageView.h"
#include "jCommon/ConnectionMessages.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Workspace.h"

namespace
{

const QString kInternet = QStringLiteral("Internet");
const QString kStartUpText = QStringLiteral("Modem is in start-up process.");

QString wording(const QString& key)
{
    return WordingOperation::getDisplayWordingValueByWordingKey(key);
}

} // namespace

void DialController::setDialBtnWithStatus(bool connected)
{
    if (!isDeviceRemoved)
        setConnectBtnEnable(true);
    if (configFlag(QString(), QStringLiteral("IconChangeWithConnected")))
        ns::Application::sharedApplication().setApplicationIconImage(
            ns::Image::imageNamed(connected ? QStringLiteral("icon") : QStringLiteral("unConnectIcons")));
    QString stateText = localized(connected ? QStringLiteral("Connected") : QStringLiteral("Idle"));
    if (connected && switches_.isAppingApnInfoForConnectStateWhenConnected())
        stateText += QStringLiteral(" ") + getAPNString();
    if (m_ConnectState)
        m_ConnectState->setStringValue(stateText);
    setConnectStateForZudera(connected);
    setDialBtnTitle(connected);
    if (m_ConnectButton && switches_.displayTooltipForConnectBtn())
        m_ConnectButton->setToolTip(wording(connected ? QStringLiteral("Internet_btnDisconnect")
                                                      : QStringLiteral("Internet_btnConnect")));
    if (btnConnectSimple) {
        const QString simple = wording(connected ? QStringLiteral("Internet_btnConnectSimple_Disconnect")
                                                 : QStringLiteral("Internet_btnConnectSimple_Connect"));
        btnConnectSimple->setTitle(simple);
        btnConnectSimple->setToolTip(simple);
    }
    if (imageViewForConnectStatus_)
        imageViewForConnectStatus_->setImage(ns::Image::imageNamed(
            connected ? QStringLiteral("StateOfConnected") : QStringLiteral("StateOfNotConnection")));
    smartUISetConnectBtnTitle(
        localized(connected ? QStringLiteral("Disconnect") : QStringLiteral("Connect")));
    setConnectStatus(connected ? Connected : Idle);
    if (connected)
        bAppWillClose_ = false;
    if (g_MainWindowing)
        g_MainWindowing->freshStatusViewWhenDialStatusChanged();

    if (connected) {
        // The profile that connected is kept: no further profiles are tried.
        apnCycleEnd();
        setApnCycleEnable(false);
        // Every drop may try "MaxReconnectTimes" attempts again.
        reconnectTimes = 0;
        doAfterConnected();
        setDisplayDisConnectingFlag(true);
        smartUITopFixedImage(QString(), QString(), localized(QStringLiteral("Disconnect")),
                             smartUIPhoneNumberStatus());
    } else {
        notificationCenter.postNotificationName(kSetWebLinkImageViewDisabledNotification, nullptr);
        writeDisconetNetWorkReason();
    }
    setConnectBtnImage();
    openConnectStateWindowForZudera(false);
    testSpeed();
}

void DialController::setDialBtnTitle(bool connected)
{
    if (!m_ConnectButton)
        return;
    if (connected)
        m_ConnectButton->setTitle(localized(QStringLiteral("Disconnect")));
    else if (switches_.changeLeftValueOfWordingForConnectBtn())
        m_ConnectButton->setTitle(wording(QStringLiteral("Internet_btnConnectTitle_Connect")));
    else
        m_ConnectButton->setTitle(localized(QStringLiteral("Connect")));
}

void DialController::setConnectBtnEnable(bool enabled)
{
    for (ns::Button* button : {m_ConnectButton, btnConnectSimple})
        if (button)
            button->setEnabled(enabled);
    setConnectBtnImage();
    if (tfdDisplayModemStartUpProcess_ && !modemStartUpProcessStateChanged_) {
        // The start-up text shows only until the controls are enabled the first time.
        if (enabled) {
            modemStartUpProcessStateChanged_ = true;
            tfdDisplayModemStartUpProcess_->setStringValue(QString());
        } else {
            tfdDisplayModemStartUpProcess_->setStringValue(kStartUpText);
        }
    }
    if (postConnectBtn_)
        postConnectBtn_->setEnabled(enabled);
    if (auto* skinButton = dynamic_cast<ns::Control*>(skinView(QStringLiteral("btnDialConnectExt"))))
        skinButton->setEnabled(enabled);
    sendTheConnectBtnStatus(enabled);
    setRuntimeObject(ns::Value(enabled), kRTIsConnectBtnEnable);
}

void DialController::sendTheConnectBtnStatus(bool enabled)
{
    notificationCenter.postNotificationName(kIsAbleToConnectNotification, this,
                                            ns::Dictionary{{QStringLiteral("EnabledFlag"), enabled}});
}

void DialController::netcardChanged(int event)
{
    switch (event) {
    case kDevicePluggedIn:
        isDeviceRemoved = false;
        break;
    case kSimReady:
        // An NDIS link outlives the program: the device says whether one is up.
        sendDialMessage(msg::connection::kNDISDialIsConnected.majorID,
                        msg::connection::kNDISDialIsConnected.minorID);
        setDeviceStatusStringRows(1);
        smartUITopFixedImage(QStringLiteral("freeToFun.png"), QString(), QString(), QString());
        break;
    case kNoDevice:
        setDeviceStatusStringRows(1);
        smartUITopFixedImage(QString(), QString(), QString(), localized(QStringLiteral("No Device")));
        break;
    default:
        break;
    }
}

void DialController::devicePlugin(ns::Notification*)
{
    netcardChanged(kDevicePluggedIn);
    if (g_MainWindowing)
        g_MainWindowing->miniaturizeMainWindowWhenAppFinishLaunching();
}

void DialController::simReady(ns::Notification*)
{
    netcardChanged(kSimReady);
}

void DialController::applicationWillClose(ns::Notification*)
{
    performCloseActionForZID();
}

void DialController::applicationDidFinishLaunchingInDialController()
{
    if (configFlag(QString(), QStringLiteral("DovureSplit")))
        hintFavoriteIconConfigrable();
}

void DialController::writeDisconetNetWorkReason()
{
    if (!switches_.isNeedTestSpeedAtConnected())
        return;
    int reason = 1;
    QString line = QStringLiteral("Disconnect Reason: Unreason disconnect");
    if (manualDisconnectFlag) {
        reason = 0;
        line = QStringLiteral("Disconnect Reason: Manual Disconnect");
    } else if (isDeviceRemoved) {
        reason = 2;
        line = QStringLiteral("Disconnect Reason: Device Remove");
    }
    configStore().setConfigurationByModuleKeyAndValue(kInternet, QStringLiteral("DisconnectReason"), reason);
    writeToLogFile(line);
    configStore().writeToFile();
}

void DialController::openWindURL(ns::Object*)
{
    openSafari(
        configStore().getConfigurationByModuleAndKey(kInternet, QStringLiteral("openURLStr")).toString());
}

void DialController::openRarodeURL(ns::Object*)
{
    openSafari(configStore()
                   .getConfigurationByModuleAndKey(kInternet, QStringLiteral("RarodePortalURL"))
                   .toString());
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

void DialController::runMTSPrompt(const QString& prompt)
{
    clickOKForAPNPromptFlag_ =
        NSRunAlertPanelExt(localized(QStringLiteral("Warning")), prompt, localized(QStringLiteral("OK")),
                           localized(QStringLiteral("Cancel"))) == 1;
}

void DialController::setIsHiddenConnectBtn(bool hidden)
{
    if (m_ConnectButton)
        m_ConnectButton->setHidden(hidden);
}

void DialController::setModemAndSimStateString(const QString& key)
{
    if (m_ModemAndSimState && switches_.setModemAndSimStateStringWhenR27C())
        m_ModemAndSimState->setStringValue(localized(key));
}
