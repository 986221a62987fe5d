#include "app/language/JOVLanguage.h"

#include "app/config/JOVDatacardConfig.h"
#include "app/language/LanguageResources.h"
#include "app/language/LanguageSettingsKeys.h"

JOVLanguage::JOVLanguage()
{
    JOVDatacardConfig::initGlobal();
    loadSupportLanguagesArray();
    loadLanguageTokenListFileAutomatically();
}

void JOVLanguage::loadSupportLanguagesArray()
{
    if (supportLanguagesLoaded_)
        return;
    supportLanguagesLoaded_ = true;
    const ns::Value stored = JOVDatacardConfig::settingDictKey(kSupportLanguagesKey);
    if (stored.isArray()) {
        for (const ns::Value& name : stored.toArray())
            supportLanguagesArray.append(name.toString());
        return;
    }
    QString current = currentLanguage();
    if (current.isEmpty()) {
        current = QStringLiteral("English");
        JOVDatacardConfig::setSettingDictKey(kCurrentLanguageKey, current);
    }
    supportLanguagesArray = {current};
    JOVDatacardConfig::setSettingDictKey(kSupportLanguagesKey, ns::Array{current});
}

void JOVLanguage::loadLanguageTokenListFileAutomatically()
{
    if (isFirstLoadLanguage())
        loadLanguageTokenListFileInSystemLanguage();
    else
        loadLanguageTokenListFileOfLastUsing();
}

bool JOVLanguage::isFirstLoadLanguage() const
{
    return JOVDatacardConfig::settingDictKey(kFirstInstallFlagKey).boolValue();
}

void JOVLanguage::loadLanguageTokenListFileInSystemLanguage()
{
    const QString name = systemLanguageToEnglish(systemDefaultLanguage());
    if (!findSupportLanguage(name))
        return;
    loadLanguageTokenListFileByName(name);
    JOVDatacardConfig::setSettingDictKey(kFirstInstallLanguageKey, name);
}

void JOVLanguage::loadLanguageTokenListFileOfLastUsing()
{
    const QString name = currentLanguage();
    if (findSupportLanguage(name))
        loadLanguageTokenListFileByName(name);
}

bool JOVLanguage::loadLanguageTokenListFileByName(const QString& name)
{
    if (name.isEmpty() || !LoadTokenListResource(LanguageResources::tokenListPathOfLanguage(name)))
        return false;
    JOVDatacardConfig::setSettingDictKey(kCurrentLanguageKey, name);
    JOVDatacardConfig::setSettingDictKey(kFirstInstallFlagKey, false);
    return true;
}

bool JOVLanguage::findSupportLanguage(const QString& name) const
{
    return !name.isEmpty() && supportLanguagesArray.contains(name);
}

int JOVLanguage::supportLanguageCount() const
{
    return int(supportLanguagesArray.size());
}

QString JOVLanguage::supportLanguageByIndex(int index) const
{
    return supportLanguagesArray.value(index);
}

QString JOVLanguage::currentLanguage() const
{
    return JOVDatacardConfig::settingDictKey(kCurrentLanguageKey).toString();
}
