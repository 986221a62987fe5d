#pragma once

#include "app/msgcenter/UIMsg.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace halvex
{

// Record types: the manager asks with type 0; the modem answers and reports
// with type 1 (a few answers, such as the PIN check, use type 0).
constexpr int32_t kTypeRequest = 0;
constexpr int32_t kTypeReport = 1;

// Result bytes: 0 success, 0xFF failure.
constexpr int8_t kResultSuccess = 0;
constexpr int8_t kResultFailure = -1;

// A record from the modem: tag 1, the given module, the payload copied into
// the data field (at most its 8192 bytes) and its size as the length.
_UI_MSG makeRecord(uint16_t majorID, uint16_t minorID, int32_t type, int8_t result,
                   const QByteArray& payload = QByteArray(), int32_t moduleID = kModuleInit);

// Fields of a received record's data, read without going past it: a
// little-endian int32, and NUL-terminated text within a fixed width.
int32_t dataInt32(const _UI_MSG& record, int offset);
QString dataText(const _UI_MSG& record, int offset, int width);

// "major/minor" for log lines.
QString recordName(const _UI_MSG& record);

} // namespace halvex
