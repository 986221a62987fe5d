#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/appkit/Event.h"
#include "platform/ns/appkit/Image.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace ns
{

class Menu;
class View;

// One entry of a menu: a title with its action, key equivalent, image, tag,
// check state and submenu, or a separator. Choosing it sends its action to
// its target (or along the responder chain) with the item as sender.
class MenuItem : public Object
{
public:
    explicit MenuItem(const QString& title = QString(), const QString& action = QString(),
                      const QString& keyEquivalent = QString());
    ~MenuItem() override;
    static std::unique_ptr<MenuItem> separatorItem();

    bool isSeparatorItem() const { return separator_; }
    QString title() const { return title_; }
    void setTitle(const QString& title);
    const QString& action() const { return action_; }
    void setAction(const QString& action) { action_ = action; }
    Object* target() const { return target_; }
    void setTarget(Object* target) { target_ = target; }
    // A letter, "\r", "\x1b" ...; an upper-case letter includes the Shift key.
    const QString& keyEquivalent() const { return keyEquivalent_; }
    void setKeyEquivalent(const QString& key);
    // Command by default.
    unsigned keyEquivalentModifierMask() const { return modifierMask_; }
    void setKeyEquivalentModifierMask(unsigned mask);
    const Image& image() const { return image_; }
    void setImage(const Image& image);
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    bool isEnabled() const;
    void setEnabled(bool enabled);
    int state() const { return state_; }
    void setState(int state);
    QString toolTip() const;
    void setToolTip(const QString& toolTip);

    // The item owns its submenu.
    Menu* submenu() const { return submenu_.get(); }
    bool hasSubmenu() const { return submenu_ != nullptr; }
    void setSubmenu(std::unique_ptr<Menu> submenu);
    // The menu holding the item.
    Menu* menu() const { return menu_; }

    bool matchesKeyEquivalent(const Event& event) const;
    // Sends the item's action, as choosing it does.
    void performAction();
    QAction* qAction() const { return qaction_.get(); }

private:
    friend class Menu;
    void updateText();

    QString title_;
    QString action_;
    QString keyEquivalent_;
    unsigned modifierMask_;
    Image image_;
    int tag_ = 0;
    int state_ = 0;
    bool separator_ = false;
    Object* target_ = nullptr;
    Menu* menu_ = nullptr;
    std::unique_ptr<Menu> submenu_;
    std::unique_ptr<QAction> qaction_;
};

// A list of menu items, shown as a Qt menu. A menu owns its items.
class Menu : public Object
{
public:
    explicit Menu(const QString& title = QString());
    ~Menu() override;

    QString title() const { return title_; }
    void setTitle(const QString& title);

    MenuItem* addItem(std::unique_ptr<MenuItem> item);
    MenuItem* addItemWithTitle(const QString& title, const QString& action,
                               const QString& keyEquivalent = QString());
    MenuItem* insertItem(std::unique_ptr<MenuItem> item, int index);
    MenuItem* insertItemWithTitle(const QString& title, const QString& action, const QString& keyEquivalent,
                                  int index);
    // The removed item belongs to the caller (null when it is not in the menu).
    std::unique_ptr<MenuItem> removeItem(MenuItem* item);
    std::unique_ptr<MenuItem> removeItemAtIndex(int index);
    void removeAllItems();

    int numberOfItems() const { return int(items_.size()); }
    QList<MenuItem*> itemArray() const;
    MenuItem* itemAtIndex(int index) const;
    MenuItem* itemWithTag(int tag) const;
    MenuItem* itemWithTitle(const QString& title) const;
    // -1 when there is none.
    int indexOfItem(const MenuItem* item) const;
    int indexOfItemWithTag(int tag) const;
    int indexOfItemWithTitle(const QString& title) const;
    void setSubmenu(std::unique_ptr<Menu> submenu, MenuItem* item);
    Menu* supermenu() const { return supermenu_; }

    // Chooses the enabled item (here or in a submenu) whose key equivalent the event is.
    bool performKeyEquivalent(const Event& event);
    // Shows the menu with its top-left corner at the point of the view (in the
    // view's coordinates) and returns the chosen item, or null when dismissed.
    MenuItem* popUpMenu(Point location, View* view);
    // The item of a Qt action of this menu or of its submenus.
    MenuItem* itemForAction(const QAction* action) const;

    QMenu* qMenu() const { return qmenu_.get(); }

private:
    friend class MenuItem;

    QString title_;
    Menu* supermenu_ = nullptr;
    std::unique_ptr<QMenu> qmenu_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

} // namespace ns
