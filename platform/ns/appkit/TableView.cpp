#include "platform/ns/appkit/TableView.h"

#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/GraphicsContext.h"
#include "platform/ns/appkit/TableModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTreeView>

#include <cmath>
#include <utility>

namespace ns
{

// ---- column ----

TableColumn::TableColumn(const QString& identifier)
    : identifier_(identifier), headerCell_(std::make_unique<TextFieldCell>())
{
    auto cell = std::make_unique<TextFieldCell>();
    cell->setEditable(false);
    dataCell_ = std::move(cell);
}

TableColumn::~TableColumn() = default;

void TableColumn::setDataCell(std::unique_ptr<Cell> cell)
{
    if (cell)
        dataCell_ = std::move(cell);
}

void TableColumn::setWidth(double width)
{
    width_ = std::clamp(width, minWidth_, maxWidth_);
    if (tableView_)
        tableView_->applyColumnWidths();
}

void TableColumn::setMinWidth(double width)
{
    minWidth_ = width;
    setWidth(width_);
}

void TableColumn::setMaxWidth(double width)
{
    maxWidth_ = width;
    setWidth(width_);
}

// ---- model ----

void TableModel::reload()
{
    beginResetModel();
    rows_ = table_->dataSource_ ? std::max(0, table_->dataSource_->numberOfRowsInTableView(table_)) : 0;
    endResetModel();
}

int TableModel::columnCount(const QModelIndex&) const
{
    return table_->numberOfColumns();
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= table_->numberOfColumns())
        return {};
    if (role == Qt::DisplayRole)
        return table_->columns_[size_t(section)]->headerCell()->stringValue();
    return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (table_->columns_[size_t(index.column())]->isEditable())
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::SizeHintRole)
        return QSize(-1, int(std::lround(table_->rowPitch())));
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return table_->objectValueAt(table_->columns_[size_t(index.column())].get(), table_->rowForIndex(index));
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    table_->setObjectValueAt(value, table_->columns_[size_t(index.column())].get(),
                             table_->rowForIndex(index));
    return true;
}

