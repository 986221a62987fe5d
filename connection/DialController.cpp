#include "connection/DialController.h"

#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/CocoaSoap/SoapClient.h"
#include "connection/Dovure/FavoriteIconHintWindow.h"
#include "connection/Dovure/InternetTabWebPolicy.h"
#include "connection/Dovure/WeblinkUpdateUtilities.h"
#include "jCommon/ConnectionMessages.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Window.h"

DialController::DialController(ConfigManager& store) : JOVUIController(store)
{
    g_DialController = this;
    checkUsernameFlag_ = configFlag(QStringLiteral("Internet"), QStringLiteral("CheckAPNAccount"));
    initReconnectTimes();

    registerSelector("DialOption:", &DialController::DialOption);
    registerSelector("performDialOption:", &DialController::performDialOption);
    registerSelector("CancelConnect:", &DialController::CancelConnect);
    registerSelector("dialNotification:", &DialController::dialNotification);
    registerSelector("connectTypeDidChanged:", &DialController::connectTypeDidChanged);
    registerSelector("updateNetworkStatus:", &DialController::updateNetworkStatus);
    registerSelector("machineWillSleep:", &DialController::machineWillSleep);
    registerSelector("machineDidWake:", &DialController::machineDidWake);
    registerSelector("connectStatusDidChange:", &DialController::connectStatusDidChange);
    registerSelector("browserAPictureForBillboard:", &DialController::browserAPictureForBillboard);
    registerSelector("browserNextPictureForBillboard:", &DialController::browserNextPictureForBillboard);
    registerSelector("deviceRemoved:", &DialController::deviceRemoved);
    registerSelector("devicePlugin:", &DialController::devicePlugin);
    registerSelector("simReady:", &DialController::simReady);
    registerSelector("applicationWillClose:", &DialController::applicationWillClose);
    registerSelector("openWindURL:", &DialController::openWindURL);
    registerSelector("openRarodeURL:", &DialController::openRarodeURL);
    registerSelector("notifyDeviceUnlockSuccess:", &DialController::notifyDeviceUnlockSuccess);
    // A failed unlock leaves the connection as it was.
    registerSelector("notifyDeviceUnlockFailed:", [](ns::Object*) {});
    registerSelector("ChangeAPNSelection:", &DialController::ChangeAPNSelection);
    registerSelector("imageDownloadFinishForBillboard", &DialController::imageDownloadFinishForBillboard);
    registerSelector("cancelCurrentConnectOperate:", &DialController::cancelCurrentConnectOperate);
    registerSelector("closeZuderaConnectStateWindow:", &DialController::closeZuderaConnectStateWindow);
    registerSelector("closeConnectFailedWindow:", &DialController::closeConnectFailedWindow);
    registerSelector("redialWhenConnectFailed:", &DialController::redialWhenConnectFailed);
    registerSelector("connectWarningWinOKClicked:", &DialController::connectWarningWinOKClicked);
    registerSelector("getConnectStatus:", &DialController::getConnectStatus);
    registerSelector("autoReconnect", &DialController::autoReconnect);
    registerSelector("reconnectAfterAutoDisconnect", &DialController::reconnectAfterAutoDisconnect);
    registerSelector("dealWithMsgOfNDISDialStatus:", &DialController::dealWithMsgOfNDISDialStatus);
    registerSelector("dealWithOfNDISDialIsConnected:", &DialController::dealWithOfNDISDialIsConnected);
    registerSelector("dealWithMsgOfNDISDialTransferData:",
                     &DialController::dealWithMsgOfNDISDialTransferData);
    registerSelector("sendAutoUpdate", &DialController::sendAutoUpdate);
    registerSelector("refereshConnectTime:", &DialController::refereshConnectTime);
    registerSelector("dealWithNetFrequencyLockReadResult:",
                     &DialController::dealWithNetFrequencyLockReadResult);
    registerSelector("dealWithMsgOfAPNSet:", [](ns::Object*) {});
    // The connect and disconnect requests' answers say nothing, nor does the
    // address answer of the new form (the status carries the address).
    for (const char* silent :
         {"dealWithMsgOfDialConnect:", "dealWithMsgOfDialDisconnect:", "dealWithMsgOfPPPConnectOption:"})
        registerSelector(QString::fromLatin1(silent), [](ns::Object*) {});
    registerSelector("dealWithMsgOfPPPConnectStatus:", &DialController::dealWithMsgOfPPPConnectStatus);
    registerSelector("dealWithMsgOfDialConnectStatus:", &DialController::dealWithMsgOfDialConnectStatus);
    registerSelector("dealWithMsgOfDialConnectPppOption:",
                     &DialController::dealWithMsgOfDialConnectPppOption);
    registerSelector("dealWithSetNetworkModeResult:", &DialController::dealWithSetNetworkModeResult);
    registerSelector("attachPS", &DialController::attachPS);
    registerSelector("closeStatisticsWin:", &DialController::closeStatisticsWin);
    registerSubscriberSelectors();
    registerSelector("checkWindowOK:", &DialController::checkWindowOK);
    registerSelector("checkWindowCancel:", &DialController::checkWindowCancel);
    registerSelector("dialOptionExt:", &DialController::dialOptionExt);
    registerSelector("btnVADOConnect:", &DialController::btnVADOConnect);
    registerProfileSelectors();
    registerProfileWindowActions();
    registerLimitSelectors();
    registerWebTabSelectors();
}

