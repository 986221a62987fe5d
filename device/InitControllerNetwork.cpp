// Registration, network type, roaming and cell as the device reports them:
// the domain bits and network-type text, the roaming state and its
// transitions, and what the connection does when the network changes.
#include "device/InitConfigModules.h"
#include "device/InitController.h"

#include "app/config/ConfigService.h"
#include "app/config/Platform.h"
#include "app/interfaces/DialControlling.h"
#include "app/interfaces/SMSControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "device/InitConfigModules.h"
#include "device/InitNotifications.h"
#include "device/InitService.h"
#include "device/NetworkRecords.h"
#include "device/NetworkRegistration.h"
#include "jCommon/PayloadReader.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

using namespace init_config;

namespace
{

const QString kNoService = QStringLiteral("No Service");

} // namespace

void InitController::dealWithMsgOfCheckNetInfo(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    if (configFlag(kMain, QStringLiteral("filterTheFirstRudaJpasWhenNetWorkChanged")) &&
        firstTimeDealWithJpasWhenNetWorkChanged_) {
        dealWithFirstJpasWhenNetWorkChanged();
        return;
    }
    const NetInfoRecord report = NetInfoRecord::fromRecord(msg);
    const int mode = networkModeWithDomainText(report.domain);
    const QString networkType = mode == 0 ? kNoService : report.networkType;
    sendActiveSimcardSMS(mode);
    setNetworkDomain(mode, getDisplayNetWorkTypeWithNetType(
                               networkType, NetTypeDisplaySwitches::fromConfig(configStore())));
}

void InitController::dealWithFirstJpasWhenNetWorkChanged()
{
    // The connect buttons belong to the dial controller's page; what is left
    // here is letting the next report through.
    firstTimeDealWithJpasWhenNetWorkChanged_ = false;
}

void InitController::sendActiveSimcardSMS(int mode)
{
    if (!configFlag(kSms, QStringLiteral("NeedSendActiveSIMCardSMS")) || (mode != 1 && mode != 3))
        return;
    NSRunAlertPanelExt(localized(QStringLiteral("Warning")),
                       localized(QStringLiteral("It is necessary to active the line for starting to use your "
                                                "MODEM USB.")),
                       localized(QStringLiteral("Accept")), QString());
    const QString number = configStore()
                               .getConfigurationByModuleAndKey(kSms, QStringLiteral("SendActiveSIMCardSMSTo"))
                               .toString();
    const QString text = configStore()
                             .getConfigurationByModuleAndKey(kSms, QStringLiteral("SendActiveSIMCardSMSMsg"))
                             .toString();
    if (number.isEmpty() || text.isEmpty() || !g_SMSController)
        return;
    g_SMSController->sendSmsTo(number, text, false, false, true);
    configStore().setConfigurationByModuleKeyAndValue(kSms, QStringLiteral("NeedSendActiveSIMCardSMS"),
                                                      false);
    configStore().writeToFile();
}

void InitController::dealWithMsgOfCheckNetInfoForIcera(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    const SecondFamilyNetInfoRecord report = SecondFamilyNetInfoRecord::fromRecord(msg);
    InitService& service = InitService::sharedInitService();
    const QString previous = mccmnc_;
    mccmnc_ = report.mccMnc;
    service.setCurrentRmccRmnc(mccmnc_);
    // With a list of networks whose roaming shows as home, the state is judged again.
    if (!ConfigService(configStore()).readMCCMNCListFromConfig().isNull())
        setRoamInfoWithNetworkRoamStatus(kRoamStatusRoaming);
    if (mccmnc_ != previous)
        doWhenNetWorkChanged();
    if (!report.hasNetwork()) {
        if (!configFlag(QString(), QStringLiteral("SearchRegistModel")))
            setNetworkDomain(0, kNoService);
        return;
    }
    if (!checkSearchRegistStatus())
        return;
    checkIsNationnalRoam(mccmnc_);
    checkAPNMatchWithMCCMNC(mccmnc_);
    if (m_NameOfLocalSPN->stringValue() == localized(QStringLiteral("Not Found"))) {
        setNetworkDomain(0, kNoService);
        return;
    }
    const QString previousTechnology = currentAccessTechnology_;
    const SecondFamilyNetwork network = secondFamilyNetwork(report, currentAccessTechnology_);
    currentAccessTechnology_ = network.accessTechnology;
    setNetworkDomain(network.mode, network.name);
    if (report.accessTechnology == u"-")
        compareAccessTechnology(previousTechnology, currentAccessTechnology_);
}

