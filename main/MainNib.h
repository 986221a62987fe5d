#pragma once

#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/skin/JOVUIManager.h"
#include "connection/DialController.h"
#include "connection/DialRecordController.h"
#include "connection/EntertainController.h"
#include "connection/StatisticsController/statisticSource.h"
#include "connection/StatisticsController/transferSource.h"
#include "device/AEMessage.h"
#include "device/InitController.h"
#include "device/MainController.h"
#include "main/standins/CompoundCallStandIn.h"
#include "main/standins/PhonebookStandIn.h"
#include "main/standins/SettingStandIn.h"

// The objects of the main nib: made when the application starts, then wired
// and woken up in order. Feature controllers join here as they are built;
// until then stand-ins answer for the dial, settings, call and phone-book
// controllers.
class MainNib
{
public:
    // The nib over the settings of the store (the program's shared one).
    explicit MainNib(ConfigManager& store = ConfigManager::sharedConfigManager());
    // Wires the controllers to the shared objects and the main window, wakes
    // them, and makes the main controller the application's delegate.
    void awakeFromNib();

    JOVMsgCenter& jovMsgCenter() { return jovMsgCenter_; }
    MainController& mainController() { return mainController_; }
    InitController& initController() { return initController_; }
    DialController& dialController() { return dialController_; }
    DialRecordController& dialRecordController() { return dialRecordController_; }
    EntertainController& entertainController() { return entertainController_; }
    statisticSource& statisticsOutline() { return statisticSource_; }
    transferSource& transferOutline() { return transferSource_; }
    JOVUIManager& skinManager() { return jovSkinManager_; }

private:
    JOVMsgCenter jovMsgCenter_;
    JOVUIManager jovSkinManager_;
    SettingStandIn settingStandIn_;
    CompoundCallStandIn compoundCallStandIn_;
    PhonebookStandIn phonebookStandIn_;
    // The update link to Varnock (g_UpdateLink).
    AEMessage aeMessage_;
    InitController initController_;
    MainController mainController_;
    DialController dialController_;
    DialRecordController dialRecordController_;
    EntertainController entertainController_;
    statisticSource statisticSource_;
    transferSource transferSource_;
};
