// The replies about codes and locks: PIN and PUK attempts and checks, the
// PIN request switch, both SIM-lock families, the hardware and firmware
// locks, and the user's device lock with the routing of its outcome.
#include "device/InitController.h"

#include "app/interfaces/DialControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/interfaces/UpdateLinking.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "device/MainController.h"
#include "device/NibControls.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Window.h"

#include <QtDebug>

namespace
{

// The SIM asked for a code (a type-0 reply of a PIN or PUK check came).
constexpr int kSimAsksForCode = 2;
// checkPinPukStatus: which code the user was last asked for.
constexpr int kAskedForPin = 1;
constexpr int kAskedForPuk = 2;
// Lock state in the tail of 5/20: 0 not accepted, '1' locked to another operator.
constexpr uint8_t kSimNotAccepted = 0;
constexpr uint8_t kSimLockedToOperator = '1';
// The smart skin's status text for a SIM the device refuses.
constexpr const char* kSmartSkinSimRefused = "Invalid SIM, please use a Dezod Bro SIM";
// Hardware lock state of 5/24 that refuses the SIM.
constexpr int32_t kHardwareLocked = 4;
// Device lock state of 0/26.
constexpr int32_t kDeviceLocked = 1;
// PIN request switch of 4/13, posted to the bundles.
const QString kPinActiveStatusForBundle = QStringLiteral("pinActiveStatusForBundle");

QString wording(const char* key)
{
    return Map_Name_Item_of_IndexString(QString::fromLatin1(key));
}

void alert(const char* key)
{
    NSRunAlertPanelExt(wording("Warning"), wording(key), wording("OK"), QString());
}

bool isReport(const _UI_MSG& msg)
{
    return msg.type == kTypeReport && msg.result == kResultSuccess;
}

} // namespace

void InitController::registerLockSelectors()
{
    const std::pair<const char*, void (InitController::*)(ns::Notification*)> handlers[] = {
        {"dealWithMsgOfCountPinPukRemain:", &InitController::dealWithMsgOfCountPinPukRemain},
        {"dealWithMsgOfCheckoutPin:", &InitController::dealWithMsgOfCheckoutPin},
        {"dealWithMsgOfCheckoutPuk:", &InitController::dealWithMsgOfCheckoutPuk},
        {"dealWithMsgOfCheckPinActiveStatus:", &InitController::dealWithMsgOfCheckPinActiveStatus},
        {"dealWithMsgOfCheckLockStatus:", &InitController::dealWithMsgOfCheckLockStatus},
        {"dealWithMsgOfCheckLockStatusIcera:", &InitController::dealWithMsgOfCheckLockStatusIcera},
        {"dealWithMsgOfCheckJnckStatus:", &InitController::dealWithMsgOfCheckJnckStatus},
        {"dealWithMsgOfCheckiLockNumStatusIcera:", &InitController::dealWithMsgOfCheckiLockNumStatusIcera},
        {"dealWithMsgOfCheckIMEIInfo:", &InitController::dealWithMsgOfCheckIMEIInfo},
        {"dealWithMsgOfCheckIMEIInfoIcera:", &InitController::dealWithMsgOfCheckIMEIInfoIcera},
        {"dealWithMsgOfCheckUnlockCodeStatus:", &InitController::dealWithMsgOfCheckUnlockCodeStatus},
        {"dealWithMsgOfCheckUnlockCodeStatusIcera:",
         &InitController::dealWithMsgOfCheckUnlockCodeStatusIcera},
        {"dealWithMsgOfCheckHardwareLockStatus:", &InitController::dealWithMsgOfCheckHardwareLockStatus},
        {"dealWithMsgOfUIFWLock:", &InitController::dealWithMsgOfUIFWLock},
        {"dealWithMsgOfCheckDeviceLockStatus:", &InitController::dealWithMsgOfCheckDeviceLockStatus},
        {"dealWithMsgOfCheckDeviceUnLockResult:", &InitController::dealWithMsgOfCheckDeviceUnLockResult},
    };
    for (const auto& [selector, handler] : handlers)
        registerSelector(QString::fromLatin1(selector), handler);
    const std::pair<const char*, void (InitController::*)(ns::Object*)> actions[] = {
        {"closePinWindow:", &InitController::closePinWindow},
        {"cancelPinWindow:", &InitController::cancelPinWindow},
        {"closePukWindow:", &InitController::closePukWindow},
        {"cancelPukWindow:", &InitController::cancelPukWindow},
        {"clickYESOfReAlertPinWindow:", &InitController::clickYESOfReAlertPinWindow},
        {"clickNOOfReAlertPinWindow:", &InitController::clickNOOfReAlertPinWindow},
        {"savePinNum:", &InitController::savePinNum},
        {"enableSavePinNum:", &InitController::enableSavePinNum},
        {"removeAutoCheckPinByICCID:", &InitController::removeAutoCheckPinByICCID},
        {"closeUnlockWindow:", &InitController::closeUnlockWindow},
        {"cancelUnlockWindow:", &InitController::cancelUnlockWindow},
        {"waitUnlocked:", &InitController::waitUnlocked},
        {"cancelUnlocked:", &InitController::cancelUnlocked},
        {"unlockDeviceOK:", &InitController::unlockDeviceOK},
        {"unlockDeviceCancel:", &InitController::unlockDeviceCancel},
    };
    for (const auto& [selector, action] : actions)
        registerSelector(QString::fromLatin1(selector), action);
    // The menu's PIN entries and the in-process request open the sheets.
    registerSelector(QStringLiteral("enterPIN:"), [this](ns::Object*) { openPinWindow(); });
    registerSelector(QStringLiteral("unlockPIN:"), [this](ns::Object*) { openPukWindow(); });
    registerSelector(QStringLiteral("openPINWindow:"), [this](ns::Object*) { openPinWindow(); });
    registerSelector(QStringLiteral("closeAlerSIMWnd:"), [this](ns::Object*) { closeAlerSIMWnd(); });
}

