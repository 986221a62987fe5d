#pragma once

#include <QString>

// The fixed patterns of the input checks, as ICU receives them.

// E-mail of the registration form: a name, "@" and a domain whose last part has
// 2 to 6 letters, at the start; trailing text is allowed.
inline const QString kEmailRegex =
    QStringLiteral(R"(^([a-zA-Z0-9%_.+\-]+)@([a-zA-Z0-9\-]+?\.[a-zA-Z]{2,6}))");

// Date of birth of the registration form, day/month/year; day 00 and year 0000 fail.
inline const QString kBirthdayRegex = QStringLiteral(
    R"((0[1-9]|[1-2][0-9]|31|30)/(0[1-9]|1[0-2])/([0-9]{3}[1-9]|[0-9]{2}[1-9][0-9]{1}|[0-9]{1}[1-9][0-9]{2}|[1-9][0-9]{3}))");

// Contact number of the registration form: ten digits at the start.
inline const QString kContactNumberRegex = QStringLiteral(R"(^[0-9]{10,10})");

// Numeric code fields: cut the text to its first (up to) four digits.
inline const QString kCodeDigitsRegex = QStringLiteral(R"(^[0-9]{0,4})");

// A phone-book name item: one word.
inline const QString kPhoneBookNameItemRegex = QStringLiteral(R"(^\w*\w$)");

// Phone-book and group names: a match (a leading or trailing blank) is an error.
inline const QString kPhoneBookNameEdgeBlankRegex = QStringLiteral(R"((^\s)|(\s$))");

// Phone-book numbers: an optional plus, then digits, "*", "#" and "|" only.
inline const QString kPhoneBookNumberRegex = QStringLiteral(R"(^[\+]?[0-9|\*#]*$)");
