// The windows around a connection attempt: the animated connecting and
// connect-failed windows with their timers, the indicator, the failure
// alert, the roaming question, the connect-warnings sheet and the device
// lock; the controller alone, time on a manual clock.
#include "app/ui/controller/UINotifications.h"
#include "connection/DialController.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"
#include "tests/connection/DialTestSupport.h"

#include <gtest/gtest.h>

using namespace appkit_test;
using namespace device_test;
using namespace dial_test;

namespace
{

const ns::Dictionary kAnimatedWindows{{"OpenWindoOfConectOrDisConnectNetForZudera", true},
                                      {"SetProgressIndicatorImage", true},
                                      {"Internet_OpenConnectFailedWindowForZudera", true}};

bool shows(ns::ImageView* view, int frame)
{
    const ns::Image expected = ns::Image::imageNamed(QStringLiteral("Stategif%1.png").arg(frame));
    return !expected.isNull() && view->image().qImage() == expected.qImage();
}

// The button of the window with the translated title of the key.
ns::Button* buttonOf(ns::Window& window, const char* key)
{
    for (ns::View* view : window.contentView()->subviews())
        if (auto* button = dynamic_cast<ns::Button*>(view); button && button->title() == translated(key))
            return button;
    return nullptr;
}

} // namespace

TEST(ProgressWindows, TheConnectingWindowSaysWhatIsUnderWayAndOnlyConnectingMayBeCancelled)
{
    struct Case {
        int state;
        const char* text;
        bool cancellable;
    };
    DialApp app(withSettings({}, kAnimatedWindows));
    for (const Case& c : {Case{1, "Connecting Zudera Internet", true}, Case{2, "Disconnecting...", false}}) {
        SCOPED_TRACE(c.state);
        app.dial.setConnectStatus(c.state);
        app.dial.openConnectStateWindowForZudera(true);
        ASSERT_TRUE(app.dial.windowOfConnectStateForZudera_->isVisible());
        EXPECT_EQ(app.dial.labelConnectStateOfForZudera_->stringValue(), translated(c.text));
        EXPECT_EQ(app.dial.btnOfCancelConnectOperateForZudera_->isEnabled(), c.cancellable);
    }

    // Cancel while connecting ends the attempt and the window.
    app.dial.setConnectStatus(1);
    app.dial.openConnectStateWindowForZudera(true);
    app.dial.btnOfCancelConnectOperateForZudera_->performClick(nullptr);
    app.settle();
    EXPECT_EQ(app.dial.connectStatus(), DialControlling::Disconnecting);
    EXPECT_FALSE(app.dial.windowOfConnectStateForZudera_->isVisible());
    EXPECT_EQ(app.dial.timerOfProgressIndicator_, nullptr);

    // The connection's look closes it too; without its switch there is none.
    app.dial.openConnectStateWindowForZudera(true);
    app.dial.setDialBtnWithStatus(true);
    EXPECT_FALSE(app.dial.windowOfConnectStateForZudera_->isVisible());
    DialApp plain;
    plain.dial.setConnectStatus(1);
    plain.dial.openConnectStateWindowForZudera(true);
    EXPECT_EQ(plain.dial.windowOfConnectStateForZudera_, nullptr);
}

TEST(ProgressWindows, TheAnimationRunsFromFrameOneAndFrameTenIsFollowedByOne)
{
    DialApp app(withSettings({}, kAnimatedWindows));
    app.dial.setConnectStatus(1);
    app.dial.openConnectStateWindowForZudera(true);
    app.clock.advance(0.1);
    EXPECT_TRUE(shows(app.dial.imageViewOfProgressIndicator_, 1));
    EXPECT_EQ(app.dial.countOfConnectStateImage_, 2);

    app.dial.countOfConnectStateImage_ = 10;
    app.clock.advance(0.1);
    EXPECT_TRUE(shows(app.dial.imageViewOfProgressIndicator_, 10));
    EXPECT_EQ(app.dial.countOfConnectStateImage_, 1);

    // A frame out of range ends the animation where it stands.
    app.dial.countOfConnectStateImage_ = 11;
    app.clock.advance(0.1);
    EXPECT_EQ(app.dial.timerOfProgressIndicator_, nullptr);
    EXPECT_EQ(app.dial.countOfConnectStateImage_, 11);
    EXPECT_TRUE(shows(app.dial.imageViewOfProgressIndicator_, 10));
}

