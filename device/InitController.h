#pragma once

#include "app/ui/controller/JOVUIController.h"
#include "jCommon/UIMsg.h"

// Follows the modem from the moment the device server reports it until the
// SIM is ready: it subscribes to the server's start-up reports, keeps the
// device's state and tells the other features through the life-cycle and
// init_* notifications. Exactly one exists, published in g_InitController.
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

protected:
    void registerMessages() override;

private:
    // Posts the init_* notification with the value under its own name.
    void sendNotification(const QString& name, const ns::Value& value);
    // The record of a message notification; false when there is none.
    bool readRecord(ns::Notification* notification, _UI_MSG* msg) const;
};

extern InitController* g_InitController;
