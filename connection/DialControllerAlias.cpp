// The operator variants of the Internet tab: the Vazo volume warnings while
// a connection runs, the user name and password asked before dialling, the
// operators' own connect buttons, the disconnect after the network service
// is lost, the close without asking, the check after connecting and the connect
// button's image.
#include "connection/DialController.h"

#include "app/interfaces/DialRecordControlling.h"
#include "app/interfaces/InitControlling.h"
#include "app/language/LanguageResources.h"
#include "app/language/LanguageSettingsKeys.h"
#include "app/language/WordingOperation.h"
#include "app/ui/controller/EventSoundPlayer.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "connection/DialProfile.h"
#include "connection/RecordSettingsKeys.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

#include <QFileInfo>

namespace
{

const QString kInternet = QStringLiteral("Internet");
// Lets the window close before the connect goes on.
constexpr double kDialDelay = 0.05;
// Seconds without network service before a connection is ended, unless set.
constexpr double kNoServiceInterval = 60.0;

// The data bands from the top; the first one passed is the only one tested.
struct DataBand {
    double share;
    const char* key;
    bool DialController::*flag;
    const char* message;
};

const DataBand kDataBands[] = {
    {1.0, "WarningForLimit100", &DialController::warnLimitExceedFlag,
     "The preset limit on the data volume that is set on the modem has now reached."},
    {0.8, "WarningForLimit80", &DialController::warnLimitFlag,
     "Total data is reaching 80 percent of the limit"},
    {0.75, "WarningForLimit75", &DialController::warnLimit75Flag_,
     "Total data is reaching 75 percent of the limit"},
    {0.5, "WarningForLimit50", &DialController::warnLimit50Flag_,
     "Total data is reaching 50 percent of the limit"},
    {0.25, "WarningForLimit25", &DialController::warnLimit25Flag_,
     "Total data is reaching 25 percent of the limit"},
};

} // namespace

void DialController::recordLimitWarnForVazo()
{
    if (configStore()
            .getConfigurationByModuleAndKey(record_keys::kRecord, record_keys::kLimitSetValue)
            .floatValue() <= 0)
        return;
    if (g_DialRecordController)
        g_DialRecordController->updateInterface();
    if (configStore()
            .getConfigurationByModuleAndKey(record_keys::kRecord, record_keys::kLimitSetType)
            .intValue() != 0)
        timeLimitForVazo();
    else if (configFlag(record_keys::kRecord, record_keys::kDataLimitSet))
        dataLimitWarnForVazo();
}

void DialController::dataLimitWarnForVazo()
{
    const double used = runningTotalKilobytes();
    // The limit is set in megabytes; the totals are in kilobytes.
    const double limit =
        configStore()
            .getConfigurationByModuleAndKey(record_keys::kRecord, record_keys::kLimitSetValue)
            .floatValue() *
        1024.0;
    for (const DataBand& band : kDataBands) {
        if (!(used > band.share * limit))
            continue;
        if (configFlag(record_keys::kRecord, QString::fromLatin1(band.key)) && this->*band.flag) {
            this->*band.flag = false;
            runVolumeLimitWaring(QString::fromLatin1(band.message));
        }
        return;
    }
}

void DialController::timeLimitForVazo()
{
    // A whole number of hours: 1.5 counts as one hour.
    const long limit =
        long(configStore()
                 .getConfigurationByModuleAndKey(record_keys::kRecord, record_keys::kLimitSetValue)
                 .intValue()) *
        3600;
    const long used = runningTotalSeconds();
    if (used > limit && warnLimitExceedFlag) {
        if (configFlag(record_keys::kRecord, QStringLiteral("WarningForLimit100"))) {
            warnLimitExceedFlag = false;
            warnLimitFlag = false;
            showVolumeWarning(QStringLiteral(
                "The preset limit on the time volume that is set on the modem has now reached."));
        }
    } else if (used > 0.8 * double(limit) && warnLimitFlag &&
               configFlag(record_keys::kRecord, QStringLiteral("WarningForLimit80"))) {
        warnLimitFlag = false;
        showVolumeWarning(QStringLiteral("Total time is reaching 80 percent of the limit."));
    }
}

void DialController::runVolumeLimitWaring(const QString& message)
{
    if (message.isNull())
        return;
    showVolumeWarning(message);
    if (configFlag(record_keys::kRecord, QStringLiteral("WarningForPlaySound")))
        playShortSound(kSoundOffline);
}

void DialController::showVolumeWarning(const QString& message)
{
    NSRunAlertPanelExt(localized(QStringLiteral("Warning!")), localized(message),
                       localized(QStringLiteral("OK")), QString());
}

