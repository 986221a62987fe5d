// The profile lists: the profile box of the Internet view and the table of
// the profile window, adding and deleting profiles, what the Internet view
// shows of the profile in use, the automatic APN match switch and the limits
// of the profile fields while the user types.
#include "connection/DialController.h"

#include "app/config/ConfigService.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "connection/DialInputLimits.h"
#include "connection/DialProfile.h"
#include "connection/ProfileRules.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TableView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

namespace
{

const QString kEnableAutoApnMatch = QStringLiteral("EnableAutoApnMatch");

// Whether the browse pane of the profile window is shown; the first toggle hides it.
bool g_browsePaneShown = true;

} // namespace

// ---- the profile box ----

int DialController::numberOfItemsInComboBox(ns::ComboBox*)
{
    return dialConfigArray.count() + 1;
}

QString DialController::objectValueForItemAtIndex(ns::ComboBox*, int index)
{
    if (index == 0)
        return localized(QStringLiteral("Edit Configuration"));
    return index <= dialConfigArray.count()
               ? getApnProviderNameWith(dialConfigArray.at(index - 1).toDictionary())
               : QString();
}

void DialController::comboBoxSelectionDidChange(const ns::Notification&)
{
    const int index =
        m_DialConfigList ? m_DialConfigList->indexOfSelectedItem() : m_IndexOfComboBoxSelectionNow;
    if (index < 0)
        return;
    if (index == 0) { // "Edit Configuration"
        popUpDialConfigWindow();
        return;
    }
    m_IndexOfComboBoxSelectionNow = index;
    setCurrentProfile();
}

void DialController::reloadProfileLists()
{
    if (!m_DialConfigList)
        return;
    if (m_DialConfigList->dataSource() != this) { // the box lists the profiles
        m_DialConfigList->setDataSource(this);
        m_DialConfigList->setDelegate(this);
        m_DialConfigList->setUsesDataSource(true);
    }
    m_DialConfigList->reloadData();
}

// ---- the profile window's table ----

int DialController::numberOfRowsInTableView(ns::TableView*)
{
    return dialConfigArray.count();
}

QVariant DialController::objectValueForTableColumn(ns::TableView*, ns::TableColumn*, int row)
{
    if (row < 0 || row >= dialConfigArray.count())
        return localized(QStringLiteral("Something is wrong, please check your code!"));
    return getApnProviderNameWith(dialConfigArray.at(row).toDictionary());
}

bool DialController::shouldEditTableColumn(ns::TableView*, ns::TableColumn*, int)
{
    return false;
}

void DialController::setObjectValue(ns::TableView*, const QVariant& value, ns::TableColumn*, int)
{
    if (m_bProviderForConfig)
        m_bProviderForConfig->setStringValue(value.toString());
}

void DialController::tableViewSelectionDidChange(const ns::Notification&)
{
    if (!m_configListView)
        return;
    const int row = m_configListView->selectedRow();
    setEidtStatusAtRow(row);
    if (row >= 0 && row < dialConfigArray.count())
        setBrowseWinValue(dialConfigArray.at(row).toDictionary());
}

void DialController::postProfileListSelectionChange()
{
    tableViewSelectionDidChange(
        ns::Notification(ns::TableViewSelectionDidChangeNotification, m_configListView));
}

void DialController::AddAPNInfo(ns::Object*)
{
    ns::Dictionary profile{
        {DialProfile::kProvider, createNewProvider()},
        {DialProfile::kTelNumber, createDialNumber()},
        {DialProfile::kAccountName, QString()},
        {DialProfile::kPassword, QString()},
        {DialProfile::kApnName, QString()},
        {DialProfile::kPdpAddress, QString()},
        {DialProfile::kPreDns, QString()},
        {DialProfile::kAltDns, QString()},
        {DialProfile::kSaveUsernameFlag,
         configFlag(QStringLiteral("Internet"), QStringLiteral("AddNewAPNWithSaveUsername")) ? 1 : 0},
    };
    if (checkUsernameFlag_)
        profile.setValue(DialProfile::kAskUsernameFlag, 0);
    if (isPdpTypeGroupEnabled())
        profile.setValue(DialProfile::kPdpType, 0);
    profile.setValue(DialProfile::kApnFlag,
                     configFlag(QStringLiteral("DialConfigSetting"), QStringLiteral("UsingApnName")) ? 1 : 0);
    profile.setValue(DialProfile::kPdpFlag, 0);
    profile.setValue(DialProfile::kDnsFlag, 0);
    profile.setValue(DialProfile::kPppFlag, defaultAuthMode());
    if (isAddAPNWithSIM())
        profile.setValue(DialProfile::kIMSI,
                         configStore().getConfigurationByModule(DialProfile::kIMSI).toString());
    setDefaultDialParamsForIPv6(profile);
    dialConfigArray.append(profile);
    saveDialConfigFile();
    reloadProfileListsAndTable();
}

QString DialController::createNewProvider() const
{
    return profile_rules::newProviderName(localized(QStringLiteral("New%d")), dialConfigArray);
}

QString DialController::createDialNumber() const
{
    return configFlag(QStringLiteral("Internet"), QStringLiteral("AddNewAPNWithDefaultTelNum"))
               ? QStringLiteral("*99#")
               : QString();
}

