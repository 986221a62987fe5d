// The registered network's report and the SIM's operator files, and the two
// operator names the status area shows: the registered network's (local)
// and the SIM operator's (home).
#include "device/InitConfigModules.h"
#include "device/InitController.h"

#include "app/config/ConfigService.h"
#include "app/config/Platform.h"
#include "app/interfaces/DialControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/interfaces/UpdateLinking.h"
#include "device/IdentityRecords.h"
#include "device/InitConfigModules.h"
#include "device/InitService.h"
#include "device/JspnShowBase.h"
#include "device/NetworkRecords.h"
#include "device/NetworkRegistration.h"
#include "device/OperatorNameDisplay.h"

using namespace init_config;

namespace
{

const QString kNotFound = QStringLiteral("Not Found");
const QString kLongFormatWhenRoamOn = QStringLiteral("displayLongFormatSPNWhenRoamOn");
// The settings key of the network code the default profile was last chosen for.
const QString kCurrentMCCMNC = QStringLiteral("CurrentMCCMNC");

} // namespace

void InitController::dealWithMsgOfCheckPLMN(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    const RegisteredNetworkRecord network = RegisteredNetworkRecord::fromRecord(msg);
    InitService& service = InitService::sharedInitService();
    if (!network.complete && configFlag(QString(), kLongFormatWhenRoamOn))
        service.setLongFormatLocalSpn(network.networkName);

    const QString previous = mccmnc_;
    const int roamStatus = getNetworkRoamStatusWithRudaResult(network.roaming);
    if (network.complete) {
        matchApnAccordMCC(network.homeMcc, network.homeMnc);
        checkLocalMCCAndNetMCC(network.homeMcc, network.mcc);
        if (roamStatus == kRoamStatusUnknown || network.mcc.isEmpty()) {
            mccmnc_.clear();
        } else {
            mccmnc_ = network.mccMnc;
            checkAPNMatchWithMCCMNC(mccmnc_);
            if (g_UpdateLink && g_UpdateLink->isSupportUpdate()) {
                g_UpdateLink->dealWithMCCMNC(mccmnc_);
                if (!g_UpdateLink->isSendUpdateMessageWhenMCCMNC() &&
                    configStore().getConfiguration().value(QStringLiteral("newUpdate")).boolValue()) {
                    g_UpdateLink->dealWithDeviceReady();
                    g_UpdateLink->setIsSendUpdateMessageWhenMCCMNC(true);
                }
            }
        }
    }

    service.setLocalSpn(network.networkName);
    if (network.complete) {
        service.setCurrentRmccRmnc(mccmnc_);
        service.setNetworkRoamStatus(roamStatus);
    }
    const bool changed = isNetWorkChangedWithPreMCCMNC(previous);
    if (configFlag(QStringLiteral("Main"), QStringLiteral("filterTheFirstRudaJpasWhenNetWorkChanged")) &&
        changed && firstTimeDealWithRudaWhenNetWorkChanged_) {
        dealWithFirstRudaWhenNetWorkChangedWithPreMccMnc(previous);
        return;
    }
    if (platform_ != Platform::Icera && network.complete)
        setRoamInfoWithNetworkRoamStatus(closeRoamAtDomesticRoaming(
            roamStatus, network.homeMcc.toLatin1().constData(), network.mcc.toLatin1().constData()));
    if (ConfigService(configStore()).showSpnByNewMethod())
        showSpn();
    else
        postSetProviderAndDomainStatusForGeneral(network);
    if (changed && network.complete) {
        firstTimeDealWithRudaWhenNetWorkChanged_ = true;
        doWhenNetWorkChanged();
    }
}

void InitController::showSpn()
{
    JspnShowBase& rule = InitService::sharedInitService().getSpnDisplayProtocol();
    setLocalSPN(localized(rule.getLocalSpn()), true);
    setBelonetoSPN(localized(rule.getHomeSpn()));
}

