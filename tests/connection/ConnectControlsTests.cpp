// The connect controls and the status display: the connected and idle looks,
// enabling and publishing the controls, the device events, the smart skin's
// top area and the disconnect reason; the controller alone, the other wings
// faked, time on a manual clock.
#include "app/language/WordingOperation.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "app/ui/skin/JOVUIManager.h"
#include "connection/DialController.h"
#include "jCommon/ConnectionMessages.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TextField.h"
#include "tests/connection/DialTestSupport.h"

#include <gtest/gtest.h>

using namespace device_test;
using namespace dial_test;

namespace
{

const QString kStartUpText = QStringLiteral("Modem is in start-up process.");

bool sameImage(const ns::Image& shown, const char* name)
{
    const ns::Image expected = ns::Image::imageNamed(QString::fromLatin1(name));
    return !expected.isNull() && shown.qImage() == expected.qImage();
}

QString wording(const char* key)
{
    return WordingOperation::getDisplayWordingValueByWordingKey(QString::fromLatin1(key));
}

// What a user sees of the connect controls.
QStringList visibleControls(DialController& dial)
{
    return {dial.m_ConnectButton->title(),
            QString::number(dial.m_ConnectButton->isEnabled()),
            dial.m_ConnectButton->toolTip(),
            dial.m_ConnectState->stringValue(),
            dial.tfdDisplayModemStartUpProcess_->stringValue(),
            QString::number(sameImage(dial.imageViewForConnectStatus_->image(), "StateOfNotConnection"))};
}

// The smart skin's controls, registered as the main window registers them.
struct SmartSkin {
    explicit SmartSkin(DialApp& app) : manager(app.store)
    {
        ns::Dictionary info;
        for (const char* key :
             {"btnDialConnectExt", "webViewInTopFixed", "webViewInHomePage", "labelDeviceStutas"})
            info.setValue(QString::fromLatin1(key), ns::Dictionary());
        manager.setSkinInfo(info);
        manager.registerController(&button, QStringLiteral("btnDialConnectExt"), false);
        manager.registerController(&top, QStringLiteral("webViewInTopFixed"), false);
        manager.registerController(&home, QStringLiteral("webViewInHomePage"), false);
        manager.registerController(&status, QStringLiteral("labelDeviceStutas"), false);
        app.dial.jovSkinManager = &manager;
    }
    JOVUIManager manager;
    ns::Button button;
    ns::ImageView top;
    ns::ImageView home;
    ns::TextField status{ns::Rect(10, 10, 100, 20)};
};

const ns::Dictionary kSmartUI{{"UIConfig", ns::Dictionary{{"SmartUI", true}}}};

} // namespace

TEST(ConnectControls, TheStartUpTextShowsUntilTheFirstEnablingAndEveryChangeIsPublished)
{
    for (bool simpleButton : {true, false}) {
        SCOPED_TRACE(simpleButton ? "with the simple button" : "without it");
        DialApp app;
        if (!simpleButton)
            app.dial.btnConnectSimple = nullptr;
        PostedInfo posted({kIsAbleToConnectNotification});
        ns::TextField* text = app.dial.tfdDisplayModemStartUpProcess_;
        EXPECT_EQ(text->stringValue(), kStartUpText);

        QList<bool> flags;
        for (bool enabled : {false, true, false}) {
            app.dial.setConnectBtnEnable(enabled);
            EXPECT_EQ(app.dial.m_ConnectButton->isEnabled(), enabled);
            if (simpleButton) {
                EXPECT_EQ(app.simpleButton.isEnabled(), enabled);
            }
            EXPECT_EQ(app.dial.runtimeObjectForKey(kRTIsConnectBtnEnable).boolValue(), enabled);
            flags << posted.last(kIsAbleToConnectNotification).value("EnabledFlag").boolValue();
        }
        EXPECT_EQ(flags, (QList<bool>{false, true, false}));
        // Once enabled, the start-up is over for good.
        EXPECT_EQ(text->stringValue(), "");
    }
}

