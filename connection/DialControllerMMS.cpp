// The temporary MMS profile: added to the listed profiles for sending or
// fetching an MMS, and removed again; never saved to the profile file.
#include "connection/DialController.h"

#include "connection/DialProfile.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TableView.h"

namespace
{

const QString kMMSConfigFile = QStringLiteral("config.plist");

} // namespace

ns::Dictionary DialController::mmsSettings() const
{
    return ns::PropertyList::readDictionary(configStore().getFilePathWithFileName(kMMSConfigFile))
        .value_or(ns::Dictionary());
}

QString DialController::MMSAccessPoint() const
{
    return mmsSettings().value(QStringLiteral("APN")).toString();
}

QString DialController::MMSGatewayUsername() const
{
    return mmsSettings().value(QStringLiteral("WapGateUserName")).toString();
}

QString DialController::MMSGatewayPassword() const
{
    return mmsSettings().value(QStringLiteral("WapGatePassword")).toString();
}

int DialController::MMSDefaultProfileNum() const
{
    return switches_.readDefaultProfileNum();
}

void DialController::addMMSConfig()
{
    mmsDialConfig_ = DialProfile::mmsDialConfig(mmsSettings(), localized(QStringLiteral("MMS_SET")));
    dialConfigArray.append(mmsDialConfig_);
    flagAddMMSConfig_ = true;
    reloadProfileLists();
    if (m_configListView)
        m_configListView->reloadData();
    nMMSconfigItem_ = dialConfigArray.count();
    dialConfigListSelectItemAtIndex(nMMSconfigItem_);
}

void DialController::removeMMSConfig()
{
    if (!flagAddMMSConfig_ || nMMSconfigItem_ <= MMSDefaultProfileNum() ||
        nMMSconfigItem_ > dialConfigArray.count())
        return;
    dialConfigArray.removeAt(nMMSconfigItem_ - 1);
    reloadProfileLists();
    flagAddMMSConfig_ = false;
}

void DialController::setDialConfig(int index)
{
    dialConfigListSelectItemAtIndex(index + 1);
    if (m_configListView)
        m_configListView->reloadData();
}

QString DialController::getAPNString()
{
    return currentProfile().value(DialProfile::kApnName).toString();
}
