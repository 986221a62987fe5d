#include "tests/support/AppKitTestSupport.h"
#include "StatusTestSupport.h"

#include "app/ui/status/StatusBarView.h"

#include <gtest/gtest.h>

#include <QList>

#include <atomic>

using namespace status_test;

namespace
{

const QString sequencePath = QStringLiteral("Arrive1");
const QList<QColor> frameColours = {Qt::red, Qt::green, Qt::blue};
const QColor iconColour = Qt::yellow;

// Frame n of the sequence is 10 + n pixels wide, so the item's width tells the frames apart.
double frameWidth(int frame)
{
    return 10 + frame;
}

ns::Image icon()
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(iconColour);
    return ns::Image(image);
}

// Notes any change of the view made away from the GUI thread.
class ObservedStatusBarView : public StatusBarView
{
public:
    ObservedStatusBarView() : StatusBarView(ns::Rect(0, 0, 20, 20)) {}
    void setFrame(const ns::Rect& frame) override
    {
        note();
        StatusBarView::setFrame(frame);
    }
    void setNeedsDisplay(bool flag = true) override
    {
        note();
        StatusBarView::setNeedsDisplay(flag);
    }
    void drawRect(const ns::Rect& dirtyRect) override
    {
        note();
        StatusBarView::drawRect(dirtyRect);
    }
    std::atomic<bool> touchedOffGuiThread = false;

private:
    void note()
    {
        if (!onGuiThread())
            touchedOffGuiThread = true;
    }
};

class StatusBarViewTest : public testing::Test
{
protected:
    void addFrames(const QList<int>& frames)
    {
        for (int frame : frames)
            images.addImage(QStringLiteral("Arrive%1.PNG").arg(frame), QSize(int(frameWidth(frame)), 16),
                            frameColours[frame - 1]);
    }

    void startSequence(int frames)
    {
        view.setAnimationSequenceImageNumber(frames);
        view.setAnimationImagesPath(sequencePath);
        view.startAnimation();
    }

    // What the status item shows once the GUI thread has caught up.
    const ns::Image& shown()
    {
        applyPendingFrames();
        return view.statusItem()->displayedImage();
    }
    QColor shownColour() { return shown().qImage().pixelColor(5, 15); }
    double shownWidth() { return shown().pixelSize().width; }

    SteppedFramePacer pacer;
    ImageBundle images;
    ObservedStatusBarView view;
};

struct SequenceCase {
    const char* name;
    QList<int> frameFiles; // the frames whose images exist
    int frameCount;
    QList<int> shownFrames; // per step; 0 for nothing drawn
};

void PrintTo(const SequenceCase& c, std::ostream* os)
{
    *os << c.name;
}

class StatusBarViewSequence : public StatusBarViewTest, public testing::WithParamInterface<SequenceCase>
{
};

TEST_P(StatusBarViewSequence, StepsThroughTheFramesInOrder)
{
    const SequenceCase& c = GetParam();
    addFrames(c.frameFiles);
    startSequence(c.frameCount);

    double width = view.frame().width();
    for (int step = 0; step < c.shownFrames.size(); ++step) {
        pacer.step();
        const int frame = c.shownFrames[step];
        if (frame > 0)
            width = frameWidth(frame) + 10;
        SCOPED_TRACE(testing::Message() << "step " << step + 1);
        EXPECT_EQ(shownColour(), frame > 0 ? frameColours[frame - 1] : QColor(Qt::transparent));
        EXPECT_EQ(view.frame(), ns::Rect(0, 0, width, 20));
    }
    view.stopAnimation();
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, StatusBarViewSequence,
    testing::Values(SequenceCase{"AllFrames", {1, 2, 3}, 3, {1, 2, 3, 1, 2}},
                    SequenceCase{"TwoOfThree", {1, 2, 3}, 2, {1, 2, 1}},
                    // A missing image leaves a gap in the list: the last place has no frame.
                    SequenceCase{"MissingMiddleFrame", {1, 3}, 3, {1, 3, 0, 1}},
                    SequenceCase{"NoFrameCount", {1, 2, 3}, 0, {0, 0}}),
    [](const testing::TestParamInfo<SequenceCase>& info) { return info.param.name; });

TEST_F(StatusBarViewTest, FramesComeFromTheAnimationThreadButChangeTheViewOnTheGuiThreadOnly)
{
    addFrames({1, 2, 3});
    startSequence(3);
    applyPendingFrames();
    const ns::Rect before = view.frame();

    pacer.step();
    // The thread has worked out the frame; the view changes when the GUI thread runs.
    EXPECT_EQ(view.frame(), before);
    applyPendingFrames();
    EXPECT_EQ(view.frame(), ns::Rect(0, 0, frameWidth(1) + 10, 20));

    pacer.step(4);
    applyPendingFrames();
    EXPECT_EQ(view.frame(), ns::Rect(0, 0, frameWidth(2) + 10, 20));
    view.stopAnimation();
    EXPECT_FALSE(pacer.hasWaitingThread());
    EXPECT_FALSE(view.touchedOffGuiThread);
}

