#pragma once

#include <array>
#include <cstdint>
#include <span>

// The Blowfish block cipher: 64-bit blocks as two 32-bit halves, 16 rounds,
// a key of up to 72 bytes whose bytes are used cyclically. Each object holds
// the tables its key made, so objects are independent of each other.
class Blowfish
{
public:
    // Runs the key schedule. An empty key leaves the pi tables unmixed with
    // key bytes (the schedule's encipherments still run).
    explicit Blowfish(std::span<const uint8_t> key);

    void encipher(uint32_t& left, uint32_t& right) const;
    void decipher(uint32_t& left, uint32_t& right) const;

    // The round function over this object's S-boxes.
    uint32_t f(uint32_t x) const;

private:
    std::array<uint32_t, 18> p_;
    std::array<std::array<uint32_t, 256>, 4> s_;
};
