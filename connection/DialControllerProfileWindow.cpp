// The profile window: which buttons and controls are enabled, how a profile
// is shown in the browse pane and the edit sheet and taken back, the checks
// before a save, the current profile and the count of default profiles.
#include "connection/DialController.h"

#include "app/config/ConfigService.h"
#include "app/interfaces/SMSControlling.h"
#include "app/ui/controller/ItemDescriptionKeys.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/DialProfile.h"
#include "connection/ProfileFieldStates.h"
#include "connection/ProfileRules.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

using namespace profile_fields;

namespace
{

const QString kInternet = QStringLiteral("Internet");

// The notes of the MTS layout, by profile box item.
const QStringList kMtsNotes = {QStringLiteral("Detail Service Mobile GPRS-Internet"),
                               QStringLiteral("Detail Service HyperActive"),
                               QStringLiteral("Detail Service Hyper.NET")};

QList<ns::Control*> everyControl(const ProfileControls& c)
{
    return {c.provider,        c.telNumber,       c.access.saveAccount, c.access.askUsername,
            c.access.username, c.access.password, c.access.apnMode,     c.access.apn,
            c.access.authMode, c.access.pdpMode,  c.access.pdpAddress,  c.access.dnsMode,
            c.access.preDns,   c.access.altDns};
}

void postSelectionChange(ns::TableView* table, ns::TableViewDelegate* delegate)
{
    const ns::Notification notification(ns::TableViewSelectionDidChangeNotification, table);
    delegate->tableViewSelectionDidChange(notification);
    ns::NotificationCenter::defaultCenter().postNotification(notification);
}

} // namespace

// ---- profile values ----

QString DialController::getSafeDialStrParas(const ns::Dictionary& profile, const QString& key)
{
    return profile.value(key).stringValue();
}

int DialController::getSafeDialNumParas(const ns::Dictionary& profile, const QString& key)
{
    return profile.value(key).intValue();
}

QString DialController::getApnProviderNameWith(const ns::Dictionary& profile) const
{
    const QString provider = profile.value(DialProfile::kProvider).stringValue();
    return configFlag(QString(), QStringLiteral("NotChangeProviderWording")) ? provider : localized(provider);
}

// ---- opening and closing ----

void DialController::popUpDialConfigWindow()
{
    m_configListView->reloadData();
    if (!viewDialBrowse_->isHidden())
        toggleBrowserView(this);
    ConfigService config(configStore());
    ns::Window* parent = config.isApnWindSheetWindMainChanged_IfJamaicaSkinVersion() && tabviewSetting
                             ? tabviewSetting->window()
                             : wndMain;
    ns::Application::sharedApplication().beginSheet(m_dialConfigWindow.get(), parent);
    setDynamicControllersEnabledByKey(kDrawerItems, false);
    postSelectionChange(m_configListView, this);
}

void DialController::closeDialConfigSettings(ns::Object* /*sender*/)
{
    m_dialConfigWindow->orderOut(nullptr);
    ns::Application::sharedApplication().endSheet(m_dialConfigWindow.get());
    setDynamicControllersEnabledByKey(kDrawerItems, true);
    saveDialConfigFile();
    m_DialConfigList->reloadData();
    const int count = dialConfigArray.count();
    if (switches_.readCurrentProfile() >= count)
        switches_.writeCurrentProfile(count - 1);
    m_DialConfigList->selectItemAtIndex(switches_.readCurrentProfile() + 1);
}

void DialController::browseDialConfigSettings(ns::Object* sender)
{
    toggleBrowserView(sender);
}

void DialController::editDialConfigSettings(ns::Object* /*sender*/)
{
    const int row = m_configListView->selectedRow();
    setEditWinValue(row >= 0 && row < dialConfigArray.count() ? dialConfigArray.at(row).toDictionary()
                                                              : ns::Dictionary());
    if (!viewDialBrowse_->isHidden())
        toggleBrowserView(this);
    ns::Application::sharedApplication().beginSheet(m_profileEditWin.get(), m_dialConfigWindow.get());
    forbiddenOperateIpv6Apn();
}

