#pragma once

#include "app/ui/controller/JOVUIController.h"
#include "device/PinNumStore.h"
#include "jCommon/UIMsg.h"
#include "platform/ns/appkit/TextField.h"

#include <memory>
#include <optional>

namespace ns
{
class Button;
class MenuItem;
class SecureTextField;
class Window;
} // namespace ns

// Follows the modem from the moment the device server reports it until the
// SIM is ready: it subscribes to the server's start-up reports, keeps the
// device's state and tells the other features through the life-cycle and
// init_* notifications. Exactly one exists, published in g_InitController.
class InitController : public JOVUIController, public ns::TextFieldDelegate
{
public:
    explicit InitController(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~InitController() override;

    // Takes the modem on-line or off-line (the server's start and stop of work).
    void setDeviceOnline();
    void setDeviceOffline();

    // The modem is there and starting (YES) or not found: posts "init_ModemConnected".
    void setModemStatus(bool present);
    // The SIM is ready or not: the run-time "runtimeSIMCardReady", then "init_SimStatus".
    void setSimStatus(bool ready);

    // Handlers of the device server's reports.
    void dealWithMsgOfHandShake(ns::Notification* notification);
    void dealWithMsgOfPinStatus(ns::Notification* notification);
    void dealWithMsgOfCheckDeviceStatus(ns::Notification* notification);

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
    // Sends the known PIN to the modem to keep (4/17).
    void savePinToModem();
    void setPinNum(const QString& pin) { pinNum_ = pin; }
    QString pinNum() const { return pinNum_; }
    void setIccid(const QString& iccid) { iccid_ = iccid; }
    void setHadDoPinAutoValidation(bool done) { hadDoPinAutoValidation_ = done; }
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
    void setDeviceLockFunctionModule(int module) { deviceLockFunctionModule_ = module; }
    int getDeviceLockFunctionModule() const { return deviceLockFunctionModule_; }
    void openUnlockDeviceWindow(ns::Window* window);
    void unlockDeviceOK(ns::Object* sender);
    void unlockDeviceCancel(ns::Object* sender);

    // Quits: ends the main window's sheet and terminates the application.
    void closeApplication();

    // Typing limits of the code fields.
    void controlTextDidChange(const ns::Notification& notification) override;

    // The sheets and their controls, built when the nib loads.
    // The menu items of PIN entry and PIN unlock, disabled while their sheet is open.
    ns::MenuItem* labelPINEnter_ = nullptr;
    ns::MenuItem* labelPINUnlock_ = nullptr;
    ns::Window* m_InitPinWindow = nullptr;
    ns::SecureTextField* m_PinCode = nullptr;
    ns::TextField* m_PinTimeLeft = nullptr;
    ns::Button* btnSavePinNum_ = nullptr;
    ns::Button* btnPINAutoValidation_ = nullptr;
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

protected:
    void registerMessages() override;

private:
    // Posts the init_* notification with the value under its own name.
    void sendNotification(const QString& name, const ns::Value& value);
    // The record of a message notification; false when there is none.
    bool readRecord(ns::Notification* notification, _UI_MSG* msg) const;

    // ---- PIN, PUK and unlock codes, SIM and device locks ----

    // Who opened the device-lock sheet: the start-up check or a feature.
    enum class UnlockDeviceRequester { Startup, Feature };

    void registerLockSelectors();
    void registerLockMessages();
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
    // The SIM is refused: the alert, unless the smart skin says it in the status text.
    void alertIncorrectSim();
    // A switch of the configuration module "Main".
    bool mainSwitch(const char* key) const;
    // Quits when Main/"UnLockQuitUI" says a refused SIM ends the application.
    void quitWhenUnlockQuits();
    void setIMEIWhenCancelUnlock();
    void runUnlockDeviceSheet(ns::Window* window, UnlockDeviceRequester requester);
    void setDeviceUnlockCodeState(bool on);

    int m_SimPinState = 0;
    int checkPinPukStatus = 0;
    QString pinNum_;
    QString iccid_;
    bool manuuallyInputPinFlag_ = false;
    bool hadDoPinAutoValidation_ = false;
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
};

extern InitController* g_InitController;
