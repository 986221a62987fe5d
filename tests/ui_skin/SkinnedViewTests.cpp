#include "SkinTestSupport.h"

#include "app/ui/widgets/NSOutlineViewExt.h"
#include "app/ui/widgets/NSTableViewExt.h"
#include "app/ui/widgets/NSWindowExt.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Menu.h"
#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QTest>
#include <QTreeView>

using appkit_test::Mouse;

namespace
{

// Rows of two columns, "name" and "value"; records where the mouse went.
class Rows : public ns::TableViewDataSource, public NSTableViewExtDataSource
{
public:
    int numberOfRowsInTableView(ns::TableView*) override { return 4; }
    QVariant objectValueForTableColumn(ns::TableView*, ns::TableColumn* column, int row) override
    {
        return QStringLiteral("%1 %2").arg(column->identifier()).arg(row);
    }
    void mouseMovedAtRow(NSTableViewExt*, int row) override { rows.append(row); }
    void mouseMovedAtRowAndColumn(NSTableViewExt*, int row, int column) override
    {
        cells.append({row, column});
    }

    QList<int> rows;
    QList<std::pair<int, int>> cells;
};

// Top-level items only.
class Items : public ns::OutlineViewDataSource
{
public:
    int numberOfChildrenOfItem(ns::OutlineView*, void* item) override { return item ? 0 : 3; }
    void* child(ns::OutlineView*, int index, void*) override { return &names[index]; }
    QVariant objectValueForTableColumn(ns::OutlineView*, ns::TableColumn*, void* item) override
    {
        return *static_cast<QString*>(item);
    }

    QString names[3] = {"Inbox", "Outbox", "Drafts"};
};

void addColumns(ns::TableView* table, const QStringList& identifiers)
{
    for (const QString& identifier : identifiers) {
        auto column = std::make_unique<ns::TableColumn>(identifier);
        column->setWidth(120);
        table->addTableColumn(std::move(column));
    }
}

// A click of the right button at a point of the view's own coordinates.
void rightClick(ns::View* view, ns::Point point)
{
    QWidget* top = view->QWidget::window();
    const ns::Point inWindow = view->convertPointToView(point, nullptr);
    const QPoint position(int(inWindow.x), int(top->height() - inWindow.y));
    QWidget* target = top->childAt(position);
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(target, Qt::RightButton, {}, target->mapFrom(top, position));
}

// Removes a block observer when the test ends.
struct ObserverGuard {
    ns::Object* observer;
    ~ObserverGuard() { ns::NotificationCenter::defaultCenter().removeObserver(observer); }
};

bool isReddish(const QColor& color)
{
    return color.red() > 150 && color.green() < 100 && color.blue() < 100;
}

} // namespace

