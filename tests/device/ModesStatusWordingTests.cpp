// The window modes, the status-bar item, the broadcast window and the
// wording of the main window.
#include "tests/device/DeviceTestSupport.h"

#include "app/ui/controller/UINotifications.h"
#include "app/ui/status/StatusBarView.h"
#include "app/ui/widgets/NSFlickerButton.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "tests/support/AppKitTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace device_test;

namespace
{

ns::Dictionary withUIModel(const ns::Value& model, const ns::Dictionary& more = {})
{
    ns::Dictionary main{{"DeviceType", "Generic"}};
    if (!model.isNull())
        main.setValue("Main_UIModel", model);
    for (const auto& [key, value] : more)
        main.setValue(key, value);
    return shippedSettings({{"Main", main}});
}

int storedUIModel(const DeviceBundle& bundle)
{
    const ns::Value model = bundle.settingsOnDisk().value("Main").toDictionary().value("Main_UIModel");
    return model.isNull() ? -1 : model.intValue();
}

ns::Point topLeft(const ns::Window* window)
{
    const ns::Rect frame = window->frame();
    return {frame.minX(), frame.maxY()};
}

bool sameImage(const ns::Image& shown, const QString& name)
{
    return shown.qImage() == ns::Image::imageNamed(name).qImage();
}

} // namespace

TEST(MainWindowModes, ZoomSwapsTheFormsKeepingTheTopLeftCornerAndStoresTheMode)
{
    DeviceApp app(withUIModel(0));
    app.nib.awakeFromNib();
    MainController& main = app.main();
    main.showMainUI();
    main.wndCompleteMain_->setFrameOrigin({150, 200});
    const ns::Point corner = topLeft(main.wndCompleteMain_);
    QList<ns::Window*> announced;
    ns::Object* observer = ns::NotificationCenter::defaultCenter().addObserverForName(
        kMainwindOfAppChangedNotification, nullptr,
        [&](const ns::Notification& n) { announced << n.objectInfo().object<ns::Window>("window"); });

    main.wndMain->performZoom(nullptr);
    EXPECT_EQ(main.wndMain, main.wndSimpleMain_);
    EXPECT_TRUE(main.wndSimpleMain_->isVisible());
    EXPECT_FALSE(main.wndCompleteMain_->isVisible());
    EXPECT_EQ(topLeft(main.wndSimpleMain_), corner);
    EXPECT_EQ(main.wndSimpleMain_->title(), "Trelvan");
    EXPECT_EQ(storedUIModel(app.bundle), 1);
    EXPECT_EQ(main.getModeCurrent(), 1);

    main.wndSimpleMain_->setFrameOrigin({300, 90});
    const ns::Point simpleCorner = topLeft(main.wndSimpleMain_);
    main.wndMain->performZoom(nullptr);
    EXPECT_EQ(main.wndMain, main.wndCompleteMain_);
    EXPECT_EQ(topLeft(main.wndCompleteMain_), simpleCorner);
    EXPECT_EQ(main.wndCompleteMain_->frame().size, main.wndCompleteMain_->frame().size);
    EXPECT_EQ(storedUIModel(app.bundle), 0);
    EXPECT_EQ(announced, (QList<ns::Window*>{main.wndSimpleMain_, main.wndCompleteMain_}));
    ns::NotificationCenter::defaultCenter().removeObserver(observer);
}

TEST(MainWindowModes, TheStoredModeIsRestoredAtStart)
{
    struct Case {
        ns::Value stored;
        bool complete, simple, miniaturised;
    };
    for (const Case& c : {Case{0, true, false, false}, Case{1, false, true, false},
                          Case{2, true, false, true}, Case{ns::Value(), true, false, false}}) {
        DeviceApp app(withUIModel(c.stored));
        app.nib.awakeFromNib();
        MainController& main = app.main();
        main.showMainUI();
        const std::string name = c.stored.isNull() ? "absent" : std::to_string(c.stored.intValue());
        EXPECT_EQ(main.wndCompleteMain_->isVisible(), c.complete && !c.miniaturised) << name;
        EXPECT_EQ(main.wndSimpleMain_->isVisible(), c.simple) << name;
        EXPECT_EQ(main.wndCompleteMain_->isMiniaturized(), c.miniaturised) << name;
        EXPECT_EQ(main.wndMain, c.simple ? main.wndSimpleMain_ : main.wndCompleteMain_) << name;
    }
}