TEST_F(StatusBarViewTest, AfterStopNoFrameOfTheOldRunArrivesAndNothingIsShown)
{
    addFrames({1, 2, 3});
    startSequence(3);
    pacer.step();
    EXPECT_EQ(shownColour(), frameColours[0]);

    pacer.step(); // frame 2 handed over, not yet shown
    view.stopAnimation();
    EXPECT_FALSE(view.bAnimation());
    EXPECT_TRUE(view.getAnimationImagesPath().isEmpty());
    // Started again before the GUI thread runs: the old run's frame 2 never
    // arrives, the new run shows where it starts (its last frame).
    startSequence(3);
    EXPECT_EQ(shownColour(), frameColours[2]);
    pacer.step();
    EXPECT_EQ(shownColour(), frameColours[0]);

    view.stopAnimation();
    EXPECT_EQ(shownColour(), QColor(Qt::transparent));
    view.setImage(icon());
    EXPECT_EQ(shownColour(), iconColour);
}

TEST_F(StatusBarViewTest, TheIconShowsWhileTheFramesKeepTheirIndex)
{
    addFrames({1, 2, 3});
    startSequence(3);
    pacer.step();
    EXPECT_EQ(shownColour(), frameColours[0]);

    view.setImage(icon());
    EXPECT_FALSE(view.bAnimation());
    EXPECT_EQ(shownColour(), iconColour);
    EXPECT_EQ(view.frame(), ns::Rect(0, 0, 26, 20));
    pacer.step();
    EXPECT_EQ(shownColour(), iconColour);
    EXPECT_EQ(view.frame(), ns::Rect(0, 0, 26, 20));

    view.setBanimation(true);
    pacer.step();
    EXPECT_EQ(shownColour(), frameColours[2]);
    view.stopAnimation();
}

TEST_F(StatusBarViewTest, TheSamePathAgainChangesNothing)
{
    view.setAnimationSequenceImageNumber(3);
    view.setAnimationImagesPath(sequencePath);
    view.setImage(icon());
    view.setAnimationImagesPath(sequencePath);
    EXPECT_FALSE(view.bAnimation());
    EXPECT_EQ(shownColour(), iconColour);

    view.setAnimationImagesPath(QStringLiteral("Other1"));
    EXPECT_TRUE(view.bAnimation());
    EXPECT_EQ(view.getAnimationImagesPath(), QStringLiteral("Other1"));
}

TEST_F(StatusBarViewTest, TheItemIsInTheStatusBarAndShowsTheViewWithoutATray)
{
    ns::StatusBar& bar = ns::StatusBar::systemStatusBar();
    ASSERT_FALSE(bar.isAvailable()) << "the offscreen desktop has no tray";
    ns::StatusItem* item = view.statusItem();
    EXPECT_TRUE(bar.statusItems().contains(item));
    EXPECT_EQ(item->view(), &view);
    EXPECT_TRUE(item->highlightMode());
    EXPECT_EQ(item->length(), ns::VariableStatusItemLength);

    view.setImage(icon());
    auto menu = std::make_unique<ns::Menu>();
    ns::Menu* menuSet = menu.get();
    view.setMenu(std::move(menu));
    EXPECT_EQ(view.menu(), menuSet);
    EXPECT_EQ(shown().pixelSize(), (ns::Size{26, 20}));
    EXPECT_EQ(shownColour(), iconColour);
    EXPECT_FALSE(item->isShown());
    // Without a tray there is nothing to pop the menu up from: it returns at once.
    item->popUpStatusItemMenu(menuSet);

    {
        StatusBarView other;
        EXPECT_EQ(bar.statusItems().size(), 2);
    }
    EXPECT_EQ(bar.statusItems(), QList<ns::StatusItem*>{item});
}

// Receives what the status view passes on.
class ClickRecorder : public ns::View
{
public:
    ClickRecorder() : ns::View(ns::Rect(0, 0, 200, 100))
    {
        registerSelector("statusItemClicked:",
                         [this](ns::Object* argument) { actionArguments.append(argument); });
    }
    void mouseUp(const ns::Event&) override { ++plainMouseUps; }
    QList<ns::Object*> actionArguments;
    int plainMouseUps = 0;
};

struct ClickCase {
    const char* name;
    bool menu;
    QString action;
    bool sendsAction;
    bool plainHandling;
};

void PrintTo(const ClickCase& c, std::ostream* os)
{
    *os << c.name;
}

class StatusBarViewClick : public testing::TestWithParam<ClickCase>
{
};

TEST_P(StatusBarViewClick, MenuFirstThenTheTargetsActionThenPlainHandling)
{
    const ClickCase& c = GetParam();
    auto window = appkit_test::shownWindow();
    auto* recorder = new ClickRecorder;
    window->contentView()->addSubview(recorder);
    auto* view = new StatusBarView;
    recorder->addSubview(view);
    view->setImage(icon());
    if (c.menu)
        view->setMenu(std::make_unique<ns::Menu>());
    view->setTarget(recorder);
    view->setAction(c.action);

    appkit_test::click(view);
    EXPECT_EQ(recorder->actionArguments, c.sendsAction ? QList<ns::Object*>{recorder} : QList<ns::Object*>{});
    EXPECT_EQ(recorder->plainMouseUps, c.plainHandling ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, StatusBarViewClick,
    testing::Values(ClickCase{"Menu", true, QStringLiteral("statusItemClicked:"), false, false},
                    ClickCase{"Action", false, QStringLiteral("statusItemClicked:"), true, false},
                    ClickCase{"UnansweredAction", false, QStringLiteral("other:"), false, true},
                    ClickCase{"NoAction", false, QString(), false, true}),
    [](const testing::TestParamInfo<ClickCase>& info) { return info.param.name; });

} // namespace
