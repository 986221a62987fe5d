// The application delegate: start-up against the real device server, the
// splash, the quit guard row by row, the closing sequence, the close button
// and the reaction to the device going.
#include "tests/device/DeviceTestSupport.h"

#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "device/InitNotifications.h"
#include "jCommon/DeviceMessages.h"
#include "platform/ns/Clock.h"
#include "platform/ns/appkit/Control.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/Window.h"
#include "tests/support/HalvexControl.h"
#include "tests/support/SteppedFramePacer.h"

#include <QDir>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

using namespace device_test;

namespace
{

const ns::Notification kLaunching(ns::ApplicationWillFinishLaunchingNotification);

// Whether every toolbar button or item of the main window is enabled (true),
// disabled (false), or the two are mixed (nullopt).
std::optional<bool> toolbarEnabled(MainController& main)
{
    std::optional<bool> state;
    for (ns::Object* object : main.getToolbarItemsArray()) {
        const bool enabled = dynamic_cast<ns::Control*>(object)
                                 ? dynamic_cast<ns::Control*>(object)->isEnabled()
                                 : dynamic_cast<ns::ToolbarItem*>(object)->isEnabled();
        if (state && *state != enabled)
            return std::nullopt;
        state = enabled;
    }
    return state;
}

// The messages logged while it lives.
class LoggedMessages
{
public:
    LoggedMessages() { previous_ = qInstallMessageHandler(&LoggedMessages::handle); }
    ~LoggedMessages() { qInstallMessageHandler(previous_); }
    static QStringList& lines()
    {
        static QStringList logged;
        return logged;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message) { lines() << message; }
    QtMessageHandler previous_;
};

} // namespace

TEST(MainControllerStartUp, LaunchingRestartsTheDeviceServerOnceAndTheToolbarFollowsTheSim)
{
    DeviceApp app;
    FakeDial dial;
    PostedNames posted({"UpdateLanguage", kAppReadyNotification, kDevicePluginNotification,
                        kSimReadyNotification, kModemConnected});
    app.nib.awakeFromNib();
    MainController& main = app.main();
    ASSERT_EQ(main.getToolbarItemsArray().size(), 8);
    EXPECT_EQ(toolbarEnabled(main), false);
    EXPECT_FALSE(main.menuItemForKey("SMS")->isEnabled());

    LoggedMessages logged;
    main.applicationWillFinishLaunching(kLaunching);
    main.applicationDidFinishLaunching(kLaunching);
    EXPECT_EQ(dial.launched, 1);
    EXPECT_TRUE(main.wndCompleteMain_->isVisible());
    EXPECT_TRUE(main.wndCompleteMain_->isKeyWindow());

    ASSERT_TRUE(QTest::qWaitFor([&] { return posted.names.contains(kSimReadyNotification); }, 20000));
    // The status area posts its start value first.
    EXPECT_EQ(posted.names, (QStringList{kModemConnected, "UpdateLanguage", kAppReadyNotification,
                                         kModemConnected, kDevicePluginNotification, kSimReadyNotification}));
    EXPECT_EQ(logged.lines().filter("Device server:").size(), 1);
    EXPECT_EQ(toolbarEnabled(main), true);
    EXPECT_TRUE(main.menuItemForKey("SMS")->isEnabled());
    EXPECT_EQ(main.getNetCardStatus(), MainController::kSimReady);
    EXPECT_TRUE(main.runtimeObjectForKey(kRTSIMCardReady).boolValue());
    // The drawer of links comes out beside the window.
    ASSERT_NE(main.drawerMain, nullptr);
    EXPECT_EQ(main.drawerMain->state(), ns::DrawerOpenState);

    EXPECT_EQ(main.applicationShouldTerminate(&ns::Application::sharedApplication()), ns::TerminateNow);
}

TEST(MainControllerStartUp, TheToolbarFollowsTheDeviceAsTheModemReportsIt)
{
    HalvexControl halvex;
    ASSERT_TRUE(halvex.start());
    DeviceApp app(shippedSettings(), Runtime::Current);
    app.nib.awakeFromNib();
    MainController& main = app.main();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.getNetCardStatus() == MainController::kSimReady; }, 20000));
    EXPECT_EQ(toolbarEnabled(main), true);

    ASSERT_EQ(halvex.removeDevice(), "");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return main.getNetCardStatus() == MainController::kDeviceRemoved; }, 20000));
    EXPECT_EQ(toolbarEnabled(main), false);
    EXPECT_FALSE(main.menuItemForKey("Internet")->isEnabled());
    // The main window tells the server that it has seen the device go: 8/58 from module 0.
    const auto sentRemoval = [&] {
        for (const _UI_MSG& record : halvex.receivedRecords())
            if (record.majorID == 8 && record.minorID == 58)
                return std::optional<_UI_MSG>(record);
        return std::optional<_UI_MSG>();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return sentRemoval().has_value(); }, 10000));
    EXPECT_EQ(sentRemoval()->moduleID, kModuleMainWindow);
    EXPECT_EQ(sentRemoval()->type, 2);
    EXPECT_EQ(quint8(sentRemoval()->result), 0xFF);
    EXPECT_EQ(sentRemoval()->length, 0);

    ASSERT_EQ(halvex.plugDevice(), "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.getNetCardStatus() == MainController::kSimReady; }, 20000));
    EXPECT_EQ(toolbarEnabled(main), true);
}

