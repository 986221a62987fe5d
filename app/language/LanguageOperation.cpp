#include "app/language/LanguageOperation.h"

#include "app/config/ConfigManager.h"
#include "app/language/LanguageResources.h"
#include "app/language/LanguageSettingsKeys.h"
#include "app/language/SystemLanguages.h"
#include "platform/lindora/Lindora.h"

namespace
{

const QString kEnglish = QStringLiteral("English");

struct CodeAndName {
    const char* code;
    const char* name;
};

// System language codes and the language names chosen for them on the first
// start, searched in this order. The names are those of the language folders,
// spelt as in kLanguagesWithFolders, so later starts load the same language.
const CodeAndName kMatchLanguageTable[] = {
    {"ar", "Arabic"},     {"bg", "Bulgarian"},  {"hr", "Croatian"},      {"cs", "Czech"},
    {"da", "Danish"},     {"nl", "Dutch"},      {"en", "English"},       {"et", "Estonian"},
    {"fi", "Finnish"},    {"fr", "French"},     {"de", "German"},        {"hu", "Hungarian"},
    {"id", "Indonesian"}, {"it", "Italian"},    {"ja", "Japanese"},      {"nb", "Norwegian"},
    {"pl", "Polish"},     {"pt", "Portuguese"}, {"pt-PT", "Portuguese"}, {"ro", "Romanian"},
    {"ru", "Russian"},    {"sk", "Slovak"},     {"es", "Spanish"},       {"sv", "Swedish"},
    {"tr", "Turkish"},    {"zh-Hans", "zh_CN"}, {"zh-Hant", "zh_TW"},    {"vi", "Vietnamese"},
    {"sq", "Albanian"},   {"hy", "Armenian"},   {"lt", "Lithuanian"},    {"sr", "Serbian"},
};

// The languages that have a folder "<Name>.lproj" of their own; any other
// current language is shown with the root token list.
const char* const kLanguagesWithFolders[] = {
    "Arabic",  "Bulgarian",  "Croatian", "Czech",     "Danish",     "Dutch",      "English",  "Estonian",
    "Finnish", "French",     "German",   "Hungarian", "Indonesian", "Italian",    "Japanese", "Norwegian",
    "Polish",  "Portuguese", "Romanian", "Russian",   "Slovak",     "Spanish",    "Swedish",  "Turkish",
    "zh_CN",   "zh_TW",      "Albanian", "Armenian",  "Vietnamese", "Lithuanian", "Serbian",
};

bool hasLanguageFolder(const QString& name)
{
    for (const char* known : kLanguagesWithFolders)
        if (name == QLatin1String(known))
            return true;
    return false;
}

} // namespace

LanguageOperation& LanguageOperation::sharedLanguageOperation()
{
    static LanguageOperation* shared =
        new LanguageOperation(ConfigManager::sharedConfigManager()); // never freed
    return *shared;
}

LanguageOperation::LanguageOperation(ConfigManager& store)
    : store_(store), settingDict_(store.getConfiguration())
{
}

void LanguageOperation::initLanguage()
{
    getSupportLanguageArray();
    if (settingDict_.value(kFirstInstallFlagKey).boolValue()) {
        loadTokenListByFirstInstall();
    } else if (!m_SupportLanguageArray) {
        Lindora_Init(LanguageResources::rootTokenListPath());
        Lindora_Dump();
    } else {
        loadTokenList();
    }
}

void LanguageOperation::loadTokenListByFirstInstall()
{
    for (const QString& code : SystemLanguages::appleLanguages()) {
        const QString name = getSystemLanguageFullName(code);
        if (!name.isEmpty()) {
            findInSupportLanguages(name);
            return;
        }
    }
    // No preferred language is offered: English when it is, else the first
    // offered one. With no language offered at all, findInSupportLanguages
    // falls back to the root token list and "English".
    QString choice;
    if (languageIsSupported(kEnglish))
        choice = kEnglish;
    else if (m_SupportLanguageArray && !m_SupportLanguageArray->isEmpty())
        choice = m_SupportLanguageArray->at(0).toString();
    findInSupportLanguages(choice);
}

void LanguageOperation::loadTokenList()
{
    const QString name = settingDict_.value(kCurrentLanguageKey).toString();
    Lindora_Init(hasLanguageFolder(name) ? LanguageResources::tokenListPathOfLanguage(name)
                                         : LanguageResources::rootTokenListPath());
    Lindora_Dump();
}

std::optional<ns::Array> LanguageOperation::getSupportLanguageArray()
{
    const ns::Value& languages = settingDict_.value(kSupportLanguagesKey);
    m_SupportLanguageArray = languages.isArray() ? std::optional(languages.toArray()) : std::nullopt;
    return m_SupportLanguageArray;
}

bool LanguageOperation::languageIsSupported(const QString& name)
{
    const std::optional<ns::Array> languages = getSupportLanguageArray();
    return languages && languages->contains(name);
}

QString LanguageOperation::getSystemLanguageFullName(const QString& code)
{
    for (const CodeAndName& pair : kMatchLanguageTable) {
        const QString name = QString::fromLatin1(pair.name);
        if (code == QLatin1String(pair.code) && languageIsSupported(name))
            return name;
    }
    return QString();
}

void LanguageOperation::findInSupportLanguages(const QString& name)
{
    const bool supported = languageIsSupported(name);
    const QString path =
        supported ? LanguageResources::tokenListPathOfLanguage(name) : LanguageResources::rootTokenListPath();
    settingDict_.setValue(kCurrentLanguageKey, supported ? name : kEnglish);
    settingDict_.setValue(kFirstInstallFlagKey, false);
    store_.writeToFile();
    Lindora_Init(path);
}
