// The unlock sheets: the SIM-lock unlock code of 16 characters (first lock
// family) and of 8 characters (second family, its window built to fixed
// frames), and the four-digit device-lock sheet that the start-up check and
// the features share.
#include "device/InitController.h"

#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "app/ui/widgets/NSStringExt.h"
#include "device/MainController.h"
#include "device/NibControls.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Window.h"

namespace
{

// Lengths of the unlock codes of the two families and of the device code.
constexpr int kUnlockCodeLength = 16;
constexpr int kIceraUnlockCodeLength = 8;
constexpr int kDeviceCodeLength = 4;
// The module a device code goes out with: the start-up code of a run that
// began locked, or any later one.
constexpr int kModuleFirstDeviceCode = kModuleInit;
constexpr int kModuleLaterDeviceCode = kModuleSettings;

QString wording(const char* key)
{
    return Map_Name_Item_of_IndexString(QString::fromLatin1(key));
}

void alert(const QString& text)
{
    NSRunAlertPanelExt(wording("Warning"), text, wording("OK"), QString());
}

ns::TextField* makeInput(const ns::Rect& frame, ns::Object* target, const QString& action)
{
    auto* field = new ns::TextField(frame);
    field->setTarget(target);
    field->setAction(action);
    return field;
}

} // namespace

void InitController::buildUnlockSheets()
{
    const ns::Font font = ns::Font::systemFontOfSize(12);
    unlockWindow_ = nib::makePanel({420, 210}, ns::TitledWindowMask);
    m_UnlockWin = unlockWindow_.get();
    ns::View* content = m_UnlockWin->contentView();
    unlockHelpLabel_ = nib::makeLabel(ns::Rect(20, 150, 380, 44), font);
    labelIMEIUnlock = nib::makeLabel(ns::Rect(20, 122, 120, 18), font, ns::RightTextAlignment);
    m_IMEIString = nib::makeLabel(ns::Rect(150, 122, 250, 18), font);
    labelUnlockCode = nib::makeLabel(ns::Rect(20, 92, 120, 18), font, ns::RightTextAlignment);
    m_UnlockCode = makeInput(ns::Rect(150, 88, 230, 24), this, QStringLiteral("closeUnlockWindow:"));
    m_UnlockCode->setDelegate(this);
    m_UnlockLeftTime = nib::makeLabel(ns::Rect(150, 62, 250, 18), font);
    m_UnlockLeftTime->setTextColor(ns::Color::redColor());
    btnUnlockCancel_ =
        nib::makePushButton(ns::Rect(214, 12, 90, 30), this, QStringLiteral("cancelUnlockWindow:"));
    btnUnlockOK_ = nib::makePushButton(ns::Rect(310, 12, 90, 30), this, QStringLiteral("closeUnlockWindow:"));
    for (ns::View* view :
         std::initializer_list<ns::View*>{unlockHelpLabel_, labelIMEIUnlock, m_IMEIString, labelUnlockCode,
                                          m_UnlockCode, m_UnlockLeftTime, btnUnlockCancel_, btnUnlockOK_})
        content->addSubview(view);

    // The second family's window, built to the frames its design gives.
    iceraUnlockWindow_ = nib::makePanel({500, 200}, ns::TitledWindowMask | ns::ClosableWindowMask);
    mainUnlockWindow = iceraUnlockWindow_.get();
    content = mainUnlockWindow->contentView();
    IMEITextField = nib::makeLabel(ns::Rect(18, 132, 201, 17), font, ns::RightTextAlignment);
    IMEIString = nib::makeLabel(ns::Rect(228, 135, 168, 14), font);
    unlockCodeTextField = nib::makeLabel(ns::Rect(11, 107, 208, 17), font, ns::RightTextAlignment);
    unlockedString = makeInput(ns::Rect(228, 103, 168, 22), this, QStringLiteral("waitUnlocked:"));
    unlockedString->setDelegate(this);
    clckTimes = nib::makeLabel(ns::Rect(49, 43, 221, 18), font);
    clckTimes->setTextColor(ns::Color::redColor());
    clckTimes->setStringValue(QStringLiteral("5"));
    unlockOKBtn = nib::makePushButton(ns::Rect(300, 7, 100, 24), this, QStringLiteral("waitUnlocked:"));
    cancelUnlockBtn = nib::makePushButton(ns::Rect(116, 7, 100, 24), this, QStringLiteral("cancelUnlocked:"));
    for (ns::View* view :
         std::initializer_list<ns::View*>{IMEITextField, IMEIString, unlockCodeTextField, unlockedString,
                                          clckTimes, unlockOKBtn, cancelUnlockBtn})
        content->addSubview(view);

    unlockDeviceWindow_ = nib::makePanel({340, 150}, ns::TitledWindowMask);
    wndUnlockDevice_ = unlockDeviceWindow_.get();
    content = wndUnlockDevice_->contentView();
    labelUnlockDeviceCount_ = nib::makeLabel(ns::Rect(20, 104, 300, 34), font);
    labelUnlockDeviceCode_ = nib::makeLabel(ns::Rect(20, 72, 120, 18), font, ns::RightTextAlignment);
    tfdUnlockDeviceCode_ = new ns::SecureTextField(ns::Rect(150, 68, 150, 24));
    tfdUnlockDeviceCode_->setTarget(this);
    tfdUnlockDeviceCode_->setAction(QStringLiteral("unlockDeviceOK:"));
    btnUnlockDeviceCancel_ =
        nib::makePushButton(ns::Rect(134, 12, 90, 30), this, QStringLiteral("unlockDeviceCancel:"));
    btnUnlockDeviceOK_ =
        nib::makePushButton(ns::Rect(230, 12, 90, 30), this, QStringLiteral("unlockDeviceOK:"));
    for (ns::View* view :
         std::initializer_list<ns::View*>{labelUnlockDeviceCount_, labelUnlockDeviceCode_,
                                          tfdUnlockDeviceCode_, btnUnlockDeviceCancel_, btnUnlockDeviceOK_})
        content->addSubview(view);

    // The window that tells the user the device refuses the SIM, where the
    // configuration prefers it to the alert.
    simAlertWindow_ = nib::makePanel({340, 110}, ns::TitledWindowMask);
    alertSIMWin_ = simAlertWindow_.get();
    content = alertSIMWin_->contentView();
    tfdAlertSIM_ = nib::makeLabel(ns::Rect(20, 54, 300, 40), font);
    btnCloseAlertSIMwin_ =
        nib::makePushButton(ns::Rect(230, 12, 90, 30), this, QStringLiteral("closeAlerSIMWnd:"));
    btnCloseAlertSIMwin_->setKeyEquivalent(QStringLiteral("\r"));
    content->addSubview(tfdAlertSIM_);
    content->addSubview(btnCloseAlertSIMwin_);
}

