#include "device/InitController.h"

#include "app/config/Platform.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/NetworkSelectionMessages.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/View.h"
#include "platform/ns/appkit/Window.h"

InitController* g_InitController = nullptr;

namespace
{

// In-process notifications, observed after the device server's messages.
const ObserverTableEntry InitControllerNotificationTable[] = {
    {"prepareToShowDiagWindow:", "prepareDiagInfo"},
    {"openPINWindow:", "openPINWindow"},
    {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
    {nullptr, nullptr},
};

// One subscription to the device server's messages. A row with a switch
// (a configuration module read once, at registration) takes whenOn while
// the switch is on and selector otherwise; a null selector leaves the
// message unsubscribed.
struct MessageRow {
    MessageID id;
    const char* selector;
    const char* configSwitch = nullptr;
    const char* whenOn = nullptr;
};

constexpr const char* kIceraLock = "ICERA_LOCK_TO_UNLOK";

// Every message the controller handles, in the order of subscription. A
// handler this controller does not answer is left out.
const MessageRow kMessageTable[] = {
    {msg::device::kHandShake, "dealWithMsgOfHandShake:"},
    {msg::device::kPowerCheck, "dealWithMsgOfPowerCheck:"},
    {msg::device::kWorkModeCheck, "dealWithMsgOfWorkModeCheck:"},
    {msg::device::kStartWork, "dealWithMsgOfStartWork:"},
    {msg::device::kStopWork, "dealWithMsgOfStopWork:"},
    {msg::device::kGetDeviceMode, "dealWithMsgOfGetDeviceMode:"},
    {msg::device::kCountPinPukRemain, "dealWithMsgOfCountPinPukRemain:"},
    {msg::device::kPinStatus, "dealWithMsgOfPinStatus:"},
    {msg::device::kCheckoutPin, "dealWithMsgOfCheckoutPin:"},
    {msg::device::kPinAutoValidation, "dealWithMsgOfPinAutoValidation:"},
    {msg::device::kReadPin, "dealWithMsgOfReadPin:"},
    {msg::device::kSavePin, "dealWithMsgOfSavePin:"},
    {msg::device::kCheckoutPuk, "dealWithMsgOfCheckoutPuk:"},
    {msg::device::kCheckPinActiveStatus, "dealWithMsgOfCheckPinActiveStatus:"},
    {msg::device::kCheckLockStatus, "dealWithMsgOfCheckLockStatus:", kIceraLock,
     "dealWithMsgOfCheckLockStatusIcera:"},
    {msg::device::kCheckUnlockAttempts, "dealWithMsgOfCheckJnckStatus:", kIceraLock,
     "dealWithMsgOfCheckiLockNumStatusIcera:"},
    {msg::device::kCheckIMEIInfo, "dealWithMsgOfCheckIMEIInfo:", kIceraLock,
     "dealWithMsgOfCheckIMEIInfoIcera:"},
    {msg::device::kCheckUnlockCodeStatus, "dealWithMsgOfCheckUnlockCodeStatus:", kIceraLock,
     "dealWithMsgOfCheckUnlockCodeStatusIcera:"},
    {msg::device::kUIFWLock, "dealWithMsgOfUIFWLock:"},
    {msg::networkSelection::kCheckSearchMode, "dealWithMsgOfCheckSearchMode:"},
    {msg::networkSelection::kCheckPreferenceMode, "dealWithMsgOfCheckPreferenceMode:"},
    {msg::device::kCheckSIMStatus, "dealWithMsgOfCheckSIMStatus:"},
    {msg::device::kCheckUSIMStatus, "dealWithMsgOfCheckUSIMStatus:"},
    {msg::device::kCheckHPLMN, "dealWithMsgOfCheckHPLMN:"},
    {msg::device::kCheckSmsPPDownload, "dealWithMsgOfCheckSmsPPDownload:"},
    {msg::device::kCheckSignalStatus, "dealWithMsgOfCheckSignalStatus:"},
    {msg::device::kCheckRscpSignalStatus, "dealWithMsgOfCheckJrssiSignalStatus:"},
    {msg::device::kCheckNetInfo, "dealWithMsgOfCheckNetInfo:"},
    {msg::device::kCheckNetInfoSecondFamily, "dealWithMsgOfCheckNetInfoForIcera:"},
    {msg::device::kCheckPLMN, "dealWithMsgOfCheckPLMN:"},
    {msg::device::kCheckRoamInfo, "dealWithMsgOfCheckRoamInfo:"},
    {msg::device::kCheckSPN, "dealWithMsgOfCheckSPN:"},
    {msg::device::kCheckSPDI, "dealWithMsgOfCheckSPDI:"},
    {msg::device::kCheckICCID, "dealWithMsgOfCheckICCID:"},
    {msg::device::kCheckCIMI, "dealWithMsgOfCheckCIMI:"},
    {msg::device::kCheckMCCMNC, "dealWithMsgOfCheckMCCMNC:"},
    {msg::device::kCheckHWVersion, "dealWithMsgOfCheckHWVERSION:"},
    {msg::device::kCheckModemModel, "dealWithMsgOfCheckModemModel:"},
    {msg::device::kCheckPhoneNumber, "dealWithMsgOfCheckPhoneNumber:"},
    {msg::device::kCheckSerialNumber, "dealWithMsgOfCheckSerialNumber:"},
    {msg::device::kCheckSignalStatusSecondFamily, "dealWithMsgOfCheckSignalStatusIcera:"},
    {msg::device::kCheckCellInfo, "dealWithMsgOfCheckJairInfoStatus:"},
    {msg::device::kCheckDeviceStatus, "dealWithMsgOfCheckDeviceStatus:"},
    {msg::device::kCheckDeviceNotAttached, "dealWithMsgOfCheckDeviceNotAttached:"},
    {msg::device::kCheckHardwareLockStatus, "dealWithMsgOfCheckHardwareLockStatus:"},
    {msg::device::kCheckFWInternalVersion, nullptr, "UpdateByInternalFW",
     "dealWithMsgOfCheckFWINTERNALVERSION:"},
    {msg::device::kCheckFWVersion, "dealWithMsgOfCheckFWVERSION:"},
    {msg::networkSelection::kReadRoamSwitch, "dealWithMsgOfReadRoamSwitch:"},
    {msg::device::kCheckDeviceLockStatus, "dealWithMsgOfCheckDeviceLockStatus:"},
    {msg::device::kDeviceUnlockResult, "dealWithMsgOfCheckDeviceUnLockResult:"},
};

// The handlers of the network, operator and identity reports, by selector
// (their messages are in the table above).
struct SelectorHandler {
    const char* selector;
    void (InitController::*handler)(ns::Notification*);
};

const SelectorHandler kNetworkSelectors[] = {
    {"dealWithMsgOfCheckSignalStatus:", &InitController::dealWithMsgOfCheckSignalStatus},
    {"dealWithMsgOfCheckJrssiSignalStatus:", &InitController::dealWithMsgOfCheckJrssiSignalStatus},
    {"dealWithMsgOfCheckNetInfo:", &InitController::dealWithMsgOfCheckNetInfo},
    {"dealWithMsgOfCheckNetInfoForIcera:", &InitController::dealWithMsgOfCheckNetInfoForIcera},
    {"dealWithMsgOfCheckPLMN:", &InitController::dealWithMsgOfCheckPLMN},
    {"dealWithMsgOfCheckRoamInfo:", &InitController::dealWithMsgOfCheckRoamInfo},
    {"dealWithMsgOfCheckSPN:", &InitController::dealWithMsgOfCheckSPN},
    {"dealWithMsgOfCheckSPDI:", &InitController::dealWithMsgOfCheckSPDI},
    {"dealWithMsgOfCheckICCID:", &InitController::dealWithMsgOfCheckICCID},
    {"dealWithMsgOfCheckCIMI:", &InitController::dealWithMsgOfCheckCIMI},
    {"dealWithMsgOfCheckMCCMNC:", &InitController::dealWithMsgOfCheckMCCMNC},
    {"dealWithMsgOfCheckHWVERSION:", &InitController::dealWithMsgOfCheckHWVERSION},
    {"dealWithMsgOfCheckModemModel:", &InitController::dealWithMsgOfCheckModemModel},
    {"dealWithMsgOfCheckPhoneNumber:", &InitController::dealWithMsgOfCheckPhoneNumber},
    {"dealWithMsgOfCheckSerialNumber:", &InitController::dealWithMsgOfCheckSerialNumber},
    {"dealWithMsgOfCheckSignalStatusIcera:", &InitController::dealWithMsgOfCheckSignalStatusIcera},
    {"dealWithMsgOfCheckJairInfoStatus:", &InitController::dealWithMsgOfCheckJairInfoStatus},
    {"dealWithMsgOfCheckFWVERSION:", &InitController::dealWithMsgOfCheckFWVERSION},
    {"dealWithMsgOfCheckFWINTERNALVERSION:", &InitController::dealWithMsgOfCheckFWINTERNALVERSION},
};

} // namespace

InitController::InitController(ConfigManager& store) : JOVUIController(store)
{
    g_InitController = this;
    g_InitControlling = this;
    platform_ = Platform(store).platform();

    registerSelector("dealWithMsgOfHandShake:", &InitController::dealWithMsgOfHandShake);
    registerSelector("dealWithMsgOfPowerCheck:", &InitController::dealWithMsgOfPowerCheck);
    registerSelector("dealWithMsgOfWorkModeCheck:", &InitController::dealWithMsgOfWorkModeCheck);
    registerSelector("dealWithMsgOfStartWork:", &InitController::dealWithMsgOfStartWork);
    registerSelector("dealWithMsgOfStopWork:", &InitController::dealWithMsgOfStopWork);
    registerSelector("dealWithMsgOfGetDeviceMode:", &InitController::dealWithMsgOfGetDeviceMode);
    registerSelector("dealWithMsgOfPinStatus:", &InitController::dealWithMsgOfPinStatus);
    registerSelector("dealWithMsgOfPinAutoValidation:", &InitController::dealWithMsgOfPinAutoValidation);
    registerSelector("dealWithMsgOfReadPin:", &InitController::dealWithMsgOfReadPin);
    registerSelector("dealWithMsgOfCheckSIMStatus:", &InitController::dealWithMsgOfCheckSIMStatus);
    registerSelector("dealWithMsgOfCheckUSIMStatus:", &InitController::dealWithMsgOfCheckUSIMStatus);
    registerSelector("dealWithMsgOfCheckDeviceStatus:", &InitController::dealWithMsgOfCheckDeviceStatus);
    registerSelector("dealWithMsgOfCheckDeviceNotAttached:",
                     &InitController::dealWithMsgOfCheckDeviceNotAttached);
    registerSelector("dealWithMsgOfReadRoamSwitch:", &InitController::dealWithMsgOfReadRoamSwitch);
    registerSelector("dealWithMsgOfCheckSearchMode:", &InitController::dealWithMsgOfCheckSearchMode);
    registerSelector("dealWithMsgOfCheckPreferenceMode:", &InitController::dealWithMsgOfCheckPreferenceMode);
    registerSelector("dealWithMsgOfCheckHPLMN:", &InitController::dealWithMsgOfCheckHPLMN);
    registerSelector("dealWithMsgOfCheckSmsPPDownload:", &InitController::dealWithMsgOfCheckSmsPPDownload);
    registerSelector("setModemStatusPresent:", [this](ns::Object*) { setModemStatus(true); });
    registerSelector("setImageForSimCardRead:", [this](ns::Object*) { setImageForSimCardRead(); });
    registerSelector("selectPCPhonebook:", [this](ns::Object*) { selectPCPhonebook(); });
    registerSelector("setSimcardUpdateEndWording:", [this](ns::Object*) { setSimcardUpdateEndWording(); });
    registerSelector("closeSimcardUpdateWnd:", [this](ns::Object*) { closeSimcardUpdateWnd(); });
    registerSelector("deviceRemoved:", &InitController::deviceRemoved);
    registerSelector("clickOKBtnInR3aPopUp1:", &InitController::clickOKBtnInR3aPopUp1);
    registerSelector("clickCheckboxInR3aPopUp1:", &InitController::clickCheckboxInR3aPopUp1);
    registerSelector("closeRoamAlertWnd:", &InitController::closeRoamAlertWnd);
    for (const SelectorHandler& entry : kNetworkSelectors)
        registerSelector(entry.selector, entry.handler);

    setNetworkRoamStatus(2);
    setMccmnc(QString());
    setHadDoPinAutoValidation(false);
    specialInit();
    registerLockSelectors();
    buildPinSheets();
    buildUnlockSheets();
    // A PIN kept in the settings by an earlier version moves to the private file.
    if (pinNumStore_.migrateFromSettings(settingDict_))
        configStore().writeToFile();
}

InitController::~InitController()
{
    ns::cancelPreviousPerformRequestsWithTarget(this);
    if (g_InitController == this)
        g_InitController = nullptr;
    if (g_InitControlling == this)
        g_InitControlling = nullptr;
}

void InitController::awakeFromNib()
{
    loadNib();
    JOVUIController::awakeFromNib();
}

void InitController::registerMessages()
{
    if (jovMsgCenter) {
        // The lock family is chosen once: a change of the switch counts from the next start.
        iceraLockFamily_ =
            configStore().getConfigurationByModule(QString::fromLatin1(kIceraLock)).boolValue();
        for (const MessageRow& row : kMessageTable) {
            const bool switchOn =
                row.configSwitch &&
                configStore().getConfigurationByModule(QString::fromLatin1(row.configSwitch)).boolValue();
            const char* selector = switchOn ? row.whenOn : row.selector;
            if (selector && respondsToSelector(QString::fromLatin1(selector)))
                jovMsgCenter->registerObserver(this, QString::fromLatin1(selector), row.id.majorID,
                                               row.id.minorID);
        }
    }
    registerNotification(InitControllerNotificationTable);
}

bool InitController::readRecord(ns::Notification* notification, _UI_MSG* msg) const
{
    *msg = _UI_MSG{};
    return jovMsgCenter && notification && jovMsgCenter->getMsgPackage(msg, notification);
}

bool InitController::configFlag(const QString& module, const QString& key) const
{
    if (module.isEmpty())
        return configStore().getConfigurationByModule(key).boolValue();
    return configStore().getConfigurationByModuleAndKey(module, key).boolValue();
}

void InitController::writeConfig(const QString& key, const ns::Value& value)
{
    configStore().setConfigurationByModule(key, value);
    configStore().writeToFile();
}

void InitController::loadNib()
{
    if (viewNetWorkStatus_)
        return;
    buildStatusArea();
    buildOperatorWindows();
    buildSimCardUpdateWindow();
}

QString InitController::localized(const QString& key)
{
    return Map_Name_Item_of_IndexString(key);
}

void InitController::showWarning(const QString& key)
{
    NSRunAlertPanelExt(localized(QStringLiteral("Warning")), localized(key), localized(QStringLiteral("OK")),
                       QString());
}
