#pragma once

#include <QString>

// Why a pattern could not be used: ICU's error code and name, and the text
// "ICU regular expression error #<code>, <name>.".
struct RegexError {
    int code = 0;
    QString name;
    QString reason;
};

// Regular-expression searches on strings, in ICU's pattern syntax with no
// option flags ("(?i:" in the pattern ignores case). Both search the whole
// string from its start; a pattern that must cover all of it says so with
// "^" and "$". A null string gives NO or null.
//
// A null pattern, a pattern that does not compile and a search that runs
// away (catastrophic backtracking) are errors: they give NO or null, are
// logged, and are described in *error when it is given.

// YES when the pattern matches somewhere in the string.
bool isMatchedByRegex(const QString& string, const QString& regex, RegexError* error = nullptr);
// The text of the first match of the whole pattern (empty for an empty match); null when none.
QString stringByMatching(const QString& string, const QString& regex, RegexError* error = nullptr);
