// The status area of the main window and the init_* notifications: one
// setter per item, each the only poster of its notification.
#include "device/InitController.h"

#include "app/config/ConfigService.h"
#include "app/config/Platform.h"
#include "app/interfaces/DialControlling.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "device/InitNotifications.h"
#include "device/InitService.h"
#include "device/MainController.h"
#include "device/NetworkRegistration.h"
#include "device/SignalReports.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TextField.h"

namespace
{

// How long the SIM image shows the check before the ready image.
constexpr double kCheckSimStatusDelay = 2.0;

// The network types on which the main window's broadcast message is cleared.
const QStringList kBroadcastClearingTypes = {"No Service", "Limited Service", "HSDPA", "HSUPA",
                                             "UMTS",       "HSPA+",           "3G"};
// The network types without a valid RSCP or Ec/No.
const QStringList kTypesWithoutRscp = {"GPRS", "EDGE", "GSM", "2G", "No Service"};

QString signalImage(int level)
{
    return QStringLiteral("rssi%1").arg(level + 1);
}

} // namespace

void InitController::sendNotification(const QString& name, const ns::Value& value)
{
    notificationCenter.postNotificationName(name, nullptr, ns::Dictionary{{name, value}});
}

void InitController::setSignalStrength(int level)
{
    if (!runtimeObjectForKey(kRTSIMCardReady).boolValue())
        level = 0;
    const bool noService =
        networkName_ == QLatin1String("No Service") || networkName_ == QLatin1String("Limited Service");
    if (configFlag(QStringLiteral("Init"), QStringLiteral("ShowSignalWhenServiceExist")) && noService)
        level = 0;
    else if (level < 0 || level > 5)
        return;
    m_rssiStatus->setImage(ns::Image::imageNamed(signalImage(level)));
    setIndiaZuderaSignal(level);
    sendNotification(kSingalStrength, level);
}

void InitController::setIndiaZuderaSignal(int level)
{
    if (!configFlag(QStringLiteral("Init"), QStringLiteral("SetIndiaZuderaSignal")))
        return;
    imageViewOfSignalStrengthForZudera_->setImage(
        ns::Image::imageNamed(QStringLiteral("SIGNAL%1").arg(level + 1)));
    m_rssiStatus->setToolTip(localized(level != 0 ? QStringLiteral("Signal") : QStringLiteral("No Signal")));
}

void InitController::setModemStatus(bool present)
{
    if (g_DialController)
        g_DialController->setModemAndSimStateString(present ? QStringLiteral("Init_tfdStarting Device")
                                                            : QStringLiteral("Dial_tfdDeviceNotDetected"));
    m_netStatus->setImage(
        ns::Image::imageNamed(present ? QStringLiteral("netstatus2") : QStringLiteral("netstatus1")));
    sendNotification(kModemConnected, present);
}

void InitController::setSimStatus(bool ready)
{
    const bool withLetter = configFlag(QStringLiteral("Main"), QStringLiteral("SimStatusWithLetter"));
    ns::cancelPreviousPerformRequests(this, QStringLiteral("setImageForSimCardRead:"), nullptr);
    if (ready) {
        if (withLetter) {
            labelSimStatus_->setHidden(true);
            m_simStatus->setHidden(true);
            setImageForSimCardRead();
        } else if (ConfigService(configStore()).isDisplayCheckSimStatus()) {
            m_simStatus->setImage(ns::Image::imageNamed(QStringLiteral("CheckSIMStatus")));
            ns::performSelectorAfterDelay(this, QStringLiteral("setImageForSimCardRead:"), nullptr,
                                          kCheckSimStatusDelay);
        } else {
            setImageForSimCardRead();
        }
        m_SimPinState = 1;
        if (configFlag(QStringLiteral("Main"), QStringLiteral("pinAutoValidation")) &&
            manuuallyInputPinFlag_) {
            savePinToModem();
            manuuallyInputPinFlag_ = false;
        }
        setRuntimeObject(true, kRTSIMCardReady);
    } else {
        if (withLetter) {
            labelSimStatus_->setHidden(false);
            m_simStatus->setHidden(false);
            labelSimStatus_->setStringValue(localized(QStringLiteral("No (U)SIM")));
        }
        m_simStatus->setImage(ns::Image::imageNamed(QStringLiteral("noSim")));
        m_SimPinState = 0;
        setRuntimeObject(false, kRTSIMCardReady);
    }
    sendNotification(kSimStatus, ready);
}

