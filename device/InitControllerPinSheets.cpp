// The PIN, PUK and re-alert sheets: built in code, opened on the top-most
// sheet of the main window, with the form checks, the requests they send,
// automatic PIN entry and the save-PIN switches.
#include "device/InitConfigModules.h"
#include "device/InitController.h"

#include "app/interfaces/SettingControlling.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/widgets/NSStringExt.h"
#include "app/utils/StringRegex.h"
#include "device/InitConfigModules.h"
#include "device/NibControls.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/Window.h"

using namespace init_config;

namespace
{

constexpr int kAskedForPin = 1;
constexpr int kAskedForPuk = 2;
// Lengths of the codes the SIM takes.
constexpr int kPukLength = 8;
constexpr int kShortestPin = 4;
constexpr int kLongestPin = 8;
// What a PIN field keeps while typing under Setting/"PinLimitFourDigitals".
const QString kFourLeadingDigits = QStringLiteral("^[0-9]{0,4}");
// The unlock code field keeps at most this many characters while typing.
constexpr int kUnlockCodeLength = 16;

const QString kEnableSavePINNum = QStringLiteral("EnableSavePINNum");

QString wording(const char* key)
{
    return Map_Name_Item_of_IndexString(QString::fromLatin1(key));
}

void setMenuItemEnabled(ns::MenuItem* item, bool enabled)
{
    if (item)
        item->setEnabled(enabled);
}

ns::SecureTextField* makeCodeField(const ns::Rect& frame, ns::Object* target, const QString& action,
                                   ns::TextFieldDelegate* delegate)
{
    auto* field = new ns::SecureTextField(frame);
    field->setTarget(target);
    field->setAction(action);
    field->setDelegate(delegate);
    return field;
}

} // namespace

QString InitController::checkPinPukAlertMsg(const QString& puk, const QString& pin, const QString& newPin)
{
    if (!puk.isNull()) {
        if (puk.length() != kPukLength)
            return QStringLiteral("PUK must be 8 digits!");
        if (!NSStringExt::isDigitalString(puk))
            return QStringLiteral("PUK must be digits only!");
    }
    if (!pin.isNull()) {
        if (pin.length() < kShortestPin || pin.length() > kLongestPin)
            return QStringLiteral("Length of PIN must be between 4 and 8!");
        if (!NSStringExt::isDigitalString(pin))
            return QStringLiteral("PIN must be digits only!");
    }
    if (!pin.isNull() && !newPin.isNull() && pin != newPin)
        return QStringLiteral("Different inputs of PIN code, please input again!");
    return QString();
}