TEST(NSTableViewExt, FollowsTheMouseMovesOfItsWindow)
{
    QCursor::setPos(0, 0);
    Rows rows;
    NSWindowExt window(ns::Rect(100, 100, 300, 200));
    window.setAcceptsMouseMovedEvents(true);
    auto* table = new NSTableViewExt(ns::Rect(10, 10, 260, 150));
    addColumns(table, {"name", "value"});
    table->setDataSource(&rows);
    table->setMouseMovedNotification(kSuperWindowMouseMovedNotification);
    window.contentView()->addSubview(table);
    window.makeKeyAndOrderFront(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const double pitch = table->rectOfRow(1).minY() - table->rectOfRow(0).minY();
    appkit_test::mouse(Mouse::Move, table, {150, 2.5 * pitch});
    EXPECT_EQ(rows.rows, QList<int>{2});
    EXPECT_EQ(rows.cells, (QList<std::pair<int, int>>{{2, 1}}));
    EXPECT_EQ(table->selectedRow(), 2); // the row under the mouse

    appkit_test::mouse(Mouse::Move, table, {30, 2.5 * pitch}); // same row, other column
    EXPECT_EQ(rows.rows, QList<int>{2});
    EXPECT_EQ(rows.cells, (QList<std::pair<int, int>>{{2, 1}, {2, 0}}));

    appkit_test::mouse(Mouse::Move, window.contentView(), {290, 5}); // off the table
    EXPECT_EQ(rows.rows, (QList<int>{2, -1}));
    EXPECT_EQ(rows.cells.last(), (std::pair<int, int>{-1, -1}));
    EXPECT_EQ(table->selectedRow(), -1);
}

TEST(NSTableViewExt, DrawsItsRowsInTheColumnColoursWithoutHighlight)
{
    Rows rows;
    auto window = appkit_test::shownWindow(ns::Rect(100, 100, 300, 200));
    auto* table = new NSTableViewExt(ns::Rect(10, 10, 260, 150));
    addColumns(table, {"name", "value"});
    table->setDataSource(&rows);
    window->contentView()->addSubview(table);
    table->setForeGroundColor(ns::Color::redColor(), 0);
    table->setForeGroundColor(ns::Color::redColor(), 5); // no such column
    EXPECT_TRUE(table->foreGroundColorOfColumn(0));
    EXPECT_FALSE(table->foreGroundColorOfColumn(5));
    table->selectRow(0, false);

    const ns::Rect firstCell = table->frameOfCellAtColumn(0, 0);
    const ns::Rect secondCell = table->frameOfCellAtColumn(1, 0);
    const auto countReddish = [&](const ns::Rect& cell) {
        const QImage image = table->grab().toImage();
        const QPoint offset = table->treeView()->viewport()->mapTo(table, QPoint(0, 0));
        int count = 0;
        for (int x = int(cell.minX()); x < int(cell.maxX()); ++x)
            for (int y = int(cell.minY()); y < int(cell.maxY()); ++y)
                count += isReddish(image.pixelColor(QPoint(x, y) + offset));
        return count;
    };
    const auto rowBackground = [&] {
        const QImage image = table->grab().toImage();
        const QPoint offset = table->treeView()->viewport()->mapTo(table, QPoint(0, 0));
        return image.pixelColor(QPoint(int(secondCell.maxX()) - 3, int(secondCell.midY())) + offset);
    };

    EXPECT_GT(countReddish(firstCell), 0);
    EXPECT_EQ(countReddish(secondCell), 0);
    EXPECT_EQ(rowBackground(), ns::Color::controlBackgroundColor().qColor()); // selected, not highlighted

    table->setUseSystemDraw(true);
    EXPECT_NE(rowBackground(), ns::Color::controlBackgroundColor().qColor());
}

TEST(NSOutlineViewExt, ARightClickSelectsTheRowUnderTheMouse)
{
    Items items;
    auto window = appkit_test::shownWindow(ns::Rect(100, 100, 300, 200));
    auto* outline = new NSOutlineViewExt(ns::Rect(10, 10, 260, 150));
    addColumns(outline, {"box"});
    outline->setDataSource(&items);
    window->contentView()->addSubview(outline);
    outline->selectRow(0, false);
    int changing = 0;
    const ObserverGuard observer{ns::NotificationCenter::defaultCenter().addObserverForName(
        ns::OutlineViewSelectionIsChangingNotification, outline,
        [&](const ns::Notification&) { ++changing; })};
    auto menu = std::make_unique<ns::Menu>("context");
    menu->addItemWithTitle("Delete", "deleteItem:");
    outline->setMenu(std::move(menu));
    int menusOpened = 0;
    const auto closeTheMenu = [&] {
        appkit_test::whenRunning([&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                ++menusOpened;
                popup->close();
            }
        });
    };

    const double pitch = outline->rectOfRow(1).minY() - outline->rectOfRow(0).minY();
    closeTheMenu();
    rightClick(outline, {50, 1.5 * pitch});
    EXPECT_EQ(outline->selectedRowIndexes(), QList<int>{1});
    EXPECT_EQ(outline->rowAtMouseRightDown(), 1);
    EXPECT_EQ(outline->itemAtMouseRightDown(), &items.names[1]);
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(menusOpened, 1);

    closeTheMenu();
    rightClick(outline, {50, 1.5 * pitch}); // already selected
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(menusOpened, 2);

    rightClick(outline, {50, 6.5 * pitch}); // below the rows: nothing, and no menu
    QApplication::processEvents();
    EXPECT_EQ(outline->rowAtMouseRightDown(), -1);
    EXPECT_EQ(outline->itemAtMouseRightDown(), nullptr);
    EXPECT_EQ(outline->selectedRowIndexes(), QList<int>{1});
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(menusOpened, 2);
}