QModelIndex TableModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || row >= rows_ || column < 0 || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex TableModel::parent(const QModelIndex&) const
{
    return {};
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

// ---- selection: the delegate decides what the user may select ----

class RowSelectionModel : public QItemSelectionModel
{
public:
    // Owned by the model.
    RowSelectionModel(QAbstractItemModel* model, TableView* table)
        : QItemSelectionModel(model, model), table_(table)
    {
    }

    using QItemSelectionModel::select;
    void select(const QItemSelection& selection, SelectionFlags command) override
    {
        if (table_->programmaticSelection_) {
            QItemSelectionModel::select(selection, command);
            return;
        }
        const QList<int> before = table_->selectedRowIndexes();
        QItemSelectionModel::select(selection, command);
        const QList<int> after = table_->selectedRowIndexes();
        // Rows the delegate refuses stay out; a choice of refused rows only changes nothing.
        QList<int> allowed;
        bool refused = false;
        for (int row : after) {
            if (before.contains(row) || table_->shouldSelect(row))
                allowed.append(row);
            else
                refused = true;
        }
        if (allowed.isEmpty() && (refused || !table_->allowsEmptySelection_))
            allowed = before;
        if (allowed != after)
            table_->setSelectedRows(allowed);
        table_->selectionMaybeChanged();
    }

private:
    TableView* table_;
};

// ---- the Qt view ----

class TableWidget : public QTreeView
{
public:
    explicit TableWidget(TableView* table) : QTreeView(table), table_(table)
    {
        setRootIsDecorated(false);
        setItemsExpandable(false);
        setExpandsOnDoubleClick(false);
        setIndentation(0);
        setUniformRowHeights(true);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
        setAllColumnsShowFocus(true);
        setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        header()->setStretchLastSection(true);
        header()->setSectionsMovable(false);
        header()->setSectionsClickable(true);
    }

    // Table coordinates of a viewport point, and back.
    QPointF toTable(const QPointF& viewportPoint) const
    {
        return viewportPoint + QPointF(horizontalOffset(), verticalOffset());
    }
    QPointF toViewport(const QPointF& tablePoint) const
    {
        return tablePoint - QPointF(horizontalOffset(), verticalOffset());
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const Rect clip = tableRect(event->rect());
        {
            QPainter painter(viewport());
            painter.translate(-horizontalOffset(), -verticalOffset());
            GraphicsContext context(painter, 0, true);
            table_->drawBackgroundInClipRect(clip);
            table_->highlightSelectionInClipRect(clip);
        }
        QTreeView::paintEvent(event);
        QPainter painter(viewport());
        painter.translate(-horizontalOffset(), -verticalOffset());
        GraphicsContext context(painter, 0, true);
        table_->drawGridInClipRect(clip);
    }

    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override
    {
        if (itemsExpandable() && index.model()->hasChildren(index.sibling(index.row(), 0))) {
            int level = 0;
            for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
                ++level;
            const int position = header()->sectionViewportPosition(treePosition() < 0 ? 0 : treePosition());
            const QRect branches(position + indentation() * level, option.rect.y(), indentation(),
                                 option.rect.height());
            drawBranches(painter, branches, index.sibling(index.row(), 0));
        }
        painter->save();
        painter->translate(-horizontalOffset(), -verticalOffset());
        GraphicsContext context(*painter, 0, true);
        table_->drawRow(table_->rowForIndex(index), tableRect(option.rect));
        painter->restore();
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        // A right click is the table's own (its context menu), as in Cocoa; it selects nothing.
        if (event->button() == Qt::RightButton) {
            table_->rightMouseDown(Event::fromQt(*event, RightMouseDown, table_));
            return;
        }
        table_->clickedAt(event->position());
        QTreeView::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QTreeView::mouseReleaseEvent(event);
        // The second click of a double click sends the double action instead.
        const bool endsDoubleAction = std::exchange(doubleActionSent_, false);
        if (event->button() == Qt::LeftButton && !endsDoubleAction)
            table_->sendAction(table_->action(), table_->target());
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        table_->clickedAt(event->position());
        QTreeView::mouseDoubleClickEvent(event);
        if (event->button() != Qt::LeftButton || state() == QAbstractItemView::EditingState ||
            table_->doubleAction().isEmpty())
            return;
        doubleActionSent_ = true;
        table_->sendAction(table_->doubleAction(), table_->target());
    }

    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override
    {
        const bool asked = trigger == DoubleClicked || trigger == EditKeyPressed || trigger == AnyKeyPressed;
        if (asked && index.isValid() &&
            !table_->shouldEdit(table_->columns_[size_t(index.column())].get(), table_->rowForIndex(index)))
            return false;
        return QTreeView::edit(index, trigger, event);
    }

private:
    Rect tableRect(const QRect& viewportRect) const
    {
        const QPointF origin = toTable(viewportRect.topLeft());
        return {origin.x(), origin.y(), double(viewportRect.width()), double(viewportRect.height())};
    }

    TableView* table_;
    bool doubleActionSent_ = false;
};

// ---- table view ----

TableView::TableView(const Rect& frame) : Control(frame), widget_(new TableWidget(this))
{
    widget_->setGeometry(rect());
    setModel(std::make_unique<TableModel>(this));
    QHeaderView* header = widget_->header();
    QObject::connect(header, &QHeaderView::sectionResized, header, [this](int logical, int, int size) {
        if (applyingWidths_ || logical < 0 || logical >= numberOfColumns())
            return;
        TableColumn* column = columns_[size_t(logical)].get();
        const double clamped = std::clamp(double(size), column->minWidth_, column->maxWidth_);
        column->width_ = clamped;
        if (clamped != size)
            applyColumnWidths();
    });
    QObject::connect(header, &QHeaderView::sectionClicked, header, [this](int logical) {
        if (delegate_ && logical >= 0 && logical < numberOfColumns())
            delegate_->didClickTableColumn(this, columns_[size_t(logical)].get());
    });
}

TableView::~TableView()
{
    // The Qt view goes first: it refers to the model and the columns.
    delete widget_;
}

QTreeView* TableView::treeView() const
{
    return widget_;
}

void TableView::setModel(std::unique_ptr<TableModel> model)
{
    widget_->setModel(model.get());
    // The view made a selection model of its own; ours filters the user's choices.
    QItemSelectionModel* made = widget_->selectionModel();
    widget_->setSelectionModel(new RowSelectionModel(model.get(), this));
    delete made;
    model_ = std::move(model);
    reloadData();
}

void TableView::setDataSource(TableViewDataSource* dataSource)
{
    dataSource_ = dataSource;
    reloadData();
}

// ---- columns ----

void TableView::addTableColumn(std::unique_ptr<TableColumn> column)
{
    if (!column || column->tableView_)
        return;
    column->tableView_ = this;
    column->headerCell_->setControlView(this);
    column->dataCell_->setFont(font());
    columns_.push_back(std::move(column));
    reloadData();
}

std::unique_ptr<TableColumn> TableView::removeTableColumn(TableColumn* column)
{
    for (auto it = columns_.begin(); it != columns_.end(); ++it) {
        if (it->get() != column)
            continue;
        std::unique_ptr<TableColumn> removed = std::move(*it);
        columns_.erase(it);
        removed->tableView_ = nullptr;
        removed->headerCell_->setControlView(nullptr);
        reloadData();
        return removed;
    }
    return nullptr;
}

QList<TableColumn*> TableView::tableColumns() const
{
    QList<TableColumn*> result;
    for (const auto& column : columns_)
        result.append(column.get());
    return result;
}

TableColumn* TableView::tableColumnWithIdentifier(const QString& identifier) const
{
    const int index = columnWithIdentifier(identifier);
    return index < 0 ? nullptr : columns_[size_t(index)].get();
}

int TableView::columnWithIdentifier(const QString& identifier) const
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i]->identifier() == identifier)
            return int(i);
    return -1;
}

