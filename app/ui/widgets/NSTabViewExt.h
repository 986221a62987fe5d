#pragma once

#include "platform/ns/appkit/TabView.h"

// Tab view items found by identifier.
namespace NSTabViewExt
{

// False when the tab view has no item with the identifier.
bool removeTabViewItemWithIdentifier(ns::TabView* tabView, const QString& identifier);
// Null when absent.
ns::TabViewItem* tabViewItemOfIdentifier(const ns::TabView* tabView, const QString& identifier);
ns::View* viewOfIdentifier(const ns::TabView* tabView, const QString& identifier);
// False for a null label or an identifier without an item.
bool setTabViewItemLabel(ns::TabView* tabView, const QString& label, const QString& identifier);

} // namespace NSTabViewExt
