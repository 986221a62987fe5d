#include "device/InitService.h"

#include <algorithm>

// The readers of SIM files' hexadecimal text.

namespace
{

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The number in at most width characters of text, up to the first that is not hexadecimal.
int readHex(const char* text, qsizetype width)
{
    int value = 0;
    for (qsizetype i = 0; i < width; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}

int peek(const HexCursor& cursor, qsizetype width)
{
    return readHex(cursor.pos, std::min(width, cursor.remaining()));
}

void skip(HexCursor& cursor, qsizetype width)
{
    cursor.pos += std::min(width, cursor.remaining());
}

} // namespace

int InitService::peekchar(const HexCursor& cursor)
{
    return peek(cursor, 2);
}

void InitService::skipchar(HexCursor& cursor)
{
    skip(cursor, 2);
}

int InitService::getchar(HexCursor& cursor)
{
    const int value = peekchar(cursor);
    skipchar(cursor);
    return value;
}

int InitService::peekword(const HexCursor& cursor)
{
    return peek(cursor, 4);
}

void InitService::skipword(HexCursor& cursor)
{
    skip(cursor, 4);
}

int InitService::getword(HexCursor& cursor)
{
    const int value = peekword(cursor);
    skipword(cursor);
    return value;
}

int InitService::peektriple(const HexCursor& cursor)
{
    return peek(cursor, 6);
}

void InitService::skiptriple(HexCursor& cursor)
{
    skip(cursor, 6);
}

int InitService::gettriple(HexCursor& cursor)
{
    const int value = peektriple(cursor);
    skiptriple(cursor);
    return value;
}

SemiOctetText InitService::peeksemioctex(const HexCursor& cursor)
{
    SemiOctetText semiOctets;
    const qsizetype available = std::min<qsizetype>(cursor.remaining(), 2);
    if (available == 1) {
        semiOctets.digits[0] = cursor.pos[0];
    } else if (available == 2) {
        const char first = cursor.pos[0];
        const char second = cursor.pos[1];
        if (first == 'F' || first == 'f') {
            semiOctets.digits[0] = second;
        } else {
            semiOctets.digits[0] = second;
            semiOctets.digits[1] = first;
        }
    }
    return semiOctets;
}

void InitService::skipsemioctex(HexCursor& cursor)
{
    skip(cursor, 2);
}

SemiOctetText InitService::getsemioctex(HexCursor& cursor)
{
    const SemiOctetText semiOctets = peeksemioctex(cursor);
    skipsemioctex(cursor);
    return semiOctets;
}

int InitService::getsemi_triple(HexCursor& cursor)
{
    char joined[7] = {};
    qsizetype length = 0;
    for (int i = 0; i < 3; ++i) {
        const SemiOctetText semiOctets = getsemioctex(cursor);
        for (char digit : semiOctets.text())
            joined[length++] = digit;
    }
    return readHex(joined, length);
}
