// The package table: one row per offered package, ticked in its "checkstate" column.
#include "updater/UpdateControl.h"

#include "platform/ns/appkit/Button.h"

namespace
{

const QString kCheckStateKey = QStringLiteral("checkstate");

} // namespace

int UpdateControl::numberOfRowsInTableView(ns::TableView*)
{
    return int(m_PackageList.size());
}

QVariant UpdateControl::objectValueForTableColumn(ns::TableView*, ns::TableColumn* column, int row)
{
    if (row < 0 || row >= m_PackageList.size())
        return {};
    const ns::Value& value = m_PackageList.at(row).value(column->identifier());
    if (value.isBool())
        return int(value.boolValue());
    return value.stringValue();
}

void UpdateControl::willDisplayCell(ns::TableView*, ns::Cell* cell, ns::TableColumn* column, int row)
{
    auto* check = dynamic_cast<ns::ButtonCell*>(cell);
    if (check && column->identifier() == kCheckStateKey && row >= 0 && row < m_PackageList.size())
        check->setTitle(m_PackageList.at(row).value(QStringLiteral("Filename")).stringValue());
}

void UpdateControl::tableViewSelectionDidChange(const ns::Notification&)
{
    const int row = m_PackageListView->selectedRow();
    if (row >= 0 && row < m_PackageList.size())
        m_InfoView->setString(m_PackageList.at(row).value(QStringLiteral("UpdateFile")).stringValue());
}

void UpdateControl::clickcheck(ns::Object*)
{
    const int column = m_PackageListView->clickedColumn();
    const int row = m_PackageListView->clickedRow();
    if (column < 0 || m_PackageListView->tableColumns().at(column)->identifier() != kCheckStateKey ||
        row < 0 || row >= m_PackageList.size())
        return;
    ns::Dictionary& package = m_PackageList[row];
    package.setValue(kCheckStateKey, !package.value(kCheckStateKey).boolValue());
    m_PackageListView->reloadData();
    m_UpdateBtn->setEnabled(hasTickedPackage());
}

bool UpdateControl::hasTickedPackage() const
{
    for (const ns::Dictionary& package : m_PackageList)
        if (package.value(kCheckStateKey).boolValue())
            return true;
    return false;
}
