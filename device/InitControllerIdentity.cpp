// The SIM's IMSI and what follows from it (the home network's code, the
// default profile, the per-SIM notifications and files), and the device's
// identity texts, kept here and forwarded to the update link.
#include "device/InitConfigModules.h"
#include "device/InitController.h"

#include "app/config/ConfigFileKeys.h"
#include "app/config/ConfigService.h"
#include "app/interfaces/DialControlling.h"
#include "app/interfaces/DialRecordControlling.h"
#include "app/interfaces/PhonebookControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/interfaces/UpdateLinking.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "device/DriverVersion.h"
#include "device/IdentityRecords.h"
#include "device/InitConfigModules.h"
#include "device/InitService.h"
#include "device/MainController.h"
#include "platform/ns/appkit/TabView.h"

#include <QCoreApplication>

using namespace init_config;

namespace
{

const QString kSimImsiCode = QStringLiteral("SimImsiCode");
const QString kIMSI = QStringLiteral("IMSI");
const QString kSimIMSI = QStringLiteral("simIMSI");
const QString kSpecialSoftVersion = QStringLiteral("specialSoftVersion");
const QString kNeedSendActiveSIMCardSMS = QStringLiteral("NeedSendActiveSIMCardSMS");

// The index of the IMSI digit that marks a SIM whose line is still to be activated.
constexpr int kActivationDigit = 7;

bool updateLinkSupported()
{
    return g_UpdateLink && g_UpdateLink->isSupportUpdate();
}

} // namespace

void InitController::dealWithMsgOfCheckCIMI(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    if (msg.type != kTypeReport || msg.result != kResultSuccess) {
        if (configFlag(QString(), QStringLiteral("sendCIMICmdInLoop"))) {
            setSimStatus(false);
            alreadyGetSimIMSIFlag_ = false;
        }
        return;
    }
    if (alreadyGetSimIMSIFlag_ && !configFlag(kSetting, QStringLiteral("CheckIMSIForDiag")))
        return;
    m_IMSI = identityText(msg);
    InitService& service = InitService::sharedInitService();
    service.setImsi(m_IMSI);
    refreshDiagIMSI(false);
    const QString home = service.currentHmccmnc();
    if (!home.isEmpty())
        service.setModuleMapsDictObject(home, InitService::keyForMccMnc(home));
    if (!ConfigService(configStore()).isSpecialImsiRoam())
        matchApnAccordImsi(m_IMSI);
    matchUssdCodeAccordImsi(m_IMSI);
    checkIMSIForVADO();
    checkIfNeedSendActiveSMS(m_IMSI);
    writeConfig(kIMSI, m_IMSI);
    getPhoneNumberByIMSI();
    alreadyGetSimIMSIFlag_ = true;
}

void InitController::matchApnAccordImsi(const QString& imsi)
{
    const ConfigService switches(configStore());
    if (!switches.isEnableAutoApnMatch())
        return;
    const bool whole = switches.isImsiMatchApn();
    if (!whole && !switches.isImsiMatchGlobalApn())
        return;
    const QString old = readSimImsiCode();
    saveSimImsiCode(m_IMSI);
    if (!old.isNull() && old == m_IMSI)
        return;
    if (!g_DialController)
        return;
    if (whole)
        g_DialController->resetDefaultProfileWithImsiAll(imsi);
    else
        g_DialController->resetGlobalDefaultProfileWithImsi(imsi);
}

void InitController::matchApnAccordMCC(const QString& mcc, const QString& mnc)
{
    if (mcc.isNull() || mnc.isNull() || !ConfigService(configStore()).isRudaMatchApn())
        return;
    if (m_IMSI == readSimImsiCode())
        return;
    saveSimImsiCode(m_IMSI);
    if (g_DialController)
        g_DialController->resetDefaultProfileWithMcc(mcc, mnc);
}

QString InitController::readSimImsiCode() const
{
    const ns::Value code = configStore().getConfigurationByModule(kSimImsiCode);
    return code.isString() ? code.toString() : QString();
}

void InitController::saveSimImsiCode(const QString& imsi)
{
    if (!imsi.isNull())
        writeConfig(kSimImsiCode, imsi);
}

void InitController::matchUssdCodeAccordImsi(const QString& imsi)
{
    if (imsi.isNull() || !configFlag(QString(), QStringLiteral("ImsiMatchUssdCode")) ||
        imsi == readSimImsiCode())
        return;
    saveSimImsiCode(imsi);
    notificationCenter.postNotificationName(QStringLiteral("ImsiMatchUssd"), nullptr,
                                            ns::Dictionary{{QStringLiteral("IMSI"), imsi}});
}

void InitController::checkIMSIForVADO()
{
    if (!configFlag(kSpecialSoftVersion, QStringLiteral("VADO_TIM")))
        return;
    const QString previousRun = configStore().getConfigurationByModule(kIMSI).toString();
    const ns::Value seen = configStore().getConfigurationByModule(kSimIMSI);
    SetPCDataPathWithIMSI(m_IMSI);
    if (!runtimeObjectForKey(kRTSIMCardReady).boolValue())
        setSimStatus(true);
    const bool changed = seen.isString() && seen.toString() != m_IMSI;
    if (configFlag(kSpecialSoftVersion, QStringLiteral("VADO_TIM_Dunmer")) && !previousRun.isEmpty() &&
        seen.toString() != m_IMSI) {
        if (NSRunAlertPanelExt(
                localized(QStringLiteral("Warning")),
                localized(QStringLiteral("You have changed the SIM,please restart the software")),
                localized(QStringLiteral("OK")), QString()) == 1) {
            if (g_MainController) {
                g_MainController->toolbarSetItemEnable(true, QStringLiteral("STK"));
                g_MainController->toolbarSetItemEnable(true, QStringLiteral("Internet"));
                g_MainController->mainTabView()->selectTabViewItemWithIdentifier(QStringLiteral("Internet"));
            }
            dialFunctionEnabledFlag_ = false;
            return;
        }
    } else if (g_MainController) {
        g_MainController->toolbarSetEnable(true);
    }
    writeConfig(kSimIMSI, m_IMSI);
    notificationCenter.postNotificationName(QStringLiteral("AlreadyGetSimIMSI"), this,
                                            ns::Dictionary{{QStringLiteral("imsiInfo"), changed}});
}

