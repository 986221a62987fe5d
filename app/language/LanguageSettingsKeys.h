#pragma once

#include <QString>

// Top-level keys of the settings file that hold the language choice.
inline const QString kSupportLanguagesKey = QStringLiteral("SupportLanguages");
inline const QString kCurrentLanguageKey = QStringLiteral("CurrentLanguage");
inline const QString kFirstInstallFlagKey = QStringLiteral("FirstInstallFlag");
inline const QString kFirstInstallLanguageKey = QStringLiteral("FirstInstallLanguage");
