#include "platform/download/FlashProtocol.h"

#include <algorithm>
#include <array>

namespace firmware
{

namespace
{

constexpr std::array<std::uint32_t, 256> makeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = makeCrcTable();

void putLittleEndian(std::vector<unsigned char>& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

std::uint32_t getLittleEndian(const unsigned char* in)
{
    return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
           std::uint32_t(in[3]) << 24;
}

} // namespace

std::uint32_t crc32(const unsigned char* data, std::size_t length)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i)
        c = kCrcTable[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::vector<unsigned char> encodeBlock(std::uint32_t number, const unsigned char* data, std::size_t length)
{
    std::vector<unsigned char> out(std::begin(kBlockMagic), std::end(kBlockMagic));
    out.reserve(kBlockHeaderBytes + length + kBlockTrailerBytes);
    putLittleEndian(out, number);
    putLittleEndian(out, std::uint32_t(length));
    out.insert(out.end(), data, data + length);
    putLittleEndian(out, crc32(data, length));
    return out;
}

std::vector<unsigned char> encodeAnswer(unsigned char answer, std::uint32_t number)
{
    std::vector<unsigned char> out{answer};
    putLittleEndian(out, number);
    return out;
}

void BlockReader::append(const unsigned char* data, std::size_t length)
{
    pending_.insert(pending_.end(), data, data + length);
}

std::optional<Block> BlockReader::next()
{
    for (;;) {
        const auto magic =
            std::search(pending_.begin(), pending_.end(), std::begin(kBlockMagic), std::end(kBlockMagic));
        pending_.erase(pending_.begin(), magic);
        if (pending_.size() < kBlockHeaderBytes)
            return std::nullopt;
        const std::uint32_t length = getLittleEndian(pending_.data() + 8);
        if (length > kMaxBlockBytes) {
            pending_.erase(pending_.begin());
            continue;
        }
        const std::size_t total = kBlockHeaderBytes + length + kBlockTrailerBytes;
        if (pending_.size() < total)
            return std::nullopt;
        Block block;
        block.number = getLittleEndian(pending_.data() + 4);
        block.data.assign(pending_.begin() + kBlockHeaderBytes,
                          pending_.begin() + kBlockHeaderBytes + length);
        block.crcMatches = crc32(block.data.data(), block.data.size()) ==
                           getLittleEndian(pending_.data() + kBlockHeaderBytes + length);
        pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(total));
        return block;
    }
}

std::optional<Answer> decodeAnswer(const unsigned char* data, std::size_t length)
{
    if (length != kAnswerBytes || (data[0] != kTaken && data[0] != kRefused))
        return std::nullopt;
    return Answer{data[0], getLittleEndian(data + 1)};
}

} // namespace firmware
