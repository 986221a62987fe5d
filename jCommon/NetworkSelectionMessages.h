#pragma once

#include "jCommon/MessageID.h"

// Family 0x02: network selection, search and roaming switches.
namespace msg::networkSelection
{

inline constexpr MessageID kCheckSearchMode{0x0201, 75};
inline constexpr MessageID kCheckPreferenceMode{0x0201, 80};
inline constexpr MessageID kSetRoamSwitch{0x0201, 84};
inline constexpr MessageID kReadRoamSwitch{0x0201, 85};

} // namespace msg::networkSelection
