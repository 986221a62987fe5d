#pragma once

#include "app/config/ConfigManager.h"
#include "app/interfaces/CompoundCallControlling.h"
#include "app/interfaces/DialControlling.h"
#include "app/interfaces/PhonebookControlling.h"
#include "app/interfaces/SMSControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/interfaces/SmsServicing.h"
#include "app/interfaces/UpdateLinking.h"
#include "app/interfaces/WebLinkCiphering.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "device/InitController.h"
#include "jCommon/UIMsg.h"
#include "main/MainNib.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/Value.h"
#include "tests/support/AlertAnswering.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace ns
{
class Window;
}

namespace device_test
{

// The shipped settings of Trelvan's data folder, changed by the given entries
// (a dictionary value replaces the module).
ns::Dictionary shippedSettings(const ns::Dictionary& changes = ns::Dictionary());
// Settings without the skin's layout: the main window takes the configured toolbar.
ns::Dictionary plainSettings(const ns::Dictionary& changes = ns::Dictionary());

// Where the Apple Event sockets of a test lie: a runtime folder of its own,
// or the one a running HalvexControl has set.
enum class Runtime { Own, Current };

// The shipped scenario with the changes of whole sections or of keys
// ("SIM/State"), and a quick pace, written as scenario.plist into the folder;
// its path, or an empty string when it cannot be written.
QString writeScenario(const QString& folder, const std::vector<std::pair<QString, ns::Value>>& changes);

// A private Trelvan.app holding the shipped resources (skin, wording,
// images), a data folder with the given settings and the built Halvex as its
// device server. The English wording is loaded.
class DeviceBundle
{
public:
    explicit DeviceBundle(const ns::Dictionary& settings = shippedSettings(), Runtime runtime = Runtime::Own);
    ~DeviceBundle();
    DeviceBundle(const DeviceBundle&) = delete;
    DeviceBundle& operator=(const DeviceBundle&) = delete;

    QString appPath() const { return dir_.filePath(QStringLiteral("Trelvan.app")); }
    QString resourcePath() const { return appPath() + QStringLiteral("/Contents/Resources"); }
    QString dataFolder() const { return resourcePath() + QStringLiteral("/ModemList"); }
    ns::Dictionary settingsOnDisk() const;

private:
    QTemporaryDir dir_;
    std::optional<QByteArray> previousRuntime_;
};

// The main nib over a private bundle, as Trelvan builds it.
struct DeviceApp {
    explicit DeviceApp(const ns::Dictionary& settings = shippedSettings(), Runtime runtime = Runtime::Own);
    ~DeviceApp();

