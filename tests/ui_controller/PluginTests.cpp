#include "ControllerTestSupport.h"

#include "app/ui/controller/PluginBundle.h"
#include "app/ui/skin/JOVUIManager.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/Window.h"

#include <gtest/gtest.h>

namespace
{

// A main window whose tab view has the pages "SMS" and "Call", each with a view of its own.
struct MainWindow {
    MainWindow() : window(ns::Rect(0, 0, 400, 300), ns::TitledWindowMask)
    {
        tabView = new ns::TabView(ns::Rect(0, 0, 400, 300));
        window.contentView()->addSubview(tabView);
        for (const char* identifier : {"SMS", "Call"}) {
            auto item = std::make_unique<ns::TabViewItem>(identifier);
            tabView->addTabViewItem(std::move(item));
        }
    }

    ns::TabViewItem* item(const QString& identifier) const
    {
        return tabView->tabViewItemAtIndex(tabView->indexOfTabViewItemWithIdentifier(identifier));
    }

    ns::Window window;
    ns::TabView* tabView;
};

} // namespace

TEST(PluginHosting, ABundleFromThePlugInsFolderShowsItsViewInTheTab)
{
    ControllerBundle app;
    ASSERT_TRUE(app.installPlugIn("Test.bundle"));
    ConfigManager store;
    JOVUIManager skin(store);
    MainWindow main;
    RecordingController controller(store);
    controller.wndMain = &main.window;
    controller.tabviewMain = main.tabView;
    controller.jovSkinManager = &skin;
    ns::View* ownView = main.item("SMS")->view();
    NotificationRecorder started({"TestPluginStarted"});

    ASSERT_TRUE(controller.loadPlugin("Test.bundle", "SMS"));

    ASSERT_EQ(started.posted.size(), 1u);
    const ns::ObjectDictionary& received = started.posted[0].objectInfo;
    EXPECT_EQ(received.keys(), (QStringList{"wndMain", "tabviewMain", "jovSkinManager"}));
    EXPECT_EQ(received.object("wndMain"), &main.window);
    EXPECT_EQ(received.object<ns::TabView>("tabviewMain"), main.tabView);
    EXPECT_EQ(received.object<JOVUIManager>("jovSkinManager"), &skin);
    EXPECT_EQ(started.posted[0].object, controller.bundleInstance());

    ns::View* shown = main.item("SMS")->view();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->tag(), 4242);
    EXPECT_EQ(controller.viewOfOldTavViewItem_.get(), ownView);
    main.tabView->selectTabViewItemWithIdentifier("SMS");
    EXPECT_EQ(shown->superview(), main.tabView);
    EXPECT_NE(main.item("Call")->view()->tag(), 4242);

    // A plug-in that does not start leaves the one loaded before in place.
    ASSERT_TRUE(app.installPlugIn("Refusing.bundle"));
    const PluginPrincipal* loaded = controller.bundleInstance();
    EXPECT_FALSE(controller.loadPlugin("Refusing.bundle", "Call"));
    EXPECT_EQ(controller.bundleInstance(), loaded);
    EXPECT_EQ(main.item("SMS")->view(), shown);
}

TEST(PluginHosting, WhatCannotBeLoadedLeavesTheTabItsOwnView)
{
    struct Case {
        const char* what;
        QString bundle;
        QString tab;
    };
    const Case cases[] = {
        {"no bundle name", "", "SMS"},
        {"no tab identifier", "Test.bundle", ""},
        {"no such tab", "Test.bundle", "USSD"},
        {"no such bundle", "Missing.bundle", "SMS"},
        {"a bundle without code", "Empty.bundle", "SMS"},
        {"a plug-in that does not start", "Refusing.bundle", "SMS"},
    };
    ControllerBundle app;
    ASSERT_TRUE(app.installPlugIn("Refusing.bundle"));
    ASSERT_TRUE(QDir().mkpath(app.plugInsPath() + "/Empty.bundle/Contents/MacOS"));
    ConfigManager store;
    MainWindow main;
    RecordingController controller(store);
    controller.tabviewMain = main.tabView;
    ns::View* ownView = main.item("SMS")->view();

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(controller.loadPlugin(c.bundle, c.tab));
        EXPECT_EQ(main.item("SMS")->view(), ownView);
        EXPECT_EQ(controller.viewOfOldTavViewItem_, nullptr);
    }
    JOVUIController withoutTabs(store);
    EXPECT_FALSE(withoutTabs.loadPlugin("Test.bundle", "SMS"));
}

TEST(PluginHosting, ObjectsDictHoldsOnlyTheObjectsThatAreSet)
{
    ControllerBundle app;
    ConfigManager store;
    MainWindow main;
    JOVUIController controller(store);
    EXPECT_TRUE(controller.objectsDict().isEmpty());

    controller.tabviewMain = main.tabView;
    controller.tabviewSetting = main.tabView;
    const ns::ObjectDictionary objects = controller.objectsDict();
    EXPECT_EQ(objects.keys(), (QStringList{"tabviewMain", "tabviewSetting"}));
    EXPECT_FALSE(objects.contains("jovSkinManager"));
}

TEST(PluginBundle, FindsTheExecutableOfTheBundleLayout)
{
    ControllerBundle app;
    ASSERT_TRUE(app.installPlugIn("Test.bundle"));
    const std::unique_ptr<PluginBundle> bundle =
        PluginBundle::bundleWithPath(app.plugInsPath() + "/Test.bundle");
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->executablePath(), app.plugInsPath() + "/Test.bundle/Contents/MacOS/Test");
    EXPECT_TRUE(bundle->load());
    EXPECT_EQ(PluginBundle::bundleWithPath(app.plugInsPath() + "/Missing.bundle"), nullptr);
}
