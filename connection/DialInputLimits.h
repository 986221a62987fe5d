#pragma once

#include <QString>

// What the profile fields accept while the user types: each keeps only its
// allowed characters, up to its length.
enum class DialInputField {
    TelephoneNumber, // "*#0123456789abcdABCD", 30
    Apn,             // letters, digits and ".-", 60
    Account,         // user names and passwords: letters, digits and ASCII punctuation but '`'
    IPv6Dns,         // hexadecimal digits and ':', 39
};

// The text as the field keeps it; passwordLimitLen is the account fields'
// length, 30 when below 1.
QString limitDialInput(DialInputField field, const QString& text, int passwordLimitLen);