bool DialController::isPdpTypeGroupEnabled() const
{
    return ePDPTypeGroup_ && ePDPTypeGroup_->isEnabled();
}

void DialController::DelAPNInfo(ns::Object*)
{
    if (NSRunAlertPanelExt(localized(QStringLiteral("Warning")), localized(QStringLiteral("Delete item?")),
                           localized(QStringLiteral("OK")), localized(QStringLiteral("Cancel"))) != 1 ||
        dialConfigArray.isEmpty())
        return;
    const int selected = m_configListView ? m_configListView->selectedRow() : -1;
    const int row =
        selected >= 0 && selected < dialConfigArray.count() ? selected : dialConfigArray.count() - 1;
    dialConfigArray.removeAt(row);
    saveDialConfigFile();
    if (switches_.readCurrentProfile() >= dialConfigArray.count())
        switches_.writeCurrentProfile(dialConfigArray.count() - 1);
    reloadProfileListsAndTable();
}

void DialController::reloadProfileListsAndTable()
{
    if (m_configListView)
        m_configListView->reloadData();
    reloadProfileLists();
    postProfileListSelectionChange();
}

// ---- the profile in use, as the Internet view shows it ----

void DialController::displayAPNInfo()
{
    const ns::Dictionary profile = createSafeDialConfig(currentProfile());
    const bool keepAccount = profile.value(DialProfile::kSaveUsernameFlag).intValue() != 0;
    const QString provider = profile.value(DialProfile::kProvider).toString();
    const bool operatorDefault = isDefaultAPN();
    const std::pair<ns::TextField*, QString> shown[] = {
        {m_TelephoneNumber, profile.value(DialProfile::kTelNumber).toString()},
        {m_Username, keepAccount ? profile.value(DialProfile::kAccountName).toString() : QString()},
        {m_Password, keepAccount ? profile.value(DialProfile::kPassword).toString() : QString()},
        {apnProviderLabel_, operatorDefault ? localized(provider) : QString()},
        {postDialListCombox_, provider},
        {Net_CurrentApnName, profile.value(DialProfile::kApnName).toString()},
    };
    for (const auto& [field, text] : shown)
        if (field)
            field->setStringValue(text);
}

bool DialController::toggleBrowserView(ns::Object* sender)
{
    if (!sender)
        return g_browsePaneShown;
    g_browsePaneShown = !g_browsePaneShown;
    if (viewDialBrowse_ && m_dialConfigWindow) {
        const double height = viewDialBrowse_->frame().size.height;
        ns::Rect frame = m_dialConfigWindow->frame();
        const double change = g_browsePaneShown ? height : -height;
        frame.size.height += change;
        frame.origin.y -= change; // the top edge stays where it is
        viewDialBrowse_->setHidden(!g_browsePaneShown);
        m_dialConfigWindow->setFrame(frame, true, true);
        // The list and its buttons keep their place under the title bar.
        for (ns::View* view : m_dialConfigWindow->contentView()->subviews())
            if (view != viewDialBrowse_)
                view->setFrameOrigin({view->frame().origin.x, view->frame().origin.y + change});
    }
    return g_browsePaneShown;
}

// ---- the automatic APN match switch ----

void DialController::setBtnAutoAPNMatchState()
{
    if (!btnEnableAutoAPNMatch_)
        return;
    const ns::Value enabled = configStore().getConfigurationByModule(kEnableAutoApnMatch);
    btnEnableAutoAPNMatch_->setHidden(enabled.isNull());
    if (enabled.isNull())
        return;
    btnEnableAutoAPNMatch_->setState(enabled.boolValue() ? 1 : 0);
    btnEnableAutoAPNMatch_->setTitle(localized(QStringLiteral("Enable Auto APN Match")));
}

void DialController::enableAutoApnMatch(ns::Object* sender)
{
    const auto* box = dynamic_cast<ns::Button*>(sender);
    if (!box)
        return;
    configStore().setConfigurationByModule(kEnableAutoApnMatch, box->state() != 0);
    configStore().writeToFile();
}

// ---- typing limits ----

void DialController::controlTextDidChange(const ns::Notification& notification)
{
    auto* field = dynamic_cast<ns::TextField*>(notification.object());
    if (!field)
        return;
    const std::pair<ns::TextField*, DialInputField> limited[] = {
        {m_eTelephoneNumber, DialInputField::TelephoneNumber},
        {m_eAPN, DialInputField::Apn},
        {m_eUsername, DialInputField::Account},
        {m_ePassword, DialInputField::Account},
        {winUernameText_, DialInputField::Account},
        {winPasswordText_, DialInputField::Account},
        {tfPreferDNSIPv6_, DialInputField::IPv6Dns},
        {tfAltDNSIPv6_, DialInputField::IPv6Dns},
    };
    for (const auto& [candidate, kind] : limited) {
        if (candidate != field)
            continue;
        const QString kept = limitDialInput(kind, field->stringValue(), switches_.getPassWordLimitLen());
        if (kept != field->stringValue())
            field->setStringValue(kept);
        return;
    }
}
