#include "jCommon/Blowfish.h"

#include "jCommon/BlowfishTables.h"

#include <utility>

namespace
{
constexpr int kRounds = 16;
} // namespace

Blowfish::Blowfish(std::span<const uint8_t> key) : p_(kBlowfishInitialP), s_(kBlowfishInitialS)
{
    if (!key.empty()) {
        size_t next = 0;
        for (uint32_t& word : p_) {
            uint32_t keyWord = 0;
            for (int i = 0; i < 4; ++i) {
                keyWord = (keyWord << 8) | key[next];
                next = (next + 1) % key.size();
            }
            word ^= keyWord;
        }
    }
    uint32_t left = 0;
    uint32_t right = 0;
    for (size_t i = 0; i < p_.size(); i += 2) {
        encipher(left, right);
        p_[i] = left;
        p_[i + 1] = right;
    }
    for (auto& box : s_) {
        for (size_t i = 0; i < box.size(); i += 2) {
            encipher(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

uint32_t Blowfish::f(uint32_t x) const
{
    const uint32_t a = s_[0][x >> 24];
    const uint32_t b = s_[1][(x >> 16) & 0xFF];
    const uint32_t c = s_[2][(x >> 8) & 0xFF];
    const uint32_t d = s_[3][x & 0xFF];
    return ((a + b) ^ c) + d;
}

void Blowfish::encipher(uint32_t& left, uint32_t& right) const
{
    uint32_t l = left;
    uint32_t r = right;
    for (int round = 0; round < kRounds; ++round) {
        l ^= p_[size_t(round)];
        r ^= f(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= p_[kRounds];
    l ^= p_[kRounds + 1];
    left = l;
    right = r;
}

void Blowfish::decipher(uint32_t& left, uint32_t& right) const
{
    uint32_t l = left;
    uint32_t r = right;
    for (int round = kRounds + 1; round > 1; --round) {
        l ^= p_[size_t(round)];
        r ^= f(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= p_[1];
    l ^= p_[0];
    left = l;
    right = r;
}
