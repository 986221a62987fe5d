#include "main/standins/SettingStandIn.h"

#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/UINotifications.h"
#include "jCommon/NetworkSelectionMessages.h"
#include "jCommon/PayloadWriter.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/NotificationCenter.h"

SettingStandIn::SettingStandIn(JOVMsgCenter& msgCenter) : msgCenter_(msgCenter)
{
    g_SettingController = this;
}

SettingStandIn::~SettingStandIn()
{
    if (g_SettingController == this)
        g_SettingController = nullptr;
}

void SettingStandIn::runAlertPanel(const QString& key)
{
    NSRunAlertPanelExt(Map_Name_Item_of_IndexString(QStringLiteral("Warning!")),
                       Map_Name_Item_of_IndexString(key), Map_Name_Item_of_IndexString(QStringLiteral("OK")),
                       QString());
}

void SettingStandIn::dealWithMsgOfCheckDeviceUnLockResult(int result)
{
    if (result == 0) {
        ns::NotificationCenter::defaultCenter().postNotificationName(kDeviceUnlockSuccess, this);
    } else if (result == quint8(kResultFailure)) {
        NSRunAlertPanelExt(Map_Name_Item_of_IndexString(QStringLiteral("Warning")),
                           Map_Name_Item_of_IndexString(QStringLiteral("Invalid password!")),
                           Map_Name_Item_of_IndexString(QStringLiteral("OK")), QString());
        ns::NotificationCenter::defaultCenter().postNotificationName(kDeviceUnlockFailed, this);
    }
}

void SettingStandIn::sendSetRoamSwitch()
{
    msgCenter_.sendMessageModuleID(
        kModuleSettings, msg::networkSelection::kSetRoamSwitch.majorID,
        msg::networkSelection::kSetRoamSwitch.minorID, kTypeRequest, kResultSuccess,
        PayloadWriter(8).setInt32(0, nationalRoamSwitch_).setInt32(4, internationalRoamSwitch_).bytes());
}
