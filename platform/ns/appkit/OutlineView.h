#pragma once

#include "platform/ns/appkit/TableView.h"

#include <QHash>
#include <QPersistentModelIndex>

#include <optional>

namespace ns
{

class OutlineModel;
class OutlineView;

inline const QString OutlineViewSelectionDidChangeNotification =
    QStringLiteral("NSOutlineViewSelectionDidChangeNotification");
inline const QString OutlineViewSelectionIsChangingNotification =
    QStringLiteral("NSOutlineViewSelectionIsChangingNotification");

// Items are the data source's own pointers; the null item is the root.
class OutlineViewDataSource
{
public:
    virtual ~OutlineViewDataSource() = default;
    virtual int numberOfChildrenOfItem(OutlineView* /*outlineView*/, void* /*item*/) { return 0; }
    virtual void* child(OutlineView* /*outlineView*/, int /*index*/, void* /*item*/) { return nullptr; }
    virtual bool isItemExpandable(OutlineView* /*outlineView*/, void* /*item*/) { return false; }
    virtual QVariant objectValueForTableColumn(OutlineView* /*outlineView*/, TableColumn* /*column*/,
                                               void* /*item*/)
    {
        return {};
    }
    virtual void setObjectValue(OutlineView* /*outlineView*/, const QVariant& /*value*/,
                                TableColumn* /*column*/, void* /*item*/)
    {
    }
};

class OutlineViewDelegate
{
public:
    virtual ~OutlineViewDelegate() = default;
    virtual void outlineViewSelectionDidChange(const Notification&) {}
    virtual bool shouldSelectItem(OutlineView* /*outlineView*/, void* /*item*/) { return true; }
    virtual void willDisplayCell(OutlineView* /*outlineView*/, Cell* /*cell*/, TableColumn* /*column*/,
                                 void* /*item*/)
    {
    }
    virtual bool shouldEditTableColumn(OutlineView* /*outlineView*/, TableColumn* /*column*/, void* /*item*/)
    {
        return true;
    }
    // Asked when the user collapses an item; a refused item stays expanded.
    virtual bool shouldCollapseItem(OutlineView* /*outlineView*/, void* /*item*/) { return true; }
    virtual void outlineViewItemDidExpand(OutlineView* /*outlineView*/, void* /*item*/) {}
    virtual void outlineViewItemDidCollapse(OutlineView* /*outlineView*/, void* /*item*/) {}
};

// A table whose rows are a tree of items, shown expanded or collapsed; a row
// is a visible item, counted from the top. Expanded items stay expanded
// across reloadData() while the data source still gives them.
class OutlineView : public TableView
{
public:
    explicit OutlineView(const Rect& frame = Rect());
    ~OutlineView() override;

    void setDataSource(OutlineViewDataSource* dataSource);
    OutlineViewDataSource* dataSource() const { return dataSource_; }
    void setDelegate(OutlineViewDelegate* delegate) { delegate_ = delegate; }
    OutlineViewDelegate* delegate() const { return delegate_; }

    int numberOfRows() const override;
    // Null for a row out of range; -1 for an item that is not visible.
    void* itemAtRow(int row) const;
    int rowForItem(void* item) const;
    // Top-level items are at level 0; -1 for an unknown item.
    int levelForItem(void* item) const;
    int levelForRow(int row) const;
    void* parentForItem(void* item) const;

    bool isExpandable(void* item) const;
    bool isItemExpanded(void* item) const;
    void expandItem(void* item, bool expandChildren = false);
    void collapseItem(void* item, bool collapseChildren = false);
    // Asks the data source again for the item (and, if asked, its children).
    void reloadItem(void* item, bool reloadChildren = false);

    TableColumn* outlineTableColumn() const;
    void setOutlineTableColumn(TableColumn* column);
    double indentationPerLevel() const;
    void setIndentationPerLevel(double indentation);

protected:
    QModelIndex indexForRow(int row, int column = 0) const override;
    int rowForIndex(const QModelIndex& index) const override;
    double indentationOfCell(int column, int row) const override;
    QVariant objectValueAt(TableColumn* column, int row) override;
    void setObjectValueAt(const QVariant& value, TableColumn* column, int row) override;
    bool shouldSelect(int row) override;
    void willDisplayCellAt(Cell* cell, TableColumn* column, int row) override;
    bool shouldEdit(TableColumn* column, int row) override;
    void postSelectionDidChange() override;

private:
    friend class OutlineModel;

    const QList<QPersistentModelIndex>& rows() const;
    // The index of an item that is visible or was shown before; invalid when unknown.
    QModelIndex indexOfItem(void* item) const;
    void rowsChanged() { rows_.reset(); }

    OutlineViewDataSource* dataSource_ = nullptr;
    OutlineViewDelegate* delegate_ = nullptr;
    OutlineModel* tree_ = nullptr; // the model, once installed
    bool restoringExpansion_ = false;
    bool collapsingByCall_ = false; // collapseItem() runs: the delegate is not asked
    mutable std::optional<QList<QPersistentModelIndex>> rows_;
    mutable QHash<const void*, int> rowOfNode_;
};

} // namespace ns