void DialController::editWindowOK(ns::Object* /*sender*/)
{
    if (!checkDialConfigIsValid())
        return;
    saveCurrentDialConfig();
    editWindowCancel(nullptr);
}

void DialController::editWindowCancel(ns::Object* /*sender*/)
{
    m_profileEditWin->orderOut(nullptr);
    ns::Application::sharedApplication().endSheet(m_profileEditWin.get());
}

// ---- buttons by row ----

void DialController::setEidtStatusAtRow(int row)
{
    const bool rowSelected = row >= 0;
    btnBrowseProfile_->setEnabled(rowSelected);
    if (!rowSelected) {
        setControlsEnabled({btnEditProfile_, btnDeleteProfile_}, false);
    } else if (row < switches_.readDefaultProfileNum()) {
        const bool editable =
            configStore().getConfigurationByModule(QStringLiteral("AddDefaultEdit")).boolValue();
        btnEditProfile_->setEnabled(editable);
        btnDeleteProfile_->setEnabled(false);
        if (!editable)
            setUsernameAndPasswordEditable(row);
    } else {
        setControlsEnabled({btnEditProfile_, btnDeleteProfile_}, true);
    }
    setBtnStausForVADO(row);
}

// ---- filling the browse pane and the edit sheet ----

void DialController::setdialControls(ns::Object* control, const ns::Dictionary& profile, const QString& key)
{
    if (!control || key.isNull())
        return;
    if (auto* matrix = dynamic_cast<ns::Matrix*>(control))
        matrix->selectCellAtRow(profile.value(key).intValue(), 0);
    else if (auto* button = dynamic_cast<ns::Button*>(control))
        button->setState(profile.value(key).intValue());
    else if (auto* field = dynamic_cast<ns::TextField*>(control))
        field->setStringValue(profile.value(key).stringValue());
}

void DialController::fillProfileControls(const ProfileControls& controls, const ns::Dictionary& profile)
{
    controls.provider->setStringValue(getApnProviderNameWith(profile));
    const std::pair<ns::Object*, const char*> pairs[] = {
        {controls.telNumber, "telNumber"},
        {controls.access.saveAccount, "saveUsernameFlag"},
        {controls.access.askUsername, "askUsernameFlag"},
        {controls.access.username, "accountName"},
        {controls.access.password, "password"},
        {controls.access.apnMode, "apnFlag"},
        {controls.access.apn, "apnName"},
        {controls.access.pdpMode, "pdpFlag"},
        {controls.access.pdpAddress, "pdpAddress"},
        {controls.access.dnsMode, "dnsFlag"},
        {controls.access.preDns, "preDns"},
        {controls.access.altDns, "altDns"},
        {controls.access.authMode, "pppFlag"},
    };
    for (const auto& [control, key] : pairs)
        setdialControls(control, profile, QString::fromLatin1(key));
    displayPDPAt(controls.pdpType, profile.value(QStringLiteral("pdpType")).intValue());
}

ProfileControls DialController::editControls() const
{
    return {m_eProviderForConfig,
            m_eTelephoneNumber,
            ePDPTypeGroup_,
            {m_eIsSaveUserInfo, eAskUernameCheck_, m_eUsername, m_ePassword, m_eIsAutoObtainAPN, m_eAPN,
             m_eAuthMode, m_eIsAutoObtainPDP, m_ePDP, m_eIsAutoObtainDNS, m_ePreferDNS, m_eAlternateDNS}};
}

ProfileControls DialController::browseControls() const
{
    return {m_bProviderForConfig,
            m_bTelephoneNumber,
            bPDPTypeGroup_,
            {m_bIsSaveUserInfo, bAskUernameCheck_, m_bUsername, m_bPassword, m_bIsAutoObtainAPN, m_bAPN,
             m_bAuthMode, m_bIsAutoObtainPDP, m_bPDP, m_bIsAutoObtainDNS, m_bPreferDNS, m_bAlternateDNS}};
}

