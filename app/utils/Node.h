#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <memory>

// One node of the outline trees (usage statistics, SMS places and boxes,
// phone-book groups): a name, an optional value and icon, ordered children,
// a parent link and where the node stands among the storage places.
// Nodes are held by shared pointers (std::make_shared), so that a child can
// point back at the node that made it.
class Node : public std::enable_shared_from_this<Node>
{
public:
    using Ptr = std::shared_ptr<Node>;

    Node() = default;
    explicit Node(const QString& name) : name_(name) {}
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    QString name() const { return name_; }
    void setNodeName(const QString& name) { name_ = name; }
    QString value() const { return value_; }
    void setValue(const QString& value) { value_ = value; }
    QImage image() const { return image_; }
    void setImage(const QImage& image) { image_ = image; }

    // The live child list: owners read it by index and may remove entries.
    QList<Ptr>& children() { return children_; }
    const QList<Ptr>& children() const { return children_; }

    // Appends the node; a null node is ignored.
    void addChild(const Ptr& node);
    // Appends a new node with the name and value when both are given; its parent stays unset.
    void addChildWithName(const QString& name, const QString& value);
    // Appends a new node with the name and the application image of that name
    // (a null image when there is none) when both are given, as a child of this node.
    void addChildWithNameAndImage(const QString& name, const QString& imageName);

    // The parent does not belong to the child: a parent that is gone reads as null.
    Ptr parent_Node() const { return parentNode_.lock(); }
    void setParent_Node(const Ptr& node) { parentNode_ = node; }

    unsigned orderInParentNode() const { return orderInParentNode_; }
    void setOrderInParentNode(unsigned order) { orderInParentNode_ = order; }
    QString positionNameInParentNode() const { return positionNameInParentNode_; }
    void setPositionNameInParentNode(const QString& name) { positionNameInParentNode_ = name; }
    unsigned positonInParentNode() const { return positonInParentNode_; }
    void setPositonInParentNode(unsigned position) { positonInParentNode_ = position; }

private:
    QString name_;
    QString value_;
    QImage image_;
    QList<Ptr> children_;
    std::weak_ptr<Node> parentNode_;
    unsigned orderInParentNode_ = 0;
    QString positionNameInParentNode_;
    unsigned positonInParentNode_ = 0;
};
