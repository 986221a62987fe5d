// The status-area setters the network reports go through: each keeps the
// value, and posts its init_* notification so the status area and the other
// features follow.
#include "device/InitController.h"

#include "app/config/Platform.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "device/InitNotifications.h"
#include "device/InitService.h"
#include "device/SignalReports.h"

namespace
{

const QString kNoService = QStringLiteral("No Service");

// The domain text of the domain bits; empty with no service.
QString domainText(int mode)
{
    switch (mode) {
    case 3:
        return QStringLiteral("P C");
    case 1:
        return QStringLiteral("C");
    case 2:
        return QStringLiteral("P");
    default:
        return QString();
    }
}

} // namespace

void InitController::setSignalStrength(int level)
{
    if (!runtimeObjectForKey(kRTSIMCardReady).boolValue())
        level = 0;
    else if (configFlag(QStringLiteral("Init"), QStringLiteral("ShowSignalWhenServiceExist")) &&
             (networkName_ == kNoService || networkName_ == QLatin1String("Limited Service")))
        level = 0;
    if (level < 0 || level > 5)
        return;
    sendNotification(kSingalStrength, level);
}

void InitController::setNetworkStatus(const QString& text)
{
    if (text.isNull())
        return;
    networkName_ = text;
    const bool localise = configFlag(QString(), QStringLiteral("DynamicConvertNetworkName"));
    sendNotification(kNetworkStatus, localise ? localized(text) : text);
}

void InitController::setDomainName(const QString& text)
{
    if (!text.isNull())
        sendNotification(kDomainName, text);
}

void InitController::setBelonetoSPN(const QString& name)
{
    if (!name.isNull())
        sendNotification(kBelonetoSPN, name);
}

void InitController::setLocalSPN(const QString& name, bool reFreshFlag)
{
    if (!reFreshFlag || name.isNull())
        return;
    lastLocalSpn_ = name;
    sendNotification(kLocalSPN, name);
}

void InitController::setNetworkDomain(int mode, const QString& networkName)
{
    InitService::sharedInitService().setNetworkMode(mode);
    networkMode_ = mode;
    const QString domain = domainText(mode);
    if (!domain.isEmpty()) {
        setDomainName(domain);
    } else {
        setDomainName(QString(QLatin1String("")));
        setRoamInfoWithNetworkRoamStatus(kRoamStatusUnknown);
        setBelonetoSPN(QString(QLatin1String("")));
        setLocalSPN(QString(QLatin1String("")), true);
    }
    if (Platform::sharedPlatform().platform() != Platform::CDMA)
        setNetworkStatus(networkName);
}

void InitController::setRssiSignalWithRSCP(int rscp, int rssi, int ecno)
{
    notificationCenter.postNotificationName(QStringLiteral("ReadRscpRssiEcnoInfo"), this,
                                            ns::Dictionary{{QStringLiteral("RSCP"), QString::number(rscp)},
                                                           {QStringLiteral("RSSI"), QString::number(rssi)},
                                                           {QStringLiteral("ECNO"), QString::number(ecno)}});
    InitService& service = InitService::sharedInitService();
    if (service.signalStrengthFlag() == 1)
        service.setSignalStrength(QStringLiteral("%1 dBm").arg(rscp));
    else if (service.signalStrengthFlag() == 0)
        service.setSignalStrength(QStringLiteral("%1 dBm").arg(rssi));
}

void InitController::displayQualcomWCDMASignal(const _UI_MSG& record)
{
    const QualcomWcdmaSignalReport report = QualcomWcdmaSignalReport::fromRecord(record);
    m_SignalStrength = report.rssiIndex;
    setSignalStrength(report.level());
}

void InitController::displayQualcomCDMASignal(const _UI_MSG& record)
{
    const QualcomCdmaSignalReport report = QualcomCdmaSignalReport::fromRecord(record);
    setSignalStrength(report.level());
    setNetworkStatus(localized(report.networkStatus()));
}

bool InitController::progressSPNDomainForRodidiz(bool flag)
{
    const ns::Dictionary settings = configStore().getConfiguration();
    if (!flag || !settings.value(QStringLiteral("RodidizSPNSet")).boolValue() ||
        !settings.contains(QStringLiteral("RodidizPLMN")) || m_SPN.isEmpty())
        return false;
    setBelonetoSPN(m_SPN);
    return true;
}
