#pragma once

#include "platform/ae/Types.h"

namespace halvex
{

// The Apple Event that carries one record, either way between the manager
// and the modem: class and ID 'GURL', the record as raw data under 'jMsg'.
constexpr ae::OSType kRecordEventClass = ae::fourCharCode("GURL");
constexpr ae::OSType kRecordEventID = ae::fourCharCode("GURL");
constexpr ae::OSType keyRecordParameter = ae::fourCharCode("jMsg");

} // namespace halvex
