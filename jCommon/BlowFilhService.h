#pragma once

// Enciphers a 16-digit subscriber text for an operator web link with the
// built-in key: the digits are read as two decimal halves of eight digits (the
// left and right half of one Blowfish block), and the enciphered block is
// written into output as 16 lower-case hexadecimal characters and a NUL
// (output holds at least 17 bytes). An input that is not exactly 16 decimal
// digits is complained about on the log and enciphers as the all-zero block,
// so callers check their input first. Always answers 0.
int EncryptServicesMain(const char* input, char* output);