void InitController::buildPinSheets()
{
    const ns::Font font = ns::Font::systemFontOfSize(12);
    pinWindow_ = nib::makePanel({380, 170}, ns::TitledWindowMask);
    m_InitPinWindow = pinWindow_.get();
    ns::View* content = m_InitPinWindow->contentView();
    pinTitle_ = nib::makeLabel(ns::Rect(20, 134, 340, 20), ns::Font::boldSystemFontOfSize(13));
    pinLabel_ = nib::makeLabel(ns::Rect(20, 100, 110, 18), font, ns::RightTextAlignment);
    m_PinCode = makeCodeField(ns::Rect(140, 96, 200, 24), this, QStringLiteral("closePinWindow:"), this);
    m_PinTimeLeft = nib::makeLabel(ns::Rect(140, 74, 230, 18), font);
    m_PinTimeLeft->setTextColor(ns::Color::redColor());
    btnSavePinNum_ = nib::makeCheckBox(ns::Rect(140, 50, 230, 20), this, QStringLiteral("savePinNum:"));
    btnPinNumSavedInConfigFile_ =
        nib::makeCheckBox(ns::Rect(140, 50, 230, 20), this, QStringLiteral("enableSavePinNum:"));
    // Mirrors the save-PIN box for the modem's automatic entry; never shown.
    btnPINAutoValidation_ = nib::makeCheckBox(ns::Rect(140, 50, 230, 20), nullptr, QString());
    btnPINAutoValidation_->setHidden(true);
    btnPinCancel_ = nib::makePushButton(ns::Rect(178, 12, 90, 30), this, QStringLiteral("cancelPinWindow:"));
    btnPinOK_ = nib::makePushButton(ns::Rect(274, 12, 90, 30), this, QStringLiteral("closePinWindow:"));
    btnPinOK_->setKeyEquivalent(QStringLiteral("\r"));
    // The save-PIN boxes start as the user last left them.
    const bool savePin = configStore().getConfigurationByModuleAndKey(kMain, kEnableSavePINNum).boolValue();
    for (ns::Button* box : {btnSavePinNum_, btnPinNumSavedInConfigFile_})
        box->setState(savePin ? ns::OnState : ns::OffState);
    for (ns::View* view : std::initializer_list<ns::View*>{pinTitle_, pinLabel_, m_PinCode, m_PinTimeLeft,
                                                           btnSavePinNum_, btnPinNumSavedInConfigFile_,
                                                           btnPINAutoValidation_, btnPinCancel_, btnPinOK_})
        content->addSubview(view);

    pukWindow_ = nib::makePanel({380, 220}, ns::TitledWindowMask);
    m_InitPukWindow = pukWindow_.get();
    content = m_InitPukWindow->contentView();
    pukTitle_ = nib::makeLabel(ns::Rect(20, 182, 340, 20), ns::Font::boldSystemFontOfSize(13));
    pukLabel_ = nib::makeLabel(ns::Rect(20, 146, 130, 18), font, ns::RightTextAlignment);
    newPinLabel_ = nib::makeLabel(ns::Rect(20, 114, 130, 18), font, ns::RightTextAlignment);
    repNewPinLabel_ = nib::makeLabel(ns::Rect(20, 82, 130, 18), font, ns::RightTextAlignment);
    m_PukCode = makeCodeField(ns::Rect(160, 142, 190, 24), this, QStringLiteral("closePukWindow:"), this);
    m_NewPinCode = makeCodeField(ns::Rect(160, 110, 190, 24), this, QStringLiteral("closePukWindow:"), this);
    m_RepNewPinCode =
        makeCodeField(ns::Rect(160, 78, 190, 24), this, QStringLiteral("closePukWindow:"), this);
    m_PukTimeLeft = nib::makeLabel(ns::Rect(160, 54, 210, 18), font);
    m_PukTimeLeft->setTextColor(ns::Color::redColor());
    btnPukCancel_ = nib::makePushButton(ns::Rect(178, 12, 90, 30), this, QStringLiteral("cancelPukWindow:"));
    btnPukOK_ = nib::makePushButton(ns::Rect(274, 12, 90, 30), this, QStringLiteral("closePukWindow:"));
    btnPukOK_->setKeyEquivalent(QStringLiteral("\r"));
    for (ns::View* view : std::initializer_list<ns::View*>{
             pukTitle_, pukLabel_, newPinLabel_, repNewPinLabel_, m_PukCode, m_NewPinCode, m_RepNewPinCode,
             m_PukTimeLeft, btnPukCancel_, btnPukOK_})
        content->addSubview(view);

    reAlertWindow_ = nib::makePanel({340, 120}, ns::TitledWindowMask);
    wndReAlertToCancelPinInput_ = reAlertWindow_.get();
    content = wndReAlertToCancelPinInput_->contentView();
    tfdLockTip_ = nib::makeLabel(ns::Rect(20, 54, 300, 52), font);
    btnReAlertNO_ =
        nib::makePushButton(ns::Rect(138, 12, 90, 30), this, QStringLiteral("clickNOOfReAlertPinWindow:"));
    btnReAlertYES_ =
        nib::makePushButton(ns::Rect(234, 12, 90, 30), this, QStringLiteral("clickYESOfReAlertPinWindow:"));
    for (ns::View* view : std::initializer_list<ns::View*>{tfdLockTip_, btnReAlertNO_, btnReAlertYES_})
        content->addSubview(view);
}

void InitController::updatePinSheetsWording()
{
    m_InitPinWindow->setTitle(wording("PIN Verification"));
    pinTitle_->setStringValue(wording("Please enter the PIN code of the (U)SIM card."));
    pinLabel_->setStringValue(wording("PIN code:"));
    btnSavePinNum_->setTitle(wording("Save PIN"));
    btnPinNumSavedInConfigFile_->setTitle(wording("Save PIN on this computer"));
    btnPINAutoValidation_->setTitle(wording("Save PIN"));
    m_InitPukWindow->setTitle(wording("PUK Verification"));
    pukTitle_->setStringValue(wording("Please enter the PUK code and a new PIN code."));
    pukLabel_->setStringValue(wording("PUK code:"));
    newPinLabel_->setStringValue(wording("New PIN code:"));
    repNewPinLabel_->setStringValue(wording("Confirm new PIN:"));
    wndReAlertToCancelPinInput_->setTitle(wording("Warning"));
    btnReAlertYES_->setTitle(wording("YES"));
    btnReAlertNO_->setTitle(wording("NO"));
    for (ns::Button* button : {btnPinOK_, btnPukOK_})
        button->setTitle(wording("OK"));
    for (ns::Button* button : {btnPinCancel_, btnPukCancel_})
        button->setTitle(wording("Cancel"));
}

void InitController::runSheetOnMainWindow(ns::Window* sheet)
{
    ns::Application::sharedApplication().beginSheet(sheet, nib::topMostSheet(wndMain));
}

