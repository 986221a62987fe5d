// The billboard on the Internet view: rolled after an image download, stepped
// by its arrows with wrap-around, a missing picture leaving the one shown,
// and stopped when the connection goes idle.
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "tests/connection/DialTestSupport.h"
#include "tests/support/AppKitTestSupport.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace
{

using dial_test::DialApp;

ns::Dictionary billboardSettings(bool shown)
{
    return dial_test::withSettings({}, {{"Internet_isDisplayBillboard_WhenConnectSuccess", shown}});
}

// Picture n is n × 10 pixels wide, so the one shown tells its number.
void writePicture(const DialApp& app, int number)
{
    const QDir images(app.bundle.dataFolder() + "/images");
    ASSERT_TRUE(QDir().mkpath(images.path()));
    QImage picture(number * 10, 10, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(images.filePath(QStringLiteral("u%1.jpg").arg(number))));
}

double shownWidth(const DialApp& app)
{
    return app.dial.imageViewOfShowImageForBillboard_->image().size().width;
}

} // namespace

TEST(Billboard, ArrowsAndTheTimerStepThroughThePicturesUntilTheConnectionIsIdle)
{
    DialApp app(billboardSettings(true));
    writePicture(app, 1);
    writePicture(app, 3); // the second picture is missing
    ns::Button* back = app.dial.btnOfDownForBillboard_;
    ns::Button* forward = app.dial.btnOfUpForBillboard_;
    ASSERT_NE(app.dial.imageViewOfShowImageForBillboard_, nullptr);
    ASSERT_TRUE(back && forward);
    EXPECT_TRUE(back->isHidden());
    EXPECT_TRUE(forward->isHidden());

    app.dial.imageDownloadFinishForBillboard();
    EXPECT_FALSE(back->isHidden());
    EXPECT_FALSE(forward->isHidden());
    EXPECT_EQ(app.dial.borwserPicIndexforBillboard_, 1);

    // Back from the first shows the third.
    appkit_test::click(back);
    EXPECT_EQ(app.dial.borwserPicIndexforBillboard_, 3);
    EXPECT_EQ(shownWidth(app), 30);
    EXPECT_TRUE(back->isEnabled());
    appkit_test::click(forward);
    EXPECT_EQ(app.dial.borwserPicIndexforBillboard_, 1);
    EXPECT_EQ(shownWidth(app), 10);
    // The missing second picture leaves the first.
    app.clock.advance(3.0);
    EXPECT_EQ(app.dial.borwserPicIndexforBillboard_, 2);
    EXPECT_EQ(shownWidth(app), 10);
    app.clock.advance(3.0);
    EXPECT_EQ(shownWidth(app), 30);

    app.dial.setConnectStatus(DialController::Idle);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());
    EXPECT_NE(shownWidth(app), 30);
    app.clock.advance(9.0);
    EXPECT_EQ(app.dial.borwserPicIndexforBillboard_, 3);
}

TEST(Billboard, WithoutItsSettingThereIsNoBillboard)
{
    DialApp app(billboardSettings(false));
    EXPECT_EQ(app.dial.imageViewOfShowImageForBillboard_, nullptr);
    app.dial.imageDownloadFinishForBillboard();
    EXPECT_EQ(app.dial.timerOfAutoBrowserPicForBillboard_, nullptr);
}
