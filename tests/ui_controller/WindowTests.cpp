#include "ControllerTestSupport.h"

#include "app/ui/controller/JOVAlertPanel.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/UINotifications.h"
#include "app/ui/skin/JOVUIManager.h"
#include "app/ui/widgets/NSButtonExt.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TabView.h"
#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

using ns::Dictionary;

namespace
{

ns::Application& app()
{
    return ns::Application::sharedApplication();
}

// Settings whose current skin is the skin of these tests.
Dictionary skinSettings()
{
    return Dictionary{
        {"UIConfig", Dictionary{{"CurrentSkinName", TRELVAN_FIXTURES_DIR "/ui_controller/skin"}}}};
}

void postMainWindowChange(ns::Object* window)
{
    ns::Notification notification(kMainwindOfAppChangedNotification);
    notification.setObjectInfo(ns::ObjectDictionary{{"window", window}});
    ns::NotificationCenter::defaultCenter().postNotification(notification);
}

} // namespace

TEST(JOVUIController, ChangingTheTabSetsItsSkinBackgroundThenAnnouncesAroundTheChoice)
{
    ControllerBundle app(skinSettings());
    ConfigManager store;
    JOVUIManager skin(store);
    ASSERT_TRUE(skin.hasKey("wndMainTabviewBack"));
    ns::TabView tabView;
    for (const char* identifier : {"Internet", "SMS"})
        tabView.addTabViewItem(std::make_unique<ns::TabViewItem>(identifier));
    JOVUIController controller(store);
    controller.tabviewMain = &tabView;
    controller.jovSkinManager = &skin;

    QStringList seen;
    auto state = [&](const NotificationRecorder::Posted& posted) {
        seen << QString("%1 %2 background %3 selected %4")
                    .arg(posted.name, posted.userInfo.value("TabViewItemWillChange").toString(),
                         skin.itemInfoDictForKey("wndMainTabviewBack")->value("ImageName").toString(),
                         tabView.selectedTabViewItem()->identifier());
        EXPECT_EQ(posted.object, nullptr);
    };
    NotificationRecorder recorder({"TabViewItemWillChange", "TabViewItemDidChange"}, state);

    controller.notifyChangeTabViewItem("SMS");
    controller.notifyChangeTabViewItem(QString());
    EXPECT_EQ(seen, (QStringList{"TabViewItemWillChange SMS background tabBackSMS.png selected Internet",
                                 "TabViewItemDidChange SMS background tabBackSMS.png selected SMS"}));
}

TEST(JOVUIController, ANewMainWindowEndsTheSheetsOfTheOldOneInnermostFirst)
{
    ControllerBundle bundle;
    ConfigManager store;
    RecordingController controller(store);
    controller.awakeFromNib(); // nothing is registered for the change yet
    const ObserverTableEntry table[] = {{"changeMainWindowOfApp:", "MainwindOfAppChanged"},
                                        {nullptr, nullptr}};
    ASSERT_TRUE(controller.registerNotification(table));

    const std::unique_ptr<ns::Window> main = appkit_test::shownWindow();
    const std::unique_ptr<ns::Window> other = appkit_test::shownWindow(ns::Rect(50, 50, 200, 100));
    ns::Window outer(ns::Rect(0, 0, 200, 120), ns::TitledWindowMask);
    ns::Window inner(ns::Rect(0, 0, 150, 80), ns::TitledWindowMask);
    controller.wndMain = main.get();
    QStringList ended;
    ASSERT_TRUE(app().beginSheet(&outer, main.get(), [&](ns::Window*, int code) {
        ended << QString("outer %1 visible %2").arg(code).arg(outer.isVisible());
    }));
    ASSERT_TRUE(app().beginSheet(&inner, &outer, [&](ns::Window*, int code) {
        ended << QString("inner %1 visible %2").arg(code).arg(inner.isVisible());
    }));

    postMainWindowChange(main.get()); // the current main window: nothing happens
    EXPECT_TRUE(controller.performSelector("changeMainWindowOfApp:", other.get())); // not a notification
    ns::NotificationCenter::defaultCenter().postNotificationName(kMainwindOfAppChangedNotification, nullptr);
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_EQ(main->attachedSheet(), &outer);
    EXPECT_EQ(controller.wndMain, main.get());

    postMainWindowChange(other.get());
    const int stopped = ns::RunStoppedResponse;
    EXPECT_EQ(ended, (QStringList{QString("inner %1 visible 0").arg(stopped),
                                  QString("outer %1 visible 0").arg(stopped)}));
    EXPECT_EQ(main->attachedSheet(), nullptr);
    EXPECT_EQ(controller.wndMain, other.get());
}

TEST(NSRunAlertPanelExt, RunsTheSkinnedPanelWhenThereIsOneAndTheStandardPanelOtherwise)
{
    struct Case {
        const char* what;
        bool skinned;
        QString alternate;
        QString pressed;
        int code;
    };
    const Case cases[] = {
        {"standard, default", false, "Later", "Connect", 1},
        {"standard, alternate", false, "Later", "Later", 0},
        {"skinned, default", true, "Later", "Connect", 1},
        {"skinned, alternate", true, "Later", "Later", 0},
        {"skinned, one button", true, "", "Connect", 1},
    };
    ControllerBundle bundle(skinSettings());
    ConfigManager store;
    JOVUIManager skin(store);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<JOVAlertPanel> panel;
        if (c.skinned) {
            panel = std::make_unique<JOVAlertPanel>(store);
            panel->jovSkinManager = &skin;
            panel->awakeFromNib();
        }
        ASSERT_EQ(JOVAlertPanel::shareAlertPanel(), panel.get());
        QStringList buttons;
        appkit_test::whenRunning([&] {
            ns::Window* window = app().modalWindow();
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(window == (panel ? panel->window() : nullptr), c.skinned);
            ns::Button* pressed = nullptr;
            for (QWidget* widget : window->findChildren<QWidget*>()) {
                auto* button = dynamic_cast<ns::Button*>(widget);
                if (!button || button->isHiddenOrHasHiddenAncestor())
                    continue;
                buttons << button->title();
                if (button->title() == c.pressed)
                    pressed = button;
            }
            ASSERT_NE(pressed, nullptr);
            appkit_test::click(pressed);
        });
        EXPECT_EQ(NSRunAlertPanelExt("Warning", "The device was removed.", "Connect", c.alternate), c.code);
        buttons.sort();
        EXPECT_EQ(buttons,
                  (c.alternate.isEmpty() ? QStringList{"Connect"} : QStringList{"Connect", "Later"}));
    }
}
