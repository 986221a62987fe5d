#include "LanguageTestSupport.h"

#include "app/config/JOVDatacardConfig.h"
#include "app/language/JOVLanguage.h"

#include <gtest/gtest.h>

using ns::Array;
using ns::Dictionary;

namespace
{

class LanguageWatcher : public ns::Object
{
public:
    LanguageWatcher() { registerSelector("updateLanguages:", &LanguageWatcher::updateLanguages); }
    void updateLanguages() { ++updates; }
    int updates = 0;
};

// The language object's settings file is the bundle's.
void useSettingsOf(const TemporaryAppBundle& app)
{
    JOVDatacardConfig::initGlobal();
    JOVDatacardConfig::setSettingDictWorkPath(app.settingsPath());
}

} // namespace

TEST(Language, RegisteredObserversHearOnlyTheirOwnLanguageObject)
{
    Language language;
    Language other;
    LanguageWatcher atOnce;
    LanguageWatcher later;
    LanguageWatcher unrelated;

    EXPECT_FALSE(language.registerObserver(nullptr, "updateLanguages:", true));
    EXPECT_FALSE(language.registerObserver(&unrelated, "languageChanged:", true));
    EXPECT_TRUE(language.registerObserver(&atOnce, "updateLanguages:", true));
    EXPECT_TRUE(language.registerObserver(&later, "updateLanguages:", false));
    EXPECT_EQ(atOnce.updates, 1);
    EXPECT_EQ(later.updates, 0);

    language.update();
    EXPECT_EQ(atOnce.updates, 2);
    EXPECT_EQ(later.updates, 1);

    other.update();
    EXPECT_EQ(atOnce.updates, 2);
    EXPECT_EQ(unrelated.updates, 0);
}

TEST(Language, TokenListsFormTheWordingTable)
{
    Language language;
    EXPECT_EQ(language.mapStringByName("Main_Title"), "Main_Title"); // no table yet
    ASSERT_TRUE(language.LoadTokenListResource(TRELVAN_FIXTURES_DIR "/language/TokenList.txt"));
    EXPECT_EQ(language.mapStringByName("Main_Title"), "Verbindungsmanager");
    EXPECT_EQ(language.mapStringByName("Unknown"), "Unknown");
    EXPECT_TRUE(language.mapStringByName(QString()).isEmpty());

    EXPECT_FALSE(language.LoadTokenListResource(TRELVAN_FIXTURES_DIR "/language/Missing.txt"));
    EXPECT_FALSE(language.LoadTokenListResource(TRELVAN_FIXTURES_DIR "/language/Malformed.txt"));
    EXPECT_EQ(language.mapStringByName("Main_Title"), "Verbindungsmanager");
}

TEST(JOVLanguage, ChoosesAndStoresTheLanguageThroughTheSettingsFile)
{
    struct Case {
        const char* name;
        Dictionary settings;
        const char* preferred;
        const char* loaded; // "Which" itself when nothing is loaded
        Dictionary expectedOnDisk;
    };
    const Case cases[] = {
        {"empty settings", Dictionary{}, "de", "English",
         Dictionary{{"CurrentLanguage", "English"},
                    {"SupportLanguages", Array{"English"}},
                    {"FirstInstallFlag", false}}},
        {"current language alone", Dictionary{{"CurrentLanguage", "German"}}, "en", "German",
         Dictionary{{"CurrentLanguage", "German"},
                    {"SupportLanguages", Array{"German"}},
                    {"FirstInstallFlag", false}}},
        {"first install in an offered language",
         Dictionary{{"FirstInstallFlag", true}, {"SupportLanguages", Array{"English", "zh_TW"}}},
         "zh_TW.UTF-8", "zh_TW",
         Dictionary{{"FirstInstallFlag", false},
                    {"SupportLanguages", Array{"English", "zh_TW"}},
                    {"CurrentLanguage", "zh_TW"},
                    {"FirstInstallLanguage", "zh_TW"}}},
        {"first install in a language not offered",
         Dictionary{{"FirstInstallFlag", true}, {"SupportLanguages", Array{"English"}}}, "ja", "Which",
         Dictionary{{"FirstInstallFlag", true}, {"SupportLanguages", Array{"English"}}}},
        {"current language not offered",
         Dictionary{{"CurrentLanguage", "German"}, {"SupportLanguages", Array{"English"}}}, "en", "Which",
         Dictionary{{"CurrentLanguage", "German"}, {"SupportLanguages", Array{"English"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LanguageBundle app(c.settings, {"English", "German", "zh_TW"});
        ScopedLocaleEnvironment locale(c.preferred);
        useSettingsOf(app);

        JOVLanguage language;

        EXPECT_EQ(language.mapStringByName("Which"), QString(c.loaded));
        EXPECT_EQ(app.settingsOnDisk(), c.expectedOnDisk);
        EXPECT_EQ(language.supportLanguageCount(),
                  c.expectedOnDisk.value("SupportLanguages").toArray().count());
        EXPECT_TRUE(language.supportLanguageByIndex(language.supportLanguageCount()).isEmpty());
    }
}
