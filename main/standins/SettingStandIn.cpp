#include "main/standins/SettingStandIn.h"

#include "app/config/ConfigManager.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/UINotifications.h"
#include "jCommon/NetworkSelectionMessages.h"
#include "jCommon/PayloadWriter.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Workspace.h"

#include <QUrl>

SettingStandIn::SettingStandIn(JOVMsgCenter& msgCenter, ConfigManager& store)
    : msgCenter_(msgCenter), store_(store)
{
    for (const ns::Value& page :
         store_.getConfigurationByModule(QStringLiteral("SettingDefaultItem")).toArray())
        pages_ << page.stringValue();
    g_SettingController = this;
}

bool SettingStandIn::allowAutoConnect()
{
    // The check box shows the stored "AutoConnect"; without the key it is
    // hidden and unset, whatever Internet/"DefaultAutoConnect" says.
    return autoConnectBtnEnabled_ &&
           store_.getConfigurationByModule(QStringLiteral("AutoConnect")).boolValue();
}

bool SettingStandIn::allowAutoReconnect()
{
    return store_
               .getConfigurationByModuleAndKey(
                   QStringLiteral("Internet"),
                   QStringLiteral("EnableAutoReconnectNotDependOnAutoConnectLable"))
               .boolValue() ||
           allowAutoConnect();
}

SettingStandIn::~SettingStandIn()
{
    if (g_SettingController == this)
        g_SettingController = nullptr;
}

void SettingStandIn::AutoLaunchURL()
{
    const QString internet = QStringLiteral("Internet");
    const QString opened = QStringLiteral("CustomURLHasOpened");
    const ns::Value hasOpened = store_.getConfigurationByModuleAndKey(internet, opened);
    if (hasOpened.isNull() || hasOpened.boolValue())
        return;
    ns::Workspace::sharedWorkspace().openURL(
        QUrl(Map_Name_Item_of_IndexString(QStringLiteral("The Custom URL"))));
    store_.setConfigurationByModuleKeyAndValue(internet, opened, ns::Value(true));
    store_.writeToFile();
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
