#include "halvex/Record.h"

#include <algorithm>
#include <cstring>

namespace halvex
{

_UI_MSG makeRecord(uint16_t majorID, uint16_t minorID, int32_t type, int8_t result, const QByteArray& payload,
                   int32_t moduleID)
{
    return makeUIMsg(moduleID, majorID, minorID, type, result, payload);
}

int32_t dataInt32(const _UI_MSG& record, int offset)
{
    int32_t value = 0;
    if (offset >= 0 && offset + int(sizeof value) <= kUIMsgDataSize)
        std::memcpy(&value, record.data + offset, sizeof value);
    return value;
}

QString dataText(const _UI_MSG& record, int offset, int width)
{
    if (offset < 0 || width <= 0 || offset >= kUIMsgDataSize)
        return QString();
    const char* start = reinterpret_cast<const char*>(record.data + offset);
    const size_t bounded = strnlen(start, size_t(std::min(width, kUIMsgDataSize - offset)));
    return QString::fromUtf8(start, qsizetype(bounded));
}

QString recordName(const _UI_MSG& record)
{
    return QStringLiteral("%1/%2").arg(record.majorID).arg(record.minorID);
}

} // namespace halvex
