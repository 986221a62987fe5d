#include "halvex/RecordLog.h"

#include <algorithm>

namespace halvex
{

void RecordLog::append(uint64_t number, int64_t msecs, const _UI_MSG& record, bool dropped)
{
    QByteArray bytes = recordBytes(record);
    qsizetype used = bytes.size();
    while (used > 0 && bytes.at(used - 1) == '\0')
        --used;
    bytes.truncate(used);
    bytes.squeeze();
    entries_.push_back({number, msecs, dropped, std::move(bytes)});
    if (int(entries_.size()) > capacity_) {
        entries_.pop_front();
        ++forgotten_;
    }
}

std::vector<LoggedRecord> RecordLog::after(uint64_t since, int limit, bool* more) const
{
    const auto first =
        std::upper_bound(entries_.begin(), entries_.end(), since,
                         [](uint64_t number, const LoggedRecord& entry) { return number < entry.number; });
    const auto last = first + std::min<std::ptrdiff_t>(std::max(limit, 0), entries_.end() - first);
    if (more)
        *more = last != entries_.end();
    return {first, last};
}

std::vector<LoggedRecord> RecordLog::latest(int count) const
{
    const auto size = std::ptrdiff_t(entries_.size());
    return {entries_.end() - std::clamp<std::ptrdiff_t>(count, 0, size), entries_.end()};
}

} // namespace halvex
