#include "connection/ApnCycleList.h"

#include <algorithm>

namespace apn_cycle
{

namespace
{

// A pass count beyond any use would only exhaust memory: the list stops here.
constexpr qsizetype kMostEntries = 10000;

} // namespace

QList<int> cycleList(int current, int total, int profileCount, std::optional<int> passes)
{
    if (current < 0 || current >= profileCount)
        return {};
    const int perPass = std::clamp(total, 1, profileCount);
    QList<int> pass{current};
    for (int index = 0; pass.size() < perPass; ++index)
        if (index != current)
            pass.append(index);

    QList<int> list = pass;
    for (int more = passes.value_or(1) - 1; more > 0 && list.size() + pass.size() <= kMostEntries; --more)
        list.append(pass);
    return list;
}

} // namespace apn_cycle
