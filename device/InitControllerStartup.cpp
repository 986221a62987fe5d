// The device server's start-up reports (handshake, device status and mode,
// SIM status, PIN-saved state, roaming switches), the on-line and off-line
// requests and the service domain.
#include "device/InitController.h"

#include "app/config/ConfigService.h"
#include "app/config/Platform.h"
#include "app/interfaces/DialControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/interfaces/USSDControlling.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "device/InitService.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadReader.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TextField.h"

namespace
{

// How long the modem image shows the check before the modem counts as starting.
constexpr double kCheckModemStatusDelay = 2.0;

// Device modes of the CDMA family.
bool isCdmaMode(int mode)
{
    return mode == 4 || mode == 5 || mode == 6;
}

void setCheckBox(ns::Button* box, bool on)
{
    if (box)
        box->setState(on ? ns::OnState : ns::OffState);
}

} // namespace

void InitController::setDeviceOnline()
{
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleInit, msg::device::kStartWork.majorID,
                                          msg::device::kStartWork.minorID, kTypeRequest, kResultSuccess);
}

void InitController::setDeviceOffline()
{
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleInit, msg::device::kStopWork.majorID,
                                          msg::device::kStopWork.minorID, kTypeRequest, kResultSuccess);
}

bool InitController::hasPSDomain() const
{
    if (configFlag(QString(), QStringLiteral("EnableConnectByNetStatus")))
        return hasCSDomain();
    return (networkMode_ & 2) != 0;
}

bool InitController::checkToReturnPSDomain() const
{
    if (configFlag(QStringLiteral("Internet"), QStringLiteral("DoNotCheckPSDomainWhileAutoConnect")) ||
        configFlag(QStringLiteral("Internet"), QStringLiteral("AutoConnectDoNotCheckPSDomain")))
        return true;
    return hasPSDomain();
}

void InitController::setNetworkDomain(int mode, const QString& networkName)
{
    InitService::sharedInitService().setNetworkMode(mode);
    setNetworkMode(mode);
    switch (mode) {
    case 3:
        setDomainName(QStringLiteral("P C"));
        break;
    case 1:
        setDomainName(QStringLiteral("C"));
        break;
    case 2:
        setDomainName(QStringLiteral("P"));
        break;
    default:
        // No service: nothing of the network is known any more.
        setDomainName(QString(""));
        setRoamInfoWithNetworkRoamStatus(2);
        setBelonetoSPN(QString(""));
        setLocalSPN(QString(""), true);
        break;
    }
    if (platform_ != Platform::CDMA)
        setNetworkStatus(networkName);
    setNetworkStatusWhenDomainModeChange(mode);
}

void InitController::informOtherModulePSDomain(int mode)
{
    if (!dialFunctionEnabledFlag_ || configFlag(QString(), QStringLiteral("EnableConnectByNetStatus")))
        return;
    bool packetDomain = (mode & 2) != 0;
    if (ConfigService(configStore()).isEnableToolbarForZAzuva() &&
        !(g_USSDController && g_USSDController->getConnectBtnEnableZerivad()))
        packetDomain = false;
    if (g_SettingController)
        g_SettingController->setAutoConnectBtnEnable(packetDomain);
    if (g_DialController)
        g_DialController->setPSDomainStatus(packetDomain);
}

void InitController::dealWithMsgOfHandShake(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess)
        return;
    if (ConfigService(configStore()).isDisplayCheckModemStatus()) {
        m_netStatus->setImage(ns::Image::imageNamed(QStringLiteral("netstatusOfCheckModem")));
        ns::performSelectorAfterDelay(this, QStringLiteral("setModemStatusPresent:"), nullptr,
                                      kCheckModemStatusDelay);
    } else {
        setModemStatus(true);
    }
}

// Replies that need no action: the record is read and nothing else is done.
void InitController::dealWithMsgOfPowerCheck(ns::Notification* notification)
{
    _UI_MSG msg;
    readRecord(notification, &msg);
}

void InitController::dealWithMsgOfWorkModeCheck(ns::Notification* notification)
{
    dealWithMsgOfPowerCheck(notification);
}

void InitController::dealWithMsgOfStartWork(ns::Notification* notification)
{
    dealWithMsgOfPowerCheck(notification);
}

void InitController::dealWithMsgOfStopWork(ns::Notification* notification)
{
    dealWithMsgOfPowerCheck(notification);
}

