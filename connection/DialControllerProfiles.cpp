// The profiles: dialConfig.plist and the profiles of other SIMs, the profile
// in use, and the operator's default profiles chosen for a new SIM.
#include "connection/DialController.h"

#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "connection/DialProfile.h"
#include "connection/ProfileRules.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TableView.h"

#include <algorithm>

void DialController::registerProfileSelectors()
{
    registerSelector("alreadyGetSimIMSI:", &DialController::alreadyGetSimIMSI);
    registerSelector("AddAPNInfo:", &DialController::AddAPNInfo);
    registerSelector("DelAPNInfo:", &DialController::DelAPNInfo);
    registerSelector("toggleBrowserView:", [this](ns::Object* sender) { toggleBrowserView(sender); });
    registerSelector("enableAutoApnMatch:", &DialController::enableAutoApnMatch);
}

bool DialController::isAddAPNWithSIM() const
{
    return configFlag(QStringLiteral("Internet"), QStringLiteral("AddAPNWithSIM"));
}

void DialController::loadDialConfig()
{
    const std::optional<ns::Array> profiles = dialConfigFile_.read();
    dialConfigArray = profiles ? *profiles : ns::Array();
    if (isAddAPNWithSIM()) {
        if (alreadyGetSimIMSIFlag_) {
            loadDialConfigWithSIM();
        } else {
            m_IndexOfComboBoxSelectionNow = 1;
        }
        return;
    }
    reloadProfileLists();
    const int count = dialConfigArray.count();
    int current = 0;
    if (count > 0) {
        current = switches_.readCurrentProfile();
        if (current >= count) {
            current = count - 1;
            switches_.writeCurrentProfile(current);
        }
    } else {
        switches_.writeCurrentProfile(0);
    }
    dialConfigListSelectItemAtIndex(std::max(current, 0) + 1);
}

void DialController::loadDialConfigWithSIM()
{
    dialConfigArrayWithSIM_.removeAll();
    const QString simImsi = configStore().getConfigurationByModule(QStringLiteral("simIMSI")).toString();
    for (int i = 0; i < dialConfigArray.count();) {
        const ns::Value imsi = dialConfigArray.at(i).toDictionary().value(DialProfile::kIMSI);
        if (!imsi.isNull() && imsi.toString() != simImsi) {
            dialConfigArrayWithSIM_.append(dialConfigArray.at(i));
            dialConfigArray.removeAt(i);
        } else {
            ++i;
        }
    }
}

void DialController::alreadyGetSimIMSI(ns::Notification* notification)
{
    if (!isAddAPNWithSIM() || alreadyGetSimIMSIFlag_)
        return;
    alreadyGetSimIMSIFlag_ = true;
    loadDialConfig();
    reloadProfileLists();
    if (m_DialConfigList)
        m_DialConfigList->setEnabled(true);
    const bool sameSim =
        notification && !notification->userInfo().value(QStringLiteral("imsiInfo")).boolValue();
    const int current = switches_.readCurrentProfile();
    if (dialConfigArray.count() > 0 && sameSim && current >= 0 && current < dialConfigArray.count()) {
        dialConfigListSelectItemAtIndex(current + 1);
    } else {
        dialConfigListSelectItemAtIndex(1);
        switches_.writeCurrentProfile(0);
    }
}

void DialController::saveDialConfigFile()
{
    ns::Array profiles;
    for (const ns::Value& profile : dialConfigArray)
        if (!(flagAddMMSConfig_ && profile.toDictionary().isSameObject(mmsDialConfig_))) // never saved
            profiles.append(profile);
    if (isAddAPNWithSIM())
        for (const ns::Value& profile : dialConfigArrayWithSIM_)
            profiles.append(profile);
    dialConfigFile_.write(profiles);
}

void DialController::resetDefaultProfileWithImsiAll(const QString& imsi)
{
    const int index = switches_.isTransplantCodeToTestApnMatch()
                          ? transplant_.imsiMatchApn(imsi)
                          : transplant_.matchDefaultProfileWithImsi(imsi);
    if (index != -1) {
        setDefaultProfile(index);
        return;
    }
    setDefaultProfile(0);
    NSRunAlertPanelExt(localized(QStringLiteral("Warning")),
                       localized(QStringLiteral("Not found a suitable APN")), localized(QStringLiteral("Ok")),
                       QString());
}

void DialController::resetGlobalDefaultProfileWithImsi(const QString& imsi)
{
    const bool rewritten = switches_.isTransplantCodeToTestApnMatch()
                               ? transplant_.matchGlobalApn(imsi, QString())
                               : transplant_.matchGlobalDefaultProfileWithImsi(imsi);
    if (rewritten)
        reloadAfterFileRewrite();
}

