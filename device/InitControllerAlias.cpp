// The template steps of the controller (skin, nib, language), the status
// area and operator windows it builds, the reset on device removal, and the
// operator behaviours: white-listed roaming, the roaming alert, disconnecting
// on roaming, domestic roaming, the USIM panel and the manual search.
#include "device/InitController.h"

#include "app/config/Platform.h"
#include "app/interfaces/DialControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/skin/JOVUIManager.h"
#include "jCommon/PayloadReader.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

namespace
{

// The status area, left to right: modem, SIM (image, text, type), signal
// (label, image; the EVDO pair beside it), network type, domain, roaming
// mark and the two operator names.
constexpr double kIconSize = 20;
constexpr double kStatusMargin = 8;
constexpr double kStatusSpacing = 6;
constexpr double kRowY = 3;
constexpr double kTextY = 4;
constexpr double kTextHeight = 17;

ns::ImageView* addImage(ns::View* parent, double width)
{
    auto* image = new ns::ImageView(ns::Rect(0, kRowY, width, kIconSize));
    image->setImageScaling(ns::ImageScaleProportionallyDown);
    parent->addSubview(image);
    return image;
}

ns::TextField* addLabel(ns::View* parent, double width, const QString& text = QString())
{
    auto* label = ns::TextField::labelWithFrame(ns::Rect(0, kTextY, width, kTextHeight),
                                                ns::Font::systemFontOfSize(11));
    label->setStringValue(text);
    parent->addSubview(label);
    return label;
}

ns::Button* addButton(ns::View* parent, const ns::Rect& frame, int type, ns::Object* target,
                      const QString& action)
{
    auto* button = new ns::Button(frame);
    button->setButtonType(type);
    if (type != ns::SwitchButton)
        button->setBezelStyle(ns::RoundedBezelStyle);
    button->setTarget(target);
    button->setAction(action);
    parent->addSubview(button);
    return button;
}

} // namespace

void InitController::buildStatusArea()
{
    const double width = viewStatus ? viewStatus->frame().size.width : 720;
    viewNetWorkStatus_ = new ns::View(ns::Rect(0, 0, width, 26));
    if (viewStatus)
        viewStatus->addSubview(viewNetWorkStatus_);
    else
        detachedStatusArea_.reset(viewNetWorkStatus_);
    ns::View* area = viewNetWorkStatus_;
    // Placed from left to right by layOutStatusArea; only the widths count here.
    m_netStatus = addImage(area, kIconSize);
    m_simStatus = addImage(area, kIconSize);
    labelSimStatus_ = addLabel(area, 70);
    labelSimStatus_->setHidden(true);
    SIMTypeDisplayFld_ = addLabel(area, 26);
    m_rssiStatusLabel = addLabel(area, 20, QStringLiteral("1X"));
    m_rssiStatus = addImage(area, 30);
    m_evdoStatusLabel = addLabel(area, 36, QStringLiteral("EVDO"));
    m_evdoStatus = addImage(area, 30);
    imageViewOfSignalStrengthForZudera_ = addImage(area, 30);
    imageViewOfSignalStrengthForZudera_->setHidden(
        !configFlag(QStringLiteral("Init"), QStringLiteral("SetIndiaZuderaSignal")));
    m_network = addLabel(area, 110);
    m_domain = addLabel(area, 36);
    m_roamStatus = addLabel(area, 16);
    // The operator variant that shows roaming and home network as two images.
    const bool roamImages = configFlag(QStringLiteral("Init"), QStringLiteral("setRoamStatusForZudera"));
    imageViewOfRoamingStatusForZudera_ = addImage(area, kIconSize);
    imageViewOfRoamingStatusForZudera_->setHidden(!roamImages);
    imageViewOfHomeNetWorkForZudera_ = addImage(area, kIconSize);
    imageViewOfHomeNetWorkForZudera_->setHidden(!roamImages);
    m_NameOfBelonetoSPN = addLabel(area, 150);
    m_NameOfLocalSPN = addLabel(area, 150);
}

void InitController::layOutStatusArea()
{
    // The SIM text takes its place only in the builds that show it.
    const bool simText = configFlag(QStringLiteral("Main"), QStringLiteral("SimStatusWithLetter"));
    double x = kStatusMargin;
    for (ns::View* view : viewNetWorkStatus_->subviews()) {
        if (view->isHidden() && !(view == labelSimStatus_ && simText))
            continue;
        view->setFrameOrigin({x, view->frame().origin.y});
        x += view->frame().size.width + kStatusSpacing;
    }
}