void InitController::updateUnlockSheetsWording()
{
    m_UnlockWin->setTitle(wording("Unlock Window"));
    unlockHelpLabel_->setStringValue(wording("STRING_UNLOCK_HELP"));
    labelIMEIUnlock->setStringValue(wording("IMEI:"));
    labelUnlockCode->setStringValue(wording("Unlock Code:"));
    mainUnlockWindow->setTitle(wording("Unlock Window"));
    IMEITextField->setStringValue(wording("IMEI:"));
    unlockCodeTextField->setStringValue(wording("Unlock Code:"));
    wndUnlockDevice_->setTitle(wording("Device Lock"));
    labelUnlockDeviceCount_->setStringValue(
        wording("The device is locked. Please enter the unlock device code."));
    labelUnlockDeviceCode_->setStringValue(wording("Unlock device code:"));
    alertSIMWin_->setTitle(wording("Warning"));
    tfdAlertSIM_->setStringValue(wording("Incorrect (U)SIM card!"));
    for (ns::Button* button : {btnUnlockOK_, unlockOKBtn, btnUnlockDeviceOK_, btnCloseAlertSIMwin_})
        button->setTitle(wording("OK"));
    for (ns::Button* button : {btnUnlockCancel_, cancelUnlockBtn, btnUnlockDeviceCancel_})
        button->setTitle(wording("Cancel"));
}

// ---- the SIM-lock unlock code ----

void InitController::openUnlockWindow()
{
    runUnlockSheet(m_UnlockWin, m_UnlockCode);
}

void InitController::openIceraUnlockWindow()
{
    runUnlockSheet(mainUnlockWindow, unlockedString);
}