TEST(ConnectControls, EveryControlTakesTheConnectedAndTheIdleLook)
{
    struct Case {
        bool connected;
        int state;
        QString title, toolTip, simple, stateText;
        const char* stateImage;
        const char* icon;
        bool webLinksOff;
    };
    DialApp app(withSettings({{"IconChangeWithConnected", true}},
                             {{"Internet_displayTooltipForConnectBtn", true},
                              {"Internet_AppendingApnInfoForConnectStateWhenConnected", true}}));
    PostedInfo posted({QStringLiteral("SetWebLinkImageViewDisabled")});
    const Case cases[] = {
        {true, 3, translated("Disconnect"), wording("Internet_btnDisconnect"),
         wording("Internet_btnConnectSimple_Disconnect"),
         translated("Connected") + " " + app.dial.getAPNString(), "StateOfConnected", "icon", false},
        {false, 0, translated("Connect"), wording("Internet_btnConnect"),
         wording("Internet_btnConnectSimple_Connect"), translated("Idle"), "StateOfNotConnection",
         "unConnectIcons", true},
    };
    app.dial.isDeviceRemoved = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.connected ? "connected" : "idle");
        posted.seen.clear();
        app.dial.reconnectTimes = 2;
        app.dial.setConnectBtnEnable(false);
        app.dial.setDialBtnWithStatus(c.connected);
        EXPECT_EQ(app.dial.connectStatus(), c.state);
        EXPECT_TRUE(app.dial.m_ConnectButton->isEnabled());
        EXPECT_EQ(app.dial.m_ConnectButton->title(), c.title);
        EXPECT_EQ(app.dial.m_ConnectButton->toolTip(), c.toolTip);
        EXPECT_EQ(app.simpleButton.title(), c.simple);
        EXPECT_EQ(app.simpleButton.toolTip(), c.simple);
        EXPECT_EQ(app.dial.m_ConnectState->stringValue(), c.stateText);
        EXPECT_TRUE(sameImage(app.dial.imageViewForConnectStatus_->image(), c.stateImage));
        EXPECT_TRUE(sameImage(ns::Application::sharedApplication().applicationIconImage(), c.icon));
        EXPECT_EQ(posted.seen.size(), c.webLinksOff ? 1u : 0u);
        // Each drop may try the full number of reconnections again.
        EXPECT_EQ(app.dial.reconnectTimes, c.connected ? 0 : 2);
    }
    EXPECT_TRUE(app.dial.displayDisConnectingFlag());
    EXPECT_FALSE(app.dial.apnCycleEnabled());
}

TEST(ConnectControls, WithTheDeviceGoneNoLookEnablesTheButton)
{
    DialApp app;
    app.dial.isDeviceRemoved = true;
    for (bool connected : {true, false}) {
        app.dial.setDialBtnWithStatus(connected);
        EXPECT_FALSE(app.dial.m_ConnectButton->isEnabled());
    }
    // A device plugged in makes the next look enable it.
    app.dial.netcardChanged(DialController::kDevicePluggedIn);
    app.dial.setDialBtnWithStatus(false);
    EXPECT_TRUE(app.dial.m_ConnectButton->isEnabled());
}

TEST(ConnectControls, TheDeviceEventsOutsideTheSmartSkinChangeNothingVisible)
{
    DialApp app;
    const QStringList before = visibleControls(app.dial);
    ns::NotificationCenter::defaultCenter().postNotificationName(kSimReadyNotification, nullptr);
    app.dial.netcardChanged(DialController::kNoDevice);
    EXPECT_EQ(visibleControls(app.dial), before);
}

TEST(ConnectControls, TheSmartSkinsTopAreaShowsAnImageOrTheDeviceStatus)
{
    DialApp app(withSettings(kSmartUI));
    SmartSkin skin(app);

    app.dial.netcardChanged(DialController::kSimReady);
    EXPECT_TRUE(sameImage(skin.top.image(), "freeToFun.png"));
    EXPECT_FALSE(skin.top.isHidden());
    EXPECT_TRUE(skin.status.isHidden());

    struct Case {
        int rows;
        bool largeFont;
        ns::Size size;
        int alignment;
        double points;
    };
    for (const Case& c : {Case{1, true, {175, 46}, ns::CenterTextAlignment, 21},
                          Case{1, false, {175, 46}, ns::CenterTextAlignment, 16},
                          Case{2, false, {180, 59}, ns::LeftTextAlignment, 16}}) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, large " << c.largeFont);
        app.init.largeFont = c.largeFont;
        app.dial.setDeviceStatusStringRows(c.rows);
        app.dial.smartUITopFixedImage(QString(), "freeToFun_HomePage.png", "Go", "No SIM");
        EXPECT_TRUE(skin.top.isHidden());
        EXPECT_FALSE(skin.status.isHidden());
        EXPECT_EQ(skin.status.stringValue(), "No SIM");
        EXPECT_EQ(skin.status.frame(), ns::Rect(ns::Point{10, 10}, c.size));
        EXPECT_EQ(skin.status.alignment(), c.alignment);
        EXPECT_EQ(skin.status.font(), ns::Font::boldSystemFontOfSize(c.points));
        // The large font serves one text.
        EXPECT_FALSE(app.init.largeFont);
        EXPECT_TRUE(sameImage(skin.home.image(), "freeToFun_HomePage.png"));
        EXPECT_EQ(skin.button.title(), "Go");
    }

    // The controls follow the connection; a number that is there shows without its country code.
    app.dial.setRuntimeObject(ns::Value(QStringLiteral("639171234567")), kRTPhoneNumber);
    app.dial.isDeviceRemoved = false;
    app.dial.setConnectBtnEnable(false);
    EXPECT_FALSE(skin.button.isEnabled());
    app.dial.setDialBtnWithStatus(true);
    EXPECT_TRUE(skin.button.isEnabled());
    EXPECT_EQ(skin.button.title(), translated("Disconnect"));
    EXPECT_TRUE(skin.status.isHidden());
    EXPECT_EQ(app.dial.getPhoneNumber(), "09171234567");
}