// ---- the user name and password asked before dialling ----

void DialController::buildCheckAccountWindow()
{
    if (wndCheckAccount_)
        return;
    constexpr double kWidth = 360;
    constexpr double kCaptionWidth = 110;
    const ns::Font font = ns::Font::systemFontOfSize(13);
    wndCheckAccount_ = std::make_unique<ns::Window>(ns::Rect(0, 0, kWidth, 170), ns::TitledWindowMask);
    ns::View* content = wndCheckAccount_->contentView();
    labelCheckUsername_ = ns::TextField::labelWithFrame(ns::Rect(20, 126, kCaptionWidth, 22), font);
    tfCheckUsername_ = new ns::TextField(ns::Rect(20 + kCaptionWidth, 126, kWidth - 40 - kCaptionWidth, 22));
    labelCheckPassword_ = ns::TextField::labelWithFrame(ns::Rect(20, 94, kCaptionWidth, 22), font);
    tfCheckPassword_ =
        new ns::SecureTextField(ns::Rect(20 + kCaptionWidth, 94, kWidth - 40 - kCaptionWidth, 22));
    checkSaveAccount_ = new ns::Button(ns::Rect(20 + kCaptionWidth, 62, kWidth - 40 - kCaptionWidth, 22));
    checkSaveAccount_->setButtonType(ns::SwitchButton);
    btnCheckOK_ = new ns::Button(ns::Rect(kWidth - 20 - 96, 14, 96, 28));
    btnCheckOK_->setAction(QStringLiteral("checkWindowOK:"));
    btnCheckCancel_ = new ns::Button(ns::Rect(kWidth - 20 - 2 * 96 - 8, 14, 96, 28));
    btnCheckCancel_->setAction(QStringLiteral("checkWindowCancel:"));
    for (ns::Button* button : {btnCheckOK_, btnCheckCancel_}) {
        button->setBezelStyle(ns::RoundedBezelStyle);
        button->setTarget(this);
    }
    for (ns::View* view :
         std::initializer_list<ns::View*>{labelCheckUsername_, tfCheckUsername_, labelCheckPassword_,
                                          tfCheckPassword_, checkSaveAccount_, btnCheckOK_, btnCheckCancel_})
        content->addSubview(view);
    wordCheckAccountWindow();
}

void DialController::wordCheckAccountWindow()
{
    if (!wndCheckAccount_)
        return;
    wndCheckAccount_->setTitle(localized(QStringLiteral("Connection")));
    labelCheckUsername_->setStringValue(localized(QStringLiteral("UserName:")));
    labelCheckPassword_->setStringValue(localized(QStringLiteral("Password:")));
    checkSaveAccount_->setTitle(localized(QStringLiteral("Save Username and Password")));
    btnCheckOK_->setTitle(localized(QStringLiteral("OK")));
    btnCheckCancel_->setTitle(localized(QStringLiteral("Cancel")));
}

bool DialController::checkAPNAccount()
{
    const ns::Dictionary profile = currentProfile();
    if (!profile.value(DialProfile::kAskUsernameFlag).boolValue())
        return false;
    buildCheckAccountWindow();
    tfCheckUsername_->setStringValue(profile.value(DialProfile::kAccountName).toString());
    tfCheckPassword_->setStringValue(profile.value(DialProfile::kPassword).toString());
    checkSaveAccount_->setState(profile.value(DialProfile::kSaveUsernameFlag).intValue() ? 1 : 0);
    if (!wndMain || !ns::Application::sharedApplication().beginSheet(wndCheckAccount_.get(), wndMain))
        wndCheckAccount_->makeKeyAndOrderFront(this);
    return true;
}

void DialController::closeCheckAccountWindow()
{
    if (wndCheckAccount_->isSheet())
        ns::Application::sharedApplication().endSheet(wndCheckAccount_.get());
    wndCheckAccount_->orderOut(this);
}

void DialController::checkWindowOK(ns::Object*)
{
    ns::Dictionary profile = currentProfile();
    profile.setValue(DialProfile::kAccountName, tfCheckUsername_->stringValue());
    profile.setValue(DialProfile::kPassword, tfCheckPassword_->stringValue());
    // The device dials with what was typed, kept or not.
    setDialParams();
    if (checkSaveAccount_->state() == 0) {
        profile.setValue(DialProfile::kSaveUsernameFlag, 0);
        profile.setValue(DialProfile::kAccountName, QString());
        profile.setValue(DialProfile::kPassword, QString());
    } else {
        profile.setValue(DialProfile::kSaveUsernameFlag, 1);
    }
    saveDialConfigFile();
    displayAPNInfo();
    closeCheckAccountWindow();
    setConnectBtnEnable(false);
    // One connect for the one request, whichever connect button asked.
    ns::performSelectorAfterDelay(this, QStringLiteral("performDialOption:"), m_ConnectButton, kDialDelay);
}

