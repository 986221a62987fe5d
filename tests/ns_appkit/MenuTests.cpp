#include "tests/support/AppKitTestSupport.h"

#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/PopUpButton.h"
#include "platform/ns/appkit/Toolbar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace ns;

namespace
{

// Records which action reached it and from which sender.
struct Target : appkit_test::Recorder {
    Target() : Recorder({"open:", "quit:", "chosen:"}) {}
};

std::unique_ptr<Menu> fileMenu(Target* target)
{
    auto menu = std::make_unique<Menu>("File");
    MenuItem* open = menu->addItemWithTitle("Open", "open:", "o");
    open->setTag(1);
    open->setTarget(target);
    menu->addItem(MenuItem::separatorItem());
    MenuItem* recent = menu->addItemWithTitle("Recent", QString());
    auto submenu = std::make_unique<Menu>("Recent");
    MenuItem* first = submenu->addItemWithTitle("First", "open:", "1");
    first->setTag(11);
    first->setTarget(target);
    menu->setSubmenu(std::move(submenu), recent);
    MenuItem* quit = menu->addItemWithTitle("Quit", "quit:", "Q");
    quit->setTag(2);
    quit->setTarget(target);
    return menu;
}

} // namespace

TEST(AppKitMenu, ItemsAreFoundByTagTitleAndIndex)
{
    Target target;
    std::unique_ptr<Menu> menu = fileMenu(&target);
    EXPECT_EQ(menu->numberOfItems(), 4);
    EXPECT_EQ(menu->itemWithTag(2)->title(), "Quit");
    EXPECT_EQ(menu->indexOfItemWithTitle("Recent"), 2);
    EXPECT_TRUE(menu->itemAtIndex(1)->isSeparatorItem());
    EXPECT_TRUE(menu->qMenu()->actions()[1]->isSeparator());
    EXPECT_EQ(menu->itemWithTag(11), nullptr); // only the menu's own items
    Menu* recent = menu->itemWithTitle("Recent")->submenu();
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->supermenu(), menu.get());
    EXPECT_EQ(recent->itemWithTag(11)->menu(), recent);
    EXPECT_EQ(menu->itemAtIndex(2)->qAction()->menu(), recent->qMenu());
    EXPECT_EQ(menu->indexOfItemWithTag(99), -1);

    std::unique_ptr<MenuItem> removed = menu->removeItemAtIndex(0);
    EXPECT_EQ(removed->menu(), nullptr);
    EXPECT_EQ(menu->qMenu()->actions().size(), 3);
}

TEST(AppKitMenu, ChoosingAnItemSendsItsActionUnlessDisabled)
{
    Target target;
    std::unique_ptr<Menu> menu = fileMenu(&target);
    MenuItem* open = menu->itemWithTag(1);
    open->qAction()->trigger();
    ASSERT_EQ(target.calls.size(), 1);
    EXPECT_EQ(target.calls[0], qMakePair(QString("open:"), static_cast<Object*>(open)));

    open->setEnabled(false);
    open->qAction()->trigger();
    open->performAction();
    EXPECT_EQ(target.calls.size(), 1);
}

TEST(AppKitMenu, KeyEquivalentsOfTheMainMenuWorkInAnyWindow)
{
    Target target;
    Application::sharedApplication().setMainMenu(fileMenu(&target));
    auto window = appkit_test::shownWindow();
    QTest::keyClick(window.get(), Qt::Key_1, Qt::ControlModifier); // in the submenu
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier); // "Q" wants Shift too
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
    Application::sharedApplication().setMainMenu(nullptr);
    QStringList actions;
    for (const auto& call : target.calls)
        actions << call.first;
    EXPECT_EQ(actions, (QStringList{"open:", "quit:"}));
}

TEST(AppKitMenu, TitleShowsTheKeyEquivalent)
{
    MenuItem item("Save", "save:", "s");
    EXPECT_TRUE(item.qAction()->text().startsWith("Save\t"));
    EXPECT_TRUE(item.qAction()->shortcut().isEmpty()); // the menu handles the key, not Qt
}

TEST(AppKitPopUpButton, ChosenItemIsSelectedAndSendsTheButtonsAction)
{
    auto window = appkit_test::shownWindow();
    Target target;
    auto* popUp = new PopUpButton(Rect(10, 10, 150, 26));
    popUp->addItemsWithTitles({"PPP", "NDIS", "Auto"});
    popUp->itemAtIndex(1)->setTag(7);
    popUp->setTarget(&target);
    popUp->setAction("chosen:");
    window->contentView()->addSubview(popUp);
    EXPECT_EQ(popUp->titleOfSelectedItem(), "PPP");

    // The user picks the third entry of the open menu with the keyboard.
    appkit_test::whenRunning([&] {
        QMenu* open = popUp->menu()->qMenu();
        open->setActiveAction(popUp->itemAtIndex(2)->qAction());
        QTest::keyClick(open, Qt::Key_Return);
    });
    appkit_test::click(popUp);
    EXPECT_EQ(popUp->indexOfSelectedItem(), 2);
    EXPECT_EQ(popUp->itemAtIndex(2)->state(), OnState);
    EXPECT_EQ(popUp->itemAtIndex(0)->state(), OffState);
    ASSERT_EQ(target.calls.size(), 1);
    EXPECT_EQ(target.calls[0], qMakePair(QString("chosen:"), static_cast<Object*>(popUp)));

    EXPECT_TRUE(popUp->selectItemWithTag(7));
    EXPECT_EQ(popUp->title(), "NDIS");
    popUp->setTitle("Other"); // a new title becomes a new, selected item
    EXPECT_EQ(popUp->itemTitles(), (QStringList{"PPP", "NDIS", "Auto", "Other"}));
    EXPECT_EQ(popUp->indexOfSelectedItem(), 3);
}

