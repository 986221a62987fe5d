// The profile file and the lists that show it: the profile box of the
// Internet tab and the table of the profile window.
#include "connection/DialController.h"

#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "connection/DialConfigFile.h"
#include "connection/DialProfile.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/View.h"
#include "platform/ns/appkit/Window.h"

namespace
{

QString wording(const QString& key)
{
    return Map_Name_Item_of_IndexString(key);
}

} // namespace

int DialController::readConnectType()
{
    return configStore().getConfigurationByModule(QStringLiteral("ConnectType")).intValue();
}

void DialController::loadDialConfig()
{
    dialConfigArray = DialConfigFile(configStore()).read().value_or(ns::Array());
    m_DialConfigList->reloadData();
    const int count = dialConfigArray.count();
    int current = readCurrentProfile();
    if (count > 0 && current >= count) {
        current = count - 1;
        writeCurrentProfile(current);
    }
    m_IndexOfComboBoxSelectionNow = current + 1;
    m_DialConfigList->selectItemAtIndex(m_IndexOfComboBoxSelectionNow);
}

void DialController::saveDialConfigFile()
{
    DialConfigFile(configStore()).write(dialConfigArray);
}

void DialController::setDialParams() {}

void DialController::displayAPNInfo() {}

void DialController::setConnectBtnEnable(bool /*enabled*/) {}

void DialController::changeBtnPosForProfileOfAPN() {}

void DialController::changeBtnPosForNoProfileOfAPN() {}

bool DialController::toggleBrowserView(ns::Object* sender)
{
    if (sender) {
        const bool hide = !viewDialBrowse_->isHidden();
        const double height = viewDialBrowse_->frame().size.height;
        ns::Rect frame = m_dialConfigWindow->frame();
        const double top = frame.origin.y + frame.size.height;
        frame.size.height += hide ? -height : height;
        frame.origin.y = top - frame.size.height;
        viewDialBrowse_->setHidden(hide);
        m_dialConfigWindow->setFrame(frame, true);
        // The list and its buttons keep their place under the title bar.
        for (ns::View* view : m_dialConfigWindow->contentView()->subviews()) {
            if (view != viewDialBrowse_)
                view->setFrameOrigin(
                    {view->frame().origin.x, view->frame().origin.y + (hide ? -height : height)});
        }
    }
    return viewDialBrowse_->isHidden();
}

void DialController::AddAPNInfo(ns::Object* /*sender*/)
{
    ns::Dictionary profile{{DialProfile::kProvider, createNewProvider()},
                           {DialProfile::kTelNumber, createDialNumber()}};
    dialConfigArray.append(createSafeDialConfig(profile));
    saveDialConfigFile();
    m_configListView->reloadData();
    m_DialConfigList->reloadData();
    tableViewSelectionDidChange(
        ns::Notification(ns::TableViewSelectionDidChangeNotification, m_configListView));
}

void DialController::DelAPNInfo(ns::Object* /*sender*/)
{
    if (dialConfigArray.isEmpty() ||
        NSRunAlertPanelExt(wording(QStringLiteral("Warning")), wording(QStringLiteral("Delete item?")),
                           wording(QStringLiteral("OK")), wording(QStringLiteral("Cancel"))) != 1)
        return;
    const int row = m_configListView->selectedRow();
    dialConfigArray.removeAt(row >= 0 && row < dialConfigArray.count() ? row : dialConfigArray.count() - 1);
    saveDialConfigFile();
    if (readCurrentProfile() >= dialConfigArray.count())
        writeCurrentProfile(dialConfigArray.count() - 1);
    m_configListView->reloadData();
    m_DialConfigList->reloadData();
    tableViewSelectionDidChange(
        ns::Notification(ns::TableViewSelectionDidChangeNotification, m_configListView));
}

int DialController::numberOfItemsInComboBox(ns::ComboBox* /*comboBox*/)
{
    return dialConfigArray.count() + 1;
}

QString DialController::objectValueForItemAtIndex(ns::ComboBox* /*comboBox*/, int index)
{
    if (index == 0)
        return wording(QStringLiteral("Edit Configuration"));
    if (index > dialConfigArray.count())
        return QString();
    return getApnProviderNameWith(dialConfigArray.at(index - 1).toDictionary());
}

void DialController::comboBoxSelectionDidChange(const ns::Notification& /*notification*/)
{
    const int index = m_DialConfigList->indexOfSelectedItem();
    if (index < 0)
        return;
    if (index == 0) {
        popUpDialConfigWindow();
        return;
    }
    m_IndexOfComboBoxSelectionNow = index;
    setCurrentProfile();
}

int DialController::numberOfRowsInTableView(ns::TableView* /*tableView*/)
{
    return dialConfigArray.count();
}

QVariant DialController::objectValueForTableColumn(ns::TableView* /*tableView*/, ns::TableColumn* /*column*/,
                                                   int row)
{
    if (row < 0 || row >= dialConfigArray.count())
        return wording(QStringLiteral("Something is wrong, please check your code!"));
    return getApnProviderNameWith(dialConfigArray.at(row).toDictionary());
}

void DialController::tableViewSelectionDidChange(const ns::Notification& /*notification*/)
{
    const int row = m_configListView->selectedRow();
    setEidtStatusAtRow(row);
    if (row >= 0 && row < dialConfigArray.count())
        setBrowseWinValue(dialConfigArray.at(row).toDictionary());
}