TEST(ConnectControls, TheAnnouncedNumberShowsAsTheDeviceStatusInTheLargeFont)
{
    DialApp app(withSettings(kSmartUI));
    SmartSkin skin(app);
    app.dial.setDeviceStatusStringRows(2);
    app.dial.setRuntimeObject(ns::Value(QStringLiteral("639171234567")), kRTPhoneNumber);
    ns::NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("DisplayPhoneNumberForSmart"),
                                                                 nullptr);
    EXPECT_FALSE(skin.status.isHidden());
    EXPECT_EQ(skin.status.stringValue(), "09171234567");
    EXPECT_EQ(app.dial.deviceStatusStringRows(), 1);
    EXPECT_EQ(skin.status.font(), ns::Font::boldSystemFontOfSize(21));
}

TEST(ConnectControls, AfterAConnectionTheSmartSkinTellsWhetherTheUserEndedIt)
{
    struct Case {
        bool manual;
        bool numberShown;
        const char* status; // translated; null: hidden
        int rows;
    };
    for (const Case& c : {Case{true, true, "SmartNet", 1}, Case{true, false, nullptr, 1},
                          Case{false, true, "Can not connect, please try again", 2}}) {
        SCOPED_TRACE(testing::Message() << "manual " << c.manual << " number " << c.numberShown);
        ns::Dictionary internet{{"Internet_IsDisplayPhoneNumber_WhenConnectedOrDisconnected", c.numberShown}};
        DialApp app(withSettings(kSmartUI, internet));
        SmartSkin skin(app);
        app.dial.manualDisconnectFlag = c.manual;
        app.dial.smartUIManualDisconnect();
        EXPECT_EQ(skin.button.title(), translated("Connect"));
        EXPECT_TRUE(sameImage(skin.home.image(), "freeToFun_HomePage.png"));
        EXPECT_EQ(skin.status.isHidden(), c.status == nullptr);
        if (c.status) {
            EXPECT_EQ(skin.status.stringValue(), translated(c.status));
        }
        EXPECT_EQ(app.dial.deviceStatusStringRows(), c.rows);
        EXPECT_EQ(sameImage(skin.top.image(), "freeToFun.png"), c.manual);
    }
}

TEST(ConnectControls, TheExtenderPagesCarryTheNumberAndTheImsiEscaped)
{
    DialApp app(withSettings({{"IMSI", "262011234567890"}}, {{"SmartUIExtenderHost", "operator.example"}}));
    app.dial.setRuntimeObject(ns::Value(QStringLiteral("+49 170&1")), kRTPhoneNumber);
    const QString query = "?msisdn=%2B49%20170%261&imsi=262011234567890";
    EXPECT_EQ(app.dial.smartUIExtenderPages(),
              (QStringList{"http://operator.example/ibro-fe/pages/ibro/extender1.xhtml" + query,
                           "http://operator.example/ibro-fe/pages/ibro/extender2.xhtml" + query}));

    DialApp noServer;
    EXPECT_TRUE(noServer.dial.smartUIExtenderPages().isEmpty());
}

TEST(ConnectControls, TheDisconnectReasonIsKeptOnlyForTheSpeedTest)
{
    struct Case {
        bool speedTest, manual, removed;
        ns::Value reason;
    };
    for (const Case& c : {Case{true, true, true, 0}, Case{true, false, true, 2}, Case{true, false, false, 1},
                          Case{false, true, false, ns::Value()}}) {
        SCOPED_TRACE(testing::Message() << c.speedTest << c.manual << c.removed);
        ns::Dictionary internet;
        if (c.speedTest)
            internet.setValue("Internet_IsNeedTestSpeedAtConnected", false);
        DialApp app(withSettings({}, internet));
        app.dial.manualDisconnectFlag = c.manual;
        app.dial.isDeviceRemoved = c.removed;
        app.dial.setDialBtnWithStatus(false);
        EXPECT_EQ(app.store.getConfigurationByModuleAndKey("Internet", "DisconnectReason"), c.reason);
    }
}

TEST(ConnectControlsAgainstHalvex, AtSimReadyTheDeviceIsAskedForALinkAndWithoutOneTheButtonComesAlive)
{
    PPPSession session({});
    ASSERT_TRUE(session.started && session.ready) << session.halvex.errorOutput().toStdString();
    DialController& dial = session.dial();
    EXPECT_TRUE(session.runUntil([&] { return session.received(msg::connection::kNDISDialIsConnected); }));
    EXPECT_TRUE(session.runUntil([&] { return dial.m_ConnectButton->isEnabled(); }));
    EXPECT_EQ(dial.tfdDisplayModemStartUpProcess_->stringValue(), "");
    EXPECT_TRUE(dial.runtimeObjectForKey(kRTIsConnectBtnEnable).boolValue());
}
