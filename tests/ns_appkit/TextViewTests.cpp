// The read-only text and the progress bar that the update manager shows.
#include "platform/ns/appkit/ProgressIndicator.h"
#include "platform/ns/appkit/TextView.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>

using namespace ns;

TEST(AppKitTextView, KeepsItsStringAndShowsEveryLineEndAsOne)
{
    TextView view(Rect(0, 0, 200, 100));
    view.setString("first\r\nsecond\rthird\nfourth");
    EXPECT_EQ(view.string(), "first\r\nsecond\rthird\nfourth");
    EXPECT_EQ(view.editor()->toPlainText(), "first\nsecond\nthird\nfourth");
    EXPECT_EQ(view.editor()->document()->blockCount(), 4);
}

TEST(AppKitTextView, TakesTypingOnlyWhenEditable)
{
    TextView view(Rect(0, 0, 200, 100));
    view.setString("kept");
    view.setEditable(false);
    view.editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(view.editor(), "typed");
    EXPECT_EQ(view.string(), "kept");
    EXPECT_EQ(view.editor()->textInteractionFlags(), Qt::TextSelectableByMouse);

    view.setEditable(true);
    QTest::keyClicks(view.editor(), "!");
    EXPECT_EQ(view.string(), "kept!");
}

TEST(AppKitProgressIndicator, KeepsItsValueInItsRangeAndShowsItsShare)
{
    ProgressIndicator bar(Rect(0, 0, 200, 20));
    bar.setDoubleValue(40);
    EXPECT_EQ(bar.doubleValue(), 40);
    EXPECT_EQ(bar.bar()->value() * 100 / bar.bar()->maximum(), 40);
    bar.setDoubleValue(140);
    EXPECT_EQ(bar.doubleValue(), 100);
    bar.setMinValue(50);
    bar.setDoubleValue(10);
    EXPECT_EQ(bar.doubleValue(), 50);
    EXPECT_EQ(bar.bar()->value(), 0);

    // An indeterminate bar is busy only while it is animated.
    bar.setIndeterminate(true);
    bar.startAnimation(nullptr);
    EXPECT_EQ(bar.bar()->maximum(), 0);
    bar.stopAnimation(nullptr);
    EXPECT_GT(bar.bar()->maximum(), 0);
}
