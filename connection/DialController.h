#pragma once

#include "app/config/ConfigService.h"
#include "app/interfaces/DialControlling.h"
#include "app/ui/controller/JOVUIController.h"
#include "connection/DialConfigFile.h"
#include "connection/DialServiceTransplant.h"
#include "connection/NibWording.h"
#include "connection/ProfileControls.h"
#include "connection/SpeedTestRun.h"
#include "connection/TrafficText.h"
#include "jCommon/PPPConnectStatus.h"
#include "jCommon/UIMsg.h"
#include "platform/ns/Value.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TableView.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>

#include <array>
#include <memory>

namespace ns
{
class Box;
class Button;
class ComboBox;
class Matrix;
class Notification;
class TextField;
class Timer;
class View;
class Window;
} // namespace ns

class FavoriteIconHintWindow;
class InternetTabWebPolicy;
class SoapClient;
class WebLinkImageView;
class WebViewDelegate;
class WeblinkButton;
class statisticsView;

namespace ns
{
class Image;
class ImageView;
class WebView;
} // namespace ns

// The controller of the Internet view and the one object that connects the
// computer to the mobile network. It never dials itself: it sends the
// connection requests to the device server through the message center and
// follows the connection state from the replies. Exactly one exists,
// published in g_DialController.
//
// Spread over DialController.cpp (life, the state and what other features
// ask), DialControllerConnect.cpp (the connect button's procedure and its
// prompts), DialControllerEvents.cpp (requests by notification, sleep and
// wake, device removal, network status, the frequency lock),
// DialControllerNib.cpp (the Internet view), DialControllerButton.cpp (the
// connect controls, the status display and the calls into features still to
// come), DialControllerSmartUI.cpp (the smart skin's top area),
// DialControllerProgressWindows.cpp (the windows around a connection attempt),
// DialControllerReconnect.cpp (automatic reconnection),
// DialControllerApnCycle.cpp (the APN cycle and the packet-domain status), the PPP files
// DialControllerPPP.cpp, DialControllerAttach.cpp and DialControllerRecord.cpp,
// DialControllerTraffic.cpp (time, data, speed and the statistics
// notifications), DialControllerLimits.cpp (the usage limits while
// connected), DialControllerNDIS.cpp (the NDIS connection) and the
// profile files DialControllerProfiles.cpp, DialControllerProfileList.cpp,
// DialControllerDialParams.cpp and DialControllerMMS.cpp.
class DialController : public JOVUIController,
                       public DialControlling,
                       public ns::ComboBoxDataSource,
                       public ns::ComboBoxDelegate,
                       public ns::TableViewDataSource,
                       public ns::TableViewDelegate,
                       public ns::TabViewDelegate
{
public:
    explicit DialController(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~DialController() override;

    void awakeFromNib() override;

    // ---- state and what other features ask (DialController.cpp) ----

    int connectStatus() override { return connectStatus_; }
    // Stores the state; 0 and 3 also set "runtimeIsConnecttedFlag" and post
    // "ConnectStatusDidChange" {"ConnectStatus": state}.
    void setConnectStatus(int status);
    // States 1 and 2.
    bool isDoingConnect() override;
    // A state other than 0 while the application is not quitting.
    bool GetisDialNow() override;
    bool isDataServicesInUsage();
    // The APN of the profile in use, "Automatic" (translated) without one.
    QString getDefaultProfileAPN() override;
    // NDIS or PPP disconnect, by the connection type.
    void SelectDisconnectAction() override;
    // The settings value "ConnectType": 0 PPP, anything else NDIS.
    int readConnectType() const;
    // Zeroes the counters of the connection and the speed sampling.
    void InitConnectState();
    // Bytes sent and received over the connection.
    double getCurrentTotalData() override;

    void setManualConnect(bool manual) { bManualConnect_ = manual; }
    bool isManalConnect() const { return bManualConnect_; }
    // A disconnect by hand also lets the next connect cycle through the profiles.
    void setManualDisconnect(bool manual)
    {
        manualDisconnectFlag = manual;
        if (manual)
            setApnCycleEnable(true);
    }
    bool manualDisconnect() const { return manualDisconnectFlag; }
    bool hadDoManualDisconnect() override { return hadDoManualDisconnect_; }
    void setHadDoManualDisconnect(bool done) { hadDoManualDisconnect_ = done; }
    bool displayDisConnectingFlag() const { return displayDisConnectingFlag_; }
    void setDisplayDisConnectingFlag(bool flag) { displayDisConnectingFlag_ = flag; }
    bool hadConnectAction() const { return hadConnectAction_; }
    void setHadConnectAction(bool action) { hadConnectAction_ = action; }
    bool connectWarningsDisplayFlag() const { return connectWarningsDisplayFlag_; }
    void setConnectWarningsDisplayFlag(bool display) { connectWarningsDisplayFlag_ = display; }
    void setAppWillClose(bool closing) { bAppWillClose_ = closing; }
    // The registered network is a 2G one (from the network status text).
    bool is2GNetWork() const { return is2GNetWork_; }
    void setIs2GNetWork(bool is2G) { is2GNetWork_ = is2G; }
    void setDeviceStatusStringRows(int rows) override { deviceStatusStringRows_ = rows; }
    int deviceStatusStringRows() const { return deviceStatusStringRows_; }
    void applicationDidFinishLaunchingInDialController() override;

    // ---- the connect button's procedure (DialControllerConnect.cpp) ----

    // The connect button's action and the entry of every programmatic connect
    // (null sender): the checks and prompts of the state, then
    // performDialOption: 0.05 s later.
    void DialOption(ns::Object* sender);
    // Connects, cancels or disconnects by the type and state; always
    // disables the connect controls.
    void performDialOption(ns::Object* sender);
    // Sends one PPP status request, enables the button and disconnects.
    void CancelConnect(ns::Object* sender);
    // YES when the device lock takes the connect over (only for the main
    // connect button and programmatic connects).
    bool checkDeviceLockStatus(ns::Object* sender);
    bool allowUserConnect();
    bool allowUserDisconnect();
    bool allowRoamWithAlert();
    // The roaming alert; NO also sets manualDisconnectFlag.
    bool showAlertWin();
    bool displayTimeLimitWarning();
    bool displayDataLimitWarning();
    // The MTS service prompt of the selected profile entry (1 to 3); any
    // other entry confirms at once.
    void displayUKMTSWaring();
    // The roaming alert's first button: "Continue" or "OK", translated.
    QString roamAlertOKBtnWording() const;
    // Seconds a limit disconnect waits (Internet/"LimitDisconnectDelay").
    int delayForLimistDisconnect() const;

    // ---- requests by notification, sleep, removal, network (DialControllerEvents.cpp) ----

    // "dialOption": one connect action, sent by the main connect button.
    void dialNotification(ns::Notification* notification);
    // "ConnectTypeChange": the dial parameters go again.
    void connectTypeDidChanged(ns::Notification* notification);
    void machineWillSleep(ns::Notification* notification);
    void machineDidWake(ns::Notification* notification);
    void dealWithMsgOfDeviceOffline();
    void deviceRemoved(ns::Notification* notification);
    // "init_NetworkStatus": 2G or not, and whether the network is usable.
    void updateNetworkStatus(ns::Notification* notification);
    // The frequency lock: read (0x0101/62), its answer (0x0101/87), set (0x0101/61).
    void readNetFrequencyLockStatus();
    void dealWithNetFrequencyLockReadResult(ns::Notification* notification);
    void setNetFrequencyLockStatus();

    // ---- the connect controls and the status display (DialControllerButton.cpp) ----

    // Device events of netcardChanged.
    enum DeviceEvent { kNoDevice = 1, kDevicePluggedIn = 2, kSimReady = 12 };

    // Every control to the connected (YES) or the idle look: state 3 or 0,
    // texts, images and tool tips; the connect controls are enabled unless
    // the device is gone.
    void setDialBtnWithStatus(bool connected);
    // Enables or disables every connect control and publishes it:
    // "IsAbleToConnect" and the run-time "IsConnectBtnEnable". Until the
    // first enabling the start-up text shows while they are disabled.
    void setConnectBtnEnable(bool enabled);
    // "IsAbleToConnect" {"EnabledFlag": enabled}.
    void sendTheConnectBtnStatus(bool enabled);
    // A device plugged in, the SIM ready (the connection-state query goes to
    // the device) or no device; other events change nothing.
    void netcardChanged(int event);
    void devicePlugin(ns::Notification* notification);
    void simReady(ns::Notification* notification);
    void applicationWillClose(ns::Notification* notification);
    void receiveDeviceOn() { isDeviceRemoved = false; }
    // With the speed test configured: why the connection ended, in the
    // settings ("DisconnectReason") and the speed-test log.
    void writeDisconetNetWorkReason();
    // Internet/"openURLStr", and the Rarode portal (Internet/"RarodePortalURL"), in the browser.
    void openWindURL(ns::Object* sender);
    void openRarodeURL(ns::Object* sender);
    // With "ConnectBtnDisplayWithImage", the connect buttons' image of the
    // state (idle, idle and disabled or disconnecting, connected, connecting);
    // a missing file changes nothing.
    void setConnectBtnImage();
    // The image file of the key's setting: in the language folder's name
    // first, else in the resources; null without one.
    ns::Image connectButtonImageName(const QString& key) const;
    void DialConnect();
    void DialDisconnect() override;
    void DialCancelConnect();
    void getConnectStatus(ns::Timer* timer = nullptr);
    void StopTimerOfGetConnectState();
    void checkIsAttachPSForConnect();
    void setApnCyleWhenRoamToNoRoam(bool cycle) override { apnCyleWhenRoamToNoRoam_ = cycle; }
    bool doBeforeConnect();
    // The modal MTS service prompt with that text; its OK sets clickOKForAPNPromptFlag_.
    void runMTSPrompt(const QString& prompt);
    // Without network service while connected, DialDisconnect after
    // "ServiceTimerInterval" seconds (60 unless set), once; service or no
    // connection stops the wait.
    void monitorNetworkService(bool serviced);
    void startNetworkServiceTimer();
    void stopNetworkServiceTimer();
    std::shared_ptr<ns::Timer> timerForNoService_;
    void setIsHiddenConnectBtn(bool hidden) override;
    // The translated key in the modem-and-SIM state field, only with
    // "ShowModemAndSimStateBasisDeviceStateWhenR27C".
    void setModemAndSimStateString(const QString& key) override;
    void setWCDMAConfigHidden(bool hidden) override;

    ns::ImageView* imageViewForConnectStatus_ = nullptr;
    ns::TextField* tfdDisplayModemStartUpProcess_ = nullptr;
    // The connect button of a page shown after connecting, when there is one.
    ns::Button* postConnectBtn_ = nullptr;

    // ---- the smart skin's top area (DialControllerSmartUI.cpp) ----

    // Whether the skin is the smart one ("UIConfig"/"SmartUI").
    bool isSmartUI() const;
    // The top image, the home-page image, the skin's connect-button title and
    // the device status text, each left as it is when null; smart skin only.
    void smartUITopFixedImage(const QString& image, const QString& homePageImage,
                              const QString& connectBtnName, const QString& deviceStatus) override;
    // The size of the status text, its origin kept.
    void resetDeviceStatusLabelSize(double width, double height);
    void smartUISetConnectBtnTitle(const QString& title);
    // The operator's two extender pages over the top and home-page views.
    void smartUIAttachWebViewOpenURL();
    // Their addresses, top first, on the server of Internet/"SmartUIExtenderHost"
    // with the run-time number and the IMSI; none without a server.
    QStringList smartUIExtenderPages() const;
    void smartUIDeattachWebView();
    // The top area after a connection ended, by whether the user ended it.
    void smartUIManualDisconnect();
    // The subscriber number as shown: "0" and the run-time number without
    // its country code, "SmartNet" when there is none; a number shorter than
    // a country code as it is.
    QString getPhoneNumber();

    // ---- the subscriber number (DialControllerSubscriber.cpp) ----

    // Asks the operator's service for the number of a SIM the configuration's
    // IMSI-to-number table does not hold yet; the reply comes as "xmlParseOver".
    void sendIMSIToHttpServerBySoap();
    // Takes the reply's records; a number of digits (an optional "+" first) is
    // posted as "receivePhoneNumberFromSoapServer" and stored for the IMSI asked about.
    void setMsisdnNumberWithResult(ns::Notification* notification);
    // "connectServerError": the request made is forgotten, so that no later
    // reply is taken for this SIM's; the next connection asks again.
    void excuteWhenConnectServerError(ns::Notification* notification);
    // The text of the first "MSISDN" record; null when there is none.
    QString getMsisdnFromResponseXML(const ns::Array& nodes) const;
    // The number as the top area's device status, one row in the large font.
    void displayPhoneNumberForSmart();
    const ns::Array& xmlNodeArray() const { return xmlNodeArray_; }
    // The Internet view's way to the connection records: the main tab "DialRecord".
    void addStatisticsInInternet();
    // The favourite links' animations, in the web views the skin registers as
    // "webViewOfFavouiteBtnForIcon1" to "...6" (up to the first missing): each
    // view its own "dovure/images/icon<n>.swf" of the data folder, else the
    // common "background.swf", else nothing.
    void loadFavouriteBtnWebKitViews();
    static constexpr int kFavouriteIconCount = 6;

    QPointer<ns::WebView> webViewInViewTopFixed_;
    QPointer<ns::WebView> webViewInHomePage_;

private:
    // The view the skin registered under the key; null without one.
    ns::View* skinView(const QString& key) const;
    // With "Internet_IsDisplayPhoneNumber_WhenConnectedOrDisconnected" on the
    // smart skin: the subscriber number, with one status row in the large
    // font; null otherwise.
    QString smartUIPhoneNumberStatus();

public:
    // ---- the windows around a connection attempt (DialControllerProgressWindows.cpp) ----

    // The connecting or disconnecting window with its animation.
    void openConnectStateWindowForZudera(bool show);
    void closeZuderaConnectStateWindow(ns::Object* sender);
    // While connecting, the connect action cancels the attempt; then the window goes.
    void cancelCurrentConnectOperate(ns::Object* sender);
    // The 0.1-second animation timers; starting one stops it first.
    void startProgressIndicator();
    void stopProgressIndicator();
    void startTimerForConnectFailed();
    void stopTimerForConnectFailed();
    // One animation step: frame "Stategif<n>.png" on both animation views, 10 followed by 1.
    void setProgressIndicatorWhenConnectStateChangeForZudera();
    // The failure alert and the connect-failed window, as configured.
    void openConnectFailedWindow();
    void closeConnectFailedWindow(ns::Object* sender);
    void redialWhenConnectFailed(ns::Object* sender);
    // The connected or not-connected indicator image.
    void setConnectStateForZudera(bool connected);
    // YES unless roaming with "DialDisconnectWhenRoam" and the user answers Cancel.
    bool dialDisconnectWhenRoamForZudera();
    // The connect-warning sheet on the main window; its OK connects.
    void beginConnectWarningSheet();
    void connectWarningWinOKClicked(ns::Object* sender);
    // YES when the device unlock code is asked for first; the connection
    // follows from notifyDeviceUnlockSuccess.
    bool deviceLockDialOption();
    void notifyDeviceUnlockSuccess(ns::Notification* notification);

    std::unique_ptr<ns::Window> windowOfConnectStateForZudera_;
    ns::TextField* labelConnectStateOfForZudera_ = nullptr;
    ns::Button* btnOfCancelConnectOperateForZudera_ = nullptr;
    ns::Button* btnOfRedialWhenConnectFailed_ = nullptr;
    ns::Button* btnCloseAlertWindowWhenConnectFailed_ = nullptr;
    ns::ImageView* imageViewOfProgressIndicator_ = nullptr;
    std::unique_ptr<ns::Window> windowOfConnectFailedForZudera_;
    ns::TextField* labelOfConnectStateWhenConnectFailed_ = nullptr;
    ns::ImageView* imageViewOfConnectFailed_ = nullptr;
    ns::ImageView* imageViewOfConnectStatesForZudera_ = nullptr;
    std::unique_ptr<ns::Window> wndConnectWarning_;
    // The animation frame, 1 to 10.
    int countOfConnectStateImage_ = 1;
    std::shared_ptr<ns::Timer> timerOfProgressIndicator_;
    std::shared_ptr<ns::Timer> timerOfConnectFailed_;

private:
    // The sender of the connect action that follows an unlock: a request of
    // its own, neither the connect button nor a programmatic connect.
    ns::Object deviceLockSender_;
    // Stops the timer, then starts it again as a 0.1-second animation timer.
    void startAnimationTimer(std::shared_ptr<ns::Timer>& timer);
    // The windows, built on first use (or for the skin).
    void buildConnectStateWindow();
    void buildConnectFailedWindow();
    void buildConnectWarningWindow();

public:
    // ---- APN cycle and packet-domain status (DialControllerApnCycle.cpp) ----

    bool apnCycleEnabled() const { return apnCycleEnabled_; }
    void setApnCycleEnable(bool enable) override { apnCycleEnabled_ = enable; }
    // The selected profile entry is one of the operator's default profiles
    // (entry i + 1 is profile i).
    bool isDefaultAPN() const;
    // Builds the cycle list when the cycle may start ("apnCycle") and none
    // runs, and applies the current profile.
    void apnCycleStart();
    // Selects and applies the next profile of the list; NO when none is left.
    bool apnCycleTryNext();
    // YES when no cycle runs or the current profile is its last.
    bool apnCycleLastTry() const;
    // Whether a status answer of the poll counts: after the cycle asked for
    // the next profile, the answers to the polls sent before still tell of
    // the failed attempt and do not.
    bool apnCycleTakesStatus();
    void apnCycleEnd();
    // Automatic connection on attach: always, or only after a connect action
    // of the user ("NotAutoConnectOnline").
    bool checkIsAutoConnectOnline() const;
    // The packet domain attached or detached: the connect controls follow,
    // and an attach after a detach may start an automatic connection.
    void setPSDomainStatus(bool attached) override;

    // The profile indices to try, in order; empty when no cycle runs.
    QList<int> apnCycleArray;
    // The position in apnCycleArray of the profile being tried.
    int apnCycleCurrentAPN = 0;
    // Status polls sent and not answered yet.
    int pppStatusAnswersDue_ = 0;

private:
    bool apnCycleEnabled_ = false;
    // Status answers still to come for the failed attempt.
    int apnCycleStaleAnswers_ = 0;
    // The packet-domain status of the previous report; detached at start.
    bool bLastPSDomain_ = false;

public:
    // ---- automatic reconnection (DialControllerReconnect.cpp) ----

    // "MaxReconnectTimes" (3) and "ContinueReconnectTiems" (5) of "Internet".
    void initReconnectTimes();
    // Schedules an automatic attempt unless roaming forbids it or the settings
    // page does not allow it; YES first forgets a manual disconnect and the
    // attempts made.
    void reconnect(bool reconnect) override;
    // One attempt, or the same again in 10 s while the device is busy.
    void autoReconnect();
    // Seconds before the next attempt.
    double autoReconnectInterval();
    // Attempts are left, or the configuration keeps trying.
    bool checkAutoConnectByTimes();
    // Reconnection is off on a network of another country.
    bool notAutoConnectWhenInterRoaming();
    // The drop or failure may lead to an automatic attempt.
    bool isDoReconnectAfterDisconnect();
    bool checkAutoConnectForPPPFailed();
    // After a drop: reconnectAfterAutoDisconnect, later by the settings'
    // extra delay from the second attempt on.
    void doReconnectAfterAutoDisconnect();
    void reconnectAfterAutoDisconnect();
    // The dial parameters again, their alert switched off, when configured.
    void disableConnectionAlertWindow();

    // ---- NDIS connection (DialControllerNDIS.cpp) ----

    // Asks for the link and waits for its statuses; no poll.
    void NDISDialConnect();
    // Saves the record at once and asks the device to end the link.
    void NDISDialDisconnect();
    // YES the connect request (0x0102/69), NO the disconnect (0x0102/70).
    void sendNDISDialConnectMsg(bool connect);
    // The status (0x0102/71, type 1) and its four handlers.
    void dealWithMsgOfNDISDialStatus(ns::Notification* notification);
    void dealWithOfNDISDialDisconnected();
    void dealWithOfNDISDialConnected();
    void dealWithOfNDISDialConnecting();
    void dealWithOfNDISDialConnectFailed();
    // A link already up, found at SIM ready (0x0102/72, type 1, result 0);
    // without one the connect controls are enabled.
    void dealWithOfNDISDialIsConnected(ns::Notification* notification);
    // The transfer report (0x0102/73): counters, address, the update notice.
    void dealWithMsgOfNDISDialTransferData(ns::Notification* notification);
    // An automatic attempt after an ended or failed NDIS link, when configured.
    void AutoReconnectForNdis();
    // The update link hears that the device is ready.
    void sendAutoUpdate();
    // Starts the connection's one-second clock on the main run loop.
    void refereshConnectTimeThread();
    // One tick: the time, the speeds and "ConnectStatistics".
    void refereshConnectTime(ns::Timer* timer);
    // Opens Internet/"AutoLaunchURLString" when configured for the first profile.
    void launchURLAtFirstAPN();

    std::shared_ptr<ns::Timer> timerConnectInterval_;

    // ---- profiles (DialControllerProfiles.cpp: the file, the profile in
    // use and the operator's defaults; DialControllerProfileList.cpp: the
    // profile box and table, adding and deleting, the view of the profile in
    // use, the automatic APN match, typing limits; DialControllerDialParams.cpp:
    // the record sent to the device; DialControllerMMS.cpp: the MMS profile) ----

    void setDialParams() override;
    // YES when the device server should not alert on a failed connect.
    bool setParaDisableAlertWindow();
    // A copy of the profile with every key a profile must have.
    ns::Dictionary createSafeDialConfig(const ns::Dictionary& profile) const;
    void loadDialConfig();
    void loadDialConfigWithSIM();
    void saveDialConfigFile();
    // "AlreadyGetSimIMSI": the profiles of the SIM now known.
    void alreadyGetSimIMSI(ns::Notification* notification);
    void resetDefaultProfileWithImsiAll(const QString& imsi) override;
    void resetGlobalDefaultProfileWithImsi(const QString& imsi) override;
    void resetDefaultProfileWithMCCMNC(const QString& mccmnc) override;
    void resetDefaultProfileWithMcc(const QString& mcc, const QString& mnc) override;
    // Replaces profile 0 with a copy of the profile.
    void resetDiaCfgListWithImsiCfg(const ns::Dictionary& profile);
    // Makes profile index the one in use.
    void setDefaultProfile(int index);
    void reloadApnListView();
    // The matched profiles take the place of the operator's defaults, in their order.
    void resetDialConfigListWithMatchedApn(const ns::Array& profiles);
    void resetDialCfgListWithCfgArray(const ns::Array& profiles);
    // "ProfileID" follows the profile box; the record goes to the device.
    void setCurrentProfile();
    int defaultAuthMode() const;
    void updateInterface();
    // Makes that entry of the profile box (0 is "Edit Configuration") the
    // selected one and selects it in the box, without the box's handler.
    void dialConfigListSelectItemAtIndex(int index);
    // The profile box and the profile window's table.
    int numberOfItemsInComboBox(ns::ComboBox* comboBox) override;
    QString objectValueForItemAtIndex(ns::ComboBox* comboBox, int index) override;
    void comboBoxSelectionDidChange(const ns::Notification& notification) override;
    int numberOfRowsInTableView(ns::TableView* tableView) override;
    QVariant objectValueForTableColumn(ns::TableView* tableView, ns::TableColumn* column, int row) override;
    bool shouldEditTableColumn(ns::TableView* tableView, ns::TableColumn* column, int row) override;
    void setObjectValue(ns::TableView* tableView, const QVariant& value, ns::TableColumn* column,
                        int row) override;
    // The profile window's table: the buttons and the browse pane follow the selected row.
    void tableViewSelectionDidChange(const ns::Notification& notification) override;
    void AddAPNInfo(ns::Object* sender);
    void DelAPNInfo(ns::Object* sender);
    void displayAPNInfo();
    // Hides or shows the profile window's browse pane; answers whether it is shown.
    bool toggleBrowserView(ns::Object* sender);
    void setBtnAutoAPNMatchState();
    void enableAutoApnMatch(ns::Object* sender);
    void controlTextDidChange(const ns::Notification& notification) override;
    // The IPv6 keys of a new profile; nothing without dual-PDP support.
    void setDefaultDialParamsForIPv6(ns::Dictionary& profile);
    // The temporary MMS profile.
    QString MMSAccessPoint() const;
    QString MMSGatewayUsername() const;
    QString MMSGatewayPassword() const;
    int MMSDefaultProfileNum() const;
    void addMMSConfig() override;
    void removeMMSConfig() override;
    void setDialConfig(int index) override;
    int IDMMSConfig() const override { return nMMSconfigItem_; }
    QString getAPNString() override;
    // Where the special roaming rule reads the SIM's card number.
    DialServiceTransplant& dialServiceTransplant() { return transplant_; }

    ns::Array dialConfigArray;
    int m_IndexOfComboBoxSelectionNow = 1;
    bool flagAddMMSConfig_ = false;
    int nMMSconfigItem_ = 0;
    // Outlets of the profile window and the Internet view's profile details,
    // set by whoever builds them; the profile code works without them.
    ns::Button* btnEnableAutoAPNMatch_ = nullptr;
    ns::TextField* apnProviderLabel_ = nullptr;
    ns::TextField* postDialListCombox_ = nullptr;
    ns::TextField* Net_CurrentApnName = nullptr;
    ns::TextField* winUernameText_ = nullptr;
    ns::TextField* winPasswordText_ = nullptr;

    // ---- Profile window, browse pane and edit sheet (DialControllerProfileWindow.cpp,
    // built by DialControllerProfileNib.cpp) ----
    void buildProfileWindows();
    // The selectors of the profile window's and the edit sheet's controls.
    void registerProfileWindowActions();
    void popUpDialConfigWindow();
    void setEidtStatusAtRow(int row);
    void setBrowseWinValue(const ns::Dictionary& profile);
    void setEditWinValue(const ns::Dictionary& profile);
    // The edit sheet and the browse pane as no profile fills them: texts
    // empty, each choice on its first cell; in the sheet the name and number
    // open and what hangs on the choices closed.
    void InitAPNConfigEdit();
    void InitAPNConfigBrowse();
    void setdialControls(ns::Object* control, const ns::Dictionary& profile, const QString& key);
    void editDialConfigSettings(ns::Object* sender);
    void browseDialConfigSettings(ns::Object* sender);
    void editWindowOK(ns::Object* sender);
    void editWindowCancel(ns::Object* sender);
    void closeDialConfigSettings(ns::Object* sender);
    void saveAPNPassword(ns::Object* sender);
    void selectObtainAPNType(ns::Object* sender);
    void selectObtainPDPType(ns::Object* sender);
    void selectObtainDNSType(ns::Object* sender);
    void setEditWinControlsStatus(bool enabled);
    void setBrowseWinControlsStatus(bool enabled);
    void setAPNEditWinControlsStatus();
    void setAPNEditWinControlsStatusWithConfig();
    void forbiddenOperateIpv6Apn();
    bool checkDialConfigIsValid();
    void saveCurrentDialConfig();
    static QString getSafeDialStrParas(const ns::Dictionary& profile, const QString& key);
    static int getSafeDialNumParas(const ns::Dictionary& profile, const QString& key);
    // The profile's provider as the lists show it.
    QString getApnProviderNameWith(const ns::Dictionary& profile) const;
    void ChangeAPNSelection(ns::Notification* notification);
    void tabViewItemWillChange(ns::Notification* notification);
    void setDataServicesStatus(ns::Notification* notification);
    void changeControlsPosForProfile();
    void changeBtnPosForProfileOfAPN();
    void changeBtnPosForNoProfileOfAPN();
    void promptOfAPNOK(ns::Object* sender);
    void promptOfAPNCancel(ns::Object* sender);
    void setDeviceStatus(bool removed);
    // Default profiles the user may still edit, and the VADO button states.
    bool checkProviderIsEditable(int row);
    void setUsernameAndPasswordEditable(int row);
    void setBtnStausForVADO(int row);

    std::unique_ptr<ns::Window> m_dialConfigWindow;
    std::unique_ptr<ns::Window> m_profileEditWin;
    ns::TableView* m_configListView = nullptr;
    ns::View* viewDialBrowse_ = nullptr;
    ns::Button* btnAddProfile_ = nullptr;
    ns::Button* btnDeleteProfile_ = nullptr;
    ns::Button* btnEditProfile_ = nullptr;
    ns::Button* btnBrowseProfile_ = nullptr;
    ns::Button* btnCloseProfile_ = nullptr;
    // The edit sheet.
    ns::TextField* m_eProviderForConfig = nullptr;
    ns::TextField* m_eTelephoneNumber = nullptr;
    ns::Button* m_eIsSaveUserInfo = nullptr;
    ns::Button* eAskUernameCheck_ = nullptr;
    ns::TextField* m_eUsername = nullptr;
    ns::TextField* m_ePassword = nullptr;
    ns::Matrix* m_eIsAutoObtainAPN = nullptr;
    ns::TextField* m_eAPN = nullptr;
    ns::Matrix* m_eIsAutoObtainPDP = nullptr;
    ns::TextField* m_ePDP = nullptr;
    ns::Matrix* m_eIsAutoObtainDNS = nullptr;
    ns::TextField* m_ePreferDNS = nullptr;
    ns::TextField* m_eAlternateDNS = nullptr;
    ns::Matrix* m_eAuthMode = nullptr;
    ns::Matrix* ePDPTypeGroup_ = nullptr;
    ns::Button* btnEditOK_ = nullptr;
    ns::Button* btnEditCancel_ = nullptr;
    // The browse pane.
    ns::TextField* m_bProviderForConfig = nullptr;
    ns::TextField* m_bTelephoneNumber = nullptr;
    ns::Button* m_bIsSaveUserInfo = nullptr;
    ns::Button* bAskUernameCheck_ = nullptr;
    ns::TextField* m_bUsername = nullptr;
    ns::TextField* m_bPassword = nullptr;
    ns::Matrix* m_bIsAutoObtainAPN = nullptr;
    ns::TextField* m_bAPN = nullptr;
    ns::Matrix* m_bIsAutoObtainPDP = nullptr;
    ns::TextField* m_bPDP = nullptr;
    ns::Matrix* m_bIsAutoObtainDNS = nullptr;
    ns::TextField* m_bPreferDNS = nullptr;
    ns::TextField* m_bAlternateDNS = nullptr;
    ns::Matrix* m_bAuthMode = nullptr;
    ns::Matrix* bPDPTypeGroup_ = nullptr;
    ns::TextField* tfBrowseApnIPv6_ = nullptr;
    // The captions of the network-specific fields, which a device without
    // WCDMA hides with them (setWCDMAConfigHidden).
    ns::TextField* Config_APN = nullptr;
    ns::TextField* Config_PreferredDNS = nullptr;
    ns::TextField* Config_AlternateDNS = nullptr;
    ns::TextField* Config_Address = nullptr;
    ns::TextField* Config_AuthMode = nullptr;
    ns::TextField* EditConfig_APN = nullptr;
    ns::TextField* EditConfig_PreferredDNS = nullptr;
    ns::TextField* EditConfig_AlternateDNS = nullptr;
    ns::TextField* EditConfig_Address = nullptr;
    ns::TextField* EditConfig_AuthMode = nullptr;
    // The same fields and captions of the IPv6 settings, in both panes.
    QList<ns::View*> ipv6NetworkViews_;
    // The Internet view's MTS note and its APN prompt window.
    ns::TextField* APNNotsForMTS_ = nullptr;
    ns::Window* windowOfAPNPrompt_ = nullptr;
    bool clickOKForAPNPromptFlag_ = false;

private:
    ProfileControls editControls() const;
    ProfileControls browseControls() const;
    // Shows the profile in the browse pane's or the edit sheet's controls.
    void fillProfileControls(const ProfileControls& controls, const ns::Dictionary& profile);
    void closeAPNPrompt(bool ok);

public:
    // ---- end of the profile window ----

    // ---- IPv6 and dual-PDP profile settings (DialControllerIPv6.cpp) ----
    void supportIPv6();
    void checkIsSupportDoublePdpSettings();
    bool isSupportDoblePdpSettings() const { return bSupportDoublePdp_; }
    int getPDPType(ns::Matrix* matrix);
    int getFourPDPType(ns::Matrix* matrix);
    int getThreePDPType(ns::Matrix* matrix);
    void displayPDPAt(ns::Matrix* matrix, int type);
    void displayFourPDPAt(ns::Matrix* matrix, int type);
    void displayThreePDPAt(ns::Matrix* matrix, int type);
    void setPdpTypeStatus(ns::Object* sender);
    void setIPv4ApnEnabled(bool enabled);
    void setIPv6ApnEnabled(bool enabled);
    void setUseSinglePdpForIPv6(ns::Object* sender);
    void pdpTypeSelect(ns::Object* sender);
    void selectObtainAPNTypeIPv6(ns::Object* sender);
    void selectObtainPDPTypeIPv6(ns::Object* sender);
    void selectObtainDNSTypeIPv6(ns::Object* sender);
    void saveAPNPasswordIPv6(ns::Object* sender);
    void setApnEditWinCtrlStatusForIPv6();
    void advancedApnConfigForIPv4(ns::Object* sender);
    void commonApnConfigForIPv4(ns::Object* sender);
    void advancedApnConfigForIPv6(ns::Object* sender);
    void commonApnConfigForIPv6(ns::Object* sender);
    bool shouldSelectTabViewItem(ns::TabView* tabView, ns::TabViewItem* item) override;
    void addIPv6ParaNumArray(QStringList& numberKeys, QStringList& textKeys);
    void saveDialConfigForIPv6();
    void displyEditDialParamsForIPv6(const ns::Dictionary& profile);

    ns::Button* checkSavePasswordForIPv6_ = nullptr;
    ns::TextField* tfUsernameForIPv6_ = nullptr;
    ns::TextField* tfPasswordForIPv6_ = nullptr;
    ns::Matrix* radioObtainApnIPv6_ = nullptr;
    ns::TextField* tfApnIPv6_ = nullptr;
    ns::Matrix* radioAuthModeIPv6_ = nullptr;
    ns::Matrix* radioObtainPdpIPv6_ = nullptr;
    ns::TextField* tfPdpAddrIPv6_ = nullptr;
    ns::Matrix* radioObtainDNSIPv6_ = nullptr;
    ns::TextField* tfPreferDNSIPv6_ = nullptr;
    ns::TextField* tfAltDNSIPv6_ = nullptr;
    ns::Button* checkSinglePdp_ = nullptr;
    ns::TabView* tabviewApnSettings_ = nullptr;
    ns::TabView* tabviewIpv4ApnConfig_ = nullptr;
    ns::TabView* tabviewIpv6ApnConfig_ = nullptr;
    bool bSupportDoublePdp_ = false;

private:
    // "Internet"/"SupportIPv6".
    bool supportsIPv6Setting();

public:
    // ---- end of IPv6 ----

    // ---- operator web pages (DialControllerWebViews.cpp) ----

    // Loads a file, or an address, into the web view; NO when nothing loads.
    bool openURL(const QString& address, ns::WebView* webView);
    // The page beside an animation file that shows it ("x.swf" gives "x.htm");
    // empty for other files.
    static QString getHtmlFilePathByFlash(const QString& path);
    // An animation file from disk (its page instead with top-level
    // "GetHtmlFilePathByFlashFile", without scrolling), or an address.
    void LoadFlash(const QString& file, ns::WebView* webView);
    // Module "WebViewRectInSuperView": "InSuperViewLeft", "InSuperViewBottom",
    // "DecreasedHeight" and "DecreasedWidth" as x, y, width and height.
    ns::Rect getRectInSuperView() const;
    // A web view in the view showing the address: placed at the view's
    // origin moved by the offset's origin, the offset's width taken off its
    // width and its height off its height. Null without a view.
    ns::WebView* displayWebUrl(const QString& address, ns::View* view, bool allowsScrolling,
                               const ns::Rect& offset);
    // While connected: the page of top-level "WebViewURL" inside the container.
    void displaySpecialWebView();
    void detachSpecialWebview();
    ns::View* viewContainer_ = nullptr;
    QPointer<ns::WebView> specialWebView_;

    // ---- the billboard (DialControllerBillboard.cpp) ----

    // With Internet/"Internet_isDisplayBillboard_WhenConnectSuccess": the
    // first picture and the arrows, then the next picture every three seconds.
    void imageDownloadFinishForBillboard();
    // The picture and its arrows (hidden), bottom right on the Internet page.
    void loadBillboardView(ns::View* page, const ns::Rect& bounds);
    // The next picture (after the third the first) and the previous one
    // (before the first the third); a missing picture leaves the one shown.
    void browserNextPictureForBillboard(ns::Object* sender);
    void browserAPictureForBillboard(ns::Object* sender);
    // The roll ends and the default picture returns (the connection is idle).
    void stopBillboard();
    void connectStatusDidChange(ns::Notification* notification);
    int borwserPicIndexforBillboard_ = 1;
    std::shared_ptr<ns::Timer> timerOfAutoBrowserPicForBillboard_;
    ns::Button* btnOfDownForBillboard_ = nullptr;
    ns::Button* btnOfUpForBillboard_ = nullptr;
    ns::ImageView* imageViewOfShowImageForBillboard_ = nullptr;

private:
    void showPictureForBillboard();
    void setBillboardArrowsEnabled(bool enabled);

public:
    // ---- the split Internet tab and the operator's links on it
    // (DialControllerSplitTab.cpp: the pre- and post-connection pages, their
    // web views and the main tab's delegate; DialControllerSplitTabNib.cpp:
    // the post-connection page; DialControllerWebLinks.cpp: the banners, the
    // custom and favourite link buttons and the link refresh's files;
    // DialControllerFavoriteIconHint.cpp: the favourite-icon hint) ----

    // With top-level "EnableSplitConnectionProcess": the link refresh's
    // files, the favourite links, the page to show while idle, and the
    // controller as the main tab view's delegate.
    void initSplitConnectionProcess();
    // With top-level "DovureSplit" the post-connection page shows while idle
    // too, with its web views, banners and favourite animations.
    void initSplitConnectionProcessForDovure();
    // On connection up (3) and down (0): the page of the state; up also
    // attaches the web views, shows the stored banners and the hint and
    // starts the link refresh five seconds later; down closes the hint.
    void switchInternetTabAction();
    // The link refresh five seconds from now (a refresh already waiting
    // starts again), and its start.
    void startUpdateWebLinkTimer();
    void UpdateWebLinkTimerFired(ns::Timer* timer);
    // The main tab view: showing the Internet page while it holds the
    // post-connection page brings the web views and the hint; any other
    // change closes the hint.
    void willSelectTabViewItem(ns::TabView* tabView, ns::TabViewItem* item) override;
    void didSelectTabViewItem(ns::TabView* tabView, ns::TabViewItem* item) override;
    void performSwitchTabActionForDovure(ns::TabView* tabView, ns::TabViewItem* item);
    // The promotion web view in bgContainerView_ (top-level
    // "PromoWebViewRect") and the home-page web view in the banner
    // ("HomePageWebViewRect"), each made once, reporting to the delegate.
    void attachWebviewWithDelegates(WebViewDelegate* delegate);
    void detachWebviews();
    // The tab's web pages: only the link list's own with the split process,
    // every page with the smart skin, only the main page in the
    // "IndonesiaZEZ" build; others open in the browser.
    WebViewDelegate* internetTabWebPolicy();

    // The custom link buttons open the operator's portal pages
    // (Internet/"OperatorPortalURLs"), and the split pages' texts; not for
    // the "DifferentWorkingMothodForZerivad" skin.
    void initCustomWeblinks();
    // The favourite link buttons from "FavoriteLinks.plist" by "Index"; an
    // entry without a readable image hides its button.
    void loadFavoritesLinkPropeties();
    // Every banner and animation the link list holds, and one of them (or
    // the advertisement) by its role (the stored copy's file name).
    void loadCurrentIconAndFlash();
    void loadIconImageAccordingProperty(const ns::Dictionary& properties);
    // The link refresh works on "IconLinks.plist" and "dovure/images/" of
    // the data folder, and shows each renewed image here.
    void initWebDownloadAndLinkUpdateUtilitiesOfEntertain();

    // With top-level "ShouldShowFavouriteIconConfigHint": the hint beside
    // the favourite buttons, as a window of its own or inside the main
    // window (ConfigService makeFavoriteIconHintWindowIntoSubviewOfMainWnd).
    void hintFavoriteIconConfigrable();
    void closefavoriteIconHintWindow(ns::Object* sender);
    // "Do not notify me again" stops the hint, in the settings file.
    void stopNotifyHintClicked(ns::Object* sender);

    ns::TabView* internetSwitchTab_ = nullptr;
    QPointer<ns::WebView> homepageView_;
    QPointer<ns::WebView> promoWebkitView_;
    WebLinkImageView* bgupWeblinkView_ = nullptr;
    ns::View* bgContainerView_ = nullptr;
    WeblinkButton* customLinkBtn1_ = nullptr;
    WeblinkButton* customLinkBtn2_ = nullptr;
    WeblinkButton* customLinkBtn3_ = nullptr;
    WeblinkButton* customLinkBtn4_ = nullptr;
    WeblinkButton* customLinkBtn5_ = nullptr;
    WeblinkButton* customLinkBtn6_ = nullptr;
    WeblinkButton* favoriteLinkBtn1_ = nullptr;
    WeblinkButton* favoriteLinkBtn2_ = nullptr;
    WeblinkButton* favoriteLinkBtn3_ = nullptr;
    WeblinkButton* favoriteLinkBtn4_ = nullptr;
    WeblinkButton* favoriteLinkBtn5_ = nullptr;
    WeblinkButton* favoriteLinkBtn6_ = nullptr;
    std::unique_ptr<FavoriteIconHintWindow> favoriteIconHintWindow_;
    // Inside the hint window, or (once moved there) inside the main window.
    QPointer<ns::View> favoriteIconHintView_;
    ns::Button* stopNotifyHintCheckbox_ = nullptr;
    ns::TextField* favoriteHintTextfield_ = nullptr;
    std::shared_ptr<ns::Timer> updateWebLinkTimer_;

private:
    // Builds the two pages into the Internet page; answers the
    // pre-connection page, where the connect controls go.
    ns::View* loadSplitTabView(ns::View* page, const ns::Rect& bounds);
    void loadPostInternetView(ns::View* page, const ns::Rect& bounds);
    void buildFavoriteIconHint();
    void registerWebTabSelectors();
    std::array<WeblinkButton*, kFavouriteIconCount> customLinkButtons() const;
    std::array<WeblinkButton*, kFavouriteIconCount> favoriteLinkButtons() const;
    bool isSplitConnectionProcess() const;
    bool isDovureSplit() const;
    // The split page to show while idle.
    QString idleSplitTabIdentifier() const;
    // The disconnect button of the post-connection page, worded for the state.
    void setPostConnectBtnTitle();

    std::unique_ptr<InternetTabWebPolicy> internetTabWebPolicy_;
    // The hint's view has gone into the main window.
    bool favoriteIconHintInMainWindow_ = false;
    // The link refresh shows renewed images here.
    bool showsRenewedImages_ = false;

public:
    // ---- the advertisement image (DialControllerAdvertisement.cpp) ----

    // The operator's advertisement, bottom left on the Internet page; built
    // only with top-level "AddDiraAdView".
    void loadAdContainerView(ns::View* page);
    // With "AddDiraAdView": the link "DiraAdInfo"/"AdURL", the image, and the
    // refresh pointed at the data folder's "Sources" and "WebLinkInfo.plist".
    void initAdContainerView();
    // The image "DiraAdInfo"/"FileName" of the sources folder; one that cannot
    // be read leaves the image shown.
    void updateAdImageView();
    // On connection up: with "AddDiraAdView" the link refresh five seconds
    // later; always "SetWebLinkImageViewEnabled".
    void downloadAdImageFile();
    // The data folder's folder of the advertisement image.
    QString adSourcesFolder() const;
    // The advertisement's image in the link list: its name, "DiraAdInfo"/"FileName".
    QString adImageRole() const;

    WebLinkImageView* adContainerView_ = nullptr;

public:
    // ---- outlets of the Internet view (built by DialControllerNib.cpp) ----

    ns::Button* m_ConnectButton = nullptr;
    // The simple window's connect button, when the skin has one.
    ns::Button* btnConnectSimple = nullptr;
    ns::ComboBox* m_DialConfigList = nullptr;
    ns::TextField* m_ConnectState = nullptr;
    ns::TextField* m_ModemAndSimState = nullptr;
    ns::TextField* m_TelephoneNumber = nullptr;
    ns::TextField* m_Username = nullptr;
    ns::TextField* m_Password = nullptr;
    ns::View* viewBackground_ = nullptr;
    ns::View* viewContainerEmbedInUI_ = nullptr;

    // ---- fields of the connection (start values as after init) ----

    std::shared_ptr<ns::Timer> m_TimerToGetConnectState;
    long m_connecttime = 0;
    float m_sendData = 0;
    float m_lastSendData = 0;
    float m_receiveData = 0;
    float m_lastReceiveData = 0;
    float m_sendSpeed = 0;
    float m_receiveSpeed = 0;
    int m_KBTimes = 0;
    ns::Dictionary statusDict_; // the record of the connection being built
    ns::Dictionary statisticsInfo_;
    bool m_notified = false;
    bool m_launchURLState = true;
    bool saveRecordFlag = false;
    bool warnLimitFlag = true;
    bool autoDisconnectFlag = true;
    bool warnLimitExceedFlag = true;
    bool warnLimit25Flag_ = true;
    bool warnLimit50Flag_ = true;
    bool warnLimit75Flag_ = true;
    bool isOpenURL = true;
    bool isDeviceRemoved = true;
    bool manualDisconnectFlag = false;
    int reconnectTimes = 0;
    int max_ReconnectTimes_ = 3;
    int continueReconnectTiems_ = 5;
    bool m_haveSendUpdateMessage = false;
    bool bAppWillClose_ = false;
    bool alreadyGetSimIMSIFlag_ = false;
    bool willConnectToInternet_ = false;
    bool bManualConnectSuccess_ = false;
    bool bManualConnect_ = false;
    bool bAttatchPS_ = false;
    bool checkUsernameFlag_ = false;
    bool hadDoManualDisconnect_ = false;
    bool displayDisConnectingFlag_ = false;
    bool hadConnectAction_ = false;
    bool connectWarningsDisplayFlag_ = true;
    bool modemStartUpProcessStateChanged_ = false;
    int deviceStatusStringRows_ = 1;
    ns::Array dialConfigArrayWithSIM_;

    // ---- PPP connection, packet-domain attach and the connection record
    // (DialControllerPPP.cpp: connect, poll, the status codes, disconnect and
    // cancel, the end of a connection's display; DialControllerAttach.cpp:
    // the packet-domain attach; DialControllerRecord.cpp: the record and the
    // statistics window) ----

    // YES: the PPP connect request (0x0102/65), NO: the disconnect (0x0102/66).
    void sendDialConnectMsg(bool connect);
    void getConnectPppOption();
    // The status answer (0x0102/67) in its new and its old form, and the old
    // form's address answer (0x0102/68); each only of type 1 while the poll runs.
    void dealWithMsgOfPPPConnectStatus(ns::Notification* notification);
    void dealWithMsgOfDialConnectStatus(ns::Notification* notification);
    void dealWithMsgOfDialConnectPppOption(ns::Notification* notification);
    // One status: folded, then acted on by its code.
    void processPPPConnectStatus(const PPPConnectStatus& status);
    // With "noNeedMiddleStatus" 4, 5 and 7 count as 2, and 9 as 10 (after
    // disabling the connect button).
    int preDealWithConnectStatus(int code);
    // Whether the connecting or disconnecting text may change on this reply
    // ("DialWordingSpeed": every that many replies).
    bool showDialingWording();
    void setIPAddress(const QString& address);
    // Code 8: the connected state with the server's figures.
    void setPPPConnectedStatusWithTime(long seconds, float sendData, float receiveData);
    // Code 10 and code 0.
    void setPPPDisconnectingLinkStatus();
    void setPPPDisconnectedSatus();
    // Code 7 turns the connect button into the cancel button.
    void performCancelDialAction();
    void resetConnectBtnStatusWhenConnecting();
    void resetConnectBtnStatusWhenDisconnecting();
    // Both connect buttons disabled with the translated title of the key.
    void disableConnectBtnWithTitle(const QString& key);
    // Ends the poll and the NDIS clock.
    void stopConnectionTimer();
    // "StartConnection" {"StartConnection": started}.
    void sendConnectStatusMsg(bool started);
    // The address as shown: empty for a failed DHCP lease when so configured.
    QString filterIPAddress(const QString& address) const;

    // The attach (0x0102/76 with 2) before a connect, its answer
    // (0x0102/64) and the detach (with 0) at the end of the connection.
    void attachPS();
    void deattachPS();
    void dealWithSetNetworkModeResult(ns::Notification* notification);
    void checkISDetatchPS();

    // The record's state: a non-empty text sets it; every call answers it.
    QString recordInState(const QString& state = QString());
    // The first steps of every connect: the profile box locked, the state
    // view shown and a new record begun (with the roaming answer, if asked).
    void beginConnectionRecord();
    // Appends the record of a connection that connected, once.
    void saveDialRecord();
    void displayStatisticsForDisconnect();
    void closeStatisticsWin(ns::Object* sender);
    void buildStatisticsWindow();

    // The Vazo warnings on each poll tick, with "Record"/"LimitSetValue" above
    // 0: the one data band passed (25, 50, 75, 80 or 100 %) or the time's 80
    // or 100 %, each once per arming of its flag (DialControllerAlias.cpp).
    void recordLimitWarnForVazo();
    void dataLimitWarnForVazo();
    void timeLimitForVazo();
    // "Warning!" with the message, then the short sound with "WarningForPlaySound"; null shows nothing.
    void runVolumeLimitWaring(const QString& message);
    void showVolumeWarning(const QString& message);

    // With "Internet"/"CheckAPNAccount", a profile that asks for them opens
    // the account window as a sheet (YES); its OK dials once with what was
    // typed and keeps it only with the save box ticked; Cancel dials nothing.
    bool checkAPNAccount();
    void checkWindowOK(ns::Object* sender);
    void checkWindowCancel(ns::Object* sender);
    void wordCheckAccountWindow();
    // The operators' connect buttons: one connect action per click; while
    // connected the VADO button opens Internet/"AutoLaunchURLString" instead.
    void dialOptionExt(ns::Object* sender);
    void btnVADOConnect(ns::Object* sender);
    // With "MAINFORM"/"CloseAppWihoutQueryConnection", a connection made or
    // up is ended once when the application closes.
    void performCloseActionForZID();
    // The roaming alert when connected outside the white list.
    void doAfterConnected();
    // At start and on each language change: the start-up text until the
    // modem has started, the connect buttons' titles and tool tips and the
    // state text for the connection's state, then the button's image.
    void initConnectStatusWording();

    // On each connected reply; acts once per connection (m_launchURLState,
    // armed by each connect): the connect sound, then the operators' pages
    // (DialControllerFirstConnect.cpp).
    void performActionWhenFirstConnected();
    // The "OpenURLSettings" entry of the profile's provider opens its "URL"
    // when its "AutoOpen" is set.
    void checkIsOpenSpecialURL();
    // The page of the first Internet/"IMSIAndWebPage" prefix of the SIM's
    // IMSI, in the table's order.
    void openWebPageWithSIM();

    std::unique_ptr<ns::Window> wndCheckAccount_;
    ns::TextField* labelCheckUsername_ = nullptr;
    ns::TextField* tfCheckUsername_ = nullptr;
    ns::TextField* labelCheckPassword_ = nullptr;
    ns::TextField* tfCheckPassword_ = nullptr;
    ns::Button* checkSaveAccount_ = nullptr;
    ns::Button* btnCheckOK_ = nullptr;
    ns::Button* btnCheckCancel_ = nullptr;

private:
    void buildCheckAccountWindow();
    void closeCheckAccountWindow();

public:
    // Measures the connection on a thread of its own when it has come up and
    // the operator's control file asks for it; every change makes runs not yet
    // measuring stale.
    void testSpeed();
    // A line of the speed-test log.
    void writeToLogFile(const QString& line);

    long connectTime15 = 0;
    // The connect-state view of the Internet view: address, time, data and
    // speeds (the simple-view labels only with a skin that has them).
    ns::View* viewConnectState_ = nullptr;
    ns::TextField* m_IPAddress = nullptr;
    ns::TextField* m_ConnectTime = nullptr;
    ns::TextField* labelConnectTimeSimple = nullptr;
    ns::TextField* InterUiTotalTime_ = nullptr;
    ns::TextField* m_FluxForSend = nullptr;
    ns::TextField* m_FluxForReceive = nullptr;
    ns::TextField* m_TotalData = nullptr;
    ns::TextField* m_SpeedForSend = nullptr;
    ns::TextField* m_SpeedForReceive = nullptr;
    ns::TextField* labelSpeedForSendSimple = nullptr;
    ns::TextField* labelSpeedForReceiveSimple = nullptr;
    ns::TextField* monthlyData_ = nullptr;
    // The statistics window shown at a disconnect.
    std::unique_ptr<ns::Window> wndStatisticsWin_;
    ns::TextField* tfdDisplayDuration_ = nullptr;
    ns::TextField* tfdDisplayDownData_ = nullptr;
    ns::TextField* tfdDisplayUpData_ = nullptr;
    ns::TextField* tfdDisplayTotalData_ = nullptr;

private:
    // Copies a status answer of the poll and counts it as come; false when
    // it is none or the poll has ended.
    bool readStatusAnswer(ns::Notification* notification, _UI_MSG* msg);
    // Builds the connect-state view into the Internet page.
    void loadConnectStateView(ns::View* page, double top);
    // The connect-state fields as no connection shows them.
    void resetConnectStateFields();
    void setConnectStateText(const QString& key);
    // The connecting (code 2) or disconnecting (code 10) text of the flag,
    // which then flips.
    QString alternatingText(const QString& word, bool& flag);

    // The connect-state view's captions with their wording keys.
    QList<QPair<ns::TextField*, QString>> connectStateCaptions_;
    QString recordState_;
    // The roaming prompt's answer (0 or 1) for the connect under way; null
    // when the prompt did not ask.
    ns::Value roamingPromptAnswer_;
    int dialWordingCount_ = 0;
    bool connectingWordingFlag_ = false;
    bool disconnectingWordingFlag_ = false;

public:
    // ---- end of the PPP connection ----

    // ---- usage limits while connected (DialControllerLimits.cpp) ----

    // Each poll tick or traffic report: the 80 % warning while warnLimitFlag
    // is set, then the limit itself while autoDisconnectFlag is set.
    void checkRecordLimit();
    // Only while the records are reset on a schedule ("IfSetRecordResetFrequence"
    // or "IfSetRecordResetEveryDays"): the data or the time check by "recordLimitState".
    void recordLimitWarn();
    void recordLimitDisconnect();
    // Once per connection, past 80 % and short of the limit.
    void recordDataLimitWarn();
    void recordTimeLimitWarn();
    // At the limit (the time limit "LimitDisconnectDelay" seconds early): the limit action.
    void recordDataLimitDisconnect();
    void recordTimeLimitDisconnect();
    // The warning window, at the modal-panel level, in front without taking the keyboard.
    void runLimitWarning(const QString& message);
    void closeLimitWarningPanel(ns::Object* sender);
    void reachLimitsMsgOK(ns::Object* sender);
    // "btnDatausageRestCliked": the running connection's byte counts start again.
    void datausageRest(ns::Notification* notification);

    std::unique_ptr<ns::Window> wndLimitWarning_;
    ns::TextField* labelLimitWarning_ = nullptr;
    ns::TextField* labelLimitWarningMsg_ = nullptr;
    ns::Button* btnLimintPanelOK_ = nullptr;
    std::unique_ptr<ns::Window> reachLimitsMsg;

private:
    void registerLimitSelectors();
    // By "recordLimitDisconnect": 0 asks, then disconnects on OK; 1 shows the
    // reach-limits window and disconnects.
    void runLimitAction();
    // The one connect-button action of a limit disconnect.
    void limitDisconnect();
    // The saved records and, until a disconnect saved it, the running connection.
    double runningTotalKilobytes() const;
    long runningTotalSeconds() const;
    void buildLimitWarningWindow();
    void buildReachLimitsWindow();
    // The reach-limits window at the modal-panel level, in front and key.
    void showReachLimitsMsg();

    ns::TextField* labelReachLimitsTitle_ = nullptr;
    ns::TextField* labelReachLimitsMsg_ = nullptr;
    ns::Button* btnReachLimitsOK_ = nullptr;

public:
    // ---- end of the usage limits ----

    // ---- traffic counters, speed and connection statistics (DialControllerTraffic.cpp) ----

    // Each PPP status reply: every tenth one samples both speeds from the byte counts.
    void calculateTransferSpeed();
    // While connected (state 3) only: the time, data and speed fields of the
    // view, the record's "connecttime", "sendbyte" and "receivebyte", the
    // speed graph and statisticsInfo_.
    void setConnectTimeInfo();
    void setTransferDataInfo();
    void setSpeedInfo();
    // "ConnectStatistics" with statisticsInfo_ while connected; the reset
    // form with zero time, data and speed texts at any time.
    void sendStatisticsNotification();
    void sendResetStatisticsNotification();
    // With Internet/"DisplayMonthlyData", the month's data so far in its field.
    void displayMonthlyData();
    // "SendSpeedData": both speeds as kilobit texts.
    void sendSpeedData(float sendSpeed, float recieveSpeed);
    // The data and speed texts in the units the settings choose.
    QString formatTransferData(float bytes) const;
    QString formatTransferSpeed(float bytesPerSecond) const;

    // The live speed graph of the Internet view (made with the view; null before).
    statisticsView* speedView = nullptr;

    // ---- end of the traffic ----

    // ---- the tab's life cycle (DialControllerLifeCycle.cpp) and wording
    // (DialControllerWording.cpp) ----

    // The last set-up steps: the PDP type controls, the split tab, the
    // advertisement, the status fields hidden, the profile window's actions
    // and the link refresh's files.
    void initSpecialResources();
    // The profile window's and the edit window's buttons, radio groups and
    // text fields answer to the controller.
    void setNewDialConfig();
    // Every text of the tab and its profile windows in the current language.
    void initWording();
    // The profile browse pane (with the ask-account window when asked for;
    // then, while idle, the statistics reset), the edit window and the tab.
    void Init_config_nib();
    void Init_editConfig_nib();
    void Init_internet_nib();
    // With "AutoHideConnectState": the status, the address, the time and the
    // data sent and received (captions and values) take the hidden state, the
    // modem and SIM state the opposite one; with "AutoHideConnectStateForZudera"
    // the speeds follow too (DialControllerAlias.cpp).
    void setConnectStateHidden(bool hidden);
    void setConnectStateHiddenForZudera(bool hidden);
    // The caption of a figure of the connection by its wording key; null without one.
    ns::TextField* connectStateCaption(const char* key) const;
    // The billboard as no connection shows it: the default picture, no arrows
    // (DialControllerBillboard.cpp).
    void initBillboardView();

    // The captions of the PDP type groups, shown with them.
    ns::TextField* Config_PDPType = nullptr;
    ns::TextField* EditConfig_PDPType = nullptr;
    // The profile window's browse pane: the line between its columns, and
    // the one that closes it in the compact layout of a device without WCDMA.
    ns::Box* browseColumnsDivideLine_ = nullptr;
    ns::Box* bottomDivideLine = nullptr;
    // Headings and buttons that lead to network settings only, hidden with them.
    QList<ns::View*> networkOnlyViews_;
    // The browse pane's lines in the compact or the full layout.
    void placeBrowseDivideLines(bool compact);
    // Captions the skin dresses besides the network-specific ones.
    ns::TextField* Config_Profile = nullptr;
    ns::TextField* Config_TelNumber = nullptr;
    ns::TextField* Config_UserName = nullptr;
    ns::TextField* Config_Password = nullptr;
    ns::TextField* EditConfig_Profile = nullptr;
    ns::TextField* EditConfig_TelNumber = nullptr;
    ns::TextField* EditConfig_UserName = nullptr;
    ns::TextField* EditConfig_Password = nullptr;

    // The number in the diagnostics window's MSISDN field, an outlet the
    // main nib connects (DialControllerSubscriber.cpp).
    void setDiagMSISDNValue(const QString& number) override;
    ns::TextField* tfdDiagMSISDN_ = nullptr;

    // The operator's main page at the first connection (DialControllerFirstConnect.cpp):
    // with the UI setting "IndonesiaZEZ", once per run, over the Internet tab
    // (the tab's page rules deciding where its links go); otherwise, with
    // "IndonesiaMKNwebURL", in the embedded container.
    void indonesiaZEZWebBackground();
    void indonesiaZEZEmbedWebBackground();
    // The page in the embedded container, in the one web view it keeps.
    void displayEmbeddedPage(const QString& address);
    QPointer<ns::WebView> indonesiaWebView_;
    QPointer<ns::WebView> embeddedWebView_;

private:
    // The keys of the profile windows' texts, kept as they were built.
    NibWording configNibWording_;
    NibWording editConfigNibWording_;
    // The "MainPage" web link with the run-time phone number (when asked
    // for) and IMEI.
    QString mainPageAddress(bool withPhoneNumber);
    // The main tab view's "Internet" page; null without one.
    ns::View* internetTabView() const;

public:
    // ---- end of the life cycle ----

protected:
    void initializeSkin() override;
    void initializeNibResources() override;
    void registerMessages() override;
    void initializeController() override;
    void updateLanguages(ns::Notification* notification) override;

private:
    // Arms the limit disconnect and totals the saved records; false when the
    // warning of that switch is off or limits are disabled.
    bool limitWarningApplies(const QString& warningSwitch);
    // The limit was reached: the running connection is no longer cut, and the user decides.
    bool limitReachedWarning();
    // Builds the Internet view into the main tab view's "Internet" page.
    void loadNib();
    // The status lines at their place, lowered by the height given.
    void placeStatusLines(double lowered);
    // The connect button's title for the state.
    void setDialBtnTitle(bool connected);
    // Registers the selectors of the profile handlers (DialControllerProfiles.cpp).
    void registerProfileSelectors();
    // Sends a module-2 request; false when there is no message center.
    bool sendDialMessage(quint16 majorID, quint16 minorID, const QByteArray& data = QByteArray());
    // Copies the record of a message notification; false when there is none.
    bool readRecord(ns::Notification* notification, _UI_MSG* msg) const;
    // A configuration switch, of a module or (empty module) of the top level.
    bool configFlag(const QString& module, const QString& key) const;
    // The translated text of the key.
    static QString localized(const QString& key);
    // An OK/Cancel warning; true for OK.
    static bool confirmWarning(const QString& message);

    // ---- profiles: helpers and state ----
    bool isAddAPNWithSIM() const;
    // The profile in use (profile box entry - 1); empty when there is none.
    ns::Dictionary currentProfile() const;
    void reloadProfileLists();
    void reloadProfileListsAndTable();
    void postProfileListSelectionChange();
    void reloadAfterFileRewrite();
    // Puts the operator's profiles in place of the first replaced profiles,
    // stores their number and saves; false when nothing changed.
    bool installDefaultProfiles(const ns::Array& profiles, int replaced);
    QString createNewProvider() const;
    QString createDialNumber() const;
    bool isPdpTypeGroupEnabled() const;
    ns::Dictionary mmsSettings() const;

    ConfigService switches_{configStore()};
    DialServiceTransplant transplant_{configStore(), switches_};
    DialConfigFile dialConfigFile_{configStore()};
    ns::Dictionary mmsDialConfig_; // the temporary MMS profile while it is listed

    ns::Box* profileBox_ = nullptr;
    ns::TextField* connectStateTitle_ = nullptr;
    int connectStatus_ = Idle;
    bool is2GNetWork_ = false;
    bool apnCyleWhenRoamToNoRoam_ = false;
    bool registered_ = false; // the subscriptions are made once

    void registerSubscriberSelectors();
    std::unique_ptr<SoapClient> client_;
    ns::Array xmlNodeArray_;
    QString soapRequestImsi_; // the IMSI of the last request, whose number the reply is

    // Last, so the test threads have ended before the rest goes.
    speed_test::SpeedTestThreads speedTestThreads_;
};
