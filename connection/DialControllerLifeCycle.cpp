// The Internet tab's life cycle, in the order the base runs it: the skin's
// registrations, the nib's first state, the subscriptions, then the
// controller's own set-up.
#include "connection/DialController.h"

#include "app/config/Platform.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/skin/JOVUIManager.h"
#include "connection/SpeedTestController.h"
#include "jCommon/ConnectionMessages.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"
#include "platform/ns/appkit/Workspace.h"

namespace
{

const QString kInternet = QStringLiteral("Internet");
constexpr const char* kNewDial = "NewDial";

// Every connection message the controller handles, in the order of subscription.
const MessageRow kMessageTable[] = {
    {msg::connection::kSetDialParams, "dealWithMsgOfAPNSet:"},
    {msg::connection::kDialConnect, "dealWithMsgOfDialConnect:"},
    {msg::connection::kDialDisconnect, "dealWithMsgOfDialDisconnect:"},
    {msg::connection::kNetFrequencyLockReadResult, "dealWithNetFrequencyLockReadResult:"},
    {msg::connection::kPPPConnectStatus, "dealWithMsgOfDialConnectStatus:", kNewDial,
     "dealWithMsgOfPPPConnectStatus:"},
    {msg::connection::kPPPConnectOption, "dealWithMsgOfDialConnectPppOption:", kNewDial,
     "dealWithMsgOfPPPConnectOption:"},
    {msg::connection::kNDISDialStatus, "dealWithMsgOfNDISDialStatus:"},
    {msg::connection::kNDISDialTransferData, "dealWithMsgOfNDISDialTransferData:"},
    {msg::connection::kNDISDialIsConnected, "dealWithOfNDISDialIsConnected:"},
    {msg::connection::kSetNetworkModeResult, "dealWithSetNetworkModeResult:"},
};

// What other parts of the application tell the Internet tab.
const ObserverTableEntry kDefaultCenterNotifications[] = {
    {"updateNetworkStatus:", "init_NetworkStatus"},
    {"connectTypeDidChanged:", "ConnectTypeChange"},
    {"ChangeAPNSelection:", "ChangeAPNSelection"},
    {"datausageRest:", "btnDatausageRestCliked"},
    {"setMsisdnNumberWithResult:", "xmlParseOver"},
    {"excuteWhenConnectServerError:", "connectServerError"},
    {"displayPhoneNumberForSmart", "DisplayPhoneNumberForSmart"},
    {"imageDownloadFinishForBillboard", "LoadImageFormURLOver"},
    {"loadFavouriteBtnWebKitViews", "loadFavouriteBtnWebKitViews"},
    {nullptr, nullptr},
};

const ObserverTableEntry dialControllerNotificationTable[] = {
    {"dialNotification:", "dialOption"},
    {"alreadyGetSimIMSI:", "AlreadyGetSimIMSI"},
    {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
    {nullptr, nullptr},
};

const ObserverTableEntry deviceFunctionNotficationTable[] = {
    {"notifyDeviceUnlockSuccess:", "DeviceUnlockSuccess"},
    {"notifyDeviceUnlockFailed:", "DeviceUnlockFailed"},
    {nullptr, nullptr},
};

} // namespace

void DialController::initializeSkin()
{
    if (!jovSkinManager || !m_ConnectButton)
        return;
    const auto caption = [this](const char* key) { return connectStateCaption(key); };
    const auto registerControls = [this](const QList<QPair<ns::Object*, const char*>>& controls) {
        for (const auto& [control, key] : controls)
            if (control)
                jovSkinManager->registerController(control, QString::fromLatin1(key), true);
    };
    ns::View* internetTab = internetTabView();
    // Controls this tab does not have (the welcome texts, the profile fields
    // and the save box of the tab, the help menu button) stay unregistered.
    registerControls({
        {m_DialConfigList, "cbboxDialConfigList"},
        {m_TelephoneNumber, "tfDialTelNumber"},
        {m_Username, "tfDialUserName"},
        {m_Password, "tfDialPassword"},
        {connectStateTitle_, "labelDialStatus"},
        {m_ConnectState, "labelDialStatusText"},
        {caption("Send:"), "labelDialSend"},
        {m_FluxForSend, "labelDialSendText"},
        {caption("Receive:"), "labelDialReceive"},
        {m_FluxForReceive, "labelDialReceiveText"},
        {caption("ConnectTime:"), "labelDialConnectTime"},
        {m_ConnectTime, "labelDialConnectTimeText"},
        {caption("IPAddress:"), "labelDialIPAddress"},
        {m_IPAddress, "labelDialIPAddressText"},
        {caption("SendRate:"), "labelDialSendSpeed"},
        {m_SpeedForSend, "labelDialSendSpeedText"},
        {caption("ReceiveRate:"), "labelDialReceiveSpeed"},
        {m_SpeedForReceive, "labelDialReceiveSpeedText"},
        {m_dialConfigWindow.get(), "wndDialConfigView"},
        {m_profileEditWin.get(), "wndDialProfileEdit"},
        {m_eIsAutoObtainAPN, "matrixEditAutoObtainAPN"},
        {m_eIsAutoObtainDNS, "matrixEditAutoObtainDNS"},
        {m_eIsAutoObtainPDP, "matrixEditAutoObtainPDP"},
        {m_eAuthMode, "matrixEditAuthMode"},
        {m_bIsAutoObtainAPN, "matrixBrowserAutoObtainAPN"},
        {m_bIsAutoObtainDNS, "matrixBrowserAutoObtainDNS"},
        {m_bIsAutoObtainPDP, "matrixBrowserAutoObtainPDP"},
        {m_bAuthMode, "matrixBrowserAuthMode"},
        {m_bProviderForConfig, "textBrowserProvideForConfigDial"},
        {Config_Profile, "labelConfigProfileDial"},
        {Config_TelNumber, "labelConfigTelNumberDial"},
        {m_bUsername, "textBrowserUserNameDial"},
        {m_bPassword, "textBrowserPasswordDial"},
        {m_bTelephoneNumber, "textBrowserTelephoneNumberDial"},
        {Config_UserName, "labelConfigUserNameDial"},
        {Config_Password, "labelConfigPasswordDial"},
        {m_bPreferDNS, "textBrowserPreferDNSDial"},
        {m_bAlternateDNS, "textBrowserAlternateDNSDial"},
        {Config_PreferredDNS, "labelConfigPreferredDNSDial"},
        {Config_AlternateDNS, "labelConfigAlternateDNSDial"},
        {m_bIsSaveUserInfo, "checkbrowserIsSaveUserInfoDial"},
        {m_bAPN, "textBrowserAPNDial"},
        {Config_APN, "labelConfigAPNDial"},
        {m_bPDP, "textBrowserPDPDial"},
        {Config_Address, "labelConfigAddressDial"},
        {Config_AuthMode, "labelConfigAuthModeDial"},
        {m_eProviderForConfig, "textEditProvideForConfigDial"},
        {m_eTelephoneNumber, "textEditTelephoneNumberDial"},
        {m_eUsername, "textEditUserNameDial"},
        {m_ePassword, "textEditPasswordDial"},
        {m_eAPN, "textEditAPNDial"},
        {m_ePreferDNS, "textEditPreferDNSDial"},
        {m_eAlternateDNS, "textEditAlternateDNSDial"},
        {m_ePDP, "textEditPDPDial"},
        {EditConfig_Profile, "labelEditConfigProfileDial"},
        {EditConfig_TelNumber, "labelEditConfigTelNumberDial"},
        {EditConfig_UserName, "labelEditConfigUserNameDial"},
        {EditConfig_Password, "labelEditConfigPasswordDial"},
        {EditConfig_PreferredDNS, "labelEditConfigPreferredDNSDial"},
        {EditConfig_AlternateDNS, "labelEditConfigAlternateDNSDial"},
        {EditConfig_APN, "labelEditConfigAPNDial"},
        {EditConfig_AuthMode, "labelEditConfigAuthModeDial"},
        {EditConfig_Address, "labelEditConfigAddressDial"},
        {m_eIsSaveUserInfo, "checkEditIsSaveUserInfoDial"},
        {m_ConnectButton, "btnDialConnect"},
        {btnEditProfile_, "btnDialEditProfile"},
        {btnBrowseProfile_, "btnDialbrowseProfile"},
        {btnCloseProfile_, "btnDialCloseProfile"},
        {btnEditOK_, "btnDialProfileEditOK"},
        {btnEditCancel_, "btnDialProfileEditCancel"},
        {internetTab, "viewInternetTab"},
    });
    initializeBtnsOfView(internetTab, QStringLiteral("InternetViewItems"));

    // The windows around a connection attempt are dressed before their first use.
    buildConnectStateWindow();
    buildConnectFailedWindow();
    registerControls({
        {windowOfConnectStateForZudera_.get(), "windowOfConnectStateForZudera"},
        {btnOfCancelConnectOperateForZudera_, "btnOfCancelConnectOperateForZudera"},
        {windowOfConnectFailedForZudera_.get(), "windowOfConnectFailedForZudera"},
        {btnCloseAlertWindowWhenConnectFailed_, "btnCloseAlertWindowWhenConnectFailed"},
        {btnOfRedialWhenConnectFailed_, "btnOfRedialWhenConnectFailed"},
        {btnOfDownForBillboard_, "btnOfDownForBillboard"},
        {btnOfUpForBillboard_, "btnOfUpForBillboard"},
    });
}

void DialController::initializeNibResources()
{
    initWording();
    if (configFlag(QString(), QStringLiteral("DisplayBackgroundWhileDisconnect")))
        for (ns::View* view : {viewBackground_, viewContainerEmbedInUI_})
            if (view)
                view->setHidden(true);
    displayEmbeddedPage(configStore().getConfigurationByModule(QStringLiteral("EmbedWebViewURL")).toString());
    if (m_IPAddress)
        m_IPAddress->setStringValue(QStringLiteral("0.0.0.0"));
    setConnectStateForZudera(false);
    initBillboardView();
}

void DialController::registerMessages()
{
    if (registered_)
        return;
    registered_ = true;
    if (jovMsgCenter) {
        jovMsgCenter->registerObserverTable(this, kMessageTable, [this](const QString& configSwitch) {
            return configFlag(QString(), configSwitch);
        });
    }
    registerNotification(kDefaultCenterNotifications);
    registerNotification(dialControllerNotificationTable);
    registerNotification(deviceFunctionNotficationTable);
    // The speed test keeps the radio and cell information from now on.
    if (switches_.isNeedTestSpeedAtConnected())
        SpeedTestController::shareSpeedTestController();
    notificationCenter.addObserver(this, QStringLiteral("machineWillSleep:"),
                                   ns::kWorkspaceWillSleepNotification, nullptr);
    notificationCenter.addObserver(this, QStringLiteral("machineDidWake:"), ns::kWorkspaceDidWakeNotification,
                                   nullptr);
}

void DialController::initializeController()
{
    ns::Workspace::sharedWorkspace().watchSleepAndWake();
    setRuntimeObject(ns::Value(false), kRTIsConnecttedFlag);
    for (ns::TextField* field : {m_TelephoneNumber, m_Username, m_Password})
        if (field)
            field->setEnabled(false);
    if (m_DialConfigList && isAddAPNWithSIM())
        m_DialConfigList->setEnabled(false);
    setConnectBtnEnable(false);
    setBtnAutoAPNMatchState();
    loadDialConfig();
    displayAPNInfo();
    InitAPNConfigEdit();
    InitAPNConfigBrowse();
    if (Platform(configStore()).platform() == Platform::RV52 &&
        configFlag(kInternet, QStringLiteral("HideWCDMAPara")))
        setWCDMAConfigHidden(true);
    initSpecialResources();
}

void DialController::initSpecialResources()
{
    supportIPv6();
    initSplitConnectionProcess();
    initAdContainerView();
    setConnectStateHidden(true);
    setNewDialConfig();
    initWebDownloadAndLinkUpdateUtilitiesOfEntertain();
    if (switches_.isSkinVersionForZErivad())
        loadFavoritesLinkPropeties();
}

void DialController::setNewDialConfig()
{
    const QList<QPair<ns::Control*, const char*>> actions = {
        {btnEditProfile_, "editDialConfigSettings:"},   {btnBrowseProfile_, "browseDialConfigSettings:"},
        {btnCloseProfile_, "closeDialConfigSettings:"}, {btnEditOK_, "editWindowOK:"},
        {btnEditCancel_, "editWindowCancel:"},          {m_eIsSaveUserInfo, "saveAPNPassword:"},
        {m_eIsAutoObtainAPN, "selectObtainAPNType:"},   {m_eIsAutoObtainPDP, "selectObtainPDPType:"},
        {m_eIsAutoObtainDNS, "selectObtainDNSType:"},
    };
    for (const auto& [control, action] : actions) {
        if (!control)
            continue;
        control->setTarget(this);
        control->setAction(QString::fromLatin1(action));
    }
    for (ns::TextField* field : {m_eProviderForConfig, m_eTelephoneNumber, m_eUsername, m_ePassword, m_eAPN,
                                 m_ePDP, m_ePreferDNS, m_eAlternateDNS})
        if (field)
            field->setDelegate(this);
}
