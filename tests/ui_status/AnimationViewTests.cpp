#include "StatusTestSupport.h"
#include "tests/support/AppKitTestSupport.h"

#include "app/interfaces/SMSControlling.h"
#include "app/ui/status/animationView.h"

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>

#include <atomic>

using namespace status_test;

namespace
{

const QList<QColor> imageColours = {Qt::red, Qt::green, Qt::blue, Qt::yellow};

// Notes any drawing or showing of the view away from the GUI thread.
class ObservedAnimationView : public animationView
{
public:
    ObservedAnimationView() : animationView(ns::Rect(10, 10, 40, 40)) {}
    void drawRect(const ns::Rect& dirtyRect) override
    {
        note();
        animationView::drawRect(dirtyRect);
    }
    void setHidden(bool hidden) override
    {
        note();
        animationView::setHidden(hidden);
    }
    std::atomic<bool> touchedOffGuiThread = false;

private:
    void note()
    {
        if (!onGuiThread())
            touchedOffGuiThread = true;
    }
};

class InboxRecorder : public SMSControlling
{
public:
    void GotoInbox() override { ++calls; }
    ns::Point centerTheNewSMSArriveWnd(const ns::Rect& frame) override { return frame.origin; }
    void sendMessageto(const QString&, const QString&) override {}
    void sendSmsTo(const QString&, const QString&, bool, bool, bool) override {}
    bool hasNewSMSInPos(int) override { return false; }
    void startAnimationWhenMaximizeWithNewSms() override {}
    void doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime() override {}
    void setSendSMSBtnStatWhenSendUserInfo(bool) override {}
    QString getDiagnosticsSMS() override { return QString(); }
    int getNetCardStatus() override { return 0; }
    void cleanTextControlShowCertainNewSmsContent() override {}
    int calls = 0;
};

class AnimationViewTest : public testing::Test
{
protected:
    AnimationViewTest() : window(appkit_test::shownWindow())
    {
        view = new ObservedAnimationView;
        window->contentView()->addSubview(view);
    }

    void addImages(const QStringList& fileNames)
    {
        for (int i = 0; i < fileNames.size(); ++i)
            images.addImage(fileNames[i], QSize(8, 8), imageColours[i]);
    }

    QColor shownColour()
    {
        applyPendingFrames();
        return view->grab().toImage().pixelColor(20, 20);
    }

    SteppedFramePacer pacer;
    ImageBundle images;
    std::unique_ptr<ns::Window> window;
    ObservedAnimationView* view;
};

struct PathCase {
    const char* name;
    QString path;
    QStringList fileNames; // images 1 to 4
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << c.name;
}

class AnimationViewCycle : public AnimationViewTest, public testing::WithParamInterface<PathCase>
{
};

TEST_P(AnimationViewCycle, CyclesTheFourImagesFromTheFirstOnTheGuiThread)
{
    addImages(GetParam().fileNames);
    view->setImagePath(GetParam().path);
    EXPECT_EQ(view->getImagePath(), GetParam().path);
    view->startAnimation();
    EXPECT_FALSE(view->isHidden());

    for (int step = 0; step < 6; ++step) {
        pacer.step();
        SCOPED_TRACE(testing::Message() << "step " << step + 1);
        EXPECT_EQ(shownColour(), imageColours[step % 4]);
    }
    view->stopAnimation();
    EXPECT_TRUE(view->isHidden());
    EXPECT_FALSE(pacer.hasWaitingThread());
    EXPECT_FALSE(view->touchedOffGuiThread);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AnimationViewCycle,
    testing::Values(PathCase{"NumberedPath",
                             QStringLiteral("NewSMS1"),
                             {"NewSMS1.PNG", "NewSMS2.PNG", "NewSMS3.PNG", "NewSMS4.PNG"}},
                    // The first image is named by the path itself, whatever its last character.
                    PathCase{"UnnumberedPath",
                             QStringLiteral("NewSMSx"),
                             {"NewSMSx.PNG", "NewSMS2.PNG", "NewSMS3.PNG", "NewSMS4.PNG"}}),
    [](const testing::TestParamInfo<PathCase>& info) { return info.param.name; });

TEST_F(AnimationViewTest, AClickStopsTheAnimationAndOpensTheInbox)
{
    addImages({"NewSMS1.PNG", "NewSMS2.PNG", "NewSMS3.PNG", "NewSMS4.PNG"});
    view->setImagePath(QStringLiteral("NewSMS1"));
    InboxRecorder smsController;
    g_SMSController = &smsController;

    view->startAnimation();
    pacer.step();
    appkit_test::click(view);
    EXPECT_TRUE(view->isHidden());
    EXPECT_FALSE(pacer.hasWaitingThread());
    EXPECT_EQ(smsController.calls, 1);

    // Without an SMS controller the click only stops.
    g_SMSController = nullptr;
    view->startAnimation();
    appkit_test::click(view);
    EXPECT_TRUE(view->isHidden());
    EXPECT_FALSE(pacer.hasWaitingThread());
    EXPECT_EQ(smsController.calls, 1);
}

} // namespace