// ---- PIN and PUK ----

void InitController::dealWithMsgOfCountPinPukRemain(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.moduleID != kModuleInit || !isReport(msg))
        return;
    const int pinLeft = payloadInt32(msg, 0);
    const int pukLeft = payloadInt32(msg, 4);
    m_PinTimeLeft->setStringValue(
        wording("You only have %d time(s) left!").replace("%d", QString::number(pinLeft)));
    m_PukTimeLeft->setStringValue(
        wording("You only have %d time(s) left!").replace("%d", QString::number(pukLeft)));
    if (g_SettingController) {
        g_SettingController->setPinTimeLeft(pinLeft);
        g_SettingController->setPukTimeLeft(pukLeft);
    }
    if (m_SimPinState != kSimAsksForCode)
        return;
    if (isSmartSkin()) {
        showSmartSkinDeviceStatus("PIN enabled, please disable PIN");
        return;
    }
    if (pinLeft > 0) {
        if (isNeedPinAutoValidation()) {
            pinAutoValidation();
            hadDoPinAutoValidation_ = true;
            return;
        }
        alertWithPinOrPukLeftTimes(pinLeft, true);
        if (!isPinWndOpen_)
            openPinWindow();
    } else if (pukLeft > 0) {
        alertWithPinOrPukLeftTimes(pukLeft, false);
        openPukWindow();
    }
}

void InitController::alertWithPinOrPukLeftTimes(int count, bool pinAlert)
{
    if (count != 1 || settingDict_.value(QStringLiteral("NoNeedAlertOnlyOneLeftTimePinOrPuk")).boolValue())
        return;
    alert(pinAlert ? "Only one chance left! If you input the wrong PIN code, your (U)SIM card will be locked."
                   : "Only one chance left! If you input the wrong PUK code, your (U)SIM card will be "
                     "destroyed.");
}

void InitController::dealWithMsgOfCheckoutPin(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    if (msg.type == kTypeReport) {
        if (msg.result == kResultSuccess)
            setSimStatus(true);
        return;
    }
    if (msg.type != kTypeRequest || msg.moduleID != kModuleInit)
        return;
    m_SimPinState = kSimAsksForCode;
    if (msg.result == kResultSuccess) {
        if (isPinWndOpen_) {
            nib::endSheet(m_InitPinWindow);
            isPinWndOpen_ = false;
        }
        if (mainSwitch("pinAutoValidation")) {
            if (manuuallyInputPinFlag_)
                sendSavePinFlag();
        } else {
            storePinNumForSim();
        }
    } else if (msg.result == kResultFailure) {
        if (checkPinPukStatus == kAskedForPin && manuuallyInputPinFlag_ && g_SettingController)
            g_SettingController->runAlertPanel(QStringLiteral("Incorrect PIN code!"));
        else if (checkPinPukStatus == kAskedForPuk && g_SettingController)
            g_SettingController->runAlertPanel(QStringLiteral("Incorrect PUK code!"));
    }
}

