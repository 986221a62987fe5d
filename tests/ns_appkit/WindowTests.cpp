#include "tests/support/AppKitTestSupport.h"

#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Alert.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Screen.h"
#include "platform/ns/appkit/TextField.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

using namespace ns;
using appkit_test::Recorder;

namespace
{

class WindowEvents : public WindowDelegate
{
public:
    bool windowShouldClose(Window*) override
    {
        calls.append("should close");
        return allowClose;
    }
    void windowWillClose(const Notification&) override { calls.append("will close"); }
    void windowDidMove(const Notification&) override { calls.append("did move"); }
    void windowDidMiniaturize(const Notification&) override { calls.append("did miniaturize"); }
    void windowDidDeminiaturize(const Notification&) override { calls.append("did deminiaturize"); }
    Rect windowWillUseStandardFrame(Window*, const Rect&) override { return standardFrame; }

    bool allowClose = true;
    Rect standardFrame{0, 0, 500, 400};
    QStringList calls;
};

Button* addButton(Window* window, const QString& title, Object* target)
{
    auto* button = new Button(Rect(10, 10, 100, 32));
    button->setTitle(title);
    button->setTarget(target);
    button->setAction("pressed:");
    window->contentView()->addSubview(button);
    return button;
}

Application& app()
{
    return Application::sharedApplication();
}

} // namespace

TEST(AppKitSheet, SheetOnSheetEndsInnerFirstWithTheStopCodes)
{
    auto window = appkit_test::shownWindow();
    Window outer(Rect(0, 0, 200, 100), TitledWindowMask), inner(Rect(0, 0, 150, 80), TitledWindowMask);
    QStringList events;
    int innerCode = 0;

    ASSERT_TRUE(app().beginSheet(&outer, window.get(),
                                 [&](Window*, int code) { events << QString("outer %1").arg(code); }));
    EXPECT_EQ(window->attachedSheet(), &outer);
    EXPECT_TRUE(app().isInputBlocked(window.get()));
    // The sheet hangs from the top of the window's content, centred.
    EXPECT_EQ(outer.frame().maxY(), window->contentRectForFrameRect(window->frame()).maxY());
    EXPECT_EQ(outer.frame().midX(), window->frame().midX());

    appkit_test::whenRunning([&] {
        ASSERT_TRUE(app().beginSheet(&inner, &outer,
                                     [&](Window*, int code) { events << QString("inner %1").arg(code); }));
        EXPECT_TRUE(app().isInputBlocked(&outer));
        EXPECT_FALSE(app().beginSheet(&inner, window.get())); // a window takes one sheet at a time
        appkit_test::whenRunning([] { app().stopModalWithCode(2); });
        innerCode = app().runModalForWindow(&inner);
        inner.orderOut(nullptr);
        app().endSheet(&inner, innerCode);
        EXPECT_FALSE(app().isInputBlocked(&outer));
        app().stopModalWithCode(1);
    });
    const int outerCode = app().runModalForWindow(&outer);
    outer.orderOut(nullptr);
    app().endSheet(&outer, outerCode);

    EXPECT_EQ(innerCode, 2);
    EXPECT_EQ(outerCode, 1);
    EXPECT_EQ(events, (QStringList{"inner 2", "outer 1"}));
    EXPECT_FALSE(app().isInputBlocked(window.get()));
    EXPECT_EQ(window->attachedSheet(), nullptr);
}

TEST(AppKitSheet, EndingTheOuterSheetEndsTheSheetOnItFirst)
{
    auto window = appkit_test::shownWindow();
    Window outer(Rect(0, 0, 200, 100), TitledWindowMask), inner(Rect(0, 0, 150, 80), TitledWindowMask);
    QStringList events;
    app().beginSheet(&outer, window.get(),
                     [&](Window*, int code) { events << QString("outer %1").arg(code); });
    app().beginSheet(&inner, &outer, [&](Window*, int code) { events << QString("inner %1").arg(code); });
    app().endSheet(&outer, 7);
    EXPECT_EQ(events, (QStringList{QString("inner %1").arg(RunAbortedResponse), "outer 7"}));
    EXPECT_FALSE(inner.isSheet());
}

TEST(AppKitSheet, WindowUnderASheetTakesNoClicksUntilTheSheetEnds)
{
    auto window = appkit_test::shownWindow();
    Recorder recorder;
    Button* button = addButton(window.get(), "Under", &recorder);
    Window sheet(Rect(0, 0, 100, 50), TitledWindowMask);
    app().beginSheet(&sheet, window.get());
    appkit_test::click(button);
    EXPECT_TRUE(recorder.senders.isEmpty());
    sheet.orderOut(nullptr);
    app().endSheet(&sheet);
    appkit_test::click(button);
    EXPECT_EQ(recorder.senders.size(), 1);
}