void TableView::applyColumnWidths()
{
    applyingWidths_ = true;
    for (size_t i = 0; i < columns_.size(); ++i)
        widget_->header()->resizeSection(int(i), int(std::lround(columns_[i]->width())));
    applyingWidths_ = false;
}

// ---- rows ----

void TableView::reloadData()
{
    const QList<int> selected = selectedRowIndexes();
    programmaticSelection_ = true;
    model_->reload();
    programmaticSelection_ = false;
    applyColumnWidths();
    QList<int> kept;
    for (int row : selected)
        if (row < numberOfRows())
            kept.append(row);
    setSelectedRows(kept);
    selectionMaybeChanged();
    setNeedsDisplay();
}

int TableView::numberOfRows() const
{
    return model_->rows();
}

void TableView::setRowHeight(double height)
{
    rowHeight_ = std::max(1.0, height);
    reloadData();
}

QModelIndex TableView::indexForRow(int row, int column) const
{
    return model_->index(row, column);
}

int TableView::rowForIndex(const QModelIndex& index) const
{
    return index.isValid() ? index.row() : -1;
}

double TableView::indentationOfCell(int, int) const
{
    return 0;
}

// ---- data source and delegate ----

QVariant TableView::objectValueAt(TableColumn* column, int row)
{
    return dataSource_ ? dataSource_->objectValueForTableColumn(this, column, row) : QVariant();
}

void TableView::setObjectValueAt(const QVariant& value, TableColumn* column, int row)
{
    if (dataSource_)
        dataSource_->setObjectValue(this, value, column, row);
}

bool TableView::shouldSelect(int row)
{
    return !delegate_ || delegate_->shouldSelectRow(this, row);
}

void TableView::willDisplayCellAt(Cell* cell, TableColumn* column, int row)
{
    if (delegate_)
        delegate_->willDisplayCell(this, cell, column, row);
}

bool TableView::shouldEdit(TableColumn* column, int row)
{
    return !delegate_ || delegate_->shouldEditTableColumn(this, column, row);
}

void TableView::postSelectionDidChange()
{
    Notification notification(TableViewSelectionDidChangeNotification, this);
    if (delegate_)
        delegate_->tableViewSelectionDidChange(notification);
    NotificationCenter::defaultCenter().postNotification(notification);
}

// ---- selection ----

QList<int> TableView::selectedRowIndexes() const
{
    QList<int> rows;
    const QItemSelectionModel* selection = widget_->selectionModel();
    if (!selection)
        return rows;
    for (const QModelIndex& index : selection->selectedRows(0))
        if (int row = rowForIndex(index); row >= 0)
            rows.append(row);
    std::sort(rows.begin(), rows.end());
    return rows;
}

int TableView::selectedRow() const
{
    const QModelIndex current = widget_->selectionModel()->currentIndex();
    if (current.isValid() && widget_->selectionModel()->isRowSelected(current.row(), current.parent()))
        return rowForIndex(current);
    const QList<int> rows = selectedRowIndexes();
    return rows.isEmpty() ? -1 : rows.last();
}

bool TableView::isRowSelected(int row) const
{
    const QModelIndex index = indexForRow(row);
    return index.isValid() && widget_->selectionModel()->isRowSelected(index.row(), index.parent());
}

