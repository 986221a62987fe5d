#pragma once

#include "platform/ns/Notification.h"
#include "platform/ns/appkit/Control.h"
#include "platform/ns/appkit/TextField.h"

#include <QList>

#include <memory>
#include <vector>

class QModelIndex;
class QTreeView;

namespace ns
{

class TableModel;
class TableView;
class TableWidget;

// A column of a table view, found by its identifier. Its header cell holds
// the title; its data cell draws each row's value (a borderless text cell
// unless another is set).
class TableColumn : public Object
{
public:
    explicit TableColumn(const QString& identifier);
    ~TableColumn() override;

    const QString& identifier() const { return identifier_; }
    void setIdentifier(const QString& identifier) { identifier_ = identifier; }
    TextFieldCell* headerCell() const { return headerCell_.get(); }
    Cell* dataCell() const { return dataCell_.get(); }
    void setDataCell(std::unique_ptr<Cell> cell);
    double width() const { return width_; }
    void setWidth(double width);
    double minWidth() const { return minWidth_; }
    void setMinWidth(double width);
    double maxWidth() const { return maxWidth_; }
    void setMaxWidth(double width);
    bool isEditable() const { return editable_; }
    void setEditable(bool editable) { editable_ = editable; }
    TableView* tableView() const { return tableView_; }

private:
    friend class TableView;

    QString identifier_;
    std::unique_ptr<TextFieldCell> headerCell_;
    std::unique_ptr<Cell> dataCell_;
    double width_ = 100;
    double minWidth_ = 10;
    double maxWidth_ = 100000;
    bool editable_ = false;
    TableView* tableView_ = nullptr;
};

enum TableViewGridLineStyle {
    TableViewGridNone = 0,
    TableViewSolidVerticalGridLineMask = 1,
    TableViewSolidHorizontalGridLineMask = 2,
};

inline const QString TableViewSelectionDidChangeNotification =
    QStringLiteral("NSTableViewSelectionDidChangeNotification");

// Values are what the column's data cell shows: a string or number for a
// text cell, an ns::Image (QVariant::fromValue) for an image cell, a state
// number for a button cell.
class TableViewDataSource
{
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfRowsInTableView(TableView* /*tableView*/) { return 0; }
    virtual QVariant objectValueForTableColumn(TableView* /*tableView*/, TableColumn* /*column*/, int /*row*/)
    {
        return {};
    }
    // The user edited a cell.
    virtual void setObjectValue(TableView* /*tableView*/, const QVariant& /*value*/, TableColumn* /*column*/,
                                int /*row*/)
    {
    }
};

class TableViewDelegate
{
public:
    virtual ~TableViewDelegate() = default;
    virtual void tableViewSelectionDidChange(const Notification&) {}
    // Asked when the user selects a row.
    virtual bool shouldSelectRow(TableView* /*tableView*/, int /*row*/) { return true; }
    // Lets the delegate change the cell (colour, font ...) before it draws a row's value.
    virtual void willDisplayCell(TableView* /*tableView*/, Cell* /*cell*/, TableColumn* /*column*/,
                                 int /*row*/)
    {
    }
    virtual bool shouldEditTableColumn(TableView* /*tableView*/, TableColumn* /*column*/, int /*row*/)
    {
        return true;
    }
    virtual void didClickTableColumn(TableView* /*tableView*/, TableColumn* /*column*/) {}
};

// Rows of values in columns, asked from a data source. Rows and cells are
// measured in table coordinates: from the top-left corner of the first row, y
// down (tables are flipped), whatever the scrolling. A click sends the
// action, a double click the double action (clickedRow() tells which row).
// Owner-drawn tables override the drawing hooks. The table owns its columns.
class TableView : public Control
{
public:
    explicit TableView(const Rect& frame = Rect());
    ~TableView() override;

    void setDataSource(TableViewDataSource* dataSource);
    TableViewDataSource* dataSource() const { return dataSource_; }
    void setDelegate(TableViewDelegate* delegate) { delegate_ = delegate; }
    TableViewDelegate* delegate() const { return delegate_; }

    void addTableColumn(std::unique_ptr<TableColumn> column);
    // The removed column belongs to the caller.
    std::unique_ptr<TableColumn> removeTableColumn(TableColumn* column);
    QList<TableColumn*> tableColumns() const;
    int numberOfColumns() const { return int(columns_.size()); }
    TableColumn* tableColumnWithIdentifier(const QString& identifier) const;
    // -1 when there is none.
    int columnWithIdentifier(const QString& identifier) const;

    // Asks the data source again for the rows; selected rows that remain stay selected.
    void reloadData();
    void noteNumberOfRowsChanged() { reloadData(); }
    virtual int numberOfRows() const;
    double rowHeight() const { return rowHeight_; }
    void setRowHeight(double height);

