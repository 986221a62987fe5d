#pragma once

#include "app/language/Language.h"

#include <QStringList>

// The language object of the controllers: it takes the offered languages and
// the current one from the settings file (read and written on disk through
// JOVDatacardConfig) and loads that language's token list as its wording table.
class JOVLanguage : public Language
{
public:
    // Reads the settings file at JOVDatacardConfig's work path, which becomes
    // the data folder's settings file when nothing has set it yet.
    JOVLanguage();

    // Once: "SupportLanguages", or the current language alone (stored back as
    // "SupportLanguages") when the settings name none.
    void loadSupportLanguagesArray();
    void loadLanguageTokenListFileAutomatically();
    bool isFirstLoadLanguage() const;
    // The system's preferred language, when offered; it is kept as "FirstInstallLanguage".
    void loadLanguageTokenListFileInSystemLanguage();
    // "CurrentLanguage", when offered.
    void loadLanguageTokenListFileOfLastUsing();
    // Loads the token list of name's language folder and on success makes name
    // the current language and ends the first install.
    bool loadLanguageTokenListFileByName(const QString& name);

    bool findSupportLanguage(const QString& name) const;
    int supportLanguageCount() const;
    // Empty beyond the end.
    QString supportLanguageByIndex(int index) const;
    QString currentLanguage() const;

private:
    QStringList supportLanguagesArray;
    bool supportLanguagesLoaded_ = false;
};
