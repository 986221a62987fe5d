#include "platform/ns/appkit/Menu.h"

#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Screen.h"
#include "platform/ns/appkit/View.h"
#include "platform/ns/appkit/Window.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace ns
{

namespace
{

constexpr unsigned keyMasks = ShiftKeyMask | ControlKeyMask | AlternateKeyMask | CommandKeyMask;

// The key equivalent as Qt writes shortcuts, shown beside the title.
QString shortcutText(const QString& key, unsigned mask)
{
    if (key.isEmpty())
        return QString();
    QString text;
    if (mask & ControlKeyMask)
        text += QLatin1String("Meta+");
    if (mask & AlternateKeyMask)
        text += QLatin1String("Alt+");
    if ((mask & ShiftKeyMask) || (key.size() == 1 && key[0].isUpper()))
        text += QLatin1String("Shift+");
    if (mask & CommandKeyMask)
        text += QLatin1String("Ctrl+");
    if (key == QLatin1String("\r"))
        text += QLatin1String("Return");
    else if (key == QLatin1String("\x1b"))
        text += QLatin1String("Esc");
    else if (key == QLatin1String(" "))
        text += QLatin1String("Space");
    else
        text += key.toUpper();
    return QKeySequence::fromString(text).toString(QKeySequence::NativeText);
}

} // namespace

// ---- menu item ----

MenuItem::MenuItem(const QString& title, const QString& action, const QString& keyEquivalent)
    : title_(title), action_(action), keyEquivalent_(keyEquivalent), modifierMask_(CommandKeyMask),
      qaction_(std::make_unique<QAction>())
{
    QObject::connect(qaction_.get(), &QAction::triggered, [this] { performAction(); });
    updateText();
}

MenuItem::~MenuItem() = default;

std::unique_ptr<MenuItem> MenuItem::separatorItem()
{
    auto item = std::make_unique<MenuItem>();
    item->separator_ = true;
    item->qaction_->setSeparator(true);
    return item;
}

void MenuItem::setTitle(const QString& title)
{
    title_ = title;
    updateText();
}

void MenuItem::setKeyEquivalent(const QString& key)
{
    keyEquivalent_ = key;
    updateText();
}

void MenuItem::setKeyEquivalentModifierMask(unsigned mask)
{
    modifierMask_ = mask;
    updateText();
}

void MenuItem::updateText()
{
    const QString shortcut = shortcutText(keyEquivalent_, modifierMask_);
    // Qt shows what follows a tab as the shortcut column; the key itself is
    // handled by performKeyEquivalent(), so the action carries no shortcut.
    QString text = title_;
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    qaction_->setText(shortcut.isEmpty() ? text : text + QLatin1Char('\t') + shortcut);
}

void MenuItem::setImage(const Image& image)
{
    image_ = image;
    qaction_->setIcon(image.icon());
}

bool MenuItem::isEnabled() const
{
    return qaction_->isEnabled();
}

void MenuItem::setEnabled(bool enabled)
{
    qaction_->setEnabled(enabled);
}

void MenuItem::setState(int state)
{
    state_ = state;
    qaction_->setCheckable(state != 0);
    qaction_->setChecked(state > 0);
}

QString MenuItem::toolTip() const
{
    return qaction_->toolTip();
}

void MenuItem::setToolTip(const QString& toolTip)
{
    qaction_->setToolTip(toolTip);
}

void MenuItem::setSubmenu(std::unique_ptr<Menu> submenu)
{
    if (submenu_)
        submenu_->supermenu_ = nullptr;
    submenu_ = std::move(submenu);
    if (submenu_)
        submenu_->supermenu_ = menu_;
    qaction_->setMenu(submenu_ ? submenu_->qMenu() : nullptr);
}

bool MenuItem::matchesKeyEquivalent(const Event& event) const
{
    if (separator_ || keyEquivalent_.isEmpty())
        return false;
    unsigned required = modifierMask_ & keyMasks;
    if (keyEquivalent_.size() == 1 && keyEquivalent_[0].isUpper())
        required |= ShiftKeyMask;
    return (event.modifierFlags() & keyMasks) == required &&
           event.charactersIgnoringModifiers().compare(keyEquivalent_, Qt::CaseInsensitive) == 0;
}

void MenuItem::performAction()
{
    if (!separator_ && isEnabled() && !action_.isEmpty())
        Application::sharedApplication().sendAction(action_, target_, this);
}

// ---- menu ----

Menu::Menu(const QString& title) : title_(title), qmenu_(std::make_unique<QMenu>(title)) {}

Menu::~Menu()
{
    // Items go first, while the Qt menu they are shown in still exists.
    items_.clear();
}

void Menu::setTitle(const QString& title)
{
    title_ = title;
    qmenu_->setTitle(title);
}

MenuItem* Menu::addItem(std::unique_ptr<MenuItem> item)
{
    return insertItem(std::move(item), numberOfItems());
}

MenuItem* Menu::addItemWithTitle(const QString& title, const QString& action, const QString& keyEquivalent)
{
    return addItem(std::make_unique<MenuItem>(title, action, keyEquivalent));
}

MenuItem* Menu::insertItem(std::unique_ptr<MenuItem> item, int index)
{
    if (!item || item->menu_)
        return nullptr;
    index = std::clamp(index, 0, numberOfItems());
    MenuItem* raw = item.get();
    raw->menu_ = this;
    if (raw->submenu_)
        raw->submenu_->supermenu_ = this;
    QAction* before = index < numberOfItems() ? items_[size_t(index)]->qAction() : nullptr;
    qmenu_->insertAction(before, raw->qAction());
    items_.insert(items_.begin() + index, std::move(item));
    return raw;
}

MenuItem* Menu::insertItemWithTitle(const QString& title, const QString& action, const QString& keyEquivalent,
                                    int index)
{
    return insertItem(std::make_unique<MenuItem>(title, action, keyEquivalent), index);
}

std::unique_ptr<MenuItem> Menu::removeItem(MenuItem* item)
{
    return removeItemAtIndex(indexOfItem(item));
}

std::unique_ptr<MenuItem> Menu::removeItemAtIndex(int index)
{
    if (index < 0 || index >= numberOfItems())
        return nullptr;
    std::unique_ptr<MenuItem> item = std::move(items_[size_t(index)]);
    items_.erase(items_.begin() + index);
    qmenu_->removeAction(item->qAction());
    item->menu_ = nullptr;
    if (item->submenu_)
        item->submenu_->supermenu_ = nullptr;
    return item;
}

void Menu::removeAllItems()
{
    while (numberOfItems() > 0)
        removeItemAtIndex(numberOfItems() - 1);
}

QList<MenuItem*> Menu::itemArray() const
{
    QList<MenuItem*> result;
    for (const auto& item : items_)
        result.append(item.get());
    return result;
}

MenuItem* Menu::itemAtIndex(int index) const
{
    return index >= 0 && index < numberOfItems() ? items_[size_t(index)].get() : nullptr;
}

MenuItem* Menu::itemWithTag(int tag) const
{
    return itemAtIndex(indexOfItemWithTag(tag));
}

MenuItem* Menu::itemWithTitle(const QString& title) const
{
    return itemAtIndex(indexOfItemWithTitle(title));
}

int Menu::indexOfItem(const MenuItem* item) const
{
    for (int i = 0; i < numberOfItems(); ++i)
        if (items_[size_t(i)].get() == item)
            return i;
    return -1;
}

int Menu::indexOfItemWithTag(int tag) const
{
    for (int i = 0; i < numberOfItems(); ++i)
        if (!items_[size_t(i)]->isSeparatorItem() && items_[size_t(i)]->tag() == tag)
            return i;
    return -1;
}

int Menu::indexOfItemWithTitle(const QString& title) const
{
    for (int i = 0; i < numberOfItems(); ++i)
        if (!items_[size_t(i)]->isSeparatorItem() && items_[size_t(i)]->title() == title)
            return i;
    return -1;
}

void Menu::setSubmenu(std::unique_ptr<Menu> submenu, MenuItem* item)
{
    if (item && item->menu_ == this)
        item->setSubmenu(std::move(submenu));
}

bool Menu::performKeyEquivalent(const Event& event)
{
    for (const auto& item : items_) {
        if (!item->isEnabled())
            continue;
        if (item->submenu_) {
            if (item->submenu_->performKeyEquivalent(event))
                return true;
        } else if (item->matchesKeyEquivalent(event)) {
            item->performAction();
            return true;
        }
    }
    return false;
}

MenuItem* Menu::popUpMenu(Point location, View* view)
{
    QPoint global;
    if (view && view->window()) {
        Point base = view->convertPointToView(location, nullptr);
        global = Screen::toQtGlobal(view->window()->convertBaseToScreen(base)).toPoint();
    } else if (view) {
        global = view->mapToGlobal(QPoint(int(location.x), int(view->height() - location.y)));
    }
    return itemForAction(qmenu_->exec(global));
}

MenuItem* Menu::itemForAction(const QAction* action) const
{
    if (!action)
        return nullptr;
    for (const auto& item : items_) {
        if (item->qAction() == action)
            return item.get();
        if (item->submenu_)
            if (MenuItem* found = item->submenu_->itemForAction(action))
                return found;
    }
    return nullptr;
}

} // namespace ns
