#pragma once

#include "halvex/LoggedRecord.h"
#include "jCommon/UIMsg.h"
#include "platform/ns/Value.h"

#include <QString>

#include <optional>
#include <vector>

namespace halvex
{

// The other end of the control channel (ControlProtocol.h), for tests and
// halvexctl: each call sends one event, with wait-reply, to the Halvex
// listening in this process's runtime folder. Calls answer nullopt or their
// reason when Halvex refuses or cannot be reached, with the reason in error.
class ControlClient
{
public:
    enum class Log { Received, Sent };

    // Empty on success, else Halvex's reason or why the event went nowhere.
    QString inject(const _UI_MSG& record) const;
    QString step(const QString& name, const ns::Dictionary& arguments) const;

    std::optional<ns::Array> steps(QString* error = nullptr) const;
    std::optional<ns::Dictionary> state(QString* error = nullptr) const;
    // The plain read of what Halvex received: the newest records (at most
    // a page), oldest first.
    std::optional<std::vector<_UI_MSG>> latestReceived(QString* error = nullptr) const;
    // Every entry of a log numbered above since, oldest first, read a page
    // at a time.
    std::optional<std::vector<LoggedRecord>> entriesAfter(Log log, uint64_t since,
                                                          QString* error = nullptr) const;
};

} // namespace halvex