void InitController::buildOperatorWindows()
{
    winR3aWhiteCheck_ = std::make_unique<ns::Window>(ns::Rect(0, 0, 380, 150), ns::TitledWindowMask);
    ns::View* content = winR3aWhiteCheck_->contentView();
    tfdR3aRoamInWhiteList_ =
        ns::TextField::labelWithFrame(ns::Rect(20, 90, 340, 44), ns::Font::systemFontOfSize(12));
    tfdR3aRemindNextConnect_ =
        ns::TextField::labelWithFrame(ns::Rect(42, 56, 318, 20), ns::Font::systemFontOfSize(12));
    content->addSubview(tfdR3aRoamInWhiteList_);
    content->addSubview(tfdR3aRemindNextConnect_);
    checkboxR3aWhiteCheck_ = addButton(content, ns::Rect(20, 56, 20, 20), ns::SwitchButton, this,
                                       QStringLiteral("clickCheckboxInR3aPopUp1:"));
    checkboxR3aWhiteCheck_->setState(ns::OnState);
    btnR3aWhiteCheck_ = addButton(content, ns::Rect(280, 12, 88, 30), ns::MomentaryPushInButton, this,
                                  QStringLiteral("clickOKBtnInR3aPopUp1:"));

    roamAlertWnd_ = std::make_unique<ns::Window>(ns::Rect(0, 0, 360, 130), ns::TitledWindowMask);
    roamwarnningText =
        ns::TextField::labelWithFrame(ns::Rect(20, 50, 320, 64), ns::Font::systemFontOfSize(12));
    roamAlertWnd_->contentView()->addSubview(roamwarnningText);
    btnCloseRoamAlert_ = addButton(roamAlertWnd_->contentView(), ns::Rect(260, 12, 88, 30),
                                   ns::MomentaryPushInButton, this, QStringLiteral("closeRoamAlertWnd:"));
}

void InitController::initializeSkin()
{
    if (!jovSkinManager)
        return;
    // In the skin's order; an outlet a skin does not dress is left as built.
    const std::pair<const char*, ns::Object*> outlets[] = {
        {"wndSettingEnablePin", m_InitPinWindow},
        {"wndSettingPuk", m_InitPukWindow},
        {"wndUnlockDevice", wndUnlockDevice_},
        {"labelInitNetwork", m_network},
        {"labelInitRoamStatus", m_roamStatus},
        {"labelInitBeloneToSPN", m_NameOfBelonetoSPN},
        {"labelInitLocalSPN", m_NameOfLocalSPN},
        {"labelInitDomain", m_domain},
        {"btnInitCheckR3AWhiteList", btnR3aWhiteCheck_},
        {"textPinCodeInit", m_PinCode},
        {"textPukCodeInit", m_PukCode},
        {"textNewPinCodeInit", m_NewPinCode},
        {"textRepNewPinCodeInit", m_RepNewPinCode},
        {"labelIMEIUnlockInit", labelIMEIUnlock},
        {"labelUnlockCodeInit", labelUnlockCode},
        {"labelIMEIStringInit", m_IMEIString},
        {"labelUnlockLeftTimeInit", m_UnlockLeftTime},
        {"labelUnlockCodeInit", m_UnlockCode},
        {"btnUnlockDeviceCancelInit", btnUnlockDeviceCancel_},
        {"btnUnlockDeviceOKInit", btnUnlockDeviceOK_},
        {"textUnlockDeviceCodeInit", tfdUnlockDeviceCode_},
        {"labelUnlockDeviceCodeInit", labelUnlockDeviceCode_},
        {"labelUnlockDeviceCountInit", labelUnlockDeviceCount_},
        {"alertSIMWin", alertSIMWin_},
        {"btnCloseAlertSIMwin", btnCloseAlertSIMwin_},
        {"winInitR3aWhiteCheck", winR3aWhiteCheck_.get()},
        {"wndReAlertToCancelPinInput", wndReAlertToCancelPinInput_},
        {"btnSettingPINAutoValidation", btnPINAutoValidation_},
        {"btnInitSavePinNum", btnSavePinNum_},
        {"winInitUnlock", m_UnlockWin},
        {"btnInitUnlockCancel", btnUnlockCancel_},
        {"btnInitUnlockOK", btnUnlockOK_},
    };
    for (const auto& [key, outlet] : outlets)
        jovSkinManager->registerController(outlet, QString::fromLatin1(key), true);
    registerDiagSkinOutlets();
}

