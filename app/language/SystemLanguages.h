#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// The user's preferred languages, as the language codes of the desktop's
// "AppleLanguages" preference ("en", "de", "pt-PT", "zh-Hans" ...), most
// preferred first.
namespace SystemLanguages
{

// The language code of a POSIX locale name: "de_DE.UTF-8" gives "de", "pt_PT"
// "pt-PT", "zh_CN" "zh-Hans", "zh_TW" and "zh_HK" "zh-Hant", "nb_NO" and "no"
// "nb", "C" and "POSIX" "en". Empty for an empty name.
QString languageCodeOfLocale(const QString& locale);

// The codes of the environment's locale settings without repeats: each entry
// of the colon-separated LANGUAGE list, then the message locale (the first set
// of LC_ALL, LC_MESSAGES and LANG). Without any of them the locale is "C",
// which gives ["en"].
QStringList appleLanguages(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

} // namespace SystemLanguages
