#include "app/utils/Node.h"

#include "platform/ns/Bundle.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Node, ChildrenByNameAndValueHaveNoParentAndNeedBoth)
{
    auto root = std::make_shared<Node>(QStringLiteral("Inbox"));
    root->addChildWithName("SIM", "12");
    root->addChildWithName("PC", QString());
    root->addChildWithName(QString(), "3");
    root->addChild(nullptr);

    ASSERT_EQ(root->children().size(), 1);
    const Node::Ptr child = root->children().first();
    EXPECT_EQ(child->name(), "SIM");
    EXPECT_EQ(child->value(), "12");
    EXPECT_EQ(child->parent_Node(), nullptr);
}

TEST(Node, ChildWithImageKnowsItsParentAndLoadsTheApplicationImage)
{
    QTemporaryDir dir;
    const QString app = dir.filePath("Demo.app");
    QDir().mkpath(app + "/Contents/Resources");
    QImage icon(4, 3, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    ASSERT_TRUE(icon.save(app + "/Contents/Resources/sim_icon.png"));
    ns::Bundle::setMainBundlePath(app);

    auto root = std::make_shared<Node>();
    root->addChildWithNameAndImage("SIM", "sim_icon");
    root->addChildWithNameAndImage("Card", "no_such_icon");
    root->addChildWithNameAndImage("PC", QString());
    ns::Bundle::setMainBundlePath(QString());

    ASSERT_EQ(root->children().size(), 2);
    EXPECT_EQ(root->children().at(0)->parent_Node(), root);
    EXPECT_EQ(root->children().at(0)->image().size(), QSize(4, 3));
    EXPECT_EQ(root->children().at(1)->parent_Node(), root);
    EXPECT_TRUE(root->children().at(1)->image().isNull());
}

TEST(Node, LiveChildListAndParentThatIsGone)
{
    auto child = std::make_shared<Node>(QStringLiteral("Drafts"));
    {
        auto root = std::make_shared<Node>();
        root->addChild(child);
        root->addChild(std::make_shared<Node>(QStringLiteral("Outbox")));
        child->setParent_Node(root);
        root->children().removeAt(1);
        EXPECT_EQ(root->children().size(), 1);
        EXPECT_EQ(child->parent_Node(), root);
    }
    EXPECT_EQ(child->parent_Node(), nullptr);
}

TEST(Node, PlacesFieldsAndRepeatedName)
{
    Node node;
    EXPECT_TRUE(node.children().isEmpty());
    node.setNodeName("SIM");
    node.setNodeName("SIM");
    node.setOrderInParentNode(2);
    node.setPositionNameInParentNode("AT_SIM");
    node.setPositonInParentNode(1);
    EXPECT_EQ(node.name(), "SIM");
    EXPECT_EQ(node.orderInParentNode(), 2u);
    EXPECT_EQ(node.positionNameInParentNode(), "AT_SIM");
    EXPECT_EQ(node.positonInParentNode(), 1u);
}
