#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace agent
{

// The part of a file a 206 answer carries: "bytes first-last/total" (total
// -1 for "*").
struct ContentRange {
    qint64 first = 0;
    qint64 last = 0;
    qint64 total = -1;
    bool operator==(const ContentRange&) const = default;
};

// A Content-Range header of a partial answer; nothing when it is not one
// (another unit, "*" for the range, numbers out of order or too large).
std::optional<ContentRange> parseContentRange(QByteArrayView header);

// The largest answer to a check that the agent takes in.
constexpr qint64 kMaxCheckAnswerBytes = 1024 * 1024;
// The description the agent writes when a check fails: Flag 0 and the reason.
QByteArray failureDescription(const QString& reason);

} // namespace agent
