#include "tests/support/AppKitTestSupport.h"

#include "platform/ns/appkit/OutlineView.h"
#include "platform/ns/appkit/ScrollView.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TableView.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTreeView>

using namespace ns;

namespace
{

class Actions : public Object
{
public:
    Actions()
    {
        registerSelector("clicked:",
                         [this](Object*) { calls << QString("click %1").arg(table->clickedRow()); });
        registerSelector("opened:",
                         [this](Object*) { calls << QString("open %1").arg(table->clickedRow()); });
    }
    TableView* table = nullptr;
    QStringList calls;
};

// Names and numbers, one row each.
class Contacts : public TableViewDataSource, public TableViewDelegate
{
public:
    int numberOfRowsInTableView(TableView*) override { return int(names.size()); }
    QVariant objectValueForTableColumn(TableView*, TableColumn* column, int row) override
    {
        return column->identifier() == "name" ? QVariant(names[row]) : QVariant(row * 100);
    }
    void setObjectValue(TableView*, const QVariant& value, TableColumn* column, int row) override
    {
        if (column->identifier() == "name")
            names[row] = value.toString();
    }
    void tableViewSelectionDidChange(const Notification& n) override
    {
        changes << static_cast<TableView*>(n.object())->selectedRowIndexes();
    }
    bool shouldSelectRow(TableView*, int row) override { return row != locked; }

    QStringList names{"Ann", "Bob", "Cid", "Dee"};
    int locked = -1;
    QList<QList<int>> changes;
};

struct AppKitTable : testing::Test {
    std::unique_ptr<Window> window = appkit_test::shownWindow(Rect(100, 100, 300, 200));
    Contacts contacts;
    Actions actions;
    TableView* table = new TableView(Rect(0, 0, 300, 200));

    AppKitTable()
    {
        for (const char* id : {"name", "number"}) {
            auto column = std::make_unique<TableColumn>(id);
            column->headerCell()->setStringValue(QString(id).toUpper());
            table->addTableColumn(std::move(column));
        }
        table->setDataSource(&contacts);
        table->setDelegate(&contacts);
        table->setTarget(&actions);
        table->setAction("clicked:");
        table->setDoubleAction("opened:");
        actions.table = table;
        window->contentView()->addSubview(table);
    }

    // The middle of a row's first cell, in the table's coordinates.
    Point rowPoint(int row) const
    {
        const Rect cell = table->frameOfCellAtColumn(0, row);
        return {cell.midX(), cell.midY()};
    }
};

} // namespace

TEST_F(AppKitTable, ColumnsAreFoundByIdentifierAndRowsComeFromTheDataSource)
{
    EXPECT_EQ(table->numberOfRows(), 4);
    EXPECT_EQ(table->columnWithIdentifier("number"), 1);
    EXPECT_EQ(table->tableColumnWithIdentifier("name")->headerCell()->stringValue(), "NAME");
    EXPECT_EQ(table->tableColumnWithIdentifier("missing"), nullptr);
    EXPECT_EQ(table->treeView()->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              "NUMBER");
    EXPECT_EQ(table->rowAtPoint(rowPoint(2)), 2);
    EXPECT_EQ(table->rowAtPoint({5, 1000}), -1);
    EXPECT_EQ(table->columnAtPoint({150, 5}), 1);

    contacts.names << "Eve";
    EXPECT_EQ(table->numberOfRows(), 4); // until reloaded
    table->reloadData();
    EXPECT_EQ(table->numberOfRows(), 5);
}

TEST_F(AppKitTable, ClickingSelectsARowAndTellsTheDelegateAndTheTarget)
{
    appkit_test::click(table, rowPoint(1));
    EXPECT_EQ(table->selectedRow(), 1);
    EXPECT_EQ(contacts.changes, (QList<QList<int>>{{1}}));
    EXPECT_EQ(actions.calls, (QStringList{"click 1"}));

    // The delegate refuses row 2: the selection stays.
    contacts.locked = 2;
    appkit_test::click(table, rowPoint(2));
    EXPECT_EQ(table->selectedRowIndexes(), (QList<int>{1}));
    EXPECT_EQ(contacts.changes.size(), 1);
}

TEST_F(AppKitTable, DoubleClickSendsTheDoubleActionWithTheClickedRow)
{
    appkit_test::mouse(appkit_test::Mouse::DoubleClick, table, rowPoint(3));
    // The first click sends the action; the second sends only the double action.
    EXPECT_EQ(actions.calls, (QStringList{"click 3", "open 3"}));
    EXPECT_EQ(table->clickedRow(), 3);
    EXPECT_EQ(table->clickedColumn(), 0);
}