void InitController::compareAccessTechnology(const QString& previous, const QString& current)
{
    if (configFlag(kInternet, QStringLiteral("Internet_RoamAlertAtNetFrom3GTo2G")) && previous == u"UMTS" &&
        current != previous && g_DialController &&
        g_DialController->connectStatus() == DialControlling::Connected)
        roamAlertWnd_->makeKeyAndOrderFront(nullptr);
}

void InitController::dealWithMsgOfCheckRoamInfo(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    const RoamInfoRecord report = RoamInfoRecord::fromRecord(msg);
    if (platform_ == Platform::Icera) {
        const int status = getNetworkRoamStatusWithCregResult(report.registrationState);
        setRoamInfoWithNetworkRoamStatus(status);
        showRoamAlertWindow(status);
        InitService::sharedInitService().setNetworkRoamStatus(status);
    }
    const ns::Value lastDigits =
        configStore().getConfigurationByModuleAndKey(QStringLiteral("CellId"), QStringLiteral("ShowLastNum"));
    const QString cell = decimalOfHexCode(report.cellIdentity, lastDigits.intValue());
    if (!cell.isEmpty()) {
        cellIdentity_ = cell;
        diagValueField(QStringLiteral("SerCell"))->setStringValue(cell);
        labelRssiLacCiWindowCiValue_->setStringValue(cell);
        notificationCenter.postNotificationName(QStringLiteral("ReadCellIDInfo"), nullptr,
                                                ns::Dictionary{{QStringLiteral("CellIDInfo"), cell}});
    }
    const QString area = decimalOfHexCode(report.locationAreaCode);
    if (!area.isEmpty()) {
        locationAreaCode_ = area;
        labelRssiLacCiWindowLacValue_->setStringValue(area);
    }
}

void InitController::doWhenNetWorkChanged()
{
    const int mode = roamTransferMode_;
    if (g_DialController) {
        const int connectStatus = g_DialController->connectStatus();
        if (configFlag(kInternet, QStringLiteral("autoConnectWhenRoamToNoRoam")) && mode == kRoamToHome) {
            const bool manual = g_DialController->hadDoManualDisconnect();
            if (g_SettingController && g_SettingController->allowAutoConnect() && !manual) {
                g_DialController->setApnCycleEnable(true);
                if (connectStatus == DialControlling::Connected)
                    g_DialController->setApnCyleWhenRoamToNoRoam(true);
            }
            if (connectStatus == DialControlling::Connected)
                g_DialController->DialDisconnect();
            else if (connectStatus == DialControlling::Idle && !manual && !g_DialController->isDoingConnect())
                g_DialController->reconnect(true);
        }
        if (mode == kHomeToRoam &&
            (connectStatus == DialControlling::Connected || connectStatus == DialControlling::Connecting))
            g_DialController->DialDisconnect();
    }
    whiteListCheck();
}

bool InitController::isNetWorkChangedWithPreMCCMNC(const QString& previous) const
{
    return !mccmnc_.isEmpty() && previous != mccmnc_;
}

void InitController::dealWithFirstRudaWhenNetWorkChangedWithPreMccMnc(const QString& previous)
{
    mccmnc_ = previous;
    firstTimeDealWithRudaWhenNetWorkChanged_ = false;
    firstTimeDealWithJpasWhenNetWorkChanged_ = true;
}

void InitController::checkIsNationnalRoam(const QString& mccmnc)
{
    if (!configFlag(kInternet, QStringLiteral("NotAutoConnectForInterRoam")) || mccmnc.isEmpty())
        return;
    setRuntimeObject(mccmnc.startsWith(QString::number(currentHMcc_)), kRTIsSameMCC);
}

void InitController::checkLocalMCCAndNetMCC(const QString& localMcc, const QString& netMcc)
{
    if (!configFlag(kInternet, QStringLiteral("NotAutoConnectForInterRoam")) || localMcc.isEmpty() ||
        netMcc.isEmpty())
        return;
    setRuntimeObject(localMcc == netMcc, kRTIsSameMCC);
}

void InitController::dealWithMsgOfCheckJairInfoStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess)
        return;
    const CellInfoRecord report = CellInfoRecord::fromRecord(msg);
    diagRAC_ = QString::number(report.routingAreaCode);
    diagRXqual_ = QString::number(report.rxQuality);
    diagRXlev_ = QString::number(report.rxLevel);
    diagChannel_ = QString::number(report.channel);
    diagFrequency_ = report.frequencyBand;
}
