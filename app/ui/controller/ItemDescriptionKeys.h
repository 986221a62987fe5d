#pragma once

#include <QString>

// Keys of the "UIConfig" descriptions from which the feature controllers
// build controls, menus, the drawer and the window sizes.

// Controls: buttons, labels, boxes, matrices and tab view items.
inline const QString kItemName = QStringLiteral("itemName");
inline const QString kItemIdentifier = QStringLiteral("itemIdentifier");
inline const QString kItemAction = QStringLiteral("itemAction");
inline const QString kItemToolTip = QStringLiteral("itemToolTip");
inline const QString kItemBtnTitle = QStringLiteral("itemBtnTitle");
inline const QString kItemUrlLabel = QStringLiteral("urlLabel");
inline const QString kItemPopupMenu = QStringLiteral("popupMenu");
inline const QString kItemStringValue = QStringLiteral("itemStringValue");
inline const QString kItemWidth = QStringLiteral("width");
inline const QString kItemHeight = QStringLiteral("height");
inline const QString kItemIsBordered = QStringLiteral("isBordered");
inline const QString kItemIsEditable = QStringLiteral("isEditable");
inline const QString kItemIsDrawsBackground = QStringLiteral("isDrawsBackground");
inline const QString kItemTextAlignmentStyle = QStringLiteral("textAlignmentStyle");
inline const QString kItemBoxName = QStringLiteral("Name");
inline const QString kItemBoxTitle = QStringLiteral("Title");

// Menu items.
inline const QString kMenuItemTitle = QStringLiteral("menuItemTitle");
inline const QString kMenuItemName = QStringLiteral("menuItemName");
inline const QString kMenuItemAction = QStringLiteral("menuItemAction");
inline const QString kMenuSeparatorItem = QStringLiteral("separatorItem");
inline const QString kMenuKeyEquiv = QStringLiteral("keyEquiv");
inline const QString kMenuItemImageName = QStringLiteral("menuItemImageName");
inline const QString kMenuItemTag = QStringLiteral("menuItemTag");

// The drawer: "DrawerInfoDict" describes it, "DrawerItems" its buttons.
inline const QString kDrawerInfoDict = QStringLiteral("DrawerInfoDict");
inline const QString kDrawerItems = QStringLiteral("DrawerItems");
inline const QString kDrawerOriginWidth = QStringLiteral("OriginWidth");
inline const QString kDrawerOriginHeight = QStringLiteral("OriginHeight");
inline const QString kDrawerMaxWidth = QStringLiteral("MaxWidth");
inline const QString kDrawerMaxHeight = QStringLiteral("MaxHeight");
inline const QString kDrawerMinWidth = QStringLiteral("MinWidth");
inline const QString kDrawerMinHeight = QStringLiteral("MinHeight");
inline const QString kDrawerLeadingOffset = QStringLiteral("LeadingOffset");
inline const QString kDrawerTrailingOffset = QStringLiteral("TrailingOffset");
inline const QString kDrawerOffsetInfoArray = QStringLiteral("OffsetInfoArray");
inline const QString kDrawerOffsetItemName = QStringLiteral("ItemName");

// Window sizes: "changeWndInfo" holds one description by key.
inline const QString kChangeWndInfo = QStringLiteral("changeWndInfo");
inline const QString kWndWidth = QStringLiteral("wndWidth");
inline const QString kWndHeight = QStringLiteral("wndHeight");
inline const QString kViewTopFixedLeft = QStringLiteral("viewTopFixedLeft");
inline const QString kViewTopFixedBottom = QStringLiteral("viewTopFixedBottom");
inline const QString kViewMiddleChangeableHeight = QStringLiteral("viewMiddleChangeableHeight");