void TableView::setSelectedRows(const QList<int>& rows)
{
    programmaticSelection_ = true;
    QItemSelection selection;
    const int lastColumn = std::max(0, numberOfColumns() - 1);
    for (int row : rows) {
        const QModelIndex first = indexForRow(row, 0), last = indexForRow(row, lastColumn);
        if (first.isValid())
            selection.select(first, last.isValid() ? last : first);
    }
    QItemSelectionModel* model = widget_->selectionModel();
    model->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!rows.isEmpty())
        model->setCurrentIndex(indexForRow(rows.last()), QItemSelectionModel::NoUpdate);
    programmaticSelection_ = false;
}

void TableView::selectionMaybeChanged()
{
    const QList<int> rows = selectedRowIndexes();
    if (rows == notifiedSelection_)
        return;
    notifiedSelection_ = rows;
    setNeedsDisplay();
    postSelectionDidChange();
}

void TableView::selectRowIndexes(const QList<int>& rows, bool byExtendingSelection)
{
    QList<int> target = byExtendingSelection ? selectedRowIndexes() : QList<int>();
    for (int row : rows)
        if (row >= 0 && row < numberOfRows() && !target.contains(row))
            target.append(row);
    if (!allowsMultipleSelection_ && target.size() > 1)
        target = {rows.isEmpty() ? target.last() : rows.last()};
    setSelectedRows(target);
    selectionMaybeChanged();
}

void TableView::deselectRow(int row)
{
    QList<int> rows = selectedRowIndexes();
    if (!rows.removeOne(row) || (rows.isEmpty() && !allowsEmptySelection_))
        return;
    setSelectedRows(rows);
    selectionMaybeChanged();
}

void TableView::deselectAll(Object*)
{
    if (!allowsEmptySelection_)
        return;
    setSelectedRows({});
    selectionMaybeChanged();
}

void TableView::selectAll(Object*)
{
    if (!allowsMultipleSelection_)
        return;
    QList<int> rows;
    for (int row = 0; row < numberOfRows(); ++row)
        rows.append(row);
    setSelectedRows(rows);
    selectionMaybeChanged();
}

void TableView::setAllowsMultipleSelection(bool allows)
{
    allowsMultipleSelection_ = allows;
    widget_->setSelectionMode(allows ? QAbstractItemView::ExtendedSelection
                                     : QAbstractItemView::SingleSelection);
}

void TableView::clickedAt(const QPointF& viewportPosition)
{
    const QPointF table = widget_->toTable(viewportPosition);
    clickedRow_ = rowAtPoint({table.x(), table.y()});
    clickedColumn_ = columnAtPoint({table.x(), table.y()});
}

// ---- geometry ----

int TableView::rowAtPoint(Point point) const
{
    if (point.y < 0 || point.x < 0)
        return -1;
    const int row = int(std::floor(point.y / rowPitch()));
    return row < numberOfRows() ? row : -1;
}

int TableView::columnAtPoint(Point point) const
{
    QHeaderView* header = widget_->header();
    if (point.x < 0 || point.x >= header->length())
        return -1;
    return header->logicalIndexAt(int(point.x) - header->offset());
}

Rect TableView::rectOfRow(int row) const
{
    if (row < 0 || row >= numberOfRows())
        return {};
    const double width = std::max(widget_->header()->length(), widget_->viewport()->width());
    return {0, row * rowPitch(), width, rowPitch()};
}

Rect TableView::rectOfColumn(int column) const
{
    if (column < 0 || column >= numberOfColumns())
        return {};
    QHeaderView* header = widget_->header();
    return {double(header->sectionPosition(column)), 0, double(header->sectionSize(column)),
            numberOfRows() * rowPitch()};
}

Rect TableView::frameOfCellAtColumn(int column, int row) const
{
    const Rect rowRect = rectOfRow(row), columnRect = rectOfColumn(column);
    if (rowRect.isEmpty() || columnRect.width() <= 0)
        return {};
    const double indent = indentationOfCell(column, row);
    return {columnRect.minX() + indent + 1, rowRect.minY() + 1,
            std::max(0.0, columnRect.width() - indent - 3), rowHeight_};
}

Rect TableView::visibleRect() const
{
    const QPointF origin = widget_->toTable(QPointF(0, 0));
    return {origin.x(), origin.y(), double(widget_->viewport()->width()),
            double(widget_->viewport()->height())};
}

void TableView::scrollRowToVisible(int row)
{
    widget_->scrollTo(indexForRow(row));
}

QPointF TableView::toLocalQt(Point point) const
{
    return widget_->mapTo(this, widget_->viewport()->mapTo(widget_, widget_->toViewport({point.x, point.y})));
}

Point TableView::fromLocalQt(const QPointF& point) const
{
    const QPointF table =
        widget_->toTable(widget_->viewport()->mapFrom(widget_, widget_->mapFrom(this, point)));
    return {table.x(), table.y()};
}

