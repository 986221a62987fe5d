#include "ConfiguredTestSupport.h"

#include "app/ui/widgets/NSFlickerButton.h"
#include "app/ui/widgets/NSViewExt.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"

#include <gtest/gtest.h>

using configured_test::ConfiguredApp;

TEST(ConfiguredControls, ButtonsAreBuiltFromTheirDescriptionsAndFoundByName)
{
    ConfiguredApp app;
    ns::View parent(ns::Rect(0, 0, 300, 100));

    EXPECT_TRUE(app.controller.initializeBtnsOfView(&parent, "ToolbarItems"));

    // Only the complete description that the skin describes gives a button.
    auto* button = app.skin.controllerByKey<NSFlickerButton>("btnConnect");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(parent.subviews(), QList<ns::View*>{button});
    EXPECT_EQ(app.skin.controllerByKey("btnNoAction"), nullptr);
    EXPECT_EQ(app.skin.controllerByKey("btnNotInSkin"), nullptr);

    EXPECT_EQ(button->itemIdentifier(), "Internet");
    EXPECT_EQ(button->itemLabel(), "STR_CONNECT");
    EXPECT_EQ(button->title(), "Connect");
    EXPECT_EQ(button->toolTip(), "Connect to the Internet");
    EXPECT_EQ(button->urlLabel(), "STR_CONNECT_URL");
    // The skin dressed it at registration: hover style, the strips of its image, its place.
    EXPECT_TRUE(button->isFlickerButton());
    EXPECT_EQ(button->_imageUp().size(), (ns::Size{20, 16}));
    EXPECT_EQ(button->frame().origin, (ns::Point{10, 5}));

    ASSERT_NE(button->menu(), nullptr);
    EXPECT_EQ(button->menu()->title(), "popupMenu");

    // The button sends its action to the controller.
    button->performClick(nullptr);
    ASSERT_EQ(app.controller.actions.size(), 1);
    EXPECT_EQ(app.controller.actions[0].selector, "connect:");
    EXPECT_EQ(app.controller.actions[0].sender, button);

    // Nothing qualifies: no button, and the answer says so.
    ns::View other;
    EXPECT_FALSE(app.controller.initializeBtnsOfView(&other, "UnqualifiedItems"));
    EXPECT_FALSE(app.controller.initializeBtnsOfView(&other, "NoSuchKey"));
    EXPECT_TRUE(other.subviews().isEmpty());
}

TEST(ConfiguredControls, NothingIsBuiltWithoutASkinManager)
{
    ConfiguredApp app;
    app.controller.jovSkinManager = nullptr;
    ns::View parent;

    EXPECT_FALSE(app.controller.initializeBtnsOfView(&parent, "ToolbarItems"));
    EXPECT_FALSE(app.controller.initializeLabelsOfView(&parent, "Labels"));
    EXPECT_EQ(app.controller.createNSViewExtByKey("pageInternet", &parent), nullptr);
    EXPECT_TRUE(parent.subviews().isEmpty());
}

TEST(ConfiguredControls, LabelsBoxesMatricesAndImageViewsAreBuiltAndFoundByName)
{
    ConfiguredApp app;
    ns::View parent(ns::Rect(0, 0, 300, 200));

    EXPECT_TRUE(app.controller.initializeLabelsOfView(&parent, "Labels"));
    EXPECT_TRUE(app.controller.initializeNSBoxOfView(&parent, "Boxes"));
    EXPECT_TRUE(app.controller.initializeNSMatrixOfView(&parent, "Matrices"));
    EXPECT_FALSE(app.controller.initializeImageViewOfView(&parent, "ImageViews"));

    auto* label = app.skin.controllerByKey<ns::TextField>("labelSignal");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->frame(), ns::Rect(5, 40, 120, 17));
    EXPECT_TRUE(label->isBordered());
    EXPECT_FALSE(label->isEditable());
    EXPECT_TRUE(label->drawsBackground());
    EXPECT_EQ(label->alignment(), ns::CenterTextAlignment);
    EXPECT_EQ(label->stringValue(), "Signal");
    EXPECT_EQ(label->toolTip(), "Signal strength");
    EXPECT_EQ(label->target(), &app.controller);

    auto* box = app.skin.controllerByKey<ns::Box>("boxStatus");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title(), "Status");
    EXPECT_EQ(box->titlePosition(), ns::AtTop);
    EXPECT_EQ(box->borderType(), ns::GrooveBorder);
    EXPECT_EQ(box->boxType(), ns::BoxPrimary);
    EXPECT_EQ(box->frame().size, (ns::Size{100, 50}));
    EXPECT_EQ(app.skin.controllerByKey("boxWithoutTitle"), nullptr);

    auto* matrix = app.skin.controllerByKey<ns::Matrix>("matrixMode");
    ASSERT_NE(matrix, nullptr);
    EXPECT_EQ(matrix->mode(), ns::RadioModeMatrix);

    auto* imageView = app.skin.controllerByKey<ns::ImageView>("imageLogo");
    ASSERT_NE(imageView, nullptr);
    EXPECT_EQ(imageView->frame(), ns::Rect(7, 8, 1, 1));
    EXPECT_EQ(imageView->imageScaling(), ns::ImageScaleNone);

    EXPECT_EQ(parent.subviews(), (QList<ns::View*>{label, box, matrix, imageView}));
}