    DeviceBundle bundle;
    ConfigManager store;
    MainNib nib;
    MainController& main() { return nib.mainController(); }
};

// The main controller alone over a private bundle, without a skin manager or
// device server: the window in its configured (unskinned) form.
struct PlainApp {
    explicit PlainApp(const ns::Dictionary& settings = plainSettings());
    DeviceBundle bundle;
    ConfigManager store;
    MainController main;
};

// The notifications posted while it lives, each with the value under its
// own name (null for the life-cycle notifications), in order.
class Posted
{
public:
    explicit Posted(const QStringList& names)
    {
        for (const QString& name : names)
            observers_ << ns::NotificationCenter::defaultCenter().addObserverForName(
                name, nullptr, [this](const ns::Notification& notification) {
                    seen.emplace_back(notification.name(),
                                      notification.userInfo().value(notification.name()));
                });
    }
    ~Posted()
    {
        for (ns::Object* observer : observers_)
            ns::NotificationCenter::defaultCenter().removeObserver(observer);
    }
    QStringList names() const
    {
        QStringList result;
        for (const auto& [name, value] : seen)
            result << name;
        return result;
    }
    bool contains(const QString& name) const { return names().contains(name); }
    // Every value posted under the name, and the last one.
    QList<ns::Value> of(const QString& name) const
    {
        QList<ns::Value> found;
        for (const auto& [posted, value] : seen)
            if (posted == name)
                found.append(value);
        return found;
    }
    ns::Value last(const QString& name) const
    {
        for (auto it = seen.rbegin(); it != seen.rend(); ++it)
            if (it->first == name)
                return it->second;
        return ns::Value();
    }
    std::vector<std::pair<QString, ns::Value>> seen;

private:
    QList<ns::Object*> observers_;
};

// What the main window asks of the controllers that are not in this wing.
struct FakeDial : DialControlling {
    FakeDial() { g_DialController = this; }
    ~FakeDial() override { g_DialController = nullptr; }
    bool GetisDialNow() override { return dialling; }
    void SelectDisconnectAction() override {}
    int connectStatus() override { return status; }
    void applicationDidFinishLaunchingInDialController() override { ++launched; }
    void setIsHiddenConnectBtn(bool) override {}
    // The profile and connection requests, logged in order as "name(arguments)".
    void resetDefaultProfileWithImsiAll(const QString& imsi) override
    {
        log("resetDefaultProfileWithImsiAll", imsi);
    }
    void resetGlobalDefaultProfileWithImsi(const QString& imsi) override
    {
        log("resetGlobalDefaultProfileWithImsi", imsi);
    }
    void resetDefaultProfileWithMCCMNC(const QString& code) override
    {
        log("resetDefaultProfileWithMCCMNC", code);
    }
    void resetDefaultProfileWithMcc(const QString& mcc, const QString& mnc) override
    {
        log("resetDefaultProfileWithMcc", mcc + QLatin1Char(',') + mnc);
    }
    bool hadDoManualDisconnect() override { return manualDisconnect; }
    bool isDoingConnect() override { return false; }
    void setApnCycleEnable(bool enable) override { log("setApnCycleEnable", QString::number(enable)); }
    void setApnCyleWhenRoamToNoRoam(bool cycle) override
    {
        log("setApnCyleWhenRoamToNoRoam", QString::number(cycle));
    }
    void DialDisconnect() override { log("DialDisconnect", QString()); }
    void reconnect(bool again) override { log("reconnect", QString::number(again)); }
    void log(const char* name, const QString& arguments)
    {
        requests << QStringLiteral("%1(%2)").arg(QLatin1String(name), arguments);
    }
    // What the start-up shows on the connection page, logged in order.
    void setModemAndSimStateString(const QString& key) override { calls << "state " + key; }
    void setDeviceStatusStringRows(int rows) override { calls << QStringLiteral("rows %1").arg(rows); }
    void smartUITopFixedImage(const QString&, const QString&, const QString&, const QString& status) override
    {
        calls << "top " + status;
    }
    void setWCDMAConfigHidden(bool hidden) override { calls << QStringLiteral("wcdmaHidden %1").arg(hidden); }
    void setDialParams() override { calls << "setDialParams"; }
    void setPSDomainStatus(bool present) override { calls << QStringLiteral("ps %1").arg(present); }
    double getCurrentTotalData() override { return totalData; }
    QString getDefaultProfileAPN() override { return apn; }
    void setDiagMSISDNValue(const QString& number) override { calls << "msisdn " + number; }
    QString apn;
    // The MMS profile requests are not the device's.
    void addMMSConfig() override {}
    void removeMMSConfig() override {}
    void setDialConfig(int) override {}
    int IDMMSConfig() const override { return 0; }
    QString getAPNString() override { return QString(); }
    bool dialling = false;
    double totalData = 0; // bytes over the connection
    int status = Idle;
    int launched = 0;
    bool manualDisconnect = false;
    QStringList requests;
    QStringList calls;
};

struct FakeSettings : SettingControlling {
    FakeSettings() { g_SettingController = this; }
    ~FakeSettings() override { g_SettingController = nullptr; }
    bool sethasModuleWith(const QString& page) override { return pages.contains(page); }
    bool isManualSelecting() override { return selecting; }
    int getCurrentNetWorkPreferedMode() override { return preferedMode; }
    bool allowAutoConnect() override { return autoConnect; }
    bool allowAutoReconnect() override { return autoReconnect; }
    bool getOperatorSelectionForNetwork() override { return operatorSelection; }
    bool isPinPukOrNetSelectWinBeginSheet() override { return sheetOpen; }
    int getNetworkMode() override { return networkMode; }
    void setSettingBtnStatus(bool enabled) override
    {
        calls << QStringLiteral("settingButtons %1").arg(enabled);
    }
    void setCheckForUpdateDoveviEnable(bool) override {}
    void setSmartModel(const QString& model) override { smartModel = model; }
    void setRoamingStateAccordImsi(const QString&) override {}
    void setCDMASelectNetworkVisible(bool visible) override
    {
        calls << QStringLiteral("cdma %1").arg(visible);
    }
    void setWCDMASelectNetworkVisible(bool visible) override
    {
        calls << QStringLiteral("wcdma %1").arg(visible);
    }
    void setAutoConnectBtnEnable(bool enabled) override
    {
        calls << QStringLiteral("autoConnect %1").arg(enabled);
    }
    void sendSetRoamSwitch() override { calls << "sendSetRoamSwitch"; }
    void dealWithMsgOfCheckSearchmode(int search, int selected, int pref) override
    {
        calls << QStringLiteral("searchmode %1 %2 %3").arg(search).arg(selected).arg(pref);
    }
    void dealWithMsgOfCheckSearchmodeForIcera(int search, int selected) override
    {
        calls << QStringLiteral("searchmodeIcera %1 %2").arg(search).arg(selected);
    }
    void dealWithMsgOfCheckPreferenceMode(int mode) override
    {
        calls << QStringLiteral("preference %1").arg(mode);
    }
    void runAlertPanel(const QString& key) override { alerts << key; }
    void setPinTimeLeft(int count) override { pinTimeLeft = count; }
    void setPukTimeLeft(int count) override { pukTimeLeft = count; }
    void setPinActiveStatus(int state) override { pinActiveStatus = state; }
    void setDeviceUnlockCodeState(bool on) override { deviceUnlockCodeState = on; }
    bool getDeviceUnlockCodeState() const override { return deviceUnlockCodeState.value_or(false); }
    void dealWithMsgOfCheckDeviceUnLockResult(int result) override { unlockResults << result; }
    QString getPinStatus() override { return pinStatus; }
    QString getNetworkSelectionMode() override { return selectionMode; }
    QString getNetworkFindModeSelection() override { return findMode; }
    QString readMessageCenter() override { return messageCenter; }
    void AutoLaunchURL() override { calls << "AutoLaunchURL"; }
    QString pinStatus, selectionMode, findMode, messageCenter;
    QStringList calls;
    QStringList pages; // the settings pages the build lists
    bool selecting = false;
    QStringList alerts;
    int pinTimeLeft = -1;
    int pukTimeLeft = -1;
    int pinActiveStatus = -1;
    std::optional<bool> deviceUnlockCodeState;
    QList<int> unlockResults;
    int preferedMode = 0;
    int networkMode = 0;
    bool autoConnect = false;
    bool autoReconnect = false;
    bool operatorSelection = false;
    bool sheetOpen = false;
    QString smartModel;
};

struct FakePhonebook : PhonebookControlling {
    FakePhonebook() { g_PBController = this; }
    ~FakePhonebook() override { g_PBController = nullptr; }
    void loadPcPhoneListByImsi(const QString& fileName) override { loadedFile = fileName; }
    void selectAtPCSide() override { ++selected; }
    void popupAlertOk(const QString& key) override { alerts << key; }
    // Cuts by characters: the texts of the tests are one byte a character.
    QString deleteExtraContent(const QString& text, int maxLength) override { return text.left(maxLength); }
    QString getDiagnosticsContact() override { return contacts; }
    QString loadedFile;
    QStringList alerts;
    QString contacts;
    int selected = 0;
};

// The link to the update manager, present; each call noted as "name value".
struct FakeUpdateLink : UpdateLinking {
    FakeUpdateLink() { g_UpdateLink = this; }
    ~FakeUpdateLink() override { g_UpdateLink = nullptr; }
    bool isSupportUpdate() override { return true; }
    void dealWithFirmwareVersion(const QString& version) override { calls << "firmware " + version; }
    void dealWithInternalFirmwareVersion(const QString& version) override
    {
        calls << "internalFirmware " + version;
    }
    void dealWithDeviceType(const QString& model) override { calls << "deviceType " + model; }
    void dealWithMCCMNC(const QString& mccmnc) override { calls << "mccmnc " + mccmnc; }
    void dealWithDeviceReady() override { calls << QStringLiteral("deviceReady"); }
    bool isSendUpdateMessageWhenMCCMNC() override { return mccmncSent; }
    void setIsSendUpdateMessageWhenMCCMNC(bool sent) override { mccmncSent = sent; }
    void dealWithIMEI(const QString& imei) override { imeis << imei; }
    // The main window's and the settings pane's calls.
    void ApplicationFinishLaunchHook() override { calls << QStringLiteral("launchHook"); }
    void send_DeviceOut_Msg() override { calls << QStringLiteral("deviceOut"); }
    void setAutoUpdate(bool enable) override { calls << QStringLiteral("autoUpdate %1").arg(enable); }
    void setServiceAddress(const QString& address) override { calls << "serviceAddress " + address; }
    void setUpdateDuration(int days) override { calls << QStringLiteral("updateDuration %1").arg(days); }
    void send_Init_Msg() override { calls << QStringLiteral("init"); }
    void send_ManualUpdate_Msg() override { calls << QStringLiteral("manualUpdate"); }
    QStringList calls;
    QStringList imeis;
    bool mccmncSent = false;
};

struct FakeCall : CompoundCallControlling {
    FakeCall() { g_CompoundCallController = this; }
    ~FakeCall() override { g_CompoundCallController = nullptr; }
    int callStage() override { return stage; }
    int stage = 0;
};

struct FakeSMS : SMSControlling {
    FakeSMS() { g_SMSController = this; }
    ~FakeSMS() override { g_SMSController = nullptr; }
    void GotoInbox() override { calls << "GotoInbox"; }
    ns::Point centerTheNewSMSArriveWnd(const ns::Rect&) override { return {40, 60}; }
    void sendMessageto(const QString& number, const QString& text) override
    {
        calls << "sendMessageto " + number + " " + text;
    }
    void sendSmsTo(const QString& number, const QString& text, bool report, bool result, bool save) override
    {
        calls << QStringLiteral("sendSmsTo %1 %2 %3%4%5").arg(number, text).arg(report).arg(result).arg(save);
    }
    bool hasNewSMSInPos(int position) override { return newInPosition.contains(position); }
    void startAnimationWhenMaximizeWithNewSms() override { calls << "startAnimation"; }
    void doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime() override { calls << "overdue"; }
    void setSendSMSBtnStatWhenSendUserInfo(bool enabled) override
    {
        calls << QStringLiteral("sendButton %1").arg(enabled);
    }
    QString getDiagnosticsSMS() override { return messages; }
    int getNetCardStatus() override { return cardStatus; }
    void cleanTextControlShowCertainNewSmsContent() override { calls << "cleanPreview"; }
    QStringList calls;
    QList<int> newInPosition;
    QString messages;
    int cardStatus = 0;
};

struct FakeSmsService : SmsServicing {
    FakeSmsService() { g_SmsService = this; }
    ~FakeSmsService() override { g_SmsService = nullptr; }
    bool sendingSMSInBackGround() override { return sendingInBackground; }
    void setSendingSmsSMSInBackGroud(bool sending) override { sendingInBackground = sending; }
    void setUnshowInfoWndWhenSendSmsByFlag(bool flag) override { unshowInfoWnd = flag; }
    void setBAlreadySendedCheckUsageSMS(bool sent) override { checkUsageSent = sent; }
    int typeOfNewSms() override { return newType; }
    bool checkPosIsContainTypeSMS(int position, int type) override
    {
        return unreadTypes.contains({position, type});
    }
    int getFlowValueInfoFromFile() override { return 2; }
    bool isOverDueFlowValueSms() override { return false; }
    ns::Array getPCBoxListWithBox(int) override { return ns::Array(); }
    void getUnreadSMSInPos(int, const ns::Array&) override {}
    ns::Dictionary processListOfRecharge() override { return recharge; }
    bool sendingInBackground = false;
    std::optional<bool> unshowInfoWnd;
    bool checkUsageSent = false;
    int newType = kNormalSmsType;
    QList<QPair<int, int>> unreadTypes;
    ns::Dictionary recharge;
};

// A cipher that shows what it was given.
struct FakeCipher : WebLinkCiphering {
    FakeCipher() { g_WebLinkCipher = this; }
    ~FakeCipher() override { g_WebLinkCipher = nullptr; }
    QString EncryptServicesMain(const QString& text) override { return "fixed(" + text + ")"; }
    QString encode(const QString& text) override { return "key(" + text + ")"; }
};

// Takes the desktop's openings of web pages and files instead of the desktop.
class OpenedLinks : public QObject
{
    Q_OBJECT
public:
    OpenedLinks();
    ~OpenedLinks() override;
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

using appkit_test::AlertAnswerer;
using appkit_test::AlertSeen;
using appkit_test::answerNextAlert;

// Records the names of the notifications posted while it lives, in order.
class PostedNames
{
public:
    explicit PostedNames(const QStringList& names, std::function<void(const QString&)> onPost = {});
    ~PostedNames();
    QStringList names;

private:
    QList<ns::Object*> observers_;
};

// The controller alone over settings of its own, with a message center that
// is handed records directly, and the dial and settings controllers faked.
struct InitApp {
    explicit InitApp(const ns::Dictionary& settings = plainSettings()) : bundle(settings)
    {
        init.jovMsgCenter = &center;
        init.awakeFromNib();
    }
    void deliver(const _UI_MSG& msg)
    {
        center.msgDispatch(QByteArray(reinterpret_cast<const char*>(&msg), sizeof msg));
    }

    DeviceBundle bundle;
    ConfigManager store;
    JOVMsgCenter center;
    FakeDial dial;
    FakeSettings settings;
    InitController init{store};
};

} // namespace device_test
