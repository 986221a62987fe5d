#include "app/language/Language.h"

#include "app/language/SystemLanguages.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/StringsFile.h"

#include <QFileInfo>
#include <QtDebug>

namespace
{

struct LanguageNames {
    const char* code;
    const char* english;
    const char* native;
};

const LanguageNames kLanguagesPackage[] = {
    {"ar", "Arabic", "لعربية"},       {"bg", "Bulgarian", "Bulgarian"},  {"hr", "Croatian", "Hrvatski"},
    {"cs", "Czech", "Česky"},         {"da", "Danish", "Dansk"},         {"nl", "Dutch", "Nederlands"},
    {"en", "English", "English"},     {"fi", "Finnish", "Suomi"},        {"fr", "French", "Français"},
    {"de", "German", "Deutsch"},      {"hu", "Hungarian", "Magyar"},     {"id", "Indonesian", "Indonesia"},
    {"it", "Italian", "Italiano"},    {"ja", "Japanese", "日本語"},      {"nb", "Norwegian", "Norsk"},
    {"pl", "Polish", "Polski"},       {"pt", "Portuguese", "Português"}, {"ro", "Romanian", "Română"},
    {"ru", "Russian", "Русский"},     {"sk", "Slovak", "Slovenčina"},    {"es", "Spanish", "Español"},
    {"sv", "Swedish", "Svenska"},     {"tr", "Turkish", "Türkçe"},       {"zh-Hans", "zh_CN", "简体中文"},
    {"zh-Hant", "zh_TW", "繁體中文"}, {"lt", "Lithuanian", "Lietuvių"},  {"sr", "Serbian", "Српски"},
};

// The column "to" of the first row whose column "from" equals text.
QString lookUp(const QString& text, const char* LanguageNames::*from, const char* LanguageNames::*to)
{
    for (const LanguageNames& row : kLanguagesPackage)
        if (text == QString::fromUtf8(row.*from))
            return QString::fromUtf8(row.*to);
    return QString();
}

} // namespace

bool Language::registerObserver(ns::Object* observer, const QString& selector, bool needUpdate)
{
    if (!observer || !observer->respondsToSelector(selector))
        return false;
    ns::NotificationCenter::defaultCenter().addObserver(observer, selector, kUpdateLanguageNotification,
                                                        this);
    if (needUpdate)
        observer->performSelector(selector);
    return true;
}

void Language::update()
{
    ns::NotificationCenter::defaultCenter().postNotificationName(kUpdateLanguageNotification, this);
}

bool Language::LoadTokenListResource(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    std::optional<ns::Dictionary> table = ns::StringsFile::readFile(path);
    if (!table) {
        qWarning("The token list %s cannot be read", qPrintable(path));
        return false;
    }
    languageTokenDict = *table;
    return true;
}

QString Language::mapStringByName(const QString& key) const
{
    const ns::Value& text = languageTokenDict.value(key);
    return text.isString() ? text.toString() : key;
}

QString Language::systemDefaultLanguage()
{
    return SystemLanguages::appleLanguages().value(0);
}

QString Language::systemLanguageToEnglish(const QString& code)
{
    return lookUp(code, &LanguageNames::code, &LanguageNames::english);
}

QString Language::nativeToEnglish(const QString& native)
{
    return lookUp(native, &LanguageNames::native, &LanguageNames::english);
}

QString Language::englishToNative(const QString& english)
{
    return lookUp(english, &LanguageNames::english, &LanguageNames::native);
}
