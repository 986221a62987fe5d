#pragma once

#include "jCommon/MessageID.h"
#include "jCommon/UIMsg.h"

#include <QByteArray>

#include <cstdint>

namespace halvex
{

// A record from the modem: tag 1, the given module (the initialisation
// module unless an answer names another), the payload copied into the data
// field (at most its 8192 bytes) and its size as the length.
_UI_MSG makeRecord(MessageID id, int32_t type, int8_t result, const QByteArray& payload = QByteArray(),
                   int32_t moduleID = kModuleInit);

} // namespace halvex
