#pragma once

#include "app/utils/Node.h"
#include "platform/ns/appkit/OutlineView.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <initializer_list>

namespace ns
{
class TabView;
} // namespace ns

// An outline of name/value rows over a tree of nodes, as the usage outlines
// show it: the column "Attribute" shows a node's name, any other column its
// value; rows cannot be edited or collapsed. The tree is fixed when it is
// made; its rows are counted as shown when everything is expanded.
class NodeOutline : public ns::OutlineViewDataSource, public ns::OutlineViewDelegate
{
public:
    // One row: its depth (0 for a top row), the wording key of its name and
    // its value at start.
    struct Row {
        int level;
        QString key;
        QString value;
    };
    explicit NodeOutline(std::initializer_list<Row> rows);
    ~NodeOutline() override;
    NodeOutline(const NodeOutline&) = delete;
    NodeOutline& operator=(const NodeOutline&) = delete;

    // The node of the row; null outside the tree.
    Node* rowNode(int row) const;
    int rowCount() const { return int(rows_.size()); }
    // The outline view showing the tree, once built.
    ns::OutlineView* outlineView() const { return outline_; }

    int numberOfChildrenOfItem(ns::OutlineView* outlineView, void* item) override;
    void* child(ns::OutlineView* outlineView, int index, void* item) override;
    bool isItemExpandable(ns::OutlineView* outlineView, void* item) override;
    QVariant objectValueForTableColumn(ns::OutlineView* outlineView, ns::TableColumn* column,
                                       void* item) override;
    bool shouldEditTableColumn(ns::OutlineView*, ns::TableColumn*, void*) override { return false; }
    bool shouldCollapseItem(ns::OutlineView*, void*) override { return false; }

protected:
    // Where an outline stands on the tab's "Statistics" page: the two share its top.
    enum class Place { Left, Right };
    // Builds the outline view at its place on the page, as tall as its rows,
    // with the name and value columns, and shows the first row expanded with
    // all its children. Nothing without that page or when it is built already.
    void buildOutline(ns::TabView* tabView, Place place);
    // Asks the outline view again for the first row and its children.
    void reloadOutline();
    // The row's name takes the wording of another key at the next renaming.
    void setRowKey(int row, const QString& key);
    // Every row's name becomes the wording of its key in the current language.
    void renameRows();

private:
    Node::Ptr root_ = std::make_shared<Node>();
    QList<Node::Ptr> rows_;
    QList<QString> keys_;
    QPointer<ns::OutlineView> outline_; // the window owns it
};