void InitController::checkIfNeedSendActiveSMS(const QString& imsi)
{
    if (configStore().getConfigurationByModuleAndKey(kSms, kNeedSendActiveSIMCardSMS).isNull())
        return;
    configStore().setConfigurationByModuleKeyAndValue(
        kSms, kNeedSendActiveSIMCardSMS, imsi.size() > kActivationDigit && imsi.at(kActivationDigit) == u'0');
    configStore().writeToFile();
}

void InitController::getPhoneNumberByIMSI()
{
    const ConfigService switches(configStore());
    const QString number = switches.getPhoneNumWithImsi(InitService::sharedInitService().imsi());
    if (!switches.hasImsiPhoneConfig() || number.isNull())
        return;
    const QString key = QStringLiteral("receivePhoneNumberFromSoapServer");
    notificationCenter.postNotificationName(key, this, ns::Dictionary{{key, number}});
}

void InitController::SetPCDataPathWithIMSI(const QString& imsi)
{
    const QString format = QStringLiteral("%1_%2");
    if (g_PBController)
        g_PBController->loadPcPhoneListByImsi(format.arg(imsi, kCMPhoneBookFile));
    if (g_DialRecordController)
        g_DialRecordController->loadRecordList(format.arg(imsi, kCMDialRecordFile));
}

void InitController::dealWithMsgOfCheckFWVERSION(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess)
        return;
    m_FWVersion = identityText(msg);
    if (updateLinkSupported()) {
        if (!configFlag(QString(), QStringLiteral("UpdateByInternalFW")))
            g_UpdateLink->dealWithFirmwareVersion(m_FWVersion);
        if (!configStore().getConfiguration().value(QStringLiteral("newUpdate")).boolValue())
            g_UpdateLink->dealWithDeviceReady();
    }
    if (g_SettingController)
        g_SettingController->setCheckForUpdateDoveviEnable(true);
}

void InitController::dealWithMsgOfCheckFWINTERNALVERSION(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess)
        return;
    m_InternalFWVersion = identityText(msg);
    if (updateLinkSupported())
        g_UpdateLink->dealWithInternalFirmwareVersion(m_InternalFWVersion);
    if (g_SettingController)
        g_SettingController->setCheckForUpdateDoveviEnable(true);
}

void InitController::dealWithMsgOfCheckPhoneNumber(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg))
        return;
    const QString number = identityText(msg);
    if (msg.result != kResultSuccess) {
        setRuntimeObject(QStringLiteral(""), kRTPhoneNumber);
    } else {
        setRuntimeObject(number, kRTPhoneNumber);
        setSmartUITopFrontSizeFlag(true);
        if (configStore()
                .getConfiguration()
                .value(QStringLiteral("UIConfig"))
                .toDictionary()
                .value(QStringLiteral("SmartUI"))
                .boolValue())
            notificationCenter.postNotificationName(QStringLiteral("DisplayPhoneNumberForSmart"), nullptr);
    }
    // The main view's own-number fields, where an operator's window has them.
    if (tfdOwnNumContent_)
        tfdOwnNumContent_->setStringValue(number);
    if (tfdOwnNumUI_ && !number.isEmpty())
        tfdOwnNumUI_->setStringValue(
            localized(QStringLiteral("Main_btnNumberForBrazil:%s")).replace("%s", number));
}

void InitController::dealWithMsgOfCheckHWVERSION(ns::Notification* notification)
{
    _UI_MSG msg;
    if (readRecord(notification, &msg) && msg.result == kResultSuccess)
        m_HWVersion = identityText(msg);
}

void InitController::dealWithMsgOfCheckModemModel(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess)
        return;
    m_Devicemodel = identityText(msg);
    if (updateLinkSupported())
        g_UpdateLink->dealWithDeviceType(m_Devicemodel);
    if (g_SettingController)
        g_SettingController->setSmartModel(m_Devicemodel);
}

void InitController::dealWithMsgOfCheckSerialNumber(ns::Notification* notification)
{
    _UI_MSG msg;
    if (readRecord(notification, &msg) && msg.result == kResultSuccess)
        m_SerialNumber = identityText(msg);
}

void InitController::dealWithMsgOfCheckMCCMNC(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess)
        return;
    const DeviceMccMncRecord codes = DeviceMccMncRecord::fromRecord(msg);
    if (g_DialController)
        g_DialController->resetDefaultProfileWithMcc(codes.mcc, codes.mnc);
}

QString InitController::getPhoneNum()
{
    const ns::Value number = runtimeObjectForKey(kRTPhoneNumber);
    return number.isString() ? number.toString() : QStringLiteral("");
}

QString InitController::getDriverVersion() const
{
    return ::getDriverVersion(platform_);
}