TEST(AppKitModal, OnlyTheModalWindowTakesInput)
{
    auto window = appkit_test::shownWindow();
    Recorder recorder;
    Button* outside = addButton(window.get(), "Outside", &recorder);
    Panel panel(Rect(50, 50, 200, 100), TitledWindowMask);
    Button* stop = addButton(&panel, "Stop", &recorder);

    appkit_test::whenRunning([&] {
        EXPECT_EQ(app().modalWindow(), &panel);
        appkit_test::click(outside);
        EXPECT_TRUE(recorder.senders.isEmpty());
        app().stopModalWithCode(5);
        appkit_test::click(stop); // still the modal run until the loop returns
    });
    EXPECT_EQ(app().runModalForWindow(&panel), 5);
    EXPECT_EQ(recorder.senders, (QList<Object*>{stop}));
    EXPECT_EQ(app().modalWindow(), nullptr);
    EXPECT_EQ(app().runModalForWindow(nullptr), RunAbortedResponse);
}

TEST(AppKitAlert, ReturnsTheCodeOfThePressedButton)
{
    struct Case {
        QString alternate;
        QString other;
        QString pressed; // a button title, or a key
        int code;
    };
    const Case cases[] = {
        {"Cancel", "", "OK", AlertDefaultReturn},       {"Cancel", "", "Cancel", AlertAlternateReturn},
        {"Cancel", "Later", "Later", AlertOtherReturn}, {"Cancel", "", "Return", AlertDefaultReturn},
        {"Cancel", "", "Escape", AlertAlternateReturn}, {"", "", "OK", AlertDefaultReturn},
    };
    for (const Case& c : cases) {
        int buttons = 0;
        appkit_test::whenRunning([&] {
            Window* panel = app().modalWindow();
            ASSERT_NE(panel, nullptr);
            const QList<QWidget*> widgets = panel->findChildren<QWidget*>();
            buttons = int(std::count_if(widgets.begin(), widgets.end(),
                                        [](QWidget* w) { return dynamic_cast<Button*>(w); }));
            if (c.pressed == "Return" || c.pressed == "Escape") {
                QTest::keyClick(panel, c.pressed == "Return" ? Qt::Key_Return : Qt::Key_Escape);
                return;
            }
            Button* button =
                appkit_test::findWidget<Button>(panel, [&](Button* b) { return b->title() == c.pressed; });
            ASSERT_NE(button, nullptr) << c.pressed.toStdString();
            appkit_test::click(button);
        });
        EXPECT_EQ(runAlertPanel("Warning", "Something happened.", "", c.alternate, c.other), c.code)
            << c.pressed.toStdString();
        EXPECT_EQ(buttons, 1 + !c.alternate.isEmpty() + !c.other.isEmpty());
    }
    EXPECT_EQ(app().modalWindow(), nullptr);
}

TEST(AppKitWindowDelegate, CloseButtonAsksTheDelegate)
{
    auto window = appkit_test::shownWindow();
    WindowEvents events;
    window->setDelegate(&events);
    events.allowClose = false;
    window->performClose(nullptr);
    EXPECT_TRUE(window->isVisible());
    events.allowClose = true;
    window->QWidget::close(); // as the title bar's close button does
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(events.calls, (QStringList{"should close", "should close", "will close"}));
}

TEST(AppKitWindowDelegate, MovingAndMiniaturisingAreReported)
{
    auto window = appkit_test::shownWindow(Rect(100, 100, 300, 200));
    WindowEvents events;
    window->setDelegate(&events);
    int observed = 0;
    Object* observer = NotificationCenter::defaultCenter().addObserverForName(
        WindowDidMoveNotification, window.get(), [&](const Notification&) { ++observed; });

    window->setFrameOrigin({120, 100});
    window->setFrameOrigin({120, 100});
    window->miniaturize(nullptr);
    EXPECT_TRUE(window->isMiniaturized());
    EXPECT_FALSE(window->isVisible());
    window->deminiaturize(nullptr);
    EXPECT_EQ(events.calls, (QStringList{"did move", "did miniaturize", "did deminiaturize"}));
    EXPECT_EQ(observed, 1);
    NotificationCenter::defaultCenter().removeObserver(observer);
}