void InitController::initializeNibResources()
{
    const bool evdoShown = platform_ == Platform::RV52;
    if (platform_ != Platform::CDMA) {
        m_evdoStatus->setHidden(!evdoShown);
        m_evdoStatusLabel->setHidden(!evdoShown);
        m_rssiStatusLabel->setHidden(!evdoShown);
    }
    if (configFlag(QStringLiteral("Init"), QStringLiteral("OnlyShowBelonetoSPN")))
        m_NameOfLocalSPN->setHidden(true);
    layOutStatusArea();
    if (platform_ == Platform::CDMA)
        initWithCDMA();
    initNibNetworkStatus();
    clearDiagWindow();
    initDiagWindow();
    viewNetWorkStatus_->setHidden(false);
    for (ns::Button* box : {btnIroamSwitch_, btnNroamSwitch_}) {
        if (box)
            box->setEnabled(false);
    }
    SIMTypeDisplayFld_->setStringValue(QString(""));
    initRssiLacCiWindow();
    for (ns::TextField* field : {tfdOwnNumUI_, tfdOwnNumContent_})
        if (field)
            field->setStringValue(QString());
    // The box of the PIN kept on this computer shows the saved choice again.
    const QString mainModule = QStringLiteral("Main");
    if (configFlag(mainModule, QStringLiteral("AtuoCheckPinAndIccidSavedInConfigFile")))
        btnPinNumSavedInConfigFile_->setState(
            configFlag(mainModule, QStringLiteral("EnableSavePINNum")) ? ns::OnState : ns::OffState);
}

void InitController::initWithCDMA()
{
    m_evdoStatus->setHidden(false);
    m_evdoStatusLabel->setHidden(false);
    m_rssiStatusLabel->setHidden(false);
    ns::Rect roam = m_roamStatus->frame();
    roam.origin.x = m_evdoStatus->frame().origin.x + 10;
    m_roamStatus->setFrame(roam);
    layOutDiagWindowForCDMA();
}

void InitController::updateLanguages(ns::Notification*)
{
    initDiagWindow();
    initRssiLacCiWindow();
    for (auto [box, key] :
         {std::pair{btnIroamSwitch_, "International roam"}, {btnNroamSwitch_, "national roam"}}) {
        if (box)
            box->setTitle(localized(QString::fromLatin1(key)));
    }
    for (auto [item, key] : {std::pair{labelPINEnter_, "Enter PIN"}, {labelPINUnlock_, "Unlock PIN"}}) {
        if (item)
            item->setTitle(localized(QString::fromLatin1(key)));
    }
    if (tfdOwnNumTitle_)
        tfdOwnNumTitle_->setStringValue(localized(QStringLiteral("PhoneNum Title Show in Main View")));
    m_network->setStringValue(localized(networkName_));
    for (ns::Button* button : {btnR3aWhiteCheck_, btnCloseRoamAlert_})
        button->setTitle(localized(QStringLiteral("OK")));
    // The code sheets carry their own wording, the save-PIN boxes included.
    updatePinSheetsWording();
    updateUnlockSheetsWording();
    updateLanguageForSimState();
}

void InitController::specialInit()
{
    whiteListCheckFlag_ = true;
    roamTipWhenInWhiteList_ = true;
    apnCyleWhenRoamToNoRoam_ = false;
    firstTimeDealWithRudaWhenNetWorkChanged_ = true;
    manuuallyInputPinFlag_ = false;
    firstTimeDealWithJpasWhenNetWorkChanged_ = false;
    allowAlertSel3GPreferWhenSignalToNoSignal_ = true;
    roamTransferMode_ = 2;
    registeredNetworkRoamStatus_ = 2;
}

void InitController::specialDeviceRemoved()
{
    checkboxR3aWhiteCheck_->setState(ns::OnState);
    roamTipWhenInWhiteList_ = true;
    firstTimeDealWithRudaWhenNetWorkChanged_ = true;
    firstTimeDealWithJpasWhenNetWorkChanged_ = false;
    allowAlertSel3GPreferWhenSignalToNoSignal_ = true;
    manuuallyInputPinFlag_ = false;
    roamTransferMode_ = 2;
    registeredNetworkRoamStatus_ = 2;
    for (ns::Button* box : {btnIroamSwitch_, btnNroamSwitch_}) {
        if (box)
            box->setEnabled(false);
    }
}

void InitController::deviceRemoved(ns::Notification*)
{
    m_SimPinState = 0;
    setHadDoPinAutoValidation(false);
    setMccmnc(QString(""));
    // The sheets of the SIM and of the roaming notices belong to the device that went.
    closeAllSheetsOfMainWnd();
    setNetworkRoamStatus(2);
    specialDeviceRemoved();
    initializeNibResources();
    alreadyGetSimIMSIFlag_ = false;
    for (ns::MenuItem* item : {labelPINEnter_, labelPINUnlock_}) {
        if (item)
            item->setEnabled(false);
    }
    iccid_.clear();
    dialFunctionEnabledFlag_ = true;
    hasAlertRoam_ = false;
}

bool InitController::isInWhiteList() const
{
    const ns::Value list = configStore().getConfigurationByModuleAndKey(QStringLiteral("Internet"),
                                                                        QStringLiteral("InternetWhiteList"));
    if (!list.isDictionary() || mccmnc_.isNull())
        return false;
    const ns::Dictionary networks = list.toDictionary();
    for (const QString& key : networks.keys()) {
        if (networks.value(key).toString() == mccmnc_)
            return true;
    }
    return false;
}