void DialController::resetDefaultProfileWithMcc(const QString& mcc, const QString& mnc)
{
    if (switches_.isTransplantCodeToTestApnMatch()) {
        if (transplant_.matchGlobalApn(mcc, mnc))
            reloadAfterFileRewrite();
        return;
    }
    if (mcc.isNull() || mnc.isNull() || !switches_.readDefDialCfgs().isArray() ||
        !switches_.readImsiConfig().isDictionary())
        return;
    resetDialConfigListWithMatchedApn(transplant_.matchedProfilesForMcc(mcc, mnc));
}

void DialController::resetDefaultProfileWithMCCMNC(const QString& mccmnc)
{
    if (switches_.isTransplantCodeToTestApnMatch()) {
        if (transplant_.matchGlobalApn(mccmnc, QString()))
            reloadAfterFileRewrite();
        return;
    }
    resetDialCfgListWithCfgArray(transplant_.matchApnByString(mccmnc));
}

void DialController::reloadAfterFileRewrite()
{
    loadDialConfig();
    reloadApnListView();
}

void DialController::resetDiaCfgListWithImsiCfg(const ns::Dictionary& profile)
{
    if (dialConfigArray.isEmpty())
        dialConfigArray.append(profile.deepCopy());
    else
        dialConfigArray.replace(0, profile.deepCopy());
    saveDialConfigFile();
    reloadProfileLists();
    postProfileListSelectionChange();
    comboBoxSelectionDidChange(
        ns::Notification(ns::ComboBoxSelectionDidChangeNotification, m_DialConfigList));
    dialConfigListSelectItemAtIndex(switches_.readCurrentProfile() + 1);
}

void DialController::setDefaultProfile(int index)
{
    dialConfigListSelectItemAtIndex(index + 1);
    comboBoxSelectionDidChange(
        ns::Notification(ns::ComboBoxSelectionDidChangeNotification, m_DialConfigList));
    postProfileListSelectionChange();
}

void DialController::reloadApnListView()
{
    if (m_configListView)
        m_configListView->reloadData();
    postProfileListSelectionChange();
    reloadProfileLists();
    dialConfigListSelectItemAtIndex(1);
    comboBoxSelectionDidChange(
        ns::Notification(ns::ComboBoxSelectionDidChangeNotification, m_DialConfigList));
}

void DialController::resetDialConfigListWithMatchedApn(const ns::Array& profiles)
{
    if (installDefaultProfiles(profiles,
                               std::min(switches_.readDefaultProfileNum(), dialConfigArray.count())))
        reloadApnListView();
}

void DialController::resetDialCfgListWithCfgArray(const ns::Array& profiles)
{
    if (!installDefaultProfiles(profiles, switches_.readDefaultProfileNum()))
        return;
    if (m_configListView)
        m_configListView->reloadData();
    postProfileListSelectionChange();
    dialConfigListSelectItemAtIndex(1);
    comboBoxSelectionDidChange(
        ns::Notification(ns::ComboBoxSelectionDidChangeNotification, m_DialConfigList));
}

bool DialController::installDefaultProfiles(const ns::Array& profiles, int replaced)
{
    // The operator's profiles keep their order at the head; the user's follow.
    if (!profile_rules::replaceDefaultProfiles(dialConfigArray, replaced, profiles))
        return false;
    switches_.writeDefaultProfileNum(profiles.count());
    saveDialConfigFile();
    return true;
}

void DialController::setCurrentProfile()
{
    const int item =
        m_DialConfigList ? m_DialConfigList->indexOfSelectedItem() : m_IndexOfComboBoxSelectionNow;
    switches_.writeCurrentProfile(item - 1);
    setDialParams();
    displayAPNInfo();
    changeControlsPosForProfile();
}

QString DialController::getDefaultProfileAPN()
{
    const QString apn = currentProfile().value(DialProfile::kApnName).toString();
    return apn.isEmpty() ? localized(QStringLiteral("Automatic")) : apn;
}

int DialController::defaultAuthMode() const
{
    return configStore().getConfigurationByModule(QStringLiteral("DefaultAuthMode")).toString() ==
                   QLatin1String("CHAP")
               ? 1
               : 0;
}

ns::Dictionary DialController::currentProfile() const
{
    const int index = m_IndexOfComboBoxSelectionNow - 1;
    return index >= 0 && index < dialConfigArray.count() ? dialConfigArray.at(index).toDictionary()
                                                         : ns::Dictionary();
}

void DialController::updateInterface()
{
    loadDialConfig();
}

void DialController::dialConfigListSelectItemAtIndex(int index)
{
    m_IndexOfComboBoxSelectionNow = index;
    if (m_DialConfigList && index < m_DialConfigList->numberOfItems())
        m_DialConfigList->selectItemAtIndex(index);
}
