#include "SkinTestSupport.h"

#include "app/ui/skin/JOVUIManager.h"
#include "platform/ns/appkit/View.h"

#include <gtest/gtest.h>

namespace
{

const ns::Dictionary kDefaultItems{{"defaultOnly", ns::Dictionary()}, {"pane", ns::Dictionary()}};
const ns::Dictionary kBlueItems{{"blueOnly", ns::Dictionary()}, {"pane", ns::Dictionary()}};

ns::Dictionary uiConfigOnDisk(const SkinBundle& bundle)
{
    return bundle.settingsOnDisk().value("UIConfig").toDictionary();
}

} // namespace

TEST(JOVUIManager, StartsWithTheDefaultSkinAndRemembersEverySkinLoaded)
{
    SkinBundle bundle;
    const QString defaultSkin = bundle.addResourceSkin("defaultSkin", kDefaultItems);
    const QString blue = bundle.addResourceSkin("blue", kBlueItems);
    ConfigManager store;

    JOVUIManager skin(store);
    EXPECT_TRUE(skin.hasKey("defaultOnly"));
    EXPECT_EQ(skin.currentSkinName(), "defaultSkin");
    EXPECT_EQ(uiConfigOnDisk(bundle).value("CurrentSkinName").toString(), defaultSkin);

    ASSERT_TRUE(skin.loadUIResourceBySkinName("blue"));
    ASSERT_TRUE(skin.loadUIResourceBySkinName("defaultSkin"));
    ASSERT_TRUE(skin.loadUIResourceBySkinName("blue"));
    EXPECT_TRUE(skin.hasKey("blueOnly"));
    EXPECT_EQ(skin.currentSkinName(), "blue");
    EXPECT_EQ(skin.skinCount(), 2);
    EXPECT_EQ(skin.skinNameByIndex(0), "defaultSkin");
    EXPECT_EQ(skin.skinNameByIndex(1), "blue");
    EXPECT_TRUE(skin.skinNameByIndex(2).isNull());
    const ns::Dictionary onDisk = uiConfigOnDisk(bundle);
    EXPECT_EQ(onDisk.value("CurrentSkinName").toString(), blue);
    EXPECT_EQ(onDisk.value("SupportSkinArray"), ns::Value(ns::Array{defaultSkin, blue}));

    // The next start takes the skin last used.
    ConfigManager nextStart;
    JOVUIManager again(nextStart);
    EXPECT_TRUE(again.hasKey("blueOnly"));
}

TEST(JOVUIManager, FallsBackToTheDefaultSkinWhenTheCurrentOneHasGone)
{
    SkinBundle bundle(ns::Dictionary{{"UIConfig", ns::Dictionary{{"CurrentSkinName", "/nowhere/blue"}}}});
    bundle.addResourceSkin("defaultSkin", kDefaultItems);
    ConfigManager store;
    JOVUIManager skin(store);
    EXPECT_TRUE(skin.hasKey("defaultOnly"));
    EXPECT_EQ(skin.currentSkinName(), "defaultSkin");
}

TEST(JOVUIManager, LeavesTheSettingsAloneForZerivadSkins)
{
    SkinBundle bundle(ns::Dictionary{{"DifferentWorkingMothodForZerivad", true}});
    bundle.addResourceSkin("defaultSkin", kDefaultItems);
    ConfigManager store;
    JOVUIManager skin(store);
    EXPECT_TRUE(skin.hasKey("defaultOnly"));
    EXPECT_FALSE(bundle.settingsOnDisk().contains("UIConfig"));
    EXPECT_EQ(skin.currentSkinName(), "defaultSkin");
    EXPECT_EQ(skin.skinCount(), 0);
}

TEST(JOVUIManager, RemovedControllersMayRegisterAgain)
{
    SkinBundle bundle;
    bundle.addResourceSkin("defaultSkin", kDefaultItems);
    ConfigManager store;
    JOVUIManager skin(store);
    ns::View pane;
    ASSERT_TRUE(skin.registerController(&pane, "pane", false));
    EXPECT_FALSE(skin.registerController(&pane, "pane", false));
    skin.removeController(&pane);
    EXPECT_EQ(skin.controllerByKey("pane"), nullptr);
    EXPECT_TRUE(skin.registerController(&pane, "pane", false));
}
