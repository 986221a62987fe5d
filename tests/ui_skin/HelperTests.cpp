#include "SkinTestSupport.h"

#include "app/ui/widgets/FontCreation.h"
#include "app/ui/widgets/NSColorExt.h"
#include "app/ui/widgets/NSDictionaryExt.h"
#include "app/ui/widgets/NSImageExt.h"
#include "app/ui/widgets/NSStringExt.h"
#include "app/ui/widgets/NSTabViewExt.h"
#include "app/ui/widgets/TextFieldString.h"
#include "platform/ns/appkit/TextField.h"
#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

TEST(NSStringExt, TellsDigitsAndPhoneNumbers)
{
    struct Case {
        QString string;
        bool digital;
        bool phoneNumber;
    };
    const Case cases[] = {
        {"", false, false},      {"0123", true, true},  {"+", false, true},       {"+4912", false, true},
        {"49+12", false, false}, {"12a", false, false}, {"\u0661", false, false}, // an Arabic-Indic one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.string.toStdString());
        EXPECT_EQ(NSStringExt::isDigitalString(c.string), c.digital);
        EXPECT_EQ(NSStringExt::isValidPhoneNumber(c.string), c.phoneNumber);
    }
}

TEST(NSColorExt, ReadsCoreImageColourStrings)
{
    EXPECT_EQ(NSColorExt::colorWithNSString("1 0 0")->qColor(), QColor(Qt::red));
    EXPECT_NEAR(NSColorExt::colorWithNSString("0 0 1 0.5")->alphaComponent(), 0.5, 0.001);
    for (const char* unreadable : {"", "red", "1 0"})
        EXPECT_FALSE(NSColorExt::colorWithNSString(unreadable)) << unreadable;
}

TEST(NSImageExt, CutsWithinTheImageRoundedUpAndRescales)
{
    ns::Image image = ns::Image::imageWithContentsOfFile(skinFixture("quadrants.png"));
    ASSERT_FALSE(image.isNull());
    const ns::Image green = NSImageExt::cutImageInRect(image, ns::Rect(10, 0, 10, 10));
    EXPECT_EQ(green.size(), (ns::Size{10, 10}));
    EXPECT_EQ(pixel(green, 5, 5), QColor(Qt::green));
    EXPECT_TRUE(NSImageExt::cutImageInRect(image, ns::Rect(10, 0, 11, 10)).isNull());
    EXPECT_TRUE(NSImageExt::cutImageInRect(image, ns::Rect(0, 15, 10, 10)).isNull());

    // An image 10.5 wide takes a rectangle ending at 11, but not at 11.5.
    image.setSize({10.5, 20});
    EXPECT_FALSE(NSImageExt::cutImageInRect(image, ns::Rect(1, 0, 10, 10)).isNull());
    EXPECT_TRUE(NSImageExt::cutImageInRect(image, ns::Rect(1.5, 0, 10, 10)).isNull());

    const ns::Image wide = NSImageExt::rescaleImage(image, {40, 5});
    EXPECT_EQ(wide.pixelSize(), (ns::Size{40, 5}));
    EXPECT_TRUE(NSImageExt::rescaleImage(image, {0, 5}).isNull());
    const ns::Image copied = NSImageExt::fromCGImageRef(NSImageExt::toCGImageRef(image));
    EXPECT_EQ(pixel(copied, 15, 15), QColor(Qt::yellow));
    EXPECT_TRUE(NSImageExt::fromCGImageRef(QImage()).isNull());
}

TEST(NSTabViewExt, FindsRenamesAndRemovesItemsByIdentifier)
{
    ns::TabView tabs(ns::Rect(0, 0, 200, 100));
    auto sms = std::make_unique<ns::TabViewItem>("SMS");
    ns::View* smsView = new ns::View;
    delete sms->setView(smsView);
    tabs.addTabViewItem(std::move(sms));
    tabs.addTabViewItem(std::make_unique<ns::TabViewItem>("Internet"));

    EXPECT_EQ(NSTabViewExt::viewOfIdentifier(&tabs, "SMS"), smsView);
    EXPECT_EQ(NSTabViewExt::tabViewItemOfIdentifier(&tabs, "Calls"), nullptr);
    EXPECT_TRUE(NSTabViewExt::setTabViewItemLabel(&tabs, "Messages", "SMS"));
    EXPECT_EQ(NSTabViewExt::tabViewItemOfIdentifier(&tabs, "SMS")->label(), "Messages");
    EXPECT_FALSE(NSTabViewExt::setTabViewItemLabel(&tabs, QString(), "SMS"));
    EXPECT_FALSE(NSTabViewExt::setTabViewItemLabel(&tabs, "Calls", "Calls"));
    EXPECT_TRUE(NSTabViewExt::removeTabViewItemWithIdentifier(&tabs, "SMS"));
    EXPECT_FALSE(NSTabViewExt::removeTabViewItemWithIdentifier(&tabs, "SMS"));
    EXPECT_EQ(tabs.numberOfTabViewItems(), 1);
}