TEST_F(AppKitTable, RightClickReachesTheTableAndOpensItsMenu)
{
    struct Table : TableView {
        using TableView::TableView;
        void rightMouseDown(const Event& event) override
        {
            rows << rowAtPoint(convertPoint(event.locationInWindow(), nullptr));
        }
        QList<int> rows;
    };
    auto* own = new Table(Rect(0, 0, 300, 200));
    own->addTableColumn(std::make_unique<TableColumn>("name"));
    own->setDataSource(&contacts);
    window->contentView()->addSubview(own);
    const Rect cell = own->frameOfCellAtColumn(0, 2);
    // Unscrolled, the viewport's coordinates are the table's.
    QTest::mouseClick(own->treeView()->viewport(), Qt::RightButton, {},
                      QPoint(int(cell.midX()), int(cell.midY())));
    EXPECT_EQ(own->rows, (QList<int>{2}));
    EXPECT_TRUE(own->selectedRowIndexes().isEmpty());
}

TEST_F(AppKitTable, ProgrammaticSelectionIsReportedAndSurvivesReloading)
{
    table->setAllowsMultipleSelection(true);
    table->selectRowIndexes({0, 3}, false);
    table->selectRow(1, true);
    EXPECT_EQ(table->selectedRowIndexes(), (QList<int>{0, 1, 3}));

    contacts.names.removeLast();
    table->reloadData();
    EXPECT_EQ(table->selectedRowIndexes(), (QList<int>{0, 1}));
    EXPECT_EQ(contacts.changes, (QList<QList<int>>{{0, 3}, {0, 1, 3}, {0, 1}}));

    table->setAllowsEmptySelection(false);
    table->deselectAll(nullptr);
    EXPECT_EQ(table->numberOfSelectedRows(), 2);
}

