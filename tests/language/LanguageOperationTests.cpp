#include "LanguageTestSupport.h"

#include "app/config/ConfigManager.h"
#include "app/language/LanguageOperation.h"
#include "platform/lindora/Lindora.h"

#include <gtest/gtest.h>

using ns::Array;
using ns::Dictionary;

namespace
{

QString loadedTable()
{
    return Map_Name_Item_of_IndexString("Which");
}

Array arrayOf(const QStringList& names)
{
    Array array;
    for (const QString& name : names)
        array.append(name);
    return array;
}

struct FirstStartCase {
    const char* preferred; // the LANGUAGE list
    std::optional<QStringList> supported;
    const char* chosen;
    const char* loaded;
};

} // namespace

TEST(LanguageOperation, FirstStartChoosesTheFirstPreferredLanguageThatIsOffered)
{
    const FirstStartCase cases[] = {
        {"fr:de", QStringList{"German", "English"}, "German", "German"},
        {"ja", QStringList{"Spanish", "Italian"}, "Spanish", "Spanish"},
        {"ja", QStringList{"Italian", "English"}, "English", "English"},
        {"et_EE.UTF-8", QStringList{"English", "Estonian"}, "Estonian", "Estonian"},
        {"fi", QStringList{"English", "Finnish"}, "Finnish", "Finnish"},
        {"zh_TW.UTF-8:en", QStringList{"English", "zh_CN", "zh_TW"}, "zh_TW", "zh_TW"},
        {"pt_PT", QStringList{"English", "Portuguese"}, "Portuguese", "Portuguese"},
        {"fr", QStringList{}, "English", "root"},
        {"fr", std::nullopt, "English", "root"},
    };
    for (const FirstStartCase& c : cases) {
        SCOPED_TRACE(c.preferred);
        Dictionary settings{{"FirstInstallFlag", true}};
        if (c.supported)
            settings.setValue("SupportLanguages", arrayOf(*c.supported));
        LanguageBundle app(settings, c.supported.value_or(QStringList()));
        ScopedLocaleEnvironment locale(c.preferred);
        ConfigManager store;

        LanguageOperation(store).initLanguage();

        EXPECT_EQ(loadedTable(), QString(c.loaded));
        const Dictionary onDisk = app.settingsOnDisk();
        EXPECT_EQ(onDisk.value("CurrentLanguage").toString(), QString(c.chosen));
        EXPECT_TRUE(onDisk.value("FirstInstallFlag").isBool());
        EXPECT_FALSE(onDisk.value("FirstInstallFlag").boolValue());
    }
}

TEST(LanguageOperation, LaterStartsLoadTheLanguageChosenAtFirstInstall)
{
    const std::pair<const char*, const char*> cases[] = {
        {"et", "Estonian"},           {"fi", "Finnish"},        {"de", "German"},
        {"nb_NO.UTF-8", "Norwegian"}, {"zh_CN.UTF-8", "zh_CN"},
    };
    const QStringList offered = {"English", "Estonian", "Finnish", "German", "Norwegian", "zh_CN"};
    for (const auto& [preferred, chosen] : cases) {
        SCOPED_TRACE(preferred);
        LanguageBundle app(Dictionary{{"FirstInstallFlag", true}, {"SupportLanguages", arrayOf(offered)}},
                           offered);
        ScopedLocaleEnvironment locale(preferred);
        ConfigManager firstStore;
        LanguageOperation(firstStore).initLanguage();
        EXPECT_EQ(loadedTable(), QString(chosen));

        Lindora_Init(app.resourcesPath() + "/LanguageTokenList.txt");
        ConfigManager laterStore;
        LanguageOperation(laterStore).initLanguage();
        EXPECT_EQ(loadedTable(), QString(chosen));
    }
}

TEST(LanguageOperation, LaterStartsLoadTheCurrentLanguageOrTheRootList)
{
    struct Case {
        Dictionary settings;
        const char* loaded;
    };
    const Array offered{"English", "Finnish", "German", "Klingon"};
    const Case cases[] = {
        {Dictionary{{"SupportLanguages", offered}, {"CurrentLanguage", "German"}}, "German"},
        {Dictionary{{"SupportLanguages", offered}, {"CurrentLanguage", "Finnish"}}, "Finnish"},
        {Dictionary{{"SupportLanguages", offered}, {"CurrentLanguage", "Klingon"}}, "root"},
        {Dictionary{
             {"SupportLanguages", offered}, {"FirstInstallFlag", false}, {"CurrentLanguage", "German"}},
         "German"},
        {Dictionary{{"SupportLanguages", offered}}, "root"},
        {Dictionary{{"CurrentLanguage", "German"}}, "root"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loaded);
        LanguageBundle app(c.settings, {"English", "Finnish", "German", "Klingon"});
        ConfigManager store;
        LanguageOperation(store).initLanguage();
        EXPECT_EQ(loadedTable(), QString(c.loaded));
        EXPECT_EQ(app.settingsOnDisk(), c.settings); // nothing is written on later starts
    }
}

TEST(LanguageOperation, AMissingLanguageFolderLeavesThePreviousTable)
{
    LanguageBundle app(Dictionary{{"SupportLanguages", Array{"German"}}, {"CurrentLanguage", "German"}}, {});
    ASSERT_TRUE(Lindora_Init(app.resourcesPath() + "/LanguageTokenList.txt"));
    Lindora_Init(TRELVAN_FIXTURES_DIR "/language/TokenList.txt");
    ConfigManager store;
    LanguageOperation(store).initLanguage();
    EXPECT_EQ(loadedTable(), "fixture");
}
