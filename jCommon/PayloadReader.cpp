#include "jCommon/PayloadReader.h"

#include <algorithm>
#include <cstring>

namespace
{

template <typename T> T payloadValue(const _UI_MSG& record, int offset)
{
    T value = 0;
    if (offset >= 0 && offset <= kUIMsgDataSize - int(sizeof value)) // offset + size could overflow
        std::memcpy(&value, record.data + offset, sizeof value);
    return value;
}

// The field's bytes that lie inside the data, and the length of its text.
struct Field {
    const char* start = nullptr;
    size_t size = 0;
    size_t textLength = 0;
};

Field payloadField(const _UI_MSG& record, int offset, int width)
{
    if (offset < 0 || width <= 0 || offset >= kUIMsgDataSize)
        return Field();
    Field field;
    field.start = reinterpret_cast<const char*>(record.data + offset);
    field.size = size_t(std::min(width, kUIMsgDataSize - offset));
    field.textLength = strnlen(field.start, field.size);
    return field;
}

} // namespace

int32_t payloadInt32(const _UI_MSG& record, int offset)
{
    return payloadValue<int32_t>(record, offset);
}

float payloadFloat32(const _UI_MSG& record, int offset)
{
    return payloadValue<float>(record, offset);
}

QString payloadText(const _UI_MSG& record, int offset, int width)
{
    const Field field = payloadField(record, offset, width);
    return field.start ? QString::fromUtf8(field.start, qsizetype(field.textLength)) : QString();
}

bool payloadTextIsTerminated(const _UI_MSG& record, int offset, int width)
{
    const Field field = payloadField(record, offset, width);
    return field.start && field.textLength < field.size;
}

QString recordName(const _UI_MSG& record)
{
    return QStringLiteral("%1/%2").arg(record.majorID).arg(record.minorID);
}
