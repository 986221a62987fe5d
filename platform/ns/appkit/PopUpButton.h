#pragma once

#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Menu.h"

#include <QStringList>

namespace ns
{

// A button that opens a menu of items. A pop-up button shows its selected
// item and selects what the user chooses; a pull-down button shows its first
// item as its title and chooses from the others without keeping a selection.
// A chosen item without an action of its own sends the button's action.
class PopUpButton : public Button
{
public:
    explicit PopUpButton(const Rect& frame = Rect(), bool pullsDown = false);

    bool pullsDown() const { return pullsDown_; }
    void setPullsDown(bool pullsDown);

    // The menu of the items (owned by the button).
    Menu* menu() const override { return menu_.get(); }
    void setMenu(std::unique_ptr<Menu> menu) override;

    void addItemWithTitle(const QString& title);
    void addItemsWithTitles(const QStringList& titles);
    void insertItemWithTitle(const QString& title, int index);
    void removeItemWithTitle(const QString& title);
    void removeItemAtIndex(int index);
    void removeAllItems();

    int numberOfItems() const { return menu_->numberOfItems(); }
    MenuItem* itemAtIndex(int index) const { return menu_->itemAtIndex(index); }
    MenuItem* itemWithTitle(const QString& title) const { return menu_->itemWithTitle(title); }
    MenuItem* lastItem() const { return itemAtIndex(numberOfItems() - 1); }
    QStringList itemTitles() const;
    QString itemTitleAtIndex(int index) const;
    int indexOfItem(const MenuItem* item) const { return menu_->indexOfItem(item); }
    int indexOfItemWithTitle(const QString& title) const { return menu_->indexOfItemWithTitle(title); }
    int indexOfItemWithTag(int tag) const { return menu_->indexOfItemWithTag(tag); }

    MenuItem* selectedItem() const { return selected_; }
    int indexOfSelectedItem() const { return indexOfItem(selected_); }
    QString titleOfSelectedItem() const { return selected_ ? selected_->title() : QString(); }
    void selectItem(MenuItem* item);
    void selectItemAtIndex(int index) { selectItem(itemAtIndex(index)); }
    void selectItemWithTitle(const QString& title) { selectItem(itemWithTitle(title)); }
    bool selectItemWithTag(int tag);

    // The selected item's title (the first item's for a pull-down button).
    QString title() const override;
    // Selects the item of that title, adding one when there is none; for a
    // pull-down button, renames the first item.
    void setTitle(const QString& title) override;

    // Opens the menu.
    void performClick(Object* sender) override;
    void sizeToFit() override;
    void drawRect(const Rect& dirtyRect) override;
    void mouseDown(const Event& event) override;
    void mouseUp(const Event&) override {}
    void mouseDragged(const Event&) override {}

private:
    void choose(MenuItem* item);
    void repairSelection();

    bool pullsDown_;
    std::unique_ptr<Menu> menu_;
    MenuItem* selected_ = nullptr;
};

} // namespace ns
