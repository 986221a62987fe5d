#include "device/InitController.h"

#include "app/config/ConfigService.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "device/InitNotifications.h"
#include "jCommon/DeviceMessages.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Window.h"

InitController* g_InitController = nullptr;

namespace
{

const ObserverTableEntry InitControllerNotificationTable[] = {
    {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
    {nullptr, nullptr},
};

// How long the modem image shows the check before the modem counts as starting.
constexpr double kCheckModemStatusDelay = 2.0;

} // namespace

InitController::InitController(ConfigManager& store) : JOVUIController(store)
{
    g_InitController = this;
    registerSelector("dealWithMsgOfHandShake:", &InitController::dealWithMsgOfHandShake);
    registerSelector("dealWithMsgOfPinStatus:", &InitController::dealWithMsgOfPinStatus);
    registerSelector("dealWithMsgOfCheckDeviceStatus:", &InitController::dealWithMsgOfCheckDeviceStatus);
    registerSelector("setModemStatusPresent:", [this](ns::Object*) { setModemStatus(true); });
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
        registerLockMessages();
    }
    registerNotification(InitControllerNotificationTable);
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