// ---- opening ----

void InitController::openPinWindow()
{
    checkPinPukStatus = kAskedForPin;
    updatePinSheetsWording();
    m_PinCode->setStringValue(QString());
    btnSavePinNum_->setEnabled(true);
    // One of the two save-PIN boxes shows: on the computer by ICCID, or in the modem.
    const bool byIccid = mainSwitch("AtuoCheckPinAndIccidSavedInConfigFile");
    btnPinNumSavedInConfigFile_->setHidden(!byIccid);
    btnSavePinNum_->setHidden(byIccid || !mainSwitch("pinAutoValidation"));
    runSheetOnMainWindow(m_InitPinWindow);
    m_PinCode->selectText(this);
    isPinWndOpen_ = true;
    setMenuItemEnabled(labelPINEnter_, false);
}

void InitController::openPukWindow()
{
    checkPinPukStatus = kAskedForPuk;
    updatePinSheetsWording();
    for (ns::TextField* field : {m_PukCode, m_NewPinCode, m_RepNewPinCode})
        field->setStringValue(QString());
    runSheetOnMainWindow(m_InitPukWindow);
    m_PukCode->selectText(this);
    setMenuItemEnabled(labelPINUnlock_, false);
}

// ---- automatic entry ----

bool InitController::isNeedPinAutoValidation() const
{
    const bool savedInModem = mainSwitch("pinAutoValidation") &&
                              btnPINAutoValidation_->state() == ns::OnState &&
                              mainSwitch("hadDosavePinToModemByUser") && !hadDoPinAutoValidation_;
    if (savedInModem)
        return true;
    if (!mainSwitch("AtuoCheckPinAndIccidSavedInConfigFile") ||
        btnPinNumSavedInConfigFile_->state() != ns::OnState)
        return false;
    const std::optional<PinNumStore::Entry> saved = pinNumStore_.read();
    return saved && !iccid_.isEmpty() && saved->iccid == iccid_;
}

void InitController::pinAutoValidation()
{
    checkPinPukStatus = kAskedForPin;
    // The PIN kept for this SIM, or the one the modem gave (4/19).
    if (const std::optional<PinNumStore::Entry> saved = pinNumStore_.read(); saved && saved->iccid == iccid_)
        pinNum_ = saved->pinNum;
    m_PinCode->setStringValue(pinNum_);
    closePinWindow(nullptr);
    m_PinCode->setStringValue(QString());
}

// ---- the buttons ----

void InitController::closePinWindow(ns::Object* sender)
{
    manuuallyInputPinFlag_ = sender != nullptr;
    const QString pin = m_PinCode->stringValue();
    const QString fault = checkPinPukAlertMsg(QString(), pin, QString());
    if (!fault.isEmpty()) {
        if (g_SettingController)
            g_SettingController->runAlertPanel(fault);
        m_PinCode->setStringValue(QString());
        return;
    }
    nib::endSheet(m_InitPinWindow);
    isPinWndOpen_ = false;
    setPinNum(pin);
    sendPin(pin);
}

void InitController::closePukWindow(ns::Object*)
{
    manuuallyInputPinFlag_ = true;
    const QString puk = m_PukCode->stringValue();
    const QString newPin = m_NewPinCode->stringValue();
    const QString fault = checkPinPukAlertMsg(puk, newPin, m_RepNewPinCode->stringValue());
    if (!fault.isEmpty()) {
        if (g_SettingController)
            g_SettingController->runAlertPanel(fault);
        for (ns::TextField* field : {m_PukCode, m_NewPinCode, m_RepNewPinCode})
            field->setStringValue(QString());
        m_PukCode->selectText(this);
        return;
    }
    nib::endSheet(m_InitPukWindow);
    sendPuk(puk, newPin);
    setPinNum(newPin);
}

void InitController::cancelPinWindow(ns::Object* sender)
{
    if (sender && mainSwitch("reAlertWhenCancelPINOrPUKwindow")) {
        pinInputWndDisplayFlag_ = true;
        tfdLockTip_->setStringValue(wording("If you cancel, the (U)SIM card stays locked. Cancel anyway?"));
        ns::Application::sharedApplication().beginSheet(wndReAlertToCancelPinInput_, m_InitPinWindow);
        return;
    }
    nib::endSheet(m_InitPinWindow);
    isPinWndOpen_ = false;
    if (settingDict_.value(QStringLiteral("needReenterPIN")).boolValue()) {
        setMenuItemEnabled(labelPINEnter_, true);
        return;
    }
    notificationCenter.postNotificationName(QStringLiteral("changePinActiveStatusCancel"), nullptr);
    if (!configStore()
             .getConfigurationByModuleAndKey(QStringLiteral("Setting"),
                                             QStringLiteral("IsPUKwinBeginSheetForZudera"))
             .boolValue())
        sendAbandonCodeEntry();
}

