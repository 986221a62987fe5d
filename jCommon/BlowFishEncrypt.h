#pragma once

#include "jCommon/Blowfish.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>

// Enciphers a short text with a configured key for an operator web link: the
// text is padded with '#' to whole 8-byte blocks, each block is enciphered on
// its own (electronic code book, big-endian halves), and the first two
// enciphered blocks are the result, as 32 upper-case hexadecimal characters.
class BlowFishEncrypt
{
public:
    // At most this many bytes of plain text are taken.
    static constexpr int kTextCapacity = 64;

    // Runs the key schedule with the key's bytes; the result starts empty.
    explicit BlowFishEncrypt(QByteArrayView serectKey);

    // Pads and enciphers the text (cut at kTextCapacity bytes) and formats the result.
    void encipher(QByteArrayView plainText);

    // The 32 hexadecimal characters of the last encipher, or empty before it.
    QByteArray ciphertext() const { return ciphertext_; }
    // The padded plain text of the last encipher.
    QByteArray encryptedtext() const { return encryptedtext_; }

    // One block enciphered in place.
    void encryptLValue(uint32_t& lValue, uint32_t& rValue) const { cipher_.encipher(lValue, rValue); }
    // The round function over this object's S-boxes.
    uint32_t getCipherTextFromSboxByValue(uint32_t value) const { return cipher_.f(value); }

private:
    void setEncryptedtext(QByteArrayView plainText);
    void preprocessEncryptedText();
    void formatEncryptResult(const std::array<uint8_t, kTextCapacity>& result);

    Blowfish cipher_;
    QByteArray encryptedtext_;
    QByteArray ciphertext_;
};
