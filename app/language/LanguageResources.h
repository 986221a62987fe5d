#pragma once

#include <QString>

// Where the token lists ("LanguageTokenList.txt") lie in the main bundle: one
// in each language folder "<Name>.lproj" and one at the resource root.
namespace LanguageResources
{

// The root token list; empty when the bundle has none.
QString rootTokenListPath();
// The token list of the language folder of name; empty when it is missing.
QString tokenListPathOfLanguage(const QString& name);

} // namespace LanguageResources
