// The signal reports of the modem families, turned into one level for the
// status area, and the one-shot warning when the signal falls to nothing
// while the network preference is not the operator's recommended one.
#include "device/InitConfigModules.h"
#include "device/InitController.h"

#include "app/config/Platform.h"
#include "app/interfaces/SettingControlling.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "device/InitConfigModules.h"
#include "device/InitService.h"
#include "device/NetworkRecords.h"
#include "device/SignalReports.h"
#include "platform/ns/Timer.h"

using namespace init_config;

namespace
{

const QString kNoSignalAlert = QStringLiteral("r3aAlertSel3G_PreferWhenSignalToNoSignal");

// The network preference the operator recommends, at which the warning is due.
constexpr int kRecommendedPreference = 1;

int currentPreference()
{
    return g_SettingController ? g_SettingController->getCurrentNetWorkPreferedMode() : 0;
}

} // namespace

void InitController::dealWithMsgOfCheckSignalStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || configFlag(kMain, QStringLiteral("IceraSignal")))
        return;
    if (isCdmaRecord(msg)) {
        dealWithMsgOfCheckCDMASignalStatus(msg);
        return;
    }
    switch (platform_) {
    case Platform::Other:
    case Platform::Icera:
        displayQualcomWCDMASignal(msg);
        break;
    case Platform::CDMA:
        displayQualcomCDMASignal(msg);
        break;
    default:
        break;
    }
}

void InitController::dealWithMsgOfCheckJrssiSignalStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    const RscpSignalReport report = RscpSignalReport::fromRecord(msg);
    const SignalMeasurement measurement = report.measurement();
    if (configFlag(QStringLiteral("Internet"), kNoSignalAlert) && measurement.level == 0 &&
        m_SignalStrength != 0 && currentPreference() == kRecommendedPreference &&
        allowAlertSel3GPreferWhenSignalToNoSignal_)
        startTimerOfAlertSelect3GPreferIfNoSignalWithSeconds(
            configStore()
                .getConfigurationByModuleAndKey(kMain, QStringLiteral("timeToAlertSel3G_PreferIfNoSigal"))
                .doubleValue());
    m_SignalStrength = measurement.level;
    setSignalStrength(measurement.level);
    labelRssiLacCiWindowRssiValue_->setStringValue(QString::number(report.rssi));
    setRssiSignalWithRSCP(measurement.rscp, measurement.rssi, measurement.ecno);
}

void InitController::dealWithMsgOfCheckSignalStatusIcera(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    const SecondFamilySignalReport report = SecondFamilySignalReport::fromRecord(msg);
    if (const std::optional<int> flag = report.signalStrengthFlag())
        InitService::sharedInitService().setSignalStrengthFlag(*flag);
    if (const std::optional<int> level = report.level())
        setSignalStrength(*level);
    setRssiSignalWithRSCP(report.rscp, report.rssi, report.ecno);
}

void InitController::dealWithMsgOfCheckCDMASignalStatus(const _UI_MSG& record)
{
    const CdmaSignalReport report = CdmaSignalReport::fromRecord(record);
    setSignalStrength(report.level());
    if (const std::optional<QString> status = report.networkStatus())
        setNetworkStatus(localized(*status));
}

void InitController::startTimerOfAlertSelect3GPreferIfNoSignalWithSeconds(double seconds)
{
    if (timerAlertSelect3GPrefer_)
        timerAlertSelect3GPrefer_->invalidate();
    timerAlertSelect3GPrefer_ =
        ns::Timer::scheduledTimer(seconds, false, [this](ns::Timer&) { alertSelect3GPreferIfNoSignal(); });
}

bool InitController::isNoSignalAlertPending() const
{
    return timerAlertSelect3GPrefer_ && timerAlertSelect3GPrefer_->isValid();
}

void InitController::alertSelect3GPreferIfNoSignal()
{
    if (m_SignalStrength != 0 || currentPreference() != kRecommendedPreference)
        return;
    NSRunAlertPanelExt(localized(QStringLiteral("Warning")), localized(kNoSignalAlert),
                       localized(QStringLiteral("OK")), QString());
    setAllowAlertSel3GPreferWhenSignalToNoSignal(false);
}