void InitController::dealWithMsgOfCheckoutPuk(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.moduleID != kModuleInit)
        return;
    if (msg.type == kTypeReport && msg.result == kResultSuccess)
        setSimStatus(true);
    else if (msg.type == kTypeRequest)
        m_SimPinState = kSimAsksForCode;
}

void InitController::sendSavePinFlag()
{
    // The user's choice on the sheet: the modem keeps the PIN and enters it itself, or forgets it.
    const bool save = btnSavePinNum_->state() == ns::OnState;
    btnPINAutoValidation_->setState(save ? ns::OnState : ns::OffState);
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleInit, msg::device::kSavePinFlag.majorID,
                                          msg::device::kSavePinFlag.minorID, kTypeRequest, kResultSuccess,
                                          PayloadWriter(8).setInt32(0, save ? 1 : 0).setInt32(4, 0).bytes());
}

void InitController::storePinNumForSim()
{
    if (!mainSwitch("AtuoCheckPinAndIccidSavedInConfigFile") ||
        btnPinNumSavedInConfigFile_->state() != ns::OnState || pinNum_.isEmpty() || iccid_.isEmpty())
        return;
    pinNumStore_.write(PinNumStore::Entry{pinNum_, iccid_});
}

void InitController::dealWithMsgOfCheckPinActiveStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || !isReport(msg))
        return;
    const int state = payloadInt32(msg, 0);
    if (g_SettingController)
        g_SettingController->setPinActiveStatus(state);
    notificationCenter.postNotificationName(kPinActiveStatusForBundle, this,
                                            ns::Dictionary{{kPinActiveStatusForBundle, state}});
}

// ---- SIM locks ----

void InitController::alertIncorrectSim()
{
    alert("Incorrect (U)SIM card!");
}

bool InitController::isSmartSkin() const
{
    return settingDict_.value(QStringLiteral("UIConfig"))
        .toDictionary()
        .value(QStringLiteral("SmartUI"))
        .boolValue();
}

void InitController::showSmartSkinDeviceStatus(const char* key)
{
    // The smart skin has no room for an alert: the connection page's status rows say it.
    if (!g_DialController)
        return;
    g_DialController->setDeviceStatusStringRows(2);
    g_DialController->smartUITopFixedImage(QString(), QString(), QString(), wording(key));
}

void InitController::closeAlerSIMWnd()
{
    alertSIMWin_->orderOut(this);
    ns::Application& application = ns::Application::sharedApplication();
    if (application.modalWindow() == alertSIMWin_)
        application.stopModal();
}

void InitController::dealWithMsgOfCheckLockStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess)
        return;
    const uint8_t state = msg.tail[0];
    if (state == kSimNotAccepted) {
        if (isSmartSkin())
            showSmartSkinDeviceStatus(kSmartSkinSimRefused);
        else
            alertIncorrectSim();
    } else if (state == kSimLockedToOperator) {
        if (g_MainController)
            g_MainController->setDeviceRemoveSign(true);
        notifyDeviceRemoved();
        sendAbandonCodeEntry();
        if (isSmartSkin()) {
            showSmartSkinDeviceStatus(kSmartSkinSimRefused);
            return;
        }
        if (configFlag(QStringLiteral("Init"), QStringLiteral("Init_PopSIMAlertWindow_IfSpecialNeed"))) {
            // The window says the SIM is refused until its button closes it.
            updateUnlockSheetsWording();
            ns::Application::sharedApplication().runModalForWindow(alertSIMWin_);
            alertSIMWin_->center();
        } else {
            alertIncorrectSim();
        }
        quitWhenUnlockQuits();
    }
}

void InitController::dealWithMsgOfCheckLockStatusIcera(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || !isReport(msg))
        return;
    alertIncorrectSim();
    quitWhenUnlockQuits();
    if (!mainSwitch("NoSIMUnlockWin"))
        askForUnlockAttempts();
}

void InitController::dealWithMsgOfCheckJnckStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    const int left = payloadInt32(msg, 0);
    m_UnlockLeftTime->setStringValue(
        wording("You have %d time(s) to unlock!").replace("%d", QString::number(left)));
    if (!isReport(msg))
        return;
    if (left < 1) {
        notifyDeviceRemoved();
        sendAbandonCodeEntry();
    } else {
        openUnlockWindow();
    }
}

