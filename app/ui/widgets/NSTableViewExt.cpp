#include "app/ui/widgets/NSTableViewExt.h"

#include "app/ui/widgets/EventObject.h"
#include "app/ui/widgets/NSWindowExt.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/AttributedString.h"
#include "platform/ns/appkit/GraphicsContext.h"

namespace
{

QString columnKey(int column)
{
    return QString::number(column);
}

} // namespace

NSTableViewExt::NSTableViewExt(const ns::Rect& frame) : ns::TableView(frame)
{
    registerSelector(QStringLiteral("superWindowMouseMoved:"), &NSTableViewExt::superWindowMouseMoved);
}

void NSTableViewExt::setUseSystemDraw(bool useSystemDraw)
{
    bUseSystemDraw_ = useSystemDraw;
    setNeedsDisplay(true);
}

void NSTableViewExt::setMouseMovedNotification(const QString& name)
{
    if (name.isEmpty())
        return;
    ns::NotificationCenter& center = ns::NotificationCenter::defaultCenter();
    if (!mouseMovedNotification_.isEmpty())
        center.removeObserver(this, mouseMovedNotification_, nullptr);
    mouseMovedNotification_ = name;
    center.addObserver(this, QStringLiteral("superWindowMouseMoved:"), name, nullptr);
}

void NSTableViewExt::setForeGroundColor(const ns::Color& color, int column)
{
    if (column >= 0 && column < numberOfColumns())
        columnForeGroundColorSet_.insert(columnKey(column), color);
}

void NSTableViewExt::setFont(const ns::Font& font, int column)
{
    if (column >= 0 && column < numberOfColumns())
        columnFontSet_.insert(columnKey(column), font);
}

std::optional<ns::Color> NSTableViewExt::foreGroundColorOfColumn(int column) const
{
    const auto found = columnForeGroundColorSet_.constFind(columnKey(column));
    if (found == columnForeGroundColorSet_.cend())
        return std::nullopt;
    return *found;
}

std::optional<ns::Font> NSTableViewExt::fontOfColumn(int column) const
{
    const auto found = columnFontSet_.constFind(columnKey(column));
    if (found == columnFontSet_.cend())
        return std::nullopt;
    return *found;
}

// ---- following the mouse ----

void NSTableViewExt::superWindowMouseMoved(ns::Notification* notification)
{
    if (!notification)
        return;
    if (auto* theEvent = notification->objectInfo().object<EventObject>(kTheEventKey))
        processMouseEvent(theEvent->event());
}

void NSTableViewExt::processMouseEvent(const ns::Event& event)
{
    int row = -1;
    int column = -1;
    tableViewRowAndColumnOfEvent(event, this, &row, &column);
    if (!dataSource())
        return;
    auto* listener = dynamic_cast<NSTableViewExtDataSource*>(dataSource());
    if (row != lastFocusedRow_) {
        lastFocusedRow_ = row;
        if (listener)
            listener->mouseMovedAtRow(this, row);
    }
    if (column != lastFocusedColumn_) {
        lastFocusedColumn_ = column;
        if (listener)
            listener->mouseMovedAtRowAndColumn(this, row, column);
    }
}

int NSTableViewExt::selectedRow() const
{
    if (!mouseMovedNotification_.isEmpty())
        return lastFocusedRow_;
    return ns::TableView::selectedRow();
}

// ---- drawing ----

void NSTableViewExt::drawRow(int row, const ns::Rect& clipRect)
{
    if (bUseSystemDraw_) {
        ns::TableView::drawRow(row, clipRect);
        return;
    }
    if (row < 0)
        return;
    ns::Color::controlBackgroundColor().set();
    ns::rectFill(rectOfRow(row));
    for (int column = 0; column < numberOfColumns(); ++column)
        drawRow(row, column);
}

void NSTableViewExt::drawRow(int row, int column)
{
    if (!dataSource() || column < 0 || column >= numberOfColumns())
        return;
    const QVariant value = objectValueAt(tableColumns().at(column), row);
    ns::TextAttributes attributes;
    attributes.font = fontOfColumn(column).value_or(font());
    attributes.foregroundColor = foreGroundColorOfColumn(column).value_or(ns::Color::controlTextColor());
    ns::AttributedString(value.toString(), attributes).drawInRect(frameOfCellAtColumn(column, row));
}

void NSTableViewExt::highlightSelectionInClipRect(const ns::Rect& clipRect)
{
    if (bUseSystemDraw_)
        ns::TableView::highlightSelectionInClipRect(clipRect);
}

void tableViewRowAndColumnOfEvent(const ns::Event& event, const ns::TableView* tableView, int* row,
                                  int* column)
{
    *row = -1;
    *column = -1;
    const ns::Point point = tableView->convertPoint(event.locationInWindow(), nullptr);
    if (!tableView->visibleRect().containsPoint(point))
        return;
    *row = tableView->rowAtPoint(point);
    if (*row >= 0)
        *column = tableView->columnAtPoint(point);
}
