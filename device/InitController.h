#pragma once

#include "app/interfaces/InitControlling.h"
#include "app/ui/controller/JOVUIController.h"
#include "device/PinNumStore.h"
#include "jCommon/UIMsg.h"
#include "platform/ns/appkit/TextField.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

struct RegisteredNetworkRecord;

namespace ns
{
class Button;
class ImageView;
class Matrix;
class MenuItem;
class SecureTextField;
class TabView;
class TextField;
class Timer;
class View;
class Window;
} // namespace ns

// Follows the modem from the moment the device server reports it until the
// SIM is ready: it subscribes to the server's start-up reports, keeps the
// device's state, shows it in the main window's status area and tells the
// other features through the life-cycle and init_* notifications. Exactly
// one exists, published in g_InitController.
//
// Spread over InitController.cpp (life, registration, shared helpers),
// InitControllerStatus.cpp (the status area and the init_* notifications),
// InitControllerStartup.cpp (the start-up reports and the service domain),
// InitControllerAlias.cpp (the skin, the nib, removal and operator
// behaviours), InitControllerSimUpdate.cpp (the SIM update notice),
// InitControllerSignal/Network/Operator/Identity.cpp (the network, operator
// and identity reports), InitControllerLocks.cpp (PIN, PUK, SIM and device
// locks), the sheets of InitControllerPinSheets.cpp and
// InitControllerUnlockSheets.cpp, and the diagnostics window of
// InitControllerDiagWindow.cpp (as built) and InitControllerDiagnostics.cpp
// (its values, text file, logs and report SMS).
class InitController : public JOVUIController, public InitControlling, public ns::TextFieldDelegate
{
public:
    explicit InitController(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~InitController() override;

    // Outlet set by whoever builds the controller: the main window's status
    // area, into which the status views are built.
    ns::View* viewStatus = nullptr;

    void awakeFromNib() override;

    // ---- status area and init_* notifications (InitControllerStatus.cpp) ----

    // Each setter redraws its item and posts its init_* notification with
    // object nil and the user information {its own name: value}.
    void setSignalStrength(int level);
    void setIndiaZuderaSignal(int level);
    // The modem is there and starting (YES) or not found.
    void setModemStatus(bool present);
    // The SIM is ready or not: the SIM image, m_SimPinState and the run-time
    // "runtimeSIMCardReady".
    void setSimStatus(bool ready);
    void setImageForSimCardRead();
    void setNetworkStatus(const QString& text);
    void setDomainName(const QString& text);
    void setBelonetoSPN(const QString& text);
    void setLocalSPN(const QString& text, bool withReFreshFlag);
    void setNetworkStatusWhenDomainModeChange(int mode);
    void updateLanguageForSimState();
    // The signal families of the Qualcomm platforms, from the received record.
    void displayQualcomWCDMASignal(const _UI_MSG& msg);
    void displayQualcomCDMASignal(const _UI_MSG& msg);
    void display1XSignal(int value);
    void displayEvdoSignal(int value);
    void displayNetworkStatus(int oneX, int evdo);
    // Publishes the measurement ("ReadRscpRssiEcnoInfo") and keeps it as text.
    void setRssiSignalWithRSCP(int rscp, int rssi, int ecno);
    // Every status item back to its start value, each notification posted once.
    void initNibNetworkStatus();
    // The operator name of the Rodidiz variant; false when it does not apply.
    bool progressSPNDomainForRodidiz(bool flag);
    // Posts the notification with the value under its own name.
    void sendNotification(const QString& name, const ns::Value& value);
    // The roaming state (0 roaming, 1 home, 2 no information): the roaming
    // mark, the transfer mode and "init_RoamStatus".
    void setRoamInfoWithNetworkRoamStatus(int status);
    void setRoamTransferModeWithPreStatus(int previous, int status);
    // The operator variant's roaming and home-network images for the state.
    void setRoamStatusForZudera(int status);
    // Sends the PIN to the device for keeping (4/17) when one is known.
    void savePinToModem();

    QString networkName() const { return networkName_; }
    QString rscp() const { return rscp_; }
    QString rssi() const { return rssi_; }
    QString ecno() const { return ecno_; }
    int simPinState() const { return m_SimPinState; }
    bool manuuallyInputPinFlag() const { return manuuallyInputPinFlag_; }
    void setManuuallyInputPinFlag(bool flag) { manuuallyInputPinFlag_ = flag; }

    // Status outlets (built by buildStatusArea, owned by the status area).
    ns::ImageView* m_rssiStatus = nullptr;
    ns::TextField* m_rssiStatusLabel = nullptr;
    ns::ImageView* m_evdoStatus = nullptr;
    ns::TextField* m_evdoStatusLabel = nullptr;
    ns::ImageView* m_netStatus = nullptr;
    ns::ImageView* m_simStatus = nullptr;
    ns::TextField* labelSimStatus_ = nullptr;
    ns::TextField* SIMTypeDisplayFld_ = nullptr;
    // The own number in the main view, in the operators' windows that have
    // them: its title, the bare number and the number in its sentence.
    ns::TextField* tfdOwnNumTitle_ = nullptr;
    ns::TextField* tfdOwnNumContent_ = nullptr;
    ns::TextField* tfdOwnNumUI_ = nullptr;
    ns::TextField* m_network = nullptr;
    ns::TextField* m_domain = nullptr;
    ns::TextField* m_NameOfLocalSPN = nullptr;
    ns::TextField* m_NameOfBelonetoSPN = nullptr;
    ns::TextField* m_roamStatus = nullptr;
    ns::ImageView* imageViewOfSignalStrengthForZudera_ = nullptr;
    ns::ImageView* imageViewOfRoamingStatusForZudera_ = nullptr;
    ns::ImageView* imageViewOfHomeNetWorkForZudera_ = nullptr;
    ns::View* viewNetWorkStatus_ = nullptr;

    // ---- start-up reports, on/off-line and the service domain (InitControllerStartup.cpp) ----

    // Takes the modem on-line or off-line (the server's start and stop of work).
    void setDeviceOnline();
    void setDeviceOffline();

    int networkMode() const { return networkMode_; }
    void setNetworkMode(int mode) { networkMode_ = mode; }
    bool hasCSDomain() const { return (networkMode_ & 1) != 0; }
    bool hasPSDomain() const;
    // Whether an automatic connection may go ahead as far as the packet domain goes.
    bool checkToReturnPSDomain() const override;
    int roamTransferMode() const override { return roamTransferMode_; }
    void setRoamTransferMode(int mode) { roamTransferMode_ = mode; }
    int networkRoamStatus() const override { return networkRoamStatus_; }
    void setNetworkRoamStatus(int status) { networkRoamStatus_ = status; }
    QString mccmnc() const { return mccmnc_; }
    void setMccmnc(const QString& mccmnc) { mccmnc_ = mccmnc; }
    bool hadDoPinAutoValidation() const { return hadDoPinAutoValidation_; }
    void setHadDoPinAutoValidation(bool done) { hadDoPinAutoValidation_ = done; }
    QString pinNum() const { return pinNum_; }
    void setPinNum(const QString& pin) { pinNum_ = pin; }
    int deviceMode() const { return m_deviceMode; }
    int iRoamDefaultValue() const { return iRoamDefaultValue_; }
    int nRoamDefaultValue() const { return nRoamDefaultValue_; }
    bool dialFunctionEnabledFlag() const { return dialFunctionEnabledFlag_; }
    void setDialFunctionEnabledFlag(bool enabled) { dialFunctionEnabledFlag_ = enabled; }
    bool getSmartUITopFrontSizeFlag() const override { return smartUITopFrontSizeFlag_; }
    void setSmartUITopFrontSizeFlag(bool flag) override { smartUITopFrontSizeFlag_ = flag; }

    // The service domains (two bits) and the network type text.
    void setNetworkDomain(int mode, const QString& networkName);
    // Tells the settings and dial controllers whether the packet domain is there.
    void informOtherModulePSDomain(int mode);
    // Ends the main window's sheet and quits.
    void closeApplication();

    // Handlers of the device server's reports.
    void dealWithMsgOfHandShake(ns::Notification* notification);
    void dealWithMsgOfPowerCheck(ns::Notification* notification);
    void dealWithMsgOfWorkModeCheck(ns::Notification* notification);
    void dealWithMsgOfStartWork(ns::Notification* notification);
    void dealWithMsgOfStopWork(ns::Notification* notification);
    void dealWithMsgOfGetDeviceMode(ns::Notification* notification);
    void dealWithMsgOfPinStatus(ns::Notification* notification);
    void dealWithMsgOfPinAutoValidation(ns::Notification* notification);
    void dealWithMsgOfReadPin(ns::Notification* notification);
    void dealWithMsgOfCheckSIMStatus(ns::Notification* notification);
    void dealWithMsgOfCheckUSIMStatus(ns::Notification* notification);
    void dealWithMsgOfCheckDeviceStatus(ns::Notification* notification);
    void dealWithMsgOfCheckDeviceNotAttached(ns::Notification* notification);
    void dealWithMsgOfReadRoamSwitch(ns::Notification* notification);

    // The PIN-saving check boxes of the PIN sheet.
    ns::Button* btnPINAutoValidation_ = nullptr;
    ns::Button* btnSavePinNum_ = nullptr;
    // The roaming switches of the settings page.
    ns::Button* btnIroamSwitch_ = nullptr;
    ns::Button* btnNroamSwitch_ = nullptr;

    // ---- set-up, removal and operator behaviours (InitControllerAlias.cpp) ----

    // Start values of the operator behaviours (from the constructor).
    void specialInit();
    void specialDeviceRemoved();
    // Life-cycle "DeviceRemoved": the device's state and every display back
    // to the start, each init_* notification posted again.
    void deviceRemoved(ns::Notification* notification);
    void initWithCDMA();
    // The registered network is one of the configured white-listed ones.
    bool isInWhiteList() const override;
    void whiteListCheck();
    void clickOKBtnInR3aPopUp1(ns::Object* sender);
    void clickCheckboxInR3aPopUp1(ns::Object* sender);
    void showRoamAlertWindow(int state);
    void closeRoamAlertWnd(ns::Object* sender);
    void disconectNetIfConfig();
    int closeRoamAtDomesticRoaming(int state, const char* checkLocalMCCAndNetMCC, const char* netMCC);
    void setInactivatedUSIMForDoveviWithStatus(int status);
    bool checkSearchRegistStatus();
    void dealWithMsgOfCheckSearchMode(ns::Notification* notification);
    void dealWithMsgOfCheckPreferenceMode(ns::Notification* notification);
    void dealWithMsgOfCheckHPLMN(ns::Notification* notification);

    bool whiteListCheckFlag() const { return whiteListCheckFlag_; }
    void setWhiteListCheckFlag(bool flag) { whiteListCheckFlag_ = flag; }
    bool roamTipWhenInWhiteList() const override { return roamTipWhenInWhiteList_; }
    void setRoamTipWhenInWhiteList(bool flag) { roamTipWhenInWhiteList_ = flag; }
    bool apnCyleWhenRoamToNoRoam() const { return apnCyleWhenRoamToNoRoam_; }
    void setApnCyleWhenRoamToNoRoam(bool flag) { apnCyleWhenRoamToNoRoam_ = flag; }
    bool firstTimeDealWithRudaWhenNetWorkChanged() const { return firstTimeDealWithRudaWhenNetWorkChanged_; }
    void setFirstTimeDealWithRudaWhenNetWorkChanged(bool flag)
    {
        firstTimeDealWithRudaWhenNetWorkChanged_ = flag;
    }
    bool firstTimeDealWithJpasWhenNetWorkChanged() const { return firstTimeDealWithJpasWhenNetWorkChanged_; }
    void setFirstTimeDealWithJpasWhenNetWorkChanged(bool flag)
    {
        firstTimeDealWithJpasWhenNetWorkChanged_ = flag;
    }
    bool allowAlertSel3GPreferWhenSignalToNoSignal() const
    {
        return allowAlertSel3GPreferWhenSignalToNoSignal_;
    }
    void setAllowAlertSel3GPreferWhenSignalToNoSignal(bool flag)
    {
        allowAlertSel3GPreferWhenSignalToNoSignal_ = flag;
    }
    bool hasAlertRoam() const { return hasAlertRoam_; }
    void setHasAlertRoam(bool flag) { hasAlertRoam_ = flag; }
    int registeredNetworkRoamStatus() const { return registeredNetworkRoamStatus_; }
    void setRegisteredNetworkRoamStatus(int status) { registeredNetworkRoamStatus_ = status; }
    int currentHMcc() const { return currentHMcc_; }
    void setCurrentHMcc(int mcc) { currentHMcc_ = mcc; }
    bool alreadyGetSimIMSIFlag() const { return alreadyGetSimIMSIFlag_; }
    void setAlreadyGetSimIMSIFlag(bool flag) { alreadyGetSimIMSIFlag_ = flag; }
    QString iccid() const { return iccid_; }
    void setIccid(const QString& iccid) { iccid_ = iccid; }
    // Set while the device report message is on its way, so that the send
    // result speaks of the report only.
    bool reportSendFlag() const { return reportSendFlag_; }
    void setReportSendFlag(bool flag) { reportSendFlag_ = flag; }

    // Operator windows, built with the status area.
    ns::Window* winR3aWhiteCheck() const { return winR3aWhiteCheck_.get(); }
    ns::Window* roamAlertWnd() const { return roamAlertWnd_.get(); }
    ns::TextField* tfdR3aRoamInWhiteList_ = nullptr;
    ns::TextField* tfdR3aRemindNextConnect_ = nullptr;
    ns::Button* btnR3aWhiteCheck_ = nullptr;
    ns::Button* checkboxR3aWhiteCheck_ = nullptr;
    ns::TextField* roamwarnningText = nullptr;

    // ---- SIM update notice (InitControllerSimUpdate.cpp) ----

    void dealWithMsgOfCheckSmsPPDownload(ns::Notification* notification);
    void popUpSimcardUpdateWnd();
    void selectPCPhonebook();
    void setSimcardUpdateEndWording();
    void closeSimcardUpdateWnd();
    ns::Window* wndSimCardUpdate() const { return wndSimCardUpdate_.get(); }
    ns::TextField* labelSimCardUpdate_ = nullptr;

    // ---- PIN, PUK and unlock codes, SIM and device locks (InitControllerLocks.cpp,
    // InitControllerPinSheets.cpp, InitControllerUnlockSheets.cpp) ----

    // The features that may ask for the device lock's code.
    enum DeviceLockFunctionModule {
        kLockInternet = 0,
        kLockSMS = 1,
        kLockPhonebook = 2,
        kLockUSSD = 3,
        kLockCalls = 4,
        kLockSimToolkit = 5,
        kLockSettings = 6,
    };

    void dealWithMsgOfCountPinPukRemain(ns::Notification* notification);
    void dealWithMsgOfCheckoutPin(ns::Notification* notification);
    void dealWithMsgOfCheckoutPuk(ns::Notification* notification);
    void dealWithMsgOfCheckPinActiveStatus(ns::Notification* notification);
    void dealWithMsgOfCheckLockStatus(ns::Notification* notification);
    void dealWithMsgOfCheckLockStatusIcera(ns::Notification* notification);
    void dealWithMsgOfCheckJnckStatus(ns::Notification* notification);
    void dealWithMsgOfCheckiLockNumStatusIcera(ns::Notification* notification);
    void dealWithMsgOfCheckIMEIInfo(ns::Notification* notification);
    void dealWithMsgOfCheckIMEIInfoIcera(ns::Notification* notification);
    void dealWithMsgOfCheckUnlockCodeStatus(ns::Notification* notification);
    void dealWithMsgOfCheckUnlockCodeStatusIcera(ns::Notification* notification);
    void dealWithMsgOfCheckHardwareLockStatus(ns::Notification* notification);
    void dealWithMsgOfUIFWLock(ns::Notification* notification);
    void dealWithMsgOfCheckDeviceLockStatus(ns::Notification* notification);
    void dealWithMsgOfCheckDeviceUnLockResult(ns::Notification* notification);

    // The PIN and PUK sheets, on the top-most sheet of the main window.
    void openPinWindow();
    void openPukWindow();
    // Their buttons: a null sender stands for the program (automatic entry,
    // the re-alert sheet).
    void closePinWindow(ns::Object* sender);
    void cancelPinWindow(ns::Object* sender);
    void closePukWindow(ns::Object* sender);
    void cancelPukWindow(ns::Object* sender);
    void clickYESOfReAlertPinWindow(ns::Object* sender);
    void clickNOOfReAlertPinWindow(ns::Object* sender);
    // The save-PIN check boxes and the removal of the saved PIN.
    void savePinNum(ns::Object* sender);
    void enableSavePinNum(ns::Object* sender);
    void removeAutoCheckPinByICCID(ns::Object* sender);
    // The first failing message key of the PIN and PUK form, or an empty
    // string; a null argument is not checked.
    static QString checkPinPukAlertMsg(const QString& puk, const QString& pin, const QString& newPin);

    // The SIM-lock unlock sheets: 16 characters (first family), 8 (second).
    void openUnlockWindow();
    void openIceraUnlockWindow();
    void closeUnlockWindow(ns::Object* sender);
    void cancelUnlockWindow(ns::Object* sender);
    void waitUnlocked(ns::Object* sender);
    void cancelUnlocked(ns::Object* sender);

    // The device lock: a feature sets its number, then opens the sheet on
    // its window; the outcome comes back as "DeviceUnlockSuccess" or
    // "DeviceUnlockFailed", exactly once for each time it asked.
    void setDeviceLockFunctionModule(int module) override { deviceLockFunctionModule_ = module; }
    int getDeviceLockFunctionModule() const override { return deviceLockFunctionModule_; }
    void openUnlockDeviceWindow(ns::Window* window) override;
    void unlockDeviceOK(ns::Object* sender);
    void unlockDeviceCancel(ns::Object* sender);

    // Typing limits of the code fields.
    void controlTextDidChange(const ns::Notification& notification) override;

    // The sheets and their controls, built when the nib loads.
    // The menu items of PIN entry and PIN unlock, disabled while their sheet is open.
    ns::MenuItem* labelPINEnter_ = nullptr;
    ns::MenuItem* labelPINUnlock_ = nullptr;
    ns::Window* m_InitPinWindow = nullptr;
    ns::SecureTextField* m_PinCode = nullptr;
    ns::TextField* m_PinTimeLeft = nullptr;
    ns::Button* btnPinNumSavedInConfigFile_ = nullptr;
    ns::Button* btnPinOK_ = nullptr;
    ns::Button* btnPinCancel_ = nullptr;
    ns::Window* m_InitPukWindow = nullptr;
    ns::SecureTextField* m_PukCode = nullptr;
    ns::SecureTextField* m_NewPinCode = nullptr;
    ns::SecureTextField* m_RepNewPinCode = nullptr;
    ns::TextField* m_PukTimeLeft = nullptr;
    ns::Button* btnPukOK_ = nullptr;
    ns::Button* btnPukCancel_ = nullptr;
    ns::Window* wndReAlertToCancelPinInput_ = nullptr;
    ns::TextField* tfdLockTip_ = nullptr;
    ns::Window* m_UnlockWin = nullptr;
    ns::TextField* m_UnlockCode = nullptr;
    ns::TextField* m_IMEIString = nullptr;
    ns::TextField* m_UnlockLeftTime = nullptr;
    ns::Button* btnUnlockOK_ = nullptr;
    ns::Button* btnUnlockCancel_ = nullptr;
    ns::Window* mainUnlockWindow = nullptr;
    ns::TextField* IMEIString = nullptr;
    ns::TextField* unlockedString = nullptr;
    ns::TextField* clckTimes = nullptr;
    ns::Button* unlockOKBtn = nullptr;
    ns::Button* cancelUnlockBtn = nullptr;
    ns::Window* wndUnlockDevice_ = nullptr;
    ns::TextField* tfdUnlockDeviceCode_ = nullptr;
    ns::TextField* labelUnlockDeviceCount_ = nullptr;
    ns::Button* btnUnlockDeviceOK_ = nullptr;
    ns::Button* btnUnlockDeviceCancel_ = nullptr;
    // The window that says the device refuses the SIM, run modally when the
    // configuration asks for it instead of the alert; its button closes it.
    ns::Window* alertSIMWin_ = nullptr;
    ns::Button* btnCloseAlertSIMwin_ = nullptr;
    void closeAlerSIMWnd();

    // ---- network, operator and identity (InitControllerSignal.cpp, InitControllerNetwork.cpp,
    //      InitControllerOperator.cpp, InitControllerIdentity.cpp) ----
    // Signal reports, and the one-shot warning when the signal falls to nothing.
    void dealWithMsgOfCheckSignalStatus(ns::Notification* notification);
    void dealWithMsgOfCheckJrssiSignalStatus(ns::Notification* notification);
    void dealWithMsgOfCheckSignalStatusIcera(ns::Notification* notification);
    void dealWithMsgOfCheckCDMASignalStatus(const _UI_MSG& record);
    void startTimerOfAlertSelect3GPreferIfNoSignalWithSeconds(double seconds);
    void alertSelect3GPreferIfNoSignal();
    int signalStrength() const { return m_SignalStrength; }
    bool isNoSignalAlertPending() const;

    // Registration, network type, roaming and cell.
    void dealWithMsgOfCheckNetInfo(ns::Notification* notification);
    void dealWithMsgOfCheckNetInfoForIcera(ns::Notification* notification);
    void dealWithMsgOfCheckRoamInfo(ns::Notification* notification);
    void dealWithMsgOfCheckJairInfoStatus(ns::Notification* notification);
    void dealWithFirstJpasWhenNetWorkChanged();
    void sendActiveSimcardSMS(int mode);
    void compareAccessTechnology(const QString& previous, const QString& current);
    void doWhenNetWorkChanged();
    bool isNetWorkChangedWithPreMCCMNC(const QString& previous) const;
    void dealWithFirstRudaWhenNetWorkChangedWithPreMccMnc(const QString& previous);
    void checkIsNationnalRoam(const QString& mccmnc);
    void checkLocalMCCAndNetMCC(const QString& localMcc, const QString& netMcc);
    QString getCurrentAccessTechnology() const { return currentAccessTechnology_; }
    void setCurrentAccessTechnology(const QString& technology) { currentAccessTechnology_ = technology; }
    QString cellIdentity() const { return cellIdentity_; }
    QString locationAreaCode() const { return locationAreaCode_; }

    // The registered network, the SIM's operator files and the names shown.
    void dealWithMsgOfCheckPLMN(ns::Notification* notification);
    void dealWithMsgOfCheckSPN(ns::Notification* notification);
    void dealWithMsgOfCheckSPDI(ns::Notification* notification);
    void dealWithMsgOfCheckICCID(ns::Notification* notification);
    void showSpn();
    void postSetProviderAndDomainStatusForGeneral(const RegisteredNetworkRecord& network);
    void progressSPNDomainForGeneral(const QString& name);
    void getIccidNumAfterMatchApnAccordImsi();
    void checkAPNMatchWithMCCMNC(const QString& mccmnc);
    QString spn() const { return m_SPN; }

    // The SIM's IMSI and what follows from it.
    void dealWithMsgOfCheckCIMI(ns::Notification* notification);
    void matchApnAccordImsi(const QString& imsi);
    void matchApnAccordMCC(const QString& mcc, const QString& mnc);
    QString readSimImsiCode() const;
    void saveSimImsiCode(const QString& imsi);
    void matchUssdCodeAccordImsi(const QString& imsi);
    void checkIMSIForVADO();
    void checkIfNeedSendActiveSMS(const QString& imsi);
    void getPhoneNumberByIMSI();
    void SetPCDataPathWithIMSI(const QString& imsi);
    QString imsi() const { return m_IMSI; }

    // The device's identity.
    void dealWithMsgOfCheckFWVERSION(ns::Notification* notification);
    void dealWithMsgOfCheckFWINTERNALVERSION(ns::Notification* notification);
    void dealWithMsgOfCheckPhoneNumber(ns::Notification* notification);
    void dealWithMsgOfCheckHWVERSION(ns::Notification* notification);
    void dealWithMsgOfCheckModemModel(ns::Notification* notification);
    void dealWithMsgOfCheckSerialNumber(ns::Notification* notification);
    void dealWithMsgOfCheckMCCMNC(ns::Notification* notification);
    QString getFWVersionWithCGMR() const { return m_FWVersion; }
    QString getInternalFWVersionWithJVN() const { return m_InternalFWVersion; }
    QString hardwareVersion() const { return m_HWVersion; }
    QString deviceModel() const { return m_Devicemodel; }
    QString serialNumber() const { return m_SerialNumber; }
    QString getPhoneNum();
    QString getDriverVersion() const;

    // ---- diagnostics window and report SMS (InitControllerDiagWindow.cpp,
    //      InitControllerDiagnostics.cpp) ----
    // The menu's "Diagnostics": the window to the front, filled afresh.
    void showDiagInfo(ns::Object* sender);
    void refreshDiagWindow(ns::Object* sender);
    void closeDiagWindow(ns::Object* sender);
    // "prepareDiagInfo": fills the window, then posts "diagInfo" with its values.
    void prepareToShowDiagWindow(ns::Notification* notification);
    // Writes "DiagInfo.txt" and opens it in the desktop's text editor.
    void OpenDiagInfoInTextEdit(ns::Object* sender);
    // The menu's "Logs": opens the modem logs kept in the log writer's folder.
    void showLogs(ns::Object* sender);
    void openAboutURL(ns::Object* sender);
    // Segments 0 to 3 show the pages "Device", "MacOS", "SIM" and "Network".
    void clickDiagSegmentedTable(ns::Object* sender);
    void openRssiLacCiWindow(ns::Object* sender);
    void closeRssiLacCiWindow(ns::Object* sender);
    // Sends the report SMS to the settings' "SendReportTo".
    void sendReport(ns::Object* sender);
    void showDiagnosticInfo();
    // The IMSI line: asks the device afresh (ask) or shows the IMSI kept,
    // as the configuration Setting/"CheckIMSIForDiag" says.
    void refreshDiagIMSI(bool ask);
    void checkIMSI();
    void setIMEINumInDiagWindow();
    void clearDiagWindow();
    // The captions and button titles in the current language.
    void initDiagWindow();
    void initRssiLacCiWindow();
    void showNetworkNameInDiagnostic();
    void displaySPNNameAtDiagWindow();
    // The values of the last fill, by the keys of the "diagInfo" notification.
    ns::Dictionary dicDiagWindowInfo() const { return dicDiagWindowInfo_; }
    // The caption ("Label_Diag_" and the name) and value ("Diag_" and the
    // name) fields of a line of the window; null for a name it has not.
    ns::TextField* diagCaptionField(const QString& name) const;
    ns::TextField* diagValueField(const QString& name) const;

    ns::Window* m_DiagWindow = nullptr;
    ns::Button* m_DiagWindowOKBtn = nullptr;
    ns::Button* m_DiagWindowRefreshBtn = nullptr;
    ns::Button* m_OpenDiagInfoWithTEBtn = nullptr;
    ns::Matrix* diagSegmentedTable_ = nullptr;
    ns::TabView* diagTableItemView_ = nullptr;
    // The IMEI under the pages, kept when a cancelled unlock takes the device away.
    ns::TextField* textImeiInDiagnostics_ = nullptr;
    ns::TextField* tfdDiagRSCP_ = nullptr;
    ns::TextField* tfdDiagRSSI_ = nullptr;
    ns::TextField* tfdDiagECNO_ = nullptr;
    ns::TextField* labelSmsCenter_ = nullptr;
    ns::TextField* lalbelTechnologyTitle_ = nullptr;
    ns::TextField* lalbelTechnology_ = nullptr;
    ns::TextField* tfdDiagRAC_ = nullptr;
    ns::TextField* tfdDiagRXqual_ = nullptr;
    ns::TextField* tfdDiagRXlev_ = nullptr;
    ns::TextField* tfdDiagFrequency_ = nullptr;
    ns::TextField* tfdDiagChannel_ = nullptr;
    ns::TextField* labelDiagIccid = nullptr;
    ns::TextField* tfdDiagIccid = nullptr;
    // The subscriber number a plug-in learned, by way of the dial controller.
    ns::TextField* tfdDiagMSISDN_ = nullptr;
    ns::Button* btnSendReport_ = nullptr;
    // The cell window: RSSI, location area and cell identity.
    ns::Window* windowRssiLacCi_ = nullptr;
    ns::Button* btnOpenRssiLacCiWindow_ = nullptr;
    ns::Button* btnRssiLacCiWindowOK_ = nullptr;
    ns::TextField* labelRssiLacCiWindowRssiValue_ = nullptr;
    ns::TextField* labelRssiLacCiWindowLacValue_ = nullptr;
    ns::TextField* labelRssiLacCiWindowCiValue_ = nullptr;

protected:
    void initializeSkin() override;
    void initializeNibResources() override;
    void registerMessages() override;
    void updateLanguages(ns::Notification* notification) override;

private:
    // The record of a message notification; false when there is none.
    bool readRecord(ns::Notification* notification, _UI_MSG* msg) const;
    // The display text of a text key of the wording.
    static QString localized(const QString& key);
    // The alert "Warning" with the text of the key and "OK".
    static void showWarning(const QString& key);
    // A configuration switch: module and key, or a top-level key (empty module).
    bool configFlag(const QString& module, const QString& key) const;
    // Writes one top-level configuration value and the settings file.
    void writeConfig(const QString& key, const ns::Value& value);
    // Builds the status views, the operator windows and the SIM update sheet once.
    void loadNib();
    void buildStatusArea();
    // Places the shown status views from left to right.
    void layOutStatusArea();
    void buildOperatorWindows();
    void buildSimCardUpdateWindow();

    int platform_ = 0;

    // ---- status area state ----
    QString networkName_;
    int m_SignalStrength = 0;
    QString rscp_, rssi_, ecno_;
    int m_SimPinState = 0;
    bool manuuallyInputPinFlag_ = false;
    QString m_SPN; // the SIM's operator name

    // ---- start-up state ----
    int m_deviceMode = 1;
    int networkMode_ = 0;
    int roamTransferMode_ = 2;
    int networkRoamStatus_ = 2;
    QString mccmnc_;
    bool hadDoPinAutoValidation_ = false;
    bool dialFunctionEnabledFlag_ = true;
    int iRoamDefaultValue_ = 0;
    int nRoamDefaultValue_ = 0;
    QString pinNum_;
    bool smartUITopFrontSizeFlag_ = false;
    bool alreadyGetSimIMSIFlag_ = false;
    QString iccid_;

    // ---- operator behaviours ----
    bool whiteListCheckFlag_ = false;
    bool roamTipWhenInWhiteList_ = false;
    bool apnCyleWhenRoamToNoRoam_ = false;
    bool firstTimeDealWithRudaWhenNetWorkChanged_ = false;
    bool firstTimeDealWithJpasWhenNetWorkChanged_ = false;
    bool allowAlertSel3GPreferWhenSignalToNoSignal_ = false;
    bool manualRegistFlag_ = false;
    bool hasAlertRoam_ = false;
    int registeredNetworkRoamStatus_ = 2;
    int currentHMcc_ = 0;
    bool reportSendFlag_ = false;
    std::unique_ptr<ns::View> detachedStatusArea_; // the status area when no main window holds it
    std::unique_ptr<ns::Window> winR3aWhiteCheck_;
    std::unique_ptr<ns::Window> roamAlertWnd_;
    ns::Button* btnCloseRoamAlert_ = nullptr;

    // ---- network, operator and identity state ----
    std::shared_ptr<ns::Timer> timerAlertSelect3GPrefer_;
    QString currentAccessTechnology_;
    QString cellIdentity_;
    QString locationAreaCode_;
    QString diagRAC_, diagRXqual_, diagRXlev_, diagFrequency_, diagChannel_;
    int m_DisplayCondForSpn = 0;
    QString MCCMNCForAPNMatch;
    bool MCCMNCForAPNMatchRead_ = false;
    QString m_IMSI;
    QString m_FWVersion, m_InternalFWVersion, m_HWVersion, m_Devicemodel, m_SerialNumber;

    // ---- SIM update notice ----
    std::unique_ptr<ns::Window> wndSimCardUpdate_;

    // ---- diagnostics window and report SMS ----
    // A caption field and a value field the window shows, with its wording key.
    struct DiagRow {
        ns::TextField* caption = nullptr;
        ns::TextField* value = nullptr;
        const char* captionKey = nullptr;
    };
    void registerDiagSelectors();
    void buildDiagWindow();
    void buildRssiLacCiWindow();
    // The CDMA builds' window: the software's and the computer's lines only.
    void layOutDiagWindowForCDMA();
    // The window's skin keys, after the controller's other outlets.
    void registerDiagSkinOutlets();
    // Keeps the field's text (or "" without a field) under the key.
    void prepareForDicDiagWindowInfo(ns::TextField* field, const QString& key);
    // Sets the field of the line and keeps its text under the line's key.
    void showDiagLine(const char* name, const QString& value);
    QString diagInfoFileText() const;
    std::unique_ptr<ns::Window> diagWindow_;
    std::unique_ptr<ns::Window> rssiLacCiWindow_;
    QHash<QString, DiagRow> diagLineRows_; // by line name
    QList<DiagRow> diagExtraRows_;         // the radio values and the cell window
    ns::Dictionary dicDiagWindowInfo_;

    // ---- PIN, PUK and unlock codes, SIM and device locks ----

    // Who opened the device-lock sheet: the start-up check or a feature.
    enum class UnlockDeviceRequester { Startup, Feature };

    void registerLockSelectors();
    void buildPinSheets();
    void buildUnlockSheets();
    void updatePinSheetsWording();
    void updateUnlockSheetsWording();
    // Runs the sheet on the top-most sheet of the main window.
    void runSheetOnMainWindow(ns::Window* sheet);
    bool isNeedPinAutoValidation() const;
    void pinAutoValidation();
    void alertWithPinOrPukLeftTimes(int count, bool pinAlert);
    // Sends the PIN, or the new PIN with the PUK, to be checked.
    void sendPin(const QString& pin);
    void sendPuk(const QString& puk, const QString& newPin);
    // Tells the modem whether to keep the PIN the user typed (4/18).
    void sendSavePinFlag();
    // Stores the PIN typed for this SIM in the private file, for automatic entry.
    void storePinNumForSim();
    void sendUnlockCode(const QString& code);
    // Opens an unlock sheet with its input cleared and focused.
    void runUnlockSheet(ns::Window* sheet, ns::TextField* input);
    // Sends the input's code when it has the length, closing the sheet;
    // else alerts the fault and clears the input.
    void sendUnlockCodeOfSheet(ns::Window* sheet, ns::TextField* input, int length,
                               const QString& lengthFault);
    // The IMEI of a 5/22 report into the unlock window's field and the run-time "runtimeIMEI".
    void showUnlockIMEI(ns::Notification* notification, ns::TextField* field);
    void askForUnlockAttempts();
    void sendAbandonCodeEntry();
    void alertIncorrectSim();
    // The smart skin shows refusals in the connection page's status rows, not as alerts.
    bool isSmartSkin() const;
    void showSmartSkinDeviceStatus(const char* key);
    // A switch of the configuration module "Main".
    bool mainSwitch(const char* key) const;
    // Quits when Main/"UnLockQuitUI" says a refused SIM ends the application.
    void quitWhenUnlockQuits();
    void setIMEIWhenCancelUnlock();
    void runUnlockDeviceSheet(ns::Window* window, UnlockDeviceRequester requester);
    void setDeviceUnlockCodeState(bool on);

    int checkPinPukStatus = 0;
    bool pinInputWndDisplayFlag_ = false;
    bool isPinWndOpen_ = false;
    bool cancelUnlockbtnFlag_ = false;
    bool firstUnlockedDevice_ = false;
    bool iceraLockFamily_ = false; // read once, when the messages are registered
    int deviceLockFunctionModule_ = kLockInternet;
    // Who opened the sheet now showing, and who the code on its way was sent for.
    UnlockDeviceRequester unlockDeviceOpener_ = UnlockDeviceRequester::Startup;
    std::optional<UnlockDeviceRequester> unlockDeviceRequest_;
    PinNumStore pinNumStore_;
    // Labels and buttons of the sheets that only carry wording.
    ns::TextField* pinTitle_ = nullptr;
    ns::TextField* pinLabel_ = nullptr;
    ns::TextField* pukTitle_ = nullptr;
    ns::TextField* pukLabel_ = nullptr;
    ns::TextField* newPinLabel_ = nullptr;
    ns::TextField* repNewPinLabel_ = nullptr;
    ns::Button* btnReAlertYES_ = nullptr;
    ns::Button* btnReAlertNO_ = nullptr;
    ns::TextField* labelIMEIUnlock = nullptr;
    ns::TextField* labelUnlockCode = nullptr;
    ns::TextField* unlockHelpLabel_ = nullptr;
    ns::TextField* IMEITextField = nullptr;
    ns::TextField* unlockCodeTextField = nullptr;
    ns::TextField* labelUnlockDeviceCode_ = nullptr;
    std::unique_ptr<ns::Window> pinWindow_;
    std::unique_ptr<ns::Window> pukWindow_;
    std::unique_ptr<ns::Window> reAlertWindow_;
    std::unique_ptr<ns::Window> unlockWindow_;
    std::unique_ptr<ns::Window> iceraUnlockWindow_;
    std::unique_ptr<ns::Window> unlockDeviceWindow_;
    std::unique_ptr<ns::Window> simAlertWindow_;
    ns::TextField* tfdAlertSIM_ = nullptr;
};

extern InitController* g_InitController;
