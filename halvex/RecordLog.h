#pragma once

#include "halvex/LoggedRecord.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace halvex
{

// The latest records of one direction, oldest first, at most a fixed number
// of them; older ones are forgotten and counted. Order numbers grow along
// the log.
class RecordLog
{
public:
    explicit RecordLog(int capacity) : capacity_(capacity) {}

    void append(uint64_t number, int64_t msecs, const _UI_MSG& record, bool dropped = false);

    // The entries numbered above since, oldest first, at most limit of them;
    // more (when given) says whether newer ones are left out.
    std::vector<LoggedRecord> after(uint64_t since, int limit, bool* more = nullptr) const;
    // The newest count entries, oldest first.
    std::vector<LoggedRecord> latest(int count) const;

    int count() const { return int(entries_.size()); }
    // The number of the newest entry; 0 while nothing was logged.
    uint64_t lastNumber() const { return entries_.empty() ? 0 : entries_.back().number; }
    // How many entries were forgotten to make room.
    uint64_t forgotten() const { return forgotten_; }

private:
    int capacity_;
    std::deque<LoggedRecord> entries_;
    uint64_t forgotten_ = 0;
};

} // namespace halvex