void TableView::resizeEvent(QResizeEvent*)
{
    widget_->setGeometry(rect());
}

// ---- appearance ----

void TableView::setUsesAlternatingRowBackgroundColors(bool uses)
{
    alternating_ = uses;
    setNeedsDisplay();
}

void TableView::setBackgroundColor(const Color& color)
{
    backgroundColor_ = color;
    setNeedsDisplay();
}

void TableView::setGridStyleMask(unsigned mask)
{
    gridStyleMask_ = mask;
    setNeedsDisplay();
}

void TableView::setGridColor(const Color& color)
{
    gridColor_ = color;
    setNeedsDisplay();
}

bool TableView::isHeaderVisible() const
{
    return !widget_->header()->isHidden();
}

void TableView::setHeaderVisible(bool visible)
{
    widget_->header()->setVisible(visible);
}

void TableView::setFont(const Font& font)
{
    Control::setFont(font);
    for (const auto& column : columns_)
        column->dataCell()->setFont(font);
    setNeedsDisplay();
}

void TableView::setNeedsDisplay(bool flag)
{
    View::setNeedsDisplay(flag);
    if (flag) {
        widget_->viewport()->update();
        widget_->header()->viewport()->update();
    }
}

void TableView::setScrollers(bool horizontal, bool vertical, bool autohide)
{
    auto policy = [autohide](bool has) {
        return !has ? Qt::ScrollBarAlwaysOff : autohide ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
    };
    widget_->setHorizontalScrollBarPolicy(policy(horizontal));
    widget_->setVerticalScrollBarPolicy(policy(vertical));
}

// ---- drawing ----

void TableView::drawBackgroundInClipRect(const Rect& clipRect)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context)
        return;
    QPainter& painter = context->painter();
    painter.fillRect(context->toQt(clipRect), backgroundColor_.qColor());
    if (!alternating_)
        return;
    const QColor alternate = palette().color(QPalette::AlternateBase);
    const int first = std::max(0, int(std::floor(clipRect.minY() / rowPitch())));
    const int last = int(std::floor(clipRect.maxY() / rowPitch()));
    for (int row = first | 1; row <= last; row += 2) {
        const Rect stripe(clipRect.minX(), row * rowPitch(), clipRect.width(), rowPitch());
        painter.fillRect(context->toQt(stripe.intersection(clipRect)), alternate);
    }
}

void TableView::highlightSelectionInClipRect(const Rect& clipRect)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context)
        return;
    for (int row : selectedRowIndexes()) {
        const Rect area = rectOfRow(row).intersection(clipRect);
        if (!area.isEmpty())
            context->painter().fillRect(context->toQt(area), Color::selectedTextBackgroundColor().qColor());
    }
}

void TableView::drawRow(int row, const Rect& clipRect)
{
    if (row < 0)
        return;
    const bool selected = isRowSelected(row);
    for (int column = 0; column < numberOfColumns(); ++column) {
        const Rect frame = frameOfCellAtColumn(column, row);
        if (frame.intersection(clipRect).isEmpty())
            continue;
        TableColumn* tableColumn = columns_[size_t(column)].get();
        Cell* cell = tableColumn->dataCell();
        cell->setObjectValue(objectValueAt(tableColumn, row));
        cell->setHighlighted(selected);
        willDisplayCellAt(cell, tableColumn, row);
        cell->drawWithFrame(frame, this);
    }
}

void TableView::drawGridInClipRect(const Rect& clipRect)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context || gridStyleMask_ == TableViewGridNone)
        return;
    QPainter& painter = context->painter();
    painter.save();
    painter.setPen(gridColor_.qColor());
    if (gridStyleMask_ & TableViewSolidVerticalGridLineMask) {
        for (int column = 0; column < numberOfColumns(); ++column) {
            const double x = rectOfColumn(column).maxX() - 0.5;
            painter.drawLine(QPointF(x, clipRect.minY()), QPointF(x, clipRect.maxY()));
        }
    }
    if (gridStyleMask_ & TableViewSolidHorizontalGridLineMask) {
        const int first = std::max(0, int(std::floor(clipRect.minY() / rowPitch())));
        const int last = int(std::floor(clipRect.maxY() / rowPitch()));
        for (int row = first; row <= last; ++row) {
            const double y = (row + 1) * rowPitch() - 0.5;
            painter.drawLine(QPointF(clipRect.minX(), y), QPointF(clipRect.maxX(), y));
        }
    }
    painter.restore();
}

} // namespace ns
