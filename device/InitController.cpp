#include "device/InitController.h"

#include "app/config/ConfigService.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "device/InitNotifications.h"
#include "jCommon/DeviceMessages.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Timer.h"

#include <array>

InitController* g_InitController = nullptr;

namespace
{

const ObserverTableEntry InitControllerNotificationTable[] = {
    {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
    {nullptr, nullptr},
};

// How long the modem image shows the check before the modem counts as starting.
constexpr double kCheckModemStatusDelay = 2.0;

// The network, operator and identity reports and their handlers.
struct NetworkHandler {
    const char* selector;
    MessageID message;
    void (InitController::*handler)(ns::Notification*);
};

const std::array<NetworkHandler, 19> kNetworkHandlers = {{
    {"dealWithMsgOfCheckHPLMN:", msg::device::kCheckHPLMN, &InitController::dealWithMsgOfCheckHPLMN},
    {"dealWithMsgOfCheckSignalStatus:", msg::device::kCheckSignalStatus,
     &InitController::dealWithMsgOfCheckSignalStatus},
    {"dealWithMsgOfCheckJrssiSignalStatus:", msg::device::kCheckRscpSignalStatus,
     &InitController::dealWithMsgOfCheckJrssiSignalStatus},
    {"dealWithMsgOfCheckNetInfo:", msg::device::kCheckNetInfo, &InitController::dealWithMsgOfCheckNetInfo},
    {"dealWithMsgOfCheckNetInfoForIcera:", msg::device::kCheckNetInfoSecondFamily,
     &InitController::dealWithMsgOfCheckNetInfoForIcera},
    {"dealWithMsgOfCheckPLMN:", msg::device::kCheckPLMN, &InitController::dealWithMsgOfCheckPLMN},
    {"dealWithMsgOfCheckRoamInfo:", msg::device::kCheckRoamInfo, &InitController::dealWithMsgOfCheckRoamInfo},
    {"dealWithMsgOfCheckSPN:", msg::device::kCheckSPN, &InitController::dealWithMsgOfCheckSPN},
    {"dealWithMsgOfCheckSPDI:", msg::device::kCheckSPDI, &InitController::dealWithMsgOfCheckSPDI},
    {"dealWithMsgOfCheckICCID:", msg::device::kCheckICCID, &InitController::dealWithMsgOfCheckICCID},
    {"dealWithMsgOfCheckCIMI:", msg::device::kCheckCIMI, &InitController::dealWithMsgOfCheckCIMI},
    {"dealWithMsgOfCheckMCCMNC:", msg::device::kCheckMCCMNC, &InitController::dealWithMsgOfCheckMCCMNC},
    {"dealWithMsgOfCheckHWVERSION:", msg::device::kCheckHWVersion,
     &InitController::dealWithMsgOfCheckHWVERSION},
    {"dealWithMsgOfCheckModemModel:", msg::device::kCheckModemModel,
     &InitController::dealWithMsgOfCheckModemModel},
    {"dealWithMsgOfCheckPhoneNumber:", msg::device::kCheckPhoneNumber,
     &InitController::dealWithMsgOfCheckPhoneNumber},
    {"dealWithMsgOfCheckSerialNumber:", msg::device::kCheckSerialNumber,
     &InitController::dealWithMsgOfCheckSerialNumber},
    {"dealWithMsgOfCheckSignalStatusIcera:", msg::device::kCheckSignalStatusSecondFamily,
     &InitController::dealWithMsgOfCheckSignalStatusIcera},
    {"dealWithMsgOfCheckJairInfoStatus:", msg::device::kCheckCellInfo,
     &InitController::dealWithMsgOfCheckJairInfoStatus},
    {"dealWithMsgOfCheckFWVERSION:", msg::device::kCheckFWVersion,
     &InitController::dealWithMsgOfCheckFWVERSION},
}};

// The internal firmware version is followed only when the update goes by it.
const NetworkHandler kInternalFirmwareHandler = {
    "dealWithMsgOfCheckFWINTERNALVERSION:", msg::device::kCheckFWInternalVersion,
    &InitController::dealWithMsgOfCheckFWINTERNALVERSION};

} // namespace

InitController::InitController(ConfigManager& store) : JOVUIController(store)
{
    g_InitController = this;
    registerSelector("dealWithMsgOfHandShake:", &InitController::dealWithMsgOfHandShake);
    registerSelector("dealWithMsgOfPinStatus:", &InitController::dealWithMsgOfPinStatus);
    registerSelector("dealWithMsgOfCheckDeviceStatus:", &InitController::dealWithMsgOfCheckDeviceStatus);
    registerSelector("setModemStatusPresent:", [this](ns::Object*) { setModemStatus(true); });
    registerNetworkSelectors();
}

InitController::~InitController()
{
    ns::cancelPreviousPerformRequestsWithTarget(this);
    if (timerAlertSelect3GPrefer_)
        timerAlertSelect3GPrefer_->invalidate();
    if (g_InitController == this)
        g_InitController = nullptr;
}

void InitController::registerMessages()
{
    if (jovMsgCenter) {
        using namespace msg::device;
        jovMsgCenter->registerObserver(this, "dealWithMsgOfHandShake:", kHandShake.majorID,
                                       kHandShake.minorID);
        jovMsgCenter->registerObserver(this, "dealWithMsgOfPinStatus:", kPinStatus.majorID,
                                       kPinStatus.minorID);
        jovMsgCenter->registerObserver(this, "dealWithMsgOfCheckDeviceStatus:", kCheckDeviceStatus.majorID,
                                       kCheckDeviceStatus.minorID);
        registerNetworkMessages();
    }
    registerNotification(InitControllerNotificationTable);
}

void InitController::registerNetworkSelectors()
{
    for (const NetworkHandler& entry : kNetworkHandlers)
        registerSelector(entry.selector, entry.handler);
    registerSelector(kInternalFirmwareHandler.selector, kInternalFirmwareHandler.handler);
}

void InitController::registerNetworkMessages()
{
    const auto registerHandler = [this](const NetworkHandler& entry) {
        jovMsgCenter->registerObserver(this, entry.selector, entry.message.majorID, entry.message.minorID);
    };
    for (const NetworkHandler& entry : kNetworkHandlers)
        registerHandler(entry);
    if (configFlag(QString(), QStringLiteral("UpdateByInternalFW")))
        registerHandler(kInternalFirmwareHandler);
}

bool InitController::configFlag(const QString& module, const QString& key) const
{
    return module.isEmpty() ? configStore().getConfigurationByModule(key).boolValue()
                            : configStore().getConfigurationByModuleAndKey(module, key).boolValue();
}

void InitController::writeConfig(const QString& key, const ns::Value& value)
{
    configStore().setConfigurationByModule(key, value);
    configStore().writeToFile();
}

QString InitController::localized(const QString& key)
{
    return Map_Name_Item_of_IndexString(key);
}

void InitController::setDeviceOnline()
{
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleInit, msg::device::kStartWork.majorID,
                                          msg::device::kStartWork.minorID, 0, 0);
}