void InitController::dealWithMsgOfCheckiLockNumStatusIcera(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    const int left = payloadInt32(msg, 0);
    clckTimes->setStringValue(wording("You only have %d time(s) left!").replace("%d", QString::number(left)));
    if (!isReport(msg))
        return;
    if (left < 1) {
        notifyDeviceRemoved();
        setModemStatus(true);
    } else {
        openIceraUnlockWindow();
    }
}

void InitController::dealWithMsgOfCheckIMEIInfo(ns::Notification* notification)
{
    showUnlockIMEI(notification, m_IMEIString);
    setIMEINumInDiagWindow();
}

void InitController::dealWithMsgOfCheckIMEIInfoIcera(ns::Notification* notification)
{
    showUnlockIMEI(notification, IMEIString);
}

void InitController::showUnlockIMEI(ns::Notification* notification, ns::TextField* field)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || !isReport(msg))
        return;
    const QString imei = payloadText(msg, 0, FieldWidth::kIMEI);
    field->setStringValue(imei);
    setRuntimeObject(imei, kRTIMEI);
    if (g_UpdateLink && g_UpdateLink->isSupportUpdate())
        g_UpdateLink->dealWithIMEI(imei);
}

void InitController::dealWithMsgOfCheckUnlockCodeStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.type != kTypeReport)
        return;
    if (msg.result == kResultSuccess)
        setSimStatus(true);
    else if (msg.result == kResultFailure)
        alert("Incorrect unlock code!");
}

void InitController::dealWithMsgOfCheckUnlockCodeStatusIcera(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.type != kTypeReport)
        return;
    if (msg.result == kResultSuccess) {
        setSimStatus(true);
    } else if (msg.result == kResultFailure) {
        alert("Incorrect unlock code!");
        askForUnlockAttempts();
    }
}

void InitController::dealWithMsgOfCheckHardwareLockStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || !isReport(msg) || payloadInt32(msg, 0) != kHardwareLocked)
        return;
    alertIncorrectSim();
    quitWhenUnlockQuits();
}

void InitController::dealWithMsgOfUIFWLock(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultFailure)
        return;
    alertIncorrectSim();
    closeApplication();
}

bool InitController::mainSwitch(const char* key) const
{
    return configFlag(QStringLiteral("Main"), QString::fromLatin1(key));
}

void InitController::quitWhenUnlockQuits()
{
    if (mainSwitch("UnLockQuitUI"))
        closeApplication();
}

void InitController::closeApplication()
{
    if (wndMain)
        nib::endSheet(wndMain->attachedSheet());
    if (wndMain)
        wndMain->orderOut(this);
    ns::Application::sharedApplication().terminate(this);
}

// ---- the device lock ----

void InitController::setDeviceUnlockCodeState(bool on)
{
    if (g_SettingController)
        g_SettingController->setDeviceUnlockCodeState(on);
}

void InitController::dealWithMsgOfCheckDeviceLockStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess)
        return;
    if (payloadInt32(msg, 0) == kDeviceLocked) {
        setDeviceUnlockCodeState(true);
        runUnlockDeviceSheet(wndMain, UnlockDeviceRequester::Startup);
    } else {
        firstUnlockedDevice_ = true;
        setDeviceUnlockCodeState(false);
    }
}

void InitController::dealWithMsgOfCheckDeviceUnLockResult(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    // The outcome goes to whoever opened the sheet its code came from, once;
    // a result nobody waits for is left alone.
    const std::optional<UnlockDeviceRequester> requester = std::exchange(unlockDeviceRequest_, std::nullopt);
    if (!requester) {
        qInfo("Device unlock result %d with no code sent: ignored", int(msg.result));
        return;
    }
    if (msg.result == kResultSuccess)
        firstUnlockedDevice_ = true;
    if (*requester == UnlockDeviceRequester::Feature) {
        if (g_SettingController)
            g_SettingController->dealWithMsgOfCheckDeviceUnLockResult(quint8(msg.result));
        return;
    }
    if (msg.result == kResultFailure) {
        alert("Invalid password!");
        runUnlockDeviceSheet(wndMain, UnlockDeviceRequester::Startup);
    }
}
