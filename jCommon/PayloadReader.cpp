#include "jCommon/PayloadReader.h"

#include <algorithm>
#include <cstring>

int32_t payloadInt32(const _UI_MSG& record, int offset)
{
    int32_t value = 0;
    if (offset >= 0 && offset <= kUIMsgDataSize - int(sizeof value)) // offset + 4 could overflow
        std::memcpy(&value, record.data + offset, sizeof value);
    return value;
}

QString payloadText(const _UI_MSG& record, int offset, int width)
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