TEST(AppKitWindowDelegate, ZoomTogglesBetweenTheStandardAndTheUsersFrame)
{
    auto window = std::make_unique<Window>(Rect(100, 100, 300, 200), TitledWindowMask | ResizableWindowMask);
    WindowEvents events;
    window->setDelegate(&events);
    const Rect usersFrame = window->frame();
    window->zoom(nullptr);
    EXPECT_EQ(window->frame(), events.standardFrame);
    EXPECT_TRUE(window->isZoomed());
    window->zoom(nullptr);
    EXPECT_EQ(window->frame(), usersFrame);
}

TEST(AppKitWindowDelegate, TheDesktopsMaximiseButtonZooms)
{
    auto window = appkit_test::shownWindow();
    WindowEvents events;
    window->setDelegate(&events);
    window->setWindowState(Qt::WindowMaximized);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->frame() == events.standardFrame; }));
    EXPECT_FALSE(window->isMaximized());
}

TEST(AppKitWindow, TheFrameViewLiesOverTheWholeFrameAndTakesNoClicks)
{
    Recorder target;
    auto window = appkit_test::shownWindow();
    Button* button = addButton(window.get(), "Under", &target);
    View* frameView = window->frameView();
    EXPECT_EQ(frameView->frame().size, (Size{double(window->width()), double(window->height())}));
    frameView->addSubview(new TextField(Rect(0, 0, 300, 200)));
    appkit_test::click(button);
    EXPECT_EQ(target.calls.size(), 1);
}

TEST(AppKitKeyWindow, FollowsOrderingAndSkipsWindowsThatCannotBeKey)
{
    auto first = appkit_test::shownWindow();
    auto second = appkit_test::shownWindow(Rect(150, 150, 200, 100));
    EXPECT_TRUE(second->isKeyWindow());
    EXPECT_TRUE(second->isMainWindow());
    second->orderOut(nullptr);
    EXPECT_TRUE(first->isKeyWindow());

    Window borderless(Rect(0, 0, 50, 50), BorderlessWindowMask);
    borderless.makeKeyAndOrderFront(nullptr);
    EXPECT_TRUE(first->isKeyWindow());
    EXPECT_TRUE(borderless.isVisible());
}

TEST(AppKitKeyWindow, AWindowBroughtFrontKeepingKeyLeavesTheKeyboardWhereItWas)
{
    auto main = appkit_test::shownWindow();
    QCoreApplication::processEvents();
    Panel panel(Rect(150, 150, 200, 100), TitledWindowMask);
    panel.setLevel(ModalPanelWindowLevel);
    panel.orderFrontKeepingKey(nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(main->isKeyWindow());
    EXPECT_EQ(QApplication::activeWindow(), main.get());

    // Shown again the usual way, it takes the keyboard as any window does.
    panel.orderOut(nullptr);
    panel.orderFront(nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel.isKeyWindow());
}

TEST(AppKitApplication, LaunchTerminateAndReopenAskTheDelegate)
{
    struct Delegate : ApplicationDelegate {
        void applicationWillFinishLaunching(const Notification&) override { calls << "will launch"; }
        void applicationDidFinishLaunching(const Notification&) override { calls << "did launch"; }
        ApplicationTerminateReply applicationShouldTerminate(Application*) override
        {
            calls << "should terminate";
            return reply;
        }
        void applicationWillTerminate(const Notification&) override { calls << "will terminate"; }
        bool applicationShouldHandleReopen(Application*, bool visible) override
        {
            calls << QString("reopen %1").arg(visible);
            return true;
        }
        ApplicationTerminateReply reply = TerminateCancel;
        QStringList calls;
    } delegate;
    app().setDelegate(&delegate);

    app().finishLaunching();
    app().finishLaunching();

    auto window = appkit_test::shownWindow();
    window->miniaturize(nullptr);
    app().reopen();
    EXPECT_FALSE(window->isMiniaturized());

    app().terminate(nullptr);
    EXPECT_FALSE(app().isTerminated());
    delegate.reply = TerminateNow;
    Recorder quitMenu;
    EXPECT_TRUE(app().sendAction("terminate:", nullptr, &quitMenu)); // a menu item without target
    EXPECT_TRUE(app().isTerminated());
    app().setDelegate(nullptr);

    EXPECT_EQ(delegate.calls, (QStringList{"will launch", "did launch", "reopen 0", "should terminate",
                                           "should terminate", "will terminate"}));
}
