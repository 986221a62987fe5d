#include "app/ui/widgets/NSTabViewExt.h"

namespace NSTabViewExt
{

ns::TabViewItem* tabViewItemOfIdentifier(const ns::TabView* tabView, const QString& identifier)
{
    if (!tabView)
        return nullptr;
    const int index = tabView->indexOfTabViewItemWithIdentifier(identifier);
    return index < 0 ? nullptr : tabView->tabViewItemAtIndex(index);
}

ns::View* viewOfIdentifier(const ns::TabView* tabView, const QString& identifier)
{
    ns::TabViewItem* item = tabViewItemOfIdentifier(tabView, identifier);
    return item ? item->view() : nullptr;
}

bool removeTabViewItemWithIdentifier(ns::TabView* tabView, const QString& identifier)
{
    ns::TabViewItem* item = tabViewItemOfIdentifier(tabView, identifier);
    if (!item)
        return false;
    tabView->removeTabViewItem(item); // the removed item goes away
    return true;
}

bool setTabViewItemLabel(ns::TabView* tabView, const QString& label, const QString& identifier)
{
    ns::TabViewItem* item = tabViewItemOfIdentifier(tabView, identifier);
    if (label.isNull() || !item)
        return false;
    item->setLabel(label);
    return true;
}

} // namespace NSTabViewExt
