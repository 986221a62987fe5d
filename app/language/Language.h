#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/Value.h"

// Posted by a language object when the interface language changes.
inline const QString kUpdateLanguageNotification = QStringLiteral("UpdateLanguage");

// A language object that controllers may hold: it keeps a wording table of its
// own and tells its registered observers when the language changes.
class Language : public ns::Object
{
public:
    // Observes "UpdateLanguage" from this object with selector, and with
    // needUpdate runs the selector at once. False for a null observer or one
    // that does not respond to the selector.
    bool registerObserver(ns::Object* observer, const QString& selector, bool needUpdate);
    // Tells every registered observer that the language changed.
    void update();

    // Makes the token list at path the wording table; false when the file is
    // missing or is not a strings file (the table stays as it was).
    bool LoadTokenListResource(const QString& path);
    // The text of key in the wording table; the key itself when the table has
    // no entry for it (or there is no table).
    QString mapStringByName(const QString& key) const;

    // The user's most preferred language code ("en", "de", "zh-Hans" ...).
    static QString systemDefaultLanguage();
    // Conversions between system codes, English names ("German", "zh_CN") and
    // native names ("Deutsch"); empty when not found.
    static QString systemLanguageToEnglish(const QString& code);
    static QString nativeToEnglish(const QString& native);
    static QString englishToNative(const QString& english);

private:
    ns::Dictionary languageTokenDict;
};
