#include "app/language/SystemLanguages.h"

#include "TextPrinting.h"

#include <gtest/gtest.h>

TEST(SystemLanguages, LocaleNamesMapToLanguageCodes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"de_DE.UTF-8", "de"},
        {"en_GB", "en"},
        {"fr", "fr"},
        {"pt_PT", "pt-PT"},
        {"pt_PT.UTF-8", "pt-PT"},
        {"pt_BR.UTF-8", "pt"},
        {"pt", "pt"},
        {"zh_CN", "zh-Hans"},
        {"zh_SG.GB2312", "zh-Hans"},
        {"zh", "zh-Hans"},
        {"zh_TW", "zh-Hant"},
        {"zh_HK.Big5", "zh-Hant"},
        {"zh_Hant", "zh-Hant"},
        {"nb_NO.UTF-8", "nb"},
        {"no", "nb"},
        {"no_NO", "nb"},
        {"C", "en"},
        {"POSIX", "en"},
        {"C.UTF-8", "en"},
        {"sr_RS@latin", "sr"},
        {"ES_es", "es"},
        {"", ""},
    };
    for (const auto& [locale, code] : cases) {
        SCOPED_TRACE(locale);
        EXPECT_EQ(SystemLanguages::languageCodeOfLocale(locale), QString(code));
    }
}

TEST(SystemLanguages, PreferredLanguagesFollowTheLocaleSettingsInOrder)
{
    struct Case {
        const char* language;
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        QStringList codes;
    };
    const Case cases[] = {
        {"", "", "", "", {"en"}},
        {"", "", "", "de_DE.UTF-8", {"de"}},
        {"", "", "it_IT.UTF-8", "de_DE.UTF-8", {"it"}},
        {"", "fr_FR.UTF-8", "it_IT.UTF-8", "de_DE.UTF-8", {"fr"}},
        {"pt_PT:pt_BR:en", "", "", "de_DE.UTF-8", {"pt-PT", "pt", "en", "de"}},
        {"zh_TW:zh_HK::en_US", "", "", "en_US.UTF-8", {"zh-Hant", "en"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codes.join(',').toStdString());
        QProcessEnvironment environment;
        const std::pair<const char*, const char*> variables[] = {
            {"LANGUAGE", c.language}, {"LC_ALL", c.lcAll}, {"LC_MESSAGES", c.lcMessages}, {"LANG", c.lang}};
        for (const auto& [name, value] : variables)
            if (*value)
                environment.insert(name, value);
        EXPECT_EQ(SystemLanguages::appleLanguages(environment), c.codes);
    }
}