void InitController::runUnlockSheet(ns::Window* sheet, ns::TextField* input)
{
    updateUnlockSheetsWording();
    input->setStringValue(QString());
    runSheetOnMainWindow(sheet);
    input->selectText(this);
}

void InitController::closeUnlockWindow(ns::Object*)
{
    sendUnlockCodeOfSheet(m_UnlockWin, m_UnlockCode, kUnlockCodeLength,
                          wording("STRING_LEGNTH_UNLOCKCODE_ERROR_LABELS"));
}

void InitController::sendUnlockCodeOfSheet(ns::Window* sheet, ns::TextField* input, int length,
                                           const QString& lengthFault)
{
    const QString code = input->stringValue();
    if (code.length() != length) {
        alert(lengthFault);
        input->setStringValue(QString());
        return;
    }
    nib::endSheet(sheet);
    sendUnlockCode(code);
}

void InitController::cancelUnlockWindow(ns::Object*)
{
    setIMEIWhenCancelUnlock();
    nib::endSheet(m_UnlockWin);
    notifyDeviceRemoved();
    sendAbandonCodeEntry();
}

void InitController::setIMEIWhenCancelUnlock()
{
    cancelUnlockbtnFlag_ = true;
    setIMEINumInDiagWindow();
}

void InitController::waitUnlocked(ns::Object*)
{
    sendUnlockCodeOfSheet(mainUnlockWindow, unlockedString, kIceraUnlockCodeLength,
                          wording("Unlock code must be 8 characters"));
}

void InitController::cancelUnlocked(ns::Object*)
{
    nib::endSheet(mainUnlockWindow);
    notifyDeviceRemoved();
    setModemStatus(true);
}

void InitController::sendUnlockCode(const QString& code)
{
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(
            kModuleInit, msg::device::kCheckUnlockCodeStatus.majorID,
            msg::device::kCheckUnlockCodeStatus.minorID, kTypeReport, kResultSuccess,
            PayloadWriter(FieldWidth::kUnlockCode).setText(0, FieldWidth::kUnlockCode, code).bytes());
}

void InitController::askForUnlockAttempts()
{
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleInit, msg::device::kCheckUnlockAttempts.majorID,
                                          msg::device::kCheckUnlockAttempts.minorID, kTypeReport,
                                          kResultSuccess);
}

// ---- the device lock ----

void InitController::openUnlockDeviceWindow(ns::Window* window)
{
    runUnlockDeviceSheet(window, UnlockDeviceRequester::Feature);
}

void InitController::runUnlockDeviceSheet(ns::Window* window, UnlockDeviceRequester requester)
{
    // A feature asking while the sheet is out takes it over: the code then
    // answers the feature, and unlocks the device for the start-up too.
    unlockDeviceOpener_ = requester;
    updateUnlockSheetsWording();
    tfdUnlockDeviceCode_->setStringValue(QString());
    if (!wndUnlockDevice_->isVisible())
        ns::Application::sharedApplication().beginSheet(wndUnlockDevice_, nib::topMostSheet(window));
    tfdUnlockDeviceCode_->selectText(this);
}

void InitController::unlockDeviceOK(ns::Object*)
{
    const QString code = tfdUnlockDeviceCode_->stringValue();
    if (code.length() != kDeviceCodeLength || !NSStringExt::isDigitalString(code)) {
        alert(wording("The unlock device code must be 4 digitals"));
        return;
    }
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(firstUnlockedDevice_ ? kModuleLaterDeviceCode
                                                               : kModuleFirstDeviceCode,
                                          msg::device::kDeviceUnlock.majorID,
                                          msg::device::kDeviceUnlock.minorID, kTypeReport, kResultSuccess,
                                          PayloadWriter(FieldWidth::kDeviceCode)
                                              .setBytes(0, FieldWidth::kDeviceCode, code.toLatin1())
                                              .bytes());
    unlockDeviceRequest_ = unlockDeviceOpener_;
    nib::endSheet(wndUnlockDevice_);
}

void InitController::unlockDeviceCancel(ns::Object*)
{
    nib::endSheet(wndUnlockDevice_);
    notificationCenter.postNotificationName(kDeviceUnlockFailed, this);
    if (!g_MainController || g_MainController->getNetCardStatus() != MainController::kSimReady)
        setModemStatus(false);
}