TEST(MainWindowModes, TheSimpleWindowsButtonsOpenTheirPageInTheCompleteWindow)
{
    DeviceApp app(withUIModel(1));
    app.nib.awakeFromNib();
    MainController& main = app.main();
    main.showMainUI();
    ASSERT_EQ(main.wndMain, main.wndSimpleMain_);
    ns::Matrix* phonebook = main.simpleWindowMatrices().at(1);
    EXPECT_EQ(phonebook->toolTip(), "Contacts");
    appkit_test::click(phonebook);
    EXPECT_EQ(main.wndMain, main.wndCompleteMain_);
    EXPECT_TRUE(main.wndCompleteMain_->isVisible());
    EXPECT_EQ(main.mainTabView()->selectedTabViewItem()->identifier(), "Phonebook");
    EXPECT_EQ(storedUIModel(app.bundle), 0);
}

TEST(MainWindowModes, WithoutAStoredModeNothingIsStoredAndTheModeMenuNeedsTheStayingApplication)
{
    DeviceApp app(withUIModel(ns::Value()));
    app.nib.awakeFromNib();
    MainController& main = app.main();
    main.showMainUI();
    // The mode menu acts only where closing the window keeps the application.
    main.menuItemForKey("Simple Model")->performAction();
    EXPECT_EQ(main.wndMain, main.wndCompleteMain_);
    main.wndMain->performZoom(nullptr);
    EXPECT_EQ(main.wndMain, main.wndSimpleMain_);
    EXPECT_EQ(storedUIModel(app.bundle), -1);

    DeviceApp staying(withUIModel(0, {{"Main_MinimizeMainWnd_IfClickCloseButton", true}}));
    staying.nib.awakeFromNib();
    MainController& other = staying.main();
    other.showMainUI();
    other.menuItemForKey("Simple Model")->performAction();
    EXPECT_EQ(other.wndMain, other.wndSimpleMain_);
    EXPECT_EQ(storedUIModel(staying.bundle), 1);
    other.menuItemForKey("Complete Model")->performAction();
    EXPECT_EQ(other.wndMain, other.wndCompleteMain_);
    EXPECT_EQ(storedUIModel(staying.bundle), 0);
    // Hidden by the close button, the window ignores the mode menu until reopened.
    other.wndMain->performClose(nullptr);
    other.menuItemForKey("Simple Model")->performAction();
    EXPECT_EQ(other.wndMain, other.wndCompleteMain_);
}

TEST(MainStatusItem, ItsImageFollowsTheConnectionAndItsAnimationTheMessages)
{
    DeviceApp app;
    app.nib.awakeFromNib();
    MainController& main = app.main();
    StatusBarView* item = main.statusBarView();
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(sameImage(item->image(), "SysStatusItem.PNG"));
    ASSERT_NE(item->menu(), nullptr);

    struct Row {
        int status;
        QString image;
    };
    for (const Row& row :
         {Row{3, "SysStatusItemConnected.PNG"}, Row{1, "SysStatusItemConnected.PNG"},
          Row{0, "SysStatusItemDisConnected.PNG"}, Row{2, "SysStatusItemDisConnected.PNG"}}) {
        main.freshStatusViewToStaticViewAccorindToDialStatus(row.status);
        EXPECT_TRUE(sameImage(item->image(), row.image)) << row.status;
        EXPECT_FALSE(item->bAnimation()) << row.status;
    }

    FakeSmsService service;
    service.newType = 0;
    main.freshStatusViewWhenNewSMSArrive();
    EXPECT_EQ(item->getAnimationImagesPath(), "FlowValue_SMS_Arrive1");
    EXPECT_EQ(item->animationSequenceImageNumber(), 2);
    service.newType = 2;
    main.freshStatusViewWhenNewSMSArrive();
    EXPECT_EQ(item->getAnimationImagesPath(), "Normal_SMS_Arrive1");
    // Read: no message of the type is left, so the other kind shows.
    main.freshStatusViewWhenSMSReaded();
    EXPECT_EQ(item->getAnimationImagesPath(), "FlowValue_SMS_Arrive1");
    service.unreadTypes << QPair<int, int>{1, 2};
    main.freshStatusViewWhenSMSReaded();
    EXPECT_EQ(item->getAnimationImagesPath(), "FlowValue_SMS_Arrive1");
    item->stopAnimation();
}

