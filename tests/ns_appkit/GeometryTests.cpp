#include "tests/support/AppKitTestSupport.h"

#include "platform/ns/appkit/Screen.h"

#include <gtest/gtest.h>

using namespace ns;

namespace
{

QRect geometryIn(View* parent, const Rect& childFrame)
{
    auto* child = new View(childFrame);
    parent->addSubview(child);
    return child->geometry();
}

} // namespace

TEST(AppKitGeometry, ChildFrameIsMeasuredFromTheParentsBottomLeft)
{
    View parent(Rect(0, 0, 200, 100));
    EXPECT_EQ(geometryIn(&parent, Rect(10, 20, 50, 10)), QRect(10, 70, 50, 10));
    EXPECT_EQ(geometryIn(&parent, Rect(0, 0, 200, 100)), QRect(0, 0, 200, 100));
    EXPECT_EQ(geometryIn(&parent, Rect(5, 90, 10, 10)), QRect(5, 0, 10, 10));
}

TEST(AppKitGeometry, ResizingTheParentKeepsSubviewsAnchoredAtTheBottom)
{
    View parent(Rect(0, 0, 200, 100));
    auto* child = new View(Rect(10, 20, 50, 10));
    auto* grandchild = new View(Rect(1, 2, 3, 4));
    parent.addSubview(child);
    child->addSubview(grandchild);

    parent.setFrameSize({200, 150});
    EXPECT_EQ(child->geometry(), QRect(10, 120, 50, 10));
    EXPECT_EQ(child->frame(), Rect(10, 20, 50, 10));

    // A child that grows keeps its own bottom edge and places its subviews again.
    child->setFrameSize({50, 30});
    EXPECT_EQ(child->geometry(), QRect(10, 100, 50, 30));
    EXPECT_EQ(grandchild->geometry(), QRect(1, 24, 3, 4));
}

TEST(AppKitGeometry, PointsConvertBetweenViewsAndTheWindow)
{
    auto window = appkit_test::shownWindow(Rect(100, 100, 300, 200));
    auto* outer = new View(Rect(10, 20, 100, 100));
    auto* inner = new View(Rect(5, 5, 20, 20));
    window->contentView()->addSubview(outer);
    outer->addSubview(inner);

    EXPECT_EQ(inner->convertPointToView({0, 0}, nullptr), (Point{15, 25}));
    EXPECT_EQ(inner->convertPoint({15, 25}, nullptr), (Point{0, 0}));
    EXPECT_EQ(outer->convertPoint({1, 2}, inner), (Point{6, 7}));
    EXPECT_EQ(window->convertBaseToScreen({0, 0}), (Point{100, 100}));
}

TEST(AppKitGeometry, WindowFramesAreInScreenCoordinatesFromTheBottom)
{
    const double screenHeight = Screen::mainScreen().frame().height();
    Window window(Rect(100, 50, 300, 200), BorderlessWindowMask);
    EXPECT_EQ(window.geometry(), QRect(100, int(screenHeight) - 250, 300, 200));
    EXPECT_EQ(window.frame(), Rect(100, 50, 300, 200));
    EXPECT_EQ(window.contentView()->frame(), Rect(0, 0, 300, 200));

    window.setFrame(Rect(10, 20, 400, 300), false);
    EXPECT_EQ(window.geometry(), QRect(10, int(screenHeight) - 320, 400, 300));
    EXPECT_EQ(window.contentView()->frame(), Rect(0, 0, 400, 300));
}

TEST(AppKitGeometry, SubviewOrderFollowsTheWayTheyWereAdded)
{
    View parent(Rect(0, 0, 100, 100));
    auto* a = new View();
    auto* b = new View();
    auto* c = new View();
    parent.addSubview(a);
    parent.addSubview(b);
    parent.addSubview(c, WindowBelow, b);
    EXPECT_EQ(parent.subviews(), (QList<View*>{a, c, b}));

    b->removeFromSuperview();
    EXPECT_EQ(parent.subviews(), (QList<View*>{a, c}));
    EXPECT_EQ(b->superview(), nullptr);
    EXPECT_EQ(b->parentWidget(), nullptr);
    delete b;

    // A deleted subview leaves the list.
    delete a;
    EXPECT_EQ(parent.subviews(), (QList<View*>{c}));
}
