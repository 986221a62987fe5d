#include "platform/lindora/Lindora.h"

#include "TextPrinting.h"

#include <gtest/gtest.h>

namespace
{

const QString kFixture = TRELVAN_FIXTURES_DIR "/language/TokenList.txt";

} // namespace

TEST(Lindora, MapsKeysAndNumberedItemsOfTheCurrentTable)
{
    ASSERT_TRUE(Lindora_Init(kFixture));
    Lindora_Dump();
    EXPECT_EQ(Map_Name_Item_of_IndexString("Main_Title"), "Verbindungsmanager");
    EXPECT_EQ(Map_Name_Item_of_IndexString("Not in the table"), "Not in the table");
    EXPECT_EQ(Map_Name_Item_of_IndexString("@14"), "Fehler");
    EXPECT_TRUE(Map_Name_Item_of_IndexString(QString()).isEmpty());
    EXPECT_EQ(Map_Name_Item_of_Index(14), "Fehler");
    EXPECT_EQ(Map_Name_Item_of_Index(3), "Drei");
    EXPECT_TRUE(Map_Name_Item_of_Index(15).isEmpty());
    EXPECT_TRUE(Map_Name_Item_of_Index(-1).isEmpty());
}

TEST(Lindora, AFileThatCannotBeLoadedLeavesTheCurrentTable)
{
    ASSERT_TRUE(Lindora_Init(kFixture));
    for (const QString& path : {QString(), QString(TRELVAN_FIXTURES_DIR "/language/Missing.txt"),
                                QString(TRELVAN_FIXTURES_DIR "/language"),
                                QString(TRELVAN_FIXTURES_DIR "/language/Malformed.txt")}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(Lindora_Init(path));
        EXPECT_EQ(Map_Name_Item_of_IndexString("Which"), "fixture");
    }
}

TEST(Lindora, ShippedTokenListsLoadAndTitleErrorAlerts)
{
    const QString resources = TRELVAN_BUILD_DIR "/Trelvan.app/Contents/Resources";
    for (const QString& path :
         {resources + "/LanguageTokenList.txt", resources + "/English.lproj/LanguageTokenList.txt"}) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(Lindora_Init(path));
        EXPECT_EQ(Map_Name_Item_of_Index(14), "Warning");
    }
}
