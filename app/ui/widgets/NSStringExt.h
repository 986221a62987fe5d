#pragma once

#include <QString>

namespace NSStringExt
{

// At least one character, all of them "0" to "9".
bool isDigitalString(const QString& string);
// A "+" or a digit first, digits after it (a lone "+" is valid).
bool isValidPhoneNumber(const QString& string);

} // namespace NSStringExt