void DialController::setBrowseWinValue(const ns::Dictionary& profile)
{
    fillProfileControls(browseControls(), profile);
    tfBrowseApnIPv6_->setStringValue(profile.value(QStringLiteral("IPv6ApnName")).stringValue());
}

void DialController::setEditWinValue(const ns::Dictionary& profile)
{
    fillProfileControls(editControls(), profile);
    displyEditDialParamsForIPv6(profile);
    setAPNEditWinControlsStatus();
}

void DialController::InitAPNConfigEdit()
{
    fillProfileControls(editControls(), ns::Dictionary());
    m_eProviderForConfig->setStringValue(QString());
    displyEditDialParamsForIPv6(ns::Dictionary());
    setControlsEnabled({m_eProviderForConfig, m_eTelephoneNumber}, true);
    saveAPNPassword(m_eIsSaveUserInfo);
    selectObtainAPNType(m_eIsAutoObtainAPN);
    selectObtainDNSType(m_eIsAutoObtainDNS);
    selectObtainPDPType(m_eIsAutoObtainPDP);
}

void DialController::InitAPNConfigBrowse()
{
    fillProfileControls(browseControls(), ns::Dictionary());
    m_bProviderForConfig->setStringValue(QString());
    tfBrowseApnIPv6_->setStringValue(QString());
}

// ---- the edit sheet's choices ----

void DialController::saveAPNPassword(ns::Object* sender)
{
    if (stateOf(sender) == 0)
        closeFields({m_eUsername, m_ePassword});
    else
        openFields({m_eUsername, m_ePassword});
}

void DialController::selectObtainAPNType(ns::Object* sender)
{
    if (selectedRowOf(sender) == 0)
        closeFields({m_eAPN});
    else
        openFields({m_eAPN});
    selectObtainAPNTypeIPv6(radioObtainApnIPv6_);
}

void DialController::selectObtainPDPType(ns::Object* sender)
{
    if (selectedRowOf(sender) == 0)
        closeFields({m_ePDP});
    else
        openAddressFields({m_ePDP});
}

void DialController::selectObtainDNSType(ns::Object* sender)
{
    if (selectedRowOf(sender) == 0)
        closeFields({m_ePreferDNS, m_eAlternateDNS});
    else
        openAddressFields({m_ePreferDNS, m_eAlternateDNS});
}

void DialController::setEditWinControlsStatus(bool enabled)
{
    setControlsEnabled(everyControl(editControls()), enabled);
}

void DialController::setBrowseWinControlsStatus(bool enabled)
{
    setControlsEnabled(everyControl(browseControls()), enabled);
    tfBrowseApnIPv6_->setEnabled(enabled);
}

void DialController::setAPNEditWinControlsStatus()
{
    if (!checkProviderIsEditable(m_configListView->selectedRow())) {
        setEditWinControlsStatus(true);
        saveAPNPassword(m_eIsSaveUserInfo);
        selectObtainAPNType(m_eIsAutoObtainAPN);
        selectObtainDNSType(m_eIsAutoObtainDNS);
        selectObtainPDPType(m_eIsAutoObtainPDP);
        return;
    }
    setEditWinControlsStatus(false);
    setControlsEnabled({m_eUsername, m_ePassword, m_eIsSaveUserInfo, eAskUernameCheck_}, true);
    setAPNEditWinControlsStatusWithConfig();
}

void DialController::setAPNEditWinControlsStatusWithConfig()
{
    if (!configStore()
             .getConfigurationByModuleAndKey(kInternet, QStringLiteral("apnNameAndAuthModemForConfigEnable"))
             .boolValue())
        return;
    setEditWinControlsStatus(true);
    setControlsEnabled(
        {m_eProviderForConfig, m_eTelephoneNumber, m_eIsSaveUserInfo, m_eUsername, m_ePassword}, false);
}

