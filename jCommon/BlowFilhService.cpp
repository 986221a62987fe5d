#include "jCommon/BlowFilhService.h"

#include "jCommon/Blowfish.h"

#include <QtGlobal>

#include <cstdio>
#include <cstring>

namespace
{

// The built-in key: these 16 characters, used as 16 key bytes.
constexpr char kBuiltInKey[] = "4E0B72D9A1C563F8";
constexpr size_t kDigits = 16;
constexpr size_t kHalfDigits = kDigits / 2;

uint32_t decimalValue(const char* digits, size_t count)
{
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i)
        value = value * 10 + uint32_t(digits[i] - '0');
    return value;
}

} // namespace

int EncryptServicesMain(const char* input, char* output)
{
    static_assert(sizeof kBuiltInKey - 1 == 16);
    const Blowfish cipher({reinterpret_cast<const uint8_t*>(kBuiltInKey), sizeof kBuiltInKey - 1});

    uint32_t left = 0;
    uint32_t right = 0;
    const size_t length = input ? strnlen(input, kDigits + 1) : 0;
    if (length != kDigits) {
        qWarning("input param is invalid");
    } else if (std::strspn(input, "0123456789") != kDigits) {
        qWarning("imsi is invalid");
    } else {
        left = decimalValue(input, kHalfDigits);
        right = decimalValue(input + kHalfDigits, kHalfDigits);
    }
    cipher.encipher(left, right);
    std::snprintf(output, kDigits + 1, "%08x%08x", left, right);
    return 0;
}
