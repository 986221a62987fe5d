#include "tests/support/AppKitTestSupport.h"

#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/GraphicsContext.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/ScrollView.h"
#include "platform/ns/appkit/TextField.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

using namespace ns;

namespace
{

// Draws a blue square in its bottom-left corner, in its own coordinates.
class Corner : public View
{
public:
    using View::View;
    void drawRect(const Rect&) override
    {
        Color::blueColor().set();
        rectFill(Rect(0, 0, 10, 10));
    }
};

} // namespace

TEST(AppKitRendering, WindowGrabbedToAPngShowsItsViews)
{
    auto window = appkit_test::shownWindow(Rect(100, 100, 240, 160));
    View* content = window->contentView();
    auto* box = new Box(Rect(120, 80, 100, 60));
    box->setBoxType(BoxCustom);
    box->setBorderType(NoBorder);
    box->setFillColor(Color::redColor());
    box->setTitlePosition(NoTitle);
    content->addSubview(box);
    content->addSubview(new Corner(Rect(0, 0, 40, 40)));
    auto* button = new Button(Rect(10, 110, 90, 32));
    button->setTitle("OK");
    content->addSubview(button);
    auto* label = new TextField(Rect(10, 60, 100, 20));
    label->setEditable(false);
    label->setStringValue("Connected");
    content->addSubview(label);

    QTemporaryDir folder;
    const QString path = folder.filePath("window.png");
    ASSERT_TRUE(window->grab().save(path, "PNG"));
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(240, 160));
    EXPECT_EQ(image.pixelColor(170, 50), QColor(Qt::red));  // the box: 80 up from the bottom, 60 high
    EXPECT_EQ(image.pixelColor(5, 155), QColor(Qt::blue));  // the corner view's bottom left
    EXPECT_NE(image.pixelColor(35, 125), QColor(Qt::blue)); // the rest of the corner view is clear
}

TEST(AppKitBox, SubviewsGoInsideTheBorderAndMargins)
{
    Box box(Rect(0, 0, 200, 100));
    box.setTitlePosition(NoTitle);
    box.setBorderType(LineBorder);
    box.setContentViewMargins({5, 4});
    EXPECT_EQ(box.contentView()->frame(), Rect(7, 6, 186, 88));
    box.setTitle("Title");
    box.setTitlePosition(AboveTop);
    EXPECT_LT(box.contentView()->frame().maxY(), 94);
    EXPECT_EQ(box.subviews(), (QList<View*>{box.contentView()}));
}

TEST(AppKitScrollView, ScrollsATallDocument)
{
    auto window = appkit_test::shownWindow();
    auto* scrollView = new ScrollView(Rect(0, 0, 150, 100));
    scrollView->setHasVerticalScroller(true);
    scrollView->setAutohidesScrollers(true);
    window->contentView()->addSubview(scrollView);
    auto* document = new View(Rect(0, 0, 120, 400));
    (void)scrollView->setDocumentView(document);
    const double visibleHeight = scrollView->contentSize().height;
    EXPECT_EQ(visibleHeight, 100);
    EXPECT_LT(scrollView->contentSize().width, 150); // room for the scroller

    // A document that is not flipped starts at its top, and scrolls down to y 0.
    EXPECT_EQ(scrollView->documentVisibleRect(), Rect(0, 300, 120, 100));
    scrollView->contentView()->scrollToPoint({0, 0});
    EXPECT_EQ(scrollView->documentVisibleRect(), Rect(0, 0, 120, 100));
    EXPECT_EQ(document->geometry().top(), -300);
    scrollView->contentView()->scrollToPoint({0, 1000}); // held at the top
    EXPECT_EQ(scrollView->documentVisibleRect().origin.y, 300);
}

TEST(AppKitComboBox, ListComesFromTheDataSourceAndChoosingSelects)
{
    struct Operators : ComboBoxDataSource, ComboBoxDelegate {
        int numberOfItemsInComboBox(ComboBox*) override { return int(names.size()); }
        QString objectValueForItemAtIndex(ComboBox*, int index) override { return names[index]; }
        void comboBoxSelectionDidChange(const Notification&) override { ++selections; }
        void controlTextDidChange(const Notification&) override { ++edits; }
        QStringList names{"Alpha", "Beta"};
        int selections = 0;
        int edits = 0;
    } operators;
    auto window = appkit_test::shownWindow();
    auto* combo = new ComboBox(Rect(10, 10, 150, 26));
    window->contentView()->addSubview(combo);
    combo->setUsesDataSource(true);
    combo->setDataSource(&operators);
    combo->setDelegate(&operators);
    EXPECT_EQ(combo->numberOfItems(), 2);

    operators.names << "Gamma";
    combo->reloadData();
    QComboBox* list = combo->qComboBox();
    Q_EMIT list->activated(2); // the user picks the third entry
    EXPECT_EQ(combo->indexOfSelectedItem(), 2);
    EXPECT_EQ(operators.selections, 1);

    QTest::keyClicks(list->lineEdit(), "x");
    EXPECT_EQ(operators.edits, 1);
    EXPECT_EQ(combo->indexOfSelectedItem(), -1); // typing leaves the list's choice
}

TEST(AppKitImageView, PlacesItsImageByScalingAndAlignment)
{
    ImageView view(Rect(0, 0, 100, 50));
    view.setImage(Image(Size{40, 20}));
    struct Case {
        int scaling;
        int alignment;
        Rect expected;
    };
    const Case cases[] = {
        {ImageScaleNone, ImageAlignCenter, {30, 15, 40, 20}},
        {ImageScaleNone, ImageAlignTopLeft, {0, 30, 40, 20}},
        {ImageScaleNone, ImageAlignBottomRight, {60, 0, 40, 20}},
        {ImageScaleAxesIndependently, ImageAlignCenter, {0, 0, 100, 50}},
        {ImageScaleProportionallyUpOrDown, ImageAlignCenter, {0, 0, 100, 50}},
        {ImageScaleProportionallyDown, ImageAlignCenter, {30, 15, 40, 20}},
    };
    for (const Case& c : cases) {
        view.setImageScaling(c.scaling);
        view.setImageAlignment(c.alignment);
        EXPECT_EQ(view.cell()->imageRectForBounds(view.bounds()), c.expected)
            << c.scaling << "/" << c.alignment;
    }
}

TEST(AppKitDrawer, OpensBesideItsParentAndFollowsIt)
{
    auto window = appkit_test::shownWindow(Rect(100, 100, 300, 200));
    Drawer drawer(Size{120, 150}, MaxXEdge);
    drawer.setLeadingOffset(20);
    drawer.setTrailingOffset(10);
    drawer.open();
    EXPECT_EQ(drawer.state(), DrawerClosedState); // no parent yet
    drawer.setParentWindow(window.get());
    drawer.open();
    EXPECT_EQ(drawer.state(), DrawerOpenState);
    const Rect parent = window->frame();
    EXPECT_EQ(drawer.window()->frame(),
              Rect(parent.maxX(), parent.maxY() - 20 - (parent.height() - 30), 120, parent.height() - 30));
    EXPECT_TRUE(drawer.window()->QWidget::isVisible());

    window->setFrameOrigin({50, 60});
    EXPECT_EQ(drawer.window()->frame().minX(), window->frame().maxX());
    window->orderOut(nullptr);
    EXPECT_FALSE(drawer.window()->QWidget::isVisible());
    drawer.toggle(nullptr);
    EXPECT_EQ(drawer.state(), DrawerClosedState);
}