TEST(ProgressWindows, ShowingAWindowTwiceLeavesOneTimerRunning)
{
    struct Case {
        const char* name;
        std::function<void(DialController&)> show, hide;
    };
    const Case cases[] = {
        {"connecting", [](DialController& dial) { dial.openConnectStateWindowForZudera(true); },
         [](DialController& dial) { dial.closeZuderaConnectStateWindow(nullptr); }},
        {"connect failed", [](DialController& dial) { dial.openConnectFailedWindow(); },
         [](DialController& dial) { dial.closeConnectFailedWindow(nullptr); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialApp app(withSettings({}, kAnimatedWindows));
        app.dial.setConnectStatus(1);
        const int before = app.clock.scheduledTimerCount();
        c.show(app.dial);
        c.show(app.dial);
        EXPECT_EQ(app.clock.scheduledTimerCount(), before + 1);
        // One step per tenth of a second.
        app.clock.advance(0.1);
        EXPECT_EQ(app.dial.countOfConnectStateImage_, 2);
        c.hide(app.dial);
        EXPECT_EQ(app.clock.scheduledTimerCount(), before);
    }
}

TEST(ProgressWindows, AFailureAlertsOrShowsTheWindowThatRedialsAsConfigured)
{
    struct Case {
        const char* name;
        bool alert, window;
    };
    for (const Case& c :
         {Case{"alert", true, false}, Case{"window", false, true}, Case{"both", true, true}}) {
        SCOPED_TRACE(c.name);
        DialApp app(withSettings({}, {{"OpenConnectFailedWindow", c.alert},
                                      {"Internet_OpenConnectFailedWindowForZudera", c.window},
                                      {"SetProgressIndicatorImage", true}}));
        AlertAnswerer answerer;
        app.dial.openConnectFailedWindow();
        EXPECT_EQ(answerer.showed(translated("Cannot connect, please try again later")), c.alert);
        if (!c.window) {
            EXPECT_EQ(app.dial.windowOfConnectFailedForZudera_, nullptr);
            continue;
        }
        ns::Window& window = *app.dial.windowOfConnectFailedForZudera_;
        ASSERT_TRUE(window.isVisible());
        EXPECT_EQ(app.dial.labelOfConnectStateWhenConnectFailed_->stringValue(),
                  translated("The device has been disconnected or is unavailable"));
        app.clock.advance(0.1);
        EXPECT_TRUE(shows(app.dial.imageViewOfConnectFailed_, 1));

        buttonOf(window, "Redial")->performClick(nullptr);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(app.dial.timerOfConnectFailed_, nullptr);
        app.settle();
        EXPECT_EQ(app.dial.connectStatus(), DialControlling::Connecting);
    }
}

TEST(ProgressWindows, TheIndicatorShowsWhetherDataIsConnected)
{
    DialApp app(withSettings({}, {{"SetConnectStateForZudera", true}}));
    for (bool connected : {true, false}) {
        app.dial.setConnectStateForZudera(connected);
        const char* image = connected ? "DataConnected" : "DataNotConnected";
        EXPECT_EQ(app.dial.imageViewOfConnectStatesForZudera_->image().qImage(),
                  ns::Image::imageNamed(QString::fromLatin1(image)).qImage());
        EXPECT_EQ(app.dial.imageViewOfConnectStatesForZudera_->toolTip(),
                  translated(connected ? "Data connected" : "Data not connected"));
    }
    DialApp plain;
    plain.dial.setConnectStateForZudera(true);
    EXPECT_TRUE(plain.dial.imageViewOfConnectStatesForZudera_->image().isNull());
}

TEST(ProgressWindows, WhileRoamingTheQuestionsCancelKeepsTheConnection)
{
    struct Case {
        int roamStatus;
        const char* answer;
        bool asked;
        int after;
    };
    for (const Case& c : {Case{0, "Cancel", true, 3}, Case{0, "OK", true, 2}, Case{1, "Cancel", false, 2}}) {
        SCOPED_TRACE(testing::Message() << "roaming " << c.roamStatus << " " << c.answer);
        DialApp app(withSettings({}, {{"DialDisconnectWhenRoam", true}}));
        app.init.roamStatus = c.roamStatus;
        app.dial.setConnectStatus(3);
        AlertAnswerer answerer(QString::fromLatin1(c.answer));
        app.dial.DialOption(app.dial.m_ConnectButton);
        app.settle();
        EXPECT_EQ(
            answerer.showed(translated(
                "Dear customer.\nYou are about to connect to a roaming network.\nPlease note, that this "
                "may cause additional roaming charges.\nDo you want to disconnect now?")),
            c.asked);
        EXPECT_EQ(app.dial.connectStatus(), c.after);
    }
}

TEST(ProgressWindows, TheConnectWarningsShowOnceAndTheirOKConnects)
{
    DialApp app(withSettings({{"Setting", ns::Dictionary{{"connectWarningsDisplay", true}}}}));
    ns::Window mainWindow(ns::Rect(0, 0, 600, 400), ns::TitledWindowMask);
    app.dial.wndMain = &mainWindow;
    app.dial.DialOption(app.dial.m_ConnectButton);
    app.settle();
    ASSERT_NE(app.dial.wndConnectWarning_, nullptr);
    EXPECT_EQ(mainWindow.attachedSheet(), app.dial.wndConnectWarning_.get());
    EXPECT_EQ(app.dial.connectStatus(), DialControlling::Idle);

    buttonOf(*app.dial.wndConnectWarning_, "OK")->performClick(nullptr);
    EXPECT_EQ(mainWindow.attachedSheet(), nullptr);
    EXPECT_FALSE(app.dial.connectWarningsDisplayFlag());
    EXPECT_EQ(app.dial.connectStatus(), DialControlling::Idle);
    app.settle();
    EXPECT_EQ(app.dial.connectStatus(), DialControlling::Connecting);

    // Seen once, the warnings stay away until the device is removed.
    app.dial.setConnectStatus(DialControlling::Idle);
    app.dial.DialOption(app.dial.m_ConnectButton);
    app.settle();
    EXPECT_EQ(mainWindow.attachedSheet(), nullptr);
    EXPECT_EQ(app.dial.connectStatus(), DialControlling::Connecting);
}

TEST(ProgressWindows, AnUnlockForTheConnectionConnectsWithoutAskingAgain)
{
    struct Case {
        int lockModule;
        int after;
    };
    for (const Case& c : {Case{0, DialControlling::Connecting}, Case{1, DialControlling::Idle}}) {
        SCOPED_TRACE(c.lockModule);
        DialApp app(withSettings({{"DeviceLockDialFunction", true}}));
        app.settings.deviceUnlockCodeState = true;
        app.dial.DialOption(app.dial.m_ConnectButton);
        app.settle();
        ASSERT_EQ(app.init.unlockWindows, 1);
        // Another feature may have asked for the code since.
        app.init.lockModule = c.lockModule;
        ns::NotificationCenter::defaultCenter().postNotificationName(kDeviceUnlockSuccess, nullptr);
        app.settle();
        EXPECT_EQ(app.init.unlockWindows, 1);
        EXPECT_EQ(app.dial.connectStatus(), c.after);
    }
}