void InitController::postSetProviderAndDomainStatusForGeneral(const RegisteredNetworkRecord& network)
{
    if (configFlag(QString(), QStringLiteral("SearchRegistModel")) || networkMode_ == 0)
        return;
    const bool refresh = !configFlag(QString(), kLongFormatWhenRoamOn);
    const QString empty = QStringLiteral("");
    setLocalSPN(empty, refresh);
    setBelonetoSPN(empty);
    if (configFlag(QString(), QStringLiteral("DisplayOnlyPLMN"))) {
        setLocalSPN(localized(network.networkName), true);
        return;
    }
    if (network.networkName == kNotFound || mccmnc_.isNull())
        return;
    const QString name =
        network.displayName(configFlag(kInit, QStringLiteral("DisplayBelongToSPNWhenNationalRoam")));
    if (progressSPNDomainForRodidiz(true))
        return;
    if (configFlag(kInit, QStringLiteral("ShowFixedLocalSPN")))
        setLocalSPN(localized(QStringLiteral("fixed local SPN")), true);
    else if (configFlag(kInit, QStringLiteral("ShowSPNForPOSLAT")))
        setLocalSPN(localized(network.showSimOperatorName == 1 && !m_SPN.isEmpty() ? m_SPN : name), true);
    else
        progressSPNDomainForGeneral(name);
}

void InitController::progressSPNDomainForGeneral(const QString& name)
{
    if (name.isEmpty())
        return;
    GeneralSpnInput input;
    input.localisedName = localized(name);
    input.spn = m_SPN;
    input.displayCondition = m_DisplayCondForSpn;
    input.homeOrFriendly = !InitService::sharedInitService().isHomeOrFriendly(mccmnc_).isNull();
    input.alwaysShowLocalSPN = configFlag(QStringLiteral("Main"), QStringLiteral("AlwaysShowLocalSPN"));
    input.onlyShowBelonetoSPN = configFlag(kInit, QStringLiteral("OnlyShowBelonetoSPN"));
    const OperatorNames names = ::progressSPNDomainForGeneral(input);
    if (names.localName)
        setLocalSPN(*names.localName, !configFlag(QString(), kLongFormatWhenRoamOn));
    if (names.homeName)
        setBelonetoSPN(*names.homeName);
}

void InitController::dealWithMsgOfCheckSPN(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    InitService& service = InitService::sharedInitService();
    service.doParseEF_SPN(simFileText(msg));
    m_SPN = service.homeSpn();
    m_DisplayCondForSpn = service.the1and2FiledFromSPN();
}

void InitController::dealWithMsgOfCheckSPDI(ns::Notification* notification)
{
    _UI_MSG msg;
    if (readRecord(notification, &msg))
        InitService::sharedInitService().doParseEF_SPDI(simFileText(msg));
}

void InitController::dealWithMsgOfCheckICCID(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    InitService& service = InitService::sharedInitService();
    service.doParseEF_ICCID(simFileText(msg));
    iccid_ = service.iccidStr();
    getIccidNumAfterMatchApnAccordImsi();
}

void InitController::getIccidNumAfterMatchApnAccordImsi()
{
    if (!ConfigService(configStore()).isSpecialImsiRoam())
        return;
    const QString imsi = m_IMSI.left(35);
    matchApnAccordImsi(imsi);
    if (g_SettingController)
        g_SettingController->setRoamingStateAccordImsi(imsi);
}

void InitController::checkAPNMatchWithMCCMNC(const QString& mccmnc)
{
    const ConfigService switches(configStore());
    if (!switches.isEnableAutoApnMatch() || !switches.isAPNMatchWithMCCMNC())
        return;
    if (!MCCMNCForAPNMatchRead_) {
        MCCMNCForAPNMatch = configStore().getConfiguration().value(kCurrentMCCMNC).toString();
        MCCMNCForAPNMatchRead_ = true;
    }
    if (mccmnc == MCCMNCForAPNMatch)
        return;
    MCCMNCForAPNMatch = mccmnc;
    writeConfig(kCurrentMCCMNC, mccmnc);
    if (g_DialController)
        g_DialController->resetDefaultProfileWithMCCMNC(mccmnc);
}