void InitController::setImageForSimCardRead()
{
    m_simStatus->setImage(ns::Image::imageNamed(QStringLiteral("simReady")));
}

void InitController::updateLanguageForSimState()
{
    if (!labelSimStatus_->isHidden())
        labelSimStatus_->setStringValue(localized(QStringLiteral("No (U)SIM")));
}

void InitController::setNetworkStatus(const QString& text)
{
    if (text.isNull())
        return;
    if (platform_ == Platform::Icera && kBroadcastClearingTypes.contains(text) && g_MainController)
        g_MainController->setBroadcastMsg(QString(""));
    networkName_ = text;
    m_network->setStringValue(localized(text));
    sendNotification(kNetworkStatus, configFlag(QString(), QStringLiteral("DynamicConvertNetworkName"))
                                         ? localized(text)
                                         : text);
}

void InitController::setDomainName(const QString& text)
{
    if (text.isNull())
        return;
    m_domain->setStringValue(text);
    sendNotification(kDomainName, text);
}

void InitController::setBelonetoSPN(const QString& text)
{
    if (text.isNull())
        return;
    m_NameOfBelonetoSPN->setStringValue(text);
    sendNotification(kBelonetoSPN, text);
}

void InitController::setLocalSPN(const QString& text, bool withReFreshFlag)
{
    if (!withReFreshFlag || text.isNull())
        return;
    m_NameOfLocalSPN->setStringValue(text);
    sendNotification(kLocalSPN, text);
}

void InitController::setNetworkStatusWhenDomainModeChange(int mode)
{
    if (!g_DialController)
        return;
    if (mode == 3)
        g_DialController->setModemAndSimStateString(QStringLiteral("Init_tfdData Not Connected"));
    else if (mode == 1 || mode == 2)
        g_DialController->setModemAndSimStateString(QStringLiteral("Init_tfdStarting Device"));
}

void InitController::displayQualcomWCDMASignal(const _UI_MSG& msg)
{
    const QualcomWcdmaSignalReport report = QualcomWcdmaSignalReport::fromRecord(msg);
    m_SignalStrength = report.rssiIndex;
    setSignalStrength(report.level());
}

void InitController::displayQualcomCDMASignal(const _UI_MSG& msg)
{
    const QualcomCdmaSignalReport report = QualcomCdmaSignalReport::fromRecord(msg);
    display1XSignal(report.oneX);
    displayEvdoSignal(report.evdo);
    displayNetworkStatus(report.oneX, report.evdo);
}

void InitController::display1XSignal(int value)
{
    setSignalStrength(QualcomCdmaSignalReport{value, 0}.level());
}

void InitController::displayEvdoSignal(int value)
{
    m_evdoStatus->setImage(ns::Image::imageNamed(QualcomCdmaSignalReport{0, value}.evdoImageName()));
}

void InitController::displayNetworkStatus(int oneX, int evdo)
{
    setNetworkStatus(localized(QualcomCdmaSignalReport{oneX, evdo}.networkStatus()));
}