TEST(MainControllerStartUp, StatusCodesEnableTheToolbarOnlyAtSimReady)
{
    DeviceApp app(plainSettings());
    app.nib.awakeFromNib();
    MainController& main = app.main();
    const std::pair<int, bool> steps[] = {{MainController::kSimReady, true},
                                          {MainController::kDevicePluggedIn, false},
                                          {MainController::kSimReady, true},
                                          {MainController::kDeviceRemoved, false},
                                          {7, false}};
    for (const auto& [status, enabled] : steps) {
        main.netcardChanged(status);
        EXPECT_EQ(toolbarEnabled(main), enabled) << status;
        EXPECT_EQ(main.menuItemForKey("Phonebook")->isEnabled(), enabled) << status;
    }
}

TEST(MainControllerSplash, FramesRunTheConfiguredTimesOnTheirOwnThreadThenTheDeviceSideStarts)
{
    DeviceApp app(shippedSettings(
        {{"MAINFORM", ns::Dictionary{{"StartupWindow", ns::Dictionary{{"ImageCount", 3},
                                                                      {"DicName", "Splash"},
                                                                      {"DelayTime", 0},
                                                                      {"DisplayCount", 2},
                                                                      {"StartWndInfo", "Title"}}}}}}));
    QDir().mkpath(app.bundle.resourcePath() + "/Splash");
    for (int frame = 1; frame <= 3; ++frame) {
        QImage image(200 + frame, 120, QImage::Format_ARGB32);
        image.fill(Qt::darkBlue);
        ASSERT_TRUE(image.save(app.bundle.resourcePath() + QString("/Splash/%1.png").arg(frame)));
    }
    appkit_test::SteppedFramePacer pacer;
    PostedNames posted({kAppReadyNotification});
    app.nib.awakeFromNib();
    MainController& main = app.main();
    ASSERT_NE(main.startupWindow(), nullptr);
    EXPECT_EQ(main.startupWindow()->contentView()->frame().size, (ns::Size{203, 120}));
    EXPECT_EQ(main.wndMain->alphaValue(), 0);

    main.applicationWillFinishLaunching(kLaunching);
    EXPECT_TRUE(main.startupWindow()->isVisible());
    // Three frames shown twice, a frame every 1/100 s; then the seventh tick ends the splash.
    pacer.step(6);
    EXPECT_DOUBLE_EQ(pacer.lastInterval(), 0.01);
    EXPECT_TRUE(posted.names.isEmpty());
    pacer.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.startupWindow() == nullptr; }, 10000));
    EXPECT_EQ(main.wndMain->alphaValue(), 1);
    EXPECT_EQ(posted.names, QStringList{kAppReadyNotification});
}

TEST(MainControllerSplash, ASingleFrameShowsForTheDelayAndAMissingFrameMeansNoSplash)
{
    ns::ManualClock clock;
    ns::Clock::setCurrent(&clock);
    {
        DeviceApp app(shippedSettings(
            {{"MAINFORM", ns::Dictionary{{"StartupWindow", ns::Dictionary{{"DelayTime", 2}}}}}}));
        QImage image(160, 90, QImage::Format_ARGB32);
        image.fill(Qt::white);
        ASSERT_TRUE(image.save(app.bundle.resourcePath() + "/Startup.PNG"));
        PostedNames posted({kAppReadyNotification});
        app.nib.awakeFromNib();
        app.main().applicationWillFinishLaunching(kLaunching);
        clock.advance(1.9);
        EXPECT_NE(app.main().startupWindow(), nullptr);
        EXPECT_TRUE(posted.names.isEmpty());
        clock.advance(0.2);
        EXPECT_EQ(app.main().startupWindow(), nullptr);
        EXPECT_EQ(posted.names, QStringList{kAppReadyNotification});
        app.main().applicationShouldTerminate(&ns::Application::sharedApplication());
    }
    {
        // "Startup.PNG" is missing: no splash, and the device side starts at once.
        DeviceApp app(shippedSettings(
            {{"MAINFORM", ns::Dictionary{{"StartupWindow", ns::Dictionary{{"DelayTime", 2}}}}}}));
        PostedNames posted({kAppReadyNotification});
        app.nib.awakeFromNib();
        EXPECT_EQ(app.main().startupWindow(), nullptr);
        app.main().applicationWillFinishLaunching(kLaunching);
        EXPECT_EQ(posted.names, QStringList{kAppReadyNotification});
        EXPECT_EQ(app.main().wndMain->alphaValue(), 1);
        app.main().applicationShouldTerminate(&ns::Application::sharedApplication());
    }
    ns::Clock::setCurrent(nullptr);
}

