#include "SkinTestSupport.h"

#include "app/ui/skin/UIManager.h"
#include "app/ui/widgets/NSButtonExt.h"
#include "app/ui/widgets/NSFlickerButton.h"
#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QTest>

using appkit_test::Mouse;

namespace
{

// The colour of the button's current image (strips4v: red up, green down,
// gray disabled, blue in).
QColor shown(const ns::Button& button)
{
    return pixel(button.image(), 5, 5);
}

const QColor kUp = Qt::red;
const QColor kDown = Qt::green;
const QColor kDisabled(128, 128, 128);
const QColor kIn = Qt::blue;

// A shown window whose content holds hover buttons dressed from strips4v.png.
class HoverButtonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const ns::Dictionary strips{{"ImageName", "strips4v.png"}, {"BtnStyle", "Vertical"}};
        ns::Dictionary grouped = strips.copy();
        grouped.setValue("GroupBtnID", "tabs");
        ns::Dictionary groupDefault = grouped.copy();
        groupDefault.setValue("GroupBtnDefault", true);
        ns::Dictionary titled = strips.copy();
        titled.setValue("BtnTitleColorDict",
                        ns::Dictionary{{"Up", "1 0 0"}, {"In", "0 1 0"}, {"Down", "0 0 1"}});
        folder_ = std::make_unique<TestSkin>(
            ns::Dictionary{{"button", titled}, {"tab", grouped}, {"firstTab", groupDefault}});
        ASSERT_TRUE(skin_.loadUIResource(folder_->path()));
        // The mouse starts away from the window.
        QCursor::setPos(0, 0);
        window_ = appkit_test::shownWindow(ns::Rect(100, 100, 300, 200));
    }

    NSFlickerButton* addButton(const QString& key, double x)
    {
        auto* button = new NSFlickerButton(ns::Rect(x, 50, 20, 20));
        button->setTitle("Go");
        button->setTarget(&target_);
        button->setAction("pressed:");
        window_->contentView()->addSubview(button);
        EXPECT_TRUE(skin_.registerController(button, key, true));
        button->display(); // drawing installs the tracking rectangle
        return button;
    }

    void hover(ns::View* view) { appkit_test::mouse(Mouse::Move, view, {5, 5}); }
    void leave() { appkit_test::mouse(Mouse::Move, window_->contentView(), {290, 190}); }

    SkinBundle bundle_;
    ConfigManager store_;
    UIManager skin_{store_};
    std::unique_ptr<TestSkin> folder_;
    std::unique_ptr<ns::Window> window_;
    appkit_test::Recorder target_;
};

} // namespace

TEST_F(HoverButtonTest, FollowsTheMouseThroughItsStates)
{
    NSFlickerButton* button = addButton("button", 40);
    EXPECT_EQ(shown(*button), kUp);

    hover(button);
    EXPECT_EQ(shown(*button), kIn);
    EXPECT_EQ(button->titleColor()->qColor(), QColor(Qt::green));
    EXPECT_TRUE(button->isBtnStatusOK(NSFlickerButton::BtnStatusMouseInside));

    appkit_test::mouse(Mouse::Press, button, {5, 5});
    EXPECT_EQ(shown(*button), kDown);
    EXPECT_EQ(button->titleColor()->qColor(), QColor(Qt::blue));

    // Dragged out and released there: back up, and no action.
    QTest::mouseMove(button, QPoint(-30, 5));
    EXPECT_EQ(shown(*button), kUp);
    EXPECT_FALSE(button->isBtnStatusOK(NSFlickerButton::BtnStatusMouseInside));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-30, 5));
    EXPECT_EQ(shown(*button), kUp);
    EXPECT_TRUE(target_.senders.isEmpty());

    // Pressed and released inside: the action, with the button as sender.
    leave();
    hover(button);
    appkit_test::mouse(Mouse::Press, button, {5, 5});
    appkit_test::mouse(Mouse::Release, button, {5, 5});
    EXPECT_EQ(target_.senders, QList<ns::Object*>{button});
    EXPECT_EQ(shown(*button), kUp);
    EXPECT_EQ(button->titleColor()->qColor(), QColor(Qt::red));
    leave();
    EXPECT_EQ(shown(*button), kUp);
    EXPECT_FALSE(button->isBtnStatusOK(NSFlickerButton::BtnStatusMouseInside));
}

TEST_F(HoverButtonTest, ADisabledButtonShowsItsDisabledImageAndIgnoresTheMouse)
{
    NSFlickerButton* button = addButton("button", 40);
    button->setEnabled(false);
    EXPECT_EQ(shown(*button), kDisabled);
    hover(button);
    appkit_test::click(button);
    EXPECT_EQ(shown(*button), kDisabled);
    EXPECT_TRUE(target_.senders.isEmpty());

    leave();
    button->setEnabled(true);
    EXPECT_EQ(shown(*button), kUp);
}

TEST_F(HoverButtonTest, OneButtonOfAGroupShowsPressed)
{
    NSFlickerButton* first = addButton("firstTab", 10);
    NSFlickerButton* second = addButton("tab", 40);
    NSFlickerButton* third = addButton("tab", 70);
    EXPECT_EQ(shown(*first), kDown);
    EXPECT_EQ(shown(*second), kUp);

    hover(second);
    appkit_test::mouse(Mouse::Press, second, {5, 5});
    appkit_test::mouse(Mouse::Release, second, {5, 5});
    leave();
    EXPECT_EQ(shown(*first), kUp);
    EXPECT_EQ(shown(*second), kDown);
    EXPECT_EQ(shown(*third), kUp);
    EXPECT_EQ(target_.senders, QList<ns::Object*>{second});

    // Passing over another button of the group leaves the choice alone.
    hover(third);
    EXPECT_EQ(shown(*third), kIn);
    leave();
    EXPECT_EQ(shown(*third), kUp);
    EXPECT_EQ(shown(*second), kDown);
}

TEST(NSButtonExt, KeepsItsTitleColourAcrossTitles)
{
    NSButtonExt button;
    button.setTitleColor(ns::Color::redColor());
    EXPECT_FALSE(button.attributedTitle().attributes().foregroundColor); // nothing to colour yet
    button.setTitle("Connect");
    ASSERT_TRUE(button.attributedTitle().attributes().foregroundColor);
    EXPECT_EQ(button.attributedTitle().attributes().foregroundColor->qColor(), QColor(Qt::red));
    button.setTitle("Disconnect");
    EXPECT_EQ(button.attributedTitle().string(), "Disconnect");
    EXPECT_EQ(button.attributedTitle().attributes().foregroundColor->qColor(), QColor(Qt::red));
}
