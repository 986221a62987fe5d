#include "connection/StatisticsController/NodeOutline.h"

#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/ScrollView.h"
#include "platform/ns/appkit/TabView.h"

namespace
{

const QString kAttributeColumn = QStringLiteral("Attribute");
const QString kValueColumn = QStringLiteral("Value");
const QString kStatisticsPage = QStringLiteral("Statistics");
constexpr double kPageMargin = 16;
// A table row is its height and two points of spacing; the bezel and the
// table's own frame take the rest.
constexpr double kRowPitch = 17 + 2;
constexpr double kBorder = 8;

Node* nodeOf(void* item, const Node::Ptr& root)
{
    return item ? static_cast<Node*>(item) : root.get();
}

} // namespace

NodeOutline::NodeOutline(std::initializer_list<Row> rows)
{
    // The last node made at each depth takes the rows one deeper.
    QList<Node::Ptr> parents{root_};
    for (const Row& row : rows) {
        auto node = std::make_shared<Node>(Map_Name_Item_of_IndexString(row.key));
        node->setValue(row.value);
        parents.resize(row.level + 1);
        node->setParent_Node(parents.last());
        parents.last()->addChild(node);
        parents.append(node);
        rows_.append(node);
        keys_.append(row.key);
    }
}

NodeOutline::~NodeOutline()
{
    // A view that lives on in its window must not ask a data source that is gone.
    if (outline_) {
        outline_->setDelegate(nullptr);
        outline_->setDataSource(nullptr);
    }
}

Node* NodeOutline::rowNode(int row) const
{
    return row >= 0 && row < rows_.size() ? rows_[row].get() : nullptr;
}

int NodeOutline::numberOfChildrenOfItem(ns::OutlineView*, void* item)
{
    return int(nodeOf(item, root_)->children().size());
}

void* NodeOutline::child(ns::OutlineView*, int index, void* item)
{
    const QList<Node::Ptr>& children = nodeOf(item, root_)->children();
    return index >= 0 && index < children.size() ? children[index].get() : nullptr;
}

bool NodeOutline::isItemExpandable(ns::OutlineView*, void* item)
{
    return !nodeOf(item, root_)->children().isEmpty();
}

QVariant NodeOutline::objectValueForTableColumn(ns::OutlineView*, ns::TableColumn* column, void* item)
{
    if (!item)
        return {};
    const Node* node = static_cast<Node*>(item);
    return column && column->identifier() == kAttributeColumn ? node->name() : node->value();
}

void NodeOutline::buildOutline(ns::TabView* tabView, Place place)
{
    const int index = tabView ? tabView->indexOfTabViewItemWithIdentifier(kStatisticsPage) : -1;
    ns::TabViewItem* item = index < 0 ? nullptr : tabView->tabViewItemAtIndex(index);
    if (outline_ || !item || !item->view())
        return;
    const ns::Size page = tabView->contentRect().size;
    const double width = (page.width - 3 * kPageMargin) / 2;
    const double left = place == Place::Left ? kPageMargin : page.width - kPageMargin - width;
    const double height = rows_.size() * kRowPitch + kBorder;
    const ns::Rect frame(left, page.height - kPageMargin - height, width, height);
    auto* scroll = new ns::ScrollView(frame);
    // Every row fits: nothing to scroll.
    scroll->setBorderType(ns::BezelBorder);
    outline_ = new ns::OutlineView(ns::Rect(ns::Point(), frame.size));
    const double nameWidth = frame.size.width * 0.48;
    for (const auto& [identifier, columnWidth] :
         {std::pair{kAttributeColumn, nameWidth},
          std::pair{kValueColumn, frame.size.width - nameWidth - 4}}) {
        auto column = std::make_unique<ns::TableColumn>(identifier);
        column->setWidth(columnWidth);
        outline_->addTableColumn(std::move(column));
    }
    outline_->setHeaderVisible(false);
    outline_->setUsesAlternatingRowBackgroundColors(true);
    outline_->setDataSource(this);
    outline_->setDelegate(this);
    (void)scroll->setDocumentView(outline_);
    item->view()->addSubview(scroll);
    if (!rows_.isEmpty())
        outline_->expandItem(rows_.first().get(), true);
}

void NodeOutline::reloadOutline()
{
    if (outline_ && !rows_.isEmpty())
        outline_->reloadItem(rows_.first().get(), true);
}

void NodeOutline::setRowKey(int row, const QString& key)
{
    if (row >= 0 && row < keys_.size())
        keys_[row] = key;
}

void NodeOutline::renameRows()
{
    for (int row = 0; row < rows_.size(); ++row)
        rows_[row]->setNodeName(Map_Name_Item_of_IndexString(keys_[row]));
    if (outline_)
        outline_->setNeedsDisplay();
}
