#pragma once

#include <QByteArray>

// The longest prefix of UTF-8 text that holds at most maxBytes bytes and ends
// on a character boundary, so a fixed-width field never carries half a
// character.
inline QByteArray utf8Prefix(const QByteArray& utf8, qsizetype maxBytes)
{
    if (maxBytes <= 0)
        return QByteArray();
    if (utf8.size() <= maxBytes)
        return utf8;
    qsizetype end = maxBytes;
    // Step back over continuation bytes (10xxxxxx) to the start of the character cut in two.
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end;
    return utf8.left(end);
}
