#pragma once

#include "halvex/ControlProtocol.h"
#include "halvex/RecordLog.h"

#include <QDateTime>

namespace halvex
{

// Both directions of the talk with the manager: the records Halvex received
// and those it sent or dropped, numbered in one sequence for the life of the
// process (so the two logs interleave in order) and timed in milliseconds
// since the conversation began.
class Conversation
{
public:
    static constexpr int kCapacity = control::kLogCapacity;

    Conversation();

    void noteReceived(const _UI_MSG& record);
    // A record sent to the manager, or dropped because no manager took it.
    void noteSent(const _UI_MSG& record, bool dropped);

    const RecordLog& received() const { return received_; }
    const RecordLog& sent() const { return sent_; }
    QDateTime started() const { return started_; }

private:
    uint64_t next();
    int64_t elapsed() const;

    QDateTime started_;
    uint64_t lastNumber_ = 0;
    RecordLog received_{kCapacity};
    RecordLog sent_{kCapacity};
};

} // namespace halvex
