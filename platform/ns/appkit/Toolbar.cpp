#include "platform/ns/appkit/Toolbar.h"

#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Control.h"
#include "platform/ns/appkit/View.h"
#include "platform/ns/appkit/Window.h"

#include <QAction>
#include <QToolBar>

namespace ns
{

// ---- item ----

ToolbarItem::ToolbarItem(const QString& identifier)
    : identifier_(identifier), qaction_(std::make_unique<QAction>())
{
    QObject::connect(qaction_.get(), &QAction::triggered, [this] {
        if (!isEnabled())
            return;
        if (toolbar_ && qaction_->isCheckable())
            toolbar_->setSelectedItemIdentifier(identifier_);
        if (!action_.isEmpty())
            Application::sharedApplication().sendAction(action_, target_, this);
    });
}

ToolbarItem::~ToolbarItem()
{
    delete view_.data();
}

void ToolbarItem::setLabel(const QString& label)
{
    label_ = label;
    qaction_->setText(label);
}

QString ToolbarItem::toolTip() const
{
    return qaction_->toolTip();
}

void ToolbarItem::setToolTip(const QString& toolTip)
{
    qaction_->setToolTip(toolTip);
}

void ToolbarItem::setImage(const Image& image)
{
    image_ = image;
    qaction_->setIcon(image.icon());
}

bool ToolbarItem::isEnabled() const
{
    return qaction_->isEnabled();
}

void ToolbarItem::setEnabled(bool enabled)
{
    qaction_->setEnabled(enabled);
    if (auto* control = dynamic_cast<Control*>(view_.data()))
        control->setEnabled(enabled);
}

void ToolbarItem::setTarget(Object* target)
{
    target_ = target;
    if (auto* control = dynamic_cast<Control*>(view_.data()))
        control->setTarget(target);
}

void ToolbarItem::setAction(const QString& action)
{
    action_ = action;
    if (auto* control = dynamic_cast<Control*>(view_.data()))
        control->setAction(action);
}

void ToolbarItem::setView(View* view)
{
    if (view == view_)
        return;
    delete view_.data();
    view_ = view;
    if (view)
        view->removeFromSuperview();
    if (toolbar_)
        toolbar_->rebuild();
}

void ToolbarItem::setMinSize(Size size)
{
    minSize_ = size;
    if (toolbar_)
        toolbar_->rebuild();
}

void ToolbarItem::setMaxSize(Size size)
{
    maxSize_ = size;
    if (toolbar_)
        toolbar_->rebuild();
}

// ---- toolbar ----

Toolbar::Toolbar(const QString& identifier) : identifier_(identifier), bar_(std::make_unique<QToolBar>())
{
    bar_->setMovable(false);
    bar_->setFloatable(false);
    bar_->hide();
}

Toolbar::~Toolbar()
{
    // Shared items outlive the toolbar with their views.
    for (const auto& item : items_) {
        if (item->view_)
            item->view_->QWidget::setParent(nullptr);
        item->toolbar_ = nullptr;
    }
}

QWidget* Toolbar::widget() const
{
    return bar_.get();
}

void Toolbar::setDelegate(ToolbarDelegate* delegate)
{
    delegate_ = delegate;
    if (window_) {
        loaded_ = false;
        attachToWindow(window_);
    }
}

void Toolbar::attachToWindow(Window* window)
{
    window_ = window;
    if (!window) {
        bar_->hide();
        bar_->setParent(nullptr);
        return;
    }
    bar_->setParent(window);
    if (!loaded_) {
        loaded_ = true;
        for (const auto& item : items_)
            item->toolbar_ = nullptr;
        items_.clear();
        const QStringList identifiers =
            delegate_ ? delegate_->toolbarDefaultItemIdentifiers(this) : QStringList();
        for (const QString& identifier : identifiers)
            if (std::shared_ptr<ToolbarItem> item = makeItem(identifier))
                items_.push_back(std::move(item));
    }
    rebuild();
}

std::shared_ptr<ToolbarItem> Toolbar::makeItem(const QString& identifier)
{
    std::shared_ptr<ToolbarItem> item;
    if (identifier == ToolbarFlexibleSpaceItemIdentifier || identifier == ToolbarSpaceItemIdentifier ||
        identifier == ToolbarSeparatorItemIdentifier)
        item = std::make_shared<ToolbarItem>(identifier);
    else if (delegate_)
        item = delegate_->toolbarItemForItemIdentifier(this, identifier, true);
    if (item)
        item->toolbar_ = this;
    return item;
}

void Toolbar::rebuild()
{
    for (const auto& item : items_)
        if (item->view_)
            item->view_->QWidget::setParent(nullptr);
    // The actions the bar made for widgets and separators go with it.
    const QList<QAction*> previous = bar_->actions();
    bar_->clear();
    for (QAction* action : previous)
        if (action->parent() == bar_.get())
            delete action;

    switch (displayMode_) {
    case ToolbarDisplayModeIconOnly:
        bar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
        break;
    case ToolbarDisplayModeLabelOnly:
        bar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
        break;
    default:
        bar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        break;
    }

    for (const auto& item : items_) {
        const QString& id = item->itemIdentifier();
        if (id == ToolbarSeparatorItemIdentifier) {
            bar_->addSeparator();
        } else if (id == ToolbarFlexibleSpaceItemIdentifier || id == ToolbarSpaceItemIdentifier) {
            auto* space = new QWidget;
            if (id == ToolbarSpaceItemIdentifier)
                space->setFixedWidth(32);
            else
                space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            bar_->addWidget(space);
        } else if (View* view = item->view_) {
            auto* holder = new QWidget;
            const Size size = item->minSize_.width > 0 ? item->minSize_ : view->frame().size;
            holder->setMinimumSize(int(size.width), int(size.height));
            const Size most = item->maxSize_.width > 0 ? item->maxSize_ : size;
            holder->setMaximumSize(int(most.width), int(most.height));
            view->QWidget::setParent(holder);
            view->move(0, 0);
            view->QWidget::setVisible(!view->isHidden());
            holder->setToolTip(item->toolTip());
            bar_->addWidget(holder);
        } else {
            bar_->addAction(item->qAction());
        }
    }
    updateSelection();
    if (window_)
        window_->layoutContent();
}

QList<ToolbarItem*> Toolbar::items() const
{
    QList<ToolbarItem*> result;
    for (const auto& item : items_)
        result.append(item.get());
    return result;
}

void Toolbar::insertItemWithItemIdentifier(const QString& identifier, int index)
{
    std::shared_ptr<ToolbarItem> item = makeItem(identifier);
    if (!item)
        return;
    index = std::clamp(index, 0, int(items_.size()));
    items_.insert(items_.begin() + index, std::move(item));
    rebuild();
}

void Toolbar::removeItemAtIndex(int index)
{
    if (index < 0 || index >= int(items_.size()))
        return;
    std::shared_ptr<ToolbarItem> item = items_[size_t(index)];
    if (item->view_)
        item->view_->QWidget::setParent(nullptr);
    item->toolbar_ = nullptr;
    items_.erase(items_.begin() + index);
    rebuild();
}

void Toolbar::setDisplayMode(int mode)
{
    displayMode_ = mode;
    rebuild();
}

void Toolbar::setVisible(bool visible)
{
    visible_ = visible;
    if (window_)
        window_->layoutContent();
}

void Toolbar::setSelectedItemIdentifier(const QString& identifier)
{
    selected_ = identifier;
    updateSelection();
}

void Toolbar::updateSelection()
{
    const QStringList selectable =
        delegate_ ? delegate_->toolbarSelectableItemIdentifiers(this) : QStringList();
    for (const auto& item : items_) {
        const bool canSelect = selectable.contains(item->itemIdentifier());
        item->qAction()->setCheckable(canSelect);
        item->qAction()->setChecked(canSelect && item->itemIdentifier() == selected_);
    }
}

} // namespace ns