void InitController::setDeviceOffline()
{
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleInit, msg::device::kStopWork.majorID,
                                          msg::device::kStopWork.minorID, 0, 0);
}

bool InitController::readRecord(ns::Notification* notification, _UI_MSG* msg) const
{
    *msg = _UI_MSG{};
    return jovMsgCenter && notification && jovMsgCenter->getMsgPackage(msg, notification);
}

void InitController::dealWithMsgOfHandShake(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess)
        return;
    if (ConfigService(configStore()).isDisplayCheckModemStatus())
        ns::performSelectorAfterDelay(this, "setModemStatusPresent:", nullptr, kCheckModemStatusDelay);
    else
        setModemStatus(true);
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

void InitController::dealWithMsgOfPinStatus(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.result != kResultSuccess || msg.moduleID != kModuleInit)
        return;
    setSimStatus(true);
    notifySimReady();
}

void InitController::setModemStatus(bool present)
{
    sendNotification(kModemConnected, present);
}

void InitController::setSimStatus(bool ready)
{
    setRuntimeObject(ready, kRTSIMCardReady);
    sendNotification(kSimStatus, ready);
}

void InitController::sendNotification(const QString& name, const ns::Value& value)
{
    notificationCenter.postNotificationName(name, nullptr, ns::Dictionary{{name, value}});
}
