#include "SkinTestSupport.h"

#include "app/ui/widgets/NSSheetWindow.h"
#include "app/ui/widgets/NSViewExt.h"
#include "app/ui/widgets/NSWindowExt.h"
#include "platform/ns/appkit/Screen.h"
#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

TEST(NSWindowExt, IsDraggedAnywhereButNotAboveTheScreen)
{
    NSWindowExt window(ns::Rect(100, 100, 200, 100));
    EXPECT_EQ(window.styleMask(), unsigned(ns::BorderlessWindowMask));
    EXPECT_FALSE(window.isOpaque());
    EXPECT_TRUE(window.canBecomeKeyWindow());
    window.makeKeyAndOrderFront(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget* content = window.contentView();
    const ns::Point start = window.frame().origin;

    QTest::mousePress(content, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseMove(content, QPoint(80, 40)); // right 30, up 10
    EXPECT_EQ(window.frame().origin, (ns::Point{start.x + 30, start.y + 10}));

    QTest::mouseMove(content, QPoint(50, -5000));
    EXPECT_EQ(window.frame().maxY(), ns::Screen::mainScreen().visibleFrame().maxY());
    QTest::mouseRelease(content, Qt::LeftButton, {}, QPoint(50, 50));

    const ns::Point released = window.frame().origin;
    QTest::mouseMove(content, QPoint(10, 10)); // no button: nothing moves
    EXPECT_EQ(window.frame().origin, released);
}

TEST(NSSheetWindow, IsBorderlessClearAndWithoutShadow)
{
    NSSheetWindow sheet(ns::Rect(0, 0, 100, 50), ns::TitledWindowMask);
    EXPECT_EQ(sheet.styleMask(), unsigned(ns::BorderlessWindowMask));
    EXPECT_FALSE(sheet.isOpaque());
    EXPECT_FALSE(sheet.hasShadow());
    EXPECT_EQ(sheet.backgroundColor().alphaComponent(), 0);
}

TEST(NSViewExt, DrawsItsImageOverAClearGround)
{
    NSViewExt view(ns::Rect(0, 0, 30, 30));
    view.setImage(ns::Image::imageWithContentsOfFile(skinFixture("quadrants.png")));
    QImage drawn(30, 30, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    view.render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
    // The image sits at the origin, the bottom left: its top-left quadrant (red)
    // lies 10 pixels above the bottom of the view.
    EXPECT_EQ(drawn.pixelColor(5, 15), QColor(Qt::red));
    EXPECT_EQ(drawn.pixelColor(15, 25), QColor(Qt::yellow));
    EXPECT_EQ(drawn.pixelColor(25, 5).alpha(), 0);
}

TEST(NSViewExt, InAShownWindowDrawsOnlyWhenThereIsSomethingNew)
{
    struct CountingView : NSViewExt {
        using NSViewExt::NSViewExt;
        void drawRect(const ns::Rect& dirtyRect) override
        {
            ++draws;
            NSViewExt::drawRect(dirtyRect);
        }
        int draws = 0;
    };
    const auto settle = [] {
        for (int round = 0; round < 5; ++round) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    };
    NSWindowExt window(ns::Rect(100, 100, 30, 30));
    auto* view = new CountingView(ns::Rect(0, 0, 30, 30));
    delete window.setContentView(view);
    view->setImage(ns::Image::imageWithContentsOfFile(skinFixture("quadrants.png")));
    window.makeKeyAndOrderFront(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->draws > 0; }));
    settle();

    // Nothing changes: nothing is drawn again.
    const int drawn = view->draws;
    settle();
    EXPECT_EQ(view->draws, drawn);

    // A new picture is drawn, and then it rests again.
    view->setImage(ns::Image::imageWithContentsOfFile(skinFixture("back.png")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->draws > drawn; }));
    settle();
    const int redrawn = view->draws;
    settle();
    EXPECT_EQ(view->draws, redrawn);
}