void InitController::dealWithMsgOfGetDeviceMode(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    m_deviceMode = payloadInt32(msg, 0);
    if (isCdmaMode(m_deviceMode)) {
        m_rssiStatusLabel->setHidden(true);
        m_evdoStatus->setHidden(true);
        m_evdoStatusLabel->setHidden(true);
        if (g_SettingController) {
            g_SettingController->setCDMASelectNetworkVisible(true);
            g_SettingController->setWCDMASelectNetworkVisible(false);
        }
        if (g_DialController)
            g_DialController->setWCDMAConfigHidden(false);
        return;
    }
    if (g_SettingController) {
        g_SettingController->setWCDMASelectNetworkVisible(true);
        g_SettingController->setCDMASelectNetworkVisible(false);
    }
    if (g_DialController && configFlag(QStringLiteral("Internet"), QStringLiteral("HideWCDMAPara")))
        g_DialController->setWCDMAConfigHidden(true);
}

void InitController::dealWithMsgOfCheckSIMStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    const int32_t status = payloadInt32(msg, 0);
    if (msg.result == kResultFailure) {
        if (status == -1) {
            if (g_DialController) {
                g_DialController->setDeviceStatusStringRows(1);
                g_DialController->smartUITopFixedImage(QString(), QString(), QString(),
                                                       localized(QStringLiteral("No SIM")));
                g_DialController->setModemAndSimStateString(QStringLiteral("Init_tfdNo (U)SIM"));
            }
            if (!configFlag(QStringLiteral("Init"), QStringLiteral("DonotShowNoSIMAlert")))
                showWarning(QStringLiteral("NO UIM, Please insert UIM card!"));
        }
        setNetworkDomain(0, QStringLiteral("No Service"));
        return;
    }
    if (msg.result != kResultSuccess)
        return;
    if (status == 0)
        SIMTypeDisplayFld_->setStringValue(QStringLiteral("2G"));
    else if (status == 1)
        SIMTypeDisplayFld_->setStringValue(QStringLiteral("3G"));
}

void InitController::dealWithMsgOfCheckUSIMStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    setInactivatedUSIMForDoveviWithStatus(
        msg.type == kTypeReport && msg.moduleID == kModuleInit ? payloadInt32(msg, 0) : 0);
}

void InitController::dealWithMsgOfPinStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess || msg.moduleID != kModuleInit)
        return;
    setSimStatus(true);
    notifySimReady();
    if (g_DialController)
        g_DialController->setDialParams();
}

void InitController::dealWithMsgOfPinAutoValidation(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.type != kTypeReport)
        return;
    if (msg.result != kResultSuccess) {
        setCheckBox(btnPINAutoValidation_, false);
        setCheckBox(btnSavePinNum_, false);
    } else if (msg.length == 8) {
        const bool saved = payloadInt32(msg, 0) == 1;
        setCheckBox(btnPINAutoValidation_, saved);
        setCheckBox(btnSavePinNum_, saved);
        configStore().setConfigurationByModuleKeyAndValue(
            QStringLiteral("Main"), QStringLiteral("hadDosavePinToModemByUser"), payloadInt32(msg, 4) == 1);
    } else if (msg.length == 0) {
        setCheckBox(btnPINAutoValidation_, false);
        setCheckBox(btnSavePinNum_, false);
    }
    // Every report is followed by asking for the state again.
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleInit, msg::device::kPinAutoValidation.majorID,
                                          msg::device::kPinAutoValidation.minorID, kTypeRequest,
                                          kResultSuccess);
}

void InitController::dealWithMsgOfReadPin(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.type != kTypeReport || msg.result != kResultSuccess ||
        msg.length != FieldWidth::kCode)
        return;
    setPinNum(payloadText(msg, 0, FieldWidth::kCode));
}

void InitController::dealWithMsgOfCheckDeviceStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    if (quint8(msg.result) < quint8(kResultFailure))
        notifyDevicePlugin();
    else
        notifyDeviceRemoved();
}

void InitController::dealWithMsgOfCheckDeviceNotAttached(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    showWarning(QStringLiteral("Device not detected!"));
}

void InitController::dealWithMsgOfReadRoamSwitch(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.type != kTypeReport || msg.moduleID != kModuleInit ||
        msg.result != kResultSuccess)
        return;
    nRoamDefaultValue_ = payloadInt32(msg, 0);
    iRoamDefaultValue_ = payloadInt32(msg, 4);
    for (auto [box, value] :
         {std::pair{btnNroamSwitch_, nRoamDefaultValue_}, {btnIroamSwitch_, iRoamDefaultValue_}}) {
        if (box) {
            box->setEnabled(true);
            box->setState(value == 1 ? ns::OnState : ns::OffState);
        }
    }
    const QString onceKey = QStringLiteral("SetDefaultIroamSwitchOnAfterFinishInstalling");
    if (!configFlag(QStringLiteral("Setting"), onceKey))
        return;
    setCheckBox(btnIroamSwitch_, true);
    iRoamDefaultValue_ = 1;
    if (g_SettingController)
        g_SettingController->sendSetRoamSwitch();
    configStore().setConfigurationByModuleKeyAndValue(QStringLiteral("Setting"), onceKey, false);
    configStore().writeToFile();
}