TEST_F(AppKitTable, EditedCellsGoBackToTheDataSource)
{
    TableColumn* name = table->tableColumnWithIdentifier("name");
    name->setEditable(true);
    QAbstractItemModel* model = table->treeView()->model();
    EXPECT_TRUE(model->flags(model->index(1, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(1, 1)) & Qt::ItemIsEditable);
    model->setData(model->index(1, 0), "Bea", Qt::EditRole);
    EXPECT_EQ(contacts.names[1], "Bea");
}

TEST_F(AppKitTable, TableInAScrollViewFillsTheClipView)
{
    auto* scrollView = new ScrollView(Rect(0, 0, 200, 100));
    window->contentView()->addSubview(scrollView);
    (void)scrollView->setDocumentView(table);
    scrollView->setHasVerticalScroller(true);
    EXPECT_EQ(scrollView->documentView(), table);
    EXPECT_EQ(table->frame().size, (Size{200, 100}));
    EXPECT_EQ(table->enclosingScrollView(), scrollView);
    EXPECT_EQ(table->treeView()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

namespace
{

// A tree of strings: "a" holds "a1" and "a2", "a2" holds "a2x"; "b" holds nothing.
class Tree : public OutlineViewDataSource
{
public:
    Tree() { top.reserve(8); } // items keep their addresses when the tree grows

    int numberOfChildrenOfItem(OutlineView*, void* item) override { return int(childrenOf(item).size()); }
    void* child(OutlineView*, int index, void* item) override { return &childrenOf(item)[index]; }
    bool isItemExpandable(OutlineView*, void* item) override { return !childrenOf(item).empty(); }
    QVariant objectValueForTableColumn(OutlineView*, TableColumn*, void* item) override
    {
        return *static_cast<QString*>(item);
    }

    std::vector<QString>& childrenOf(void* item)
    {
        static std::vector<QString> none;
        if (!item)
            return top;
        const QString& name = *static_cast<QString*>(item);
        return name == "a" ? a : name == "a2" ? a2 : none;
    }

    std::vector<QString> top{"a", "b"}, a{"a1", "a2"}, a2{"a2x"};
};

QStringList visibleRows(OutlineView& outline)
{
    QStringList rows;
    for (int row = 0; row < outline.numberOfRows(); ++row)
        rows << QString("%1:%2")
                    .arg(outline.levelForRow(row))
                    .arg(*static_cast<QString*>(outline.itemAtRow(row)));
    return rows;
}

} // namespace

TEST(AppKitOutline, RowsAreTheVisibleItemsAndExpansionSurvivesReloading)
{
    Tree tree;
    OutlineView outline(Rect(0, 0, 200, 200));
    outline.addTableColumn(std::make_unique<TableColumn>("name"));
    outline.setDataSource(&tree);
    EXPECT_EQ(visibleRows(outline), (QStringList{"0:a", "0:b"}));

    outline.expandItem(&tree.top[0]);
    outline.expandItem(&tree.a[1]);
    EXPECT_EQ(visibleRows(outline), (QStringList{"0:a", "1:a1", "1:a2", "2:a2x", "0:b"}));
    EXPECT_EQ(outline.rowForItem(&tree.a2[0]), 3);
    EXPECT_EQ(outline.parentForItem(&tree.a2[0]), &tree.a[1]);
    EXPECT_GT(outline.frameOfCellAtColumn(0, 3).minX(), outline.frameOfCellAtColumn(0, 0).minX());

    outline.selectRow(2, false);
    tree.top.push_back("c");
    outline.reloadData();
    EXPECT_EQ(visibleRows(outline), (QStringList{"0:a", "1:a1", "1:a2", "2:a2x", "0:b", "0:c"}));
    EXPECT_EQ(outline.selectedRow(), 2);

    outline.collapseItem(&tree.top[0]);
    EXPECT_EQ(visibleRows(outline), (QStringList{"0:a", "0:b", "0:c"}));
    EXPECT_EQ(outline.rowForItem(&tree.a2[0]), -1);
}

TEST(AppKitOutline, ADelegateMayKeepItemsOpenAgainstTheUserButNotAgainstACall)
{
    struct KeepOpen : OutlineViewDelegate {
        bool shouldCollapseItem(OutlineView*, void*) override { return !keep; }
        void outlineViewItemDidCollapse(OutlineView*, void*) override { ++collapsed; }
        bool keep = false;
        int collapsed = 0;
    } delegate;
    Tree tree;
    std::unique_ptr<Window> window = appkit_test::shownWindow(Rect(100, 100, 300, 200));
    auto* outline = new OutlineView(Rect(0, 0, 300, 200));
    outline->addTableColumn(std::make_unique<TableColumn>("name"));
    outline->setDataSource(&tree);
    outline->setDelegate(&delegate);
    window->contentView()->addSubview(outline);
    const QStringList open{"0:a", "1:a1", "1:a2", "0:b"}, closed{"0:a", "0:b"};
    // The disclosure triangle of the first row, before its name.
    const Rect first = outline->rectOfRow(0);
    const auto clickFirstTriangle = [&] { appkit_test::click(outline, {first.minX() + 8, first.midY()}); };

    // The user's click closes an item the delegate lets go ...
    outline->expandItem(&tree.top[0]);
    clickFirstTriangle();
    EXPECT_EQ(visibleRows(*outline), closed);
    EXPECT_EQ(delegate.collapsed, 1);
    // ... and not one it keeps.
    outline->expandItem(&tree.top[0]);
    delegate.keep = true;
    clickFirstTriangle();
    EXPECT_EQ(visibleRows(*outline), open);
    EXPECT_EQ(delegate.collapsed, 1);

    outline->collapseItem(&tree.top[0]);
    EXPECT_EQ(visibleRows(*outline), closed);
    EXPECT_EQ(delegate.collapsed, 2);
}

TEST(AppKitTabView, ItemViewIsReplacedByIdentifier)
{
    auto window = appkit_test::shownWindow();
    auto* tabs = new TabView(Rect(0, 0, 300, 200));
    tabs->setTabViewType(NoTabsNoBorder);
    window->contentView()->addSubview(tabs);
    for (const char* id : {"Internet", "SMS"})
        tabs->addTabViewItem(std::make_unique<TabViewItem>(id));
    EXPECT_EQ(tabs->selectedTabViewItem()->identifier(), "Internet");

    tabs->selectTabViewItemWithIdentifier("SMS");
    TabViewItem* sms = tabs->tabViewItemAtIndex(tabs->indexOfTabViewItemWithIdentifier("SMS"));
    ASSERT_EQ(tabs->selectedTabViewItem(), sms);

    // A plug-in's view takes the place of the item's own, which is kept.
    auto* plugin = new View(Rect(0, 0, 10, 10));
    View* own = sms->setView(plugin);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->superview(), nullptr);
    EXPECT_EQ(plugin->superview(), tabs);
    EXPECT_TRUE(plugin->QWidget::isVisible());
    EXPECT_EQ(plugin->frame(), tabs->contentRect());
    EXPECT_EQ(tabs->subviews(), (QList<View*>{plugin}));

    tabs->selectTabViewItemWithIdentifier("Internet");
    EXPECT_EQ(plugin->superview(), nullptr);
    EXPECT_EQ(sms->setView(own), plugin);
    delete plugin;
    EXPECT_EQ(tabs->indexOfTabViewItemWithIdentifier("Missing"), -1);
}

TEST(AppKitTabView, DelegateMayRefuseASelection)
{
    struct Refuse : TabViewDelegate {
        bool shouldSelectTabViewItem(TabView*, TabViewItem* item) override
        {
            return item->identifier() != "Locked";
        }
        void didSelectTabViewItem(TabView*, TabViewItem* item) override { selected << item->identifier(); }
        QStringList selected;
    } delegate;
    TabView tabs(Rect(0, 0, 200, 100));
    tabs.setDelegate(&delegate);
    for (const char* id : {"Open", "Locked"})
        tabs.addTabViewItem(std::make_unique<TabViewItem>(id));
    tabs.selectTabViewItemWithIdentifier("Locked");
    EXPECT_EQ(tabs.selectedTabViewItem()->identifier(), "Open");
    EXPECT_EQ(delegate.selected, (QStringList{"Open"}));
}
