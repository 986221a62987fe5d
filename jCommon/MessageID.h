#pragma once

#include <cstdint>

// The identity of a message on the device-server channel: a (major, minor)
// pair. The major's high byte names the feature family; a few minors recur
// under several majors, so a message is always matched on both.
struct MessageID {
    uint16_t majorID;
    uint16_t minorID;

    friend constexpr bool operator==(MessageID, MessageID) = default;
};

// The number the message center posts a message under: major in the high 16
// bits, minor in the low ones.
constexpr int32_t makeMessageID(uint16_t majorID, uint16_t minorID)
{
    return int32_t((uint32_t(majorID) << 16) | minorID);
}

constexpr int32_t makeMessageID(MessageID id)
{
    return makeMessageID(id.majorID, id.minorID);
}