TEST(FontCreation, FallsBackToTheCurrentFontThenTheLabelFont)
{
    const ns::Font current = ns::Font::systemFontOfSize(20);
    const ns::Font named = createFont("DejaVu Sans", 15, ns::BoldFontMask, current);
    EXPECT_EQ(named.familyName(), "DejaVu Sans");
    EXPECT_EQ(named.pointSize(), 15);
    EXPECT_TRUE(named.qFont().bold());
    EXPECT_EQ(createFont("No Such Font", 15, 0, current), current);
    EXPECT_EQ(createFont("No Such Font", 15, 0, std::nullopt), ns::Font::labelFontOfSize(15));
}

TEST(TextFieldString, ReplacesOrAddsToTheTextAndTheEditorsSelection)
{
    auto window = appkit_test::shownWindow();
    auto* field = new ns::TextField(ns::Rect(10, 10, 200, 24));
    window->contentView()->addSubview(field);
    field->setStringValue("*100");

    setTextFieldString(field, "#", false);
    EXPECT_EQ(field->stringValue(), "*100#");
    setTextFieldString(field, "*101#", true);
    EXPECT_EQ(field->stringValue(), "*101#");
    setTextFieldString(field, QString(), true);
    setTextFieldString(nullptr, "1", true);
    EXPECT_EQ(field->stringValue(), "*101#");

    // While the user edits, the string takes the place of the selection.
    field->selectText(nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->editor()->hasFocus(); }));
    field->editor()->setSelection(1, 3);
    setTextFieldString(field, "22", false);
    EXPECT_EQ(field->stringValue(), "*22#");
    EXPECT_EQ(field->editor()->cursorPosition(), 4);
    setTextFieldString(field, "*5#", true);
    EXPECT_EQ(field->editor()->text(), "*5#");
    EXPECT_EQ(field->stringValue(), "*5#");
}

TEST(NSDictionaryExt, AppliesLayoutEntriesAndRefusesMissingOnes)
{
    const ns::Dictionary layout{
        {"Panel", ns::Dictionary{{"X", 10}, {"Y", "20"}, {"W", 30.5}, {"H", 40}, {"Hidden", true}}},
        {"NotAnEntry", "X"},
    };
    ns::View parent(ns::Rect(0, 0, 200, 200));
    auto* view = new ns::View(ns::Rect(1, 2, 3, 4));
    parent.addSubview(view);

    EXPECT_TRUE(NSDictionaryExt::setUIItemSizeInfo(layout, view, "Panel"));
    EXPECT_EQ(view->frame(), ns::Rect(1, 2, 30.5, 40));
    EXPECT_TRUE(NSDictionaryExt::setItemFrame(layout, view, "Panel"));
    EXPECT_EQ(view->frame(), ns::Rect(10, 20, 30.5, 40));
    EXPECT_FALSE(view->isHidden());
    EXPECT_TRUE(NSDictionaryExt::setItemFrameInfo(layout, view, "Panel"));
    EXPECT_TRUE(view->isHidden());

    for (const char* key : {"Missing", "NotAnEntry"}) {
        EXPECT_FALSE(NSDictionaryExt::setItemFrame(layout, view, key)) << key;
        EXPECT_FALSE(NSDictionaryExt::setItemFrameInfo(layout, view, key)) << key;
    }
    EXPECT_FALSE(NSDictionaryExt::setItemFrame(layout, nullptr, "Panel"));
    EXPECT_FALSE(NSDictionaryExt::setItemImage(layout, view, "Panel"));
    EXPECT_EQ(view->frame(), ns::Rect(10, 20, 30.5, 40));
}
