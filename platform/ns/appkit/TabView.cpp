#include "platform/ns/appkit/TabView.h"

#include "platform/ns/appkit/GraphicsContext.h"

#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace ns
{

// ---- item ----

TabViewItem::TabViewItem(const QString& identifier) : identifier_(identifier), label_(identifier)
{
    view_ = new View();
}

TabViewItem::~TabViewItem()
{
    delete view_.data();
}

void TabViewItem::setLabel(const QString& label)
{
    label_ = label;
    if (tabView_)
        tabView_->syncTabBar();
}

void TabViewItem::setToolTip(const QString& toolTip)
{
    toolTip_ = toolTip;
    if (tabView_)
        tabView_->syncTabBar();
}

View* TabViewItem::setView(View* view)
{
    View* previous = view_;
    if (view == previous)
        return nullptr;
    const bool shown = tabView_ && tabView_->selected_ == this;
    if (previous)
        previous->removeFromSuperview();
    view_ = view;
    if (view)
        view->removeFromSuperview();
    if (shown)
        tabView_->showSelectedView();
    return previous;
}

// ---- tab view ----

TabView::TabView(const Rect& frame) : View(frame), tabBar_(new QTabBar(this))
{
    tabBar_->setDrawBase(false);
    QObject::connect(tabBar_, &QTabBar::currentChanged, tabBar_, [this](int index) {
        if (syncing_)
            return;
        selectTabViewItemAtIndex(index);
        syncTabBar(); // a refused choice puts the tabs back
    });
    layout();
}

TabView::~TabView()
{
    // The items delete their views while this widget still holds them.
    selected_ = nullptr;
    items_.clear();
}

void TabView::addTabViewItem(std::unique_ptr<TabViewItem> item)
{
    insertTabViewItem(std::move(item), numberOfTabViewItems());
}

void TabView::insertTabViewItem(std::unique_ptr<TabViewItem> item, int index)
{
    if (!item || item->tabView_)
        return;
    index = std::clamp(index, 0, numberOfTabViewItems());
    item->tabView_ = this;
    TabViewItem* raw = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    syncTabBar();
    if (!selected_)
        selectTabViewItem(raw);
}

std::unique_ptr<TabViewItem> TabView::removeTabViewItem(TabViewItem* item)
{
    const int index = indexOfTabViewItem(item);
    if (index < 0)
        return nullptr;
    std::unique_ptr<TabViewItem> removed = std::move(items_[size_t(index)]);
    items_.erase(items_.begin() + index);
    if (removed->view_)
        removed->view_->removeFromSuperview();
    removed->tabView_ = nullptr;
    if (selected_ == removed.get()) {
        selected_ = nullptr;
        if (!items_.empty())
            selectTabViewItemAtIndex(std::min(index, numberOfTabViewItems() - 1));
    }
    syncTabBar();
    return removed;
}

QList<TabViewItem*> TabView::tabViewItems() const
{
    QList<TabViewItem*> result;
    for (const auto& item : items_)
        result.append(item.get());
    return result;
}

TabViewItem* TabView::tabViewItemAtIndex(int index) const
{
    return index >= 0 && index < numberOfTabViewItems() ? items_[size_t(index)].get() : nullptr;
}

int TabView::indexOfTabViewItem(const TabViewItem* item) const
{
    for (int i = 0; i < numberOfTabViewItems(); ++i)
        if (items_[size_t(i)].get() == item)
            return i;
    return -1;
}

int TabView::indexOfTabViewItemWithIdentifier(const QString& identifier) const
{
    for (int i = 0; i < numberOfTabViewItems(); ++i)
        if (items_[size_t(i)]->identifier() == identifier)
            return i;
    return -1;
}

void TabView::selectTabViewItem(TabViewItem* item)
{
    if (!item || item == selected_ || item->tabView_ != this)
        return;
    if (delegate_ && !delegate_->shouldSelectTabViewItem(this, item))
        return;
    if (delegate_)
        delegate_->willSelectTabViewItem(this, item);
    if (selected_ && selected_->view_)
        selected_->view_->removeFromSuperview();
    selected_ = item;
    showSelectedView();
    syncTabBar();
    if (delegate_)
        delegate_->didSelectTabViewItem(this, item);
}

void TabView::selectTabViewItemAtIndex(int index)
{
    selectTabViewItem(tabViewItemAtIndex(index));
}

void TabView::selectTabViewItemWithIdentifier(const QString& identifier)
{
    selectTabViewItem(tabViewItemAtIndex(indexOfTabViewItemWithIdentifier(identifier)));
}

void TabView::showSelectedView()
{
    if (!selected_ || !selected_->view_)
        return;
    View* view = selected_->view_;
    addSubview(view);
    view->setFrame(contentRect());
}

void TabView::setTabViewType(int type)
{
    type_ = type;
    layout();
}

void TabView::setDrawsBackground(bool draws)
{
    drawsBackground_ = draws;
    update();
}

void TabView::setFrame(const Rect& frame)
{
    View::setFrame(frame);
    layout();
}

Rect TabView::contentRect() const
{
    Rect content = bounds();
    const double bar = tabBar_->isVisibleTo(this) ? tabBar_->sizeHint().height() : 0;
    switch (type_) {
    case TopTabsBezelBorder:
        content.size.height -= bar;
        break;
    case BottomTabsBezelBorder:
        content.origin.y += bar;
        content.size.height -= bar;
        break;
    case LeftTabsBezelBorder:
        content.origin.x += tabBar_->sizeHint().width();
        content.size.width -= tabBar_->sizeHint().width();
        break;
    case RightTabsBezelBorder:
        content.size.width -= tabBar_->sizeHint().width();
        break;
    default:
        break;
    }
    const double border = type_ == NoTabsNoBorder ? 0 : type_ == NoTabsLineBorder ? 1 : 2;
    content = content.insetBy(border, border);
    content.size.width = std::max(0.0, content.width());
    content.size.height = std::max(0.0, content.height());
    return content;
}

void TabView::layout()
{
    const bool tabs = type_ <= RightTabsBezelBorder;
    static const QTabBar::Shape shapes[] = {QTabBar::RoundedNorth, QTabBar::RoundedWest,
                                            QTabBar::RoundedSouth, QTabBar::RoundedEast};
    tabBar_->setVisible(tabs);
    if (tabs) {
        tabBar_->setShape(shapes[type_]);
        const QSize hint = tabBar_->sizeHint();
        switch (type_) {
        case TopTabsBezelBorder:
            tabBar_->setGeometry((width() - hint.width()) / 2, 0, hint.width(), hint.height());
            break;
        case BottomTabsBezelBorder:
            tabBar_->setGeometry((width() - hint.width()) / 2, height() - hint.height(), hint.width(),
                                 hint.height());
            break;
        case LeftTabsBezelBorder:
            tabBar_->setGeometry(0, (height() - hint.height()) / 2, hint.width(), hint.height());
            break;
        default:
            tabBar_->setGeometry(width() - hint.width(), (height() - hint.height()) / 2, hint.width(),
                                 hint.height());
            break;
        }
    }
    if (selected_ && selected_->view_)
        selected_->view_->setFrame(contentRect());
    update();
}

void TabView::syncTabBar()
{
    syncing_ = true;
    while (tabBar_->count() > numberOfTabViewItems())
        tabBar_->removeTab(tabBar_->count() - 1);
    for (int i = 0; i < numberOfTabViewItems(); ++i) {
        TabViewItem* item = items_[size_t(i)].get();
        if (i >= tabBar_->count())
            tabBar_->addTab(item->label());
        tabBar_->setTabText(i, item->label());
        tabBar_->setTabToolTip(i, item->toolTip());
    }
    tabBar_->setCurrentIndex(indexOfTabViewItem(selected_));
    syncing_ = false;
    layout();
}

void TabView::drawRect(const Rect&)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context || type_ == NoTabsNoBorder)
        return;
    QPainter& painter = context->painter();
    const Rect content = contentRect();
    const double border = type_ == NoTabsLineBorder ? 1 : 2;
    const QRectF frame = context->toQt(content.insetBy(-border, -border));
    if (type_ == NoTabsLineBorder) {
        painter.save();
        painter.setPen(Color::gridColor().qColor());
        painter.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.restore();
        return;
    }
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.rect = frame.toRect();
    option.lineWidth = 1;
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}

} // namespace ns
