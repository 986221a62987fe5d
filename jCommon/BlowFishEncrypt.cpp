#include "jCommon/BlowFishEncrypt.h"

#include <algorithm>

namespace
{

constexpr int kBlockSize = 8;
// Only the first two enciphered blocks reach the result.
constexpr int kResultBytes = 2 * kBlockSize;

uint32_t bigEndianWord(const uint8_t* bytes)
{
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | uint32_t(bytes[3]);
}

void putBigEndianWord(uint32_t word, uint8_t* bytes)
{
    bytes[0] = uint8_t(word >> 24);
    bytes[1] = uint8_t(word >> 16);
    bytes[2] = uint8_t(word >> 8);
    bytes[3] = uint8_t(word);
}

} // namespace

BlowFishEncrypt::BlowFishEncrypt(QByteArrayView serectKey)
    : cipher_({reinterpret_cast<const uint8_t*>(serectKey.data()), size_t(serectKey.size())})
{
}

void BlowFishEncrypt::encipher(QByteArrayView plainText)
{
    setEncryptedtext(plainText);

    std::array<uint8_t, kTextCapacity> result{};
    const auto* plain = reinterpret_cast<const uint8_t*>(encryptedtext_.constData());
    for (qsizetype block = 0; block < encryptedtext_.size(); block += kBlockSize) {
        uint32_t left = bigEndianWord(plain + block);
        uint32_t right = bigEndianWord(plain + block + 4);
        encryptLValue(left, right);
        putBigEndianWord(left, result.data() + block);
        putBigEndianWord(right, result.data() + block + 4);
    }
    formatEncryptResult(result);
}

void BlowFishEncrypt::setEncryptedtext(QByteArrayView plainText)
{
    encryptedtext_ = plainText.first(std::min<qsizetype>(plainText.size(), kTextCapacity)).toByteArray();
    preprocessEncryptedText();
}

void BlowFishEncrypt::preprocessEncryptedText()
{
    const qsizetype partial = encryptedtext_.size() % kBlockSize;
    if (partial != 0)
        encryptedtext_.append(kBlockSize - partial, '#');
}

void BlowFishEncrypt::formatEncryptResult(const std::array<uint8_t, kTextCapacity>& result)
{
    ciphertext_ = QByteArray(reinterpret_cast<const char*>(result.data()), kResultBytes).toHex().toUpper();
}
