#include "ConfiguredTestSupport.h"

#include "app/ui/widgets/NSFlickerButton.h"
#include "app/ui/widgets/NSViewExt.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/Screen.h"
#include "platform/ns/appkit/Window.h"

#include <gtest/gtest.h>

using configured_test::ConfiguredApp;

TEST(ConfiguredDrawer, IsBuiltFromItsDescriptionBesideTheMainWindow)
{
    ConfiguredApp app;
    ns::Window window(ns::Rect(100, 100, 300, 200), ns::TitledWindowMask);
    app.controller.wndMain = &window;

    app.controller.initializeDrawer();

    ns::Drawer* drawer = app.controller.drawerMain;
    ASSERT_NE(drawer, nullptr);
    EXPECT_EQ(drawer->parentWindow(), &window);
    EXPECT_EQ(drawer->preferredEdge(), ns::MaxXEdge);
    EXPECT_EQ(drawer->contentSize(), (ns::Size{120, 300}));
    EXPECT_EQ(drawer->minContentSize(), (ns::Size{100, 200}));
    EXPECT_EQ(drawer->maxContentSize(), (ns::Size{200, 400}));
    EXPECT_EQ(drawer->leadingOffset(), 40);
    EXPECT_EQ(drawer->trailingOffset(), 20);

    auto* content = dynamic_cast<NSViewExt*>(drawer->contentView());
    ASSERT_NE(content, nullptr);
    EXPECT_EQ(app.skin.controllerByKey("drawContentView"), content);
    auto* link = app.skin.controllerByKey<NSFlickerButton>("btnDrawerLink");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->superview(), content);

    // The first offsets of a window's name apply; an unknown name changes nothing.
    app.controller.updateDrawerOffsetByWindow("Other");
    EXPECT_EQ(drawer->leadingOffset(), 10);
    EXPECT_EQ(drawer->trailingOffset(), 5);
    app.controller.updateDrawerOffsetByWindow("Unknown");
    EXPECT_EQ(drawer->leadingOffset(), 10);
    app.controller.updateDrawerOffsetByWindow("Main");
    EXPECT_EQ(drawer->leadingOffset(), 60);
    EXPECT_EQ(drawer->trailingOffset(), 30);
}

TEST(ConfiguredDrawer, NoDescriptionNoDrawer)
{
    ConfiguredApp app;
    app.controller.uiConfigDict().remove("DrawerInfoDict");

    app.controller.initializeDrawer();

    EXPECT_EQ(app.controller.drawerMain, nullptr);
}

TEST(MainWindowSizes, TheDescriptionSizesTheViewsAndTheWindowWithinTheVisibleScreen)
{
    const double visibleTop = ns::Screen::mainScreen().visibleFrame().maxY();
    ASSERT_GE(visibleTop, 400) << "the test screen is too small";
    struct Case {
        const char* name;
        const char* key;
        ns::Rect windowFrame;
        ns::Rect expectedFrame;
        ns::Point expectedTopOrigin;
        double expectedMiddleHeight;
    };
    const Case cases[] = {
        {"fits", "HomePage", {50, 60, 200, 150}, {50, 60, 400, 300}, {10, 250}, 120},
        {"taller than the space above",
         "Tall",
         {50, visibleTop - 300, 200, 150},
         {50, visibleTop - 560, 500, 560},
         {0, 500},
         380},
        {"no description", "NoSuchKey", {50, 60, 200, 150}, {50, 60, 200, 150}, {1, 2}, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConfiguredApp app;
        ns::Window window(ns::Rect(0, 0, 100, 100), ns::BorderlessWindowMask);
        window.setFrame(c.windowFrame, false);
        app.controller.wndMain = &window;
        ns::View* content = window.contentView();
        NSViewExt* top = app.controller.createNSViewExtByKey("viewTopFixed", content);
        NSViewExt* middle = app.controller.createNSViewExtByKey("viewMiddleChangeable", content);
        ASSERT_TRUE(top && middle);
        top->setFrame({1, 2, 30, 40});
        middle->setFrame({5, 6, 70, 20});

        app.controller.changeMainTabViewItemSize(c.key);

        EXPECT_EQ(window.frame(), c.expectedFrame);
        EXPECT_EQ(top->frame(), ns::Rect(c.expectedTopOrigin, {30, 40}));
        EXPECT_EQ(middle->frame(), ns::Rect(5, 6, 70, c.expectedMiddleHeight));
    }
}
