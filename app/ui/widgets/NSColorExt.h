#pragma once

#include "platform/ns/appkit/Color.h"

#include <optional>

namespace NSColorExt
{

// The colour of a Core Image colour string ("r g b" or "r g b a", each from
// 0 to 1); nothing for an empty or unreadable string.
std::optional<ns::Color> colorWithNSString(const QString& string);

} // namespace NSColorExt
