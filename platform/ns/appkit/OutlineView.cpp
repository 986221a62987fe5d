#include "platform/ns/appkit/OutlineView.h"

#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/TableModel.h"

#include <QHeaderView>
#include <QScopedValueRollback>
#include <QSet>
#include <QTreeView>

#include <functional>
#include <vector>

namespace ns
{

// ---- the tree model: nodes made as the view asks for them ----

class OutlineModel : public TableModel
{
public:
    struct Node {
        void* item = nullptr;
        Node* parent = nullptr;
        int row = 0;
        bool loaded = false;
        std::vector<std::unique_ptr<Node>> children;
    };

    explicit OutlineModel(OutlineView* outline)
        : TableModel(outline), outline_(outline), root_(std::make_unique<Node>())
    {
    }

    void reload() override
    {
        // Items that were expanded are expanded again when they are still there.
        QSet<void*> expanded;
        collectExpanded(root_.get(), expanded);
        beginResetModel();
        root_ = std::make_unique<Node>();
        endResetModel();
        outline_->rowsChanged();
        outline_->restoringExpansion_ = true;
        restoreExpanded(QModelIndex(), expanded);
        outline_->restoringExpansion_ = false;
    }

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override
    {
        Node* p = node(parent);
        load(p);
        if (row < 0 || row >= int(p->children.size()) || column < 0 || column >= columnCount())
            return {};
        return createIndex(row, column, p->children[size_t(row)].get());
    }

    QModelIndex parent(const QModelIndex& index) const override
    {
        Node* n = index.isValid() ? node(index) : nullptr;
        if (!n || !n->parent || n->parent == root_.get())
            return {};
        return createIndex(n->parent->row, 0, n->parent);
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        if (parent.column() > 0)
            return 0;
        Node* p = node(parent);
        load(p);
        return int(p->children.size());
    }

    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override
    {
        Node* p = node(parent);
        if (p == root_.get())
            return rowCount(parent) > 0;
        return parent.column() <= 0 && expandable(p->item);
    }

    Node* node(const QModelIndex& index) const
    {
        return index.isValid() ? static_cast<Node*>(index.internalPointer()) : root_.get();
    }

    // The index of an item among the nodes made so far.
    QModelIndex indexOfItem(void* item) const { return find(root_.get(), item); }

private:
    bool expandable(void* item) const
    {
        OutlineViewDataSource* source = outline_->dataSource();
        return source && source->isItemExpandable(outline_, item);
    }

    void load(Node* p) const
    {
        if (p->loaded)
            return;
        p->loaded = true;
        OutlineViewDataSource* source = outline_->dataSource();
        if (!source || (p != root_.get() && !expandable(p->item)))
            return;
        const int count = std::max(0, source->numberOfChildrenOfItem(outline_, p->item));
        for (int i = 0; i < count; ++i) {
            auto child = std::make_unique<Node>();
            child->item = source->child(outline_, i, p->item);
            child->parent = p;
            child->row = i;
            p->children.push_back(std::move(child));
        }
    }

    QModelIndex find(Node* p, void* item) const
    {
        for (const auto& child : p->children) {
            if (child->item == item)
                return createIndex(child->row, 0, child.get());
            if (QModelIndex found = find(child.get(), item); found.isValid())
                return found;
        }
        return {};
    }

    void collectExpanded(Node* p, QSet<void*>& expanded) const
    {
        for (const auto& child : p->children) {
            if (outline_->treeView()->isExpanded(createIndex(child->row, 0, child.get()))) {
                expanded.insert(child->item);
                collectExpanded(child.get(), expanded);
            }
        }
    }

    void restoreExpanded(const QModelIndex& parent, const QSet<void*>& expanded)
    {
        for (int row = 0; row < rowCount(parent); ++row) {
            const QModelIndex child = index(row, 0, parent);
            if (expanded.contains(node(child)->item)) {
                outline_->treeView()->expand(child);
                restoreExpanded(child, expanded);
            }
        }
    }

    OutlineView* outline_;
    std::unique_ptr<Node> root_;
};

// ---- outline view ----

OutlineView::OutlineView(const Rect& frame) : TableView(frame)
{
    QTreeView* view = treeView();
    view->setRootIsDecorated(true);
    view->setItemsExpandable(true);
    view->setIndentation(16);
    auto model = std::make_unique<OutlineModel>(this);
    tree_ = model.get();
    setModel(std::move(model));
    QObject::connect(view, &QTreeView::expanded, view, [this](const QModelIndex& index) {
        rowsChanged();
        if (delegate_ && !restoringExpansion_)
            delegate_->outlineViewItemDidExpand(this, tree_->node(index)->item);
    });
    QObject::connect(view, &QTreeView::collapsed, view, [this](const QModelIndex& index) {
        rowsChanged();
        if (!delegate_)
            return;
        void* item = tree_->node(index)->item;
        if (!collapsingByCall_ && !delegate_->shouldCollapseItem(this, item)) {
            // Qt collapses before asking: the refused item opens again, unannounced.
            restoringExpansion_ = true;
            treeView()->expand(index);
            restoringExpansion_ = false;
            return;
        }
        delegate_->outlineViewItemDidCollapse(this, item);
    });
}

OutlineView::~OutlineView() = default;

void OutlineView::setDataSource(OutlineViewDataSource* dataSource)
{
    dataSource_ = dataSource;
    reloadData();
}

const QList<QPersistentModelIndex>& OutlineView::rows() const
{
    if (rows_)
        return *rows_;
    rows_.emplace();
    rowOfNode_.clear();
    if (!tree_)
        return *rows_;
    QTreeView* view = treeView();
    OutlineModel* model = tree_;
    // Depth first through the expanded items: the rows as they appear.
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            rowOfNode_.insert(index.internalPointer(), int(rows_->size()));
            rows_->append(index);
            if (view->isExpanded(index))
                walk(index);
        }
    };
    walk(QModelIndex());
    return *rows_;
}