void InitController::setRssiSignalWithRSCP(int rscp, int rssi, int ecno)
{
    notificationCenter.postNotificationName(QStringLiteral("ReadRscpRssiEcnoInfo"), this,
                                            ns::Dictionary{{QStringLiteral("RSCP"), QString::number(rscp)},
                                                           {QStringLiteral("RSSI"), QString::number(rssi)},
                                                           {QStringLiteral("ECNO"), QString::number(ecno)}});
    rscp_ = QStringLiteral("%1 dBm").arg(rscp);
    rssi_ = QStringLiteral("%1 dBm").arg(rssi);
    ecno_ = QStringLiteral("%1 dBm").arg(ecno);
    InitService& service = InitService::sharedInitService();
    if (service.signalStrengthFlag() == 1)
        service.setSignalStrength(rscp_);
    else if (service.signalStrengthFlag() == 0)
        service.setSignalStrength(rssi_);
    // The diagnostics window shows the measurement when it is kept up to date;
    // on a network without RSCP and Ec/No those two are not shown.
    if (!configFlag(QStringLiteral("Main"), QStringLiteral("UpdateDiagWindow")))
        return;
    if (kTypesWithoutRscp.contains(networkName_) &&
        configFlag(QString(), QStringLiteral("NoShowInValidValueOfEcioRscp"))) {
        rscp_.clear();
        ecno_.clear();
    } else {
        tfdDiagRSCP_->setStringValue(rscp_);
        tfdDiagECNO_->setStringValue(ecno_);
    }
    tfdDiagRSSI_->setStringValue(rssi_);
    diagValueField(QStringLiteral("SignalStrength"))->setStringValue(service.signalStrength());
}

void InitController::initNibNetworkStatus()
{
    m_evdoStatus->setImage(ns::Image::imageNamed(QStringLiteral("rssi1")));
    setSignalStrength(0);
    setRoamInfoWithNetworkRoamStatus(2);
    setBelonetoSPN(QString(""));
    setModemStatus(false);
    setSimStatus(false);
    setNetworkStatus(QStringLiteral("No Service"));
    setLocalSPN(QString(""), true);
    setDomainName(QString(""));
    if (configFlag(QString(), QStringLiteral("HidePCDomain")))
        m_domain->setHidden(true);
}

bool InitController::progressSPNDomainForRodidiz(bool flag)
{
    if (!flag || !settingDict_.value(QStringLiteral("RodidizSPNSet")).boolValue() ||
        !settingDict_.contains(QStringLiteral("RodidizPLMN")) || m_SPN.isEmpty())
        return false;
    setBelonetoSPN(m_SPN);
    return true;
}

void InitController::setRoamInfoWithNetworkRoamStatus(int status)
{
    // Some builds show their own networks as home even when the device says roaming.
    const ns::Value hidden = ConfigService(configStore()).readMCCMNCListFromConfig();
    if (status == 0 && hidden.isArray() && hidden.toArray().contains(ns::Value(mccmnc_)))
        status = 1;
    setNetworkRoamStatus(status);
    if (status == 0 || status == 1) {
        setRoamTransferModeWithPreStatus(registeredNetworkRoamStatus_, status);
        m_roamStatus->setStringValue(status == 0 ? QStringLiteral("R") : QString(""));
        registeredNetworkRoamStatus_ = status;
    } else {
        m_roamStatus->setStringValue(QString(""));
    }
    sendNotification(kRoamStatus, status);
    setRoamStatusForZudera(status);
}

void InitController::setRoamStatusForZudera(int status)
{
    if (!configFlag(QStringLiteral("Init"), QStringLiteral("setRoamStatusForZudera")))
        return;
    const auto image = [this](const char* key) {
        return ns::Image::imageNamed(
            configStore()
                .getConfigurationByModuleAndKey(QStringLiteral("Init"), QString::fromLatin1(key))
                .toString());
    };
    imageViewOfRoamingStatusForZudera_->setImage(
        image(status == 0 ? "imageNameOfRoamOnForZudera" : "imageNameOfRoamOffForZudera"));
    imageViewOfHomeNetWorkForZudera_->setImage(
        image(status == 1 ? "imageNameOfHomeNetSelectedForZudera" : "imageNameOfHomeNetUnSelectedForZudera"));
}

void InitController::setRoamTransferModeWithPreStatus(int previous, int status)
{
    RoamTransfer transfer{previous, roamTransferMode_};
    const bool homeToRoaming = transfer.report(status);
    roamTransferMode_ = transfer.roamTransferMode;
    if (homeToRoaming)
        disconectNetIfConfig();
}