TEST(AppKitPopUpButton, PullDownKeepsItsTitleAndNoSelection)
{
    PopUpButton pullDown(Rect(0, 0, 100, 26), true);
    pullDown.addItemsWithTitles({"Actions", "Copy", "Paste"});
    EXPECT_EQ(pullDown.title(), "Actions");
    EXPECT_EQ(pullDown.selectedItem(), nullptr);
    pullDown.setTitle("Edit");
    EXPECT_EQ(pullDown.itemTitleAtIndex(0), "Edit");
    EXPECT_EQ(pullDown.numberOfItems(), 3);
}

namespace
{

class ToolbarItems : public ToolbarDelegate
{
public:
    explicit ToolbarItems(Target* target)
    {
        for (const char* id : {"Internet", "SMS"}) {
            auto item = std::make_shared<ToolbarItem>(id);
            item->setLabel(id);
            item->setTarget(target);
            item->setAction("open:");
            items.push_back(item);
        }
    }
    std::shared_ptr<ToolbarItem> toolbarItemForItemIdentifier(Toolbar*, const QString& id, bool) override
    {
        for (const auto& item : items)
            if (item->itemIdentifier() == id)
                return item;
        return nullptr;
    }
    QStringList toolbarDefaultItemIdentifiers(Toolbar*) override
    {
        return {"Internet", ToolbarFlexibleSpaceItemIdentifier, "SMS", "Unknown"};
    }
    QStringList toolbarSelectableItemIdentifiers(Toolbar*) override { return {"Internet", "SMS"}; }
    std::vector<std::shared_ptr<ToolbarItem>> items;
};

// A main menu with the file menu as its one entry.
std::unique_ptr<Menu> fileMenuBar(Target* target)
{
    auto bar = std::make_unique<Menu>("MainMenu");
    MenuItem* file = bar->addItemWithTitle("File", QString());
    file->setSubmenu(fileMenu(target));
    return bar;
}

} // namespace

TEST(AppKitToolbar, ItemsComeFromTheDelegateAndSendTheirActions)
{
    Target target;
    ToolbarItems delegate(&target);
    auto window = appkit_test::shownWindow(Rect(100, 100, 300, 200));
    const Rect contentBefore = window->contentView()->frame();
    auto toolbar = std::make_unique<Toolbar>("ToolBar");
    toolbar->setDelegate(&delegate);
    toolbar->setDisplayMode(ToolbarDisplayModeIconOnly);
    Toolbar* bar = toolbar.get();
    window->setToolbar(std::move(toolbar));

    QStringList ids;
    for (ToolbarItem* item : bar->items())
        ids << item->itemIdentifier();
    EXPECT_EQ(ids, (QStringList{"Internet", ToolbarFlexibleSpaceItemIdentifier, "SMS"}));
    // The content keeps its size; the window grows by the toolbar.
    EXPECT_EQ(window->contentView()->frame(), contentBefore);
    EXPECT_EQ(window->contentView()->y(), bar->widget()->height());

    auto* smsButton = qobject_cast<QToolButton*>(
        static_cast<QToolBar*>(bar->widget())->widgetForAction(delegate.items[1]->qAction()));
    ASSERT_NE(smsButton, nullptr);
    QTest::mouseClick(smsButton, Qt::LeftButton);
    ASSERT_EQ(target.calls.size(), 1);
    EXPECT_EQ(target.calls[0].second, delegate.items[1].get());
    EXPECT_EQ(bar->selectedItemIdentifier(), "SMS");

    delegate.items[0]->setEnabled(false);
    delegate.items[0]->qAction()->trigger();
    EXPECT_EQ(target.calls.size(), 1);
}

TEST(AppKitToolbar, AnItemsControlViewActsForTheItem)
{
    Target target;
    ToolbarItem item("Logo");
    auto* button = new Button(Rect(0, 0, 40, 30));
    item.setView(button);
    item.setTarget(&target);
    item.setAction("open:");
    button->performClick(nullptr);
    ASSERT_EQ(target.calls.size(), 1);
    EXPECT_EQ(target.calls[0].first, "open:");

    item.setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    item.setAction(QString());
    item.setEnabled(true);
    button->performClick(nullptr);
    EXPECT_EQ(target.calls.size(), 1);
}

TEST(AppKitMainMenu, MainWindowsShowTheMainMenuAboveTheirContent)
{
    Target target;
    auto window = appkit_test::shownWindow(Rect(100, 100, 300, 200));
    const Rect contentBefore = window->contentView()->frame();
    window->setShowsMainMenu(true);
    Application::sharedApplication().setMainMenu(fileMenuBar(&target));

    auto* bar = window->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text(), "File");
    // The content keeps its size below the bar.
    EXPECT_EQ(window->contentView()->frame(), contentBefore);
    EXPECT_EQ(window->contentView()->y(), bar->height());

    bar->actions()[0]->menu()->actions()[0]->trigger();
    ASSERT_EQ(target.calls.size(), 1);
    EXPECT_EQ(target.calls[0].first, "open:");

    Application::sharedApplication().setMainMenu(nullptr);
    window->setShowsMainMenu(false);
    EXPECT_EQ(window->findChild<QMenuBar*>(), nullptr);
    EXPECT_EQ(window->contentView()->frame(), contentBefore);
}
