#pragma once

#include <QList>

#include <optional>

// The profiles an APN cycle tries after a failed connect, in order.
namespace apn_cycle
{

// The current profile first, then the other profiles from the first in
// ascending order until one pass holds `total` entries (capped at the number
// of profiles; 0 or less: the current profile alone); `passes`, when given,
// repeats the pass that many times in all. Empty when the current profile is
// not one of the profiles: no cycle then.
QList<int> cycleList(int current, int total, int profileCount, std::optional<int> passes);

} // namespace apn_cycle