void DialController::forbiddenOperateIpv6Apn()
{
    ConfigService config(configStore());
    if (!config.forbiddenIpv6ApnWhileChooseRas() ||
        profile_rules::pdpMatrixShape(ePDPTypeGroup_->numberOfRows(), ePDPTypeGroup_->numberOfColumns()) !=
            profile_rules::PdpMatrixShape::ThreeCell)
        return;
    const bool enabled = readConnectType() != 0;
    for (int column : {1, 2})
        ePDPTypeGroup_->cellAtRow(0, column)->setEnabled(enabled);
}

// ---- checking and saving ----

bool DialController::checkDialConfigIsValid()
{
    profile_rules::ProfileForm form;
    form.provider = m_eProviderForConfig->stringValue();
    form.apnRow = m_eIsAutoObtainAPN->selectedRow();
    form.apnName = m_eAPN->stringValue();
    form.pdpType = getPDPType(ePDPTypeGroup_);
    form.preDns = m_ePreferDNS->stringValue();
    form.altDns = m_eAlternateDNS->stringValue();
    form.pdpAddress = m_ePDP->stringValue();
    const QString broken =
        profile_rules::firstBrokenRule(form, dialConfigArray, m_configListView->selectedRow());
    if (broken.isNull())
        return true;
    NSRunAlertPanelExt(localized(QStringLiteral("Warning")), localized(broken),
                       localized(QStringLiteral("OK")), QString());
    return false;
}

void DialController::saveCurrentDialConfig()
{
    const int row = m_configListView->selectedRow();
    if (row < 0 || row >= dialConfigArray.count())
        return;
    ns::Dictionary profile = dialConfigArray.at(row).toDictionary();
    const std::pair<const char*, ns::TextField*> texts[] = {
        {"provider", m_eProviderForConfig},
        {"telNumber", m_eTelephoneNumber},
        {"accountName", m_eUsername},
        {"password", m_ePassword},
        {"apnName", m_eAPN},
        {"pdpAddress", m_ePDP},
        {"preDns", m_ePreferDNS},
        {"altDns", m_eAlternateDNS},
    };
    for (const auto& [key, field] : texts)
        profile.setValue(QString::fromLatin1(key), field->stringValue());
    profile.setValue(QStringLiteral("saveUsernameFlag"), m_eIsSaveUserInfo->state());
    profile.setValue(QStringLiteral("apnFlag"), m_eIsAutoObtainAPN->selectedRow());
    profile.setValue(QStringLiteral("pdpFlag"), m_eIsAutoObtainPDP->selectedRow());
    profile.setValue(QStringLiteral("dnsFlag"), m_eIsAutoObtainDNS->selectedRow());
    profile.setValue(QStringLiteral("pppFlag"), m_eAuthMode->selectedRow());
    profile.setValue(QStringLiteral("pdpType"), getPDPType(ePDPTypeGroup_));
    if (eAskUernameCheck_)
        profile.setValue(QStringLiteral("askUsernameFlag"), eAskUernameCheck_->state());
    saveDialConfigForIPv6();
    saveDialConfigFile();
    m_configListView->reloadData();
    postSelectionChange(m_configListView, this);
    m_DialConfigList->reloadData();
}

// ---- the current profile ----

void DialController::ChangeAPNSelection(ns::Notification* /*notification*/)
{
    if (!m_DialConfigList)
        return;
    m_DialConfigList->selectItemAtIndex(profile_rules::toggledProfileItem(
        m_DialConfigList->indexOfSelectedItem(), switches_.readDefaultProfileNum()));
    const ns::Notification changed(ns::ComboBoxSelectionDidChangeNotification, m_DialConfigList);
    comboBoxSelectionDidChange(changed);
    ns::NotificationCenter::defaultCenter().postNotification(changed);
}

// ---- the tab, the data services and the device ----

