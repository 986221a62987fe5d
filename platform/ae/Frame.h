#pragma once

#include "platform/ae/AppleEvent.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace ae
{

// One event or reply as it travels over a socket. All integers are
// little-endian; four-character codes are 32-bit integers.
//
//   offset  size  field
//   0       4     magic "TAEF"
//   4       2     version (1)
//   6       1     kind: 1 event, 2 reply
//   7       1     flags: bit 0 set on an event whose sender waits for a reply
//   8       4     total length of the frame, header included
//   12      2     status: on a reply the receiver's result (0, -1708, -10000); 0 on an event
//   14      2     reserved, 0
//   16      4     event class
//   20      4     event ID
//   24      4     return ID (signed)
//   28      4     transaction ID (signed)
//   32      4     target descriptor type
//   36      4     target length n, then n bytes
//   ..      4     parameter count, then per parameter:
//                 keyword (4), descriptor type (4), length n (4), n bytes
//
// A frame is at most kMaxSize bytes: room for the test control channel's
// page of 256 whole records, the largest frame anyone sends. Decoding refuses any frame whose lengths
// disagree with each other or with the bytes at hand, that repeats a keyword
// or that leaves bytes over.
struct Frame {
    enum class Kind : quint8 { Event = 1, Reply = 2 };

    static constexpr int kHeaderSize = 16;
    static constexpr int kMaxSize = 4 * 1024 * 1024;

    Kind kind = Kind::Event;
    bool replyWanted = false; // events only
    OSErr status = noErr;     // replies only
    AppleEvent event;

    // The frame's bytes; empty when they would exceed kMaxSize.
    QByteArray encoded() const;

    // The total length a frame header declares, checked against the header's
    // own fields and kMaxSize; nullopt (and the reason in error) when refused.
    static std::optional<int> declaredLength(QByteArrayView header, QString* error = nullptr);
    // One whole frame from exactly its bytes; nullopt (and the reason in error) when refused.
    static std::optional<Frame> decode(QByteArrayView bytes, QString* error = nullptr);

    bool operator==(const Frame& other) const = default;
};

} // namespace ae