int OutlineView::numberOfRows() const
{
    return int(rows().size());
}

QModelIndex OutlineView::indexForRow(int row, int column) const
{
    if (row < 0 || row >= numberOfRows())
        return {};
    return QModelIndex(rows()[row]).siblingAtColumn(column);
}

int OutlineView::rowForIndex(const QModelIndex& index) const
{
    if (!index.isValid() || !tree_)
        return -1;
    rows();
    return rowOfNode_.value(index.siblingAtColumn(0).internalPointer(), -1);
}

QModelIndex OutlineView::indexOfItem(void* item) const
{
    // Visible items first: listing the rows makes the expanded levels.
    for (const QPersistentModelIndex& index : rows())
        if (tree_->node(index)->item == item)
            return index;
    return tree_->indexOfItem(item);
}

void* OutlineView::itemAtRow(int row) const
{
    const QModelIndex index = indexForRow(row);
    return index.isValid() ? tree_->node(index)->item : nullptr;
}

int OutlineView::rowForItem(void* item) const
{
    return rowForIndex(indexOfItem(item));
}

namespace
{

// How deep an index lies below the root; -1 for none.
int depthOf(QModelIndex index)
{
    if (!index.isValid())
        return -1;
    int level = 0;
    for (index = index.parent(); index.isValid(); index = index.parent())
        ++level;
    return level;
}

} // namespace

int OutlineView::levelForItem(void* item) const
{
    return depthOf(indexOfItem(item));
}

int OutlineView::levelForRow(int row) const
{
    return depthOf(indexForRow(row));
}

void* OutlineView::parentForItem(void* item) const
{
    const QModelIndex index = indexOfItem(item);
    return index.isValid() && index.parent().isValid() ? tree_->node(index.parent())->item : nullptr;
}

bool OutlineView::isExpandable(void* item) const
{
    return dataSource_ && dataSource_->isItemExpandable(const_cast<OutlineView*>(this), item);
}

bool OutlineView::isItemExpanded(void* item) const
{
    const QModelIndex index = indexOfItem(item);
    return index.isValid() && treeView()->isExpanded(index);
}

void OutlineView::expandItem(void* item, bool expandChildren)
{
    const QModelIndex index = indexOfItem(item);
    if (!index.isValid() || !isExpandable(item))
        return;
    if (expandChildren)
        treeView()->expandRecursively(index);
    else
        treeView()->expand(index);
}

void OutlineView::collapseItem(void* item, bool collapseChildren)
{
    const QModelIndex index = indexOfItem(item);
    if (!index.isValid())
        return;
    const QScopedValueRollback byCall(collapsingByCall_, true);
    if (collapseChildren) {
        std::function<void(const QModelIndex&)> collapseBelow = [&](const QModelIndex& parent) {
            for (int row = 0; row < tree_->rowCount(parent); ++row) {
                const QModelIndex child = tree_->index(row, 0, parent);
                collapseBelow(child);
                treeView()->collapse(child);
            }
        };
        collapseBelow(index);
    }
    treeView()->collapse(index);
}

void OutlineView::reloadItem(void* item, bool reloadChildren)
{
    // Values are asked afresh at each drawing; children need the tree made again.
    if (reloadChildren || !item)
        reloadData();
    else
        setNeedsDisplay();
}

TableColumn* OutlineView::outlineTableColumn() const
{
    const int position = std::max(0, treeView()->treePosition());
    const QList<TableColumn*> columns = tableColumns();
    return position < columns.size() ? columns[position] : nullptr;
}

void OutlineView::setOutlineTableColumn(TableColumn* column)
{
    const int index = int(tableColumns().indexOf(column));
    if (index >= 0)
        treeView()->setTreePosition(index);
}

double OutlineView::indentationPerLevel() const
{
    return treeView()->indentation();
}

void OutlineView::setIndentationPerLevel(double indentation)
{
    treeView()->setIndentation(int(indentation));
    setNeedsDisplay();
}

double OutlineView::indentationOfCell(int column, int row) const
{
    const int treeColumn = std::max(0, treeView()->treePosition());
    if (column != treeColumn)
        return 0;
    return treeView()->indentation() * (levelForRow(row) + 1);
}

QVariant OutlineView::objectValueAt(TableColumn* column, int row)
{
    return dataSource_ ? dataSource_->objectValueForTableColumn(this, column, itemAtRow(row)) : QVariant();
}

void OutlineView::setObjectValueAt(const QVariant& value, TableColumn* column, int row)
{
    if (dataSource_)
        dataSource_->setObjectValue(this, value, column, itemAtRow(row));
}

bool OutlineView::shouldSelect(int row)
{
    return !delegate_ || delegate_->shouldSelectItem(this, itemAtRow(row));
}

void OutlineView::willDisplayCellAt(Cell* cell, TableColumn* column, int row)
{
    if (delegate_)
        delegate_->willDisplayCell(this, cell, column, itemAtRow(row));
}

bool OutlineView::shouldEdit(TableColumn* column, int row)
{
    return !delegate_ || delegate_->shouldEditTableColumn(this, column, itemAtRow(row));
}

void OutlineView::postSelectionDidChange()
{
    Notification notification(OutlineViewSelectionDidChangeNotification, this);
    if (delegate_)
        delegate_->outlineViewSelectionDidChange(notification);
    NotificationCenter::defaultCenter().postNotification(notification);
}

} // namespace ns
