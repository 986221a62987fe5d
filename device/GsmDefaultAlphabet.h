#pragma once

#include <array>

// The GSM 7-bit default alphabet as UCS-2 characters, as operator names on
// the SIM are read: the table of 3GPP TS 23.038 except that 0x17 gives ψ
// (U+03C8), 0x19 gives θ (U+03B8) and the escape code 0x1B gives a space.
extern const std::array<char16_t, 128> newGsmToUcs2;