DialController::~DialController()
{
    ns::cancelPreviousPerformRequestsWithTarget(this);
    for (const std::shared_ptr<ns::Timer>& timer :
         {m_TimerToGetConnectState, timerConnectInterval_, timerOfProgressIndicator_, timerOfConnectFailed_,
          timerForNoService_, updateWebLinkTimer_, timerOfAutoBrowserPicForBillboard_})
        if (timer)
            timer->invalidate();
    detachWebviews();
    if (showsRenewedImages_) {
        WeblinkUpdateUtilities::sharedUpdateManager().setImageRenewedAction({});
        WeblinkUpdateUtilities::sharedUpdateManager().setConfigStore(&ConfigManager::sharedConfigManager());
    }
    // A hint moved into the main window leaves with the controller.
    if (favoriteIconHintInMainWindow_)
        delete favoriteIconHintView_.data();
    // The main page's view may outlive the controller in its tab; it no
    // longer asks the controller's rules.
    if (indonesiaWebView_)
        WebViewUtilities::sharedManager().detachSubWebview(indonesiaWebView_.data());
    if (g_DialController == this)
        g_DialController = nullptr;
}

void DialController::awakeFromNib()
{
    loadNib();
    buildProfileWindows();
    JOVUIController::awakeFromNib();
}

void DialController::setConnectStatus(int status)
{
    connectStatus_ = status;
    if (status != Idle && status != Connected)
        return;
    setRuntimeObject(ns::Value(status == Connected), kRTIsConnecttedFlag);
    ns::Dictionary info;
    info.setValue(QStringLiteral("ConnectStatus"), ns::Value(status));
    notificationCenter.postNotificationName(kConnectStatusDidChangeNotification, nullptr, info);
}

bool DialController::isDoingConnect()
{
    return connectStatus_ == Connecting || connectStatus_ == Disconnecting;
}

bool DialController::GetisDialNow()
{
    return connectStatus_ != Idle && !bAppWillClose_;
}

bool DialController::isDataServicesInUsage()
{
    return connectStatus_ != Idle;
}

double DialController::getCurrentTotalData()
{
    return double(m_sendData) + double(m_receiveData);
}

void DialController::SelectDisconnectAction()
{
    if (readConnectType() != 0)
        NDISDialDisconnect();
    else
        DialDisconnect();
}

int DialController::readConnectType() const
{
    return configStore().getConfigurationByModule(QStringLiteral("ConnectType")).intValue();
}

void DialController::InitConnectState()
{
    m_connecttime = 0;
    m_sendData = m_lastSendData = 0;
    m_receiveData = m_lastReceiveData = 0;
    m_sendSpeed = m_receiveSpeed = 0;
    m_KBTimes = 0;
}

bool DialController::sendDialMessage(quint16 majorID, quint16 minorID, const QByteArray& data)
{
    return jovMsgCenter &&
           jovMsgCenter->sendMessageModuleID(kModuleDialUp, majorID, minorID, kTypeRequest, 0, data);
}

bool DialController::readRecord(ns::Notification* notification, _UI_MSG* msg) const
{
    *msg = _UI_MSG{};
    return jovMsgCenter && notification && jovMsgCenter->getMsgPackage(msg, notification);
}

bool DialController::configFlag(const QString& module, const QString& key) const
{
    if (module.isEmpty())
        return configStore().getConfigurationByModule(key).boolValue();
    return configStore().getConfigurationByModuleAndKey(module, key).boolValue();
}

QString DialController::localized(const QString& key)
{
    return Map_Name_Item_of_IndexString(key);
}

bool DialController::confirmWarning(const QString& message)
{
    return NSRunAlertPanelExt(localized(QStringLiteral("Warning")), localized(message),
                              localized(QStringLiteral("OK")), localized(QStringLiteral("Cancel"))) == 1;
}