void InitController::whiteListCheck()
{
    if (!configFlag(QStringLiteral("Internet"), QStringLiteral("paySameAsHomeNetIfIsWhilteNet")) ||
        networkRoamStatus_ != 0 || !isInWhiteList() || !wndMain)
        return;
    setWhiteListCheckFlag(false);
    tfdR3aRoamInWhiteList_->setStringValue(localized(QStringLiteral("roaminWhiteList")));
    tfdR3aRemindNextConnect_->setStringValue(localized(QStringLiteral("remindNextConnect")));
    ns::Application::sharedApplication().beginSheet(winR3aWhiteCheck_.get(), wndMain);
}

void InitController::clickOKBtnInR3aPopUp1(ns::Object*)
{
    ns::Application::sharedApplication().endSheet(winR3aWhiteCheck_.get());
    winR3aWhiteCheck_->orderOut(nullptr);
}

void InitController::clickCheckboxInR3aPopUp1(ns::Object*)
{
    roamTipWhenInWhiteList_ = checkboxR3aWhiteCheck_->state() == ns::OnState;
}

void InitController::showRoamAlertWindow(int state)
{
    if (!configFlag(QString(), QStringLiteral("enableRoamAlert")))
        return;
    if (state == 0 && !hasAlertRoam_) {
        hasAlertRoam_ = true;
        roamAlertWnd_->setTitle(localized(QStringLiteral("STRING_ROAM_ALERT_WND")));
        roamAlertWnd_->center();
        roamAlertWnd_->makeKeyAndOrderFront(nullptr);
        roamwarnningText->setStringValue(localized(QStringLiteral("STRING_ROAM_ALERT_TEXT")));
    } else if (state == 1 && hasAlertRoam_) {
        hasAlertRoam_ = false;
    }
}

void InitController::closeRoamAlertWnd(ns::Object*)
{
    roamAlertWnd_->orderOut(nullptr);
}

void InitController::disconectNetIfConfig()
{
    if (!configFlag(QStringLiteral("Internet"), QStringLiteral("disNetWhileToRoam")) || !g_DialController ||
        g_DialController->connectStatus() != DialControlling::Connected)
        return;
    const int answer = NSRunAlertPanelExt(
        localized(QStringLiteral("Warning")),
        localized(
            QStringLiteral("You are about to connect to a roaming network.Do you want to disconnect now?")),
        localized(QStringLiteral("YES")), localized(QStringLiteral("NO")));
    if (answer == 1)
        g_DialController->DialDisconnect();
}

int InitController::closeRoamAtDomesticRoaming(int state, const char* checkLocalMCCAndNetMCC,
                                               const char* netMCC)
{
    const bool same = checkLocalMCCAndNetMCC && netMCC && *checkLocalMCCAndNetMCC &&
                      qstrcmp(checkLocalMCCAndNetMCC, netMCC) == 0;
    if (configFlag(QStringLiteral("Internet"), QStringLiteral("CloseRoamAtDomesticRoaming")) && state == 0 &&
        same)
        return 1;
    return state;
}

void InitController::setInactivatedUSIMForDoveviWithStatus(int status)
{
    if ((status != 4 && status != 6) || !configFlag(QString(), QStringLiteral("PopUpPanelWhenJUSIM4")))
        return;
    setSimStatus(false);
    showWarning(QStringLiteral("Invalid (U)SIM or No (U)SIM!"));
}

bool InitController::checkSearchRegistStatus()
{
    const QString key = QStringLiteral("SearchRegistModel");
    if (!configFlag(QString(), key))
        return true;
    if (!manualRegistFlag_) {
        manualRegistFlag_ = true;
        return false;
    }
    manualRegistFlag_ = false;
    configStore().setConfigurationByModule(key, false);
    configStore().writeToFile();
    return true;
}

void InitController::dealWithMsgOfCheckSearchMode(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess || !g_SettingController)
        return;
    if (platform_ == Platform::Icera)
        g_SettingController->dealWithMsgOfCheckSearchmodeForIcera(payloadInt32(msg, 0), payloadInt32(msg, 4));
    else
        g_SettingController->dealWithMsgOfCheckSearchmode(payloadInt32(msg, 0), payloadInt32(msg, 4),
                                                          payloadInt32(msg, 8));
}

void InitController::dealWithMsgOfCheckPreferenceMode(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess || !g_SettingController)
        return;
    g_SettingController->dealWithMsgOfCheckPreferenceMode(payloadInt32(msg, 0));
}

void InitController::dealWithMsgOfCheckHPLMN(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess)
        return;
    setCurrentHMcc(payloadInt32(msg, 0));
}
