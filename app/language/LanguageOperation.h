#pragma once

#include "platform/ns/Value.h"

#include <optional>

class ConfigManager;

// Chooses the interface language at start-up and loads its token list into the
// localisation framework: on the first start from the user's preferred
// languages, later from the settings.
class LanguageOperation
{
public:
    // The instance over the process-wide configuration store.
    static LanguageOperation& sharedLanguageOperation();

    // An instance over the given store (tests; the store must outlive it).
    explicit LanguageOperation(ConfigManager& store);
    LanguageOperation(const LanguageOperation&) = delete;
    LanguageOperation& operator=(const LanguageOperation&) = delete;

    // Start-up: the first-install choice, the current language, or the root
    // token list when the build names no languages.
    void initLanguage();
    void loadTokenListByFirstInstall();
    // Loads the token list of "CurrentLanguage", or the root list for a name
    // that has no language folder of its own.
    void loadTokenList();

    // "SupportLanguages"; nullopt when absent.
    std::optional<ns::Array> getSupportLanguageArray();
    bool languageIsSupported(const QString& name);
    // The supported language name of a system language code; empty when none.
    QString getSystemLanguageFullName(const QString& code);
    // Makes name (or "English" with the root token list, when name is not
    // supported) the current language, ends the first install, writes the
    // settings and loads the token list.
    void findInSupportLanguages(const QString& name);

private:
    ConfigManager& store_;
    ns::Dictionary settingDict_;
    std::optional<ns::Array> m_SupportLanguageArray;
};
