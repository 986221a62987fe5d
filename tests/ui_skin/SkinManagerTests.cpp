#include "SkinTestSupport.h"

#include "app/ui/skin/UIManager.h"
#include "app/ui/widgets/NSButtonCellExt.h"
#include "app/ui/widgets/NSButtonExt.h"
#include "app/ui/widgets/NSFlickerButton.h"
#include "app/ui/widgets/NSPanelExt.h"
#include "app/ui/widgets/NSPopUpButtonExt.h"
#include "app/ui/widgets/NSViewExt.h"
#include "app/ui/widgets/NSWindowExt.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

const QString kFamily = QStringLiteral("DejaVu Sans");

// The description of a skin whose items are the given ones plus a marker
// item naming the file that was read.
ns::Dictionary describedAs(const QString& marker, ns::Dictionary items = ns::Dictionary())
{
    items.setValue(QStringLiteral("readFrom"), ns::Dictionary{{"Name", marker}});
    return items;
}

QString readFrom(const UIManager& skin)
{
    const auto item = skin.itemInfoDictForKey(QStringLiteral("readFrom"));
    return item ? item->value("Name").toString() : QString();
}

} // namespace

TEST(UIManagerLoading, PrefersTheLanguageVariantAndFallsBackToSkinInfo)
{
    struct Case {
        const char* what;
        bool variantPresent;
        bool languagesListed; // a "SupportLanguages" list turns multi-language support off
        QString expected;
    };
    const Case cases[] = {
        {"variant present", true, false, "SkinInfo_English"},
        {"variant missing", false, false, "SkinInfo"},
        {"one language only", true, true, "SkinInfo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ns::Dictionary settings;
        if (c.languagesListed)
            settings.setValue("SupportLanguages", ns::Array{"English"});
        SkinBundle bundle(settings);
        ConfigManager store;
        TestSkin folder(describedAs("SkinInfo"));
        if (c.variantPresent)
            folder.writeDescription("SkinInfo_English", describedAs("SkinInfo_English"));

        UIManager skin(store);
        ASSERT_TRUE(skin.loadUIResource(folder.path()));
        EXPECT_EQ(readFrom(skin), c.expected);
        EXPECT_EQ(skin.skinPath(), folder.path());
    }
}

TEST(UIManagerLoading, AFailedLoadKeepsThePreviousSkin)
{
    SkinBundle bundle;
    ConfigManager store;
    TestSkin good(describedAs("good"));
    TestSkin undescribed;
    TestSkin garbled;
    QFile file(garbled.path() + "/SkinInfo");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a property list");
    file.close();

    UIManager skin(store);
    ASSERT_TRUE(skin.loadUIResource(good.path()));
    for (const QString& path : {QString(), good.path() + "/missing", undescribed.path(), garbled.path()}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(skin.loadUIResource(path));
        EXPECT_EQ(readFrom(skin), "good");
        EXPECT_EQ(skin.skinPath(), good.path());
    }
    skin.unloadUIResource();
    EXPECT_FALSE(skin.skinInfo().has_value());
    EXPECT_FALSE(skin.hasKey("readFrom"));
}

TEST(UIManagerRegistration, GivesTheSkinWideFontEvenWhenItRefuses)
{
    const ns::Dictionary settings{
        {"Main", ns::Dictionary{{"TextFont", ns::Dictionary{{"FontName", kFamily}, {"FontSize", 17}}}}}};
    SkinBundle bundle(settings);
    ConfigManager store;
    TestSkin folder(ns::Dictionary{{"label", ns::Dictionary()}, {"notAnItem", "text"}});
    UIManager skin(store);

    // No skin yet: refused, but the configured font is given.
    ns::TextField early;
    EXPECT_FALSE(skin.registerController(&early, "label", true));
    EXPECT_EQ(early.font().familyName(), kFamily);
    EXPECT_EQ(early.font().pointSize(), 17);

    ASSERT_TRUE(skin.loadUIResource(folder.path()));
    ns::TextField label;
    EXPECT_TRUE(skin.registerController(&label, "label", false));
    EXPECT_EQ(skin.controllerByKey("label"), &label);
    for (const char* key : {"label", "other", "notAnItem"}) {
        SCOPED_TRACE(key);
        label.setFont(ns::Font::systemFontOfSize(9));
        EXPECT_FALSE(skin.registerController(&label, key, false));
        EXPECT_EQ(label.font().pointSize(), 17);
    }
    EXPECT_EQ(skin.controllersByKey("label"), QList<ns::Object*>{&label});

    // The skin's own "allFont" comes before the configured font.
    skin.setSkinInfo(ns::Dictionary{{"allFont", ns::Dictionary{{"FontName", kFamily}, {"FontSize", 21}}},
                                    {"label", ns::Dictionary()}});
    ns::TextField later;
    EXPECT_TRUE(skin.registerController(&later, "label", false));
    EXPECT_EQ(later.font().pointSize(), 21);
    EXPECT_EQ(skin.controllersByKey("label"), (QList<ns::Object*>{&label, &later}));
}

TEST(UIManagerRegistration, ForgetsObjectsThatAreDestroyed)
{
    SkinBundle bundle;
    ConfigManager store;
    TestSkin folder(ns::Dictionary{{"pane", ns::Dictionary{{"Left", 3}, {"Bottom", 4}}}});
    UIManager skin(store);
    ASSERT_TRUE(skin.loadUIResource(folder.path()));

    auto pane = std::make_unique<ns::View>(ns::Rect(0, 0, 10, 10));
    ASSERT_TRUE(skin.registerController(pane.get(), "pane", true));
    EXPECT_EQ(pane->frame().origin, (ns::Point{3, 4}));
    EXPECT_TRUE(skin.updateUI());

    pane.reset();
    EXPECT_EQ(skin.controllerByKey("pane"), nullptr);
    EXPECT_FALSE(skin.updateUI());
    ns::View again(ns::Rect(0, 0, 10, 10));
    EXPECT_TRUE(skin.registerController(&again, "pane", false));
}

TEST(UIManagerUpdate, DressesViewsWithFramesFontsColoursAndImages)
{
    SkinBundle bundle;
    ConfigManager store;
    const ns::Dictionary items{
        {"pane", ns::Dictionary{{"Left", 10}, {"Bottom", "20"}, {"ImageName", "back.png"}}},
        {"label",
         ns::Dictionary{{"Left", 5},
                        {"Bottom", 150},
                        {"Width", "80"},
                        {"Height", 20},
                        {"Hidden", true},
                        {"Font", ns::Dictionary{{"FontName", kFamily}, {"FontSize", 15}, {"FontTrait", 2}}},
                        {"TextColorString", "1 0 0"}}},
        {"cut", ns::Dictionary{{"ImageName", "quadrants.png"},
                               {"CutImage", true},
                               {"CutLeft", 10},
                               {"CutTop", 0},
                               {"CutWidth", 10},
                               {"CutHeight", 10}}},
        {"cutTooFar", ns::Dictionary{{"Left", 1},
                                     {"ImageName", "quadrants.png"},
                                     {"CutImage", true},
                                     {"CutLeft", 15},
                                     {"CutTop", 0},
                                     {"CutWidth", 10},
                                     {"CutHeight", 10}}},
        {"stretched",
         ns::Dictionary{{"ImageName", "quadrants.png"}, {"Rescale", true}, {"Width", 40}, {"Height", 10}}},
        {"fitted",
         ns::Dictionary{{"ImageName", "quadrants.png"}, {"Rescale", true}, {"SizeFromController", true}}},
    };
    TestSkin folder(items);
    UIManager skin(store);
    ASSERT_TRUE(skin.loadUIResource(folder.path()));

    ns::View root(ns::Rect(0, 0, 200, 200));
    auto* pane = new NSViewExt(ns::Rect(0, 0, 1, 1));
    auto* label = new ns::TextField(ns::Rect(0, 0, 10, 10));
    auto* cut = new ns::ImageView(ns::Rect(0, 0, 1, 1));
    auto* cutTooFar = new ns::ImageView(ns::Rect(0, 0, 1, 1));
    auto* stretched = new ns::ImageView(ns::Rect(0, 0, 1, 1));
    auto* fitted = new NSViewExt(ns::Rect(0, 0, 50, 25));
    for (ns::View* view : std::initializer_list<ns::View*>{pane, label, cut, cutTooFar, stretched, fitted})
        root.addSubview(view);
    ASSERT_TRUE(skin.registerController(pane, "pane", false));
    ASSERT_TRUE(skin.registerController(label, "label", false));
    ASSERT_TRUE(skin.registerController(cut, "cut", false));
    ASSERT_TRUE(skin.registerController(cutTooFar, "cutTooFar", false));
    ASSERT_TRUE(skin.registerController(stretched, "stretched", false));
    ASSERT_TRUE(skin.registerController(fitted, "fitted", false));
    ASSERT_TRUE(skin.updateUI());

    // Cocoa's origin is the bottom left: Qt's y is 200 - 20 - 30.
    EXPECT_EQ(pane->frame(), ns::Rect(10, 20, 40, 30));
    EXPECT_EQ(pane->geometry(), QRect(10, 150, 40, 30));
    EXPECT_EQ(pixel(pane->image(), 0, 0), QColor(Qt::magenta));

    EXPECT_EQ(label->frame(), ns::Rect(5, 150, 80, 20));
    EXPECT_TRUE(label->isHidden());
    EXPECT_EQ(label->font().familyName(), kFamily);
    EXPECT_EQ(label->font().pointSize(), 15);
    EXPECT_TRUE(label->font().qFont().bold());
    EXPECT_EQ(label->textColor().qColor(), QColor(Qt::red));

    EXPECT_EQ(cut->frame().size, (ns::Size{10, 10}));
    EXPECT_EQ(pixel(cut->image(), 5, 5), QColor(Qt::green));
    EXPECT_TRUE(cutTooFar->image().isNull()); // reaches past the right edge
    EXPECT_EQ(cutTooFar->frame().origin.x, 0);

    EXPECT_EQ(stretched->image().pixelSize(), (ns::Size{40, 10}));
    EXPECT_EQ(pixel(stretched->image(), 2, 2), QColor(Qt::red));
    EXPECT_EQ(pixel(stretched->image(), 37, 2), QColor(Qt::green));
    EXPECT_EQ(fitted->image().pixelSize(), (ns::Size{50, 25}));
    EXPECT_EQ(fitted->frame().size, (ns::Size{50, 25}));
}

TEST(UIManagerUpdate, CutsHoverButtonStripsInTheirOrder)
{
    struct Case {
        const char* what;
        ns::Dictionary item;
        ns::Size stripSize;
        QColor up, down, in;
        std::optional<QColor> disabled;
    };
    const Case cases[] = {
        {"three side by side, no disabled image",
         ns::Dictionary{{"ImageName", "strips3.png"}, {"BtnImageOrder", "Up,Down,In"}},
         {10, 10},
         Qt::red,
         Qt::green,
         Qt::blue,
         std::nullopt},
        {"four stacked, default order",
         ns::Dictionary{{"ImageName", "strips4v.png"}, {"BtnStyle", "Vertical"}},
         {10, 10},
         Qt::red,
         Qt::green,
         Qt::blue,
         QColor(128, 128, 128)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SkinBundle bundle;
        ConfigManager store;
        TestSkin folder(ns::Dictionary{{"button", c.item}});
        UIManager skin(store);
        ASSERT_TRUE(skin.loadUIResource(folder.path()));
        NSFlickerButton button(ns::Rect(0, 0, 100, 40));
        ASSERT_TRUE(skin.registerController(&button, "button", true));

        EXPECT_TRUE(button.isFlickerButton());
        EXPECT_EQ(button.buttonType(), ns::ToggleButton);
        EXPECT_FALSE(button.isBordered());
        EXPECT_EQ(button.imagePosition(), ns::ImageOnly);
        EXPECT_EQ(button._imageUp().size(), c.stripSize);
        EXPECT_EQ(pixel(button._imageUp(), 5, 5), c.up);
        EXPECT_EQ(pixel(button._imageDn(), 5, 5), c.down);
        EXPECT_EQ(pixel(button._imageIn(), 5, 5), c.in);
        EXPECT_EQ(button._imageDisable().isNull(), !c.disabled);
        if (c.disabled) {
            EXPECT_EQ(pixel(button._imageDisable(), 5, 5), *c.disabled);
        }
        EXPECT_EQ(pixel(button.image(), 5, 5), c.up);
        EXPECT_EQ(button.frame().size, c.stripSize); // sized to fit its image
    }
}

TEST(UIManagerUpdate, GivesTwoStateButtonsTheirStripsOnlyWithAStyle)
{
    struct Case {
        const char* what;
        QString style;
        std::optional<ns::Size> stripSize;
    };
    const Case cases[] = {
        {"no style", QString(), std::nullopt},
        {"horizontal", "Horizontal", ns::Size{10, 10}},
        {"vertical", "Vertical", ns::Size{20, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SkinBundle bundle;
        ConfigManager store;
        ns::Dictionary item{{"ImageName", "strips2.png"}};
        if (!c.style.isNull())
            item.setValue("BtnStyle", c.style);
        TestSkin folder(ns::Dictionary{{"button", item}});
        UIManager skin(store);
        ASSERT_TRUE(skin.loadUIResource(folder.path()));
        NSButtonExt button(ns::Rect(0, 0, 200, 60));
        button.setImagePosition(ns::ImageOnly);
        ASSERT_TRUE(skin.registerController(&button, "button", true));

        EXPECT_FALSE(button.isBordered());
        EXPECT_EQ(button.frame().size, button.cell()->cellSize());
        EXPECT_NE(button.frame().size, (ns::Size{200, 60}));
        EXPECT_EQ(button.image().isNull(), !c.stripSize);
        EXPECT_EQ(button.alternateImage().isNull(), !c.stripSize);
        if (c.stripSize) {
            EXPECT_EQ(button.buttonType(), ns::MomentaryChangeButton);
            EXPECT_EQ(button.image().size(), *c.stripSize);
            EXPECT_EQ(pixel(button.image(), 0, 0), QColor(Qt::yellow));
            EXPECT_EQ(pixel(button.alternateImage(), 9, 4),
                      c.style == "Vertical" ? QColor(Qt::yellow) : QColor(Qt::cyan));
        }
    }
}

TEST(UIManagerAlternatives, SwitchItemsAndReskinOnlyWhenSomethingChanged)
{
    SkinBundle bundle;
    ConfigManager store;
    const ns::Dictionary logo{
        {"Left", 1},
        {"Bottom", 2},
        {"ImageName", "strips3.png"},
        {"ImageDict", ns::Dictionary{{"One", "strips3.png"}, {"Two", "back.png"}}},
        {"LocationArray", ns::Array{ns::Dictionary{{"ImageName", "back.png"}, {"Left", 7}, {"Bottom", 8}}}},
        {"ImageArray", ns::Array{"quadrants.png", "back.png"}},
        {"SizeInfoArray", ns::Array{ns::Dictionary{{"ItemName", "Big"}, {"Width", 60}, {"Height", 40}}}},
        {"LocationInSuperviewArray",
         ns::Array{ns::Dictionary{{"ItemName", "Right"},
                                  {"LocationInSuperview", ns::Array{"InSuperViewRight,5"}}}}},
    };
    TestSkin folder(ns::Dictionary{{"logo", logo}});
    UIManager skin(store);
    EXPECT_FALSE(skin.setImageForKeyImageName("logo", "Two", true)); // no skin loaded
    ASSERT_TRUE(skin.loadUIResource(folder.path()));

    ns::View root(ns::Rect(0, 0, 200, 100));
    auto* view = new NSViewExt(ns::Rect(0, 0, 1, 1));
    root.addSubview(view);
    ASSERT_TRUE(skin.registerController(view, "logo", true));
    EXPECT_EQ(view->frame(), ns::Rect(1, 2, 30, 10));

    // The name of the image already shown changes nothing and dresses nothing.
    view->setFrameOrigin({99, 99});
    EXPECT_FALSE(skin.setImageForKeyImageName("logo", "One", true));
    EXPECT_FALSE(skin.setImageForKeyImageName("logo", "Three", true));
    EXPECT_EQ(view->frame().origin, (ns::Point{99, 99}));

    EXPECT_TRUE(skin.setImageForKeyImageName("logo", "Two", true));
    EXPECT_EQ(view->frame(), ns::Rect(7, 8, 40, 30));
    EXPECT_EQ(skin.itemInfoDictForKey("logo")->value("ImageName").toString(), "back.png");

    EXPECT_FALSE(skin.setImageForKeyImageID("logo", 2, true));
    EXPECT_FALSE(skin.setImageForKeyImageID("logo", -1, true));
    EXPECT_TRUE(skin.setImageForKeyImageID("logo", 0, true));
    EXPECT_EQ(view->frame().size, (ns::Size{20, 20}));
    EXPECT_EQ(pixel(view->image(), 15, 15), QColor(Qt::yellow));

    EXPECT_TRUE(skin.setNewSizeForKey("logo", "Small", true)); // no such size: stored unchanged
    EXPECT_EQ(view->frame().size, (ns::Size{20, 20}));
    EXPECT_TRUE(skin.setNewSizeForKey("logo", "Big", true));
    EXPECT_EQ(view->frame().size, (ns::Size{60, 40}));

    EXPECT_TRUE(skin.setNewLocationInSuperviewForKey("logo", "Right", false));
    EXPECT_EQ(view->frame().origin.x, 7); // not dressed yet
    EXPECT_TRUE(skin.updateItem(view));
    EXPECT_EQ(view->frame().origin.x, 200 - 60 - 5);
}

TEST(UIManagerUpdate, DispatchesOnTheFirstRowOfTheClassTable)
{
    SkinBundle bundle;
    ConfigManager store;
    const ns::Dictionary backed{{"ImageName", "back.png"}};
    const ns::Dictionary styled{{"Font", ns::Dictionary{{"FontName", kFamily}, {"FontSize", 19}}},
                                {"Hidden", true},
                                {"TextColorString", "0 0 1"}};
    TestSkin folder(ns::Dictionary{{"backed", backed}, {"styled", styled}});
    UIManager skin(store);
    ASSERT_TRUE(skin.loadUIResource(folder.path()));

    // Borderless windows and panels take the size of their dressed content
    // view; other windows keep theirs.
    NSWindowExt window(ns::Rect(100, 100, 300, 200));
    NSPanelExt panel(ns::Rect(100, 100, 300, 200));
    ns::Window plain(ns::Rect(100, 100, 300, 200), ns::TitledWindowMask);
    for (ns::Window* w : std::initializer_list<ns::Window*>{&window, &panel, &plain}) {
        delete w->setContentView(new NSViewExt(ns::Rect(0, 0, 300, 200)));
        EXPECT_TRUE(skin.updataItem(w, "backed"));
        EXPECT_EQ(w->contentView()->frame().size, (ns::Size{40, 30}));
    }
    EXPECT_EQ(window.frame().size, (ns::Size{40, 30}));
    EXPECT_EQ(panel.frame().size, (ns::Size{40, 30}));
    EXPECT_NE(plain.frame().size, (ns::Size{40, 30}));

    // A pop-up button is dressed as a button; a tab item has its own row; a
    // menu item has none.
    NSPopUpButtonExt popUp;
    EXPECT_TRUE(skin.updataItem(&popUp, "styled"));
    EXPECT_EQ(popUp.font().pointSize(), 19);
    EXPECT_TRUE(popUp.isHidden());
    EXPECT_FALSE(popUp.titleColor()); // the button row gives no colour

    // A matrix colours the titles of its skinned cells only.
    const auto titledCell = [] { return std::make_unique<NSButtonCellExt>("Auto"); };
    ns::Matrix skinned(ns::Rect(0, 0, 100, 40), ns::RadioModeMatrix, titledCell, 2, 1);
    ns::Matrix plainCells(ns::Rect(0, 0, 100, 40), ns::RadioModeMatrix, {}, 2, 1);
    for (ns::Matrix* matrix : {&skinned, &plainCells})
        EXPECT_TRUE(skin.updataItem(matrix, "styled"));
    for (ns::ButtonCell* cell : skinned.cells())
        EXPECT_EQ(cell->attributedTitle().attributes().foregroundColor->qColor(), QColor(Qt::blue));
    EXPECT_FALSE(plainCells.cellAtRow(0, 0)->attributedTitle().attributes().foregroundColor);
    EXPECT_EQ(skinned.font().pointSize(), 19);
    EXPECT_TRUE(skinned.isHidden());
    ns::TabViewItem tab("tab");
    EXPECT_TRUE(skin.updataItem(&tab, "styled"));
    ns::MenuItem item("Quit");
    EXPECT_FALSE(skin.updataItem(&item, "styled"));
    EXPECT_FALSE(skin.updataItem(&popUp, QString()));
}
