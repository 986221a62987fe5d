#pragma once

#include "app/ui/controller/JOVUIController.h"
#include "device/NetworkRegistration.h"
#include "jCommon/UIMsg.h"

#include <memory>

struct RegisteredNetworkRecord;

// Follows the modem from the moment the device server reports it until the
// SIM is ready: it subscribes to the server's start-up reports, keeps the
// device's state and tells the other features through the life-cycle and
// init_* notifications. Exactly one exists, published in g_InitController.
namespace ns
{
class Timer;
}

class InitController : public JOVUIController
{
public:
    explicit InitController(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~InitController() override;

    // Takes the modem on-line or off-line (the server's start and stop of work).
    void setDeviceOnline();
    void setDeviceOffline();

    // The modem is there and starting (YES) or not found: posts "init_ModemConnected".
    void setModemStatus(bool present);
    // The SIM is ready or not: the run-time "runtimeSIMCardReady", then "init_SimStatus".
    void setSimStatus(bool ready);

    // Handlers of the device server's reports.
    void dealWithMsgOfHandShake(ns::Notification* notification);
    void dealWithMsgOfPinStatus(ns::Notification* notification);
    void dealWithMsgOfCheckDeviceStatus(ns::Notification* notification);

    // ---- status area: the setters the network handlers call (InitControllerStatus.cpp) ----
    // Shows and posts the signal level 0 to 5 ("init_SingalStrength"); 0
    // while the SIM is not ready; a level out of range changes nothing.
    void setSignalStrength(int level);
    void setNetworkStatus(const QString& text); // "init_NetworkStatus"
    void setDomainName(const QString& text);    // "init_DomainName"
    void setBelonetoSPN(const QString& name);   // "init_BeloneToSPN"
    // "init_LocalSPN", only when refresh is set.
    void setLocalSPN(const QString& name, bool reFreshFlag);
    // The service domain bits and the network type together: the domain
    // text, and with no service no roaming and no operator names.
    void setNetworkDomain(int mode, const QString& networkName);
    // Passes the radio values on ("ReadRscpRssiEcnoInfo") and keeps the
    // service's signal text.
    void setRssiSignalWithRSCP(int rscp, int rssi, int ecno);
    void displayQualcomWCDMASignal(const _UI_MSG& record);
    void displayQualcomCDMASignal(const _UI_MSG& record);
    // The SIM's operator name as the home name for one operator variant; true when it was set.
    bool progressSPNDomainForRodidiz(bool flag);
    int networkMode() const { return networkMode_; }
    QString networkName() const { return networkName_; }

    // ---- network, operator and identity (InitControllerSignal.cpp, InitControllerNetwork.cpp,
    //      InitControllerOperator.cpp, InitControllerIdentity.cpp) ----
    // Signal reports, and the one-shot warning when the signal falls to nothing.
    void dealWithMsgOfCheckSignalStatus(ns::Notification* notification);
    void dealWithMsgOfCheckJrssiSignalStatus(ns::Notification* notification);
    void dealWithMsgOfCheckSignalStatusIcera(ns::Notification* notification);
    void dealWithMsgOfCheckCDMASignalStatus(const _UI_MSG& record);
    void startTimerOfAlertSelect3GPreferIfNoSignalWithSeconds(double seconds);
    void alertSelect3GPreferIfNoSignal();
    bool allowAlertSel3GPreferWhenSignalToNoSignal() const
    {
        return allowAlertSel3GPreferWhenSignalToNoSignal_;
    }
    void setAllowAlertSel3GPreferWhenSignalToNoSignal(bool allow)
    {
        allowAlertSel3GPreferWhenSignalToNoSignal_ = allow;
    }
    int signalStrength() const { return m_SignalStrength; }
    bool isNoSignalAlertPending() const;

    // Registration, network type, roaming and cell.
    void dealWithMsgOfCheckNetInfo(ns::Notification* notification);
    void dealWithMsgOfCheckNetInfoForIcera(ns::Notification* notification);
    void dealWithMsgOfCheckRoamInfo(ns::Notification* notification);
    void dealWithMsgOfCheckJairInfoStatus(ns::Notification* notification);
    void dealWithMsgOfCheckHPLMN(ns::Notification* notification);
    void dealWithFirstJpasWhenNetWorkChanged();
    void sendActiveSimcardSMS(int mode);
    void compareAccessTechnology(const QString& previous, const QString& current);
    void setRoamInfoWithNetworkRoamStatus(int status);
    void doWhenNetWorkChanged();
    bool isNetWorkChangedWithPreMCCMNC(const QString& previous) const;
    void dealWithFirstRudaWhenNetWorkChangedWithPreMccMnc(const QString& previous);
    void checkIsNationnalRoam(const QString& mccmnc);
    void checkLocalMCCAndNetMCC(const QString& localMcc, const QString& netMcc);
    // Domestic roaming counted as home with Internet/"CloseRoamAtDomesticRoaming".
    int closeRoamAtDomesticRoaming(int status, const QString& localMcc, const QString& netMcc) const;
    // From home to roaming: offers to end the connection with Internet/"disNetWhileToRoam".
    void disconectNetIfConfig();
    // The manual registration search lets every second report through.
    bool checkSearchRegistStatus();
    int networkRoamStatus() const { return networkRoamStatus_; }
    int roamTransferMode() const { return roamTransfer_.roamTransferMode; }
    int registeredNetworkRoamStatus() const { return roamTransfer_.registeredNetworkRoamStatus; }
    QString mccmnc() const { return mccmnc_; }
    void setMccmnc(const QString& mccmnc) { mccmnc_ = mccmnc; }
    int currentHMcc() const { return currentHMcc_; }
    void setCurrentHMcc(int mcc) { currentHMcc_ = mcc; }
    QString getCurrentAccessTechnology() const { return currentAccessTechnology_; }
    void setCurrentAccessTechnology(const QString& technology) { currentAccessTechnology_ = technology; }
    QString cellIdentity() const { return cellIdentity_; }
    QString locationAreaCode() const { return locationAreaCode_; }

    // The registered network, the SIM's operator files and the names shown.
    void dealWithMsgOfCheckPLMN(ns::Notification* notification);
    void dealWithMsgOfCheckSPN(ns::Notification* notification);
    void dealWithMsgOfCheckSPDI(ns::Notification* notification);
    void dealWithMsgOfCheckICCID(ns::Notification* notification);
    void showSpn();
    void postSetProviderAndDomainStatusForGeneral(const RegisteredNetworkRecord& network);
    void progressSPNDomainForGeneral(const QString& name);
    void getIccidNumAfterMatchApnAccordImsi();
    void checkAPNMatchWithMCCMNC(const QString& mccmnc);
    bool isInWhiteList() const;
    QString iccid() const { return iccid_; }
    QString spn() const { return m_SPN; }

    // The SIM's IMSI and what follows from it.
    void dealWithMsgOfCheckCIMI(ns::Notification* notification);
    void matchApnAccordImsi(const QString& imsi);
    void matchApnAccordMCC(const QString& mcc, const QString& mnc);
    QString readSimImsiCode() const;
    void saveSimImsiCode(const QString& imsi);
    void matchUssdCodeAccordImsi(const QString& imsi);
    void checkIMSIForVADO();
    void checkIfNeedSendActiveSMS(const QString& imsi);
    void getPhoneNumberByIMSI();
    void SetPCDataPathWithIMSI(const QString& imsi);
    QString imsi() const { return m_IMSI; }

    // The device's identity.
    void dealWithMsgOfCheckFWVERSION(ns::Notification* notification);
    void dealWithMsgOfCheckFWINTERNALVERSION(ns::Notification* notification);
    void dealWithMsgOfCheckPhoneNumber(ns::Notification* notification);
    void dealWithMsgOfCheckHWVERSION(ns::Notification* notification);
    void dealWithMsgOfCheckModemModel(ns::Notification* notification);
    void dealWithMsgOfCheckSerialNumber(ns::Notification* notification);
    void dealWithMsgOfCheckMCCMNC(ns::Notification* notification);
    QString getFWVersionWithCGMR() const { return m_FWVersion; }
    QString getInternalFWVersionWithJVN() const { return m_InternalFWVersion; }
    QString hardwareVersion() const { return m_HWVersion; }
    QString deviceModel() const { return m_Devicemodel; }
    QString serialNumber() const { return m_SerialNumber; }
    QString getPhoneNum();
    QString getDriverVersion() const;

protected:
    void registerMessages() override;

private:
    // Posts the init_* notification with the value under its own name.
    void sendNotification(const QString& name, const ns::Value& value);
    // The record of a message notification; false when there is none.
    bool readRecord(ns::Notification* notification, _UI_MSG* msg) const;

    // ---- network, operator and identity ----
    // Registers the handlers of the network and identity reports.
    void registerNetworkSelectors();
    void registerNetworkMessages();
    // A Boolean configuration value (module empty for a top-level key).
    bool configFlag(const QString& module, const QString& key) const;
    // Writes one configuration value and the settings file.
    void writeConfig(const QString& key, const ns::Value& value);
    // Translated text of a wording key.
    static QString localized(const QString& key);

    int networkMode_ = 0;
    QString networkName_ = QStringLiteral("No Service");
    QString lastLocalSpn_; // the registered network's name last shown
    int m_SignalStrength = 0;
    std::shared_ptr<ns::Timer> timerAlertSelect3GPrefer_;
    bool allowAlertSel3GPreferWhenSignalToNoSignal_ = true;
    int networkRoamStatus_ = kRoamStatusUnknown;
    RoamTransfer roamTransfer_;
    QString mccmnc_;
    int currentHMcc_ = 0;
    QString currentAccessTechnology_;
    bool firstTimeDealWithJpasWhenNetWorkChanged_ = false;
    bool firstTimeDealWithRudaWhenNetWorkChanged_ = true;
    bool manualRegistFlag_ = false;
    QString cellIdentity_;
    QString locationAreaCode_;
    QString diagRAC_, diagRXqual_, diagRXlev_, diagFrequency_, diagChannel_;
    QString m_SPN;
    int m_DisplayCondForSpn = 0;
    QString iccid_;
    QString MCCMNCForAPNMatch;
    bool MCCMNCForAPNMatchRead_ = false;
    QString m_IMSI;
    bool alreadyGetSimIMSIFlag_ = false;
    bool dialFunctionEnabledFlag_ = true;
    QString m_FWVersion, m_InternalFWVersion, m_HWVersion, m_Devicemodel, m_SerialNumber;
};

extern InitController* g_InitController;