void DialController::checkWindowCancel(ns::Object*)
{
    closeCheckAccountWindow();
}

// ---- the operators' connect buttons ----

void DialController::dialOptionExt(ns::Object*)
{
    // One action per request: the compact button shows the same state and
    // follows it, so the main button's action alone is performed.
    DialOption(m_ConnectButton);
}

void DialController::btnVADOConnect(ns::Object* sender)
{
    if (connectStatus_ == Connected)
        openSafari(configStore()
                       .getConfigurationByModuleAndKey(QStringLiteral("Internet"),
                                                       QStringLiteral("AutoLaunchURLString"))
                       .toString());
    else if (connectStatus_ == Idle)
        dialOptionExt(sender);
}

// ---- the network service while connected ----

void DialController::monitorNetworkService(bool serviced)
{
    if (serviced || connectStatus_ != Connected)
        stopNetworkServiceTimer();
    else if (!timerForNoService_)
        startNetworkServiceTimer();
}

void DialController::startNetworkServiceTimer()
{
    const ns::Value configured =
        configStore().getConfigurationByModule(QStringLiteral("ServiceTimerInterval"));
    const double interval = configured.isNull() ? kNoServiceInterval : configured.doubleValue();
    timerForNoService_ = ns::Timer::scheduledTimer(interval, false, [this](ns::Timer&) {
        timerForNoService_.reset();
        DialDisconnect();
    });
}

void DialController::stopNetworkServiceTimer()
{
    ns::invalidateAndRelease(timerForNoService_);
}

// ---- the connection's figures between connections ----

void DialController::setConnectStateHidden(bool hidden)
{
    if (!configFlag(QString(), QStringLiteral("AutoHideConnectState")))
        return;
    for (ns::View* view : std::initializer_list<ns::View*>{
             connectStateTitle_, imageViewForConnectStatus_, m_ConnectState, m_IPAddress, m_ConnectTime,
             labelConnectTimeSimple, m_FluxForSend, m_FluxForReceive})
        if (view)
            view->setHidden(hidden);
    for (const char* caption : {"IPAddress:", "ConnectTime:", "Send:", "Receive:"})
        if (ns::View* view = connectStateCaption(caption))
            view->setHidden(hidden);
    // The modem and SIM state takes their place.
    if (m_ModemAndSimState)
        m_ModemAndSimState->setHidden(!hidden);
    setConnectStateHiddenForZudera(hidden);
}

void DialController::setConnectStateHiddenForZudera(bool hidden)
{
    if (!configFlag(kInternet, QStringLiteral("AutoHideConnectStateForZudera")))
        return;
    // A caption does not stay without its figure.
    for (ns::View* view :
         {m_SpeedForSend, m_SpeedForReceive, labelSpeedForSendSimple, labelSpeedForReceiveSimple,
          connectStateCaption("SendRate:"), connectStateCaption("ReceiveRate:")})
        if (view)
            view->setHidden(hidden);
}

ns::TextField* DialController::connectStateCaption(const char* key) const
{
    for (const auto& [caption, wordingKey] : connectStateCaptions_)
        if (wordingKey == QLatin1String(key))
            return caption;
    return nullptr;
}

// ---- closing and the checks after connecting ----

void DialController::performCloseActionForZID()
{
    if (!configFlag(QStringLiteral("MAINFORM"), QStringLiteral("CloseAppWihoutQueryConnection")) ||
        bAppWillClose_ || !GetisDialNow())
        return;
    bAppWillClose_ = true;
    if (readConnectType() != 0)
        NDISDialDisconnect();
    else
        DialDisconnect();
}

void DialController::doAfterConnected()
{
    if (configFlag(QStringLiteral("Internet"), QStringLiteral("alertWhenRoamConnectedAndIsBlackNet")) &&
        g_InitControlling && g_InitControlling->networkRoamStatus() == 0 &&
        !g_InitControlling->isInWhiteList() && connectStatus_ == Connected)
        NSRunAlertPanelExt(localized(QStringLiteral("Warning")),
                           localized(QStringLiteral("connectedNotInWhiteList")),
                           localized(QStringLiteral("OK")), QString());
}

// ---- the connect button's image ----

