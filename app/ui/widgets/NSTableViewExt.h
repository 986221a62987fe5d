#pragma once

#include "platform/ns/Notification.h"
#include "platform/ns/appkit/Event.h"
#include "platform/ns/appkit/TableView.h"

#include <QHash>

#include <optional>

class NSTableViewExt;

// What the data source of an owner-drawn table may also answer: the mouse
// moved onto another row, or another cell.
class NSTableViewExtDataSource
{
public:
    virtual ~NSTableViewExtDataSource() = default;
    virtual void mouseMovedAtRow(NSTableViewExt* /*tableView*/, int /*row*/) {}
    virtual void mouseMovedAtRowAndColumn(NSTableViewExt* /*tableView*/, int /*row*/, int /*column*/) {}
};

// A table that draws its rows itself, as plain text in the colour and font
// of each column, without a selection highlight, and follows the mouse: fed
// the window's mouse moves through a notification, it tells its data source
// the row and cell under the mouse and treats that row as the selected one.
// With system drawing set it draws as a plain table.
class NSTableViewExt : public ns::TableView
{
public:
    explicit NSTableViewExt(const ns::Rect& frame = ns::Rect());

    void setUseSystemDraw(bool useSystemDraw);
    // Follows the mouse moves posted under the name (nothing for an empty name).
    void setMouseMovedNotification(const QString& name);
    const QString& mouseMovedNotification() const { return mouseMovedNotification_; }

    // Stored only for an existing column.
    void setForeGroundColor(const ns::Color& color, int column);
    using ns::TableView::setFont;
    void setFont(const ns::Font& font, int column);
    std::optional<ns::Color> foreGroundColorOfColumn(int column) const;
    std::optional<ns::Font> fontOfColumn(int column) const;

    void processMouseEvent(const ns::Event& event);
    void superWindowMouseMoved(ns::Notification* notification);

    // The row under the mouse while the table follows the mouse.
    int selectedRow() const override;

    void drawRow(int row, const ns::Rect& clipRect) override;
    void drawRow(int row, int column);
    void highlightSelectionInClipRect(const ns::Rect& clipRect) override;

private:
    QString mouseMovedNotification_;
    QHash<QString, ns::Font> columnFontSet_;
    QHash<QString, ns::Color> columnForeGroundColorSet_;
    int lastFocusedRow_ = -1;
    int lastFocusedColumn_ = -1;
    bool bUseSystemDraw_ = false;
};

// The row and column of the table under the event's location: both -1 when
// it lies outside the visible part of the table, the column -1 when the row is.
void tableViewRowAndColumnOfEvent(const ns::Event& event, const ns::TableView* tableView, int* row,
                                  int* column);