void DialController::tabViewItemWillChange(ns::Notification* notification)
{
    if (!notification)
        return;
    if (notification->userInfo().value(kTabViewItemWillChangeNotification).toString() == kInternet)
        loadDialConfig();
    else if (g_SMSController)
        g_SMSController->cleanTextControlShowCertainNewSmsContent();
}

void DialController::setDataServicesStatus(ns::Notification* notification)
{
    if (notification && !notification->userInfo().value(QStringLiteral("DataServiceSwitch")).boolValue())
        setConnectBtnEnable(false);
}

void DialController::setDeviceStatus(bool removed)
{
    isDeviceRemoved = removed;
}

// ---- editable default profiles ----

bool DialController::checkProviderIsEditable(int row)
{
    const ns::Array editable =
        configStore()
            .getConfigurationByModuleAndKey(kInternet, QStringLiteral("ArrayForEditableProvider"))
            .toArray();
    if (row < 0 || editable.isEmpty() || row >= switches_.readDefaultProfileNum() ||
        row >= dialConfigArray.count())
        return false;
    return editable.contains(dialConfigArray.at(row).toDictionary().value(DialProfile::kProvider));
}

void DialController::setUsernameAndPasswordEditable(int row)
{
    if (checkProviderIsEditable(row))
        btnEditProfile_->setEnabled(true);
}

void DialController::setBtnStausForVADO(int row)
{
    if (row != 1 || !configStore()
                         .getConfigurationByModuleAndKey(kInternet, QStringLiteral("TimAPNEditable"))
                         .boolValue())
        return;
    setControlsEnabled({btnEditProfile_, btnBrowseProfile_}, true);
    btnDeleteProfile_->setEnabled(false);
}

// ---- the MTS layout ----

void DialController::changeControlsPosForProfile()
{
    if (!configStore()
             .getConfigurationByModuleAndKey(kInternet, QStringLiteral("ChangePosForProfile"))
             .boolValue() ||
        !m_DialConfigList || !APNNotsForMTS_)
        return;
    const int item = m_DialConfigList->indexOfSelectedItem();
    if (item >= 1 && item <= kMtsNotes.size()) {
        APNNotsForMTS_->setStringValue(localized(kMtsNotes.at(item - 1)));
        changeBtnPosForProfileOfAPN();
    } else {
        APNNotsForMTS_->setStringValue(QString());
        changeBtnPosForNoProfileOfAPN();
    }
}

void DialController::promptOfAPNOK(ns::Object* /*sender*/)
{
    closeAPNPrompt(true);
}

void DialController::promptOfAPNCancel(ns::Object* /*sender*/)
{
    closeAPNPrompt(false);
}

void DialController::closeAPNPrompt(bool ok)
{
    windowOfAPNPrompt_->orderOut(nullptr);
    ns::Application::sharedApplication().stopModal();
    clickOKForAPNPromptFlag_ = ok;
}

// ---- the controls' actions ----