TEST(MainStatusItem, WithoutTheItemOrItsImageNothingIsShown)
{
    DeviceApp without(shippedSettings({{"NeedSystemStatusItem", false}}));
    without.nib.awakeFromNib();
    FakeSmsService service;
    without.main().freshStatusViewWhenNewSMSArrive();
    without.main().freshStatusViewToStaticViewAccorindToDialStatus(3);
    EXPECT_EQ(without.main().statusBarView(), nullptr);

    DeviceApp noImage;
    QFile::remove(noImage.bundle.resourcePath() + "/SysStatusItem.PNG");
    noImage.nib.awakeFromNib();
    ASSERT_NE(noImage.main().statusBarView(), nullptr);
    EXPECT_TRUE(noImage.main().statusBarView()->image().isNull());
    EXPECT_EQ(noImage.main().statusBarView()->menu(), nullptr);
}

TEST(MainBroadcast, ABroadcastShowsItsTextAndAnEmptyOneNothing)
{
    DeviceApp app;
    app.nib.awakeFromNib();
    MainController& main = app.main();
    ns::NotificationCenter::defaultCenter().postNotificationName(
        "ReceiveBroadCastNotification", nullptr, ns::Dictionary{{"ReceiveBroadCastNotification", ""}});
    EXPECT_FALSE(main.broadcastWindow()->isVisible());
    ns::NotificationCenter::defaultCenter().postNotificationName(
        "ReceiveBroadCastNotification", nullptr,
        ns::Dictionary{{"ReceiveBroadCastNotification", "Network maintenance tonight"}});
    EXPECT_TRUE(main.broadcastWindow()->isVisible());
    EXPECT_EQ(main.broadcastField()->stringValue(), "Network maintenance tonight");
    auto* ok = appkit_test::findWidget<ns::Button>(main.broadcastWindow());
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->title(), "OK");
    appkit_test::click(ok);
    EXPECT_FALSE(main.broadcastWindow()->isVisible());
}

TEST(MainWording, ALanguageChangeRetitlesTheMenusTheToolbarAndTheWindows)
{
    DeviceApp app;
    app.nib.awakeFromNib();
    MainController& main = app.main();
    ns::MenuItem* operation = main.menuItemForKey("Operation");
    EXPECT_EQ(operation->title(), "Operation");
    EXPECT_EQ(main.menuItemForKey("Complete Model")->title(), "Complete Mode");

    Lindora_Init(TRELVAN_FIXTURES_DIR "/device/German.txt");
    main.notifyChangeLanguage();
    EXPECT_EQ(operation->title(), "Bedienung");
    EXPECT_EQ(operation->submenu()->title(), "Bedienung");
    EXPECT_EQ(main.menuItemForKey("Complete Model")->title(), "Vollständige Ansicht");
    EXPECT_EQ(main.menuItemForKey("SMS")->title(), "Nachrichten");
    EXPECT_EQ(main.broadcastWindow()->title(), "Rundsendung");
    auto* smsButton = dynamic_cast<NSFlickerButton*>(main.getToolbarItemsArray().at(1));
    ASSERT_NE(smsButton, nullptr);
    EXPECT_EQ(smsButton->toolTip(), "Nachrichten lesen und schreiben");
    EXPECT_EQ(smsButton->title(), "Nachrichten");
}

TEST(MainWording, TheConfiguredTitleFontShowsTheTitleInTheWindowFrame)
{
    DeviceApp app(shippedSettings(
        {{"Main", ns::Dictionary{{"Main_UIModel", 0},
                                 {"ChangeMainWinTitleFont",
                                  ns::Dictionary{{"FontName", "DejaVu Sans"}, {"FontSize", 15}}}}}}));
    app.nib.awakeFromNib();
    MainController& main = app.main();
    ns::TextField* title = main.mainWindowTitleField();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->stringValue(), "Trelvan");
    EXPECT_EQ(title->font().pointSize(), 15);
    EXPECT_EQ(main.wndMain->title(), "");
    EXPECT_EQ(title->superview(), main.wndMain->frameView());
    // Once made, the field is reused on every language change.
    main.notifyChangeLanguage();
    EXPECT_EQ(main.wndMain->frameView()->subviews().size(), 1);
}