TEST(ConfiguredControls, TabPagesHoldTheirRegisteredBackground)
{
    ConfiguredApp app;
    ns::TabView tabView(ns::Rect(0, 0, 300, 200));

    EXPECT_TRUE(app.controller.initializeTabViewItemOfView(&tabView, "TabPages"));
    EXPECT_FALSE(app.controller.initializeTabViewItemOfView(nullptr, "TabPages"));

    ASSERT_EQ(tabView.numberOfTabViewItems(), 1);
    ns::TabViewItem* item = tabView.tabViewItemAtIndex(0);
    EXPECT_EQ(item->identifier(), "Internet");

    // The background first, then the item, both under the page's name.
    const QList<ns::Object*> registered = app.skin.controllersByKey("pageInternet");
    ASSERT_EQ(registered.size(), 2);
    auto* background = dynamic_cast<NSViewExt*>(registered[0]);
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(registered[1], item);

    // The page holds the background where the skin put it (the tab view sizes the page).
    EXPECT_EQ(background->superview(), item->view());
    EXPECT_EQ(background->frame(), ns::Rect(3, 4, 40, 30));
}

TEST(ConfiguredMenus, MenusAreBuiltFromTheirDescriptions)
{
    ConfiguredApp app;
    ns::View parent;
    ASSERT_TRUE(app.controller.initializeBtnsOfView(&parent, "ToolbarItems"));
    ns::Menu* menu = app.skin.controllerByKey<NSFlickerButton>("btnConnect")->menu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->numberOfItems(), 3);

    // Titles are the wording keys until the language is applied.
    ns::MenuItem* profiles = menu->itemAtIndex(0);
    EXPECT_EQ(profiles->title(), "STR_PROFILES");
    EXPECT_EQ(profiles->action(), "showProfiles:");
    EXPECT_EQ(profiles->keyEquivalent(), "p");
    EXPECT_EQ(profiles->tag(), 7);
    ASSERT_TRUE(profiles->hasSubmenu());
    ASSERT_EQ(profiles->submenu()->numberOfItems(), 1);
    EXPECT_EQ(profiles->submenu()->itemAtIndex(0)->title(), "STR_NEW_PROFILE");

    // A separator stays one even with a title.
    EXPECT_TRUE(menu->itemAtIndex(1)->isSeparatorItem());
    EXPECT_EQ(menu->itemAtIndex(2)->keyEquivalent(), "");

    // Every item is registered under its name, separators too.
    EXPECT_EQ(app.skin.controllerByKey("menuItemProfiles"), profiles);
    EXPECT_EQ(app.skin.controllerByKey("menuItemNewProfile"), profiles->submenu()->itemAtIndex(0));
    EXPECT_EQ(app.skin.controllerByKey("menuItemSeparator"), menu->itemAtIndex(1));
    EXPECT_EQ(app.skin.controllerByKey("menuItemHelp"), menu->itemAtIndex(2));

    EXPECT_EQ(app.controller.createPopUpMenuFromConfig(ns::Array()), nullptr);
}

TEST(ConfiguredControls, RelocalisationChangesTheTitles)
{
    ConfiguredApp app;
    ns::View parent;
    ASSERT_TRUE(app.controller.initializeBtnsOfView(&parent, "ToolbarItems"));
    auto* button = app.skin.controllerByKey<NSFlickerButton>("btnConnect");
    ns::Menu* menu = button->menu();

    ASSERT_TRUE(Lindora_Init(configured_test::fixture("German.txt")));
    app.controller.updateLanguagesOfDynamicItem("ToolbarItems");

    EXPECT_EQ(button->title(), "Verbinden");
    EXPECT_EQ(button->toolTip(), "Mit dem Internet verbinden");
    EXPECT_EQ(menu->itemAtIndex(0)->title(), "Profile");
    EXPECT_EQ(menu->itemAtIndex(0)->submenu()->itemAtIndex(0)->title(), "Neues Profil");
    EXPECT_EQ(menu->itemAtIndex(2)->title(), "Hilfe");
    // Sized to fit: the image strip's size.
    EXPECT_EQ(button->frame().size, (ns::Size{20, 16}));
}

TEST(ConfiguredControls, ControlsOfAListAreEnabledAndDressedAgainTogether)
{
    ConfiguredApp app;
    ns::View parent;
    ASSERT_TRUE(app.controller.initializeBtnsOfView(&parent, "ToolbarItems"));
    auto* button = app.skin.controllerByKey<NSFlickerButton>("btnConnect");

    app.controller.setDynamicControllersEnabledByKey("ToolbarItems", false);
    EXPECT_FALSE(button->isEnabled());
    app.controller.setDynamicControllersEnabledByKey("ToolbarItems", true);
    EXPECT_TRUE(button->isEnabled());

    button->setFrameOrigin({50, 50});
    app.controller.updateDynamicControllersByKey("ToolbarItems");
    EXPECT_EQ(button->frame().origin, (ns::Point{10, 5}));

    // A page switches the bars to its images.
    NSViewExt* status = app.controller.createNSViewExtByKey("wndMainStatusView", &parent);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->frame().size, (ns::Size{30, 10}));
    app.controller.updateDynamicItemsByModule("Other");
    EXPECT_EQ(status->frame().size, (ns::Size{50, 12}));
}