    // The most recently selected row, or -1.
    virtual int selectedRow() const;
    QList<int> selectedRowIndexes() const;
    int numberOfSelectedRows() const { return int(selectedRowIndexes().size()); }
    bool isRowSelected(int row) const;
    void selectRowIndexes(const QList<int>& rows, bool byExtendingSelection);
    void selectRow(int row, bool byExtendingSelection) { selectRowIndexes({row}, byExtendingSelection); }
    void deselectRow(int row);
    void deselectAll(Object* sender);
    void selectAll(Object* sender);
    bool allowsMultipleSelection() const { return allowsMultipleSelection_; }
    void setAllowsMultipleSelection(bool allows);
    bool allowsEmptySelection() const { return allowsEmptySelection_; }
    void setAllowsEmptySelection(bool allows) { allowsEmptySelection_ = allows; }

    int clickedRow() const { return clickedRow_; }
    int clickedColumn() const { return clickedColumn_; }
    const QString& doubleAction() const { return doubleAction_; }
    void setDoubleAction(const QString& action) { doubleAction_ = action; }

    bool isFlipped() const override { return true; }
    // -1 when the point is on no row or column.
    int rowAtPoint(Point point) const;
    int columnAtPoint(Point point) const;
    Rect rectOfRow(int row) const;
    Rect rectOfColumn(int column) const;
    Rect frameOfCellAtColumn(int column, int row) const;
    // The part of the table on screen.
    Rect visibleRect() const;
    void scrollRowToVisible(int row);

    bool usesAlternatingRowBackgroundColors() const { return alternating_; }
    void setUsesAlternatingRowBackgroundColors(bool uses);
    Color backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const Color& color);
    unsigned gridStyleMask() const { return gridStyleMask_; }
    void setGridStyleMask(unsigned mask);
    Color gridColor() const { return gridColor_; }
    void setGridColor(const Color& color);
    bool isHeaderVisible() const;
    void setHeaderVisible(bool visible);
    void setFont(const Font& font) override;
    void setNeedsDisplay(bool flag = true) override;

    // Drawing, in table coordinates: background, then the selection, then
    // each visible row, then the grid.
    virtual void drawBackgroundInClipRect(const Rect& clipRect);
    virtual void highlightSelectionInClipRect(const Rect& clipRect);
    // Draws each column's data cell with the row's value, after willDisplayCell.
    virtual void drawRow(int row, const Rect& clipRect);
    virtual void drawGridInClipRect(const Rect& clipRect);

    // The enclosing scroll view's scroller settings.
    void setScrollers(bool horizontal, bool vertical, bool autohide);
    // The Qt view that shows the table.
    QTreeView* treeView() const;

protected:
    // Installs the model (the outline view's is a tree).
    void setModel(std::unique_ptr<TableModel> model);
    TableModel* model() const { return model_.get(); }

    // Rows as the Qt model sees them; the outline view maps visible rows to items.
    virtual QModelIndex indexForRow(int row, int column = 0) const;
    virtual int rowForIndex(const QModelIndex& index) const;
    // Indentation of a cell (the outline column's levels).
    virtual double indentationOfCell(int column, int row) const;
    // The data source and delegate calls, by row.
    virtual QVariant objectValueAt(TableColumn* column, int row);
    virtual void setObjectValueAt(const QVariant& value, TableColumn* column, int row);
    virtual bool shouldSelect(int row);
    virtual void willDisplayCellAt(Cell* cell, TableColumn* column, int row);
    virtual bool shouldEdit(TableColumn* column, int row);
    virtual void postSelectionDidChange();

    QPointF toLocalQt(Point point) const override;
    Point fromLocalQt(const QPointF& point) const override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TableColumn;
    friend class TableModel;
    friend class TableWidget;
    friend class RowSelectionModel;

    double rowPitch() const { return rowHeight_ + 2; }
    void setSelectedRows(const QList<int>& rows);
    void selectionMaybeChanged();
    void applyColumnWidths();
    void clickedAt(const QPointF& viewportPosition);

    TableViewDataSource* dataSource_ = nullptr;
    TableViewDelegate* delegate_ = nullptr;
    std::vector<std::unique_ptr<TableColumn>> columns_;
    std::unique_ptr<TableModel> model_;
    TableWidget* widget_;
    double rowHeight_ = 17;
    bool allowsMultipleSelection_ = false;
    bool allowsEmptySelection_ = true;
    bool programmaticSelection_ = false;
    bool applyingWidths_ = false;
    QList<int> notifiedSelection_;
    int clickedRow_ = -1;
    int clickedColumn_ = -1;
    QString doubleAction_;
    bool alternating_ = false;
    Color backgroundColor_ = Color::controlBackgroundColor();
    unsigned gridStyleMask_ = TableViewGridNone;
    Color gridColor_ = Color::gridColor();
};

} // namespace ns
