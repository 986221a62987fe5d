#pragma once

#include "jCommon/UIMsg.h"

#include <deque>
#include <functional>
#include <memory>

namespace ns
{
class Timer;
}

namespace halvex
{

// What became of one record sent to the manager.
enum class Delivery { Delivered, ClientAbsent, Failed };

// The records on their way to the manager, sent one after the other on the
// main run loop: each waits its delay after the one before it went out (or
// after it was posted, when nothing was waiting), so sequences keep their
// order and their pace. A record the manager is not there for is dropped,
// unless it waits for the manager: then it is tried again now and then and
// holds back the records behind it.
class OutgoingQueue
{
public:
    using Sender = std::function<Delivery(const _UI_MSG& record)>;
    // Told of every record that leaves the queue by going out or being
    // dropped (not of those cleared before their turn).
    using Settled = std::function<void(const _UI_MSG& record, Delivery delivery)>;
    enum class Policy { DropWhenAbsent, WaitForClient };

    OutgoingQueue(Sender sender, double retryInterval, Settled settled);
    ~OutgoingQueue();
    OutgoingQueue(const OutgoingQueue&) = delete;
    OutgoingQueue& operator=(const OutgoingQueue&) = delete;

    void post(const _UI_MSG& record, double delay, Policy policy = Policy::DropWhenAbsent);
    // Forgets every record not yet sent.
    void clear();
    int count() const { return int(entries_.size()); }

private:
    struct Entry {
        _UI_MSG record;
        double delay;
        Policy policy;
    };

    void schedule(double delay);
    void sendHead();

    Sender sender_;
    double retryInterval_;
    Settled settled_;
    std::deque<Entry> entries_;
    std::shared_ptr<ns::Timer> timer_;
};

} // namespace halvex
