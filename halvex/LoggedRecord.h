#pragma once

#include "jCommon/UIMsg.h"

#include <QByteArray>

#include <cstdint>

namespace halvex
{

// One record of the conversation with the manager, as the control channel
// hands it out: its order number, the milliseconds since Halvex started, and
// whether it was dropped because no manager took it (sent records only).
struct LoggedRecord {
    uint64_t number = 0;
    int64_t msecs = 0;
    bool dropped = false;
    // The record's bytes, of which trailing zeros may be left out: a log
    // keeps records so, since most fill a small part of their data field.
    QByteArray bytes;

    _UI_MSG record() const { return recordFromBytes(bytes); }
    // The record's whole 8220 bytes, exactly as it went.
    QByteArray recordBytes() const { return bytes.leftJustified(kUIMsgSize, '\0'); }
};

} // namespace halvex
