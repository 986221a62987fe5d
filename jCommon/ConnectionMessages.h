#pragma once

#include "jCommon/MessageID.h"

// Family 0x01: the data connection.
namespace msg::connection
{

// Major 0x0101: the connection's parameters.
inline constexpr MessageID kSetDialParams{0x0101, 60};

} // namespace msg::connection
