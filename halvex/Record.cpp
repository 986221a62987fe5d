#include "halvex/Record.h"

namespace halvex
{

_UI_MSG makeRecord(MessageID id, int32_t type, int8_t result, const QByteArray& payload, int32_t moduleID)
{
    return makeUIMsg(moduleID, id.majorID, id.minorID, type, result, payload);
}

} // namespace halvex