void InitController::cancelPukWindow(ns::Object* sender)
{
    if (sender && mainSwitch("reAlertWhenCancelPINOrPUKwindow")) {
        pinInputWndDisplayFlag_ = false;
        tfdLockTip_->setStringValue(wording("If you cancel, the (U)SIM card stays locked. Cancel anyway?"));
        ns::Application::sharedApplication().beginSheet(wndReAlertToCancelPinInput_, m_InitPukWindow);
        return;
    }
    nib::endSheet(m_InitPukWindow);
    setMenuItemEnabled(labelPINUnlock_, true);
}

void InitController::clickYESOfReAlertPinWindow(ns::Object* sender)
{
    nib::endSheet(wndReAlertToCancelPinInput_);
    if (!sender) {
        tfdLockTip_->setStringValue(QString());
        cancelPinWindow(nullptr);
        cancelPukWindow(nullptr);
        return;
    }
    if (pinInputWndDisplayFlag_) {
        cancelPinWindow(nullptr);
        tfdLockTip_->setStringValue(wording("PIN is locked"));
    } else {
        cancelPukWindow(nullptr);
        tfdLockTip_->setStringValue(wording("PUK is locked"));
    }
    // A SIM left locked has no network to show.
    if (viewNetWorkStatus_)
        viewNetWorkStatus_->setHidden(true);
}

void InitController::clickNOOfReAlertPinWindow(ns::Object*)
{
    nib::endSheet(wndReAlertToCancelPinInput_);
}

// ---- typing ----

void InitController::controlTextDidChange(const ns::Notification& notification)
{
    auto* field = dynamic_cast<ns::TextField*>(notification.object());
    if (!field)
        return;
    if (field == m_UnlockCode && field->stringValue().length() > kUnlockCodeLength - 1) {
        field->setStringValue(field->stringValue().left(kUnlockCodeLength));
        return;
    }
    const bool pinField = field == m_PinCode || field == m_NewPinCode || field == m_RepNewPinCode;
    if (pinField &&
        configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("Setting"), QStringLiteral("PinLimitFourDigitals"))
            .boolValue())
        field->setStringValue(stringByMatching(field->stringValue(), kFourLeadingDigits));
}

// ---- saving the PIN ----

void InitController::savePinNum(ns::Object*)
{
    configStore().setConfigurationByModuleKeyAndValue(kMain, kEnableSavePINNum,
                                                      btnSavePinNum_->state() == ns::OnState);
    configStore().writeToFile();
}

void InitController::enableSavePinNum(ns::Object*)
{
    configStore().setConfigurationByModuleKeyAndValue(kMain, kEnableSavePINNum,
                                                      btnPinNumSavedInConfigFile_->state() == ns::OnState);
    configStore().writeToFile();
}

void InitController::removeAutoCheckPinByICCID(ns::Object*)
{
    configStore().setConfigurationByModuleKeyAndValue(kMain, kEnableSavePINNum, false);
    configStore().writeToFile();
    pinNumStore_.remove();
    NSRunAlertPanelExt(wording("Warning"), wording("Remove saved PIN from computer successfully!"),
                       wording("OK"), QString());
}

// ---- the requests ----

void InitController::sendPin(const QString& pin)
{
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(
            kModuleInit, msg::device::kCheckoutPin.majorID, msg::device::kCheckoutPin.minorID, kTypeReport,
            kResultSuccess, PayloadWriter(FieldWidth::kCode).setText(0, FieldWidth::kCode, pin).bytes());
}

void InitController::sendPuk(const QString& puk, const QString& newPin)
{
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleInit, msg::device::kCheckoutPuk.majorID,
                                          msg::device::kCheckoutPuk.minorID, kTypeReport, kResultSuccess,
                                          PayloadWriter(2 * FieldWidth::kCode)
                                              .setText(0, FieldWidth::kCode, newPin)
                                              .setText(FieldWidth::kCode, FieldWidth::kCode, puk)
                                              .bytes());
}

void InitController::savePinToModem()
{
    if (pinNum_.isEmpty() || !jovMsgCenter)
        return;
    jovMsgCenter->sendMessageModuleID(
        kModuleInit, msg::device::kSavePin.majorID, msg::device::kSavePin.minorID, kTypeRequest,
        kResultSuccess, PayloadWriter(FieldWidth::kCode).setText(0, FieldWidth::kCode, pinNum_).bytes());
}

void InitController::sendAbandonCodeEntry()
{
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleInit, msg::device::kAbandonCodeEntry.majorID,
                                          msg::device::kAbandonCodeEntry.minorID, kTypeReport,
                                          kResultSuccess);
}