void DialController::registerProfileWindowActions()
{
    using Action = void (DialController::*)(ns::Object*);
    const std::pair<const char*, Action> actions[] = {
        {"AddAPNInfo:", &DialController::AddAPNInfo},
        {"DelAPNInfo:", &DialController::DelAPNInfo},
        {"editDialConfigSettings:", &DialController::editDialConfigSettings},
        {"browseDialConfigSettings:", &DialController::browseDialConfigSettings},
        {"closeDialConfigSettings:", &DialController::closeDialConfigSettings},
        {"editWindowOK:", &DialController::editWindowOK},
        {"editWindowCancel:", &DialController::editWindowCancel},
        {"saveAPNPassword:", &DialController::saveAPNPassword},
        {"selectObtainAPNType:", &DialController::selectObtainAPNType},
        {"selectObtainPDPType:", &DialController::selectObtainPDPType},
        {"selectObtainDNSType:", &DialController::selectObtainDNSType},
        {"setPdpTypeStatus:", &DialController::setPdpTypeStatus},
        {"setUseSinglePdpForIPv6:", &DialController::setUseSinglePdpForIPv6},
        {"saveAPNPasswordIPv6:", &DialController::saveAPNPasswordIPv6},
        {"selectObtainAPNTypeIPv6:", &DialController::selectObtainAPNTypeIPv6},
        {"selectObtainPDPTypeIPv6:", &DialController::selectObtainPDPTypeIPv6},
        {"selectObtainDNSTypeIPv6:", &DialController::selectObtainDNSTypeIPv6},
        {"advancedApnConfigForIPv4:", &DialController::advancedApnConfigForIPv4},
        {"commonApnConfigForIPv4:", &DialController::commonApnConfigForIPv4},
        {"advancedApnConfigForIPv6:", &DialController::advancedApnConfigForIPv6},
        {"commonApnConfigForIPv6:", &DialController::commonApnConfigForIPv6},
        {"promptOfAPNOK:", &DialController::promptOfAPNOK},
        {"promptOfAPNCancel:", &DialController::promptOfAPNCancel},
    };
    for (const auto& [selector, action] : actions)
        registerSelector(QString::fromLatin1(selector), action);
    // Called through the base's own table: the profiles are read again when
    // the Internet page is about to show, and data services switched off
    // take the connect button.
    registerSelector("tabViewItemWillChange:", &DialController::tabViewItemWillChange);
    registerSelector("setDataServicesStatus:", &DialController::setDataServicesStatus);
}

void DialController::setWCDMAConfigHidden(bool hidden)
{
    const std::initializer_list<ns::View*> networkSpecific = {m_eIsAutoObtainAPN,
                                                              m_eAPN,
                                                              m_eIsAutoObtainPDP,
                                                              m_ePDP,
                                                              m_eIsAutoObtainDNS,
                                                              m_ePreferDNS,
                                                              m_eAlternateDNS,
                                                              m_eAuthMode,
                                                              m_bIsAutoObtainAPN,
                                                              m_bAPN,
                                                              m_bIsAutoObtainPDP,
                                                              m_bPDP,
                                                              m_bIsAutoObtainDNS,
                                                              m_bPreferDNS,
                                                              m_bAlternateDNS,
                                                              m_bAuthMode,
                                                              Config_APN,
                                                              Config_PreferredDNS,
                                                              Config_AlternateDNS,
                                                              Config_Address,
                                                              Config_AuthMode,
                                                              EditConfig_APN,
                                                              EditConfig_PreferredDNS,
                                                              EditConfig_AlternateDNS,
                                                              EditConfig_Address,
                                                              EditConfig_AuthMode};
    for (ns::View* view : networkSpecific)
        if (view)
            view->setHidden(hidden);
    for (ns::View* view : std::as_const(ipv6NetworkViews_))
        view->setHidden(hidden);
    for (ns::View* view : std::as_const(networkOnlyViews_))
        view->setHidden(hidden);
    placeBrowseDivideLines(hidden);
}

void DialController::placeBrowseDivideLines(bool compact)
{
    if (!browseColumnsDivideLine_ || !bottomDivideLine)
        return;
    // The settings start under the telephone number; the compact layout ends
    // under the account, the full one under the lowest of the two columns.
    const double top = m_bTelephoneNumber->frame().minY() - 6;
    const double bottom = compact
                              ? m_bPassword->frame().minY() - 8
                              : std::min(m_bAuthMode->frame().minY(), tfBrowseApnIPv6_->frame().minY()) - 8;
    const double x = (m_bTelephoneNumber->frame().maxX() + Config_Address->frame().minX()) / 2;
    browseColumnsDivideLine_->setFrame(ns::Rect(x, bottom, 1, top - bottom));
    const double left = Config_Profile->frame().minX();
    bottomDivideLine->setFrame(ns::Rect(left, bottom, viewDialBrowse_->frame().size.width - 2 * left, 1));
    // With the network settings gone the right column is empty.
    browseColumnsDivideLine_->setHidden(compact);
    bottomDivideLine->setHidden(!compact);
}