TEST(MainControllerQuit, EachRowOfTheGuardWithItsTextAndAnswer)
{
    struct Row {
        const char* name;
        ns::Dictionary settings;
        bool dialling, selecting;
        int callStage;
        QString press; // the alert button pressed; empty when no alert may show
        QStringList texts;
        bool answer;
    };
    const QString connected = "You are currently connected. Please disconnect first!";
    const Row rows[] = {
        {"device-removed close option",
         {{"Main", ns::Dictionary{{"Main_CloseUI_IfDeviceRemoved", true}}}},
         true,
         true,
         1,
         "",
         {},
         true},
        {"connected, quitting allowed",
         {{"MAINFORM", ns::Dictionary{{"CloseAppWihoutQueryConnection", true}}}},
         true,
         false,
         0,
         "",
         {},
         true},
        {"connected", {}, true, false, 0, "OK", {"Warning", connected}, false},
        {"manual network selection",
         {},
         false,
         true,
         0,
         "OK",
         {"Warning", "You are selecting a network by hand. Please finish that first!"},
         false},
        {"call in progress",
         {},
         false,
         false,
         2,
         "OK",
         {"Warning", "A call is in progress. Please hang up first!"},
         false},
        {"operator build, cancelled",
         {{"specialSoftVersion", ns::Dictionary{{"VADO_TIM", true}}}},
         false,
         false,
         0,
         "Cancel",
         {"Warning", "Close the software?"},
         false},
        {"operator build, confirmed",
         {{"specialSoftVersion", ns::Dictionary{{"VADO_TIM", true}}}},
         false,
         false,
         0,
         "OK",
         {"Warning", "Close the software?"},
         true},
        {"nothing running", {}, false, false, 0, "", {}, true},
    };
    for (const Row& row : rows) {
        DeviceApp app(shippedSettings(row.settings));
        FakeDial dial;
        FakeSettings settings;
        FakeCall call;
        dial.dialling = row.dialling;
        settings.selecting = row.selecting;
        call.stage = row.callStage;
        AlertSeen alert;
        if (!row.press.isEmpty())
            answerNextAlert(row.press, &alert);
        EXPECT_EQ(app.main().appShouldClose(), row.answer) << row.name;
        EXPECT_EQ(alert.shown, !row.press.isEmpty()) << row.name;
        EXPECT_EQ(alert.texts, row.texts) << row.name;
    }
}

TEST(MainControllerQuit, TheOperatorBuildClearsTheStoredIMSIAndQuittingSavesTheMode)
{
    DeviceApp app(shippedSettings({{"specialSoftVersion", ns::Dictionary{{"VADO_TIM", true}}},
                                   {"IMSI", "001010123456789"},
                                   {"Main", ns::Dictionary{{"Main_UIModel", 1}}}}));
    AlertSeen alert;
    answerNextAlert("OK", &alert);
    ASSERT_TRUE(app.main().appShouldClose());
    EXPECT_EQ(app.bundle.settingsOnDisk().value("IMSI").toString(), "");
    // The mode in use (complete) is stored at quit.
    EXPECT_EQ(app.bundle.settingsOnDisk().value("Main").toDictionary().value("Main_UIModel").intValue(), 0);
}

