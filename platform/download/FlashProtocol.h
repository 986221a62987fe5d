#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The stand-in flashing protocol between a platform library and the modem's
// download mode: the image goes out in numbered blocks, each answered before
// the next is sent.
//
// A block: "TVFB", its number, its length (both 32-bit little-endian), the
// bytes, and their CRC-32 (little-endian). A block of length 0 ends the image.
// An answer: 'A' (taken) or 'N' (refused), then the block's number.
namespace firmware
{

inline constexpr unsigned char kBlockMagic[4] = {'T', 'V', 'F', 'B'};
inline constexpr std::size_t kBlockHeaderBytes = 12;
inline constexpr std::size_t kBlockTrailerBytes = 4;
inline constexpr std::size_t kMaxBlockBytes = 4096;
inline constexpr std::size_t kAnswerBytes = 5;
inline constexpr unsigned char kTaken = 'A';
inline constexpr unsigned char kRefused = 'N';

// The CRC-32 of zip and Ethernet (reflected polynomial 0xEDB88320).
std::uint32_t crc32(const unsigned char* data, std::size_t length);

std::vector<unsigned char> encodeBlock(std::uint32_t number, const unsigned char* data, std::size_t length);
std::vector<unsigned char> encodeAnswer(unsigned char answer, std::uint32_t number);

struct Block {
    std::uint32_t number = 0;
    std::vector<unsigned char> data;
    bool crcMatches = false;
};

// Takes the bytes of the line as they arrive and hands out whole blocks.
// Bytes before a block's magic are skipped; a length over kMaxBlockBytes is
// not a block, and the search for the next magic goes on after its first byte.
class BlockReader
{
public:
    void append(const unsigned char* data, std::size_t length);
    std::optional<Block> next();

private:
    std::vector<unsigned char> pending_;
};

struct Answer {
    unsigned char answer = 0;
    std::uint32_t number = 0;
};
std::optional<Answer> decodeAnswer(const unsigned char* data, std::size_t length);

} // namespace firmware