void DialController::setConnectBtnImage()
{
    if (!m_ConnectButton ||
        !configFlag(QStringLiteral("Internet"), QStringLiteral("ConnectBtnDisplayWithImage")))
        return;
    if (switches_.isDisplayWordingForConnectBtn())
        m_ConnectButton->setTitle(QString());
    QString key;
    switch (connectStatus_) {
    case Connected:
        key = QStringLiteral("DisconnectButton_imageName");
        break;
    case Connecting:
        key = QStringLiteral("CancelButton_imageName");
        break;
    case Disconnecting:
        key = QStringLiteral("ConnectDisabledButton_imageName");
        break;
    default:
        key = m_ConnectButton->isEnabled() ? QStringLiteral("ConnectButton_imageName")
                                           : QStringLiteral("ConnectDisabledButton_imageName");
    }
    const ns::Image image = connectButtonImageName(key);
    if (image.isNull())
        return;
    m_ConnectButton->setImage(image);
    if (btnConnectSimple) {
        btnConnectSimple->setImagePosition(ns::ImageOnly);
        btnConnectSimple->setImage(image);
    }
}

ns::Image DialController::connectButtonImageName(const QString& key) const
{
    const QString file = switches_.getConnectButtonImageName(key);
    if (file.isEmpty())
        return ns::Image();
    // The language's own image first: the name of the folder of the token
    // list in use ("English" for English.lproj) before the file's.
    QString tokens = LanguageResources::tokenListPathOfLanguage(
        configStore().getConfigurationByModule(kCurrentLanguageKey).toString());
    if (tokens.isEmpty())
        tokens = LanguageResources::rootTokenListPath();
    const QString language = QFileInfo(QFileInfo(tokens).path()).completeBaseName();
    const QString resources = ns::Bundle::mainBundle().resourcePath();
    const QString localised = resources + QLatin1Char('/') + language + file;
    return ns::Image::imageWithContentsOfFile(
        QFileInfo::exists(localised) ? localised : resources + QLatin1Char('/') + file);
}

// ---- the connect controls' wording for the state ----

void DialController::initConnectStatusWording()
{
    if (tfdDisplayModemStartUpProcess_)
        tfdDisplayModemStartUpProcess_->setStringValue(
            modemStartUpProcessStateChanged_ ? QString() : QStringLiteral("Modem is in start-up process."));
    const auto wording = [](const char* key) {
        return WordingOperation::getDisplayWordingValueByWordingKey(QString::fromLatin1(key));
    };
    QString title, toolTip, simple;
    switch (connectStatus_) {
    case Connecting:
        title = wording("Internet_btnConnect_Cancel");
        toolTip = wording("Internet_btnCancel");
        simple = wording("Internet_btnConnectSimple_Cancel");
        break;
    case Disconnecting:
        title = localized(QStringLiteral("Disconnect"));
        toolTip = localized(QStringLiteral("Internet_btnDisconnect"));
        simple = wording("Internet_btnConnectSimple_Disconnect");
        break;
    case Connected:
        title = localized(QStringLiteral("Disconnect"));
        toolTip = wording("Internet_btnDisconnect");
        simple = wording("Internet_btnConnectSimple_Disconnect");
        if (m_ConnectState)
            m_ConnectState->setStringValue(localized(QStringLiteral("Connected")));
        setConnectStateForZudera(true);
        break;
    default:
        title = switches_.changeLeftValueOfWordingForConnectBtn()
                    ? wording("Internet_btnConnectTitle_Connect")
                    : localized(QStringLiteral("Connect"));
        toolTip = wording("Internet_btnConnect");
        simple = wording("Internet_btnConnectSimple_Connect");
        // While the controls wait for the device the state text stays as the
        // device's reports left it; nothing else sets it again once they are enabled.
        if (m_ConnectButton && !m_ConnectButton->isEnabled())
            setModemAndSimStateString(QStringLiteral("Dial_tfdDeviceNotDetected"));
        if (m_ConnectState && (m_ConnectButton->isEnabled() || m_ConnectState->stringValue().isEmpty()))
            m_ConnectState->setStringValue(localized(QStringLiteral("Idle")));
        if (imageViewForConnectStatus_)
            imageViewForConnectStatus_->setImage(
                ns::Image::imageNamed(QStringLiteral("StateOfNotConnection")));
    }
    if (m_ConnectButton) {
        m_ConnectButton->setTitle(title);
        if (switches_.displayTooltipForConnectBtn())
            m_ConnectButton->setToolTip(toolTip);
    }
    if (btnConnectSimple) {
        btnConnectSimple->setTitle(simple);
        btnConnectSimple->setToolTip(simple);
    }
    setConnectBtnImage();
}