TEST(MainControllerQuit, TheClosingSequenceAnnouncesItselfWhileRunTimeStateAndServerAreStillThere)
{
    DeviceApp app;
    app.nib.awakeFromNib();
    MainController& main = app.main();
    main.applicationWillFinishLaunching(kLaunching);
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.getNetCardStatus() == MainController::kSimReady; }, 20000));
    main.setRuntimeObject("490154203237518", kRTIMEI);

    bool runtimeThere = false, serverThere = false;
    PostedNames posted({kAppWillCloseNotification}, [&](const QString&) {
        runtimeThere = main.runtimeObjectForKey(kRTIMEI).toString() == "490154203237518";
        serverThere = app.nib.jovMsgCenter().sendMessageModuleID(kModuleInit, 4, 15, 1, 0);
    });
    EXPECT_EQ(main.applicationShouldTerminate(&ns::Application::sharedApplication()), ns::TerminateNow);
    EXPECT_EQ(posted.names, QStringList{kAppWillCloseNotification});
    EXPECT_TRUE(runtimeThere);
    EXPECT_TRUE(serverThere);
    // Afterwards the run-time state is gone from the settings file and the server has stopped.
    EXPECT_FALSE(app.bundle.settingsOnDisk().contains(kRuntimeDataKey));
    EXPECT_FALSE(app.nib.jovMsgCenter().sendMessageModuleID(kModuleInit, 4, 15, 1, 0));
}

TEST(MainControllerQuit, ARefusalLeavesEverythingAsItWas)
{
    DeviceApp app;
    FakeDial dial;
    dial.dialling = true;
    PostedNames posted({kAppWillCloseNotification});
    app.main().setRuntimeObject(true, kRTIsConnecttedFlag);
    AlertSeen alert;
    answerNextAlert("OK", &alert);
    EXPECT_EQ(app.main().applicationShouldTerminate(&ns::Application::sharedApplication()),
              ns::TerminateCancel);
    EXPECT_TRUE(alert.shown);
    EXPECT_TRUE(posted.names.isEmpty());
    EXPECT_TRUE(app.main().runtimeObjectForKey(kRTIsConnecttedFlag).boolValue());
}

TEST(MainControllerQuit, TheCloseButtonConfirmsQuittingWhileConnectedOnce)
{
    DeviceApp app(shippedSettings({{"MAINFORM", ns::Dictionary{{"CloseAppWihoutQueryConnection", true}}}}));
    app.nib.awakeFromNib();
    FakeDial dial;
    dial.dialling = true;
    PostedNames posted({kAppWillCloseNotification});
    AlertSeen alert;
    answerNextAlert("OK", &alert);
    EXPECT_FALSE(app.main().windowShouldClose(app.main().wndMain));
    EXPECT_EQ(
        alert.texts,
        (QStringList{"Warning", "A connection is active. Do you really want to quit the application?"}));
    // The dial controller ends the application once it has disconnected; until then the guard refuses.
    EXPECT_EQ(posted.names, QStringList{kAppWillCloseNotification});
    EXPECT_FALSE(app.main().appShouldClose());
}

TEST(MainControllerQuit, TheCloseButtonOnlyHidesTheWindowWhenTheApplicationStays)
{
    DeviceApp app(shippedSettings(
        {{"Main", ns::Dictionary{{"Main_MinimizeMainWnd_IfClickCloseButton", true}, {"Main_UIModel", 0}}}}));
    app.nib.awakeFromNib();
    MainController& main = app.main();
    main.showMainUI();
    main.wndMain->performClose(nullptr);
    EXPECT_FALSE(main.wndMain->isVisible());
    EXPECT_FALSE(ns::Application::sharedApplication().isTerminated());
    // Reopening from the desktop brings it back.
    ns::Application::sharedApplication().reopen();
    EXPECT_TRUE(main.wndCompleteMain_->isVisible());
}

TEST(MainControllerQuit, TheSkinnedQuitButtonAsksWhenConfigured)
{
    DeviceApp app(shippedSettings({{"qutiUITips", true}}));
    app.nib.awakeFromNib();
    AlertSeen alert;
    answerNextAlert("Cancel", &alert);
    app.main().closeMainWindow(nullptr);
    EXPECT_EQ(alert.texts, (QStringList{"Tips", "Exit the Connection Manager?"}));
    EXPECT_FALSE(ns::Application::sharedApplication().isTerminated());
}

TEST(MainControllerDevice, RemovalClosesSheetsButTheProfileSheet)
{
    DeviceApp app;
    app.nib.awakeFromNib();
    MainController& main = app.main();
    for (const auto& [title, staysOpen] : {std::pair{"DialConfig", true}, {"PIN", false}}) {
        ns::Window sheet(ns::Rect(0, 0, 200, 100), ns::TitledWindowMask);
        sheet.setTitle(title);
        ASSERT_TRUE(ns::Application::sharedApplication().beginSheet(&sheet, main.wndMain));
        main.deviceRemoved(nullptr);
        EXPECT_EQ(main.wndMain->attachedSheet() == &sheet, staysOpen) << title;
        EXPECT_EQ(sheet.isVisible(), staysOpen) << title;
        if (staysOpen)
            ns::Application::sharedApplication().endSheet(&sheet);
    }
}
