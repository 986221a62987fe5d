#pragma once

#include "platform/ns/appkit/View.h"

#include <QPointer>

#include <memory>
#include <vector>

class QTabBar;

namespace ns
{

class TabView;
class TabViewItem;

enum TabViewType {
    TopTabsBezelBorder = 0,
    LeftTabsBezelBorder = 1,
    BottomTabsBezelBorder = 2,
    RightTabsBezelBorder = 3,
    NoTabsBezelBorder = 4,
    NoTabsLineBorder = 5,
    NoTabsNoBorder = 6,
};

class TabViewDelegate
{
public:
    virtual ~TabViewDelegate() = default;
    virtual bool shouldSelectTabViewItem(TabView* /*tabView*/, TabViewItem* /*item*/) { return true; }
    virtual void willSelectTabViewItem(TabView* /*tabView*/, TabViewItem* /*item*/) {}
    virtual void didSelectTabViewItem(TabView* /*tabView*/, TabViewItem* /*item*/) {}
};

// One page of a tab view: an identifier, a label and the view shown while
// the page is selected. The item owns its view.
class TabViewItem : public Object
{
public:
    explicit TabViewItem(const QString& identifier);
    ~TabViewItem() override;

    const QString& identifier() const { return identifier_; }
    void setIdentifier(const QString& identifier) { identifier_ = identifier; }
    QString label() const { return label_; }
    void setLabel(const QString& label);
    QString toolTip() const { return toolTip_; }
    void setToolTip(const QString& toolTip);

    View* view() const { return view_; }
    // Replaces the page's view (shown at once when the page is selected); the
    // previous view leaves the item and belongs to the caller.
    [[nodiscard]] View* setView(View* view);
    TabView* tabView() const { return tabView_; }

private:
    friend class TabView;

    QString identifier_;
    QString label_;
    QString toolTip_;
    QPointer<View> view_;
    TabView* tabView_ = nullptr;
};

// Pages of which one shows at a time, chosen by tabs or by the program. The
// tab view owns its items; the first item added is selected.
class TabView : public View
{
public:
    explicit TabView(const Rect& frame = Rect());
    ~TabView() override;

    void addTabViewItem(std::unique_ptr<TabViewItem> item);
    void insertTabViewItem(std::unique_ptr<TabViewItem> item, int index);
    // The removed item belongs to the caller (null when it is not in the tab view).
    std::unique_ptr<TabViewItem> removeTabViewItem(TabViewItem* item);

    int numberOfTabViewItems() const { return int(items_.size()); }
    QList<TabViewItem*> tabViewItems() const;
    TabViewItem* tabViewItemAtIndex(int index) const;
    // -1 when there is none.
    int indexOfTabViewItem(const TabViewItem* item) const;
    int indexOfTabViewItemWithIdentifier(const QString& identifier) const;

    TabViewItem* selectedTabViewItem() const { return selected_; }
    void selectTabViewItem(TabViewItem* item);
    void selectTabViewItemAtIndex(int index);
    void selectTabViewItemWithIdentifier(const QString& identifier);

    int tabViewType() const { return type_; }
    void setTabViewType(int type);
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool draws);
    // The area the selected item's view fills, in the tab view's coordinates.
    Rect contentRect() const;

    void setDelegate(TabViewDelegate* delegate) { delegate_ = delegate; }
    TabViewDelegate* delegate() const { return delegate_; }

    void setFrame(const Rect& frame) override;
    void drawRect(const Rect& dirtyRect) override;

private:
    friend class TabViewItem;

    void layout();
    void showSelectedView();
    void syncTabBar();

    std::vector<std::unique_ptr<TabViewItem>> items_;
    TabViewItem* selected_ = nullptr;
    int type_ = TopTabsBezelBorder;
    bool drawsBackground_ = true;
    TabViewDelegate* delegate_ = nullptr;
    QTabBar* tabBar_;
    bool syncing_ = false;
};

} // namespace ns
